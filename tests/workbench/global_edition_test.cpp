// The Global Edition window on our example: its lists, Delete through the purge, Delete_All_Hs,
// and every Apply one undoable step.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/instruction_writer.h"
#include "workbench_fixture.h"

namespace tavo::testing {
namespace {

using model::AtomKind;
using workbench::CommandId;

class GlobalEdition : public WorkbenchScenario {
 protected:
  void SetUp() override {
    TAVO_OPEN_PARABEN();
    ASSERT_TRUE(bench->run(CommandId::GlobalEdition));
  }
  model::StructureModel& s() { return bench->structure(); }
  const workbench::GlobalEditionWindow& window() { return bench->globalEdition().window(); }
  bool operate(std::string_view control, std::vector<std::string> values = {}) {
    values.insert(values.begin(), std::string(control));
    return bench->operateWindow("TForm27", values);
  }
  void pickO1() {
    ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::Name); }));
    click("O1");
    ASSERT_EQ(bench->selection().count(), 1);
  }
  int count(std::string_view start) {
    const std::vector<std::string> lines = model::instructionFileLines(s());
    return static_cast<int>(std::count_if(
        lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(start); }));
  }
};

TEST_F(GlobalEdition, ListsAtomsThenHAtomsAndAddsEachRowOnce) {
  EXPECT_TRUE(bench->checked(CommandId::GlobalEdition));
  ASSERT_EQ(window().atomList.rowCount(), 14 + 15);
  EXPECT_EQ(window().atomList.row(0), (std::vector<std::string>{"O1", "1", "1"}));
  EXPECT_EQ(window().atomList.row(14), (std::vector<std::string>{"H1", "2", "1"}));
  EXPECT_EQ(window().selectedList.rowCount(), 1) << "one blank row";
  ASSERT_TRUE(operate("DoubleClick", {"StringGrid1", "1"}));
  ASSERT_TRUE(operate("StringGrid1", {"1", "3"}));
  ASSERT_TRUE(operate("Multi-Selection"));
  EXPECT_EQ(window().selected.size(), 3u) << "O1 is listed once";
  ASSERT_TRUE(operate("StringGrid2", {"1", "2"}));
  ASSERT_TRUE(operate("Multi-Removal"));
  ASSERT_EQ(window().selected.size(), 1u);
  EXPECT_EQ(window().selectedList.row(0), (std::vector<std::string>{"O3", "1", "3"}));
}

TEST_F(GlobalEdition, DeleteRunsThePurgeClearsTheSelectionAndUndoesInOneStep) {
  pickO1();
  ASSERT_TRUE(operate("Add", {"C1", "C3", "C7"}));
  ASSERT_TRUE(operate("Delete"));
  // C3 takes its riding H3 along: the purge asks first.
  dialogs.replies.push_back(true);
  ASSERT_TRUE(operate("Apply"));
  EXPECT_EQ(s().nonHCount, 11);
  EXPECT_EQ(s().hCount, 14);
  EXPECT_TRUE(bench->selection().empty());
  EXPECT_EQ(s().atoms[4].label, "C2") << "later atoms move up";
  EXPECT_TRUE(model::ridingHydrogensWithoutParent(s()).empty());
  EXPECT_TRUE(window().selected.empty());
  EXPECT_EQ(window().atomList.rowCount(), 11 + 14) << "the list names the atoms there are";
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(s().nonHCount, 14);
  EXPECT_EQ(s().hCount, 15);
}

TEST_F(GlobalEdition, DeleteAllHsLeavesNoRidingGroupBehind) {
  ASSERT_TRUE(operate("Delete_All_Hs"));
  EXPECT_EQ(window().selected.size(), 15u);
  dialogs.replies.push_back(true);  // cards may name H atoms
  ASSERT_TRUE(operate("Apply"));
  EXPECT_EQ(s().hCount, 0);
  EXPECT_EQ(s().workingHCount, 0);
  EXPECT_EQ(s().ridingGroupCount, 0);
  for (int j = 1; j <= s().nonHCount; ++j)
    EXPECT_EQ(s().atoms[j].afixGroup, 0) << s().atoms[j].label;
  EXPECT_EQ(count("AFIX"), 0);
  EXPECT_EQ(s().elements[2].unitCount, 0) << "UNIT of H recounted";
  dialogs.shown.clear();
  ASSERT_TRUE(operate("Delete_All_Hs"));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No H_Atom!"});
}

TEST_F(GlobalEdition, CodeEditsAreOneStepAndTheFixingWindowFollows) {
  ASSERT_TRUE(bench->run(CommandId::FixingFvar));
  ASSERT_TRUE(operate("Add", {"C1", "H1"}));
  ASSERT_TRUE(operate("Fix_XYZ"));
  ASSERT_TRUE(operate("Apply"));
  EXPECT_EQ(s().atoms[ref("C1").index].codes[model::X], 10);
  EXPECT_EQ(s().hydrogens[1].codes[model::Z], 10);
  EXPECT_EQ(bench->freeVariables().window().codeTable.cell(4, 1), "10");

  ASSERT_TRUE(operate("Set_FVAR"));
  ASSERT_TRUE(operate("Edit3", {"-21"}));
  ASSERT_TRUE(operate("SpinEdit1", {"4"}));
  ASSERT_TRUE(operate("Apply"));
  EXPECT_NEAR(s().atoms[ref("C1").index].sof, 1 - 0.63412, 1e-9);
  ASSERT_TRUE(operate("Edit3", {"31"}));
  EXPECT_FALSE(operate("Apply"));
  EXPECT_EQ(dialogs.shown.back(),
            "The requested FVAR should be first defined at the Fixing/FVAR menu!");

  ASSERT_TRUE(operate("Aniso_Into_Iso"));
  ASSERT_TRUE(operate("Apply"));
  EXPECT_EQ(dialogs.shown.back(), "These Non_Hs are treated isotropically!");
  EXPECT_EQ(s().atoms[ref("C1").index].aniso, 0);
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(s().atoms[ref("C1").index].aniso, 1);
  EXPECT_EQ(s().atoms[ref("C1").index].codes[model::Sof], -21) << "one step back only";

  // Closing clears the Selection.
  pickO1();
  ASSERT_TRUE(operate("Exit"));
  EXPECT_TRUE(bench->selection().empty());
  EXPECT_FALSE(bench->checked(CommandId::GlobalEdition));
}

}  // namespace
}  // namespace tavo::testing
