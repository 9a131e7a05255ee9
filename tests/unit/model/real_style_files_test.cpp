// SHELXL-style instruction files of our own (tests/data/shelxl) that hold what real files hold:
// each is read, saved, read back and saved again. Nothing between TITL and HKLF may be lost or
// changed, the model must come back the same, and a second save must write the same file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/array_limits.h"
#include "model/backups.h"
#include "model/element_definitions.h"
#include "model/instruction_reader.h"
#include "model/instruction_writer.h"
#include "model/structure_model.h"
#include "support/fake_dialogs.h"
#include "support/program_folder.h"
#include "support/structure_comparison.h"
#include "support/temp_folder.h"
#include "support/test_helpers.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using model::StructureModel;

fs::path realStyleFolder() {
  return fs::path(TAVO_SOURCE_DIR) / "tests" / "data" / "shelxl";
}

// --- The lines that must survive, as the test itself reads them -------------------------------

std::vector<std::string> wordsOf(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : line) {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

std::string firstWordOf(std::string_view line) {
  const auto words = wordsOf(line);
  return words.empty() ? std::string() : words.front();
}

std::string upperFirstWord(std::string_view line) {
  return text::upper(firstWordOf(line));
}

std::string codeOf(std::string_view row) {
  const std::size_t bang = row.find('!');
  return text::trimLine(bang == std::string_view::npos ? row : row.substr(0, bang));
}

std::string commentOf(std::string_view row) {
  const std::size_t bang = row.find('!');
  return bang == std::string_view::npos ? std::string() : text::trimLine(row.substr(bang + 1));
}

// A REM line is a comment and never continues, whatever it ends with.
bool continues(std::string_view row) {
  return text::endsWith(codeOf(row), "=") && !text::startsWithUpper(text::trimLine(row), "REM");
}

std::optional<double> number(const std::string& word) {
  return text::findDouble(word);
}

bool isInstructionWord(const std::string& word) {
  static const char* const names[] = {"AFIX", "PART", "FRAG", "LIST", "MORE", "PLAN", "FMAP",
                                      "L.S.", "CGLS", "OMIT", "SIZE", "TEMP", "WGHT", "MPLA"};
  const std::string upper = text::upper(word);
  return std::find(std::begin(names), std::end(names), upper) != std::end(names);
}

bool isPeakWord(const std::string& word) {
  return word.size() > 1 && (word[0] == 'Q' || word[0] == 'q') && text::findInt(word.substr(1));
}

/// "label sfac n1 .. n5|n10 !comment" with six decimals, or empty when `rows` are not one atom.
/// In a solution file the peak height that may follow Uiso is not part of the atom.
std::string atomToken(const std::vector<std::string>& rows, bool solution) {
  std::string code;
  std::string comment;
  for (const std::string& row : rows) {
    std::string part = codeOf(row);
    if (text::endsWith(part, "=")) part.pop_back();
    code += " " + part;
    const std::string c = commentOf(row);
    if (!c.empty()) comment += (comment.empty() ? "" : " ") + c;
  }
  auto words = wordsOf(code);
  if (solution && words.size() == 8) words.pop_back();
  // What SHELXL takes for a sof or Uiso that is left out.
  if (words.size() == 5 && !isInstructionWord(words[0])) words.push_back("11.0");
  if (words.size() == 6 && !isInstructionWord(words[0])) words.push_back("0.05");
  if (words.size() != 7 && words.size() != 12) return {};
  if (isPeakWord(words[0])) return {};
  if (!text::findInt(words[1])) return {};
  std::string token = "ATOM " + words[0] + " " + words[1];
  for (std::size_t i = 2; i < words.size(); ++i) {
    const auto value = number(words[i]);
    if (!value) return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " %.6f", *value);
    token += buffer;
  }
  const auto commentWords = wordsOf(comment);
  if (!commentWords.empty()) {
    token += " !";
    for (const std::string& w : commentWords)
      token += " " + w;
  }
  return token;
}

struct Region {
  std::vector<std::string> rows;     // trimmed, TITL and the .res heading left out, up to HKLF
  std::vector<std::string> trailer;  // HKLF and the rows after it up to END, peaks and WGHT aside
  bool suggestedWeights = false;     // a WGHT row follows HKLF
};

Region regionOf(const fs::path& file) {
  const std::vector<std::string> all = model::readLinesAsWritten(file);
  std::vector<std::string> rows;
  for (const std::string& line : all)
    rows.push_back(text::trimLine(line));
  // REM lines above TITL belong to the instruction part, just below TITL.
  const std::size_t titl = static_cast<std::size_t>(std::max(model::titlRow(rows), 0));
  Region region;
  for (std::size_t r = 0; r < titl; ++r) {
    if (text::startsWithUpper(rows[r], "REM")) region.rows.push_back(rows[r]);
  }
  std::size_t first = titl + 1;
  if (rows.size() > titl + 2 && text::endsWith(rows[titl + 1], ".res") &&
      rows[titl + 2].rfind("created", 0) == 0) {
    first = titl + 3;
  }
  std::size_t r = first;
  for (; r < rows.size() && upperFirstWord(rows[r]) != "HKLF"; ++r)
    region.rows.push_back(rows[r]);
  bool ended = false;
  for (; r < rows.size(); ++r) {
    if (upperFirstWord(rows[r]) == "WGHT") region.suggestedWeights = true;
    ended = ended || upperFirstWord(rows[r]) == "END";
    const bool suggestion = isPeakWord(firstWordOf(rows[r])) || upperFirstWord(rows[r]) == "WGHT";
    if (!ended && !suggestion) region.trailer.push_back(rows[r]);
  }
  if (!ended) region.trailer.resize(std::min<std::size_t>(region.trailer.size(), 1));
  return region;
}

/// The logical lines of a region as comparable tokens: atoms normalised, AFIX lines with their
/// blanks collapsed, every other row verbatim. Left out, since they are regenerated or dropped by
/// design: FVAR and PART, a WGHT that SHELXL's suggestion replaces, a bare HTAB that the
/// suggestions replace, and the Q-peaks of a solution file (peaks are never written).
std::vector<std::string> tokensOf(const Region& region, bool isRes) {
  std::vector<std::string> tokens;
  const auto& rows = region.rows;
  bool solution = true;
  for (const std::string& row : rows) {
    if (upperFirstWord(row) == "FVAR") solution = false;
  }
  for (std::size_t r = 0; r < rows.size();) {
    std::vector<std::string> logical{rows[r]};
    std::size_t next = r + 1;
    while (continues(logical.back()) && next < rows.size())
      logical.push_back(rows[next++]);
    r = next;
    const std::string name = upperFirstWord(logical.front());
    if (name == "FVAR" || name == "PART") continue;
    if (solution && isPeakWord(firstWordOf(logical.front()))) continue;
    if (name == "WGHT" && region.suggestedWeights) continue;
    if (name == "HTAB" && isRes && wordsOf(logical.front()).size() == 1) continue;
    if (name == "AFIX") {
      std::string token;
      for (const std::string& w : wordsOf(codeOf(logical.front())))
        token += (token.empty() ? "" : " ") + text::upper(w);
      if (const std::string comment = commentOf(logical.front()); !comment.empty())
        token += " !" + comment;
      tokens.push_back(token);
      continue;
    }
    if (const std::string atom = atomToken(logical, solution); !atom.empty()) {
      tokens.push_back(atom);
      continue;
    }
    for (const std::string& row : logical)
      tokens.push_back(row);
  }
  return tokens;
}

/// The first of `wanted` (in order) not found in `have` as a subsequence, with its position.
std::string firstMissing(const std::vector<std::string>& wanted,
                         const std::vector<std::string>& have) {
  std::size_t at = 0;
  for (std::size_t w = 0; w < wanted.size(); ++w) {
    while (at < have.size() && have[at] != wanted[w])
      ++at;
    if (at == have.size()) return "#" + std::to_string(w) + ": '" + wanted[w] + "'";
    ++at;
  }
  return {};
}

// --- The model, compared field by field -------------------------------------------------------

void compareModels(const StructureModel& s, const StructureModel& again) {
  ASSERT_EQ(again.elementCount, s.elementCount);
  for (int e = 1; e <= s.elementCount; ++e) {
    EXPECT_EQ(again.elements[e].symbol, s.elements[e].symbol);
    EXPECT_EQ(again.elements[e].unitCount, s.elements[e].unitCount);
  }
  EXPECT_EQ(
      std::vector<std::string>(again.instructionLines.begin() + 1, again.instructionLines.end()),
      std::vector<std::string>(s.instructionLines.begin() + 1, s.instructionLines.end()));
  expectSameAtomList(s, again, RoundTripTolerance{});
  for (int g = 1; g <= s.ridingGroupCount; ++g) {
    EXPECT_EQ(again.ridingGroups[g].closingLine, s.ridingGroups[g].closingLine);
  }
  EXPECT_EQ(again.noFvar, s.noFvar);
  EXPECT_EQ(again.hklfLine, s.hklfLine);
}

// --- The table --------------------------------------------------------------------------------

struct FileCase {
  const char* name;
  int nonH;          // atoms of the AtomTable (anisotropic H atoms included)
  int hydrogens;     // isotropic H atoms, riding and free
  int ridingGroups;  // AFIX blocks of riding H atoms on one parent
  int peaks;
  int fvarCount;  // after the read, unused free variables dropped
  const char* why;
};

const FileCase cases[] = {
    {"resi_restraints.ins", 24, 3, 3, 0, 5,
     "RESI, restraints with = and $ _* < > lists, SUMP over three free variables, PART n sof, "
     "PART -1"},
    {"disorder_riding.res", 14, 22, 11, 3, 2,
     "a .res: heading, HTAB and WGHT suggestions, Q-peaks; AFIX 147/93/163/127, a methyl of two "
     "AFIX 137 blocks, AFIX 66 with AFIX 43 between the AFIX 65 lines"},
    {"heavy_h_labels.ins", 7, 3, 1, 0, 1,
     "Hg1, Ho1, Hf1 atoms; long SFAC cards with continuations after a short one; DISP, OMIT, "
     "MORE -1, WPDB"},
    {"neutron_aniso_h.ins", 10, 0, 0, 0, 1,
     "NEUT with anisotropic H atoms; EXTI, SWAT, EQIV and HTAB, RTAB, MPLA"},
    {"crlf_lowercase_tabs.ins", 6, 3, 2, 0, 1,
     "CR LF lines, trailing blank lines, lower-case cards, tabs inside lines, MOLE cards"},
    {"split_lines_frag.ins", 9, 2, 2, 0, 1,
     "four-character labels with one blank after them, atoms split over lines at odd places, "
     "comments, FRAG..FEND among the atoms"},
    {"twin_free_h.res", 5, 4, 1, 2, 1,
     "TWIN and BASF, free H atoms refined with DFIX and SADI, EQIV and HTAB with $ codes"},
    {"solution_no_fvar.res", 5, 0, 0, 3, 0, "solution without FVAR: atoms with peak heights"},
    {"solution_with_fvar.res", 6, 0, 0, 2, 1, "solution with a scale factor only"},
    {"minimal_short_atoms.ins", 4, 2, 0, 0, 1,
     "a hand-written file: atoms without Uiso or without sof and Uiso"},
    {"rem_block_before_titl.res", 4, 3, 0, 2, 1,
     "REM block above TITL ending in a line of '=', a REM ending in '=' above WGHT: neither "
     "continues onto the next card"},
    {"olex2_trailer_afix_comments.ins", 4, 4, 2, 0, 1,
     "a byte-order mark; comments on AFIX lines; HKLF with its matrix continued; Olex2's extras "
     "between HKLF and END"},
    {"solution_rem_block_long_sfac.res", 5, 0, 0, 2, 0,
     "solution without FVAR under six REM lines, a long SFAC card continued on a long row"},
};

TEST(RealStyleFiles, ReadSaveReadBackAndSaveAgainWithoutLoss) {
  const ProgramFolder program;
  for (const FileCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ": " + c.why);
    const TempFolder work;
    const fs::path copy = work.path() / c.name;
    fs::copy_file(realStyleFolder() / c.name, copy);
    const bool isRes = text::endsWith(c.name, ".res");

    StructureModel s;
    FakeDialogs dialogs;
    ASSERT_TRUE(openWithSettings(s, copy, program.path(), dialogs))
        << (dialogs.shown.empty() ? "" : dialogs.shown.back());
    EXPECT_EQ(s.nonHCount, c.nonH);
    EXPECT_EQ(s.hCount, c.hydrogens);
    EXPECT_EQ(s.ridingGroupCount, c.ridingGroups);
    EXPECT_EQ(s.peakCount, c.peaks);
    EXPECT_EQ(s.fvarCount, c.fvarCount);
    for (const std::string& shown : dialogs.shown) {
      EXPECT_EQ(shown.find("definition"), std::string::npos) << shown;
    }
    const Region source = regionOf(copy);
    const std::vector<std::string> wanted = tokensOf(source, isRes);

    FakeClock clock;
    const fs::path written = model::saveInstructionFile(s, clock, dialogs);
    const std::vector<std::string> first = model::readLinesAsWritten(written);
    EXPECT_EQ(firstMissing(wanted, tokensOf(regionOf(written), false)), "");
    EXPECT_EQ(regionOf(written).trailer, source.trailer);

    StructureModel again;
    FakeDialogs againDialogs;
    ASSERT_TRUE(openWithSettings(again, written, program.path(), againDialogs))
        << (againDialogs.shown.empty() ? "" : againDialogs.shown.back());
    compareModels(s, again);

    const fs::path second = model::saveInstructionFile(again, clock, againDialogs);
    EXPECT_EQ(second, written);
    EXPECT_EQ(withoutTitle(model::readLinesAsWritten(second)), withoutTitle(first));
  }
}

}  // namespace
}  // namespace tavo::testing
