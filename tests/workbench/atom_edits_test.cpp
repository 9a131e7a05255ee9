// The atom edits of Apply on our example: Name, Delete with riding groups, and what refers to
// atoms by index afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/instruction_writer.h"
#include "workbench/control_table.h"
#include "workbench_fixture.h"

namespace tavo::testing {
namespace {

using editing::MouseMode;
using model::AtomKind;
using model::AtomRef;

class AtomEdits : public WorkbenchScenario {
 protected:
  void SetUp() override { TAVO_OPEN_PARABEN(); }
  model::StructureModel& s() { return bench->structure(); }
  void choose(MouseMode mode) {
    ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(mode); }));
  }
  bool apply() {
    return bench->run([&] { bench->modeCommands().apply(); });
  }
  void clickPeak(int q) { clickAt(pixelOf({AtomKind::Peak, q})); }
  bool hasLine(const std::string& line) const {
    const auto& lines = bench->structure().instructionLines;
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  std::vector<std::string> hydrogenLabels() {
    std::vector<std::string> labels;
    for (int k = 1; k <= s().hCount; ++k)
      labels.push_back(s().hydrogens[k].label);
    return labels;
  }
};

TEST_F(AtomEdits, NameTurnsPeaksIntoAtomsAndRenamesAtomsInTheCards) {
  choose(MouseMode::Name);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(3); }));  // O
  ASSERT_EQ(bench->controls().elementSymbol, "O");
  const model::Peak q3 = s().peaks[3];
  clickPeak(3);
  clickPeak(1);
  ASSERT_EQ(bench->selection().count(), 2);
  ASSERT_TRUE(apply());
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();
  ASSERT_EQ(s().nonHCount, 16);
  const model::Atom& o4 = s().atoms[15];  // picked first: the next number after three O atoms
  EXPECT_EQ(o4.label, "O4");
  EXPECT_EQ(s().atoms[16].label, "O5");
  EXPECT_EQ(o4.sfac, 3);
  EXPECT_DOUBLE_EQ(o4.x, q3.x);
  EXPECT_DOUBLE_EQ(o4.sof, 1.0);
  EXPECT_DOUBLE_EQ(o4.u11, 0.05);
  EXPECT_EQ(o4.aniso, 0);
  EXPECT_EQ(o4.codes[model::Sof], 10);
  EXPECT_EQ(model::atomLines(o4).front(),
            "O4    3    1.070400   -0.089100    0.686300   11.000000   0.050000");
  EXPECT_EQ(s().peakCount, 8) << "the peaks named are purged";
  EXPECT_DOUBLE_EQ(s().peaks[1].height, 0.23) << "old Q2 is Q1 now";
  EXPECT_TRUE(bench->selection().empty());
  EXPECT_DOUBLE_EQ(s().elements[3].unitCount, 20) << "the recount: five O atoms in four places";

  // An atom named C takes the next free C label, and the cards naming it follow.
  choose(MouseMode::Name);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(1); }));
  click("C8A");
  ASSERT_TRUE(apply());
  EXPECT_EQ(s().atoms[ref("C12").index].sfac, 1);
  EXPECT_TRUE(hasLine("SADI 0.02 O3 C12 O3 C8B"));
  EXPECT_TRUE(hasLine("DFIX 1.50 0.02 C12 C9A"));
  EXPECT_TRUE(hasLine("RIGU C12 > C9B"));
}

TEST_F(AtomEdits, NameGivesTheTypedLabelToTheFirstPickedEntry) {
  choose(MouseMode::Name);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(3); }));  // O
  // A label in use is refused before anything changes, and stays typed for another try.
  workbench::setControl(*bench, "NewLabel", "c7");
  clickPeak(3);
  EXPECT_FALSE(apply());
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"The label c7 is in use already; type "
                                                    "another one."});
  EXPECT_EQ(s().nonHCount, 14);
  dialogs.shown.clear();

  // Q3 stays picked for the second try.
  workbench::setControl(*bench, "NewLabel", "O31");
  clickPeak(1);
  ASSERT_EQ(bench->selection().count(), 2);
  ASSERT_TRUE(apply());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(s().atoms[15].label, "O31") << "typed, in place of O4";
  EXPECT_EQ(s().atoms[16].label, "O4") << "the next pick takes the next free number";
  EXPECT_EQ(bench->controls().newLabel, "") << "a typed label names one atom";

  // An atom renamed by its typed label: the cards follow as for a numbered one.
  choose(MouseMode::Name);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(1); }));
  workbench::setControl(*bench, "NewLabel", "C8X");
  click("C8A");
  ASSERT_TRUE(apply());
  EXPECT_TRUE(hasLine("DFIX 1.50 0.02 C8X C9A"));
}

TEST_F(AtomEdits, NameRefusesHydrogenRenamesAndLabelsSHELXLCannotRead) {
  const std::vector<std::string> before = model::instructionFileLines(s());
  choose(MouseMode::Name);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(2); }));  // H
  click("C1");
  click("H2");
  ASSERT_TRUE(apply());
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{
                               "Renaming of nonH into H is not allowed. Change them manually!!",
                               "Renaming of Hs not allowed.  Change them manually!!"}));
  dialogs.shown.clear();

  // "Cab" + 12 would be five characters: refused before anything changes.
  choose(MouseMode::Name);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(1); }));
  bench->controls().elementSymbol = "Cab";
  click("C2");
  clickPeak(1);
  EXPECT_FALSE(apply());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].find("is longer than four characters"), std::string::npos)
      << dialogs.shown[0];
  EXPECT_EQ(model::instructionFileLines(s()), before);
  EXPECT_EQ(s().peakCount, 10);
}

TEST_F(AtomEdits, NameAfterACoordinateImportTurnsAtomsIntoHAndBack) {
  work.write("ethyl.abc", "C1 0 0 0\nC2 1.54 0 0\nH1 -0.5 0.9 0\n");
  ASSERT_TRUE(bench->run([&] {
    bench->importExport().importFile(work.path() / "ethyl.abc", workbench::ImportFormat::Cartesian);
  }));
  ASSERT_EQ(s().nonHCount, 2);
  ASSERT_EQ(s().hCount, 1);
  const model::Atom c2 = s().atoms[ref("C2").index];
  const model::Hydrogen h1 = s().hydrogens[ref("H1").index];
  dialogs.shown.clear();

  choose(MouseMode::Name);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(2); }));
  ASSERT_EQ(bench->controls().elementSymbol, "H");
  click("C2");
  ASSERT_TRUE(apply());
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
  ASSERT_EQ(s().nonHCount, 1);
  ASSERT_EQ(s().hCount, 2);
  const model::Hydrogen& h2 = s().hydrogens[ref("H2").index];
  EXPECT_NEAR(h2.x, c2.x, 1e-9);
  EXPECT_NEAR(h2.y, c2.y, 1e-9);
  EXPECT_NEAR(h2.z, c2.z, 1e-9);

  choose(MouseMode::Name);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(1); }));
  click("H1");
  ASSERT_TRUE(apply());
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
  ASSERT_EQ(s().nonHCount, 2);
  ASSERT_EQ(s().hCount, 1);
  const model::Atom& back = s().atoms[ref("C2").index];
  EXPECT_EQ(back.sfac, 1);
  EXPECT_NEAR(back.x, h1.x, 1e-9);
  EXPECT_NEAR(back.y, h1.y, 1e-9);
  EXPECT_NEAR(back.z, h1.z, 1e-9);
  EXPECT_EQ(s().peakCount, 0) << "the peaks in between are purged";
}

TEST_F(AtomEdits, DeletingAParentAsksAndTakesItsRidingHAtoms) {
  const std::vector<std::string> before = model::instructionFileLines(s());
  choose(MouseMode::Delete);
  click("C9A");
  dialogs.replies = {false};
  EXPECT_TRUE(apply());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0],
            "These riding H atoms are deleted with their group: H9A, H9B, H9C.\n"
            "These cards name a deleted atom and will name a missing one:\n"
            "SADI 0.02 C8A C9A C8B C9B\nDFIX 1.50 0.02 C8A C9A\nDelete?");
  EXPECT_EQ(model::instructionFileLines(s()), before) << "declined: nothing changes";
  EXPECT_EQ(bench->selection().count(), 1);
  EXPECT_FALSE(bench->state().undo.canUndo());

  dialogs.replies = {true};
  ASSERT_TRUE(bench->run(workbench::CommandId::FormulaCell));
  ASSERT_TRUE(apply());
  EXPECT_EQ(s().nonHCount, 13);
  EXPECT_EQ(bench->formulaCommands().window().elements.cell(1, 1), "  33.464")
      << "the formula window shows the recount: C9A (sof 0.634) fewer in four places";
  EXPECT_EQ(hydrogenLabels(), (std::vector<std::string>{"H1", "H2", "H3", "H5", "H6", "H8A", "H8B",
                                                        "H8C", "H8D", "H9D", "H9E", "H9F"}));
  EXPECT_TRUE(model::ridingHydrogensWithoutParent(s()).empty());
  EXPECT_EQ(bench->state().undo.undoName(), "Apply");

  // One H atom of a riding group takes the whole group; the parent carries no AFIX then.
  dialogs.shown.clear();
  choose(MouseMode::Delete);
  click("H8C");
  dialogs.replies = {true};
  ASSERT_TRUE(apply());
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{
                               "These riding H atoms are deleted with their group: H8D.\nDelete?"});
  EXPECT_EQ(s().atoms[ref("C8B").index].afixGroup, 0);
  const std::vector<std::string> lines = model::instructionFileLines(s());
  const auto c8b = std::find_if(lines.begin(), lines.end(),
                                [](const std::string& l) { return l.starts_with("C8B "); });
  ASSERT_NE(c8b, lines.end());
  EXPECT_TRUE((c8b + 2)->starts_with("C9B ")) << *(c8b + 2);
}

TEST_F(AtomEdits, DeleteRemapsTheRememberedSelectionAndItsFile) {
  choose(MouseMode::MemSelect);
  click("C9B");
  click("O2");
  click("C1");
  ASSERT_TRUE(apply());
  choose(MouseMode::Delete);
  click("O2");
  clickPeak(1);
  dialogs.replies = {true};
  ASSERT_TRUE(apply());
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{
                               "These cards name a deleted atom and will name a missing one:\n"
                               "HTAB O1 O2_$1\nDelete?"});
  // O2 went; C9B and C1 moved up by one.
  EXPECT_EQ(bench->selection().remembered, (std::vector<AtomRef>{ref("C9B"), ref("C1")}));
  EXPECT_EQ(work.read("selection_mem.txt"), "2\n1\t" + std::to_string(ref("C9B").index) + "\n1\t" +
                                                std::to_string(ref("C1").index) + "\n");
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().reSelect(); }));
  EXPECT_EQ(selectedLabels(), (std::vector<std::string>{"C9B", "C1"}));
}

TEST_F(AtomEdits, RenumberWithNumbersRenamesInTheCardsAndContinuesTheSequence) {
  choose(MouseMode::Renumber);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(1); }));
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "SpinEdit21", "10"); }));
  for (const char* label : {"C8A", "C9A", "C8B"})
    click(label);
  ASSERT_TRUE(apply());
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();
  EXPECT_TRUE(hasLine("SADI 0.02 O3 C10 O3 C12"));
  EXPECT_TRUE(hasLine("SADI 0.02 C10 C11 C12 C9B"));
  EXPECT_TRUE(hasLine("DFIX 1.50 0.02 C10 C11"));
  EXPECT_EQ(bench->controls().firstNumber, 13);
  EXPECT_EQ(s().workingGrid.row(0), (std::vector<std::string>{"OldName", "NewName"}));
  EXPECT_EQ(s().workingGrid.row(3), (std::vector<std::string>{"C8B", "C12"}));
  EXPECT_TRUE(bench->selection().empty());

  // A ring renumbered backwards: the labels swap among themselves.
  choose(MouseMode::Renumber);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(1); }));
  for (const char* label : {"C6", "C5", "C4", "C3", "C2", "C1"})
    click(label);
  const model::Atom oldC6 = s().atoms[ref("C6").index];
  ASSERT_TRUE(apply());
  EXPECT_DOUBLE_EQ(s().atoms[ref("C1").index].x, oldC6.x);
  EXPECT_EQ(s().atoms[4].label, "C6") << "the table keeps its order; old C1 is C6 now";

  // Onto a label in use: refused before anything changes.
  const std::vector<std::string> before = model::instructionFileLines(s());
  choose(MouseMode::Renumber);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(3); }));
  click("O1");
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "SpinEdit21", "2"); }));
  EXPECT_FALSE(apply());
  EXPECT_EQ(dialogs.shown.back(),
            "The label 'O2' is already used outside any residue (labels are compared without "
            "regard to case, among non-H and H atoms alike).");
  EXPECT_EQ(model::instructionFileLines(s()), before);
}

TEST_F(AtomEdits, RenumberWithLettersFollowsTheFirstLabel) {
  struct Case {
    std::vector<const char*> picks;
    std::vector<std::string> labels;  // empty: refused, nothing changes
    const char* why;
  };
  const Case cases[] = {
      {{"C7", "C5", "C6"}, {"C7A", "C7B", "C7C"}, "a name ending in a digit is the base"},
      {{"C9B", "C9A"}, {"C9A", "C9B"}, "a final letter is replaced: the two swap"},
      {{"C8A", "C9A"}, {}, "C9A would become C8B, which C8B holds"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    ASSERT_TRUE(openParaben());
    choose(MouseMode::Renumber);
    ASSERT_TRUE(bench->run([&] { bench->modeCommands().setElementNumber(1); }));
    ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "CheckBox37", "1"); }));
    std::vector<int> indexes;
    for (const char* label : c.picks) {
      indexes.push_back(ref(label).index);
      click(label);
    }
    dialogs.shown.clear();
    const bool applied = apply();
    if (c.labels.empty()) {
      EXPECT_FALSE(applied);
      EXPECT_EQ(s().atoms[indexes[1]].label, "C9A");
      continue;
    }
    ASSERT_TRUE(applied) << dialogs.shown.front();
    for (size_t i = 0; i < indexes.size(); ++i)
      EXPECT_EQ(s().atoms[indexes[i]].label, c.labels[i]);
  }
}

TEST_F(AtomEdits, PartAndBeIsoChangeThePickedAtomsAndTheirRidingHAtoms) {
  choose(MouseMode::Part);
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "SpinEdit24", "2"); }));
  click("C2");
  clickPeak(5);
  ASSERT_TRUE(apply());
  EXPECT_EQ(s().atoms[ref("C2").index].part, 2);
  EXPECT_EQ(s().hydrogens[ref("H2").index].part, 2) << "the riding H atom follows its parent";
  EXPECT_EQ(s().atoms[ref("C3").index].part, 0);
  const std::vector<std::string> lines = model::instructionFileLines(s());
  const auto c2 = std::find_if(lines.begin(), lines.end(),
                               [](const std::string& l) { return l.starts_with("C2 "); });
  ASSERT_NE(c2, lines.end());
  EXPECT_EQ(*(c2 - 1), "PART 2");
  EXPECT_EQ(*(c2 + 2), "AFIX 43");
  EXPECT_TRUE((c2 + 3)->starts_with("H2 "));
  EXPECT_EQ(*(c2 + 4), "AFIX   0");
  EXPECT_EQ(*(c2 + 5), "PART 0");

  choose(MouseMode::BeIso);
  click("O1");
  ASSERT_TRUE(apply());
  const model::Atom& o1 = s().atoms[ref("O1").index];
  EXPECT_EQ(o1.aniso, 0);
  EXPECT_DOUBLE_EQ(o1.u11, 0.05);
  EXPECT_DOUBLE_EQ(o1.u22 + o1.u33 + o1.u23 + o1.u13 + o1.u12, 0);
  EXPECT_EQ(o1.codes[model::U11], 0);
  EXPECT_EQ(model::atomLines(o1).size(), 1u);
  EXPECT_EQ(s().anisoCount, 13);
  EXPECT_EQ(s().isoCount, 1);
}

TEST_F(AtomEdits, AdjustStoresTheShownPositionWithinTheRangeOfTheFile) {
  const model::AtomRef c1 = ref("C1");
  const double x = s().atoms[c1.index].x;
  s().viewOf(c1) += 0.25 * bench->viewFrame().edgeA();
  choose(MouseMode::Adjust);
  click("C1");
  ASSERT_TRUE(apply());
  EXPECT_NEAR(s().atoms[c1.index].x, x + 0.25, 1e-9);

  // Six cells away: SHELXL would read the coordinate as fixed. Refused; nothing moves.
  s().viewOf(c1) += 6.0 * bench->viewFrame().edgeA();
  choose(MouseMode::Adjust);
  click("C1");
  EXPECT_FALSE(apply());
  EXPECT_NE(dialogs.shown.back().find("C1 x would become 7.07"), std::string::npos)
      << dialogs.shown.back();
  EXPECT_NEAR(s().atoms[c1.index].x, x + 0.25, 1e-9);
}

TEST_F(AtomEdits, AlignVecTurnsTheVectorOntoTheChosenAxis) {
  struct Case {
    int axis, sense;
    model::Vec3 direction;
  };
  const Case cases[] = {{1, 1, {1, 0, 0}},  {2, 1, {0, 1, 0}},  {3, 1, {0, 0, 1}},
                        {1, 0, {-1, 0, 0}}, {2, 0, {0, -1, 0}}, {3, 0, {0, 0, -1}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.axis) + (c.sense == 1 ? " positive" : " negative"));
    ASSERT_TRUE(openParaben());
    // The view of the reset, in which the picks below are chosen: in the first view, and along
    // Z after an alignment, O2 would hide C7.
    ASSERT_TRUE(bench->run([&] { bench->viewCommands().initGraph(); }));
    choose(MouseMode::AlignVec);
    bench->controls().alignAxis = c.axis;
    bench->controls().alignSense = c.sense;
    click("O2");
    click("C7");
    ASSERT_EQ(bench->selection().count(), 2);
    ASSERT_TRUE(apply());
    const model::Vec3 o2 = s().viewOf(ref("O2"));
    const model::Vec3 v = s().viewOf(ref("C7")) - o2;
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    EXPECT_NEAR(o2.x * o2.x + o2.y * o2.y + o2.z * o2.z, 0, 1e-18) << "O2 at the centre";
    EXPECT_NEAR(v.x / length, c.direction.x, 1e-9);
    EXPECT_NEAR(v.y / length, c.direction.y, 1e-9);
    EXPECT_NEAR(v.z / length, c.direction.z, 1e-9);
  }
}

TEST_F(AtomEdits, AdoptMovesTheAtomOntoThePickedCopy) {
  ASSERT_TRUE(openAs(repositoryFile("tests/data/shelxl/centrosymmetric_half.ins", "half.ins"),
                     workbench::OpenedFrom::Dialog));
  dialogs.shown.clear();
  ASSERT_TRUE(bench->run([&] {
    bench->viewCommands().setDisplayFlag(workbench::DisplayFlag::ExpandConnections, true);
  }));
  ASSERT_EQ(s().atoms[5].label, "O1*1") << "the inversion copy of O1";
  const model::Vec3 copyView = s().viewOf({AtomKind::Atom, 5});
  choose(MouseMode::Adopt);
  clickAt(pixelOf({AtomKind::Atom, 5}));
  ASSERT_EQ(bench->selection().count(), 1);
  ASSERT_TRUE(apply());
  const model::Atom& o1 = s().atoms[2];
  EXPECT_NEAR(o1.x, 1 - 0.69929, 1e-9);
  EXPECT_NEAR(o1.y, 1 - 0.63532, 1e-9);
  EXPECT_NEAR(o1.z, 0.5, 1e-9);
  EXPECT_EQ(s().viewOf({AtomKind::Atom, 2}), copyView);
  EXPECT_EQ(bench->state().undo.undoName(), "Apply");
}

}  // namespace
}  // namespace tavo::testing
