// The contents of the unit cell by element, as SHELXL's UNIT card counts them.
#pragma once

#include <vector>

namespace tavo::model {

class StructureModel;

/// The number of atoms of each SFAC element in the unit cell: over the atoms and H atoms of the
/// file (not the copies of an expansion), the sum of sof x the number of symmetry operators with
/// centring (`symmetry.opCount`). SHELXL's sof already holds the site symmetry of an atom on a
/// special position, so the sum is the UNIT number. A sum that misses a whole number by no more
/// than the five decimals of the sofs allow (0.02083 x 192 = 3.99936) is that whole number.
/// Entry e is element e (1..elementCount);
/// entry 0 is unused. An atom whose SFAC number names no element is not counted.
std::vector<double> cellContents(const StructureModel& structure);

}  // namespace tavo::model
