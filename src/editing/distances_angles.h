// The read-out of the Dist/Ang mode: the neighbours of a picked atom with distances and angles.
#pragma once

#include <vector>

#include "model/atom_ref.h"
#include "model/structure_model.h"
#include "text/text_grid.h"

namespace tavo::editing {

/// The neighbours of `picked` in BondList order: bonded atoms, H atoms and peaks above
/// `peakThreshold` for an atom; bonded atoms and peaks for a peak; none for an H atom.
std::vector<model::AtomRef> neighboursOf(const model::StructureModel& structure,
                                         model::AtomRef picked, double peakThreshold);

/// The grid of the "Distances and Angles" window: heading row, then one row per pair of
/// neighbours that may stand together (not from two alternative disorder components), or the
/// "Not Enough Bonds Here To Show!" row when there is no such pair.
text::TextGrid distancesAnglesGrid(const model::StructureModel& structure, model::AtomRef picked,
                                   double peakThreshold);

/// The angle at `b` in degrees, from the three view distances.
double bondAngleOf(const model::StructureModel& structure, model::AtomRef a, model::AtomRef b,
                   model::AtomRef c);

}  // namespace tavo::editing
