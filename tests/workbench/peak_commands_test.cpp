// The peak tools on our example: the list of peaks follows every change of the peaks, MovePks,
// and reading the peaks of another file over the structure.
#include <gtest/gtest.h>

#include "model/file_lines.h"
#include "model/file_replace.h"
#include "workbench/control_table.h"
#include "workbench_fixture.h"

namespace tavo::testing {
namespace {

using model::AtomKind;
using workbench::CommandId;

class PeakCommands : public WorkbenchScenario {
 protected:
  void SetUp() override {
    TAVO_OPEN_PARABEN();
    ASSERT_TRUE(bench->run(CommandId::ListOfPeaks));
  }
  model::StructureModel& s() { return bench->structure(); }
  workbench::PeakCommands& peaks() { return bench->peaks(); }
  const workbench::PeakListWindow& list() { return bench->peaks().window(); }
  bool press(std::string_view control, std::vector<std::string> values = {}) {
    values.insert(values.begin(), std::string(control));
    return bench->operateWindow("TForm9", values);
  }
};

TEST_F(PeakCommands, ListDeletesOnePeakOrABlockAndIsOneUndoableStepEach) {
  EXPECT_TRUE(bench->checked(CommandId::ListOfPeaks));
  ASSERT_EQ(list().grid.rowCount(), 11);
  EXPECT_EQ(list().currentPeak, 1);
  const double height3 = s().peaks[3].height;
  const double height6 = s().peaks[6].height;

  ASSERT_TRUE(press("StringGrid1", {"2"}));
  EXPECT_EQ(list().currentText, "Pk.2");
  ASSERT_TRUE(press("Button1"));
  EXPECT_EQ(s().peakCount, 9);
  EXPECT_DOUBLE_EQ(s().peaks[2].height, height3) << "old Pk.3 is Pk.2";
  EXPECT_EQ(list().grid.rowCount(), 10);
  EXPECT_EQ(list().grid.cell(9, 0), "Pk.9");
  EXPECT_EQ(list().currentText, "Pk.2");

  ASSERT_TRUE(press("StringGrid1", {"0"}));  // the heading row
  ASSERT_TRUE(press("Button2"));
  EXPECT_EQ(s().peakCount, 9) << "nothing for the heading row";

  ASSERT_TRUE(press("StringGrid1", {"2", "4"}));
  ASSERT_TRUE(press("Delete Over MultiCells"));
  EXPECT_EQ(s().peakCount, 6);
  EXPECT_DOUBLE_EQ(s().peaks[2].height, height6) << "Q6 of the file is Pk.2";
  EXPECT_EQ(list().grid.rowCount(), 7);

  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(s().peakCount, 9);
  EXPECT_EQ(list().grid.rowCount(), 10) << "the list follows the undo";
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();
}

TEST_F(PeakCommands, NamingAPeakRefillsTheListAndTheCurrentPeakFollowsItsPeak) {
  ASSERT_TRUE(press("StringGrid1", {"5"}));
  const model::Peak fifth = s().peaks[5];
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::Name); }));
  clickAt(pixelOf({AtomKind::Peak, 2}));
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().apply(); }));
  ASSERT_EQ(s().peakCount, 9);
  EXPECT_EQ(list().grid.rowCount(), 10);
  EXPECT_EQ(list().currentPeak, 4);
  EXPECT_EQ(s().peaks[4], fifth) << "the current peak is still the one selected";
  EXPECT_EQ(list().currentText, "Pk.4");
  // Delete This removes that peak, not the one that took its old number.
  ASSERT_TRUE(press("Delete This"));
  for (int i = 1; i <= s().peakCount; ++i)
    EXPECT_FALSE(s().peaks[i] == fifth);
}

TEST_F(PeakCommands, MovePksPutsEveryPeakNextToTheMoleculeButNotWithExpandedPeaks) {
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "CheckBox4", "1"); }));
  const model::Peak first = s().peaks[1];
  dialogs.shown.clear();
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "MovePks", "1"); }));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Permission Denied with Expanded Peaks!!"});
  EXPECT_EQ(s().peaks[1], first);
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "CheckBox4", "0"); }));

  // A peak moved by a symmetry operator of P21/c and a cell comes back to where it was.
  model::Peak& peak = s().peaks[1];
  peak = {-first.x + 1, first.y + 0.5 - 2, -first.z + 0.5, first.height, 0};
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "MovePks", "1"); }));
  EXPECT_NEAR(s().peaks[1].x, first.x, 1e-9);
  EXPECT_NEAR(s().peaks[1].y, first.y, 1e-9);
  EXPECT_NEAR(s().peaks[1].z, first.z, 1e-9);
  EXPECT_EQ(list().grid.cell(1, 2), "0.7605") << "the list shows the new position";
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_NEAR(s().peaks[1].y, first.y - 1.5, 1e-9);
}

TEST_F(PeakCommands, OverlayReadsTheOtherFilesPeaksKeepsTheAtomsAndWarnsOfAnotherCell) {
  const int atoms = s().nonHCount;
  const std::vector<std::string> instructionLines = s().instructionLines;
  // Another file of another structure: its three peaks, its other cell.
  dialogs.nextFile = repositoryFile("tests/data/shelxl/disorder_riding.res", "other.res");
  ASSERT_TRUE(bench->run(CommandId::OverlayPeaks));
  EXPECT_EQ(s().peakCount, 3);
  EXPECT_EQ(s().workingPeakCount, 3);
  EXPECT_EQ(s().nonHCount, atoms);
  EXPECT_EQ(s().instructionLines, instructionLines);
  EXPECT_EQ(list().grid.rowCount(), 4);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0],
            "The CELL of other.res differs from the CELL of the structure: its peaks are placed "
            "with the cell of the structure.");
  dialogs.shown.clear();

  // A file without a peak block changes nothing.
  const std::filesystem::path none = work.path() / "none.ins";
  model::replaceFileLines(none, {"TITL none", "CELL 0.7 1 1 1 90 90 90", "HKLF 4", "END"});
  dialogs.nextFile = none;
  EXPECT_FALSE(bench->run(CommandId::OverlayPeaks));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{
                               "none.ins has no peak block (no line begins with \"Q1 \"): the "
                               "peaks were left as they were."});
  EXPECT_EQ(s().peakCount, 3);
  dialogs.nextFile.reset();
  EXPECT_TRUE(bench->run(CommandId::OverlayPeaks)) << "cancelled: nothing";
  EXPECT_EQ(s().peakCount, 3);
}

TEST_F(PeakCommands, ClearingPeaksNeverLeavesANegativeCount) {
  bench->peaks().clearPeaks();
  bench->peaks().clearPeaks();
  EXPECT_EQ(s().peakCount, 0);
  EXPECT_EQ(s().workingPeakCount, 0);
  ASSERT_TRUE(press("Button1"));
  EXPECT_EQ(s().peakCount, 0);
  ASSERT_TRUE(bench->run(CommandId::ListOfPeaks));
  EXPECT_FALSE(bench->checked(CommandId::ListOfPeaks));
}

}  // namespace
}  // namespace tavo::testing
