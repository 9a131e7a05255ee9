// Reading the figures of merit from the REM lines of a .res file or from a listing.
#include "model/refinement_summary.h"

#include <system_error>

#include "model/file_lines.h"
#include "model/listing_file.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

/// The number after the words `key` (compared in upper case) in `words`, skipping "=" and
/// trailing "," or ";"; empty when the key or a number after it is missing.
std::optional<double> numberAfter(const std::vector<std::string_view>& words,
                                  std::initializer_list<std::string_view> key) {
  const std::size_t n = key.size();
  for (std::size_t i = 0; i + n <= words.size(); ++i) {
    std::size_t k = 0;
    for (std::string_view part : key) {
      if (text::upper(words[i + k]) != part) break;
      ++k;
    }
    if (k != n) continue;
    for (std::size_t j = i + n; j < words.size() && j <= i + n + 1; ++j) {
      std::string_view word = words[j];
      if (word == "=") continue;
      while (!word.empty() && (word.back() == ',' || word.back() == ';'))
        word.remove_suffix(1);
      if (const auto value = text::findDouble(word)) return value;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace

RefinementFigures readRefinementSummary(const std::vector<std::string>& lines) {
  RefinementFigures summary;
  std::vector<std::string_view> words;
  for (const std::string& line : lines) {
    text::splitWords(line, words, false);
    std::size_t first = 0;
    if (!words.empty() && text::upper(words[0]) == "REM") first = 1;
    if (words.size() < first + 3) continue;
    const std::vector<std::string_view> rest(words.begin() + static_cast<long>(first), words.end());
    const std::string head = text::upper(rest[0]);
    if (head == "R1" && line.find("4sig") != std::string::npos) {
      if (const auto v = numberAfter(rest, {"R1"})) summary.r1 = v;
    } else if (head == "WR2" && line.find("GooF") != std::string::npos) {
      if (const auto v = numberAfter(rest, {"WR2"})) summary.wR2 = v;
      if (const auto v = numberAfter(rest, {"GOOF", "=", "S"})) summary.goof = v;
    } else if (head == "HIGHEST") {
      // .res: "Highest difference peak 0.345, deepest hole -0.234, ..."; listing: "Highest peak".
      if (const auto v = numberAfter(rest, {"PEAK"})) summary.highestPeak = v;
      if (const auto v = numberAfter(rest, {"HOLE"})) summary.deepestHole = v;
    } else if (head == "DEEPEST") {
      if (const auto v = numberAfter(rest, {"HOLE"})) summary.deepestHole = v;
    }
  }
  return summary;
}

RefinementFigures refinementSummaryOf(const std::filesystem::path& instructionFile,
                                      const std::vector<std::string>& fileLines) {
  RefinementFigures summary = readRefinementSummary(fileLines);
  if (!summary.empty()) return summary;
  const std::filesystem::path listing = listingFileOf(instructionFile);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(listing, ec)) return summary;
  try {
    return readRefinementSummary(loadFileLines(listing));
  } catch (const UserError&) {
    return summary;  // an unreadable listing only means no summary
  }
}

std::string refinementSummaryText(const RefinementFigures& s) {
  std::string out;
  const auto add = [&out](std::string_view name, const std::optional<double>& v, int decimals) {
    if (!v) return;
    if (!out.empty()) out += ", ";
    out += std::string(name) + text::formatFixed(*v, decimals);
  };
  add("R1 = ", s.r1, 4);
  add("wR2 = ", s.wR2, 4);
  add("GooF = ", s.goof, 3);
  add("highest peak ", s.highestPeak, 2);
  add("deepest hole ", s.deepestHole, 2);
  if (s.highestPeak || s.deepestHole) out += " e/A^3";
  return out;
}

}  // namespace tavo::model
