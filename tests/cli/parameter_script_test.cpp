// The parameter windows end to end: tavo-cli run scripts edit one atom in Edit Parameters, set
// a parameter of picked atoms in Setting the Parameter, shift and invert real files; each saved
// file differs from a plain save of the same file in exactly the intended lines and reads back.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

/// The indexes of the lines that differ (the two files must have the same length).
std::vector<std::size_t> differing(const std::vector<std::string>& a,
                                   const std::vector<std::string>& b) {
  EXPECT_EQ(a.size(), b.size());
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) out.push_back(i);
  }
  return out;
}

double word(const std::string& line, std::size_t i) {
  const std::vector<std::string_view> words = text::splitWords(line);
  return i < words.size() ? text::parseDouble(words[i]) : NAN;
}

const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";

TEST(ParameterScripts, EditAndSettingChangeOnlyTheirAtomsAndReadBack) {
  std::string output;
  const std::vector<std::string> plain = savedAfter(paraben, "", output, SaveRun().withoutTitl());
  const TempFolder folder;
  fs::copy_file(paraben, folder.path() / "paraben.res");
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "mode Edit\n"
                              "pick C1\n"
                              "window TForm24 X 0.8\n"
                              "window TForm24 U11_FV 21\n"
                              "window TForm24 Update\n"
                              "mode PARAM\n"
                              "pick O1 O2\n"
                              "apply\n"
                              "window TForm30 SpinEdit1 5\n"
                              "window TForm30 \"Fixed Value\"\n"
                              "window TForm30 Value 0.05\n"
                              "window TForm30 Update\n"
                              "\"Save *.ins\"\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  std::vector<std::string> saved = model::loadFileLines(folder.path() / "paraben.ins");
  saved.erase(saved.begin());
  std::vector<std::string> changed;
  for (const std::size_t i : differing(plain, saved))
    changed.push_back(saved[i]);
  ASSERT_EQ(changed.size(), 3u) << ::testing::PrintToString(changed);
  EXPECT_TRUE(
      changed[0].starts_with("O1    3    0.677422    0.494081    0.987920   11.000000  "
                             "10.050000"))
      << changed[0];
  EXPECT_TRUE(
      changed[1].starts_with("O2    3    0.807658   -0.085816    0.665433   11.000000  "
                             "10.050000"))
      << changed[1];
  EXPECT_TRUE(
      changed[2].starts_with("C1    1    0.800000    0.136967    0.801344   11.000000  "
                             "21.000000"))
      << changed[2];
  // Read back: the window shows what was saved.
  const Outcome back =
      runScript(folder, "open paraben.ins\nmode Edit\npick C1\nwindow TForm24 print\n");
  ASSERT_EQ(back.status, 0) << back.out << back.err;
  EXPECT_NE(back.out.find("X-info 0.8 0\n"), std::string::npos) << back.out;
  EXPECT_NE(back.out.find("U11/Uiso 0.63412 21\n"), std::string::npos) << back.out;
}

TEST(ParameterScripts, ARefusedFieldStopsTheScriptAndNothingIsSaved) {
  std::string output;
  const std::vector<std::string> saved =
      savedAfter(paraben,
                 "mode Edit\npick C1\nwindow TForm24 X 0.9\nwindow TForm24 SFAC 7\n"
                 "window TForm24 Update\n",
                 output, SaveRun().expecting(1).withoutTitl());
  EXPECT_TRUE(saved.empty());
  EXPECT_NE(output.find("SFAC 7 is not an element of the SFAC list (1..3)."), std::string::npos)
      << output;
}

/// A corpus file inverted (and shifted) by a script: only the coordinates of atoms, H atoms and
/// peaks change, each as the move says; the space group and every other line stay.
void expectMoved(const fs::path& file, const std::string& edits, double sign, double offset) {
  std::string output;
  const std::vector<std::string> plain = savedAfter(file, "", output, SaveRun().withoutTitl());
  const std::vector<std::string> moved = savedAfter(file, edits, output, SaveRun().withoutTitl());
  ASSERT_FALSE(moved.empty()) << output;
  int atoms = 0;
  for (const std::size_t i : differing(plain, moved)) {
    const std::vector<std::string_view> words = text::splitWords(plain[i]);
    ASSERT_GE(words.size(), 5u) << plain[i];
    EXPECT_EQ(text::splitWords(moved[i])[0], words[0]);
    for (std::size_t k = 2; k <= 4; ++k) {
      EXPECT_NEAR(word(moved[i], k), offset + sign * word(plain[i], k), 2e-6) << moved[i];
    }
    ++atoms;
  }
  EXPECT_GT(atoms, 0);
}

TEST(ParameterScripts, InvertAndShiftAChiralCorpusStructure) {
  const fs::path corpus = corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus folder";
  const fs::path alanine = corpus / "shelxl" / "xharpy_L-Ala_iam.res";
  if (!fs::exists(alanine)) GTEST_SKIP() << "no alanine file";
  // P212121 is kept by x' = 1 - x.
  expectMoved(alanine, "\"Invert Structure\"\n", -1, 1);
  expectMoved(alanine,
              "\"Shift XYZs\"\nwindow TForm26 \"Shift in X\" 2\nwindow TForm26 \"Shift in Y\" 2\n"
              "window TForm26 \"Shift in Z\" 2\nwindow TForm26 OK\n",
              1, 2);
}

TEST(ParameterScripts, WorkingCoordinatesArePrinted) {
  const TempFolder folder;
  fs::copy_file(paraben, folder.path() / "paraben.res");
  const Outcome o = runScript(folder, "open paraben.res\n\"List of XYZs\"\nwindow TForm29 print\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.out.find("Label X Y Z\nO1 0.677422"), std::string::npos) << o.out;
}

}  // namespace
}  // namespace tavo::testing
