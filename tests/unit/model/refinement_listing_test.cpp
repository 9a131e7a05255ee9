// The cycle and summary lines of refinement listings: the forms of the different versions, the
// console read line by line, notes and NPD atoms, and every real listing of the corpus.
#include "model/refinement_listing.h"

#include <gtest/gtest.h>

#include "model/file_lines.h"
#include "support/temp_folder.h"

namespace tavo::model {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Two cycles in the spacing of SHELXL-97/2008, a glued "Maximum =-0.876", the final lines in
// the order of those versions (R1 before wR2), a note, an NPD atom and unknown lines.
const std::string olderListing = R"(
 L.S. 2
 Least-squares cycle   1      Maximum vector length =  511      Memory required =   4572 /  355303

 wR2 =  0.0905 before cycle   1 for   4228 data and   284 /   284 parameters

 GooF = S =     1.085;     Restrained GooF =      1.090  for     12 restraints
 Mean shift/esd =   0.571    Maximum =   1.938 for   x  O3
 Least-squares cycle   2      Maximum vector length =  511      Memory required =   4572 /  355303
 wR2 =  0.0879 before cycle   2 for   4228 data and   284 /   284 parameters
 GooF = S =     1.058;     Restrained GooF =      1.061  for     12 restraints
 Mean shift/esd =   0.209    Maximum =-0.876 for  OSF
 something we do not know = 17
 Total number of l.s. parameters =   284     Maximum vector length =  511
 wR2 =  0.0876 before cycle   3 for   4228 data and     0 /   284 parameters
 GooF = S =     1.055;     Restrained GooF =      1.058  for     12 restraints
 R1 =  0.0327 for   3857 Fo > 4sig(Fo)  and  0.0362 for all   4228 data
 wR2 =  0.0876,  GooF = S =   1.055,  Restrained GooF =    1.058  for all data
  -0.0010  -0.0010  -0.0010   H4   ** NON POSITIVE DEFINITE **
 ** Warning:     0  atoms may be split and     1  atoms NPD **
 R1 =  0.0360 for   4228 unique reflections after merging for Fourier
 Highest peak    0.36  at  0.1802  0.4511  0.0496  [  0.81 A from H2A ]
 Deepest hole   -0.27  at  0.2619  0.6633  0.2358  [  0.49 A from SI1 ]
)";

TEST(RefinementListing, ReadsCyclesAndTheFinalSummary) {
  const RefinementSummary s = readRefinementListing(linesOf(olderListing));
  ASSERT_EQ(s.cycles.size(), 2u);
  EXPECT_EQ(s.plannedCycles, 2);
  const RefinementCycle& first = s.cycles[0];
  EXPECT_EQ(first.number, 1);
  EXPECT_DOUBLE_EQ(*first.wR2, 0.0905);
  EXPECT_EQ(first.data, 4228);
  EXPECT_EQ(first.parameters, 284);
  EXPECT_DOUBLE_EQ(*first.goof, 1.085);
  EXPECT_DOUBLE_EQ(*first.restrainedGoof, 1.090);
  EXPECT_EQ(first.restraints, 12);
  EXPECT_DOUBLE_EQ(*first.meanShift, 0.571);
  EXPECT_DOUBLE_EQ(*first.maxShift, 1.938);
  EXPECT_EQ(first.maxShiftParameter, "x O3");
  EXPECT_DOUBLE_EQ(*s.cycles[1].maxShift, -0.876) << "the number glued to '='";
  EXPECT_EQ(s.cycles[1].maxShiftParameter, "OSF");
  // The final calculation's "before cycle 3" belongs to no cycle.
  EXPECT_DOUBLE_EQ(*s.cycles[1].wR2, 0.0879);
  ASSERT_TRUE(s.finished());
  EXPECT_DOUBLE_EQ(*s.r1Gt, 0.0327);
  EXPECT_DOUBLE_EQ(*s.r1All, 0.0362) << "not the R1 after merging for Fourier";
  EXPECT_EQ(s.reflectionsGt, 3857);
  EXPECT_EQ(s.reflectionsAll, 4228);
  EXPECT_DOUBLE_EQ(*s.wR2, 0.0876);
  EXPECT_DOUBLE_EQ(*s.goof, 1.055);
  EXPECT_DOUBLE_EQ(*s.restrainedGoof, 1.058);
  EXPECT_EQ(s.restraints, 12);
  EXPECT_EQ(s.parameters, 284);
  ASSERT_TRUE(s.highestPeak && s.deepestHole);
  EXPECT_DOUBLE_EQ(s.highestPeak->height, 0.36);
  EXPECT_EQ(s.highestPeak->nearAtom, "H2A");
  EXPECT_DOUBLE_EQ(s.highestPeak->distance, 0.81);
  EXPECT_DOUBLE_EQ(s.deepestHole->height, -0.27);
  EXPECT_EQ(s.deepestHole->nearAtom, "SI1");
  EXPECT_EQ(s.npdAtoms, std::vector<std::string>{"H4"});
  EXPECT_EQ(s.notes, std::vector<std::string>{
                         "** Warning:     0  atoms may be split and     1  atoms NPD **"});
}

TEST(RefinementListing, ReadsTheLaterFormsAndAnUnfinishedRun) {
  // SHELXL-2019 writes shift/su; a run that stopped has cycles but no summary.
  RefinementListingReader reader;
  for (const char* line : {
           " Least-squares cycle   1   Maximum vector length =  623   Memory required =  1 / 1 / 1",
           " wR2 = 0.004659 before cycle   1 for    9942 data and    140 /    140 parameters",
           " Mean shift/su =   0.050  Maximum =    -4.375 for  U11 H4       ",
           " ** CANNOT OPEN FILE abc.hkl **",
       })
    reader.read(line);
  const RefinementSummary& s = reader.summary();
  ASSERT_EQ(s.cycles.size(), 1u);
  EXPECT_DOUBLE_EQ(*s.cycles[0].wR2, 0.004659);
  EXPECT_DOUBLE_EQ(*s.cycles[0].maxShift, -4.375);
  EXPECT_EQ(s.cycles[0].maxShiftParameter, "U11 H4");
  EXPECT_FALSE(s.finished());
  ASSERT_EQ(s.notes.size(), 1u);
  EXPECT_TRUE(isErrorNote(s.notes[0]));
}

TEST(RefinementListing, TellsErrorsFromWarnings) {
  struct Case {
    const char* note;
    bool error;
  };
  const Case cases[] = {
      {"** CANNOT OPEN FILE x.hkl **", true},
      {"** Illegal command name 'XYZZ' **", true},
      {"** WARNING: Input data appear to be merged: CIF file will be incomplete **", false},
      {"** Warning:     0  atoms may be split and     2  atoms NPD **", false},
      {"** Classical Flack determination preferred because s.u. lower **", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(isErrorNote(c.note), c.error) << c.note;
}

TEST(RefinementListing, ReadsEveryListingOfTheCorpus) {
  const std::vector<std::filesystem::path> files = testing::corpusFiles("lst");
  if (files.empty()) GTEST_SKIP() << "no corpus folder";
  for (const std::filesystem::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const RefinementSummary s = readRefinementListing(loadFileLines(file));
    ASSERT_TRUE(s.finished());
    ASSERT_FALSE(s.cycles.empty());
    ASSERT_TRUE(s.plannedCycles);
    EXPECT_EQ(static_cast<int>(s.cycles.size()), *s.plannedCycles);
    for (std::size_t i = 0; i < s.cycles.size(); ++i) {
      EXPECT_EQ(s.cycles[i].number, static_cast<int>(i) + 1);
      EXPECT_TRUE(s.cycles[i].wR2 && s.cycles[i].goof && s.cycles[i].maxShift);
    }
    EXPECT_TRUE(s.wR2 && s.goof && s.restrainedGoof && s.r1All);
    EXPECT_GT(s.parameters, 0);
    EXPECT_TRUE(s.highestPeak && s.deepestHole);
  }
  // Figures of two of them, as their listings print them.
  for (const std::filesystem::path& file : files) {
    const RefinementSummary s = readRefinementListing(loadFileLines(file));
    if (file.filename() == "hikari_NaCl_Fm-3m.lst") {
      EXPECT_DOUBLE_EQ(*s.r1Gt, 0.0096);
      EXPECT_EQ(s.parameters, 3);
      EXPECT_EQ(s.cycles.back().maxShiftParameter, "OSF");
      EXPECT_DOUBLE_EQ(s.deepestHole->height, -0.22);
    }
    if (file.filename() == "xharpy_xylitol_npd.lst") {
      EXPECT_DOUBLE_EQ(*s.r1All, 0.268768);
      EXPECT_DOUBLE_EQ(*s.goof, 0.35568);
      EXPECT_EQ(s.npdAtoms, (std::vector<std::string>{"H11", "H4"}));
      EXPECT_EQ(s.reflectionsGt, 1596);
    }
  }
}

}  // namespace
}  // namespace tavo::model
