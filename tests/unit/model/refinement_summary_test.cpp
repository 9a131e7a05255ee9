// The refinement summary of a .res (its REM lines) or of the listing beside it.
#include "model/refinement_summary.h"

#include <gtest/gtest.h>

#include "model/file_lines.h"
#include "support/temp_folder.h"

namespace tavo::model {
namespace {

using testing::TempFolder;

TEST(RefinementFigures, FiguresFromTheRemLinesOfARes) {
  const std::vector<std::string> lines = {
      "TITL x in P2(1)/c",
      "REM wR2 = 0.0915, GooF = S = 1.045, Restrained GooF = 1.040 for all data",
      "REM R1 = 0.0345 for 2345 Fo > 4sig(Fo) and 0.0400 for all 2800 data",
      "REM 151 parameters refined using 21 restraints",
      "REM Highest difference peak  0.241,  deepest hole -0.186,  1-sigma level  0.041",
      "END"};
  const RefinementFigures s = readRefinementSummary(lines);
  EXPECT_EQ(s.r1, 0.0345);
  EXPECT_EQ(s.wR2, 0.0915);
  EXPECT_EQ(s.goof, 1.045);
  EXPECT_EQ(s.highestPeak, 0.241);
  EXPECT_EQ(s.deepestHole, -0.186);
  EXPECT_EQ(refinementSummaryText(s),
            "R1 = 0.0345, wR2 = 0.0915, GooF = 1.045, highest peak 0.24, deepest hole -0.19 e/A^3");
}

TEST(RefinementFigures, TheListingsLastValuesAndWhatIsMissing) {
  struct Case {
    std::vector<std::string> lines;
    RefinementFigures expected;
    std::string text;
    const char* why;
  };
  const Case cases[] = {
      {{" wR2 =  0.0876 before cycle  31 for   4228 data and     0 /   284 parameters",
        " R1 =  0.0327 for   3857 Fo > 4sig(Fo)  and  0.0362 for all   4228 data",
        " wR2 =  0.0876,  GooF = S =   1.055,  Restrained GooF =    1.055  for all data",
        " R1 =  0.0360 for   4228 unique reflections after merging for Fourier",
        " Highest peak    0.36  at  0.1802  0.4511  0.0496  [  0.81 A from H2A ]",
        " Deepest hole   -0.27  at  0.2619  0.6633  0.2358  [  0.49 A from SI1 ]"},
       {0.0327, 0.0876, 1.055, 0.36, -0.27},
       "R1 = 0.0327, wR2 = 0.0876, GooF = 1.055, highest peak 0.36, deepest hole -0.27 e/A^3",
       "a listing: the cycle's wR2 line and the Fourier R1 are not the figures"},
      {{"REM R1 = 0.1 for 10 Fo > 4sig(Fo) and 0.2 for all 20 data",
        "REM R1 = 0.05 for 10 Fo > 4sig(Fo) and 0.06 for all 20 data"},
       {0.05, {}, {}, {}, {}},
       "R1 = 0.0500",
       "the last of repeated lines counts; no wR2 or peaks"},
      {{"TITL x", "REM R1 = abc for 10 Fo > 4sig(Fo)", "REM Highest difference peak"},
       {},
       "",
       "words that are no numbers give nothing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const RefinementFigures s = readRefinementSummary(c.lines);
    EXPECT_EQ(s, c.expected);
    EXPECT_EQ(refinementSummaryText(s), c.text);
  }
}

TEST(RefinementFigures, WithoutRemLinesTheListingBesideTheFileIsRead) {
  TempFolder folder;
  const auto res = folder.write("x.res", "TITL x\nCELL 0.71 5 5 5 90 90 90\nEND\n");
  EXPECT_TRUE(refinementSummaryOf(res, loadFileLines(res)).empty()) << "no listing either";
  folder.write("x.lst",
               " R1 =  0.0327 for   3857 Fo > 4sig(Fo)  and  0.0362 for all   4228 data\n");
  EXPECT_EQ(refinementSummaryOf(res, loadFileLines(res)).r1, 0.0327);
  const std::vector<std::string> own = {"REM R1 = 0.0500 for 10 Fo > 4sig(Fo)"};
  EXPECT_EQ(refinementSummaryOf(res, own).r1, 0.05) << "the file's own lines come first";
}

TEST(RefinementFigures, RealResFilesOfTheCorpus) {
  const std::filesystem::path corpus = testing::corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus folder";
  const std::filesystem::path file = corpus / "shelxl" / "logbooker_dom1_mC.res";
  const RefinementFigures s = refinementSummaryOf(file, loadFileLines(file));
  EXPECT_EQ(s.r1, 0.1629);
  EXPECT_EQ(s.wR2, 0.4568);
  EXPECT_EQ(s.goof, 1.916);
  ASSERT_TRUE(s.highestPeak && s.deepestHole);
  EXPECT_NEAR(*s.highestPeak, 3.85, 0.002);
  EXPECT_NEAR(*s.deepestHole, -3.70, 0.003);
}

}  // namespace
}  // namespace tavo::model
