// Reading the two tables of a SHELXL listing file (name.lst) that the user acts on: the Most
// Disagreeable Reflections and the split suggestions of the principal mean square displacements.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

/// One row of the disagreeable-reflections list: a line of the listing as read.
struct ReflectionRow {
  std::string text;
  bool reflection = false;  // a table row: it begins with the three integers h, k, l
  std::array<int, 3> hkl{};
  std::string resolution;  // the last column as written, "" when none
};

/// The rows of every " Most Disagreeable Reflections" block of `lines`: the heading, the lines
/// after it down to the column headings ("h k l ...") and the blank line below them, then the
/// reflection rows up to the first line that is no reflection. Older listings put a blank line
/// between heading and column headings, later ones two explanation lines as well.
std::vector<ReflectionRow> disagreeableReflections(const std::vector<std::string>& lines);

/// One split suggestion of the displacement table.
struct SplitSuggestion {
  std::string text;   // the row from the atom label on
  std::string label;  // the atom SHELXL suggests splitting
  std::array<double, 3> first{};
  std::array<double, 3> second{};
};

/// The words of SHELXL's remark between the label and the first position.
inline constexpr std::string_view splitRemark = "may be split into";

/// The split suggestions of every " Principal mean square atomic displacements U" table of
/// `lines`: only rows that hold SHELXL's split remark with two positions; other long rows (a
/// "** NON POSITIVE DEFINITE **" atom) are no suggestions.
std::vector<SplitSuggestion> splitSuggestions(const std::vector<std::string>& lines);

/// The listing beside an instruction file: its name with the extension replaced by ".lst".
std::filesystem::path listingFileOf(const std::filesystem::path& instructionFile);

}  // namespace tavo::model
