// The table of SHELXL instruction names.
#include "model/shelxl_instructions.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/text.h"

namespace tavo::model {

namespace {

// SHELXL instructions, in alphabetical order, and the few of the solution programs that appear in
// their result files.
constexpr std::array<std::string_view, 88> instructionNames = {
    "ABIN", "ACTA", "AFIX", "ANIS", "ANSC", "ANSR", "BASF", "BEDE", "BIND", "BLOC", "BOND",
    "BUMP", "CELL", "CGLS", "CHIV", "CONF", "CONN", "DAMP", "DANG", "DEFS", "DELU", "DFIX",
    "DISP", "EADP", "EGEN", "END",  "EQIV", "ESEL", "EXTI", "EXYZ", "FEND", "FIND", "FLAT",
    "FMAP", "FRAG", "FREE", "FVAR", "GRID", "HFIX", "HKLF", "HOPE", "HTAB", "INIT", "ISOR",
    "L.S.", "LATT", "LAUE", "LIST", "LONE", "MERG", "MOLE", "MORE", "MOVE", "MPLA", "NCSY",
    "NEUT", "OMIT", "PART", "PATT", "PLAN", "PRIG", "REM",  "RESI", "RIGU", "RTAB", "SADI",
    "SAME", "SFAC", "SHEL", "SIMU", "SIZE", "SPEC", "STIR", "SUMP", "SWAT", "SYMM", "TEMP",
    "TIME", "TITL", "TREF", "TWIN", "TWST", "UNIT", "WGHT", "WIGL", "WPDB", "XNPD", "ZERR",
};

// Sorted, so that a word is looked up by binary search: every atom line asks.
static_assert(std::is_sorted(instructionNames.begin(), instructionNames.end()));

// Every name has three or four characters; such a name packs into one whole number, so that a
// lookup compares numbers rather than texts.
constexpr std::uint32_t packedName(std::string_view name) {
  std::uint32_t packed = 0;
  for (const char c : name)
    packed = packed << 8 | static_cast<unsigned char>(c);
  return packed;
}

constexpr auto packedNames = [] {
  std::array<std::uint32_t, instructionNames.size()> packed{};
  for (std::size_t i = 0; i < packed.size(); ++i)
    packed[i] = packedName(instructionNames[i]);
  std::sort(packed.begin(), packed.end());
  return packed;
}();

static_assert(std::all_of(instructionNames.begin(), instructionNames.end(),
                          [](std::string_view name) {
                            return name.size() == 3 || name.size() == 4;
                          }));

}  // namespace

std::string_view instructionNameOf(std::string_view word, char (&buffer)[8]) {
  const std::size_t underscore = word.find('_');
  if (underscore != std::string_view::npos) word = word.substr(0, underscore);
  if (word.size() > 7) return {};
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    buffer[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return std::string_view(buffer, word.size());
}

bool isInstructionName(std::string_view word) {
  char buffer[8];
  const std::string_view name = instructionNameOf(word, buffer);
  if (name.size() < 3 || name.size() > 4) return false;
  return std::binary_search(packedNames.begin(), packedNames.end(), packedName(name));
}

bool isRemLine(std::string_view line) {
  while (!line.empty() && static_cast<unsigned char>(line.front()) <= 32)
    line.remove_prefix(1);
  return text::startsWithUpper(line, "REM");
}

bool continuesOnNextLine(std::string_view line) {
  if (isRemLine(line) || isTitlLine(line)) return false;
  // SHELXL ignores everything after "!": an "=" there continues nothing.
  if (const std::size_t bang = line.find('!'); bang != std::string_view::npos)
    line = line.substr(0, bang);
  while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32)
    line.remove_suffix(1);
  return !line.empty() && line.back() == '=';
}

bool isTitlLine(std::string_view line) {
  while (!line.empty() && static_cast<unsigned char>(line.front()) <= 32)
    line.remove_prefix(1);
  return text::startsWithUpper(line, "TITL");
}

bool isPeakLabel(std::string_view word) {
  if (word.size() < 2 || (word[0] != 'Q' && word[0] != 'q')) return false;
  return std::all_of(word.begin() + 1, word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace tavo::model
