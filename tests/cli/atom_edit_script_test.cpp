// The atom edits end to end: tavo-cli run scripts name peaks, renumber a ring, delete a parent
// with its riding H atoms and set a PART on a real file; the saved file differs from a plain
// save of the same file in exactly those lines, and reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "model/instruction_reader.h"
#include "model/instruction_writer.h"
#include "support/cli_run.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

TEST(AtomEditScripts, NameRenumberDeleteAndPartChangeOnlyTheirLines) {
  const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
  std::string output;
  std::vector<std::string> expected = savedAfter(paraben, "", output);
  const std::vector<std::string> saved = savedAfter(paraben,
                                                    "mode Name\n"
                                                    "set SpinEdit20 3\n"
                                                    "pick Q3 Q1\n"
                                                    "apply\n"
                                                    "mode Renumber\n"
                                                    "set SpinEdit20 1\n"
                                                    "pick C6 C5 C4 C3 C2 C1\n"
                                                    "apply\n"
                                                    "mode Delete\n"
                                                    "pick C9B\n"
                                                    "answer yes\n"
                                                    "apply\n"
                                                    "mode PART\n"
                                                    "set SpinEdit24 3\n"
                                                    "pick C7\n"
                                                    "apply\n",
                                                    output);
  // The deletion asked, naming the riding H atoms and the cards.
  EXPECT_NE(output.find("These riding H atoms are deleted with their group: H9D, H9E, H9F.\n"
                        "These cards name a deleted atom and will name a missing one:\n"
                        "SADI 0.02 C8A C9A C8B C9B\n"),
            std::string::npos)
      << output;

  // The ring backwards: old C6 is C1 ... old C1 is C6, each on its first line only.
  const std::vector<std::pair<std::string, std::string>> ring = {{"C1 ", "C6 "}, {"C2 ", "C5 "},
                                                                 {"C3 ", "C4 "}, {"C4 ", "C3 "},
                                                                 {"C5 ", "C2 "}, {"C6 ", "C1 "}};
  std::vector<std::string*> ringLines;
  for (const auto& [from, to] : ring) {
    const auto line = lineStarting(expected, from);
    ASSERT_NE(line, expected.end()) << from;
    ringLines.push_back(&*line);
  }
  for (size_t i = 0; i < ring.size(); ++i)
    ringLines[i]->replace(0, 3, ring[i].second);
  // PART 3 stands before C7.
  expected.insert(lineStarting(expected, "C7 "), "PART 3");
  // C9B goes with its AFIX 137 group: two atom lines, AFIX, three H atoms and AFIX 0.
  const auto c9b = lineStarting(expected, "C9B ");
  ASSERT_NE(c9b, expected.end());
  ASSERT_EQ(*(c9b + 2), "AFIX 137");
  ASSERT_TRUE((c9b + 6)->starts_with("AFIX"));
  expected.erase(c9b, c9b + 7);
  // The two peaks are new O atoms after the last atom.
  const auto hklf = lineStarting(expected, "HKLF");
  ASSERT_EQ(*(hklf - 1), "PART 0");
  expected.insert(hklf, {"O4    3    1.070400   -0.089100    0.686300   11.000000   0.050000",
                         "O5    3    0.760500    0.148400    0.798000   11.000000   0.050000"});

  // Q1 and Q3 are gone: the later peaks move up and are numbered again.
  const auto q1 = lineStarting(expected, "Q1 ");
  ASSERT_NE(q1, expected.end());
  std::vector<std::string> peaks(q1, q1 + 10);
  peaks.erase(peaks.begin() + 2);
  peaks.erase(peaks.begin());
  for (size_t k = 0; k < peaks.size(); ++k) {
    std::string label = "Q" + std::to_string(k + 1);
    peaks[k].replace(0, 5, label + std::string(5 - label.size(), ' '));
  }
  expected.erase(q1, q1 + 10);
  expected.insert(lineStarting(expected, "END"), peaks.begin(), peaks.end());

  ASSERT_EQ(saved.size(), expected.size());
  for (size_t i = 1; i < saved.size(); ++i)  // line 0: TITL with the time of its save
    EXPECT_EQ(saved[i], expected[i]) << "line " << i;

  // Read back: every riding H atom has its parent, the cards still name C9B.
  const TempFolder again;
  const fs::path file = again.path() / "edited.ins";
  model::replaceFileLines(file, saved);
  model::StructureModel s;
  FakeDialogs dialogs;
  ASSERT_TRUE(model::loadInstructionFile(s, file, model::ElementDefinitions::load(dataFolder()),
                                         dialogs, model::noTitlAtOpenMessage));
  EXPECT_EQ(s.nonHCount, 15);
  EXPECT_EQ(s.hCount, 12);
  EXPECT_TRUE(model::ridingHydrogensWithoutParent(s).empty());
  EXPECT_EQ(s.atoms[4].label, "C6");
  EXPECT_EQ(s.atoms[10].part, 3);
}

TEST(AtomEditScripts, NameTurnsAtomsOfACartesianImportIntoHAndBack) {
  TempFolder folder;
  folder.write("ethyl.abc", "C1 0 0 0\nC2 1.54 0 0\nH1 -0.5 0.9 0\n");
  const Outcome o = runScript(folder,
                              "answer ethyl.abc\n"
                              "\"Cartesian (<-DFT)\"\n"
                              "mode Name\n"
                              "set SpinEdit20 2\n"
                              "pick C2\n"
                              "apply\n"
                              "info\n"
                              "mode Name\n"
                              "set SpinEdit20 1\n"
                              "pick H1\n"
                              "apply\n"
                              "info\n");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  EXPECT_EQ(o.out.find("Renaming of"), std::string::npos) << o.out;
  const std::size_t first = o.out.find("Atoms:    1 non-H (0 anisotropic), 2 H, 0 peaks");
  EXPECT_NE(first, std::string::npos) << o.out;
  EXPECT_NE(o.out.find("Atoms:    2 non-H (0 anisotropic), 1 H, 0 peaks", first), std::string::npos)
      << o.out;
}

TEST(AtomEditScripts, RenumberingFollowsIntoEveryCardAndDeletingAGroupsOnlyHFreesItsParent) {
  const fs::path file =
      fs::path(TAVO_SOURCE_DIR) / "tests" / "data" / "shelxl" / "resi_restraints.ins";
  std::string output;
  std::vector<std::string> expected = savedAfter(file, "", output);
  const std::vector<std::string> saved = savedAfter(file,
                                                    "mode Renumber\n"
                                                    "set SpinEdit20 1\n"
                                                    "set SpinEdit21 8\n"
                                                    "pick C21\n"
                                                    "apply\n"
                                                    "mode Delete\n"
                                                    "pick H2\n"
                                                    "apply\n",
                                                    output);
  EXPECT_EQ(output.find("Delete?"), std::string::npos) << "nothing beyond H2 goes: " << output;
  const std::vector<std::pair<std::string, std::string>> changes = {
      {"DFIX 1.54 0.01 C20 C21 C20 C22 =", "DFIX 1.54 0.01 C20 C8 C20 C22 ="},
      {"DANG 2.52 0.02 C21 C22 C21 C23 C22 C23", "DANG 2.52 0.02 C8 C22 C8 C23 C22 C23"},
      {"EADP C21 C21B", "EADP C8 C21B"},
      {"EXYZ C21 C21B", "EXYZ C8 C21B"},
  };
  for (const auto& [from, to] : changes) {
    const auto line = std::find(expected.begin(), expected.end(), from);
    ASSERT_NE(line, expected.end()) << from;
    *line = to;
  }
  const auto c21 = lineStarting(expected, "C21   1");
  ASSERT_NE(c21, expected.end());
  c21->replace(0, 5, "C8   ");
  // H2 was the whole AFIX 43 group of C2: the group goes, C2 stands alone.
  const auto h2 = lineStarting(expected, "H2 ");
  ASSERT_NE(h2, expected.end());
  ASSERT_TRUE((h2 - 1)->starts_with("AFIX"));
  expected.erase(h2 - 1, h2 + 2);

  ASSERT_EQ(saved.size(), expected.size());
  for (size_t i = 1; i < saved.size(); ++i)
    EXPECT_EQ(saved[i], expected[i]) << "line " << i;
}

}  // namespace
}  // namespace tavo::testing
