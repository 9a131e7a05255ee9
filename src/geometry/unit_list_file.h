// The unit lists of the last expansion and packing views, expand.txt and packing.txt in the
// working folder, from which a view is brought back without searching again.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/structure_model.h"

namespace tavo::geometry {

inline constexpr std::string_view expandListFileName = "expand.txt";
inline constexpr std::string_view packingListFileName = "packing.txt";

/// One line of a unit list: the operator and ta, tb, tc right-aligned in five characters each,
/// five blanks, then the code (which begins with a blank).
std::string unitListLine(const model::ExpansionOp& unit);

/// Replaces `file` with one line per unit, through the one replace function. Throws FileError.
void writeUnitList(const std::filesystem::path& file, const std::vector<model::ExpansionOp>& units);

/// The units of `file`, one per non-empty line: the four numbers from columns 1-5, 6-10, 11-15
/// and 16-20, the code from column 26 on, trimmed and cut to 30 characters. Nothing when the
/// file does not exist. Throws UserError naming the file and line for a number that does not
/// read or an operator outside 1..`opCount` (a list written for another space group).
std::optional<std::vector<model::ExpansionOp>> readUnitList(const std::filesystem::path& file,
                                                            int opCount);

}  // namespace tavo::geometry
