// The REM SPCG line: the space group and setting chosen for a structure, kept in its instruction
// file as a comment that SHELXL ignores.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavo::model {

/// The group named by a REM SPCG line.
struct RemSpcg {
  std::string name;  // as written; may be empty
  int number = 1;    // 1..300
  int setting = 1;   // 1 or more
  friend bool operator==(const RemSpcg&, const RemSpcg&) = default;
};

/// The highest space-group number a line may name (the range of the group-number control).
inline constexpr int highestSpaceGroupNumber = 300;

/// "REM SPCG", the name right-aligned to column 20 (longer names push on), two blanks, the group
/// number right-aligned in three columns, four blanks and the setting: for group 14 in setting 3
/// "REM SPCG       P21/n   14    3".
std::string remSpcgLine(std::string_view name, int number, int setting);

/// The group of a REM SPCG line, read from its words after the mark: the last two are the group
/// number and the setting (the name is what comes before them, so a long name or a setting of
/// two digits reads back), or the last alone is the group number with setting 1. Nothing when
/// the line does not start with "REM SPCG" or names no group of 1..300 and setting of 1 or more.
std::optional<RemSpcg> parseRemSpcgLine(std::string_view line);

}  // namespace tavo::model
