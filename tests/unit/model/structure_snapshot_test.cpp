// Tests of the snapshots that undo puts back.
#include "model/structure_snapshot.h"

#include <gtest/gtest.h>

#include "model/instruction_writer.h"
#include "unit/model/reader_fixture.h"

namespace tavo::model {
namespace {

TEST(StructureSnapshot, PutsBackWhatASaveWritesButKeepsTheTitleAndTheElementDefinitions) {
  auto read = testing::readInsText(
      testing::head() +
      "C1    1    0.100000    0.200000    0.300000    11.00000    0.05000\n"
      "AFIX 43\n"
      "H1    2    0.110000    0.210000    0.310000    11.00000   -1.20000\n"
      "AFIX 0\n"
      "O1    4    0.300000    0.400000    0.500000    11.00000    0.05000\n"
      "HKLF 4\nEND\n"
      "Q1    1    0.500000    0.500000    0.500000    11.00000    0.05000 1.20\n");
  ASSERT_TRUE(read->loaded);
  StructureModel& s = read->s();
  const std::vector<std::string> before = instructionFileLines(s);
  const StructureSnapshot snapshot = takeSnapshot(s);
  ASSERT_EQ(s.peakCount, 1);

  // An edit of the tables, lines and counts, a generated copy and a pick.
  s.atoms[1].label = "C9";
  s.atoms[2].afixGroup = s.atoms[1].afixGroup;
  s.atoms[1].afixGroup = 0;
  s.insertInstructionLine("DFIX 1.5 C9 O1");
  s.addFvar(0.3);
  s.elements[1].unitCount = 99;
  --s.peakCount;
  --s.workingPeakCount;
  const int copy = s.addAtom();
  s.atoms[copy].label = "C9*2";
  s.selected[1][copy] = 1;
  s.selected[1][2] = 1;
  // Not the edit's: a save stamps the title, the Preferences change a colour.
  s.instructionLines[0] = "TITL test stamped 004 TAVO";
  s.elements[1].colorCode = 255;
  ASSERT_NE(takeSnapshot(s), snapshot);

  restoreSnapshot(s, snapshot);
  std::vector<std::string> expected = before;
  expected[0] = "TITL test stamped 004 TAVO";
  EXPECT_EQ(instructionFileLines(s), expected);
  EXPECT_EQ(s.workingAtomCount, s.nonHCount) << "the copy is gone";
  EXPECT_EQ(s.peakCount, 1);
  EXPECT_EQ(s.workingPeakCount, 1);
  EXPECT_EQ(s.selected[1][2], 0);
  EXPECT_EQ(s.selected[1][copy], 0);
  EXPECT_EQ(s.elements[1].unitCount, 10);
  EXPECT_EQ(s.elements[1].colorCode, 255);
  EXPECT_EQ(s.fvarCount, 1);
}

}  // namespace
}  // namespace tavo::model
