// Undo and redo of edits: what a save writes after an undo, redo, the depth of the stack, a
// failed edit, and the stack's end at the next open.
#include <stdexcept>

#include "model/atom_labels.h"
#include "model/card_relabel.h"
#include "model/instruction_writer.h"
#include "support/test_helpers.h"
#include "workbench/command_table.h"
#include "workbench/edit_step.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandId;
using workbench::EditStep;

/// An edit of most of what a save writes: a rename that cards follow, a moved atom, a card, a
/// free variable, a removed H atom and a removed peak.
void editTheModel(workbench::WorkbenchState& state, model::AtomRef c1) {
  EditStep step(state, "Test edit");
  model::StructureModel& s = state.structure;
  model::renameAtoms(s, {{c1, "C9"}});
  s.atoms[c1.index].x += 0.125;
  s.viewOf(c1) = {99, 99, 99};  // where a move would draw it
  s.insertInstructionLine("DFIX 1.5 C9 C2");
  s.addFvar(0.5);
  s.hydrogens[s.hCount] = {};
  --s.hCount;
  --s.workingHCount;
  --s.peakCount;
  --s.workingPeakCount;
  step.commit();
}

TEST_F(WorkbenchScenario, UndoBringsBackWhatASaveWritesAndRedoTheEdit) {
  TAVO_OPEN_PARABEN();
  EXPECT_FALSE(bench->enabled(CommandId::UndoLastEdit));
  EXPECT_FALSE(bench->enabled(CommandId::RedoLastEdit));
  ASSERT_TRUE(bench->run(CommandId::SaveIns));
  const std::string savedBefore = work.read("paraben.ins");
  const std::vector<std::string> linesBefore = model::instructionFileLines(bench->structure());
  const model::AtomRef c1 = ref("C1");
  const model::Vec3 viewBefore = bench->structure().viewOf(c1);
  const int peaksBefore = bench->structure().peakCount;

  ASSERT_TRUE(bench->run([&] { editTheModel(bench->state(), c1); }));
  const std::vector<std::string> linesEdited = model::instructionFileLines(bench->structure());
  ASSERT_NE(linesEdited, linesBefore);
  EXPECT_TRUE(bench->enabled(CommandId::UndoLastEdit));
  EXPECT_EQ(bench->state().undo.undoName(), "Test edit");

  bench->state().selection.append(bench->structure(), ref("O1"));
  ASSERT_TRUE(bench->run(*workbench::findCommandByCaption("Undo Last Edit")));
  EXPECT_EQ(model::instructionFileLines(bench->structure()), linesBefore);
  EXPECT_EQ(bench->structure().peakCount, peaksBefore);
  EXPECT_TRUE(bench->selection().empty()) << "the picks named atoms of the edited model";
  const model::Vec3 viewAfter = bench->structure().viewOf(c1);
  EXPECT_NEAR(viewAfter.x, viewBefore.x, 1e-9);
  EXPECT_NEAR(viewAfter.y, viewBefore.y, 1e-9);
  EXPECT_NEAR(viewAfter.z, viewBefore.z, 1e-9);
  EXPECT_FALSE(bench->enabled(CommandId::UndoLastEdit));
  EXPECT_TRUE(bench->enabled(CommandId::RedoLastEdit));

  ASSERT_TRUE(bench->run(CommandId::RedoLastEdit));
  EXPECT_EQ(withoutTitle(model::instructionFileLines(bench->structure())),
            withoutTitle(linesEdited));
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));

  // The next save writes the file of before the edit, byte for byte but for its backup number.
  ASSERT_TRUE(bench->run(CommandId::SaveIns));
  std::string expected = savedBefore;
  const std::size_t stamp = expected.find("000 TAVO");
  ASSERT_NE(stamp, std::string::npos);
  expected.replace(stamp, 3, "001");
  EXPECT_EQ(work.read("paraben.ins"), expected);
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
}

TEST_F(WorkbenchScenario, FiftyStepsBackAndTheStackEndsAtTheNextOpen) {
  TAVO_OPEN_PARABEN();
  model::StructureModel& s = bench->structure();
  const double x0 = s.atoms[1].x;
  for (int k = 1; k <= 55; ++k) {
    EditStep step(bench->state(), "Move");
    s.atoms[1].x = x0 + k;
    step.commit();
  }
  EXPECT_EQ(bench->state().undo.undoCount(), 50u);
  while (bench->enabled(CommandId::UndoLastEdit))
    ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_DOUBLE_EQ(s.atoms[1].x, x0 + 5) << "the five oldest steps are forgotten";
  EXPECT_EQ(bench->state().undo.redoCount(), 50u);

  // A new edit forgets what could be redone; one that changes nothing is no step.
  {
    EditStep step(bench->state(), "Nothing");
    step.commit();
  }
  EXPECT_EQ(bench->state().undo.redoCount(), 50u);
  {
    EditStep step(bench->state(), "Move");
    s.atoms[1].x = x0;
    step.commit();
  }
  EXPECT_EQ(bench->state().undo.redoCount(), 0u);
  EXPECT_EQ(bench->state().undo.undoCount(), 1u);

  ASSERT_TRUE(bench->run(CommandId::ReopenIns));
  EXPECT_FALSE(bench->enabled(CommandId::UndoLastEdit));
  EXPECT_FALSE(bench->enabled(CommandId::RedoLastEdit));
}

TEST_F(WorkbenchScenario, AnEditThatFailsPartWayLeavesNothingBehind) {
  TAVO_OPEN_PARABEN();
  const std::vector<std::string> before = model::instructionFileLines(bench->structure());
  EXPECT_FALSE(bench->run([&] {
    EditStep step(bench->state(), "Half");
    bench->structure().atoms[2].label = "C77";
    bench->structure().insertInstructionLine("SADI C77 C2");
    throw UserError("refused half-way");
  }));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"refused half-way"});
  EXPECT_EQ(model::instructionFileLines(bench->structure()), before);
  EXPECT_FALSE(bench->enabled(CommandId::UndoLastEdit));
}

TEST_F(WorkbenchScenario, ApplyIsAStepThatUndoTakesBack) {
  TAVO_OPEN_PARABEN();
  const model::StructureModel& s = bench->structure();
  ASSERT_DOUBLE_EQ(s.elements[1].unitCount, 36);  // UNIT 36 40 12: cell contents
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::Delete); }));
  click("C1");
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().apply(); }));
  ASSERT_DOUBLE_EQ(s.elements[1].unitCount, 32) << "the recount of every Apply";
  EXPECT_EQ(bench->state().undo.undoName(), "Apply");
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_DOUBLE_EQ(s.elements[1].unitCount, 36);
  EXPECT_EQ(s.atoms[4].label, "C1");
}

}  // namespace
}  // namespace tavo::testing
