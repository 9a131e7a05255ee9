// Renumbering picked atoms with numbers or letters: the renaming table and the new labels.
#pragma once

#include <string>
#include <vector>

#include "editing/selection.h"
#include "model/atom_labels.h"
#include "model/structure_model.h"
#include "text/text_grid.h"

namespace tavo::editing {

/// Shown for each row from 27 on of a renumbering with letters.
inline constexpr const char* lettersExceededMessage =
    "The number exceeds the limit (Max=26)!  Numerical values will be employed for the names "
    "above the maximum limitation";

/// A renumbering planned: the renaming table ("OldName", "NewName" and one row per atom), the
/// renames of the atoms and the messages to show.
struct RenumberPlan {
  text::TextGrid table;
  std::vector<model::AtomRename> renames;
  std::vector<std::string> messages;
};

/// Renumbering with numbers: entry r (from 1) of `picked` becomes `symbol` followed by
/// first + r - 1. Peaks are left out.
RenumberPlan renumberWithNumbers(const model::StructureModel& structure,
                                 const std::vector<model::AtomRef>& picked,
                                 const std::string& symbol, int first);

/// Renumbering with letters: the base is the first picked label (upper case) without its last
/// letter when it ends in a letter and has at least three characters, else the whole label;
/// entry r takes letter r of the alphabet, and from 27 on its row number (with the message).
RenumberPlan renumberWithLetters(const model::StructureModel& structure,
                                 const std::vector<model::AtomRef>& picked);

}  // namespace tavo::editing
