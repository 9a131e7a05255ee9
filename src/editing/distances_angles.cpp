// Neighbours, distances and angles around a picked atom.
#include "editing/distances_angles.h"

#include <cmath>

#include "editing/pick.h"
#include "editing/pick_rules.h"
#include "geometry/bonds.h"
#include "geometry/cell_metrics.h"
#include "text/text.h"

namespace tavo::editing {

namespace {

using model::AtomKind;
using model::AtomRef;

std::string nameOf(const model::StructureModel& s, AtomRef ref) {
  switch (ref.kind) {
    case AtomKind::Atom:
      return s.atoms[ref.index].label;
    case AtomKind::Hydrogen:
      return s.hydrogens[ref.index].label;
    case AtomKind::Peak:
      return "Pk." + std::to_string(ref.index);
    case AtomKind::None:
      break;
  }
  return {};
}

std::string rounded(double value, double factor) {
  return text::formatShortest(text::roundHalfEven(value * factor) / factor);
}

}  // namespace

double bondAngleOf(const model::StructureModel& s, AtomRef a, AtomRef b, AtomRef c) {
  return geometry::bondAngle(s, a, b, c);
}

std::vector<AtomRef> neighboursOf(const model::StructureModel& s, AtomRef picked,
                                  double peakThreshold) {
  std::vector<AtomRef> list;
  const auto above = [&](int peak) { return peakHeight(s, peak) > peakThreshold; };
  const auto& bonds = s.bonds.kinds;
  const int i = picked.index;
  if (picked.kind == AtomKind::Atom) {
    for (const model::Bond& b : bonds[1]) {
      if (b.first == i)
        list.push_back({AtomKind::Atom, b.second});
      else if (b.second == i)
        list.push_back({AtomKind::Atom, b.first});
    }
    // Kinds 2 and 3 hold (H atom or peak, atom).
    for (const model::Bond& b : bonds[2]) {
      if (b.second == i) list.push_back({AtomKind::Hydrogen, b.first});
    }
    for (const model::Bond& b : bonds[3]) {
      if (b.second == i && above(b.first)) list.push_back({AtomKind::Peak, b.first});
    }
  } else if (picked.kind == AtomKind::Peak && above(i)) {
    for (const model::Bond& b : bonds[3]) {
      if (b.first == i) list.push_back({AtomKind::Atom, b.second});
    }
    for (const model::Bond& b : bonds[4]) {
      const int other = b.first == i ? b.second : b.second == i ? b.first : 0;
      if (other != 0 && above(other)) list.push_back({AtomKind::Peak, other});
    }
  }
  return list;
}

text::TextGrid distancesAnglesGrid(const model::StructureModel& s, AtomRef picked,
                                   double peakThreshold) {
  text::TextGrid grid(1, 6);
  grid.setRow(0, {"Atom1", "Dist.", "Atom2", "Dist.", "Atom3", "Angle"});
  const std::vector<AtomRef> n = neighboursOf(s, picked, peakThreshold);
  // Two neighbours from alternative disorder components are never there together: no angle.
  const geometry::PartRule parts = geometry::partRuleOf(s);
  int row = 1;
  for (size_t i = 0; i < n.size(); ++i) {
    for (size_t j = i + 1; j < n.size(); ++j) {
      if (!parts.allows(geometry::partOf(s, n[i]), geometry::partOf(s, n[j]))) continue;
      grid.setRow(row++, {nameOf(s, n[i]), rounded(viewDistanceOf(s, picked, n[i]), 1000),
                          nameOf(s, picked), rounded(viewDistanceOf(s, picked, n[j]), 1000),
                          nameOf(s, n[j]), rounded(bondAngleOf(s, n[i], picked, n[j]), 100)});
    }
  }
  if (row == 1) grid.setRow(1, {"Not", "Enough", "Bonds", "Here", "To", "Show!"});
  return grid;
}

}  // namespace tavo::editing
