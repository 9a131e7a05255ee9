// The parameter windows on our example (P21/c; FVAR 1.23456 0.63412; C8A and its H atoms at sof
// 21): Edit Parameters from the Edit mode, Setting the Parameter from the PARAM Apply, Shift
// XYZs, Invert Structure in a centrosymmetric, an enantiomorphic and an origin-shifted group,
// and the list of working coordinates.
#include <algorithm>
#include <fstream>

#include "geometry/symmetry_operators.h"
#include "model/file_lines.h"
#include "model/instruction_writer.h"
#include "text/text.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using editing::MouseMode;
using workbench::CommandId;
using Option = workbench::SettingParameterWindow::Option;

class ParameterScenario : public WorkbenchScenario {
 protected:
  workbench::ParameterCommands& parameters() { return bench->parameters(); }
  void choose(MouseMode mode) {
    ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(mode); }));
  }
  std::vector<std::string> saved() { return model::instructionFileLines(bench->structure()); }
  /// The lines of `now` that differ from `before` (same length expected).
  static std::vector<std::string> changed(const std::vector<std::string>& before,
                                          const std::vector<std::string>& now) {
    EXPECT_EQ(before.size(), now.size());
    std::vector<std::string> out;
    for (std::size_t i = 0; i < std::min(before.size(), now.size()); ++i) {
      if (before[i] != now[i]) out.push_back(now[i]);
    }
    return out;
  }
  const model::Atom& atom(const std::string& label) {
    return bench->structure().atoms[ref(label).index];
  }
  /// Our example with its LATT, SYMM and REM SPCG lines replaced by `symmetryLines`.
  void openParabenIn(const std::vector<std::string>& symmetryLines) {
    std::vector<std::string> lines =
        model::loadFileLines(std::filesystem::path(TAVO_SOURCE_DIR) / "examples/paraben.res");
    std::vector<std::string> out;
    for (const std::string& line : lines) {
      if (line.starts_with("LATT") || line.starts_with("SYMM") || line.starts_with("REM SPCG"))
        continue;
      if (line.starts_with("SFAC"))
        out.insert(out.end(), symmetryLines.begin(), symmetryLines.end());
      out.push_back(line);
    }
    const std::filesystem::path file = work.path() / "chiral.res";
    std::ofstream(file) << [&] {
      std::string text;
      for (const std::string& l : out)
        text += l + "\n";
      return text;
    }();
    ASSERT_TRUE(openAs(file, workbench::OpenedFrom::Dialog));
    dialogs.shown.clear();
  }
};

TEST_F(ParameterScenario, EditModeShowsTheFieldsOfThePickedAtomAndHidesOnAMiss) {
  TAVO_OPEN_PARABEN();
  choose(MouseMode::Edit);
  click("C8A");
  ASSERT_TRUE(parameters().editorVisible());
  const workbench::EditParametersWindow& w = parameters().editor();
  EXPECT_EQ(w.kind, 1);
  EXPECT_EQ(w.kindMax, 2);
  EXPECT_EQ(w.fields.label, "C8A");
  EXPECT_EQ(w.fields.values[1], "1.068638");
  EXPECT_EQ(w.fields.values[4], "0.63412");  // 21: 1·FV(2)
  EXPECT_EQ(w.fields.codes[4], "21");
  EXPECT_EQ(w.fields.codes[1], "0");
  EXPECT_FALSE(w.fields.values[10].empty());
  EXPECT_EQ(w.fields.part, "1");
  click("H8A");
  EXPECT_EQ(parameters().editor().kind, 2);
  EXPECT_EQ(parameters().editor().fields.values[5], "-1.2");
  for (int p = 6; p <= 10; ++p)
    EXPECT_TRUE(parameters().editor().fields.values[static_cast<std::size_t>(p)].empty()) << p;
  clickAt({2, 2});  // a miss
  EXPECT_FALSE(parameters().editorVisible());
}

TEST_F(ParameterScenario, EditUpdateStoresEveryFieldAsOneUndoableStep) {
  TAVO_OPEN_PARABEN();
  const std::vector<std::string> before = saved();
  choose(MouseMode::Edit);
  click("C1");
  const model::Vec3 drawnBefore = bench->structure().viewOf(ref("C1"));
  ASSERT_TRUE(bench->run([&] {
    parameters().setEditorField("X", "0.8");
    parameters().setEditorField("sof_FV", "10");
    parameters().setEditorField("SOF", "0.5");
    parameters().setEditorField("U11_FV", "21");
    parameters().setEditorField("Label", "c1x");
    parameters().updateEditor();
  })) << ::testing::PrintToString(dialogs.shown);
  EXPECT_EQ(parameters().editor().fields.label, "C1X");
  EXPECT_NE(bench->structure().viewOf(ref("C1X")).x, drawnBefore.x);
  const std::vector<std::string> lines = changed(before, saved());
  ASSERT_EQ(lines.size(), 1u) << ::testing::PrintToString(lines);
  EXPECT_TRUE(
      lines[0].starts_with("C1X   1    0.800000    0.136967    0.801344   10.500000  21.000000"))
      << lines[0];
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(saved(), before);
}

TEST_F(ParameterScenario, EditUpdateRefusesABadFieldAndChangesNothing) {
  TAVO_OPEN_PARABEN();
  choose(MouseMode::Edit);
  struct Case {
    std::string atom, field, text, message;
  };
  const std::vector<Case> cases = {
      {"C1", "SFAC", "4", "SFAC 4 is not an element of the SFAC list (1..3)."},
      {"C1", "SFAC", "2", "SFAC 2 is H: a non-hydrogen atom cannot become an H atom here."},
      {"H2", "SFAC", "1", "An H atom keeps an H or D element: SFAC 1 is C."},
      {"C1", "PART", "100", "PART 100 is outside -99..99."},
      {"C1", "AFIX", "99", "AFIX group 99 does not exist"},
      {"C1", "AFIX", "1", "AFIX group 1 belongs to O1."},
      {"C2", "AFIX", "0", "C2 carries the riding H atom H2"},
      {"C1", "sof_FV", "31", "The code 31 of the sof of C1 cannot be set"},
      {"C1", "x_FV", "5", "The code 5 of the x of C1 cannot be set"},
      {"C1", "X", "5.5",
       "The x of C1 would be 5.5: a refined coordinate must lie between -5 and 5."},
      {"C1", "U11", "9", "The U11 of C1 cannot be 9 as a refined value"},
      // SHELXL reads 6 as fixed at -4, and a fixed -5 (written 5.0) at best ambiguously.
      {"C1", "U11", "6", "The U11 of C1 cannot be 6 as a refined value"},
      {"C1", "SOF", "-5", "The sof of C1 cannot be -5 as a fixed value"},
      {"H2", "U22", "0.1", "Hydrogen atoms may not be treated anisotropically in Tavo!"},
      {"C1", "Label", "C2", "The name is already in use!  Try again after solving this problem!!"},
      {"C1", "Label", "C12345", "C12345"},
      {"C1", "Y", "abc", "'abc' is not a valid floating point value"},
  };
  const std::vector<std::string> before = saved();
  for (const Case& c : cases) {
    click(c.atom);
    dialogs.shown.clear();
    EXPECT_FALSE(bench->run([&] {
      parameters().setEditorField("X", "0.81");  // a good change that must not be kept
      parameters().setEditorField(c.field, c.text);
      parameters().updateEditor();
    })) << c.field
        << " " << c.text;
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.field << " " << c.text;
    EXPECT_NE(dialogs.shown[0].find(c.message), std::string::npos) << dialogs.shown[0];
    EXPECT_EQ(saved(), before) << c.field << " " << c.text;
    bench->run([&] { parameters().cancelEditor(); });
  }
  EXPECT_FALSE(bench->state().undo.canUndo());
}

TEST_F(ParameterScenario, SettingTheParameterFromThePickedAtoms) {
  TAVO_OPEN_PARABEN();
  const std::vector<std::string> before = saved();
  choose(MouseMode::Param);
  click("C1");
  click("C2");
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().apply(); }));
  ASSERT_TRUE(parameters().setting().visible);
  EXPECT_EQ(bench->selection().count(), 2);
  // "Add New FVAR" with two free variables: code 31, number 3, value 0.5.
  ASSERT_TRUE(bench->run([&] {
    parameters().chooseSettingOption(Option::AddNewFvar);
    EXPECT_EQ(parameters().setting().code, "31");
    EXPECT_EQ(parameters().setting().fvarNumber, "3");
    parameters().updateSetting();
  }));
  EXPECT_FALSE(parameters().setting().visible);
  EXPECT_TRUE(bench->selection().empty());
  const model::StructureModel& s = bench->structure();
  ASSERT_EQ(s.fvarCount, 3);
  EXPECT_DOUBLE_EQ(s.fvar[3], 0.5);
  EXPECT_EQ(atom("C1").codes[4], 31);
  EXPECT_DOUBLE_EQ(atom("C2").sof, 0.5);
  // "Use PreDefined", row 2, typed negative: sof = (1 - FV(2))·1.
  choose(MouseMode::Param);
  click("C1");
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().apply(); }));
  ASSERT_TRUE(bench->run([&] {
    parameters().chooseSettingOption(Option::UsePreDefined);
    parameters().selectSettingRow(2);
    EXPECT_EQ(parameters().setting().code, "21");
    parameters().setSettingCode("-21");
    parameters().updateSetting();
  }));
  EXPECT_NEAR(atom("C1").sof, 1 - 0.63412, 1e-12);
  EXPECT_EQ(atom("C1").codes[4], -21);
  // Each update is one undoable step (the second Apply recounted UNIT after the first).
  EXPECT_EQ(bench->state().undo.undoName(), "Setting the Parameter");
  ASSERT_EQ(bench->state().undo.undoCount(), 3u);
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(saved(), before);
}

TEST_F(ParameterScenario, SettingTheParameterRefusesWithNothingChanged) {
  TAVO_OPEN_PARABEN();
  const std::vector<std::string> before = saved();
  struct Case {
    std::vector<std::string> picks;
    int parameter;
    Option option;
    std::string code, value, message;
    bool hidden;
  };
  const std::vector<Case> cases = {
      {{"C1"}, 4, Option::FixedValue, "", "1", "Some of the parameters are not reasonably", false},
      {{"C1", "H2"}, 6, Option::FixedValue, "10", "0.1", "Hydrogen atoms may not be", true},
      {{"C1"}, 4, Option::None, "10", "1", "Choose one of", false},
      {{"C1"}, 4, Option::UnfixedValue, "41", "1", "The code 41 of the sof of C1", false},
      {{"C1", "Q1"},
       4,
       Option::FixedValue,
       "10",
       "1",
       "Peak Q1 has no refinable parameters",
       false},
      {{"C1"}, 1, Option::UnfixedValue, "0", "7", "a refined coordinate must lie between", false},
      // The new free variable of a refused update is not kept either.
      {{"C1"}, 4, Option::AddNewFvar, "41", "0.5", "The code 41 of the sof of C1", false},
  };
  for (const Case& c : cases) {
    choose(MouseMode::Param);
    bench->run([&] { bench->modeCommands().clearSelection(); });
    for (const std::string& label : c.picks) {
      if (label == "Q1") {
        clickAt(pixelOf({model::AtomKind::Peak, 1}));
      } else {
        click(label);
      }
    }
    ASSERT_TRUE(bench->run([&] { bench->modeCommands().apply(); }));
    dialogs.shown.clear();
    EXPECT_FALSE(bench->run([&] {
      parameters().setSettingParameter(c.parameter);
      parameters().chooseSettingOption(c.option);
      parameters().setSettingCode(c.code);
      parameters().setSettingValue(c.value);
      parameters().updateSetting();
    })) << c.message;
    if (!c.message.empty()) {
      ASSERT_EQ(dialogs.shown.size(), 1u);
      EXPECT_NE(dialogs.shown[0].find(c.message), std::string::npos) << dialogs.shown[0];
    }
    EXPECT_EQ(parameters().setting().visible, !c.hidden) << c.message;
    EXPECT_EQ(saved(), before) << c.message;
    EXPECT_EQ(bench->structure().fvarCount, 2);
    bench->run([&] { parameters().cancelSetting(); });
  }
}

TEST_F(ParameterScenario, ShiftAndBackRestoresAndAShiftBeyondFiveIsRefused) {
  TAVO_OPEN_PARABEN();
  const std::vector<std::string> before = saved();
  const double q1x = bench->structure().peaks[1].x;
  ASSERT_TRUE(bench->run(CommandId::ShiftXyz));
  ASSERT_TRUE(bench->run([&] {
    parameters().setShift(1, 1);
    parameters().setShift(3, -9);  // clamped to -5
    parameters().applyShift();
  }));
  EXPECT_FALSE(parameters().shift().visible);
  EXPECT_NEAR(atom("C1").x, 1.823766, 1e-12);
  EXPECT_NEAR(atom("C1").z, 0.801344 - 5, 1e-12);
  EXPECT_NEAR(bench->structure().peaks[1].x, q1x + 1, 1e-12);
  ASSERT_TRUE(bench->run(CommandId::ShiftXyz));
  ASSERT_TRUE(bench->run([&] {
    parameters().setShift(1, -1);
    parameters().setShift(3, 5);
    parameters().applyShift();
  }));
  EXPECT_EQ(saved(), before);
  // O1 sits at x = 0.677: five more cells would put it at 5.677.
  ASSERT_TRUE(bench->run(CommandId::ShiftXyz));
  EXPECT_FALSE(bench->run([&] {
    parameters().setShift(1, 5);
    parameters().applyShift();
  }));
  EXPECT_NE(dialogs.shown.back().find("The x of O1 would be 5.677422"), std::string::npos)
      << dialogs.shown.back();
  EXPECT_EQ(saved(), before);
}

TEST_F(ParameterScenario, InvertingACentrosymmetricStructureTwiceRestoresIt) {
  TAVO_OPEN_PARABEN();
  const std::vector<std::string> before = saved();
  const model::Atom c1 = atom("C1");
  ASSERT_TRUE(bench->run(CommandId::InvertStructure));
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
  EXPECT_NEAR(atom("C1").x, 1 - c1.x, 1e-12);
  EXPECT_NEAR(atom("C1").z, 1 - c1.z, 1e-12);
  EXPECT_EQ(atom("C1").u23, c1.u23);  // U is unchanged by an inversion
  const std::vector<std::string> lines = changed(before, saved());
  EXPECT_FALSE(lines.empty());
  for (const std::string& line : lines)
    EXPECT_EQ(line.find("SYMM"), std::string::npos) << line;
  ASSERT_TRUE(bench->run(CommandId::InvertStructure));
  EXPECT_EQ(saved(), before);
}

TEST_F(ParameterScenario, InvertingInP41GivesP43WithItsCards) {
  openParabenIn({"LATT -1", "SYMM -X, -Y, 1/2+Z", "SYMM -Y, X, 1/4+Z", "SYMM Y, -X, 3/4+Z",
                 "REM SPCG         P41   76    1"});
  ASSERT_EQ(bench->structure().symmetry.spaceGroupNumber, 76);
  const std::vector<std::string> before = saved();
  const model::Atom c1 = atom("C1");
  ASSERT_TRUE(bench->run(CommandId::InvertStructure)) << ::testing::PrintToString(dialogs.shown);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"The structure is inverted; its space group is "
                                                    "now its enantiomorph P43: the SYMM cards and "
                                                    "REM SPCG line were changed."});
  dialogs.shown.clear();
  EXPECT_EQ(bench->structure().symmetry.spaceGroupNumber, 78);
  EXPECT_NEAR(atom("C1").y, 1 - c1.y, 1e-12);
  std::vector<std::string> lines = changed(before, saved());
  lines.resize(3);
  EXPECT_EQ(lines, (std::vector<std::string>{"SYMM -Y, X, Z+3/4", "SYMM Y, -X, Z+1/4",
                                             "REM SPCG         P43   78    1"}));
  // Undone, the file is P41 again; done again, P43.
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(saved(), before);
  EXPECT_EQ(bench->structure().symmetry.spaceGroupNumber, 76);
  ASSERT_TRUE(bench->run(CommandId::RedoLastEdit));
  EXPECT_EQ(bench->structure().symmetry.spaceGroupNumber, 78);
  // Read back, the file names P43 and its cards agree.
  ASSERT_TRUE(bench->run([&] { bench->fileCommands().save(); }));
  ASSERT_TRUE(openAs(bench->structure().currentFile, workbench::OpenedFrom::Dialog));
  EXPECT_EQ(bench->structure().symmetry.spaceGroupNumber, 78);
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
}

TEST_F(ParameterScenario, InvertingInFdd2ShiftsTheOrigin) {
  openParabenIn(
      {"LATT -4", "SYMM -X, -Y, Z", "SYMM 1/4-X, 1/4+Y, 1/4+Z", "SYMM 1/4+X, 1/4-Y, 1/4+Z"});
  ASSERT_EQ(bench->structure().symmetry.spaceGroupNumber, 43);
  const std::vector<std::string> before = saved();
  const model::Atom c1 = atom("C1");
  ASSERT_TRUE(bench->run(CommandId::InvertStructure));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0],
            "The structure is inverted as x' = 1/4-x, y' = 1/4-y, z' = 1-z: that origin shift "
            "keeps its space group.");
  EXPECT_NEAR(atom("C1").x, 0.25 - c1.x, 1e-12);
  EXPECT_EQ(bench->structure().symmetry.spaceGroupNumber, 43);
  for (const std::string& line : changed(before, saved()))
    EXPECT_FALSE(line.starts_with("SYMM") || line.starts_with("LATT")) << line;
}

TEST_F(ParameterScenario, InvertingRefusesATiedCoordinate) {
  TAVO_OPEN_PARABEN();
  const std::vector<std::string> before = saved();
  choose(MouseMode::Edit);
  click("C1");
  ASSERT_TRUE(bench->run([&] {
    parameters().setEditorField("z_FV", "24");
    parameters().updateEditor();
  }));
  const std::vector<std::string> tied = saved();
  EXPECT_FALSE(bench->run(CommandId::InvertStructure));
  EXPECT_NE(dialogs.shown.back().find("The z of C1 is tied to a free variable (code 24)"),
            std::string::npos)
      << dialogs.shown.back();
  EXPECT_EQ(saved(), tied);
}

TEST_F(ParameterScenario, WorkingCoordinatesListWhatIsDrawn) {
  TAVO_OPEN_PARABEN();
  ASSERT_TRUE(bench->run(CommandId::ListOfXyz));
  const workbench::WorkingCoordinatesWindow& w = parameters().workingCoordinates();
  ASSERT_TRUE(w.visible);
  ASSERT_EQ(w.grid.rowCount(), 1 + 14 + 15);
  EXPECT_EQ(w.grid.row(0), (std::vector<std::string>{"Label", "X", "Y", "Z"}));
  EXPECT_EQ(w.grid.cell(4, 0), "C1");
  EXPECT_NEAR(text::parseDouble(w.grid.cell(4, 1)), 0.823766, 1e-9);
  EXPECT_NEAR(text::parseDouble(w.grid.cell(4, 3)), 0.801344, 1e-9);
  EXPECT_LE(w.grid.cell(4, 2).size(), 12u);
}

}  // namespace
}  // namespace tavo::testing
