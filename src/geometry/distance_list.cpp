// Filling the distance list from the bond list.
#include "geometry/distance_list.h"

#include <string>

#include "geometry/bonds.h"
#include "geometry/cell_metrics.h"
#include "text/text.h"

namespace tavo::geometry {

using model::AtomKind;
using model::AtomRef;

namespace {

constexpr std::string_view peakPrefix = "Pk.";

std::string nameOf(const model::StructureModel& structure, AtomRef ref) {
  switch (ref.kind) {
    case AtomKind::Atom:
      return structure.atoms[ref.index].label;
    case AtomKind::Hydrogen:
      return structure.hydrogens[ref.index].label;
    case AtomKind::Peak:
      return std::string(peakPrefix) + std::to_string(ref.index);
    case AtomKind::None:
      break;
  }
  return {};
}

double radiusOf(const model::StructureModel& structure, AtomRef ref) {
  switch (ref.kind) {
    case AtomKind::Atom:
      return elementRadius(structure, structure.atoms[ref.index].sfac);
    case AtomKind::Hydrogen:
      return elementRadius(structure, structure.hydrogens[ref.index].sfac);
    case AtomKind::Peak:
      return elementRadius(structure, 0);
    case AtomKind::None:
      break;
  }
  return 0;
}

// The kinds of the two ends of each bond kind.
constexpr AtomKind firstEnd[5] = {AtomKind::None, AtomKind::Atom, AtomKind::Hydrogen,
                                  AtomKind::Peak, AtomKind::Peak};
constexpr AtomKind secondEnd[5] = {AtomKind::None, AtomKind::Atom, AtomKind::Atom, AtomKind::Atom,
                                   AtomKind::Peak};

}  // namespace

text::TextGrid ShowDistances(const model::StructureModel& structure) {
  int rows = 0;
  for (int kind = 1; kind <= 4; ++kind)
    rows += structure.bonds.count(kind);
  text::TextGrid grid(rows, 5);
  int row = 0;
  for (size_t kind = 1; kind <= 4; ++kind) {
    int number = 0;
    for (const model::Bond& bond : structure.bonds.kinds[kind]) {
      const AtomRef first{firstEnd[kind], bond.first};
      const AtomRef second{secondEnd[kind], bond.second};
      const double distance = viewDistance(structure, first, second);
      const double radiusSum = radiusOf(structure, first) + radiusOf(structure, second);
      grid.setRow(row++,
                  {std::to_string(++number), nameOf(structure, first), nameOf(structure, second),
                   text::cut(text::formatGeneral(distance), 6), text::formatGeneral(radiusSum)});
    }
  }
  return grid;
}

}  // namespace tavo::geometry
