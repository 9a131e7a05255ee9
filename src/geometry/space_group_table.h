// The space groups built into the program: groups 1 to 65 (triclinic, monoclinic and
// orthorhombic) with their settings, names and operators.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/symmetry_operators.h"
#include "model/structure_model.h"

namespace tavo::geometry {

/// The highest group number of the built-in table; higher numbers are read from spcg.inf.
inline constexpr int highestBuiltInGroup = 65;

/// One setting of a space group with its full operator list, as SymmetryOps holds it.
struct SpaceGroupSetting {
  int number = 0;
  int setting = 0;
  int settingCount = 0;  // settings of the group
  std::string name;
  double translationUnit = 0.5;
  std::string translationUnitText = "1/2";
  // Records r11 r12 r13 t1 r21 r22 r23 t2 r31 r32 r33 t3, t in multiples of translationUnit;
  // operator 1 first.
  std::vector<std::array<std::int8_t, 12>> ops;
};

/// Copies the setting's operators, count and translation unit into `symmetry` (records beyond the
/// count keep what they held).
void applySetting(model::SymmetryOps& symmetry, const SpaceGroupSetting& setting);
/// The setting's operators with their translations in twelfths, in order.
std::vector<SeitzOperator> seitzOperators(const SpaceGroupSetting& setting);

/// The number of settings of built-in group `number` (1..65); 0 for other numbers.
int builtInSettingCount(int number);
/// Setting `setting` of built-in group `number`: the listed operators followed, for a centred
/// lattice (C, A, I or F as the name's first letter says), by the same operators shifted by each
/// centring vector in turn, translations reduced into [0, 1). Nothing for a number or setting
/// outside the table.
std::optional<SpaceGroupSetting> findBuiltInSetting(int number, int setting);

}  // namespace tavo::geometry
