// The Selection buttons and the memory modes: remember, restore, reverse, and the stash of the
// Selection in the working grid across a Rotate interlude.
#pragma once

#include <filesystem>

#include "editing/selection.h"
#include "model/structure_model.h"
#include "text/text_grid.h"

namespace tavo::editing {

/// Row 0 of the working grid while it holds a stashed Selection.
inline constexpr std::string_view selectionStashMark = "SelMem";

/// Every atom 1..workingAtomCount, then every H atom 1..workingHCount, not in `excluded`.
std::vector<model::AtomRef> complementOf(const model::StructureModel& structure,
                                         const std::vector<model::AtomRef>& excluded);

/// MemSelect Apply: remembers the Selection, writes the selection file, clears the Selection.
void rememberSelected(model::StructureModel& structure, Selection& selection,
                      const std::filesystem::path& file);
/// MemUnselc Apply: remembers every atom and H atom not picked, writes the file, clears.
void rememberUnselected(model::StructureModel& structure, Selection& selection,
                        const std::filesystem::path& file);
/// ReSelectClick: reads the selection file when it exists, then makes the remembered
/// Selection the Selection. Entries that name no atom of the structure are left out.
void reSelect(model::StructureModel& structure, Selection& selection,
              const std::filesystem::path& file);
/// ReverseSelectClick: the Selection becomes every atom and H atom not in it; nothing
/// happens when it is empty.
void reverseSelect(model::StructureModel& structure, Selection& selection);
/// ClearButtonClick: clears every flag of the shown entries and both lists, empties the grid.
void clearAll(model::StructureModel& structure, Selection& selection);

/// An empty working grid: one empty row of two columns.
void emptyWorkingGrid(text::TextGrid& grid);
/// Writes "SelMem", the count and one kind/index row per entry.
void stashSelection(const Selection& selection, text::TextGrid& grid);
/// True when row 0 reads "SelMem".
bool holdsStash(const text::TextGrid& grid);
/// Rebuilds the Selection from a stash (flags set); does nothing without one.
void restoreStash(model::StructureModel& structure, Selection& selection,
                  const text::TextGrid& grid);

/// True when `ref` names an entry 1..working count of its table.
bool isShownEntry(const model::StructureModel& structure, model::AtomRef ref);

}  // namespace tavo::editing
