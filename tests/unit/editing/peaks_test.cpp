// The peak tools: the list, deletion, MovePks and the overlay reading of another file's peaks.
#include "editing/peaks.h"

#include <gtest/gtest.h>

#include "geometry/cell_metrics.h"
#include "geometry/symmetry_operators.h"
#include "support/test_helpers.h"
#include "text/errors.h"
#include "unit/model/reader_fixture.h"

namespace tavo::editing {
namespace {

using testing::messageOf;

using model::AtomKind;

const std::string twoAtoms =
    "C1    1    0.100000    0.200000    0.300000    11.00000    0.05000\n"
    "O1    4    0.300000    0.200000    0.300000    11.00000    0.05000\n"
    "HKLF 4\nEND\n";

std::string peakLines(int count) {
  std::string lines;
  for (int k = 1; k <= count; ++k) {
    lines += "Q" + std::to_string(k) + "    1   0.1" + std::to_string(k) +
             "00   0.2000   0.3000  11.00000  0.05    " + std::to_string(k) + ".00\n";
  }
  return lines;
}

TEST(PeakList, ShowsNearestAtomOfThePeakBondsAndNoneWithoutOne) {
  auto read = testing::readInsText(testing::head() +
                                   "C1    1    0.1 0.2 0.3 11.0 0.05\n"
                                   "O1    4    0.3 0.2 0.3 11.0 0.05\n"
                                   "HKLF 4\n" +
                                   "Q1    1   0.5256   0.2000   0.3000  11.00000  0.05    1.23\n"
                                   "Q2    1   0.9000   0.9000   0.9000  11.00000  0.05    0.50\n"
                                   "END\n");
  model::StructureModel& s = read->s();
  ASSERT_EQ(s.peakCount, 2);
  s.view[1][1] = {0, 0, 0};
  s.view[1][2] = {2, 0, 0};
  s.view[3][1] = {1.5, 0, 0};
  // Both atoms are bonded to peak 1; O1 is nearer.
  s.bonds.kinds[3] = {{1, 1}, {1, 2}};
  const text::TextGrid grid = peakListGrid(s);
  ASSERT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.row(0), (std::vector<std::string>{"Peaks", "Height", "X", "Y", "Z", " ", "Nearest",
                                                   "Distance"}));
  // 0.5256 keeps its four decimals: the eight-decimal cut is made in the decimal text.
  EXPECT_EQ(grid.row(1),
            (std::vector<std::string>{"Pk.1", "1.23", "0.5256", "0.2", "0.3", "", "O1", "0.5"}));
  EXPECT_EQ(grid.row(2),
            (std::vector<std::string>{"Pk.2", "0.5", "0.9", "0.9", "0.9", "", "NONE", ""}));
  const std::vector<std::string> printed = peakListPrintLines(grid);
  EXPECT_EQ(printed[1], "Pk.1        1.23        0.5256      0.2         0.3" +
                            std::string(21, ' ') + "O1          0.5");
}

TEST(PeakList, DeletingPeaksMovesTheLaterOnesUp) {
  auto read = testing::readInsText(testing::head() + twoAtoms.substr(0, twoAtoms.find("END")) +
                                   peakLines(5) + "END\n");
  model::StructureModel& s = read->s();
  ASSERT_EQ(s.peakCount, 5);
  PurgeMap map = deletePeaks(s, 2, 2);
  EXPECT_EQ(s.peakCount, 4);
  EXPECT_EQ(s.workingPeakCount, 4);
  EXPECT_DOUBLE_EQ(s.peaks[2].height, 3.0) << "old Pk.3 is Pk.2";
  EXPECT_EQ(map.map({AtomKind::Peak, 5}), (model::AtomRef{AtomKind::Peak, 4}));
  map = deletePeaks(s, 3, 9);  // the block is cut at the last peak
  EXPECT_EQ(s.peakCount, 2);
  deletePeaks(s, 0, 0);
  EXPECT_EQ(s.peakCount, 2) << "no row: nothing";
  EXPECT_EQ(s.nonHCount, 2);
}

TEST(MovePeaks, TakesTheImageNearestToAnAtomFirstOfEqualOnesAndKeepsNearestPeaks) {
  auto read = testing::readInsText(testing::head() + twoAtoms);
  model::StructureModel& s = read->s();
  s.symmetry.resetToIdentity();
  struct Case {
    double x, y, z, ex, ey, ez;
    const char* why;
  };
  const Case cases[] = {
      {1.12, 2.2, -0.7, 0.12, 0.2, 0.3, "whole-cell translations back next to C1"},
      {0.2, 0.2, 0.3, 0.2, 0.2, 0.3, "already nearest: stays"},
      {-1.8, 0.2, 0.3, 0.2, 0.2, 0.3, "a translation of 2, the largest tried"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    s.peaks[1] = {c.x, c.y, c.z, 1, 0};
    s.peakCount = s.workingPeakCount = 1;
    movePeaksNextToMolecule(s);
    EXPECT_NEAR(s.peaks[1].x, c.ex, 1e-12);
    EXPECT_NEAR(s.peaks[1].y, c.ey, 1e-12);
    EXPECT_NEAR(s.peaks[1].z, c.ez, 1e-12);
  }
  // With the operators of P21/c a peak at the screw image of C1 goes onto C1 itself.
  geometry::fillSymmetryOps(
      s.symmetry,
      geometry::operatorsFromLattSymm(1, {*geometry::parseSymmetryTriplet("-X, 1/2+Y, 1/2-Z")}));
  s.peaks[1] = {-0.1, 0.7, 0.2, 1, 0};
  EXPECT_EQ(movePeaksNextToMolecule(s), 1);
  EXPECT_NEAR(geometry::viewDistance(
                  geometry::cartesianOf(s.cell, {0.1, 0.2, 0.3}),
                  geometry::cartesianOf(s.cell, {s.peaks[1].x, s.peaks[1].y, s.peaks[1].z})),
              0, 1e-9);
}

TEST(OverlayPeaks, ReadsTheLastPeakBlockAndRefusesWhatIsNotOne) {
  const std::vector<std::string> lines = {
      "TITL other",
      "CELL 0.71073 10.0 11.0 12.0 90 100 90",
      "Q1 1 9 9 9 11 0.05 9",  // an earlier block is passed over
      "HKLF 4",
      "Q1    1   0.1234   0.5678   0.9012  11.00000  0.05    1.23",
      "REM not a peak",
      "Q2    1  -0.5000   0.2500   1.0000  11.00000  0.05    0.40",
      "END"};
  const OverlayPeaks overlay = readOverlayPeaks(lines, "other.res", 1000);
  ASSERT_EQ(overlay.peaks.size(), 2u);
  EXPECT_EQ(overlay.peaks[0], (model::Peak{0.1234, 0.5678, 0.9012, 1.23, 0}));
  EXPECT_EQ(overlay.peaks[1], (model::Peak{-0.5, 0.25, 1.0, 0.4, 0}));
  EXPECT_EQ(overlay.firstPeakRow, 4);
  EXPECT_EQ(overlay.lastRow, 7);
  model::CellParameters cell;
  cell.a = 10, cell.b = 11, cell.c = 12, cell.alpha = 90, cell.beta = 100, cell.gamma = 90;
  EXPECT_FALSE(cellDiffers(overlay, cell));
  cell.beta = 100.1;
  EXPECT_TRUE(cellDiffers(overlay, cell));

  EXPECT_EQ(messageOf([] {
              readOverlayPeaks({"TITL x", "HKLF 4", "END"}, "x.res", 1000);
            }),
            "x.res has no peak block (no line begins with \"Q1 \"): the peaks were left as they "
            "were.");
  EXPECT_EQ(
      messageOf([] {
        readOverlayPeaks({"TITL x", "Q1 1 0.1 0.2 abc 11 0.05 1"}, "x.res", 1000);
      }),
      "x.res, line 2: 'Q1 1 0.1 0.2 abc 11 0.05 1' is not a peak line with x, y, z and the height: "
      "no peak was read.");
  EXPECT_EQ(messageOf([&] { readOverlayPeaks(lines, "other.res", 1); }),
            "other.res has more than 1 peaks, the limit atm_max of array_max.inf: no peak was "
            "read.");
}

TEST(ClearPeaks, EmptiesThePeakTableAndTheSelection) {
  auto read = testing::readInsText(testing::head() + twoAtoms.substr(0, twoAtoms.find("END")) +
                                   peakLines(3) + "END\n");
  model::StructureModel& s = read->s();
  Selection selection;
  selection.append(s, {AtomKind::Peak, 2});
  selection.append(s, {AtomKind::Atom, 1});
  clearPeaks(s, selection);
  EXPECT_EQ(s.peakCount, 0);
  EXPECT_EQ(s.workingPeakCount, 0);
  EXPECT_TRUE(selection.empty());
  EXPECT_EQ(s.selected[1][1], 0);
  EXPECT_EQ(s.peaks[1], model::Peak{});
}

}  // namespace
}  // namespace tavo::editing
