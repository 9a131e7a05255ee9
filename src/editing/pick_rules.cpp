// The pick rule of every editing mode.
#include "editing/pick_rules.h"

#include <cmath>

#include "geometry/cell_metrics.h"

namespace tavo::editing {

using M = MouseMode;

namespace {

using model::AtomKind;
using model::AtomRef;

bool isFlagged(const model::StructureModel& s, AtomRef ref, std::uint8_t flag = selectedFlag) {
  return s.selected[static_cast<size_t>(ref.kind)][static_cast<size_t>(ref.index)] == flag;
}

/// One atom at most: an empty Selection takes the hit, one other atom is replaced by it.
void pickSingle(model::StructureModel& s, Selection& selection, AtomRef hit) {
  if (selection.empty()) {
    selection.append(s, hit);
  } else if (selection.count() == 1 && selection.picked[0] != hit) {
    selection.clear(s);
    selection.append(s, hit);
  }
}

void pickTwoAtoms(model::StructureModel& s, Selection& selection, DistanceMemory& distance,
                  const PickResult& nearest, bool missClears) {
  const int count = selection.count();
  if (count == 0) {
    if (!nearest.hit()) return;
    selection.append(s, nearest.ref);
    distance.first = nearest.ref;
    return;
  }
  if (nearest.miss()) {
    if (missClears) selection.clear(s);
    return;
  }
  if (!nearest.hit() || isFlagged(s, nearest.ref)) return;
  if (count == 1) {
    selection.append(s, nearest.ref);
  } else if (count == 2) {
    const AtomRef dropped = selection.picked[0];
    selection.picked.erase(selection.picked.begin());
    s.selected[static_cast<size_t>(dropped.kind)][static_cast<size_t>(dropped.index)] = 0;
    selection.append(s, nearest.ref);
  } else {
    return;
  }
  distance.first = selection.picked[0];
  distance.second = selection.picked[1];
  distance.distanceA = viewDistanceOf(s, distance.first, distance.second);
}

/// Toggle, but append only entries of the file (index <= fileCount, the atoms' nonHCount unless
/// given).
void toggleFileAtom(model::StructureModel& s, Selection& selection, AtomRef hit,
                    int fileCount = -1) {
  if (isFlagged(s, hit)) {
    selection.remove(s, hit);
  } else if (hit.index <= (fileCount < 0 ? s.nonHCount : fileCount)) {
    selection.append(s, hit);
  }
}

void appendNearestOnAltMiss(model::StructureModel& s, Selection& selection,
                            const PointerEvent& event, const PickResult& nearest) {
  if (event.modifiers.alt && nearest.ref.kind != AtomKind::None && nearest.miss() &&
      !isFlagged(s, nearest.ref)) {
    selection.append(s, nearest.ref);
  }
}

void pickAngleVectors(model::StructureModel& s, Selection& selection, AtomRef hit) {
  selection.toggle(s, hit);
  if (selection.count() == 5) {
    for (int k = 0; k < 2; ++k) {
      const AtomRef r = selection.picked[static_cast<size_t>(k)];
      s.selected[static_cast<size_t>(r.kind)][static_cast<size_t>(r.index)] = 0;
    }
    selection.picked.erase(selection.picked.begin(), selection.picked.begin() + 2);
  }
}

void pickDestination(model::StructureModel& s, Selection& selection, AtomRef hit) {
  auto& flag = s.selected[static_cast<size_t>(hit.kind)][static_cast<size_t>(hit.index)];
  if (flag == destinationFlag) {
    flag = 0;
    selection.reversed.clear();
    return;
  }
  for (const AtomRef& previous : selection.reversed) {
    s.selected[static_cast<size_t>(previous.kind)][static_cast<size_t>(previous.index)] = 0;
  }
  selection.reversed.assign(1, hit);
  flag = destinationFlag;
}

void pickPart(model::StructureModel& s, Selection& selection, AtomRef hit, PickOutcome& out) {
  if (isFlagged(s, hit)) {
    selection.remove(s, hit);
  } else if (hit.kind == AtomKind::Atom && hit.index <= s.nonHCount) {
    if (selection.count() < 12) {
      selection.append(s, hit);
    } else {
      out.messages.emplace_back(partLimitMessage);
    }
  }
}

int sfacOf(const model::StructureModel& s, AtomRef ref) {
  if (ref.kind == AtomKind::Atom) return s.atoms[ref.index].sfac;
  if (ref.kind == AtomKind::Hydrogen) return s.hydrogens[ref.index].sfac;
  return -1;
}

}  // namespace

double viewDistanceOf(const model::StructureModel& structure, AtomRef a, AtomRef b) {
  return geometry::viewDistance(structure, a, b);
}

PickOptions pickOptionsFor(const ModeFlags& f, Button button, double peakThreshold) {
  PickOptions o;
  o.peakThreshold = peakThreshold;
  if (f.moveGroup() ||
      f.isAnyOf({M::Name, M::Renumber, M::Delete, M::Locate, M::Adjust, M::Param, M::Anis, M::BeIso,
                 M::Hfix, M::Part,     M::Dfix,   M::Sadi,   M::Flat,   M::Same,  M::Delu, M::Bind,
                 M::Rigu, M::Simu,     M::Isor,   M::Dang,   M::Eadp,   M::Exyz})) {
    o.candidates = CandidateSet::FileEntries;
  }
  if (f.isAnyOf({M::MemSelect, M::MemUnselc, M::Edit})) o.candidates = CandidateSet::FileAtomsAndH;
  if (f.is(M::Adopt)) o.candidates = CandidateSet::GeneratedCopiesOnly;
  if (f.isAnyOf({M::Distance, M::DistAng, M::AlignVec, M::CalcPlane, M::AngV1V2, M::Center})) {
    o.candidates = CandidateSet::AllShown;
  }
  if (button == Button::Right && f.is(M::Delete)) o.skipSelected = o.skipSelectedPeaks = true;
  if (f.is(M::MoveGroupDefine)) {
    o.excludePeaks = true;
    if (button == Button::Right) o.skipSelected = true;
  }
  return o;
}

int nonHNeighbourCount(const model::StructureModel& structure, int index) {
  int ends = 0;
  for (const model::Bond& bond : structure.bonds.kinds[1]) {
    ends += (bond.first == index) + (bond.second == index);
  }
  return ends;
}

bool hfixAccepts(int m, int neighbours) {
  switch (m) {
    case 1:
      return neighbours == 3;
    case 2:
    case 4:
      return neighbours == 2;
    case 3:
    case 8:
    case 9:
    case 12:
    case 13:
    case 14:
    case 16:
      return neighbours == 1;
    case 5:
    case 6:
    case 7:
    case 10:
    case 11:
      return neighbours == 0;
    case 15:
      return neighbours == 4 || neighbours == 5;
    default:
      return false;
  }
}

PickOutcome applyPickRule(model::StructureModel& s, Selection& selection, DistanceMemory& distance,
                          const ModeFlags& f, const PointerEvent& event, const PickResult& nearest,
                          const PickInputs& inputs) {
  PickOutcome out;
  const bool hit = nearest.hit();
  const AtomRef ref = nearest.ref;
  const bool nonH = hit && ref.kind == AtomKind::Atom;

  if (f.isAnyOf({M::Name, M::Delete, M::BeIso, M::Param, M::MemSelect, M::MemUnselc, M::Adopt,
                 M::CalcPlane})) {
    if (hit) selection.toggle(s, ref);
    if (f.is(M::Delete)) appendNearestOnAltMiss(s, selection, event, nearest);
  } else if (f.is(M::Adjust)) {
    if (hit && !inputs.adjustPending) selection.toggle(s, ref);
  } else if (f.is(M::AngV1V2)) {
    if (hit) pickAngleVectors(s, selection, ref);
  } else if (f.is(M::Renumber)) {
    if (hit && sfacOf(s, ref) == inputs.elementNumber) selection.toggle(s, ref);
  } else if (f.is(M::Hfix)) {
    if (nonH) {
      if (isFlagged(s, ref)) {
        selection.remove(s, ref);
      } else if (ref.index <= s.nonHCount &&
                 hfixAccepts(inputs.hfixM, nonHNeighbourCount(s, ref.index))) {
        selection.append(s, ref);
      }
    }
  } else if (f.is(M::Anis)) {
    if (nonH && s.atoms[ref.index].aniso == 0) toggleFileAtom(s, selection, ref);
  } else if (f.is(M::Sadi)) {
    if (nonH && ref.index <= s.nonHCount) selection.append(s, ref);
  } else if (f.isAnyOf({M::Flat, M::Same, M::Delu, M::Rigu, M::Simu, M::Isor, M::Eadp, M::Exyz})) {
    if (nonH) toggleFileAtom(s, selection, ref);
  } else if (f.is(M::Dang)) {
    // DANG restrains 1,3 distances, X...H and H...H among them, and pairs share atoms: like
    // SADI, every click appends, H atoms of the file too.
    if (hit && ref.kind != AtomKind::Peak &&
        ref.index <= (ref.kind == AtomKind::Atom ? s.nonHCount : s.hCount)) {
      selection.append(s, ref);
    }
  } else if (f.is(M::Part)) {
    if (hit) pickPart(s, selection, ref, out);
  } else if (f.is(M::MoveGroupDefine)) {
    if (hit) selection.toggle(s, ref);
    appendNearestOnAltMiss(s, selection, event, nearest);
  } else if (f.is(M::MoveGroupDestination)) {
    if (nonH) pickDestination(s, selection, ref);
  } else if (f.isAnyOf({M::Center, M::Locate, M::Edit, M::DistAng})) {
    if (hit) {
      pickSingle(s, selection, ref);
    } else if (nearest.miss() && selection.count() == 1 && !f.is(M::Locate)) {
      selection.clear(s);
      out.hideParameterWindow = f.is(M::Edit);
      out.hideDistancesAngles = f.is(M::DistAng);
    }
    if (!selection.empty()) {
      out.runLocateSetup = f.is(M::Locate);
      out.showParameterWindow = f.is(M::Edit);
      out.showDistancesAngles = f.is(M::DistAng);
    }
  } else if (f.isAnyOf({M::Distance, M::Bind, M::Dfix, M::AlignVec})) {
    pickTwoAtoms(s, selection, distance, nearest, f.isAnyOf({M::Bind, M::Dfix}));
  }
  return out;
}

}  // namespace tavo::editing
