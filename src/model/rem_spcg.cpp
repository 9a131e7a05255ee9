// The REM SPCG line: its layout when written and its words when read back.
#include "model/rem_spcg.h"

#include <vector>

#include "text/text.h"

namespace tavo::model {

namespace {

constexpr std::string_view mark = "REM SPCG";
constexpr std::size_t nameColumns = 12;

bool isGroupNumber(std::optional<int> n) {
  return n && *n >= 1 && *n <= highestSpaceGroupNumber;
}

}  // namespace

std::string remSpcgLine(std::string_view name, int number, int setting) {
  std::string line(mark);
  line += text::padLeft(name, nameColumns);
  line += "  ";
  line += text::padLeft(std::to_string(number), 3);
  line += "    ";
  line += std::to_string(setting);
  return line;
}

std::optional<RemSpcg> parseRemSpcgLine(std::string_view line) {
  const std::string trimmed = text::trimLine(line);
  if (!text::startsWithUpper(trimmed, mark)) return std::nullopt;
  const std::vector<std::string_view> words =
      text::splitWords(std::string_view(trimmed).substr(mark.size()));
  if (words.empty()) return std::nullopt;
  const std::optional<int> last = text::findInt(words.back());
  const std::optional<int> beforeLast =
      words.size() >= 2 ? text::findInt(words[words.size() - 2]) : std::nullopt;
  RemSpcg result;
  std::size_t nameWords = 0;
  if (beforeLast) {
    if (!isGroupNumber(beforeLast) || !last || *last < 1) return std::nullopt;
    result.number = *beforeLast;
    result.setting = *last;
    nameWords = words.size() - 2;
  } else {
    if (!isGroupNumber(last)) return std::nullopt;
    result.number = *last;
    nameWords = words.size() - 1;
  }
  for (std::size_t i = 0; i < nameWords; ++i) {
    if (i > 0) result.name += ' ';
    result.name += words[i];
  }
  return result;
}

}  // namespace tavo::model
