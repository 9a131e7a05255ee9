// Tests of the cell contents that UNIT numbers are counted from.
#include "model/cell_contents.h"

#include <gtest/gtest.h>

#include "unit/model/reader_fixture.h"

namespace tavo::model {
namespace {

// P2(1)/c from LATT 1 and one SYMM card: four operators. C1 is whole, C2 sits on an inversion
// centre (sof 0.5), O1 and O2 are the two parts of a disorder tied to FV(2) = 0.7, a riding H
// and a free H count like the others, and the Q-peak counts not at all.
TEST(CellContents, SumOfSofTimesTheOperatorsWithCentring) {
  auto read = testing::readInsText(
      testing::head("FVAR 1.0 0.7") +
      "C1    1    0.100000    0.200000    0.300000    11.00000    0.05000\n"
      "AFIX 43\n"
      "H1    2    0.110000    0.210000    0.310000    11.00000   -1.20000\n"
      "AFIX 0\n"
      "C2    1    0.000000    0.000000    0.000000    10.50000    0.05000\n"
      "PART 1\n"
      "O1    4    0.300000    0.400000    0.500000    21.00000    0.05000\n"
      "PART 2\n"
      "O2    4    0.310000    0.410000    0.510000   -21.00000    0.05000\n"
      "PART 0\n"
      "H2    2    0.500000    0.410000    0.510000    11.00000    0.05000\n"
      "HKLF 4\nEND\n"
      "Q1    1    0.500000    0.500000    0.500000    11.00000    0.05000 1.20\n");
  ASSERT_TRUE(read->loaded);
  StructureModel& s = read->s();
  s.symmetry.opCount = 4;  // as the workbench sets it from LATT 1 and the SYMM card
  const std::vector<double> counts = cellContents(s);
  ASSERT_EQ(counts.size(), 5u);
  EXPECT_DOUBLE_EQ(counts[1], 6.0) << "C: (1 + 0.5) x 4";
  EXPECT_DOUBLE_EQ(counts[2], 8.0) << "H: a riding and a free H atom, x 4";
  EXPECT_DOUBLE_EQ(counts[3], 0.0) << "N: no atom";
  EXPECT_NEAR(counts[4], 4.0, 1e-12) << "O: 0.7 + 0.3 of a disordered site, x 4";
}

// The copies of an expansion are not the file's atoms.
TEST(CellContents, CopiesDoNotCount) {
  auto read = testing::readInsText(
      "TITL test\nCELL 0.71073 10.0 11.0 12.0 90 90 90\nZERR 8 0.001 0.001 0.001 0 0 0\n"
      "LATT 2\nSFAC C O\nUNIT 1 1\nL.S. 4\nFVAR 1.0\n"
      "C1    1    0.100000    0.200000    0.300000    11.00000    0.05000\n"
      "O1    2    0.300000    0.400000    0.500000    11.00000    0.05000\n"
      "HKLF 4\nEND\n");
  ASSERT_TRUE(read->loaded);
  StructureModel& s = read->s();
  s.symmetry.opCount = 4;  // LATT 2 (I): identity and -x,-y,-z, each with the I centring
  // A generated copy above the file count, as an expansion leaves it, is not the file's.
  const int copy = s.addAtom();
  s.atoms[copy] = s.atoms[1];
  const std::vector<double> counts = cellContents(s);
  EXPECT_DOUBLE_EQ(counts[1], 4.0);
  EXPECT_DOUBLE_EQ(counts[2], 4.0);
}

// SHELXL writes the sof of a site of symmetry m-3m in Fm-3m as 0.02083 (1/48): x 192 operators
// that is 3.99936, four atoms to five decimals; a real fraction stays.
TEST(CellContents, TheRoundingOfFiveDecimalSofsGivesWholeNumbers) {
  auto read = testing::readInsText(
      "TITL test\nCELL 0.71073 5.64 5.64 5.64 90 90 90\nZERR 4 0.001 0.001 0.001 0 0 0\n"
      "LATT 4\nSFAC NA CL\nUNIT 4 4\nL.S. 4\nFVAR 1.0\n"
      "NA1   1    0.000000    0.000000    0.000000    10.02083    0.05000\n"
      "CL1   2    0.500000    0.500000    0.500000    10.02000    0.05000\n"
      "HKLF 4\nEND\n");
  ASSERT_TRUE(read->loaded);
  StructureModel& s = read->s();
  s.symmetry.opCount = 192;
  const std::vector<double> counts = cellContents(s);
  EXPECT_EQ(counts[1], 4.0);
  EXPECT_NEAR(counts[2], 3.84, 1e-9) << "0.02 x 192 is no rounding of 1/48";
}

}  // namespace
}  // namespace tavo::model
