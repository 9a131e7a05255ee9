// The choice of a space group, the REM SPCG line and the catalogue of known operator sets.
#include "geometry/space_groups.h"

#include <algorithm>

#include "geometry/spcg_file.h"
#include "model/file_lines.h"
#include "model/rem_spcg.h"

namespace tavo::geometry {

namespace {

namespace fs = std::filesystem;

std::vector<SeitzOperator> sortedSet(std::vector<SeitzOperator> operators) {
  for (SeitzOperator& op : operators)
    op = op.reduced();
  std::sort(operators.begin(), operators.end());
  operators.erase(std::unique(operators.begin(), operators.end()), operators.end());
  return operators;
}

void takeSetting(model::SymmetryOps& symmetry, SpaceGroupControls& controls,
                 const SpaceGroupSetting& setting) {
  applySetting(symmetry, setting);
  controls.name = setting.name;
  controls.operatorCount = symmetry.opCount;
  controls.operatorNumber = 1;
  controls.translation = {0, 0, 0};
  controls.operatorText = std::string(identityOperatorText);
}

ChoiceResult chooseFromSpcg(model::SymmetryOps& symmetry, SpaceGroupControls& controls,
                            const fs::path& programFolder, model::Dialogs& dialogs) {
  const fs::path file = programFolder / spcgFileName;
  std::error_code ec;
  if (!fs::exists(file, ec)) {
    dialogs.message(spcgMissingMessage);
    return ChoiceResult::Unchanged;
  }
  const std::vector<std::string> lines = model::loadFileLines(file);
  SpcgLookup found = lookUpSpcg(lines, symmetry.spaceGroupNumber, symmetry.settingNumber);
  if (found.settingCount > 0) {
    controls.settingCount = found.settingCount;
    // The setting control clamps its value to its new range.
    if (symmetry.settingNumber > found.settingCount) {
      symmetry.settingNumber = found.settingCount;
      found = lookUpSpcg(lines, symmetry.spaceGroupNumber, symmetry.settingNumber);
    }
  }
  if (found.status == SpcgStatus::Found) {
    takeSetting(symmetry, controls, found.setting);
    return ChoiceResult::Chosen;
  }
  if (!found.message.empty()) dialogs.message(found.message);
  controls.name = std::string(noInfoName);
  return ChoiceResult::Unchanged;
}

}  // namespace

ChoiceResult chooseSpaceGroup(model::SymmetryOps& symmetry, SpaceGroupControls& controls,
                              const fs::path& programFolder, model::Dialogs& dialogs) {
  controls.nameRed = false;
  const int number = symmetry.spaceGroupNumber;
  if (number > highestBuiltInGroup) {
    return chooseFromSpcg(symmetry, controls, programFolder, dialogs);
  }
  const int k = builtInSettingCount(number);
  controls.settingCount = k;
  symmetry.settingNumber = std::clamp(symmetry.settingNumber, 1, k);
  takeSetting(symmetry, controls, findBuiltInSetting(number, symmetry.settingNumber).value());
  return ChoiceResult::Chosen;
}

RemSpcgWrite writeRemSpcg(model::StructureModel& structure, std::string_view name) {
  const std::string line = model::remSpcgLine(name, structure.symmetry.spaceGroupNumber,
                                              structure.symmetry.settingNumber);
  model::LineMarkers& m = structure.markers;
  if (m.spcgLine > 0 && m.spcgLine < structure.lineCount()) {
    structure.instructionLines[static_cast<std::size_t>(m.spcgLine)] = line;
    return RemSpcgWrite::Overwritten;
  }
  // Without L.S./CGLS the line would go below every card; the choice stays unwritten instead.
  if (m.lsLine == 0) return RemSpcgWrite::NoLsLine;
  const int at = m.lsLine;
  structure.insertInstructionLine(line);
  m.spcgLine = at;
  return RemSpcgWrite::Inserted;
}

SpaceGroupCatalogue::SpaceGroupCatalogue(const std::vector<SpaceGroupSetting>& spcgSettings) {
  const auto add = [this](const SpaceGroupSetting& s) {
    m_bySet.try_emplace(sortedSet(seitzOperators(s)), Match{s.number, s.setting, s.name});
    m_settingCounts.try_emplace(s.number, s.settingCount);
  };
  for (int number = 1; number <= highestBuiltInGroup; ++number) {
    for (int setting = 1; setting <= builtInSettingCount(number); ++setting)
      add(findBuiltInSetting(number, setting).value());
  }
  for (const SpaceGroupSetting& s : spcgSettings)
    if (s.number > highestBuiltInGroup) add(s);
}

std::optional<SpaceGroupCatalogue::Match> SpaceGroupCatalogue::find(
    const std::vector<SeitzOperator>& operators) const {
  const auto it = m_bySet.find(sortedSet(operators));
  if (it == m_bySet.end()) return std::nullopt;
  return it->second;
}

int SpaceGroupCatalogue::settingCount(int number) const {
  const auto it = m_settingCounts.find(number);
  return it == m_settingCounts.end() ? 0 : it->second;
}

SpaceGroupCatalogue loadSpaceGroupCatalogue(const fs::path& programFolder) {
  const fs::path file = programFolder / spcgFileName;
  std::error_code ec;
  if (!fs::exists(file, ec)) return SpaceGroupCatalogue({});
  return SpaceGroupCatalogue(readSpcgSettings(model::loadFileLines(file)));
}

}  // namespace tavo::geometry
