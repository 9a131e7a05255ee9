// The card modes end to end: a tavo-cli run script adds SADI, DFIX, SAME and HFIX cards, and the
// restraints RIGU, SIMU, ISOR, DANG, EADP and EXYZ, to a real file; the saved file differs from a
// plain save in exactly those cards (above L.S., in the order made; SAME before its target atoms)
// and the riding group the HFIX card replaces, and reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"
#include "support/cli_run.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

TEST(CardScripts, CardsGoAboveLsAndHfixReplacesTheRidingGroup) {
  const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
  std::string output;
  std::vector<std::string> expected = savedAfter(paraben, "", output, SaveRun().rawLines());
  const std::vector<std::string> saved = savedAfter(paraben,
                                                    "mode SADI\n"
                                                    "pick C1 C2 C3 C4\n"
                                                    "apply\n"
                                                    "mode DFIX\n"
                                                    "set Edit9 1.39\n"
                                                    "pick C5 C6\n"
                                                    "apply\n"
                                                    "mode SAME\n"
                                                    "pick C1 C2 C4 C5\n"
                                                    "apply\n"
                                                    "mode HFIX\n"
                                                    "pick C2\n"
                                                    "answer yes\n"
                                                    "apply\n",
                                                    output, SaveRun().rawLines());
  EXPECT_NE(output.find("The HFIX card replaces the riding H atoms H2"), std::string::npos)
      << output;
  const auto ls = std::find_if(expected.begin(), expected.end(),
                               [](const std::string& l) { return l.starts_with("L.S."); });
  ASSERT_NE(ls, expected.end());
  expected.insert(ls, {"SADI C1 C2 C3 C4", "DFIX 1.39 0.03 C5 C6", "HFIX 43 -1.2 C2"});
  // SAME stands in the atom list in front of its target atoms C4 C5.
  const auto c4 = std::find_if(expected.begin(), expected.end(),
                               [](const std::string& l) { return l.starts_with("C4 "); });
  ASSERT_NE(c4, expected.end());
  expected.insert(c4, "SAME C1 C2");
  const auto c2 = std::find_if(expected.begin(), expected.end(),
                               [](const std::string& l) { return l.starts_with("C2 "); });
  ASSERT_NE(c2, expected.end());
  ASSERT_EQ(*(c2 + 2), "AFIX 43");
  expected.erase(c2 + 2, c2 + 5);  // AFIX 43, H2, AFIX 0
  ASSERT_EQ(saved.size(), expected.size());
  for (size_t i = 1; i < saved.size(); ++i)  // line 0: TITL with the time of its save
    EXPECT_EQ(saved[i], expected[i]) << "line " << i;

  const TempFolder again;
  const fs::path file = again.path() / "cards.ins";
  model::replaceFileLines(file, saved);
  model::StructureModel s;
  FakeDialogs dialogs;
  ASSERT_TRUE(model::loadInstructionFile(s, file, model::ElementDefinitions::load(dataFolder()),
                                         dialogs, model::noTitlAtOpenMessage));
  EXPECT_EQ(s.hCount, 14);  // 15 less H2
}

TEST(CardScripts, RefusedCardsChangeNothing) {
  const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
  const TempFolder folder;
  fs::copy_file(paraben, folder.path() / "paraben.res");
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "mode DFIX\n"
                              "pick C5 C6\n"
                              "apply\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE((o.out + o.err).find("Please give the DFIX distance"), std::string::npos)
      << o.out << o.err;
}

TEST(CardScripts, RestraintModesAddTheirCardsAboveLs) {
  const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
  std::string output;
  std::vector<std::string> expected = savedAfter(paraben, "", output, SaveRun().rawLines());
  // SIMU comes after RIGU's esds were typed: a new mode starts from SHELXL's defaults.
  const std::vector<std::string> saved =
      savedAfter(paraben,
                 "set CheckBox2 1\n"
                 "mode RIGU\n"
                 "set RestraintEsds \"0.004 0.006\"\n"
                 "pick C1 C2 C3 C4 C5 C6\n"
                 "apply\n"
                 "mode SIMU\n"
                 "pick O1 O2 O3 C7\n"
                 "apply\n"
                 "mode ISOR\n"
                 "set RestraintEsds 0.1\n"
                 "pick O2\n"
                 "apply\n"
                 "mode DANG\n"
                 "set Edit9 2.40\n"
                 "pick C1 C3 C2 C4 C3 C5 C4 C6 C5 C1 C6 C2 C4 H1 C7 C8A O2 C1 O3 C1 O2 O3 C7 C8B\n"
                 "apply\n"
                 "mode EADP\n"
                 "pick C8A C8B\n"
                 "apply\n"
                 "mode EXYZ\n"
                 "pick C9A C9B\n"
                 "apply\n",
                 output, SaveRun().rawLines());
  const auto ls = std::find_if(expected.begin(), expected.end(),
                               [](const std::string& l) { return l.starts_with("L.S."); });
  ASSERT_NE(ls, expected.end());
  expected.insert(ls,
                  {"RIGU 0.004 0.006 C1 C2 C3 C4 C5 C6", "SIMU O1 O2 O3 C7", "ISOR 0.1 O2",
                   "DANG 2.40 C1 C3 C2 C4 C3 C5 C4 C6 C5 C1 C6 C2 C4 H1 C7 C8A O2 C1 O3 C1 O2 O3 =",
                   " C7 C8B", "EADP C8A C8B", "EXYZ C9A C9B"});
  ASSERT_EQ(saved.size(), expected.size());
  for (size_t i = 1; i < saved.size(); ++i)  // line 0: TITL with the time of its save
    EXPECT_EQ(saved[i], expected[i]) << "line " << i;

  const TempFolder again;
  const fs::path file = again.path() / "restraints.ins";
  model::replaceFileLines(file, saved);
  model::StructureModel s;
  FakeDialogs dialogs;
  ASSERT_TRUE(model::loadInstructionFile(s, file, model::ElementDefinitions::load(dataFolder()),
                                         dialogs, model::noTitlAtOpenMessage));
  EXPECT_EQ(s.nonHCount, 14);
  EXPECT_EQ(s.hCount, 15);
}

TEST(CardScripts, RestraintsThatRestrainNothingAreRefused) {
  const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
  const struct {
    const char* edits;
    const char* message;
  } cases[] = {
      {"mode RIGU\npick C1\napply\n", "The RIGU card needs at least two atoms."},
      {"mode DANG\nset Edit9 2.4\npick C1 C3 C5\napply\n", "pick two different atoms"},
      {"mode DANG\npick C1 C3\napply\n", "Please give the DANG distance"},
      {"mode SIMU\nset RestraintEsds \"0.04 0.08 2 3\"\npick C1 C2\napply\n",
       "SIMU takes at most 3 numbers"},
  };
  for (const auto& c : cases) {
    const TempFolder folder;
    fs::copy_file(paraben, folder.path() / "paraben.res");
    const Outcome o = runScript(folder, std::string("open paraben.res\n") + c.edits);
    EXPECT_EQ(o.status, 1) << c.edits;
    EXPECT_NE((o.out + o.err).find(c.message), std::string::npos) << o.out << o.err;
  }

  // Without an L.S. line the card would land above TITL: refused, and nothing is saved.
  const TempFolder folder;
  std::vector<std::string> lines = model::loadRawFileLines(paraben);
  std::erase_if(lines, [](const std::string& l) { return l.starts_with("L.S."); });
  model::replaceFileLines(folder.path() / "nols.res", lines);
  const Outcome o = runScript(folder,
                              "open nols.res\n"
                              "mode EADP\n"
                              "pick C8A C8B\n"
                              "apply\n"
                              "\"Save *.ins\"\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("line 4: apply: the command failed"), std::string::npos) << o.err;
  // Told once by the reader at open, once more for the refused card.
  const std::string told = o.out + o.err;
  const size_t first = told.find(model::noLsLineMessage);
  ASSERT_NE(first, std::string::npos) << told;
  EXPECT_NE(told.find(model::noLsLineMessage, first + 1), std::string::npos) << told;
  EXPECT_FALSE(fs::exists(folder.path() / "nols.ins"));
}

// A pick by label reaches the very atom, even where another one is drawn on the same pixel: in
// an orthogonal cell N1 and N2 differ only along c, the direction the default view looks along.
TEST(CardScripts, PickByLabelReachesAnAtomHiddenBehindAnother) {
  const TempFolder source;
  const fs::path file = source.write("stacked.ins", R"(TITL stacked
CELL 0.71073 10 10 10 90 90 90
ZERR 4 0.001 0.001 0.001 0 0 0
SFAC C N
UNIT 4 8
L.S. 4
FVAR 1.0
C1    1    0.400000    0.500000    0.500000    11.00000    0.05000
N1    2    0.200000    0.300000    0.400000    11.00000    0.05000
N2    2    0.200000    0.300000    0.550000    11.00000    0.05000
HKLF 4
END
)");
  std::string output;
  std::vector<std::string> saved =
      savedAfter(file, "mode DFIX\nset Edit9 1.5\npick N2 N1\napply\n", output);
  const auto dfix = lineStarting(saved, "DFIX");
  ASSERT_NE(dfix, saved.end()) << output;
  EXPECT_EQ(*dfix, "DFIX 1.5 0.03 N2 N1");
}

// The same on a real trigonal structure, where N3, C24 and C23 stand on one threefold axis.
TEST(CardScripts, PickByLabelReachesAtomsOnOneAxis) {
  const fs::path corpus = corpusFolder();
  const fs::path file = corpus / "shelxl" / "shelxfile_p-31c_rem_before_titl.res";
  if (corpus.empty() || !fs::exists(file)) GTEST_SKIP() << "no corpus";
  std::string output;
  std::vector<std::string> saved =
      savedAfter(file, "mode DFIX\nset Edit9 1.06\npick N3 C24\napply\n", output);
  const auto dfix = lineStarting(saved, "DFIX 1.06");
  ASSERT_NE(dfix, saved.end()) << output;
  EXPECT_EQ(*dfix, "DFIX 1.06 0.03 N3 C24");
}

}  // namespace
}  // namespace tavo::testing
