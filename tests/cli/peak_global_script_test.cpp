// The peak list, the overlay reading of peaks and the Global Edition window end to end: tavo-cli
// run scripts edit a real file and save it; the saved file differs from a plain save of the
// same file in exactly the intended lines, and reads back.
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

const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
const fs::path disorder =
    fs::path(TAVO_SOURCE_DIR) / "tests" / "data" / "shelxl" / "disorder_riding.res";

void expectSameFrom1(const std::vector<std::string>& saved,
                     const std::vector<std::string>& expected) {
  ASSERT_EQ(saved.size(), expected.size());
  for (size_t i = 1; i < saved.size(); ++i)  // line 0: TITL with the time of its save
    EXPECT_EQ(saved[i], expected[i]) << "line " << i;
}

model::StructureModel readBack(const std::vector<std::string>& lines) {
  const TempFolder folder;
  const fs::path file = folder.path() / "edited.ins";
  model::replaceFileLines(file, lines);
  model::StructureModel s;
  FakeDialogs dialogs;
  EXPECT_TRUE(model::loadInstructionFile(s, file, model::ElementDefinitions::load(dataFolder()),
                                         dialogs, model::noTitlAtOpenMessage));
  return s;
}

TEST(PeakScripts, DeletedPeaksLeaveTheFileAndTheOthersAreNumberedAgain) {
  std::string output;
  std::vector<std::string> expected = savedAfter(paraben, "", output);
  const std::vector<std::string> saved = savedAfter(paraben,
                                                    "\"List of Peaks\"\n"
                                                    "window TForm9 StringGrid1 2\n"
                                                    "window TForm9 Button1\n"
                                                    "window TForm9 StringGrid1 4 5\n"
                                                    "window TForm9 Button2\n"
                                                    "window TForm9 list\n",
                                                    output);
  EXPECT_NE(output.find("Pk.7 | 0.13 | 0.7118 | 0.5256 | 1.005 |  | O1 | 0.4214"),
            std::string::npos)
      << output;
  // Of Q1..Q10 of the file Q2, then Q5 and Q6 (rows 4 and 5 after the first deletion) went.
  const auto q1 = lineStarting(expected, "Q1 ");
  ASSERT_NE(q1, expected.end());
  std::vector<std::string> peaks;
  for (int k : {1, 3, 4, 7, 8, 9, 10}) {
    std::string line = *(q1 + (k - 1));
    const std::string label = "Q" + std::to_string(peaks.size() + 1);
    line.replace(0, 5, label + std::string(5 - label.size(), ' '));
    peaks.push_back(line);
  }
  expected.erase(q1, q1 + 10);
  expected.insert(lineStarting(expected, "END"), peaks.begin(), peaks.end());
  expectSameFrom1(saved, expected);
  EXPECT_EQ(readBack(saved).peakCount, 7);
}

TEST(PeakScripts, OverlayTakesTheOtherFilesPeaksAndKeepsEveryOtherLine) {
  std::string output;
  std::vector<std::string> expected = savedAfter(paraben, "", output);
  const std::vector<std::string> saved = savedAfter(paraben,
                                                    "answer other_disorder_riding.res\n"
                                                    "\"Read (Overlay) Q-Peaks in *.ins/*.res\"\n",
                                                    output, SaveRun().besides({disorder}));
  EXPECT_NE(output.find("The CELL of other_disorder_riding.res differs from the CELL of the "
                        "structure"),
            std::string::npos)
      << output;
  const auto q1 = lineStarting(expected, "Q1 ");
  ASSERT_NE(q1, expected.end());
  expected.erase(q1, q1 + 10);
  expected.insert(lineStarting(expected, "END"),
                  {"Q1    1   0.7654   0.5432   0.3210  11.00000  0.05    0.31",
                   "Q2    1   0.4321   0.1234   0.7890  11.00000  0.05    0.28",
                   "Q3    1   0.1111   0.6543   0.0543  11.00000  0.05    0.22"});
  expectSameFrom1(saved, expected);
}

TEST(GlobalEditionScripts, FixXyzAndReleaseAfixChangeOnlyTheirLines) {
  std::string output;
  std::vector<std::string> expected = savedAfter(paraben, "", output);
  const std::vector<std::string> saved = savedAfter(paraben,
                                                    "\"Global Edition\"\n"
                                                    "window TForm27 Add C1 H1\n"
                                                    "window TForm27 Fix_XYZ\n"
                                                    "window TForm27 Apply\n"
                                                    "window TForm27 StringGrid2 1 2\n"
                                                    "window TForm27 Multi-Removal\n"
                                                    "window TForm27 Add C2\n"
                                                    "window TForm27 Release_AFIX\n"
                                                    "window TForm27 Apply\n"
                                                    "window TForm27 list\n",
                                                    output);
  EXPECT_NE(output.find("Selcted Atoms\nC2 | 1 | 5\noption Release_AFIX\n"), std::string::npos)
      << output;
  const auto c1 = lineStarting(expected, "C1 ");
  ASSERT_NE(c1, expected.end());
  ASSERT_EQ(c1->substr(0, 43), "C1    1    0.823766    0.136967    0.801344");
  c1->replace(0, 43, "C1    1   10.823766   10.136967   10.801344");
  const auto h1 = lineStarting(expected, "H1 ");
  ASSERT_EQ(h1->substr(0, 43), "H1    2    0.740399    0.547279    1.031120");
  h1->replace(0, 43, "H1    2   10.740399   10.547279   11.031120");
  // H2 rides no more: its AFIX 43 and AFIX 0 lines go, it stays after C2.
  const auto h2 = lineStarting(expected, "H2 ");
  ASSERT_EQ(*(h2 - 1), "AFIX 43");
  ASSERT_EQ(*(h2 + 1), "AFIX   0");
  expected.erase(h2 + 1);
  expected.erase(h2 - 1);
  expectSameFrom1(saved, expected);
  const model::StructureModel back = readBack(saved);
  EXPECT_EQ(back.hCount, 15);
  EXPECT_TRUE(model::ridingHydrogensWithoutParent(back).empty());
}

TEST(GlobalEditionScripts, DeleteAllHsKeepsTheRigidGroupsEndOnARealFile) {
  std::string output;
  const std::vector<std::string> plain = savedAfter(disorder, "", output);
  const std::vector<std::string> saved = savedAfter(disorder,
                                                    "\"Global Edition\"\n"
                                                    "window TForm27 Delete_All_Hs\n"
                                                    "answer yes\n"
                                                    "window TForm27 Apply\n",
                                                    output);
  // The atom list without its H atoms: the riding AFIX lines and the PART lines around the
  // disordered methyl H atoms go; the rigid group C11..C16 keeps its AFIX 66/65 cards and the
  // AFIX 0 that ended it (and the riding group of H16) before O2, so O2 stays outside it. The
  // AFIX 137 card of the second methyl orientation stays, closed at once.
  const std::vector<std::string> atomList = {
      "O1",  "C1",       "C2",  "C3",       "C4",  "C5",       "AFIX 137", "AFIX   0",
      "C10", "AFIX  66", "C11", "AFIX  65", "C12", "AFIX  65", "C13",      "AFIX  65",
      "C14", "AFIX  65", "C15", "AFIX  65", "C16", "AFIX   0", "O2"};
  const auto fvar = std::find_if(saved.begin(), saved.end(),
                                 [](const std::string& l) { return l.starts_with("FVAR"); });
  const auto hklf = std::find_if(saved.begin(), saved.end(),
                                 [](const std::string& l) { return l.starts_with("HKLF"); });
  ASSERT_NE(hklf, saved.end());
  std::vector<std::string> shown;
  for (auto line = fvar + 1; line != hklf; ++line) {
    if ((line - 1)->ends_with("=")) continue;  // the second line of an anisotropic atom
    shown.push_back(line->starts_with("AFIX") ? *line : line->substr(0, line->find(' ')));
    // Every atom line is the line of the plain save.
    if (!line->starts_with("AFIX")) {
      EXPECT_NE(std::find(plain.begin(), plain.end(), *line), plain.end()) << *line;
    }
  }
  EXPECT_EQ(shown, atomList);
  // Everything outside the atom list is as in the plain save.
  const auto plainFvar = std::find_if(plain.begin(), plain.end(),
                                      [](const std::string& l) { return l.starts_with("FVAR"); });
  const auto plainHklf = std::find_if(plain.begin(), plain.end(),
                                      [](const std::string& l) { return l.starts_with("HKLF"); });
  EXPECT_TRUE(std::equal(plain.begin() + 1, plainFvar + 1, saved.begin() + 1, fvar + 1));
  EXPECT_TRUE(std::equal(plainHklf, plain.end(), hklf, saved.end()));
  const model::StructureModel back = readBack(saved);
  EXPECT_EQ(back.hCount, 0);
  EXPECT_EQ(back.nonHCount, 14);
}

}  // namespace
}  // namespace tavo::testing
