// Scenarios of the mouse on the picture: the Rotate quasi-mode, picking in the editing modes at
// the atoms' pixel positions, the read-outs, the Selection memory across a restart, and Apply.
#include <algorithm>
#include <cmath>

#include "text/text.h"
#include "workbench/control_table.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using editing::Modifiers;
using editing::MouseMode;
using workbench::PopupMenu;

constexpr Modifiers ctrl{false, true, false};
constexpr Modifiers alt{false, false, true};

/// A pane point far from every atom of the picture.
constexpr editing::ScreenPoint emptyCorner{2, 2};

TEST_F(WorkbenchScenario, RotateIsAQuasiModeThatKeepsTheSelection) {
  TAVO_OPEN_PARABEN();
  ASSERT_TRUE(bench->modes().rotate);
  // In Rotate a plain click drags instead of picking.
  click("C1");
  EXPECT_TRUE(bench->selection().empty());

  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Name); });
  EXPECT_FALSE(bench->modes().rotate);
  EXPECT_EQ(bench->window().modeCaption, "Name");
  click("C3");
  click("O2");
  click("O1");
  ASSERT_EQ(selectedLabels(), (std::vector<std::string>{"C3", "O2", "O1"}));

  bench->run([&] {
    bench->modeCommands().doubleClick();
  });  // into Rotate: the editing mode stays on underneath
  EXPECT_TRUE(bench->modes().rotate);
  EXPECT_TRUE(bench->modes().is(editing::MouseMode::Name));
  EXPECT_TRUE(bench->window().mouseRotationPanelVisible);
  const model::Vec3 before = bench->structure().viewOf(ref("O1"));
  const editing::ScreenPoint centre{paneWidth / 2, paneHeight / 2};
  bench->run([&] { bench->modeCommands().mouseDown({centre, editing::Button::Left, {}}); });
  bench->run([&] {
    bench->modeCommands().mouseMove({{centre.x + 40, centre.y + 25}, editing::Button::Left, {}});
  });
  bench->run([&] {
    bench->modeCommands().mouseUp({{centre.x + 40, centre.y + 25}, editing::Button::Left, {}});
  });
  const model::Vec3 after = bench->structure().viewOf(ref("O1"));
  EXPECT_GT(std::abs(after.x - before.x) + std::abs(after.y - before.y), 0.01) << "no rotation";

  bench->run([&] {
    bench->modeCommands().doubleClick();
  });  // out of Rotate: the same atoms in the same order
  EXPECT_FALSE(bench->modes().rotate);
  EXPECT_TRUE(bench->modes().is(editing::MouseMode::Name));
  EXPECT_EQ(selectedLabels(), (std::vector<std::string>{"C3", "O2", "O1"}));
  EXPECT_EQ(bench->structure().selected[1][static_cast<size_t>(ref("O2").index)], 1);
}

TEST_F(WorkbenchScenario, ASelectionStashedAcrossRotateDoesNotOutliveAReopen) {
  TAVO_OPEN_PARABEN();
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Name); });
  click("C1");
  bench->run([&] {
    bench->modeCommands().doubleClick();
  });  // into Rotate: the Selection goes into the working grid
  bench->run([&] {
    bench->fileCommands().reopen();
  });  // Ctrl+I: a fresh structure, modes reset, Rotate still on
  bench->run([&] { bench->modeCommands().doubleClick(); });  // out of Rotate
  EXPECT_TRUE(bench->selection().empty());
  EXPECT_EQ(bench->structure().selected[1][static_cast<size_t>(ref("C1").index)], 0);
}

TEST_F(WorkbenchScenario, SelMemClearForgetsTheSelectionStashedAcrossRotate) {
  TAVO_OPEN_PARABEN();
  for (const bool cleared : {false, true}) {
    SCOPED_TRACE(cleared ? "cleared" : "kept");
    bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Name); });
    click("C1");
    bench->run([&] { bench->modeCommands().doubleClick(); });  // into Rotate: stashed
    if (cleared) bench->run([&] { workbench::setControl(*bench, "SelMemClear", "1"); });
    bench->run([&] { bench->modeCommands().doubleClick(); });  // out of Rotate
    EXPECT_EQ(selectedLabels(),
              cleared ? std::vector<std::string>{} : std::vector<std::string>{"C1"});
    EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
  }
}

TEST_F(WorkbenchScenario, InitBndsDetectsTheBondsAgainWithoutARedraw) {
  TAVO_OPEN_PARABEN();
  model::StructureModel& s = bench->state().structure;
  const int o1 = ref("O1").index;
  const std::size_t bonds = s.bonds.kinds[1].size();
  const auto bondedToO1 = [&] {
    return std::count_if(s.bonds.kinds[1].begin(), s.bonds.kinds[1].end(),
                         [&](const model::Bond& b) { return b.first == o1 || b.second == o1; });
  };
  ASSERT_GT(bondedToO1(), 0);
  s.view[1][static_cast<std::size_t>(o1)].x += 50;  // far from every atom, bonds not yet redone
  const int pictures = listener.pictures;
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "InitBnds", "1"); }));
  EXPECT_EQ(bondedToO1(), 0);
  EXPECT_LT(s.bonds.kinds[1].size(), bonds);
  EXPECT_EQ(listener.pictures, pictures) << "detection only";
}

TEST_F(WorkbenchScenario, CtrlClickInRotateOpensTheAtomOrTheModeMenu) {
  TAVO_OPEN_PARABEN();
  const editing::ScreenPoint atC2 = pixelOf(ref("C2"));
  click("C2", ctrl);
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"C2"});
  ASSERT_EQ(listener.popups.size(), 1u);
  EXPECT_EQ(listener.popups[0].menu, PopupMenu::Atom);
  EXPECT_EQ(listener.popups[0].at, atC2);

  click("O2", ctrl);  // one other atom selected: replaced
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"O2"});

  clickAt(emptyCorner, ctrl);
  ASSERT_EQ(listener.popups.size(), 3u);
  EXPECT_EQ(listener.popups[2].menu, PopupMenu::Mode);
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"O2"});

  clickAt(emptyCorner, ctrl, editing::Button::Right);
  ASSERT_EQ(listener.popups.size(), 4u);
  EXPECT_EQ(listener.popups[3].menu, PopupMenu::View);
}

TEST_F(WorkbenchScenario, NameModeTogglesFileEntriesAndIsRefusedWhenExpanded) {
  TAVO_OPEN_PARABEN();
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Name); });
  EXPECT_TRUE(bench->window().inputs.element);
  EXPECT_TRUE(bench->window().applyPanelVisible);
  click("C1");
  click("H2");
  click("C1");  // a second hit removes it
  clickAt(emptyCorner);
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"H2"});
  EXPECT_TRUE(dialogs.shown.empty());

  bench->run([&] {
    bench->viewCommands().setDisplayFlag(workbench::DisplayFlag::ExpandConnections, true);
  });
  EXPECT_TRUE(bench->selection().empty());
  ASSERT_EQ(dialogs.shown.size(), 1u);  // the units found
  dialogs.shown.clear();
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Name); });
  click("C1");
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{
                               "Name/Delete Permission Denied when Expanded To Avoid Confusion!!"});
  EXPECT_TRUE(bench->selection().empty());
}

TEST_F(WorkbenchScenario, DeleteModeRightClickPassesSelectedAtomsAndAltMissAppends) {
  TAVO_OPEN_PARABEN();
  bench->controls().peakThresholdTens = 1;  // peaks (below 1 e/A3) out of the way
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Delete); });
  EXPECT_EQ(bench->window().modeCaption, "Delete");
  click("C1");
  click("C1", {}, editing::Button::Right);  // skips the selected C1 and reaches nothing
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"C1"});

  // Alt with a click 0.5 A outwards of O1: a miss that appends the nearest candidate.
  const model::Vec3 o1 = bench->structure().viewOf(ref("O1"));
  const double outwards = 0.5 / std::hypot(o1.x, o1.y);
  const editing::ScreenPoint near{bench->viewState().toScreenX(o1.x * (1 + outwards)),
                                  bench->viewState().toScreenY(o1.y * (1 + outwards))};
  clickAt(near);
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"C1"}) << "a plain miss does nothing";
  clickAt(near, alt);
  EXPECT_EQ(selectedLabels(), (std::vector<std::string>{"C1", "O1"}));
}

TEST_F(WorkbenchScenario, DistanceModeKeepsTheLastTwoAtomsAndTheirDistance) {
  TAVO_OPEN_ALANINE_OR_SKIP();
  bench->run([&] { bench->viewCommands().setDistanceBondShown(true); });
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{"You should select the two atoms using \"Distance\"!"});
  EXPECT_FALSE(bench->distanceBondShown());

  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Distance); });
  EXPECT_EQ(bench->window().modeCaption, "Dsitance");
  click("C1");
  click("N1");
  EXPECT_EQ(selectedLabels(), (std::vector<std::string>{"C1", "N1"}));
  // C1-N1 from the cell (5.9279, 12.2597, 5.7939 A, orthorhombic) and the file's coordinates.
  const double dx = (0.647297 - 0.466188) * 5.9279;
  const double dy = (0.137425 - 0.161055) * 12.2597;
  const double dz = (0.182817 - 0.354871) * 5.7939;
  EXPECT_NEAR(bench->distanceMemory().distanceA, std::sqrt(dx * dx + dy * dy + dz * dz), 1e-4);

  click("C2");
  clickAt(emptyCorner);  // a miss keeps the pair in Distance
  EXPECT_EQ(selectedLabels(), (std::vector<std::string>{"N1", "C2"}));
  EXPECT_EQ(bench->distanceMemory().first, ref("N1"));
  EXPECT_EQ(bench->distanceMemory().second, ref("C2"));
  EXPECT_EQ(bench->structure().selected[1][static_cast<size_t>(ref("C1").index)], 0);

  dialogs.shown.clear();
  bench->run([&] { bench->viewCommands().setDistanceBondShown(true); });
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(bench->distanceBondShown());
}

TEST_F(WorkbenchScenario, DistanceModeMeasuresOurExampleInItsMonoclinicCell) {
  TAVO_OPEN_PARABEN();
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Distance); });
  click("O2");
  click("C7");
  EXPECT_EQ(selectedLabels(), (std::vector<std::string>{"O2", "C7"}));
  // The carbonyl C7=O2 from the cell (10.612, 5.904, 14.903 A, beta 107.18) and the file.
  const double dx = (0.876082 - 0.807658) * 10.612;
  const double dy = (0.009303 - -0.085816) * 5.904;
  const double dz = (0.734645 - 0.665433) * 14.903;
  const double cosBeta = std::cos(107.18 / view::degreesPerRadian);
  const double expected = std::sqrt(dx * dx + dy * dy + dz * dz + 2 * dx * dz * cosBeta);
  EXPECT_NEAR(bench->distanceMemory().distanceA, expected, 1e-4);
  EXPECT_NEAR(expected, 1.21, 0.02) << "a C=O double bond";
  click("C1");
  clickAt(emptyCorner);  // a miss keeps the pair
  EXPECT_EQ(bench->distanceMemory().first, ref("C7"));
  EXPECT_EQ(bench->distanceMemory().second, ref("C1"));
  bench->run([&] { bench->viewCommands().setDistanceBondShown(true); });
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
  EXPECT_TRUE(bench->distanceBondShown());
}

TEST_F(WorkbenchScenario, DistAngListsTheNeighboursOfAnAromaticCarbon) {
  TAVO_OPEN_PARABEN();
  bench->controls().peakThresholdUnits = 1;  // 1 e/A3: no peak among the neighbours
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::DistAng); });
  click("C1");  // bonded to C2, C6 and C7, all in the ring's plane
  const workbench::DistancesAnglesWindow& window = bench->distancesAngles();
  ASSERT_TRUE(window.visible);
  EXPECT_EQ(window.at, pixelOf(ref("C1")));
  const text::TextGrid& grid = window.grid;
  ASSERT_EQ(grid.rowCount(), 4) << "three pairs of three neighbours";
  double angles = 0;
  for (int r = 1; r < grid.rowCount(); ++r) {
    EXPECT_EQ(grid.cell(r, 2), "C1");
    EXPECT_GT(text::parseDouble(grid.cell(r, 1)), 1.3);
    EXPECT_LT(text::parseDouble(grid.cell(r, 1)), 1.5);
    angles += text::parseDouble(grid.cell(r, 5));
  }
  EXPECT_NEAR(angles, 360, 0.5) << "the three angles of a planar carbon";

  click("H2");  // an H atom has no neighbours of its own
  ASSERT_EQ(bench->distancesAngles().grid.rowCount(), 2);
  EXPECT_EQ(bench->distancesAngles().grid.row(1),
            (std::vector<std::string>{"Not", "Enough", "Bonds", "Here", "To", "Show!"}));
  clickAt(emptyCorner);
  EXPECT_TRUE(bench->selection().empty());
  EXPECT_FALSE(bench->distancesAngles().visible);
}

TEST_F(WorkbenchScenario, DistAngListsTheNeighboursOfThePickedAtom) {
  TAVO_OPEN_ALANINE_OR_SKIP();
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::DistAng); });
  EXPECT_EQ(bench->window().modeCaption, "Distance/Angles");
  click("C1");
  const workbench::DistancesAnglesWindow& window = bench->distancesAngles();
  ASSERT_TRUE(window.visible);
  EXPECT_EQ(window.at, pixelOf(ref("C1")));
  const text::TextGrid& grid = window.grid;
  EXPECT_EQ(grid.row(0),
            (std::vector<std::string>{"Atom1", "Dist.", "Atom2", "Dist.", "Atom3", "Angle"}));
  // N1, C2, C3, H4 and the peaks Q3, Q4, Q9 and Q11 (all above 0 e/A3): 28 pairs.
  ASSERT_EQ(grid.rowCount(), 29);
  EXPECT_EQ(grid.row(28),
            (std::vector<std::string>{"Pk.9", "0.811", "C1", "0.539", "Pk.11", "114.45"}));

  bench->controls().peakThresholdUnits = 1;  // 1 e/A3: the peaks drop out
  click("C1");
  // N1, C2, C3 and H4: six pairs around C1.
  ASSERT_EQ(grid.rowCount(), 7);
  bool sawN1 = false;
  for (int r = 1; r < grid.rowCount(); ++r) {
    EXPECT_EQ(grid.cell(r, 2), "C1");
    if (grid.cell(r, 0) == "N1") {
      sawN1 = true;
      EXPECT_EQ(grid.cell(r, 1), "1.493");
    }
    const double angle = text::parseDouble(grid.cell(r, 5));
    EXPECT_GT(angle, 100);
    EXPECT_LT(angle, 115);
  }
  EXPECT_TRUE(sawN1);

  click("H4");  // an H atom has no neighbours of its own
  ASSERT_EQ(bench->distancesAngles().grid.rowCount(), 2);
  EXPECT_EQ(bench->distancesAngles().grid.row(1),
            (std::vector<std::string>{"Not", "Enough", "Bonds", "Here", "To", "Show!"}));

  clickAt(emptyCorner);  // a miss with one atom clears it and hides the window
  EXPECT_TRUE(bench->selection().empty());
  EXPECT_FALSE(bench->distancesAngles().visible);
}

TEST_F(WorkbenchScenario, DfixPairsTwoAtomsAndAMissClears) {
  TAVO_OPEN_PARABEN();
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Dfix); });
  EXPECT_TRUE(bench->window().inputs.dfix);
  EXPECT_FALSE(bench->window().inputs.element);
  click("O1");
  click("O1");  // a hit on a selected atom changes nothing
  click("C3");
  EXPECT_EQ(selectedLabels(), (std::vector<std::string>{"O1", "C3"}));
  clickAt(emptyCorner);
  EXPECT_TRUE(bench->selection().empty());
  click("O2");
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"O2"});
}

TEST_F(WorkbenchScenario, RestraintModesShowTheirInputs) {
  TAVO_OPEN_PARABEN();
  const struct {
    MouseMode mode;
    bool distance, esds;
  } cases[] = {
      {MouseMode::Rigu, false, true},  {MouseMode::Simu, false, true},
      {MouseMode::Isor, false, true},  {MouseMode::Dang, true, true},
      {MouseMode::Eadp, false, false}, {MouseMode::Exyz, false, false},
  };
  for (const auto& c : cases) {
    bench->run([&] { bench->modeCommands().chooseMode(c.mode); });
    const workbench::ModeInputsVisibility& shown = bench->window().inputs;
    EXPECT_EQ(shown.dang, c.distance) << editing::menuCaption(c.mode);
    EXPECT_FALSE(shown.dfix) << "DFIX's esd is not DANG's";
    EXPECT_EQ(shown.esds, c.esds) << editing::menuCaption(c.mode);
  }
}

TEST_F(WorkbenchScenario, MemSelectSurvivesARestart) {
  TAVO_OPEN_PARABEN();
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::MemSelect); });
  EXPECT_EQ(bench->window().modeCaption, "MemSelect");
  click("C3");
  click("O1");
  click("H2");
  const std::vector<model::AtomRef> picked = bench->selection().picked;
  bench->run([&] { bench->modeCommands().apply(); });
  EXPECT_TRUE(bench->selection().empty());
  const std::string expected = "3\n1\t" + std::to_string(ref("C3").index) + "\n1\t" +
                               std::to_string(ref("O1").index) + "\n2\t" +
                               std::to_string(ref("H2").index) + "\n";
  EXPECT_EQ(work.read("selection_mem.txt"), expected);

  // A new run of the program opens the same file and restores the Selection.
  FakeDialogs restartDialogs;
  RecordingCanvas restartCanvas;
  auto restarted = makeBench(restartDialogs, restartCanvas);
  bench.reset();
  restarted->run([&] {
    restarted->fileCommands().open(work.path() / "paraben.res", workbench::OpenedFrom::CommandLine);
  });
  ASSERT_TRUE(restarted->hasStructure());
  restarted->run([&] { restarted->modeCommands().reSelect(); });
  EXPECT_EQ(restarted->selection().picked, picked);
  for (const model::AtomRef& r : picked) {
    EXPECT_EQ(
        restarted->structure().selected[static_cast<size_t>(r.kind)][static_cast<size_t>(r.index)],
        1);
  }
}

TEST_F(WorkbenchScenario, ApplyDoesNothingWithAnEmptySelection) {
  TAVO_OPEN_PARABEN();
  const auto units = [&] {
    std::vector<int> counts;
    for (int e = 1; e <= bench->structure().elementCount; ++e)
      counts.push_back(bench->structure().elements[e].unitCount);
    return counts;
  };
  ASSERT_EQ(units(), (std::vector<int>{36, 40, 12}));  // UNIT as read
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::MemSelect); });
  const size_t calls = canvas.calls.size();
  bench->run([&] { bench->modeCommands().apply(); });
  EXPECT_EQ(units(), (std::vector<int>{36, 40, 12}));
  EXPECT_FALSE(fs::exists(work.path() / "selection_mem.txt"));
  EXPECT_EQ(canvas.calls.size(), calls) << "no redraw";
  EXPECT_TRUE(dialogs.shown.empty());

  // With atoms picked, even a mode without an edit of its own recounts UNIT from the model: the
  // cell contents of P21/c, sof times four operators, C and H halves of the disorder included.
  for (int e = 1; e <= bench->structure().elementCount; ++e)
    bench->structure().elements[e].unitCount = 1;
  bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Distance); });
  click("C1");
  click("O2");
  bench->run([&] { bench->modeCommands().apply(); });
  EXPECT_EQ(units(), (std::vector<int>{36, 40, 12}));
}

TEST_F(WorkbenchScenario, ModeSwitchesClearTheSelectionExceptAdjustAndTheSameMode) {
  TAVO_OPEN_PARABEN();
  struct Case {
    MouseMode to;
    bool kept;
    const char* why;
  };
  const Case cases[] = {
      {MouseMode::Delete, false, "another mode clears"},
      {MouseMode::MoveGroupDefine, false, "MoveGrp clears once a structure is loaded"},
      {MouseMode::Adjust, true, "Adjust keeps the Selection"},
      {MouseMode::Name, true, "the mode in force: its flag is already on"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    bench->run([&] { bench->modeCommands().chooseMode(MouseMode::Name); });
    bench->run([&] { bench->modeCommands().clearSelection(); });
    click("C1");
    bench->run([&] { bench->modeCommands().chooseMode(c.to); });
    EXPECT_EQ(bench->window().modeCaption, editing::modeCaption(c.to));
    EXPECT_EQ(bench->selection().empty(), !c.kept);
    EXPECT_EQ(bench->structure().selected[1][static_cast<size_t>(ref("C1").index)], c.kept ? 1 : 0);
  }
}

}  // namespace
}  // namespace tavo::testing
