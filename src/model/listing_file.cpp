// Reading the two tables of a SHELXL listing file.
#include "model/listing_file.h"

#include <optional>

#include "text/text.h"

namespace tavo::model {

namespace {

constexpr std::string_view reflectionsHeading = " Most Disagreeable Reflections";
constexpr std::string_view displacementsHeading = " Principal mean square atomic displacements U";

bool startsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

bool blank(std::string_view line) {
  return text::trimLine(line).empty();
}

/// h, k and l when the line begins with three whole numbers.
std::optional<std::array<int, 3>> leadingIndexes(std::string_view line) {
  const std::vector<std::string_view> words = text::splitWords(line);
  if (words.size() < 3) return std::nullopt;
  std::array<int, 3> hkl{};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::optional<int> value = text::findInt(words[i]);
    if (!value) return std::nullopt;
    hkl[i] = *value;
  }
  return hkl;
}

bool columnHeadings(std::string_view line) {
  const std::vector<std::string_view> words = text::splitWords(line);
  return words.size() >= 3 && words[0] == "h" && words[1] == "k" && words[2] == "l";
}

std::optional<SplitSuggestion> suggestionOf(std::string_view line) {
  const std::size_t remark = line.find(splitRemark);
  if (remark == std::string_view::npos) return std::nullopt;
  const std::vector<std::string_view> before = text::splitWords(line.substr(0, remark));
  const std::vector<std::string_view> after =
      text::splitWords(line.substr(remark + splitRemark.size()));
  if (before.empty() || after.size() != 7 || after[3] != "and") return std::nullopt;
  SplitSuggestion s;
  s.label = std::string(before.back());
  for (std::size_t i = 0; i < 3; ++i) {
    const std::optional<double> first = text::findDouble(after[i]);
    const std::optional<double> second = text::findDouble(after[4 + i]);
    if (!first || !second) return std::nullopt;
    s.first[i] = *first;
    s.second[i] = *second;
  }
  const std::size_t labelAt = line.rfind(before.back(), remark);
  s.text = text::trimLine(line.substr(labelAt));
  return s;
}

}  // namespace

std::vector<ReflectionRow> disagreeableReflections(const std::vector<std::string>& lines) {
  std::vector<ReflectionRow> rows;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!startsWith(lines[i], reflectionsHeading)) continue;
    const std::size_t blockStart = rows.size();
    rows.push_back({lines[i], false, {}, {}});
    // The lines down to the column headings (a few at most), and the blank line below them.
    std::size_t j = i + 1;
    bool headingsFound = false;
    for (; j < lines.size() && j <= i + 6; ++j) {
      rows.push_back({lines[j], false, {}, {}});
      if (columnHeadings(lines[j])) {
        headingsFound = true;
        ++j;
        break;
      }
    }
    if (!headingsFound) {
      rows.resize(blockStart);
      continue;
    }
    if (j < lines.size() && blank(lines[j])) rows.push_back({lines[j++], false, {}, {}});
    for (; j < lines.size(); ++j) {
      const std::optional<std::array<int, 3>> hkl = leadingIndexes(lines[j]);
      if (!hkl) break;
      ReflectionRow row{lines[j], true, *hkl, {}};
      const std::vector<std::string_view> words = text::splitWords(lines[j]);
      if (words.size() > 3 && text::findDouble(words.back())) row.resolution = words.back();
      rows.push_back(std::move(row));
    }
    i = j == 0 ? 0 : j - 1;
  }
  return rows;
}

std::vector<SplitSuggestion> splitSuggestions(const std::vector<std::string>& lines) {
  std::vector<SplitSuggestion> found;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!startsWith(lines[i], displacementsHeading)) continue;
    std::size_t j = i + 2;  // the heading and the line below it
    for (; j < lines.size() && !blank(lines[j]); ++j) {
      if (std::optional<SplitSuggestion> s = suggestionOf(lines[j])) found.push_back(std::move(*s));
    }
    i = j;
  }
  return found;
}

std::filesystem::path listingFileOf(const std::filesystem::path& instructionFile) {
  std::filesystem::path listing = instructionFile;
  listing.replace_extension(".lst");
  return listing;
}

}  // namespace tavo::model
