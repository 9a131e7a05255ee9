// Reading group and setting blocks of spcg.inf.
#include "geometry/spcg_file.h"

#include <algorithm>
#include <optional>

#include "text/text.h"

namespace tavo::geometry {

namespace {

// The number after the marker character of a "#75" or "$2" line.
std::optional<int> markedNumber(const std::string& line, char marker) {
  if (line.size() < 2 || line[0] != marker) return std::nullopt;
  return text::findInt(std::string_view(line).substr(1));
}

int findLine(const std::vector<std::string>& lines, std::size_t from, std::size_t to,
             std::string_view text) {
  for (std::size_t i = from; i < to; ++i)
    if (lines[i] == text) return static_cast<int>(i);
  return -1;
}

struct GroupBlock {
  std::size_t hashLine = 0;
  std::size_t endLine = 0;
};

std::optional<GroupBlock> findGroupBlock(const std::vector<std::string>& lines, int number,
                                         std::size_t from = 0) {
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (markedNumber(lines[i], '#') != number) continue;
    const int end = findLine(lines, i + 1, lines.size(), "END");
    if (end < 0) return std::nullopt;
    return GroupBlock{i, static_cast<std::size_t>(end)};
  }
  return std::nullopt;
}

std::string tooManyMessage(int number, int setting, const std::string& name, int count) {
  return "spcg.inf: setting " + std::to_string(setting) + " of space group " +
         std::to_string(number) + " (" + name + ") lists " + std::to_string(count) +
         " operators, more than the " + std::to_string(model::maxSymmetryOperators) +
         " this program holds; the setting is not used.";
}

// One operator line: twelve integers, the coefficients -1, 0 or 1.
std::optional<std::array<std::int8_t, 12>> operatorRecord(const std::string& line) {
  const std::vector<std::string_view> words = text::splitWords(line);
  if (words.size() != 12) return std::nullopt;
  std::array<std::int8_t, 12> record{};
  for (std::size_t i = 0; i < 12; ++i) {
    const std::optional<int> v = text::findInt(words[i]);
    const bool translation = i % 4 == 3;
    if (!v || (!translation && (*v < -1 || *v > 1)) || *v < -127 || *v > 127) return std::nullopt;
    record[i] = static_cast<std::int8_t>(*v);
  }
  return record;
}

// The setting block that starts at `dollarLine` and ends at `sendLine`.
void readSettingBlock(const std::vector<std::string>& lines, std::size_t dollarLine,
                      std::size_t sendLine, SpcgLookup& result) {
  SpaceGroupSetting& s = result.setting;
  result.status = SpcgStatus::Mistake;
  result.message = std::string(spcgMistakeMessage);
  const std::size_t headerLine = dollarLine + 1;
  if (headerLine >= sendLine) return;
  const std::string& header = lines[headerLine];
  const std::vector<std::string_view> words = text::splitWords(header);
  if (words.size() < 4) return;
  const std::optional<int> count = text::findInt(words[1]);
  const std::optional<double> unit = text::findDouble(words[2]);
  if (!count || *count < 1 || !unit || *unit <= 0) return;
  s.name = std::string(words[0]);
  // The unit's text runs to the end of the line.
  s.translationUnitText =
      text::trimLine(header.substr(static_cast<std::size_t>(words[3].data() - header.data())));
  s.translationUnit = *unit;
  if (*count > model::maxSymmetryOperators) {
    result.status = SpcgStatus::TooManyOperators;
    result.message = tooManyMessage(s.number, s.setting, s.name, *count);
    return;
  }
  if (sendLine - headerLine - 1 < static_cast<std::size_t>(*count)) return;
  s.ops.clear();
  for (std::size_t i = headerLine + 1; i <= headerLine + static_cast<std::size_t>(*count); ++i) {
    const std::optional<std::array<std::int8_t, 12>> record = operatorRecord(lines[i]);
    if (!record) return;
    s.ops.push_back(*record);
  }
  result.status = SpcgStatus::Found;
  result.message.clear();
}

SpcgLookup lookUpInBlock(const std::vector<std::string>& lines, const GroupBlock& block, int number,
                         int setting) {
  SpcgLookup result;
  result.setting.number = number;
  result.setting.setting = setting;
  const std::size_t countLine = block.hashLine + 1;
  const std::optional<int> k =
      countLine < block.endLine ? text::findInt(lines[countLine]) : std::nullopt;
  if (!k || *k < 1) {
    result.status = SpcgStatus::Mistake;
    result.message = std::string(spcgMistakeMessage);
    return result;
  }
  result.settingCount = *k;
  result.setting.settingCount = *k;
  if (setting > *k) {
    result.status = SpcgStatus::SettingAbove;
    return result;
  }
  for (std::size_t i = countLine + 1; i < block.endLine; ++i) {
    if (markedNumber(lines[i], '$') != setting) continue;
    const int send = findLine(lines, i + 1, block.endLine, "SEND");
    if (send < 0) break;
    readSettingBlock(lines, i, static_cast<std::size_t>(send), result);
    return result;
  }
  result.status = SpcgStatus::NoSetting;
  return result;
}

}  // namespace

SpcgLookup lookUpSpcg(const std::vector<std::string>& lines, int number, int setting) {
  const std::optional<GroupBlock> block = findGroupBlock(lines, number);
  if (!block) return SpcgLookup{};
  return lookUpInBlock(lines, *block, number, setting);
}

std::vector<SpaceGroupSetting> readSpcgSettings(const std::vector<std::string>& lines) {
  std::vector<SpaceGroupSetting> settings;
  std::vector<int> seen;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::optional<int> number = markedNumber(lines[i], '#');
    if (!number || std::find(seen.begin(), seen.end(), *number) != seen.end()) continue;
    seen.push_back(*number);
    const std::optional<GroupBlock> block = findGroupBlock(lines, *number, i);
    if (!block) continue;
    const SpcgLookup first = lookUpInBlock(lines, *block, *number, 1);
    for (int s = 1; s <= first.settingCount; ++s) {
      SpcgLookup found = s == 1 ? first : lookUpInBlock(lines, *block, *number, s);
      if (found.status == SpcgStatus::Found) settings.push_back(std::move(found.setting));
    }
    i = block->endLine;
  }
  return settings;
}

}  // namespace tavo::geometry
