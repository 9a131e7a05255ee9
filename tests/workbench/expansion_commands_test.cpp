// The expansion and packing views as the user reaches them: the Expand and Packing flags, the
// yellow unit spin and its code field, 'ReExp', 'RePck', 'Remove', the unit-list files, the
// capacity messages and the saving of the expanded atoms.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>

#include "geometry/expansion.h"
#include "geometry/symmetry_operators.h"
#include "model/file_lines.h"
#include "workbench/control_table.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::DisplayFlag;
namespace fs = std::filesystem;

struct Unit {
  int op, ta, tb, tc;
  friend bool operator==(const Unit&, const Unit&) = default;
};

class ExpansionScenario : public WorkbenchScenario {
 protected:
  workbench::ExpansionCommands& expansion() { return bench->expansionCommands(); }
  const model::StructureModel& structure() const { return bench->structure(); }

  bool openHalfMolecule() {
    return openAs(repositoryFile("tests/data/shelxl/centrosymmetric_half.ins", "half.ins"),
                  workbench::OpenedFrom::Dialog);
  }
  // Both flags as the check boxes and the menu items set them.
  bool setFlag(DisplayFlag flag, bool on) {
    dialogs.shown.clear();
    return bench->run([&] { bench->viewCommands().setDisplayFlag(flag, on); });
  }
  std::vector<Unit> units() const {
    std::vector<Unit> list;
    for (const model::ExpansionOp& u : bench->expansionCommands().units())
      list.push_back({u.op, u.ta, u.tb, u.tc});
    return list;
  }
  std::string label(int i) const { return structure().atoms[i].label; }
  bool bonded(int first, int second) const {
    for (const model::Bond& b : structure().bonds.kinds[1]) {
      if ((b.first == first && b.second == second) || (b.first == second && b.second == first))
        return true;
    }
    return false;
  }
};

TEST_F(ExpansionScenario, ExpandCompletesTheHalfMoleculeOnTheInversionCentre) {
  ASSERT_TRUE(openHalfMolecule());
  ASSERT_EQ(structure().symmetry.opCount, 4) << "LATT 1 and one SYMM card";
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, true));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"1 Units Connected!  Change the Yellow "
                                                    "SpinButton!"});
  EXPECT_EQ(units(), (std::vector<Unit>{{3, 1, 1, 1}}));
  EXPECT_EQ(expansion().unitControls().codeText, " -X+1, -Y+1, -Z+1");
  EXPECT_EQ(bench->controls().symmetryCode, 1);
  EXPECT_EQ(expansion().unitControls().unitMax, 1);
  EXPECT_FALSE(expansion().unitControls().buttonsVisible);
  EXPECT_TRUE(expansion().unitControls().unitControlsVisible);
  EXPECT_TRUE(bench->display().expandConnections);
  EXPECT_EQ(work.read("expand.txt"), "    3    1    1    1      -X+1, -Y+1, -Z+1\n");
  // The copies: C1*1, O1*1, O2*1 after the file's atoms, the H atom and the peak copied too.
  ASSERT_EQ(structure().workingAtomCount, 6);
  EXPECT_EQ(label(4), "C1*1");
  EXPECT_EQ(label(6), "O2*1");
  EXPECT_NEAR(structure().atoms[4].x, 0.39, 1e-12);
  EXPECT_EQ(structure().atoms[4].aniso, 1);
  EXPECT_NEAR(structure().atoms[4].u12, 0.003, 1e-12) << "the inversion keeps U";
  EXPECT_EQ(structure().workingHCount, 2);
  EXPECT_EQ(structure().hydrogens[2].label, "H1*1");
  EXPECT_EQ(structure().workingPeakCount, 2);
  EXPECT_TRUE(bonded(1, 4)) << "C1-C1' across the centre: the molecule is whole";
  EXPECT_FALSE(bonded(2, 4));

  // The yellow spin: 0 shows the asymmetric unit alone, 1 the copies again.
  bench->run([&] { expansion().showUnitsUpTo(0); });
  EXPECT_EQ(structure().workingAtomCount, 3);
  EXPECT_EQ(expansion().unitControls().codeText, "");
  bench->run([&] { expansion().showUnitsUpTo(5); });
  EXPECT_EQ(bench->controls().symmetryCode, 1) << "clamped to the unit count";
  EXPECT_EQ(structure().workingAtomCount, 6);

  // Every atom in the view saved as a new file: the copies with their transformed positions.
  dialogs.nextFile = work.path() / "whole.ins";
  ASSERT_TRUE(bench->run([&] { bench->fileCommands().saveAllExpandedAtoms(); }));
  const std::vector<std::string> lines = model::loadFileLines(work.path() / "whole.ins");
  const auto copy = std::find_if(lines.begin(), lines.end(),
                                 [](const std::string& l) { return l.rfind("C1A ", 0) == 0; });
  ASSERT_NE(copy, lines.end());
  EXPECT_NE(copy->find("0.39000"), std::string::npos) << *copy;
  EXPECT_NE(copy->find("0.50000"), std::string::npos) << *copy;
}

TEST_F(ExpansionScenario, OffRemoveAndReExpFollowTheButtonRules) {
  ASSERT_TRUE(openHalfMolecule());
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, true));
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, false));
  EXPECT_EQ(structure().workingAtomCount, 3);
  EXPECT_TRUE(expansion().unitControls().buttonsVisible);
  EXPECT_TRUE(expansion().unitControls().unitControlsVisible) << "only 'Remove' hides the spin";
  EXPECT_TRUE(dialogs.shown.empty());

  bench->run([&] { expansion().removeCopies(); });
  EXPECT_FALSE(expansion().unitControls().unitControlsVisible);
  EXPECT_EQ(structure().workingAtomCount, 3);

  // 'ReExp' brings the listed view back from expand.txt, also after the file is reopened.
  bench->run([&] { bench->fileCommands().reopen(); });
  bench->run([&] { expansion().restoreExpansion(); });
  EXPECT_TRUE(expansion().restoredFromExpandList());
  EXPECT_EQ(units(), (std::vector<Unit>{{3, 1, 1, 1}}));
  EXPECT_EQ(structure().workingAtomCount, 6);
  EXPECT_TRUE(bonded(1, 4));
  bench->run([&] { expansion().showUnitsUpTo(0); });
  EXPECT_EQ(structure().workingAtomCount, 3) << "ReExpChk lets the spin change the view";
  bench->run([&] { expansion().removeCopies(); });
  EXPECT_FALSE(expansion().restoredFromExpandList());

  // Without packing.txt 'RePck' does nothing.
  bench->run([&] { expansion().restorePacking(); });
  EXPECT_FALSE(expansion().restoredFromPackingList());
  EXPECT_FALSE(expansion().unitControls().unitControlsVisible);
}

TEST_F(ExpansionScenario, TheItemsAreCheckedWhileTheirViewIsShown) {
  ASSERT_TRUE(openHalfMolecule());
  const auto checks = [&] {
    return std::pair{bench->checked(workbench::CommandId::ExpandConnections),
                     bench->checked(workbench::CommandId::PackingView)};
  };
  struct Step {
    const char* what;
    std::function<void()> act;
    std::pair<bool, bool> expected;  // Expand Connections, Packing View
  };
  const Step steps[] = {
      {"no connection found: nothing is expanded",
       [&] {
         bench->viewCommands().setBondThreshold(5);
         bench->viewCommands().setDisplayFlag(DisplayFlag::ExpandConnections, true);
       },
       {false, false}},
      {"the expansion shown",
       [&] {
         bench->viewCommands().setBondThreshold(11);
         bench->viewCommands().setDisplayFlag(DisplayFlag::ExpandConnections, true);
       },
       {true, false}},
      {"the packing shown",
       [&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Packing, true); },
       {false, true}},
      {"the view reset",
       [&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Packing, false); },
       {false, false}},
      {"'ReExp' shows the expansion again", [&] { expansion().restoreExpansion(); }, {true, false}},
      {"'RePck' shows the packing again", [&] { expansion().restorePacking(); }, {false, true}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    ASSERT_TRUE(bench->run(step.act));
    EXPECT_EQ(checks(), step.expected);
    EXPECT_EQ(structure().workingAtomCount > structure().nonHCount,
              step.expected.first || step.expected.second);
  }
}

TEST_F(ExpansionScenario, NoConnectionWritesNoListAndALoadDropsTheCopies) {
  ASSERT_TRUE(openHalfMolecule());
  bench->run([&] { bench->viewCommands().setBondThreshold(5); });
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, true));
  EXPECT_EQ(expansion().unitControls().codeText, "No Connection Detected!");
  EXPECT_EQ(expansion().unitControls().unitMax, 0);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(fs::exists(work.path() / "expand.txt"));
  EXPECT_EQ(structure().workingAtomCount, 3);

  bench->run([&] { bench->viewCommands().setBondThreshold(11); });
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, true));
  ASSERT_EQ(structure().workingAtomCount, 6);
  ASSERT_TRUE(openHalfMolecule());
  EXPECT_EQ(structure().workingAtomCount, 3);
  EXPECT_FALSE(bench->display().expandConnections);
  EXPECT_FALSE(expansion().unitControls().unitControlsVisible);
  EXPECT_EQ(expansion().shownUnits(), 0);
}

TEST_F(ExpansionScenario, AListThatCannotBeWrittenCostsNotTheView) {
  ASSERT_TRUE(openHalfMolecule());
  fs::create_directory(work.path() / "expand.txt");  // no file can take its place
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, true));
  EXPECT_EQ(structure().workingAtomCount, 6);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0], "1 Units Connected!  Change the Yellow SpinButton!");
  EXPECT_NE(dialogs.shown[1].find("expand.txt"), std::string::npos) << dialogs.shown[1];
  EXPECT_FALSE(expansion().waitWindow().visible);
}

TEST_F(ExpansionScenario, PackingListsTheCopiesInsideTheCellBoxAndCentresOnIt) {
  ASSERT_TRUE(openHalfMolecule());
  ASSERT_TRUE(setFlag(DisplayFlag::Packing, true));
  // Centroid (0.669, 0.5, 0.5); the range -0.1..1.1 on every axis.
  const std::vector<Unit> expected = {{2, 1, -1, 0}, {2, 1, -1, 1}, {2, 1, 0, 0},
                                      {2, 1, 0, 1},  {3, 1, 1, 1},  {4, 0, 0, -1},
                                      {4, 0, 0, 0},  {4, 0, 1, -1}, {4, 0, 1, 0}};
  EXPECT_EQ(units(), expected);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{
                               "9 Units Added!  Change the Yellow SpinButton for Information!"});
  EXPECT_EQ(expansion().unitControls().codeText, "Packing View");
  EXPECT_EQ(structure().workingAtomCount, 3 * 10);
  EXPECT_EQ(model::loadFileLines(work.path() / "packing.txt").size(), 9u);
  const geometry::ViewFrame& frame = bench->viewFrame();
  EXPECT_NEAR(frame.viewSlots[1].x + frame.viewSlots[7].x, 0, 1e-9) << "centred on the box";
  EXPECT_NEAR(bench->viewState().extent,
              1.5 * model::length(frame.viewSlots[7] - frame.viewSlots[1]), 1e-9);
  // The spin only shows codes in the packing view.
  bench->run([&] { expansion().showUnitsUpTo(6); });
  EXPECT_EQ(expansion().unitControls().codeText, " X, -Y+1/2, Z+1/2-1");
  EXPECT_EQ(structure().workingAtomCount, 30);
  // Expand and Packing exclude each other.
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, true));
  EXPECT_FALSE(bench->display().packingView);
  EXPECT_EQ(structure().workingAtomCount, 6);
  // 'RePck' brings the packing back from packing.txt.
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, false));
  bench->run([&] { expansion().restorePacking(); });
  EXPECT_TRUE(expansion().restoredFromPackingList());
  EXPECT_EQ(units(), expected);
  EXPECT_EQ(structure().workingAtomCount, 30);
}

TEST_F(ExpansionScenario, AResizeRescalesThePackingAboutThePaneCentreAndKeepsItsZoom) {
  ASSERT_TRUE(openHalfMolecule());
  ASSERT_TRUE(setFlag(DisplayFlag::Packing, true));
  bench->run([&] { workbench::setControl(*bench, "SpinEdit1", "120"); });
  const double extent = bench->viewState().extent;
  const auto balls = [&] {
    std::vector<DrawCall> circles;
    for (const DrawCall& call : canvas.of(Shape::Ellipse)) {
      if (call.isCircle()) circles.push_back(call);
    }
    return circles;
  };
  canvas.calls.clear();
  bench->run([&] { bench->viewCommands().resizePane(paneWidth, paneHeight); });
  const std::vector<DrawCall> before = balls();
  ASSERT_GT(before.size(), 3u) << "copies drawn beside the asymmetric unit";
  std::vector<model::Vec3> viewPositions;
  for (int i = 1; i <= structure().workingAtomCount; ++i)
    viewPositions.push_back(structure().view[1][static_cast<std::size_t>(i)]);

  // Half the size: every atom, those of the asymmetric unit among them, lies half as far from
  // the new centre as before (a pixel and a half for the roundings).
  canvas.calls.clear();
  bench->run([&] { bench->viewCommands().resizePane(paneWidth / 2, paneHeight / 2); });
  const std::vector<DrawCall> after = balls();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(after[i].centreX() - paneWidth / 4, (before[i].centreX() - paneWidth / 2) / 2.0,
                1.5);
    EXPECT_NEAR(after[i].centreY() - paneHeight / 4, (before[i].centreY() - paneHeight / 2) / 2.0,
                1.5);
  }
  for (int i = 1; i <= structure().workingAtomCount; ++i) {
    EXPECT_EQ(structure().view[1][static_cast<std::size_t>(i)],
              viewPositions[static_cast<std::size_t>(i - 1)])
        << "atom " << i << " keeps its place among the copies";
  }
  EXPECT_EQ(bench->viewState().extent, extent) << "the zoom on the cell box stays";
  EXPECT_EQ(bench->controls().zoom, 120);
  EXPECT_TRUE(bench->display().packingView);
}

TEST_F(ExpansionScenario, PackingStopsAtTheUnitCapacityWithAMessage) {
  ASSERT_TRUE(openHalfMolecule());
  bench->state().structure.limits.symMax = 5;
  ASSERT_TRUE(setFlag(DisplayFlag::Packing, true));
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{
                "The packing range holds more copies than the 4 units a view can hold (sym_max "
                "- 1 with sym_max = 5, and never more than 255): only the first 4 are shown. "
                "Raise sym_max in array_max.inf in the program folder, or narrow the range.",
                "4 Units Added!  Change the Yellow SpinButton for Information!"}));
  EXPECT_EQ(structure().workingAtomCount, 3 * 5);
}

TEST_F(ExpansionScenario, ExpMaxStopsTheCopiesWithTheGivenMessage) {
  ASSERT_TRUE(openHalfMolecule());
  bench->state().structure.limits.expMax = 8;  // entries up to 7: one unit and one more atom
  ASSERT_TRUE(setFlag(DisplayFlag::Packing, true));
  EXPECT_EQ(dialogs.shown.front(),
            "Sorry, the number of nonH atoms expanded exceeds the Maximum (8)!!");
  EXPECT_EQ(structure().workingAtomCount, 7);
}

TEST_F(ExpansionScenario, PackingRangeWindowSpinsWriteTheirFields) {
  ASSERT_TRUE(openHalfMolecule());
  bench->run(workbench::CommandId::PackingRange);
  EXPECT_TRUE(expansion().packingRangeWindow().visible);
  bench->run([&] { expansion().setPackingBoundSpin(2, 5); });
  bench->run([&] { expansion().setPackingBoundSpin(1, -3); });
  EXPECT_EQ(bench->viewFrame().packingRange.boundTexts[1], "0.5");
  EXPECT_EQ(bench->viewFrame().packingRange.boundTexts[0], "-0.3");
  bench->run([&] { expansion().setPackingBoundText(4, "0.6"); });
  ASSERT_TRUE(setFlag(DisplayFlag::Packing, true));
  for (const Unit& u : units()) {
    const geometry::Fractional c = geometry::applyOperator(
        structure().symmetry, u.op, bench->viewFrame().cellBoxPoints[0], u.ta, u.tb, u.tc);
    EXPECT_TRUE(c.x > -0.3 && c.x < 0.5 && c.y < 0.6) << u.op;
  }
  bench->run([&] { expansion().setPackingBoundText(3, "abc"); });
  ASSERT_TRUE(setFlag(DisplayFlag::Packing, false));
  EXPECT_FALSE(setFlag(DisplayFlag::Packing, true));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"'abc' is not a valid floating point value"});
  EXPECT_FALSE(bench->display().packingView);
  bench->run([&] { expansion().exitPackingRange(); });
  EXPECT_FALSE(expansion().packingRangeWindow().visible);
}

// A real P21/c cluster whose asymmetric unit is half of it, with CU07 on the inversion centre
// at (1, 1/2, 0): the one unit found completes the cluster.
TEST_F(ExpansionScenario, ExpandCompletesARealClusterOnAnInversionCentre) {
  const std::optional<fs::path> file =
      corpusFile("structurefinder_p21c_solution_no_fvar.res", "cluster.res");
  if (!file) GTEST_SKIP() << "no corpus";
  ASSERT_TRUE(openAs(*file, workbench::OpenedFrom::Dialog));
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, true));
  EXPECT_EQ(units(), (std::vector<Unit>{{3, 2, 1, 0}}));
  EXPECT_EQ(expansion().unitControls().codeText, " -X+2, -Y+1, -Z");
  const int n = structure().nonHCount;
  ASSERT_EQ(structure().workingAtomCount, 2 * n);
  int cu = 0, cl = 0;
  for (int i = 1; i <= n; ++i) {
    if (label(i) == "CU07") cu = i;
    if (label(i) == "CL08") cl = i;
  }
  ASSERT_GT(cu, 0);
  ASSERT_GT(cl, 0);
  EXPECT_EQ(label(n + cl), "CL08*1");
  EXPECT_LT(model::length(structure().view[1][n + cu] - structure().view[1][cu]), 1e-9)
      << "the copy of the atom on the centre lands on it";
  EXPECT_TRUE(bonded(cu, n + cl)) << "Cu-Cl across the centre: the cluster is whole";
}

// Real files: a P21/c structure packed, and PART -1 disorder on a special position expanded.
TEST_F(ExpansionScenario, RealFilesPackAndKeepTheDisorderRule) {
  const std::optional<fs::path> p21c = corpusFile("structurefinder_051a_p21c.res", "p21c.res");
  if (!p21c) GTEST_SKIP() << "no corpus";
  ASSERT_TRUE(openAs(*p21c, workbench::OpenedFrom::Dialog));
  ASSERT_EQ(structure().symmetry.opCount, 4);
  ASSERT_TRUE(setFlag(DisplayFlag::Packing, true));
  std::set<int> operators;
  const geometry::PackingBounds bounds = geometry::packingBounds(bench->viewFrame().packingRange);
  for (const Unit& u : units()) {
    operators.insert(u.op);
    const geometry::Fractional c = geometry::applyOperator(
        structure().symmetry, u.op, bench->viewFrame().cellBoxPoints[0], u.ta, u.tb, u.tc);
    EXPECT_TRUE(bounds[0] < c.x && c.x < bounds[1] && bounds[2] < c.y && c.y < bounds[3] &&
                bounds[4] < c.z && c.z < bounds[5]);
  }
  EXPECT_TRUE(operators.contains(2) && operators.contains(3) && operators.contains(4))
      << "each operator puts a molecule into the cell";
  EXPECT_EQ(structure().workingAtomCount,
            structure().nonHCount * (1 + static_cast<int>(units().size())));

  const std::optional<fs::path> pbcn = corpusFile("dsr_Pbcn_part-1_resi-erg.res", "pbcn.res");
  ASSERT_TRUE(pbcn);
  ASSERT_TRUE(openAs(*pbcn, workbench::OpenedFrom::Dialog));
  ASSERT_TRUE(setFlag(DisplayFlag::ExpandConnections, true));
  ASSERT_FALSE(units().empty());
  bench->run([&] { expansion().showUnitsUpTo(static_cast<int>(units().size())); });
  int negativeCopies = 0;
  for (const model::Bond& b : structure().bonds.kinds[1]) {
    const model::Atom& first = structure().atoms[b.first];
    const model::Atom& second = structure().atoms[b.second];
    if (first.part < 0 && first.part == second.part) {
      EXPECT_EQ(first.unit, second.unit) << first.label << " " << second.label;
    }
    if (first.part < 0 && first.unit > 0) ++negativeCopies;
  }
  EXPECT_GT(negativeCopies, 0) << "the copies of PART -1 bond within their own unit";
}

}  // namespace
}  // namespace tavo::testing
