// The atom list end to end: tavo-cli run scripts sort and renumber the atoms of a real file with
// restraints and type values into the list; the saved file holds the same atom lines in the new
// order with the new labels, the cards name the new labels, and nothing else changed. A file
// whose cards hang on the order of the atoms is left as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& start) {
  const auto at = std::find_if(lines.begin(), lines.end(),
                               [&](const std::string& l) { return l.starts_with(start); });
  return static_cast<std::size_t>(at - lines.begin());
}

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  for (const std::string_view w : text::splitWords(line))
    out.emplace_back(w);
  return out;
}

/// The atom list between FVAR and HKLF cut into blocks, one per non-H atom: its lines (with its
/// riding H atoms and their AFIX cards), PART cards left out.
std::map<std::string, std::vector<std::string>> atomBlocks(const std::vector<std::string>& lines,
                                                           std::vector<std::string>& order) {
  std::map<std::string, std::vector<std::string>> blocks;
  std::string current;
  for (std::size_t i = indexOf(lines, "FVAR") + 1; i < indexOf(lines, "HKLF"); ++i) {
    const std::string& line = lines[i];
    if (line.starts_with("PART")) continue;
    // Lines are read trimmed: a continuation line begins with a number.
    const bool atom =
        line[0] >= 'A' && line[0] <= 'Z' && !line.starts_with("AFIX") && line[0] != 'H';
    if (atom) {
      current = words(line).front();
      order.push_back(current);
    }
    blocks[current].push_back(line);
  }
  return blocks;
}

TEST(AtomListScripts, SortAndSimplifyMoveWholeAtomsAndTheCardsFollow) {
  const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
  std::string output;
  const std::vector<std::string> plain = savedAfter(paraben, "", output);
  const std::vector<std::string> saved = savedAfter(paraben,
                                                    "\"XYZUij + Others\"\n"
                                                    "window TForm2 SortLabels\n"
                                                    "window TForm2 SimplifytheLabelingfromShelxt1\n"
                                                    "window TForm2 list\n",
                                                    output);
  EXPECT_NE(output.find("Labels must consist of Element+Numeral+Alphabet! Adopt this rule!"),
            std::string::npos);
  EXPECT_NE(output.find("\n11 | C11 | 1 | 1.068638 |"), std::string::npos) << output;

  // Above the atom list only the cards that name a renamed atom changed, word by word.
  const std::size_t fvar = indexOf(plain, "FVAR");
  ASSERT_EQ(indexOf(saved, "FVAR"), fvar);
  const std::map<std::string, std::string> renamed = {
      {"C1", "C4"},   {"C2", "C5"},  {"C3", "C6"},   {"C4", "C7"},   {"C5", "C8"},
      {"C6", "C9"},   {"C7", "C10"}, {"C8A", "C11"}, {"C8B", "C12"}, {"C9A", "C13"},
      {"C9B", "C14"}, {"O1", "O1"},  {"O2", "O2"},   {"O3", "O3"}};
  const std::map<std::string, std::string> cards = {
      {"SADI 0.02 O3 C8A O3 C8B", "SADI 0.02 O3 C11 O3 C12"},
      {"SADI 0.02 C8A C9A C8B C9B", "SADI 0.02 C11 C13 C12 C14"},
      {"DFIX 1.50 0.02 C8A C9A", "DFIX 1.50 0.02 C11 C13"},
      {"RIGU C8A > C9B", "RIGU C11 > C14"}};
  for (std::size_t i = 1; i <= fvar; ++i) {
    const auto card = cards.find(plain[i]);
    EXPECT_EQ(saved[i], card == cards.end() ? plain[i] : card->second) << i;
  }

  // The atom list: the same blocks, sorted, each atom line renamed and otherwise unchanged.
  std::vector<std::string> plainOrder, savedOrder;
  const auto plainBlocks = atomBlocks(plain, plainOrder);
  const auto savedBlocks = atomBlocks(saved, savedOrder);
  EXPECT_EQ(savedOrder, (std::vector<std::string>{"O1", "O2", "O3", "C4", "C5", "C6", "C7", "C8",
                                                  "C9", "C10", "C11", "C12", "C13", "C14"}));
  for (const auto& [old, now] : renamed) {
    SCOPED_TRACE(old);
    ASSERT_EQ(savedBlocks.count(now), 1u);
    std::vector<std::string> expected = plainBlocks.at(old);
    std::vector<std::string> got = savedBlocks.at(now);
    ASSERT_EQ(got.size(), expected.size());
    EXPECT_EQ(words(got[0]).front(), now);
    std::vector<std::string> a = words(expected[0]), b = words(got[0]);
    a.erase(a.begin());
    b.erase(b.begin());
    EXPECT_EQ(b, a);
    for (std::size_t k = 1; k < got.size(); ++k)
      EXPECT_EQ(got[k], expected[k]);
  }
  // PART follows each atom: the two halves of the disorder keep PART 1 and PART 2.
  const auto partBefore = [&](const std::string& label) {
    std::string part = "PART 0";
    for (std::size_t i = fvar; i < saved.size() && !saved[i].starts_with(label + " "); ++i)
      if (saved[i].starts_with("PART")) part = words(saved[i])[0] + " " + words(saved[i])[1];
    return part;
  };
  EXPECT_EQ(partBefore("C11"), "PART 1");
  EXPECT_EQ(partBefore("C12"), "PART 2");
  EXPECT_EQ(partBefore("C13"), "PART 1");
  EXPECT_EQ(partBefore("C14"), "PART 2");
  EXPECT_EQ(partBefore("C10"), "PART 0");

  // Below the atom list nothing changed.
  const std::size_t hklf = indexOf(plain, "HKLF");
  ASSERT_EQ(saved.size() - indexOf(saved, "HKLF"), plain.size() - hklf);
  EXPECT_TRUE(std::equal(plain.begin() + static_cast<std::ptrdiff_t>(hklf), plain.end(),
                         saved.begin() + static_cast<std::ptrdiff_t>(indexOf(saved, "HKLF"))));
}

TEST(AtomListScripts, TypedValuesChangeOnlyTheirAtomLine) {
  const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
  std::string output;
  std::vector<std::string> expected = savedAfter(paraben, "", output);
  std::vector<std::string> saved = savedAfter(paraben,
                                              "\"XYZUij + Others\"\n"
                                              "window TForm2 StringGrid1 1 11\n"
                                              "window TForm2 Edit1 c8x\n"
                                              "window TForm2 Button1\n"
                                              "window TForm2 StringGrid1 8 5\n"
                                              "window TForm2 Edit1 0.0615\n"
                                              "window TForm2 Button1\n",
                                              output);
  for (std::string& line : expected) {
    for (const std::string card :
         {"SADI 0.02 O3 C8A", "SADI 0.02 C8A", "DFIX 1.50 0.02 C8A", "RIGU C8A"})
      if (line.starts_with(card)) line.replace(line.find("C8A"), 3, "C8X");
    if (line.starts_with("C8A ")) line.replace(0, 3, "C8X");
    if (line.starts_with("C2 ")) line.replace(line.find("0.055740"), 8, "0.061500");
  }
  ASSERT_FALSE(saved.empty()) << output;
  EXPECT_TRUE(saved[0].starts_with("TITL paraben in P2(1)/c"));
  saved[0] = expected[0];  // stamped with the time of the save
  EXPECT_EQ(saved, expected) << output;
}

TEST(AtomListScripts, CardsThatHangOnTheOrderLeaveTheFileAsItWas) {
  struct Case {
    fs::path file;
    std::string message;
  };
  std::vector<Case> cases = {
      {fs::path(TAVO_SOURCE_DIR) / "tests/data/shelxl/resi_restraints.ins",
       "the card 'SAME_TOL C31 > C37' applies to the first atoms of the file"}};
  const fs::path corpus = corpusFolder();
  if (!corpus.empty() && fs::exists(corpus / "shelxl/dsr_p21n_cf3_sump_partsof-erg.res")) {
    cases.push_back({corpus / "shelxl/dsr_p21n_cf3_sump_partsof-erg.res",
                     "the card 'RIGU C2 C1 F1B > F9B' names the atoms from F1B to F9B"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.filename().string());
    const TempFolder folder;
    const fs::path copy = folder.path() / c.file.filename();
    fs::copy_file(c.file, copy);
    const Outcome outcome = runScript(folder, "open " + copy.filename().string() +
                                                  "\n\"XYZUij + Others\"\n"
                                                  "window TForm2 SortLabels\n"
                                                  "\"Save *.ins\"\n");
    EXPECT_NE(outcome.status, 0);
    EXPECT_NE((outcome.out + outcome.err).find(c.message), std::string::npos)
        << outcome.out << outcome.err;
    EXPECT_EQ(folder.read(copy.filename().string()), readFileBytes(c.file));
    fs::path saved = copy;
    saved.replace_extension(".ins");
    if (c.file.extension() == ".res") {
      EXPECT_FALSE(fs::exists(saved)) << "nothing was saved";
    }
  }
}

}  // namespace
}  // namespace tavo::testing
