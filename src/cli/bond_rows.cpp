// The bonds of a freshly loaded structure for tavo-cli info.
#include "cli/info_command.h"
#include "geometry/bonds.h"
#include "geometry/cell_metrics.h"
#include "geometry/view_frame.h"

namespace tavo::cli {

BondRows detectBondRows(model::StructureModel& structure, ConsoleDialogs& dialogs) {
  geometry::ViewFrame frame;
  geometry::UnitCellClick(structure, frame);
  geometry::resetViewCoordinates(structure, frame, false);
  geometry::DetectConnection(structure, geometry::BondThresholds{}, dialogs);
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
