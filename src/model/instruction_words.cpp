// Splitting the instruction lines into the word table.
#include "model/instruction_words.h"

#include <algorithm>
#include <string>

#include "text/text.h"

namespace tavo::model {

std::vector<std::string> instructionWords(std::string_view line) {
  std::vector<std::string> words;
  for (std::string_view word : text::splitWords(line)) {
    std::string trimmed = text::trimLine(word);
    if (!trimmed.empty()) words.push_back(std::move(trimmed));
  }
  return words;
}

text::TextGrid instructionWordTable(const std::vector<std::string>& lines) {
  std::vector<std::vector<std::string>> split;
  split.reserve(lines.size());
  std::size_t widest = 0;
  for (const std::string& line : lines) {
    split.push_back(instructionWords(line));
    widest = std::max(widest, split.back().size());
  }
  text::TextGrid table(static_cast<int>(lines.size()), static_cast<int>(widest) + 1);
  for (std::size_t r = 0; r < split.size(); ++r) {
    for (std::size_t w = 0; w < split[r].size(); ++w) {
      table.setCell(static_cast<int>(r), static_cast<int>(w) + 1, std::move(split[r][w]));
    }
  }
  return table;
}

}  // namespace tavo::model
