// The file spcg.inf of the program folder: the space groups above 65, group block by group
// block, each with its settings and their operators.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/space_group_table.h"

namespace tavo::geometry {

/// The name of the file in the program folder.
inline constexpr std::string_view spcgFileName = "spcg.inf";

inline constexpr std::string_view spcgMissingMessage =
    "spcg.inf file is missing in the program folder!!";
inline constexpr std::string_view spcgMistakeMessage =
    "Mistake found in the spcg.inf file for this space group!";

/// What a look-up of one setting in spcg.inf found.
enum class SpcgStatus {
  Found,
  NoGroup,           // no "#n" line, or no "END" after it
  SettingAbove,      // the setting is above the group's number of settings
  NoSetting,         // no "$s" line inside the group block, or no "SEND" after it
  Mistake,           // a header or operator line that cannot be read, or too few operator lines
  TooManyOperators,  // a header whose count exceeds the 192 operators SymmetryOps holds
};

struct SpcgLookup {
  SpcgStatus status = SpcgStatus::NoGroup;
  int settingCount = 0;       // the group's number of settings, once its block was found
  SpaceGroupSetting setting;  // complete when Found
  std::string message;        // the text to show for Mistake and TooManyOperators
};

/// Looks up setting `setting` of group `number` in the lines of spcg.inf (trimmed as
/// loadFileLines gives them). A group block runs from its "#n" line to the next "END"; the line
/// after "#n" holds the number of settings k; a setting block runs from its "$s" line to the next
/// "SEND", with the header "name count unit unitText" and `count` lines of twelve integers.
/// Only the group's own block is searched for its settings.
SpcgLookup lookUpSpcg(const std::vector<std::string>& lines, int number, int setting);

/// Every setting of every group of spcg.inf that can be read, in file order; settings that
/// cannot be read are left out.
std::vector<SpaceGroupSetting> readSpcgSettings(const std::vector<std::string>& lines);

}  // namespace tavo::geometry
