// The fixing and free-variable window on our example (FVAR 1.23456 0.63412; C8A, C9A and their H
// atoms at sof 21, C8B, C9B and theirs at -21) and the HFIX coding rules window.
#include <algorithm>
#include <functional>

#include "model/instruction_writer.h"
#include "workbench/command_table.h"
#include "workbench/edit_step.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandId;
using workbench::FixingWindow;

constexpr int c1Row = 4;  // O1, O2, O3, C1, ...
constexpr int sofColumn = 4;

class FixingWindowScenario : public WorkbenchScenario {
 protected:
  void openWindow() {
    TAVO_OPEN_PARABEN();
    ASSERT_TRUE(bench->run(CommandId::FixingFvar));
    ASSERT_TRUE(fixing().window().visible);
  }
  workbench::FreeVariableCommands& fixing() { return bench->freeVariables(); }
  const FixingWindow& window() { return fixing().window(); }
  /// Selects a cell, types `code` into the code field and presses the apply button.
  bool apply(int row, int column, const std::string& code) {
    return bench->run([&] {
      fixing().selectCode(row, column);
      fixing().setCodeField(code);
      fixing().applyCode();
    });
  }
  const model::Atom& atom(const std::string& label) {
    return bench->structure().atoms[ref(label).index];
  }
  /// The lines a save would write that differ from `before`.
  std::vector<std::string> changedLines(const std::vector<std::string>& before) {
    const std::vector<std::string> now = model::instructionFileLines(bench->structure());
    std::vector<std::string> changed;
    EXPECT_EQ(now.size(), before.size());
    for (size_t i = 0; i < std::min(now.size(), before.size()); ++i) {
      if (now[i] != before[i]) changed.push_back(now[i]);
    }
    return changed;
  }
};

TEST_F(FixingWindowScenario, ShowsEveryCodeAndFreeVariableAndToggles) {
  openWindow();
  EXPECT_TRUE(bench->checked(CommandId::FixingFvar));
  const text::TextGrid& codes = window().codeTable;
  ASSERT_EQ(codes.rowCount(), 14 + 15 + 1);
  EXPECT_EQ(codes.row(0),
            (std::vector<std::string>{"Label", "X_info", "Y_info", "Z_info", "sof_info", "U11_info",
                                      "U22_info", "U33_info", "U23_info", "U13_info", "U12_info"}));
  EXPECT_EQ(codes.row(c1Row),
            (std::vector<std::string>{"C1", "0", "0", "0", "10", "0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(codes.cell(11, 0), "C8A");
  EXPECT_EQ(codes.cell(11, sofColumn), "21");
  EXPECT_EQ(codes.cell(13, sofColumn), "-21");
  EXPECT_EQ(codes.cell(15, 0), "H1");  // the H atoms follow the atoms
  EXPECT_EQ(window().fvarTable.row(1), (std::vector<std::string>{"1", "1.23456"}));
  EXPECT_EQ(window().fvarTable.row(2), (std::vector<std::string>{"2", "0.63412"}));

  fixing().selectCode(13, sofColumn);
  EXPECT_EQ(window().labelField, "C8B");
  EXPECT_EQ(window().columnField, "sof-info");
  EXPECT_EQ(window().codeField, "-21");

  ASSERT_TRUE(bench->run(CommandId::FixingFvar));
  EXPECT_FALSE(window().visible);
  EXPECT_FALSE(bench->checked(CommandId::FixingFvar));
}

TEST_F(FixingWindowScenario, ApplyingACodeDecodesItAndTheSaveWritesIt) {
  openWindow();
  const std::vector<std::string> before = model::instructionFileLines(bench->structure());
  ASSERT_TRUE(apply(c1Row, sofColumn, "21"));
  EXPECT_NEAR(atom("C1").sof, 0.63412, 1e-12);
  ASSERT_TRUE(apply(c1Row, sofColumn, "-21"));
  EXPECT_NEAR(atom("C1").sof, 1 - 0.63412, 1e-12);
  EXPECT_EQ(window().codeTable.cell(c1Row, sofColumn), "-21");
  std::vector<std::string> changed = changedLines(before);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].rfind("C1 ", 0), 0u);
  EXPECT_NE(changed[0].find(" -21.0"), std::string::npos) << changed[0];
  // Untying keeps the value: code 10 writes it fixed.
  ASSERT_TRUE(apply(c1Row, sofColumn, "10"));
  changed = changedLines(before);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_NE(changed[0].find(" 10.36588"), std::string::npos) << changed[0];
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();

  // Each apply is one step back.
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(model::instructionFileLines(bench->structure()), before);
  EXPECT_EQ(window().codeTable.cell(c1Row, sofColumn), "10");
}

TEST_F(FixingWindowScenario, RefusesCodesTheWindowCannotMean) {
  openWindow();
  const int h1Row = 15;
  const int isotropic = 0;
  bench->structure().atoms[c1Row].aniso = isotropic;
  struct Case {
    int row, column;
    std::string code, message;
  };
  const std::vector<Case> cases = {
      {c1Row, sofColumn, "31", "New FVAR should be added before assigning it!!"},
      {c1Row, sofColumn, "11",
       "The code 11 cannot be set: use 0 (refined), 10 (fixed) or a free variable such as 21, -31 "
       "or 30.5."},
      {c1Row, sofColumn, "20",
       "The code 20 cannot be set: use 0 (refined), 10 (fixed) or a free "
       "variable such as 21, -31 or 30.5."},
      {c1Row, sofColumn, "-10",
       "The code -10 cannot be set: use 0 (refined), 10 (fixed) or a free "
       "variable such as 21, -31 or 30.5."},
      {c1Row, sofColumn, "abc", "'abc' is not a valid floating point value"},
      {c1Row, 6, "21", "C1 is isotropic: only its Uiso (U11) can be coded."},
      {h1Row, 6, "0", "Only x, y, z, sof and Uiso of the H atom H1 can be coded."},
  };
  const std::vector<std::string> before = model::instructionFileLines(bench->structure());
  for (const Case& c : cases) {
    dialogs.shown.clear();
    EXPECT_FALSE(apply(c.row, c.column, c.code)) << c.code;
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{c.message});
  }
  EXPECT_EQ(model::instructionFileLines(bench->structure()), before);
  EXPECT_FALSE(bench->enabled(CommandId::UndoLastEdit));

  // 20.5 is half of FV(2): accepted.
  EXPECT_TRUE(apply(c1Row, sofColumn, "20.5"));
  EXPECT_NEAR(atom("C1").sof, 0.5 * 0.63412, 1e-12);
}

TEST_F(FixingWindowScenario, ARefinedCoordinateMustStayInsideFive) {
  openWindow();
  ASSERT_TRUE(bench->run([&] {
    fixing().setFvarField("1.5");
    fixing().addFreeVariable();
  }));
  // x = 4 * FV(3) = 6: fine while tied. Written as a refined value SHELXL would read 6 as fixed
  // at -4, and as a fixed one (16) as -4 * FV(2): both are refused.
  ASSERT_TRUE(apply(c1Row, 1, "34"));
  EXPECT_NEAR(atom("C1").x, 6.0, 1e-12);
  EXPECT_FALSE(apply(c1Row, 1, "0"));
  EXPECT_EQ(dialogs.shown.back(),
            "The X of C1 is 6: a refined coordinate must lie between -5 and 5.");
  EXPECT_FALSE(apply(c1Row, 1, "10"));
  EXPECT_EQ(dialogs.shown.back(), "The X of C1 is 6: a fixed value must lie between -5 and 5.");
  EXPECT_EQ(bench->structure().atoms[c1Row].codes[1], 34);
  // 25 is halfway between 10·2 + 5 and 10·3 - 5: no code of the rule, refused.
  EXPECT_FALSE(apply(c1Row, 1, "25"));
  EXPECT_NE(dialogs.shown.back().find("The code 25 cannot be set"), std::string::npos);
  EXPECT_EQ(bench->structure().atoms[c1Row].codes[1], 34);
}

TEST_F(FixingWindowScenario, FreeVariablesAreAddedChangedAndCompacted) {
  openWindow();
  // A code naming a free variable that is not there yet is refused until it is added.
  bench->run([&] {
    fixing().setFvarField("0.5");
    fixing().addFreeVariable();
    fixing().setFvarField("0.7");
    fixing().addFreeVariable();
  });
  ASSERT_EQ(bench->structure().fvarCount, 4);
  EXPECT_EQ(window().fvarTable.row(4), (std::vector<std::string>{"4", "0.7"}));

  // In double-click mode the ValueBox is applied and the window refreshed: FV(3), unused, goes
  // and FV(4) becomes FV(3).
  fixing().setDoubleClickMode(true);
  EXPECT_FALSE(bench->run([&] { fixing().doubleClickCode(c1Row, sofColumn); }));
  EXPECT_EQ(dialogs.shown.back(), "No Value in the ValueBox!");
  fixing().setValueBox("41");
  ASSERT_TRUE(bench->run([&] { fixing().doubleClickCode(c1Row, sofColumn); }));
  EXPECT_EQ(bench->structure().fvarCount, 3);
  EXPECT_EQ(bench->structure().fvar[3], 0.7);
  EXPECT_EQ(window().codeTable.cell(c1Row, sofColumn), "31");
  EXPECT_NEAR(atom("C1").sof, 0.7, 1e-12);

  // A changed free variable carries its parameters with it at once.
  fixing().selectFvars(2, 2);
  fixing().setFvarField("0.25");
  ASSERT_TRUE(bench->run([&] { fixing().changeFreeVariable(); }));
  EXPECT_NEAR(atom("C8A").sof, 0.25, 1e-12);
  EXPECT_NEAR(atom("C8B").sof, 0.75, 1e-12);
  fixing().setValueBox("0.9");
  ASSERT_TRUE(bench->run([&] { fixing().doubleClickFreeVariable(3); }));
  EXPECT_NEAR(atom("C1").sof, 0.9, 1e-12);
  fixing().selectFvars(2, 3);
  fixing().setValueBox("0.55");
  ASSERT_TRUE(bench->run([&] { fixing().multiApplyFreeVariables(); }));
  EXPECT_NEAR(atom("C8A").sof, 0.55, 1e-12);
  EXPECT_NEAR(atom("C1").sof, 0.55, 1e-12);
  // A value applied as the table shows it keeps every digit it has.
  bench->structure().fvar[2] = 0.123456789;
  bench->state().afterChange({});  // as an edit elsewhere ends
  fixing().selectFvars(2, 2);
  EXPECT_EQ(window().fvarField, "0.123456");
  ASSERT_TRUE(bench->run([&] { fixing().changeFreeVariable(); }));
  EXPECT_EQ(bench->structure().fvar[2], 0.123456789);
  // The untouched scale factor keeps every digit.
  EXPECT_EQ(bench->structure().fvar[1], 1.23456);

  for (const auto& onFirstRow :
       {+[](workbench::FreeVariableCommands& f) { f.doubleClickFreeVariable(1); },
        +[](workbench::FreeVariableCommands& f) {
          f.selectFvars(1, 2);
          f.multiApplyFreeVariables();
        }}) {
    dialogs.shown.clear();
    EXPECT_FALSE(bench->run([&] { onFirstRow(fixing()); }));
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"The scaling factor, fv(1), must be handled with care!!"});
  }
  EXPECT_EQ(bench->structure().fvar[1], 1.23456);
}

TEST_F(FixingWindowScenario, MultiApplySetsABlockOrNothing) {
  openWindow();
  fixing().setDoubleClickMode(true);
  fixing().setValueBox("-21");
  fixing().selectCodes(1, sofColumn, 3, sofColumn);  // O1..O3
  ASSERT_TRUE(bench->run([&] { fixing().multiApplyCodes(); }));
  for (const std::string label : {"O1", "O2", "O3"})
    EXPECT_NEAR(atom(label).sof, 1 - 0.63412, 1e-12) << label;

  // A block reaching into the H rows' U22 column is refused whole.
  const std::vector<std::string> before = model::instructionFileLines(bench->structure());
  fixing().setValueBox("10");
  fixing().selectCodes(13, 5, 16, 6);
  EXPECT_FALSE(bench->run([&] { fixing().multiApplyCodes(); }));
  EXPECT_EQ(dialogs.shown.back(), "Only x, y, z, sof and Uiso of the H atom H1 can be coded.");
  EXPECT_EQ(model::instructionFileLines(bench->structure()), before);
}

TEST_F(FixingWindowScenario, TheWindowFollowsChangesOfTheAtomListBeforeItWrites) {
  openWindow();
  fixing().selectCode(13, sofColumn);  // C8B
  // Another command removes O1 and redraws: the rows move up and the window follows.
  ASSERT_TRUE(bench->run([&] {
    workbench::EditStep step(bench->state(), "Remove");
    model::StructureModel& s = bench->structure();
    std::rotate(&s.atoms[1], &s.atoms[2], &s.atoms[s.nonHCount + 1]);
    --s.nonHCount;
    --s.workingAtomCount;
    step.commit();
    bench->state().afterChange({});
  }));
  EXPECT_EQ(window().codeTable.rowCount(), 13 + 15 + 1);
  EXPECT_EQ(window().codeTable.cell(12, 0), "C8B");
  // Without a redraw, a changed row is refused rather than written onto another atom.
  bench->structure().atoms[3].label = "C1X";
  fixing().selectCode(3, sofColumn);
  bench->structure().atoms[3].label = "C1Y";
  fixing().setCodeField("21");
  EXPECT_FALSE(bench->run([&] { fixing().applyCode(); }));
  EXPECT_EQ(dialogs.shown.back(),
            "The atom list has changed since the cell was selected: select the cell again.");
  EXPECT_EQ(bench->structure().atoms[3].codes[sofColumn], 10);
  EXPECT_EQ(window().codeTable.cell(3, 0), "C1Y");
}

TEST_F(FixingWindowScenario, PrintsBothTables) {
  openWindow();
  ASSERT_TRUE(bench->run([&] { fixing().print(); }));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Recommended: A4,Landscape,Courier,8"});
  const std::vector<std::string>& p = dialogs.printed;
  ASSERT_EQ(p.size(), 2 + 3 + 1 + 2 + 2 + 30 + 1);
  EXPECT_EQ(p[0], " List of Free Variables");
  EXPECT_EQ(p[1], std::string(22, '_'));
  EXPECT_EQ(p[2], "No.       FVAR      ");
  EXPECT_EQ(p[4], "2         0.63412   ");
  EXPECT_EQ(p[8], " Fixing and FVAR Information");
  EXPECT_EQ(p[9], std::string(110, '_'));
  EXPECT_EQ(p[10 + c1Row],
            "C1        0         0         0         10        0         0         "
            "0         0         0         0         ");
  EXPECT_EQ(p.back(), std::string(110, '_'));
}

TEST_F(WorkbenchScenario, HfixRulesShowTheSameTextsFromTheModeAndFromTheMenu) {
  TAVO_OPEN_PARABEN();
  const workbench::FreeVariableCommands& rules = bench->freeVariables();
  const std::function<bool()> ways[] = {
      [&] {
        return bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::Hfix); });
      },
      [&] { return bench->run(*workbench::findCommandByCaption("HFIX Selection (H atoms)")); },
  };
  for (const std::function<bool()>& show : ways) {
    bench->run([&] { bench->freeVariables().closeHfixRules(); });
    ASSERT_TRUE(show());
    EXPECT_TRUE(rules.hfixRulesVisible());
    EXPECT_EQ(rules.hfixRules().codeText, "AFIX  43");
    EXPECT_EQ(rules.hfixRules().mExplanation,
              "(m=4) Aromatic CH (sp2) & Amide NH (sp2);  Often combined with riding (n=3)");
    EXPECT_FALSE(rules.hfixRules().nExplanation.empty());
  }
}

TEST_F(WorkbenchScenario, HfixRulesExplainTheCodeAndHandItToTheMode) {
  TAVO_OPEN_PARABEN();
  workbench::FreeVariableCommands& rules = bench->freeVariables();
  ASSERT_TRUE(bench->run(*workbench::findCommandByCaption("HFIX Selection (H atoms)")));
  EXPECT_TRUE(rules.hfixRulesVisible());
  EXPECT_EQ(rules.hfixRules().codeText, "AFIX  43");
  EXPECT_EQ(rules.hfixRules().mExplanation,
            "(m=4) Aromatic CH (sp2) & Amide NH (sp2);  Often combined with riding (n=3)");
  rules.setHfixM(13);  // sets n = 7
  EXPECT_EQ(rules.hfixRules().codeText, "AFIX  137");
  EXPECT_EQ(rules.hfixRules().nExplanation,
            "(n=7) Permit rotation about Y-X for Y-X-H protons, suitable for -CH3 and -OH");
  rules.setHfixN(3);
  rules.setHfixM(3);  // leaves n
  EXPECT_EQ(rules.hfixRules().codeText, "AFIX  33");
  ASSERT_TRUE(bench->run([&] { rules.adoptHfixRules(); }));
  EXPECT_FALSE(rules.hfixRulesVisible());
  EXPECT_EQ(bench->controls().hfixM, 3);
  EXPECT_EQ(bench->controls().hfixN, 3);
}

}  // namespace
}  // namespace tavo::testing
