// PART, BeISO, Adjust, Adopt, Center and the turns of AlignVec.
#include "editing/atom_edits.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "geometry/cell_metrics.h"
#include "geometry/expansion_copies.h"
#include "geometry/symmetry_operators.h"
#include "model/free_variables.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

using model::AtomKind;
using model::AtomRef;
using model::StructureModel;

namespace {

bool isFileAtom(const StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom && ref.index >= 1 && ref.index <= s.nonHCount;
}

bool isFileHydrogen(const StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Hydrogen && ref.index >= 1 && ref.index <= s.hCount;
}

std::string labelOf(const StructureModel& s, AtomRef ref) {
  if (ref.kind == AtomKind::Atom) return text::trimLine(s.atoms[ref.index].label);
  if (ref.kind == AtomKind::Hydrogen) return text::trimLine(s.hydrogens[ref.index].label);
  return "Q" + std::to_string(ref.index);
}

const model::ParameterCodes* codesOf(const StructureModel& s, AtomRef ref) {
  if (ref.kind == AtomKind::Atom) return &s.atoms[ref.index].codes;
  if (ref.kind == AtomKind::Hydrogen) return &s.hydrogens[ref.index].codes;
  return nullptr;  // peaks are never written with codes
}

void setPosition(StructureModel& s, AtomRef ref, const geometry::Fractional& p) {
  const auto put = [&](auto& entry) {
    entry.x = p.x;
    entry.y = p.y;
    entry.z = p.z;
  };
  if (ref.kind == AtomKind::Atom) put(s.atoms[ref.index]);
  if (ref.kind == AtomKind::Hydrogen) put(s.hydrogens[ref.index]);
  if (ref.kind == AtomKind::Peak) put(s.peaks[ref.index]);
}

geometry::Fractional positionOf(const StructureModel& s, AtomRef ref) {
  if (ref.kind == AtomKind::Atom)
    return {s.atoms[ref.index].x, s.atoms[ref.index].y, s.atoms[ref.index].z};
  if (ref.kind == AtomKind::Hydrogen)
    return {s.hydrogens[ref.index].x, s.hydrogens[ref.index].y, s.hydrogens[ref.index].z};
  return {s.peaks[ref.index].x, s.peaks[ref.index].y, s.peaks[ref.index].z};
}

/// The source of a picked copy and the expansion unit it belongs to; empty for a copy whose
/// label holds no "*" or whose unit is unknown.
struct CopySource {
  AtomRef source;
  int unit = 0;
};

std::optional<CopySource> sourceOf(const StructureModel& s, AtomRef copy) {
  const auto fromIndex = [&](int fileCount) {
    const int o = copy.index % fileCount;
    return o == 0 ? fileCount : o;
  };
  CopySource found;
  if (copy.kind == AtomKind::Peak) {
    if (s.peakCount < 1) return std::nullopt;
    found.source = {AtomKind::Peak, fromIndex(s.peakCount)};
    found.unit = (copy.index - found.source.index) / s.peakCount;
  } else {
    const int fileCount = copy.kind == AtomKind::Atom ? s.nonHCount : s.hCount;
    const std::string& label =
        copy.kind == AtomKind::Atom ? s.atoms[copy.index].label : s.hydrogens[copy.index].label;
    const std::size_t star = label.find('*');
    if (star == std::string::npos || fileCount < 1) return std::nullopt;
    const std::optional<int> unit = text::findInt(label.substr(star + 1));
    if (!unit) return std::nullopt;
    found.source = {copy.kind, fromIndex(fileCount)};
    found.unit = *unit;
  }
  if (found.unit < 1 || found.unit > static_cast<int>(s.symmetry.expansionOps.size()))
    return std::nullopt;
  return found;
}

}  // namespace

void setPart(StructureModel& s, const std::vector<AtomRef>& picked, int part) {
  const auto put = [part](auto& entry) {
    entry.part = part;
    entry.partSof.clear();
    entry.partComment.clear();
  };
  for (const AtomRef& ref : picked) {
    if (isFileHydrogen(s, ref)) put(s.hydrogens[ref.index]);
    if (!isFileAtom(s, ref)) continue;
    model::Atom& atom = s.atoms[ref.index];
    put(atom);
    if (atom.afixGroup < 1) continue;
    for (int k = 1; k <= s.hCount; ++k) {
      if (s.hydrogens[k].afixGroup == atom.afixGroup) put(s.hydrogens[k]);
    }
  }
}

void makeIsotropic(StructureModel& s, const std::vector<AtomRef>& picked) {
  for (const AtomRef& ref : picked) {
    if (!isFileAtom(s, ref)) continue;
    model::Atom& atom = s.atoms[ref.index];
    if (atom.aniso == 1) --s.anisoCount;
    if (atom.aniso != 0) ++s.isoCount;
    atom.aniso = 0;
    if (!model::isTiedCode(atom.codes[model::U11])) atom.u11 = 0.05;
    atom.u22 = atom.u33 = atom.u23 = atom.u13 = atom.u12 = 0;
    for (int p = model::U22; p <= model::U12; ++p)
      atom.codes[static_cast<size_t>(p)] = 0;
  }
}

void checkNewPosition(const StructureModel& s, AtomRef ref, const geometry::Fractional& p) {
  const model::ParameterCodes* codes = codesOf(s, ref);
  if (codes == nullptr) return;
  const double values[] = {p.x, p.y, p.z};
  const geometry::Fractional old = positionOf(s, ref);
  const double oldValues[] = {old.x, old.y, old.z};
  const char* axes[] = {"x", "y", "z"};
  for (int i = 0; i < 3; ++i) {
    const double code = (*codes)[static_cast<size_t>(model::X + i)];
    const std::string where = labelOf(s, ref) + " " + axes[i];
    if (model::isTiedCode(code) && std::abs(values[i] - oldValues[i]) > 1e-9) {
      throw UserError("The coordinate " + where +
                      " is tied to a free variable and would be written as its code, not at the "
                      "new position: untie it first. Nothing was moved.");
    }
    if (!model::isTiedCode(code) && !model::isPlainValue(values[i])) {
      throw UserError("The coordinate " + where + " would become " +
                      text::formatFixed(values[i], 6) +
                      ", which SHELXL would read as a fixed value: coordinates must stay inside "
                      "(-5, 5). Nothing was moved.");
    }
  }
}

void adjustPositions(StructureModel& s, const geometry::ViewFrame& frame,
                     const std::vector<AtomRef>& picked) {
  std::vector<geometry::Fractional> positions;
  for (const AtomRef& ref : picked) {
    positions.push_back(geometry::fractionalOfViewPosition(frame, s.viewOf(ref)));
    checkNewPosition(s, ref, positions.back());
  }
  for (std::size_t i = 0; i < picked.size(); ++i)
    setPosition(s, picked[i], positions[i]);
}

std::vector<std::string> adoptCopies(StructureModel& s, const std::vector<AtomRef>& picked) {
  struct Planned {
    AtomRef copy;  // None for a riding H atom that goes along with its parent
    AtomRef source;
    int unit = 0;
    geometry::Fractional position;
  };
  std::vector<std::string> messages;
  std::vector<Planned> planned;
  const auto plan = [&](AtomRef copy, AtomRef source, int unitNumber) {
    // An entry moves once, whether its copy was picked or it rides on a picked parent.
    for (const Planned& p : planned) {
      if (p.source == source) return;
    }
    const model::ExpansionOp& unit = s.symmetry.expansionOps[static_cast<size_t>(unitNumber - 1)];
    const geometry::Fractional position = geometry::applyOperator(
        s.symmetry, unit.op, positionOf(s, source), unit.ta, unit.tb, unit.tc);
    checkNewPosition(s, source, position);
    planned.push_back({copy, source, unitNumber, position});
  };
  for (const AtomRef& copy : picked) {
    const std::optional<CopySource> from = sourceOf(s, copy);
    if (!from) {
      messages.emplace_back(noStarInCopyMessage);
      continue;
    }
    plan(copy, from->source, from->unit);
    // The H atoms riding on an adopted parent go with it: SHELXL takes their torsion from where
    // they stand.
    const int group =
        from->source.kind == AtomKind::Atom ? s.atoms[from->source.index].afixGroup : 0;
    for (int k = 1; group >= 1 && k <= s.hCount; ++k) {
      if (s.hydrogens[k].afixGroup != group) continue;
      // Its copy in the same unit, where the expansion laid the H atoms out unit after unit.
      const int copyIndex = from->unit * s.hCount + k;
      const AtomRef hydrogenCopy =
          copyIndex <= s.workingHCount ? AtomRef{AtomKind::Hydrogen, copyIndex} : AtomRef{};
      plan(hydrogenCopy, {AtomKind::Hydrogen, k}, from->unit);
    }
  }
  for (const Planned& p : planned) {
    if (p.copy.kind != AtomKind::None) std::swap(s.viewOf(p.copy), s.viewOf(p.source));
    setPosition(s, p.source, p.position);
    if (p.source.kind == AtomKind::Atom && s.atoms[p.source.index].aniso == 1) {
      const int op = s.symmetry.expansionOps[static_cast<size_t>(p.unit - 1)].op;
      geometry::turnDisplacement(s.cell, s.symmetry, op, s.atoms[p.source.index]);
    }
  }
  return messages;
}

void centreView(StructureModel& s, geometry::ViewFrame& frame, const model::Vec3& centre) {
  const auto shift = [&](int kind, int count) {
    for (int i = 1; i <= count; ++i)
      s.view[static_cast<std::size_t>(kind)][i] -= centre;
  };
  shift(1, s.workingAtomCount);
  shift(2, s.workingHCount);
  shift(3, s.workingPeakCount);
  for (std::size_t slot = 1; slot <= 9; ++slot)
    frame.viewSlots[slot] -= centre;
}

std::vector<ViewTurn> alignTurns(const model::Vec3& v, int axis, int sense) {
  constexpr double halfPi = 1.5707963267948966;
  constexpr double pi = 3.141592653589793;
  std::vector<ViewTurn> turns;
  const double inPlane = std::sqrt(v.x * v.x + v.y * v.y);
  const double length = std::sqrt(inPlane * inPlane + v.z * v.z);
  if (length == 0) return turns;  // the same atom twice: no direction to align
  // A vector along the viewing axis needs no turn about it.
  double phi = inPlane == 0 ? 0 : std::acos(std::clamp(-v.x / inPlane, -1.0, 1.0));
  if (v.y < 0) phi = -phi;
  double theta = std::acos(std::clamp(inPlane / length, -1.0, 1.0));
  if (v.z >= 0) theta = -theta;
  turns.push_back({true, phi});
  turns.push_back({false, theta});
  if (sense == 1) {
    if (axis == 1) turns.push_back({true, pi});
    if (axis == 2) turns.push_back({true, -halfPi});
    if (axis == 3) turns.push_back({false, halfPi});
  } else {
    if (axis == 2) turns.push_back({true, halfPi});
    if (axis == 3) turns.push_back({false, -halfPi});
  }
  return turns;
}

}  // namespace tavo::editing
