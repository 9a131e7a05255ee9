// The atom list of "Atomic Coordinates & Parameters": one row per non-H and H atom with its
// parameters and the grade of its displacement parameters, the values typed into its cells, and
// its printout.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/atom_ref.h"
#include "model/structure_model.h"
#include "text/text_grid.h"

namespace tavo::editing {

inline constexpr int atomListColumnCount = 18;
/// The columns with a meaning of their own.
inline constexpr int labelColumn = 1, sfacColumn = 2, partColumn = 13, afixColumn = 14,
                     secondLabelColumn = 15, anisoColumn = 16, gradeColumn = 17;

inline constexpr std::string_view noValueMessage = "No Value in the ValueBox!";
inline constexpr std::string_view nameInUseMessage =
    "The name is already in use!  Try again after solving this problem!!";

/// The entries in table order: AtomTable 1..nonHCount, then HydrogenTable 1..hCount.
std::vector<model::AtomRef> atomListEntries(const model::StructureModel& structure);

/// The entries ordered by the texts the list shows in `column` (numbers as numbers, labels by
/// their sort key), the non-H atoms first and the H atoms after them; equal texts keep the
/// table order. Column 0 (or one outside the list) gives the table order.
std::vector<model::AtomRef> atomListEntries(const model::StructureModel& structure, int column,
                                            bool descending);

/// The list: the heading row ("No.", "Label", "SFAC", ...), then one row per entry of `entries`.
text::TextGrid atomListGrid(const model::StructureModel& structure,
                            const std::vector<model::AtomRef>& entries);

/// Stores the trimmed text `value` typed into `column` of the row of `ref`: a rename (columns 1
/// and 15, the cards following), SFAC, x..U12 (Uiso for an H atom), PART, AFIX or ANI?. The
/// free-variable codes stay. The AFIX column shows the code of a riding H atom's AFIX card ("0"
/// otherwise); the code shown changes nothing and 0 frees a riding H atom. Returns false when
/// the column is not one the entry stores. Throws ConversionError for a text that is no number
/// and UserError for a value refused (a label in use or not a SHELXL label, a parameter tied to a
/// free variable, a coordinate outside (-5, 5), an SFAC or PART that does not exist, any other
/// AFIX code), with nothing changed.
bool storeAtomListCell(model::StructureModel& structure, model::AtomRef ref, int column,
                       std::string_view value);

/// "Apply on MultiCells": `value` stored into columns left..right of every entry of `rows`, as
/// storeAtomListCell does; column 1 is skipped, and H atoms take only columns 2..7, 13, 14 and
/// 15. One label is not given to several atoms (UserError). The caller undoes a partial store.
void storeAtomListBlock(model::StructureModel& structure, const std::vector<model::AtomRef>& rows,
                        int left, int right, std::string_view value);

/// The lines "Print" prints: every row of `grid`, each cell trimmed and padded (column 0 to 5
/// characters, 1 to 7, 2 to 5, 3..12 to 10, 13..16 to 7, 17 to 10).
std::vector<std::string> atomListPrintLines(const text::TextGrid& grid);

}  // namespace tavo::editing
