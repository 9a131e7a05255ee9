// The Name edit: picked atoms take an element and a new label, picked peaks become atoms.
#pragma once

#include <string>
#include <vector>

#include "editing/selection.h"
#include "geometry/view_frame.h"
#include "model/structure_model.h"

namespace tavo::editing {

/// The messages of a Name that cannot change a picked entry (the entry is left as it is).
inline constexpr const char* renameNonHIntoHMessage =
    "Renaming of nonH into H is not allowed. Change them manually!!";
inline constexpr const char* renameHMessage = "Renaming of Hs not allowed.  Change them manually!!";

/// The Name section for element `element` (an ElementTable index) with symbol `symbol`: each
/// picked non-H atom takes the element and the label symbol + the next free number (counting on
/// from the atoms of that element), renamed in every card that names it; each picked peak
/// becomes a new isotropic atom (or H atom for "H") at its position with that kind of label and
/// is marked for the purge. A `typedLabel` the user typed (not empty) is the label of the first
/// picked entry instead; it must be free as well (UserError otherwise), and the entries after it
/// take the next free numbers. Labels are free when no atom or H atom holds them (case ignored).
/// Every new label is checked before anything changes (UserError for one SHELXL cannot read,
/// such as one longer than four characters). Turning a non-H atom into H, or an H atom into
/// anything, is refused with a message for a SHELXL structure; for one from the Cartesian or PDB
/// importer (`coordinateImport`) the entry becomes a peak at its place in `frame`, which then
/// becomes the new atom or H atom, and the entry is marked for the purge. Returns the messages
/// for entries left unchanged.
std::vector<std::string> nameSelection(model::StructureModel& structure, Selection& selection,
                                       int element, const std::string& symbol,
                                       const geometry::ViewFrame& frame, bool coordinateImport,
                                       const std::string& typedLabel = {});

}  // namespace tavo::editing
