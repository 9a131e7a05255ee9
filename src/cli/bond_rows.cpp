// The bonds of a loaded structure for tavo-cli info.
#include "cli/info_command.h"
#include "geometry/cell_metrics.h"

namespace tavo::cli {

BondRows bondRowsOf(const model::StructureModel& structure) {
  BondRows result;
  result.available = true;
  using model::AtomKind;
  for (const model::Bond& b : structure.bonds.kinds[1]) {
    result.rows.push_back(
        {structure.atoms[b.first].label, structure.atoms[b.second].label,
         geometry::viewDistance(structure, {AtomKind::Atom, b.first}, {AtomKind::Atom, b.second})});
  }
  for (const model::Bond& b : structure.bonds.kinds[2]) {
    result.rows.push_back({structure.hydrogens[b.first].label, structure.atoms[b.second].label,
                           geometry::viewDistance(structure, {AtomKind::Hydrogen, b.first},
                                                  {AtomKind::Atom, b.second})});
  }
  return result;
}

}  // namespace tavo::cli
