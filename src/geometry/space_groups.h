// Choosing a space group and setting: the built-in table for groups up to 65, spcg.inf above,
// the space-group controls of the main window, the REM SPCG line, and finding the group whose
// operators a file's LATT and SYMM cards describe.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/space_group_table.h"
#include "geometry/symmetry_operators.h"
#include "model/dialogs.h"
#include "model/structure_model.h"

namespace tavo::geometry {

inline constexpr std::string_view chooseGroupName = "Choose!!";
inline constexpr std::string_view noInfoName = "NoInfo!";
inline constexpr std::string_view lattSymmName = "LATT/SYMM";
inline constexpr std::string_view operatorFieldText = "Symmetry Operation";
inline constexpr std::string_view identityOperatorText = " X,Y,Z";

/// The space-group controls of the main window except the group and setting numbers, which the
/// SymmetryOps hold (spaceGroupNumber: SpinEdit12, settingNumber: SpinEdit17).
struct SpaceGroupControls {
  int settingCount = 1;                         // SpinEdit17's maximum
  std::string name{chooseGroupName};            // Edit2
  bool nameRed = true;                          //   its text colour: red or black
  int operatorNumber = 1;                       // SpinEdit16, 1..operatorCount
  int operatorCount = 1;                        //   its maximum
  std::array<int, 3> translation{};             // SpinEdit13..15, -3..3
  std::string operatorText{operatorFieldText};  // Edit3
  bool visible = false;                         // the eight controls and "Space Group" check
  friend bool operator==(const SpaceGroupControls&, const SpaceGroupControls&) = default;
};

inline constexpr int lowestTranslation = -3;  // SpinEdit13..15
inline constexpr int highestTranslation = 3;

/// How a choice ended.
enum class ChoiceResult {
  Chosen,     // SymmetryOps and the name hold the group's setting
  Unchanged,  // SymmetryOps unchanged: spcg.inf missing, or no such group or setting in it
};

/// Runs the choice for the group and setting of `symmetry` (spaceGroupNumber, settingNumber):
/// the built-in table up to 65, spcg.inf of `programFolder` above. The setting is first kept
/// within 1..k of the group; the name turns black; SymmetryOps, the name and the operator
/// controls are filled. Failures show their message through `dialogs` and leave SymmetryOps as
/// they were (the name then reads "NoInfo!" unless spcg.inf is missing).
ChoiceResult chooseSpaceGroup(model::SymmetryOps& symmetry, SpaceGroupControls& controls,
                              const std::filesystem::path& programFolder, model::Dialogs& dialogs);

/// How writing the REM SPCG line ended.
enum class RemSpcgWrite {
  Overwritten,  // the line at spcgLine was replaced
  Inserted,     // a new line went in above L.S./CGLS
  NoLsLine,     // no REM SPCG line yet and no L.S./CGLS line to put one above: nothing written
};

/// Writes the REM SPCG line of the name, group and setting: overwritten at spcgLine, or
/// inserted above the L.S./CGLS line (spcgLine then marks it). Throws UserError naming cmd_max
/// when the instruction lines are full.
RemSpcgWrite writeRemSpcg(model::StructureModel& structure, std::string_view name);

/// Every group and setting of the built-in table and of spcg.inf, each with its operator set,
/// to find the group that a file's LATT and SYMM cards describe.
class SpaceGroupCatalogue {
 public:
  /// The built-in table, then the settings read from spcg.inf (none when absent).
  explicit SpaceGroupCatalogue(const std::vector<SpaceGroupSetting>& spcgSettings);
  struct Match {
    int number = 0;
    int setting = 0;
    std::string name;
  };
  /// The first group and setting whose operator set is exactly `operators` (order free).
  std::optional<Match> find(const std::vector<SeitzOperator>& operators) const;
  /// The number of settings of `number` (0 when the catalogue has none).
  int settingCount(int number) const;

 private:
  std::map<std::vector<SeitzOperator>, Match> m_bySet;
  std::map<int, int> m_settingCounts;
};

/// The catalogue of the built-in table and of spcg.inf in `programFolder` (read when present).
SpaceGroupCatalogue loadSpaceGroupCatalogue(const std::filesystem::path& programFolder);

}  // namespace tavo::geometry
