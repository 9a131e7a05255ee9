// The atom list window on our example: its rows, values typed into cells, the heading sort, the
// sorts of the tables by label with the Selection and cards following, and undo.
#include <gtest/gtest.h>

#include <algorithm>

#include "workbench_fixture.h"

namespace tavo::testing {
namespace {

using model::AtomKind;
using workbench::CommandId;

class AtomList : public WorkbenchScenario {
 protected:
  void SetUp() override {
    TAVO_OPEN_PARABEN();
    ASSERT_TRUE(bench->run(CommandId::AtomList));
  }
  model::StructureModel& s() { return bench->structure(); }
  const workbench::AtomListWindow& list() { return bench->atomList().window(); }
  bool press(std::string_view control, std::vector<std::string> values = {}) {
    values.insert(values.begin(), std::string(control));
    return bench->operateWindow("TForm2", values);
  }
  /// The grid row showing `label`.
  int rowOf(const std::string& label) {
    for (int r = 1; r < list().grid.rowCount(); ++r)
      if (list().grid.cell(r, 1) == label) return r;
    ADD_FAILURE() << "no row " << label;
    return 0;
  }
  /// Types `value` into the cell of `label` and `column` and presses Apply.
  bool type(const std::string& label, int column, const std::string& value) {
    press("StringGrid1", {std::to_string(column), std::to_string(rowOf(label))});
    press("Edit1", {value});
    return press("Button1");
  }
  /// The restraint cards of the instruction lines, in order.
  std::vector<std::string> cards() {
    std::vector<std::string> out;
    for (const std::string& line : s().instructionLines)
      if (line.starts_with("SADI") || line.starts_with("DFIX") || line.starts_with("RIGU"))
        out.push_back(line);
    return out;
  }
  std::vector<std::string> labels() {
    std::vector<std::string> out;
    for (int i = 1; i <= s().nonHCount; ++i)
      out.push_back(s().atoms[i].label);
    return out;
  }
};

TEST_F(AtomList, ShowsEveryAtomAndHAtomWithItsGrade) {
  EXPECT_TRUE(bench->checked(CommandId::AtomList));
  const text::TextGrid& g = list().grid;
  ASSERT_EQ(g.rowCount(), 1 + 14 + 15);
  EXPECT_EQ(g.row(0), (std::vector<std::string>{"No.", "Label", "SFAC", "X", "Y", "Z", "sof",
                                                "U11/Uiso", "U22", "U33", "U23", "U13", "U12",
                                                "PART", "AFIX", "Label", "ANI?", "POSTV?"}));
  EXPECT_EQ(g.row(1),
            (std::vector<std::string>{"1", "O1", "3", "0.677422", "0.494081", "0.98792", "1",
                                      "0.04786", "0.06996", "0.03898", "-0.00145", "0.00887",
                                      "-0.00184", "0", "0", "O1", "1", "Normal"}))
      << "the parent of a riding group stands under AFIX 0 in the file";
  EXPECT_EQ(g.row(15),
            (std::vector<std::string>{"1", "H1", "2", "0.740399", "0.547279", "1.03112", "1",
                                      "-1.5", "", "", "", "", "", "0", "147", "H1", "", "Riding"}))
      << "the code of its AFIX card, not the number of its riding group";
  const int c8a = rowOf("C8A");
  EXPECT_EQ(g.cell(c8a, 6), "0.63412") << "sof tied to FV(2) shows its value";
  EXPECT_EQ(g.cell(c8a, 13), "1");
  ASSERT_TRUE(bench->run(CommandId::AtomList));
  EXPECT_FALSE(list().visible);
}

TEST_F(AtomList, TypedValuesAreStoredOrRefusedWithTheirMessage) {
  ASSERT_TRUE(type("C3", 3, "0.5"));
  EXPECT_DOUBLE_EQ(s().atoms[6].x, 0.5);
  EXPECT_EQ(list().grid.cell(rowOf("C3"), 3), "0.5") << "the list follows";
  EXPECT_EQ(s().atoms[6].codes[model::X], 0) << "the code stays";
  ASSERT_TRUE(type("C3", 1, "c15"));
  EXPECT_EQ(s().atoms[6].label, "C15");
  ASSERT_TRUE(type("C8A", 15, "c8x"));
  EXPECT_EQ(cards(),
            (std::vector<std::string>{"SADI 0.02 O3 C8X O3 C8B", "SADI 0.02 C8X C9A C8B C9B",
                                      "DFIX 1.50 0.02 C8X C9A", "RIGU C8X > C9B"}))
      << "the cards follow";
  ASSERT_TRUE(type("H1", 7, "0.06"));
  EXPECT_DOUBLE_EQ(s().hydrogens[1].uiso, 0.06);
  ASSERT_TRUE(type("C1", 16, "0"));
  EXPECT_EQ(s().atoms[4].aniso, 0);
  EXPECT_NEAR(s().atoms[4].u11, 0.0437, 5e-4) << "Ueq of C1";
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
  EXPECT_EQ(bench->state().undo.undoCount(), 5u) << "one step per Apply";

  const model::StructureModel before = s();
  const struct {
    std::string label;
    int column;
    std::string value, message;
  } refusals[] = {
      {"C4", 1, "O1", "The name is already in use!  Try again after solving this problem!!"},
      {"C4", 1, "C4ABC",
       "The label 'C4ABC' is longer than four characters, the most SHELXL reads of an atom name."},
      {"C4", 3, "abc", "'abc' is not a valid floating point value"},
      {"C4", 3, "5.5", "The x of C4 would be 5.5: a refined coordinate must lie between -5 and 5."},
      {"C9A", 6, "0.5",
       "The sof of C9A is tied to free variable 2: change the free variable, "
       "or the code, in the fixing window."},
      {"C4", 2, "2", "SFAC 2 is H: a non-hydrogen atom cannot become an H atom here."},
      {"C4", 14, "20",
       "AFIX 20 cannot be typed for C4: riding H atoms are made with HFIX, and 0 refines an H "
       "atom freely."},
      {"C4", 16, "2", "ANI? of C4 is 0 (isotropic) or 1 (anisotropic), not 2."},
      {"C4", 1, " ", "No Value in the ValueBox!"},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.value);
    dialogs.shown.clear();
    type(r.label, r.column, r.value);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown.front(), r.message);
    EXPECT_EQ(s().atoms, before.atoms);
    EXPECT_EQ(s().instructionLines, before.instructionLines);
  }
  EXPECT_EQ(bench->state().undo.undoCount(), 5u) << "a refusal records no step";
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(s().atoms[1].label, "O1");
  EXPECT_EQ(s().hydrogens[1].uiso, -1.5);
  EXPECT_EQ(cards().front(), "SADI 0.02 O3 C8X O3 C8B");
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(cards().front(), "SADI 0.02 O3 C8A O3 C8B") << "the rename with its cards";
  EXPECT_EQ(list().grid.cell(rowOf("C8A"), 1), "C8A") << "the list follows undo";

  // A cell with no meaning for the row changes nothing and says nothing.
  dialogs.shown.clear();
  EXPECT_TRUE(type("H1", 9, "0.5"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AtomList, AfixShowsTheCodeAndASmallUIsWrittenInFixedPoint) {
  EXPECT_EQ(list().grid.cell(rowOf("H2"), 14), "43");
  ASSERT_TRUE(type("H1", 14, "147"));
  EXPECT_GT(s().hydrogens[1].afixGroup, 0) << "the code shown changes nothing";
  ASSERT_TRUE(type("H1", 14, "0"));
  EXPECT_EQ(s().hydrogens[1].afixGroup, 0) << "0 frees the H atom";
  EXPECT_EQ(list().grid.cell(rowOf("H1"), 14), "0");

  ASSERT_TRUE(type("C4", 8, "0.00008"));
  EXPECT_EQ(list().grid.cell(rowOf("C4"), 8), "0.00008") << "no exponent (8e-05)";
  ASSERT_TRUE(type("C4", 9, "-0.0000004"));
  EXPECT_EQ(list().grid.cell(rowOf("C4"), 9), "-0.0000004");
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
}

TEST_F(AtomList, MultiCellsStoreABlockAllOrNothing) {
  ASSERT_TRUE(press("CheckBox1", {"1"}));
  EXPECT_FALSE(press("Button1")) << "Apply is off while the option is on";
  const int c4 = rowOf("C4");
  ASSERT_TRUE(press("StringGrid1", {"13", std::to_string(c4), "13", std::to_string(c4 + 2)}));
  EXPECT_TRUE(list().value.empty()) << "the option keeps the value field";
  ASSERT_TRUE(press("Edit1", {"2"}));
  ASSERT_TRUE(press("Button2"));
  EXPECT_EQ(s().atoms[7].part, 2);
  EXPECT_EQ(s().atoms[8].part, 2);
  EXPECT_EQ(s().atoms[9].part, 2);
  EXPECT_EQ(s().atoms[10].part, 0);

  // One label for three atoms, and a block with a refused cell, change nothing.
  const model::StructureModel before = s();
  ASSERT_TRUE(press("StringGrid1", {"15", std::to_string(c4), "15", std::to_string(c4 + 2)}));
  dialogs.shown.clear();
  EXPECT_FALSE(press("Button2"));
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{
                "One label cannot be given to several atoms: rename them one by one."});
  ASSERT_TRUE(press("StringGrid1", {"6", std::to_string(c4), "6", std::to_string(rowOf("C8A"))}));
  ASSERT_TRUE(press("Edit1", {"0.5"}));
  EXPECT_FALSE(press("Button2")) << "the sof of C8A is tied to FV(2)";
  EXPECT_EQ(s().atoms, before.atoms);
}

TEST_F(AtomList, HeadingOrdersTheRowsNotTheTables) {
  const std::vector<std::string> tableOrder = labels();
  ASSERT_TRUE(press("Heading", {"3"}));
  std::vector<double> xs;
  for (int r = 1; r <= 14; ++r)
    xs.push_back(std::stod(list().grid.cell(r, 3)));
  EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
  EXPECT_EQ(list().grid.cell(15, 1).front(), 'H') << "H atoms after the non-H atoms";
  ASSERT_TRUE(press("Heading", {"3"}));
  EXPECT_GT(std::stod(list().grid.cell(1, 3)), std::stod(list().grid.cell(14, 3)));
  EXPECT_EQ(labels(), tableOrder);
  // A row still edits the atom it shows.
  ASSERT_TRUE(type("C5", 4, "0.125"));
  EXPECT_DOUBLE_EQ(s().atoms[8].y, 0.125);
  ASSERT_TRUE(press("Heading", {"0"}));
  EXPECT_EQ(list().grid.cell(1, 1), "O1");
}

TEST_F(AtomList, SortFollowsTheSelectionCardsAndIsOneUndoableStep) {
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::Name); }));
  click("C8B");
  ASSERT_EQ(selectedLabels(), std::vector<std::string>{"C8B"});
  const std::vector<std::string> lines = s().instructionLines;
  ASSERT_TRUE(bench->run([&] { bench->parameters().showEditor(ref("C8B")); }));
  ASSERT_TRUE(bench->run(CommandId::FixingFvar));
  ASSERT_TRUE(press("SortLabels"));
  EXPECT_EQ(bench->parameters().editor().fields.label, "C8B") << "Edit Parameters follows C8B";
  EXPECT_EQ(bench->freeVariables().window().codeTable.cell(12, 0), "C8B") << "so does TForm23";
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{
                "Labels must consist of Element+Numeral+Alphabet! Adopt this rule!"});
  EXPECT_EQ(labels(), (std::vector<std::string>{"O1", "O2", "O3", "C1", "C2", "C3", "C4", "C5",
                                                "C6", "C7", "C8A", "C8B", "C9A", "C9B"}));
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"C8B"});
  EXPECT_EQ(list().grid.cell(12, 1), "C8B") << "the list follows";
  EXPECT_EQ(s().instructionLines, lines) << "a sort renames nothing";
  EXPECT_EQ(s().atoms[13].afixGroup, s().hydrogens[9].afixGroup) << "H9A rides on C9A";
  EXPECT_EQ(list().sortGrid.cell(11, 10), "C8B");
  EXPECT_EQ(list().sortGrid.cell(10, 8), "2000801") << "C8A's key";

  dialogs.shown.clear();
  ASSERT_TRUE(press("SortHLabels"));
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{"The sorting does not make sense only with Hs of AFIX!"});

  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(labels()[11], "C9A");
  EXPECT_EQ(list().grid.cell(12, 1), "C9A") << "the list follows undo";
}

TEST_F(AtomList, SimplifyNumbersEveryAtomAndTheCardsFollow) {
  ASSERT_TRUE(press("SimplifytheLabelingfromShelxt1"));
  EXPECT_EQ(labels(), (std::vector<std::string>{"O1", "O2", "O3", "C4", "C5", "C6", "C7", "C8",
                                                "C9", "C10", "C11", "C12", "C13", "C14"}));
  EXPECT_EQ(cards(),
            (std::vector<std::string>{"SADI 0.02 O3 C11 O3 C12", "SADI 0.02 C11 C13 C12 C14",
                                      "DFIX 1.50 0.02 C11 C13", "RIGU C11 > C14"}));
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(s().atoms[4].label, "C1");
  EXPECT_EQ(cards().back(), "RIGU C8A > C9B");
}

using AtomListOnExpansion = WorkbenchScenario;

TEST_F(AtomListOnExpansion, SortSwitchesTheExpansionOffAndFreeHydrogensKeepTheirAtom) {
  ASSERT_TRUE(openAs(repositoryFile("tests/data/shelxl/centrosymmetric_half.ins", "half.ins"),
                     workbench::OpenedFrom::Dialog));
  ASSERT_TRUE(bench->run([&] {
    bench->viewCommands().setDisplayFlag(workbench::DisplayFlag::ExpandConnections, true);
  }));
  const model::StructureModel& s = bench->structure();
  ASSERT_GT(s.workingAtomCount, s.nonHCount) << "copies are shown";
  ASSERT_TRUE(bench->run(CommandId::AtomList));
  ASSERT_TRUE(bench->operateWindow("TForm2", {"SimplifytheLabelingfromShelxt1"}));
  EXPECT_FALSE(bench->display().expandConnections);
  EXPECT_EQ(s.workingAtomCount, s.nonHCount);
  EXPECT_EQ(s.atoms[1].label, "O1");
  EXPECT_EQ(s.atoms[2].label, "O2");
  EXPECT_EQ(s.atoms[3].label, "C3");
  EXPECT_EQ(s.hydrogens[1].afterAtom, 2) << "H1 still follows O2";
  EXPECT_EQ(bench->atomList().window().grid.rowCount(), 1 + 3 + 1);

  dialogs.shown.clear();
  ASSERT_TRUE(bench->operateWindow("TForm2", {"Print1"}));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Recommended: Courier,8"});
  ASSERT_EQ(dialogs.printed.size(), 5u);
  EXPECT_EQ(dialogs.printed[1].substr(0, 17), "1    O1     3    ") << "5, 7 and 5 wide";
  EXPECT_EQ(dialogs.printed[4].substr(0, 12), "1    H1     ");
}

}  // namespace
}  // namespace tavo::testing
