// Bond detection by cell list, its plain reference, and the BIND cards.
#include "geometry/bonds.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "geometry/cell_metrics.h"
#include "text/text.h"

namespace tavo::geometry {

using model::Vec3;

std::string bondLimitMessage(int kind, int conMax) {
  return std::string(bondLimitMessageHead) + std::string(bondKindNames[kind]) +
         std::string(bondLimitMessageMiddle) + std::to_string(conMax) +
         std::string(bondLimitMessageTail);
}

double elementRadius(const model::StructureModel& structure, int sfac) {
  if (sfac < 0 || sfac > structure.elements.capacity()) return 0;
  return structure.elements[sfac].radius;
}

namespace {

// Appends the pairs of one kind up to con_max − 1 of them; the first pair beyond shows the
// message and closes the kind.
class KindFiller {
 public:
  KindFiller(model::StructureModel& structure, int kind, model::Dialogs& dialogs)
      : m_list(structure.bonds.kinds[static_cast<size_t>(kind)]),
        m_dialogs(dialogs),
        m_kind(kind),
        m_conMax(structure.limits.conMax),
        m_capacity(static_cast<size_t>(std::max(structure.limits.conMax - 1, 0))) {
    if (m_list.capacity() < m_capacity) m_list.reserve(m_capacity);
  }
  size_t capacity() const { return m_capacity; }
  bool add(int first, int second) {
    if (m_full) return false;
    if (m_list.size() >= m_capacity) {
      m_full = true;
      m_dialogs.message(bondLimitMessage(m_kind, m_conMax));
      return false;
    }
    m_list.push_back({first, second});
    return true;
  }
  void clear() { m_list.clear(); }

 private:
  std::vector<model::Bond>& m_list;
  model::Dialogs& m_dialogs;
  int m_kind;
  int m_conMax;
  size_t m_capacity;
  bool m_full = false;
};

// The view positions of entries 0..count of a kind (1 atoms, 2 H atoms, 3 peaks).
const Vec3* viewOfKind(model::StructureModel& structure, int kind, int count) {
  return structure.view[static_cast<size_t>(kind)].upTo(count);
}

double atomRadius(const model::StructureModel& structure, int i) {
  return elementRadius(structure, structure.atoms[i].sfac);
}

double hydrogenRadius(const model::StructureModel& structure, int i) {
  return elementRadius(structure, structure.hydrogens[i].sfac);
}

bool hydrogenKindRuns(const model::StructureModel& s, const BondThresholds& t) {
  return t.showHydrogens && s.workingHCount > 0;
}

bool peakKindsRun(const model::StructureModel& s, const BondThresholds& t) {
  return t.showPeaks && s.workingPeakCount > 0;
}

// ---- Plain double loops.

void plainAtomBonds(model::StructureModel& s, const BondThresholds& t, const PartRule& parts,
                    model::Dialogs& d) {
  KindFiller bonds(s, 1, d);
  bonds.clear();
  const Vec3* view = viewOfKind(s, 1, s.workingAtomCount);
  const int n = s.workingAtomCount;
  for (int i = 1; i <= n - 1; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      if (parts.allows(s.atoms[i].part, s.atoms[j].part) &&
          copiesMayBond(s.atoms[i].part, s.atoms[i].unit, s.atoms[j].part, s.atoms[j].unit) &&
          viewDistance(view[i], view[j]) <
              bondLimit(t.bondFactor, atomRadius(s, i), atomRadius(s, j))) {
        if (!bonds.add(i, j)) return;
      }
    }
  }
}

// Kinds 2 and 3: every entry of `kind` against every non-H atom of a part it may bond to.
template <class Radius, class Part, class Unit>
void plainToAtoms(model::StructureModel& s, int bondKind, int kind, int count, int factor,
                  const Radius& radiusOf, const Part& partOf, const Unit& unitOf,
                  const PartRule& parts, model::Dialogs& d) {
  KindFiller bonds(s, bondKind, d);
  bonds.clear();
  const Vec3* from = viewOfKind(s, kind, count);
  const Vec3* atoms = viewOfKind(s, 1, s.workingAtomCount);
  for (int i = 1; i <= count; ++i) {
    for (int j = 1; j <= s.workingAtomCount; ++j) {
      if (parts.allows(partOf(i), s.atoms[j].part) &&
          copiesMayBond(partOf(i), unitOf(i), s.atoms[j].part, s.atoms[j].unit) &&
          viewDistance(from[i], atoms[j]) < bondLimit(factor, radiusOf(i), atomRadius(s, j))) {
        if (!bonds.add(i, j)) return;
      }
    }
  }
}

void plainPeakPeak(model::StructureModel& s, const BondThresholds& t, model::Dialogs& d) {
  KindFiller bonds(s, 4, d);
  bonds.clear();
  const Vec3* view = viewOfKind(s, 3, s.workingPeakCount);
  const double r0 = elementRadius(s, 0);
  const int n = s.workingPeakCount;
  for (int i = 1; i <= n - 1; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      if (viewDistance(view[i], view[j]) < bondLimit(t.peakBondFactor, r0, r0)) {
        if (!bonds.add(i, j)) return;
      }
    }
  }
}

}  // namespace

void detectConnectionPlain(model::StructureModel& s, const BondThresholds& t, model::Dialogs& d) {
  const PartRule parts = partRuleOf(s);
  plainAtomBonds(s, t, parts, d);
  addBindBonds(s, d);
  if (hydrogenKindRuns(s, t)) {
    plainToAtoms(
        s, 2, 2, s.workingHCount, t.bondFactor, [&s](int i) { return hydrogenRadius(s, i); },
        [&s](int i) { return s.hydrogens[i].part; }, [&s](int i) { return s.hydrogens[i].unit; },
        parts, d);
  }
  if (peakKindsRun(s, t)) {
    const double r0 = elementRadius(s, 0);
    plainToAtoms(
        s, 3, 3, s.workingPeakCount, t.peakBondFactor, [r0](int) { return r0; },
        [](int) { return 0; }, [](int) { return 0; }, parts, d);
    plainPeakPeak(s, t, d);
  }
}

// ---- BIND cards.

namespace {

// The two names of a BIND card, or nothing when the card does not have exactly two.
bool bindNames(const std::string& line, std::string& first, std::string& second) {
  size_t starts[2] = {0, 0};
  int found = 0;
  // Token starts: a blank followed by a non-blank, from the fourth character on.
  for (size_t q = 3; q + 1 < line.size(); ++q) {
    if (line[q] == ' ' && line[q + 1] != ' ') {
      if (found == 2) return false;
      starts[found++] = q;
    }
  }
  if (found != 2) return false;
  first =
      text::upper(text::trimLine(std::string_view(line).substr(starts[0], starts[1] - starts[0])));
  second = text::upper(text::trimLine(std::string_view(line).substr(starts[1])));
  return true;
}

int lastAtomLabelled(const model::StructureModel& s, const std::string& name) {
  int found = 0;
  for (int i = 1; i <= s.nonHCount; ++i) {
    if (text::upper(text::trimLine(s.atoms[i].label)) == name) found = i;
  }
  return found;
}

// The two PART numbers of a "BIND m n" card; atom names never start with a digit or a sign.
bool bindParts(const std::string& first, const std::string& second, int& firstPart,
               int& secondPart) {
  const std::optional<int> a = text::findInt(first);
  const std::optional<int> b = text::findInt(second);
  if (!a || !b) return false;
  firstPart = *a;
  secondPart = *b;
  return true;
}

}  // namespace

void PartRule::allowPair(int first, int second) {
  const std::pair<int, int> pair = std::minmax(first, second);
  if (std::find(m_pairs.begin(), m_pairs.end(), pair) == m_pairs.end()) m_pairs.push_back(pair);
}

bool PartRule::listed(int first, int second) const {
  const std::pair<int, int> pair = std::minmax(first, second);
  return std::find(m_pairs.begin(), m_pairs.end(), pair) != m_pairs.end();
}

PartRule partRuleOf(const model::StructureModel& s) {
  PartRule rule;
  std::string first, second;
  int firstPart = 0, secondPart = 0;
  for (const std::string& line : s.instructionLines) {
    if (text::startsWithUpper(line, "BIND") && bindNames(line, first, second) &&
        bindParts(first, second, firstPart, secondPart)) {
      rule.allowPair(firstPart, secondPart);
    }
  }
  return rule;
}

int partOf(const model::StructureModel& s, model::AtomRef ref) {
  switch (ref.kind) {
    case model::AtomKind::Atom:
      return s.atoms[ref.index].part;
    case model::AtomKind::Hydrogen:
      return s.hydrogens[ref.index].part;
    case model::AtomKind::Peak:
    case model::AtomKind::None:
      break;
  }
  return 0;
}

void addBindBonds(model::StructureModel& s, model::Dialogs& d) {
  KindFiller bonds(s, 1, d);
  std::string first, second;
  int firstPart = 0, secondPart = 0;
  for (const std::string& line : s.instructionLines) {
    if (!text::startsWithUpper(line, "BIND") || !bindNames(line, first, second)) continue;
    if (bindParts(first, second, firstPart, secondPart)) continue;
    const int a = lastAtomLabelled(s, first);
    const int b = lastAtomLabelled(s, second);
    if (a > 0 && b > 0 && !bonds.add(a, b)) return;
  }
}

// ---- Cell list.

namespace {

struct RadiusRange {
  double low = INFINITY;
  double high = -INFINITY;
  void add(double r) {
    low = std::fmin(low, r);
    high = std::fmax(high, r);
  }
  bool empty() const { return low > high; }
};

// The largest limit any pair of radii from the two ranges can have (the limit is linear in the
// radius sum, so it is largest at one of the extremes). 0 when no pair can bond.
double largestLimit(int factor, const RadiusRange& first, const RadiusRange& second) {
  if (first.empty() || second.empty()) return 0;
  const double limit = std::fmax(bondLimit(factor, first.high, second.high),
                                 bondLimit(factor, first.low, second.low));
  return limit > 0 ? limit : 0;
}

// True when p and q are certainly farther apart than `reach`: a cheap squared test ahead of the
// exact one, with a margin so that rounding can never reject a pair the exact test accepts.
inline bool beyondReach(const Vec3& p, const Vec3& q, double reachSquared) {
  const double dx = p.x - q.x;
  const double dy = p.y - q.y;
  const double dz = p.z - q.z;
  return dx * dx + dy * dy + dz * dz > reachSquared;
}

double reachSquared(double reach) {
  return reach * reach * (1 + 1e-9);
}

// Finds the partners of every query, visiting the queries in `order` (cell order, so that
// neighbouring cells stay in the cache), and stores them by ascending query index and, within
// one query, ascending partner index: the order of the plain loops. `findPartners(i)` appends
// the partners of query i to w.partners. Should a degenerate structure collect far more pairs
// than a kind can hold, the queries are redone in index order, which stops at the capacity.
template <class FindPartners>
void storeInIndexOrder(int count, const std::vector<int>& order, const FindPartners& findPartners,
                       KindFiller& bonds, BondWorkspace& w) {
  const auto size = static_cast<size_t>(count) + 1;
  w.blocks.assign(size, {});
  w.partners.clear();
  const size_t collectLimit = bonds.capacity() + 8 * size + 1024;
  for (const int i : order) {
    const size_t start = w.partners.size();
    findPartners(i);
    std::sort(w.partners.begin() + static_cast<std::ptrdiff_t>(start), w.partners.end());
    // Most entries have no partner: their empty block needs no (cache-missing) write.
    if (w.partners.size() > start) {
      w.blocks[static_cast<size_t>(i)] = {static_cast<std::uint32_t>(start),
                                          static_cast<std::uint32_t>(w.partners.size())};
    }
    if (w.partners.size() > collectLimit) {
      for (int k = 1; k <= count; ++k) {
        w.partners.clear();
        findPartners(k);
        std::sort(w.partners.begin(), w.partners.end());
        for (const int j : w.partners) {
          if (!bonds.add(k, j)) return;
        }
      }
      return;
    }
  }
  for (int i = 1; i <= count; ++i) {
    const PartnerBlock block = w.blocks[static_cast<size_t>(i)];
    for (std::uint32_t k = block.start; k < block.end; ++k) {
      if (!bonds.add(i, w.partners[k])) return;
    }
  }
}

// The queries 1..count ordered by the atom-grid cell they fall in (a counting sort); queries
// with a non-finite position are left out, as they bond with nothing.
void orderByCell(const SpatialGrid& grid, const Vec3* points, int count, BondWorkspace& w) {
  w.cellKeys.resize(static_cast<size_t>(count) + 1);
  w.keyStart.assign(static_cast<size_t>(grid.cellCount()) + 1, 0);
  int kept = 0;
  for (int i = 1; i <= count; ++i) {
    const int key = grid.cellKeyOf(points[i]);
    w.cellKeys[static_cast<size_t>(i)] = key;
    if (key < 0) continue;
    ++w.keyStart[static_cast<size_t>(key) + 1];
    ++kept;
  }
  for (size_t k = 1; k < w.keyStart.size(); ++k)
    w.keyStart[k] += w.keyStart[k - 1];
  w.queryOrder.resize(static_cast<size_t>(kept));
  for (int i = 1; i <= count; ++i) {
    const int key = w.cellKeys[static_cast<size_t>(i)];
    if (key >= 0) w.queryOrder[static_cast<size_t>(w.keyStart[static_cast<size_t>(key)]++)] = i;
  }
}

// The queries of a grid over their own points: its items in cell order.
void orderAsGrid(const SpatialGrid& grid, BondWorkspace& w) {
  w.queryOrder.resize(static_cast<size_t>(grid.size()));
  for (int slot = 0; slot < grid.size(); ++slot)
    w.queryOrder[static_cast<size_t>(slot)] = grid.item(slot);
}

void gridAtomBonds(model::StructureModel& s, const BondThresholds& t, const PartRule& parts,
                   model::Dialogs& d, BondWorkspace& w, double reach) {
  KindFiller bonds(s, 1, d);
  bonds.clear();
  if (!(reach > 0)) return;
  const Vec3* view = viewOfKind(s, 1, s.workingAtomCount);
  const double* radii = w.atomRadii.data();
  const double* slotRadii = w.slotRadii.data();
  const int* slotParts = w.slotParts.data();
  const int* slotUnits = w.slotUnits.data();
  const int factor = t.bondFactor;
  const double reach2 = reachSquared(reach);
  orderAsGrid(w.atomGrid, w);
  storeInIndexOrder(
      s.workingAtomCount, w.queryOrder,
      [&](int i) {
        const Vec3 p = view[i];
        const double ri = radii[i];
        const int pi = w.atomParts[static_cast<size_t>(i)];
        const int ui = w.atomUnits[static_cast<size_t>(i)];
        w.atomGrid.forEachNear(p, [&](int j, const Vec3& q, int slot) {
          // The part test comes last: it is cheap, but few candidates get that far.
          if (j > i && !beyondReach(p, q, reach2) &&
              viewDistance(p, q) < bondLimit(factor, ri, slotRadii[slot]) &&
              parts.allows(pi, slotParts[slot]) &&
              copiesMayBond(pi, ui, slotParts[slot], slotUnits[slot])) {
            w.partners.push_back(j);
          }
        });
      },
      bonds, w);
}

template <class Radius, class Part, class Unit>
void gridToAtoms(model::StructureModel& s, int bondKind, int count, int factor,
                 const Radius& radiusOf, const Part& partOf, const Unit& unitOf,
                 const PartRule& parts, model::Dialogs& d, BondWorkspace& w, double reach) {
  KindFiller bonds(s, bondKind, d);
  bonds.clear();
  if (!(reach > 0)) return;
  const Vec3* from = viewOfKind(s, bondKind, count);  // kind 2 = H atoms, kind 3 = peaks
  const double* slotRadii = w.slotRadii.data();
  const int* slotParts = w.slotParts.data();
  const int* slotUnits = w.slotUnits.data();
  const double reach2 = reachSquared(reach);
  orderByCell(w.atomGrid, from, count, w);
  storeInIndexOrder(
      count, w.queryOrder,
      [&](int i) {
        const Vec3 p = from[i];
        const double ri = radiusOf(i);
        const int pi = partOf(i);
        const int ui = unitOf(i);
        w.atomGrid.forEachNear(p, [&](int j, const Vec3& q, int slot) {
          if (!beyondReach(p, q, reach2) &&
              viewDistance(p, q) < bondLimit(factor, ri, slotRadii[slot]) &&
              parts.allows(pi, slotParts[slot]) &&
              copiesMayBond(pi, ui, slotParts[slot], slotUnits[slot])) {
            w.partners.push_back(j);
          }
        });
      },
      bonds, w);
}

void gridPeakPeak(model::StructureModel& s, const BondThresholds& t, model::Dialogs& d,
                  BondWorkspace& w) {
  KindFiller bonds(s, 4, d);
  bonds.clear();
  const double r0 = elementRadius(s, 0);
  const double limit = bondLimit(t.peakBondFactor, r0, r0);
  if (!(limit > 0)) return;
  const Vec3* view = viewOfKind(s, 3, s.workingPeakCount);
  const double reach2 = reachSquared(limit);
  w.peakGrid.build(view, s.workingPeakCount, limit);
  orderAsGrid(w.peakGrid, w);
  storeInIndexOrder(
      s.workingPeakCount, w.queryOrder,
      [&](int i) {
        const Vec3 p = view[i];
        w.peakGrid.forEachNear(p, [&](int j, const Vec3& q, int) {
          if (j > i && !beyondReach(p, q, reach2) && viewDistance(p, q) < limit) {
            w.partners.push_back(j);
          }
        });
      },
      bonds, w);
}

}  // namespace

constexpr int radiusPrefetch = 16;

void DetectConnection(model::StructureModel& s, const BondThresholds& t, model::Dialogs& d,
                      BondWorkspace& w) {
  const bool hydrogens = hydrogenKindRuns(s, t);
  const bool peaks = peakKindsRun(s, t);
  const double r0 = elementRadius(s, 0);

  RadiusRange atomRange, hydrogenRange, peakRange;
  w.atomRadii.resize(static_cast<size_t>(std::max(s.workingAtomCount, 0)) + 1);
  w.atomParts.resize(w.atomRadii.size());
  w.atomUnits.resize(w.atomRadii.size());
  for (int i = 1; i <= s.workingAtomCount; ++i) {
    // The atom records are large: fetch the sfac of later ones while this one is read.
    if (i + radiusPrefetch <= s.workingAtomCount)
      __builtin_prefetch(&s.atoms[i + radiusPrefetch].sfac);
    w.atomRadii[static_cast<size_t>(i)] = atomRadius(s, i);
    w.atomParts[static_cast<size_t>(i)] = s.atoms[i].part;
    w.atomUnits[static_cast<size_t>(i)] = s.atoms[i].unit;
    atomRange.add(w.atomRadii[static_cast<size_t>(i)]);
  }
  if (hydrogens) {
    w.hydrogenRadii.resize(static_cast<size_t>(s.workingHCount) + 1);
    w.hydrogenParts.resize(w.hydrogenRadii.size());
    w.hydrogenUnits.resize(w.hydrogenRadii.size());
    for (int i = 1; i <= s.workingHCount; ++i) {
      if (i + radiusPrefetch <= s.workingHCount) {
        __builtin_prefetch(&s.hydrogens[i + radiusPrefetch].sfac);
      }
      w.hydrogenRadii[static_cast<size_t>(i)] = hydrogenRadius(s, i);
      w.hydrogenParts[static_cast<size_t>(i)] = s.hydrogens[i].part;
      w.hydrogenUnits[static_cast<size_t>(i)] = s.hydrogens[i].unit;
      hydrogenRange.add(w.hydrogenRadii[static_cast<size_t>(i)]);
    }
  }
  peakRange.add(r0);

  const double reach1 = largestLimit(t.bondFactor, atomRange, atomRange);
  const double reach2 = hydrogens ? largestLimit(t.bondFactor, hydrogenRange, atomRange) : 0;
  const double reach3 = peaks ? largestLimit(t.peakBondFactor, peakRange, atomRange) : 0;
  w.atomGrid.build(viewOfKind(s, 1, s.workingAtomCount), s.workingAtomCount,
                   std::max({reach1, reach2, reach3}));
  w.slotRadii.resize(static_cast<size_t>(w.atomGrid.size()));
  w.slotParts.resize(static_cast<size_t>(w.atomGrid.size()));
  w.slotUnits.resize(static_cast<size_t>(w.atomGrid.size()));
  for (int slot = 0; slot < w.atomGrid.size(); ++slot) {
    const int i = w.atomGrid.item(slot);
    w.slotRadii[static_cast<size_t>(slot)] = w.atomRadii[static_cast<size_t>(i)];
    w.slotParts[static_cast<size_t>(slot)] = w.atomParts[static_cast<size_t>(i)];
    w.slotUnits[static_cast<size_t>(slot)] = w.atomUnits[static_cast<size_t>(i)];
  }

  const PartRule parts = partRuleOf(s);
  gridAtomBonds(s, t, parts, d, w, reach1);
  addBindBonds(s, d);
  if (hydrogens) {
    const double* radii = w.hydrogenRadii.data();
    gridToAtoms(
        s, 2, s.workingHCount, t.bondFactor, [radii](int i) { return radii[i]; },
        [&w](int i) { return w.hydrogenParts[static_cast<size_t>(i)]; },
        [&w](int i) { return w.hydrogenUnits[static_cast<size_t>(i)]; }, parts, d, w, reach2);
  }
  if (peaks) {
    gridToAtoms(
        s, 3, s.workingPeakCount, t.peakBondFactor, [r0](int) { return r0; }, [](int) { return 0; },
        [](int) { return 0; }, parts, d, w, reach3);
    gridPeakPeak(s, t, d, w);
  }
}

void DetectConnection(model::StructureModel& structure, const BondThresholds& thresholds,
                      model::Dialogs& dialogs) {
  BondWorkspace workspace;
  DetectConnection(structure, thresholds, dialogs, workspace);
}

}  // namespace tavo::geometry
