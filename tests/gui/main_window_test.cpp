// The main window's controls follow the Workbench, and its own panels behave.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>

#include "editing/selection_commands.h"
#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

using app::MenuCommand;

QAction* modeItem(const GuiHarness& gui, const char* objectName) {
  return gui.window->popupMenu(workbench::PopupMenu::Mode)
      ->findChild<QAction*>(QString::fromLatin1(objectName));
}

bool checked(const GuiHarness& gui, const char* box) {
  const auto* widget = gui.window->findChild<QCheckBox*>(QString::fromLatin1(box));
  EXPECT_NE(widget, nullptr) << box;
  return widget != nullptr && widget->isChecked();
}

TEST(MainWindow, StateControlsExistUnderTheirNamesWithTheirDefaults) {
  GuiHarness gui;
  struct Spin {
    const char* name;
    int minimum, maximum, value;
  };
  const Spin spins[] = {
      {"SpinEdit1", 0, 300, 100},     {"SpinEdit2", -360, 360, 0},   {"SpinEdit3", -360, 360, 0},
      {"SpinEdit4", -360, 360, 0},    {"SpinEdit8", -1000, 1000, 0}, {"SpinEdit9", -1000, 1000, 0},
      {"SpinEdit10", -1000, 1000, 0}, {"SpinEdit11", 1, 100, 20},    {"SpinEdit32", 1, 300, 100},
      {"SpinEdit26", 1, 50, 6},       {"SpinEdit22", 1, 16, 4},      {"SpinEdit23", 1, 9, 3},
      {"SpinEdit24", 0, 100, 0},
  };
  for (const Spin& spin : spins) {
    SCOPED_TRACE(spin.name);
    const auto* box = gui.window->findChild<QSpinBox*>(spin.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->minimum(), spin.minimum);
    EXPECT_EQ(box->maximum(), spin.maximum);
    EXPECT_EQ(box->value(), spin.value);
  }
  EXPECT_TRUE(checked(gui, "CheckBox1")) << "ShowLab on at start";
  EXPECT_TRUE(checked(gui, "CheckBox10")) << "Rotate on at start";
  EXPECT_FALSE(checked(gui, "CheckBox5"));
  EXPECT_FALSE(gui.window->controls().mouseOnGraphics->isVisible());
  EXPECT_FALSE(gui.window->controls().generalTreatments->isVisible());
  EXPECT_FALSE(gui.window->controls().thresholds->isVisible());
  EXPECT_TRUE(gui.window->controls().numericBar->isVisible());
  EXPECT_TRUE(gui.window->controls().mouseRotation->isVisible());
  EXPECT_EQ(gui.window->controls().mouseRotation->text(), "Mouse Rotation");
  EXPECT_FALSE(gui.paint().isEnabled()) << "the paint surface waits for a structure";
}

TEST(MainWindow, ModeMenuSwitchesModesAndTheCheckBoxesFollow) {
  GuiHarness gui;
  modeItem(gui, "Name1")->trigger();
  EXPECT_TRUE(checked(gui, "CheckBox5"));
  EXPECT_FALSE(checked(gui, "CheckBox10")) << "an editing mode turns Rotate off";
  EXPECT_TRUE(modeItem(gui, "Name1")->isChecked());
  EXPECT_FALSE(modeItem(gui, "Rotate1")->isChecked());
  EXPECT_EQ(gui.window->controls().modeCaption->text(), "Name");
  EXPECT_TRUE(gui.window->controls().modeCaption->isVisible());
  EXPECT_FALSE(gui.window->controls().mouseRotation->isVisible());

  modeItem(gui, "Distance1")->trigger();
  EXPECT_FALSE(checked(gui, "CheckBox5"));
  EXPECT_TRUE(checked(gui, "CheckBox8"));
  EXPECT_EQ(gui.window->controls().modeCaption->text(), "Dsitance");

  modeItem(gui, "Rotate1")->trigger();
  EXPECT_TRUE(checked(gui, "CheckBox10"));
  EXPECT_TRUE(gui.window->controls().mouseRotation->isVisible());
}

TEST(MainWindow, RestraintModesShowTheirFieldsAndStartWithoutEsds) {
  GuiHarness gui;
  const auto field = [&](const char* name) {
    return gui.window->findChild<QLineEdit*>(QString::fromLatin1(name));
  };
  QLineEdit* distance = field("Edit9");
  QLineEdit* esds = field("RestraintEsds");
  ASSERT_NE(esds, nullptr);
  modeItem(gui, "DANG1")->trigger();
  EXPECT_TRUE(distance->isVisible());
  EXPECT_FALSE(field("Edit10")->isVisible()) << "DFIX's esd is not written on DANG";
  EXPECT_TRUE(esds->isVisible());
  esds->setText(QStringLiteral("0.02"));
  emit esds->textEdited(esds->text());
  EXPECT_EQ(gui.bench->controls().restraintEsds, "0.02");

  modeItem(gui, "SIMU1")->trigger();
  EXPECT_FALSE(distance->isVisible());
  EXPECT_TRUE(esds->isVisible());
  EXPECT_EQ(esds->text(), "") << "DANG's esd is not SIMU's";
  modeItem(gui, "EXYZ1")->trigger();
  EXPECT_FALSE(esds->isVisible());
}

TEST(MainWindow, NumericalPositionsAndTrackingBarsExcludeEachOther) {
  GuiHarness gui;
  QAction* numbers = gui.window->action(MenuCommand::NumericalPositions);
  QAction* bars = gui.window->action(MenuCommand::TrackingBars);
  EXPECT_TRUE(numbers->isChecked());
  bars->trigger();
  EXPECT_TRUE(bars->isChecked());
  EXPECT_FALSE(numbers->isChecked());
  EXPECT_TRUE(gui.window->controls().trackBar->isVisible());
  EXPECT_FALSE(gui.window->controls().numericBar->isVisible());
  numbers->trigger();
  EXPECT_TRUE(numbers->isChecked());
  EXPECT_FALSE(bars->isChecked());
  EXPECT_FALSE(gui.window->controls().trackBar->isVisible());
  EXPECT_TRUE(gui.window->controls().numericBar->isVisible());
}

TEST(MainWindow, ViewTogglesMirrorTheirFlags) {
  GuiHarness gui;
  QAction* labels = gui.window->action(MenuCommand::ShowLabels);
  EXPECT_TRUE(labels->isChecked());
  labels->trigger();
  EXPECT_FALSE(labels->isChecked());
  EXPECT_FALSE(gui.bench->display().showLabels);
  EXPECT_FALSE(checked(gui, "CheckBox1"));
  QAction* expand = gui.window->action(MenuCommand::ExpandConnections);
  QAction* packing = gui.window->action(MenuCommand::PackingView);
  packing->trigger();
  expand->trigger();
  EXPECT_TRUE(expand->isChecked());
  EXPECT_FALSE(packing->isChecked()) << "Expand Connections turns Packing View off";
}

TEST(MainWindow, ThresholdsPanelSitsInTheBottomRightCornerAndToggles) {
  GuiHarness gui;
  const QFrame* panel = gui.window->controls().thresholds;
  gui.window->action(MenuCommand::Thresholds)->trigger();
  ASSERT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->x(), gui.paint().width() - panel->width());
  EXPECT_EQ(panel->y(), gui.paint().height() - panel->height());
  gui.window->action(MenuCommand::Thresholds)->trigger();
  EXPECT_FALSE(panel->isVisible());
}

TEST(MainWindow, ThresholdSpinEditsReachTheWorkbenchAndEdit8ShowsTheThreshold) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  const auto spin = [&](const char* name) {
    auto* box = gui.window->findChild<QSpinBox*>(QString::fromLatin1(name));
    EXPECT_NE(box, nullptr) << name;
    return box;
  };
  const auto* edit8 = gui.window->findChild<QLineEdit*>(QStringLiteral("Edit8"));
  ASSERT_NE(edit8, nullptr);
  EXPECT_EQ(edit8->text(), "0.0");
  EXPECT_TRUE(edit8->isReadOnly());
  spin("SpinEdit27")->setValue(2);
  spin("SpinEdit29")->setValue(5);
  EXPECT_EQ(edit8->text(), "2.05");
  EXPECT_EQ(gui.bench->controls().peakThreshold(), 2.05);

  ASSERT_EQ(gui.bench->structure().bonds.count(1), 2);
  spin("SpinEdit5")->setValue(5);  // 0.5·(0.77 + 0.77) < 1.4 Å: the bonds go
  EXPECT_EQ(gui.bench->structure().bonds.count(1), 0);
  spin("SpinEdit7")->setValue(3);
  EXPECT_EQ(gui.bench->controls().peakBondThreshold, 3);
  spin("SpinEdit26")->setValue(20);
  EXPECT_EQ(gui.bench->controls().labelSize, 20);
}

TEST(MainWindow, TrackBarsForwardToTheWorkbenchWithTheirOwnRanges) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  gui.window->action(MenuCommand::TrackingBars)->trigger();
  const auto bar = [&](const char* name) {
    auto* slider = gui.window->findChild<QSlider*>(QString::fromLatin1(name));
    EXPECT_NE(slider, nullptr) << name;
    return slider;
  };
  struct Range {
    const char* name;
    int minimum, maximum, value;
  };
  const Range ranges[] = {
      {"TrackBar1", -180, 180, 0}, {"TrackBar2", -180, 180, 0}, {"TrackBar3", -180, 180, 0},
      {"TrackBar4", -200, 200, 0}, {"TrackBar5", -200, 200, 0}, {"TrackBar6", -200, 200, 0},
      {"TrackBar7", 0, 200, 100},  {"TrackBar8", 1, 100, 10},
  };
  for (const Range& r : ranges) {
    SCOPED_TRACE(r.name);
    QSlider* slider = bar(r.name);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->minimum(), r.minimum);
    EXPECT_EQ(slider->maximum(), r.maximum);
    EXPECT_EQ(slider->value(), r.value);
  }
  QSlider* shiftX = bar("TrackBar4");
  EXPECT_TRUE(shiftX->isEnabled());
  const double x0 = gui.bench->structure().viewOf({model::AtomKind::Atom, 1}).x;
  shiftX->setValue(10);
  EXPECT_EQ(gui.bench->controls().shiftTrackX, 10);
  EXPECT_NEAR(gui.bench->structure().viewOf({model::AtomKind::Atom, 1}).x - x0,
              gui.bench->viewState().extent / 10, 1e-9);

  auto* zoom = gui.window->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"));
  bar("TrackBar7")->setValue(120);
  EXPECT_EQ(zoom->value(), 120) << "the spin edit mirrors the track bar";
  zoom->setValue(250);
  EXPECT_EQ(bar("TrackBar7")->value(), 200) << "the track bar ends at 200";
  EXPECT_EQ(gui.bench->controls().zoom, 250) << "showing it there does not zoom back";
  bar("TrackBar8")->setValue(40);
  EXPECT_EQ(gui.window->findChild<QSpinBox*>(QStringLiteral("SpinEdit11"))->value(), 40);
}

TEST(MainWindow, MaintenanceViewOpensOnlyForTheAccessName) {
  GuiHarness gui;
  const QGroupBox* modes = gui.window->controls().mouseOnGraphics;
  const QGroupBox* general = gui.window->controls().generalTreatments;
  gui.dialogs.nextFile = gui.folder.path() / "QuietMeadows2093";
  gui.window->action(MenuCommand::MaintenanceOnly)->trigger();
  EXPECT_FALSE(modes->isVisible()) << "a near miss changes nothing";
  gui.dialogs.nextFile.reset();
  gui.window->action(MenuCommand::MaintenanceOnly)->trigger();
  EXPECT_FALSE(modes->isVisible()) << "a cancelled dialog changes nothing";

  gui.dialogs.nextFile = gui.folder.path() / "QuietMeadows2093#";
  gui.window->action(MenuCommand::MaintenanceOnly)->trigger();
  ASSERT_TRUE(modes->isVisible());
  ASSERT_TRUE(general->isVisible());
  EXPECT_EQ(modes->pos(), QPoint(5, 5));
  EXPECT_EQ(general->pos(), QPoint(modes->width() + 10, 5));
  gui.window->action(MenuCommand::MaintenanceOnly)->trigger();
  EXPECT_FALSE(modes->isVisible());
  EXPECT_FALSE(general->isVisible());
}

TEST(MainWindow, OpenShowsTheCaptionAndAPicture) {
  GuiHarness gui;
  const std::filesystem::path file = gui.open("three.ins", threeCarbons);
  ASSERT_TRUE(gui.dialogs.shown.empty()) << gui.dialogs.shown.front();
  EXPECT_EQ(gui.window->windowTitle().toStdString(), "Tavo2025d X-ray/DFT/etc: " + file.string());
  EXPECT_TRUE(gui.paint().isEnabled());
  const QImage shown = gui.paint().grab().toImage();
  QSet<QRgb> colours;
  for (int y = 0; y < shown.height(); y += 3) {
    for (int x = 0; x < shown.width(); x += 3)
      colours.insert(shown.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 2) << "the grabbed picture is not blank";
}

TEST(MainWindow, ClickOnAnAtomsPixelSelectsIt) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  ASSERT_EQ(gui.bench->structure().nonHCount, 3);
  modeItem(gui, "Name1")->trigger();
  const QPoint centre(gui.paint().width() / 2, gui.paint().height() / 2);
  gui.click(centre + QPoint(0, gui.paint().height()));  // far off: a miss
  EXPECT_EQ(gui.bench->selection().count(), 0);
  gui.click(centre);
  ASSERT_EQ(gui.bench->selection().count(), 1);
  EXPECT_EQ(gui.bench->selection().picked[0], (model::AtomRef{model::AtomKind::Atom, 1}));
  gui.click(centre);
  EXPECT_EQ(gui.bench->selection().count(), 0) << "a second click toggles it off";
}

TEST(MainWindow, ShowDistancesListsTheBondsBesideThePictureAndFollowsDetection) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  gui.window->action(MenuCommand::ShowDistances)->trigger();
  auto* list = gui.window->findChild<QWidget*>(QStringLiteral("TForm12"));
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->isVisible());
  gui.expectBesideThePicture(*list);
  auto* table = list->findChild<QTableView*>(QStringLiteral("StringGrid1"));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->model()->rowCount(), 2) << "C1-C2 and C1-C3 at 1.4 Å, no heading row";
  EXPECT_EQ(table->model()->index(0, 3).data().toString(), "1.4");
  QStringList headings;
  for (int column = 0; column < table->model()->columnCount(); ++column)
    headings << table->model()->headerData(column, Qt::Horizontal).toString();
  EXPECT_EQ(headings, (QStringList{"No.", "Atom 1", "Atom 2", "Distance", "Radius sum"}))
      << "what each column holds, not its number";

  gui.bench->run([&] {
    gui.bench->viewCommands().setBondThreshold(20);
  });  // twice the radius sum: C2-C3 at 2.8 Å bonds as well
  EXPECT_EQ(table->model()->rowCount(), 3);

  list->close();
  gui.window->action(MenuCommand::ShowDistances)->trigger();
  EXPECT_TRUE(list->isVisible()) << "shown again after the user closed it";
}

TEST(MainWindow, ToolWindowsOpenBesideTheMainWindowWhereTheScreenHasRoom) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  const QRect room = gui.window->screen()->availableGeometry();
  gui.window->setGeometry(room.left(), room.top() + 40, 300, 400);
  QApplication::processEvents();
  gui.window->action(MenuCommand::ShowDistances)->trigger();
  gui.window->action(MenuCommand::ListFiles)->trigger();
  QApplication::processEvents();
  const QPoint pictureTop = gui.paint().mapToGlobal(QPoint(0, 0));
  for (const char* name : {"TForm12", "TForm13"}) {
    SCOPED_TRACE(name);
    auto* tool = gui.window->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(tool->isVisible());
    EXPECT_GT(tool->frameGeometry().left(), gui.window->frameGeometry().right());
    EXPECT_EQ(tool->frameGeometry().top(), pictureTop.y());
    gui.expectBesideThePicture(*tool);
  }
}

TEST(MainWindow, InitBndsSelMemClearAndDispBondRunTheirControls) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  auto* initBonds = gui.window->findChild<QPushButton*>(QStringLiteral("InitBnds"));
  auto* clearMemory = gui.window->findChild<QPushButton*>(QStringLiteral("SelMemClear"));
  auto* distanceBond = gui.window->findChild<QCheckBox*>(QStringLiteral("DispBond"));
  ASSERT_NE(initBonds, nullptr);
  ASSERT_NE(clearMemory, nullptr);
  ASSERT_NE(distanceBond, nullptr);

  // C2 moved away without a detection: the button finds its bond gone.
  model::StructureModel& s = gui.bench->state().structure;
  ASSERT_EQ(s.bonds.count(1), 2);
  s.view[1][2].x += 50;
  initBonds->click();
  EXPECT_EQ(s.bonds.count(1), 1);

  // Before two atoms are picked in "Distance" the option is refused and unchecked again.
  distanceBond->click();
  EXPECT_EQ(gui.dialogs.shown,
            std::vector<std::string>{"You should select the two atoms using \"Distance\"!"});
  EXPECT_FALSE(distanceBond->isChecked());

  // A Selection kept across Rotate is forgotten.
  gui.bench->run([&] { gui.bench->modeCommands().chooseMode(editing::MouseMode::Name); });
  gui.bench->state().selection.append(s, {model::AtomKind::Atom, 1});
  gui.bench->run([&] { gui.bench->modeCommands().doubleClick(); });
  ASSERT_TRUE(editing::holdsStash(s.workingGrid));
  clearMemory->click();
  EXPECT_FALSE(editing::holdsStash(s.workingGrid));
}

}  // namespace
}  // namespace tavo::testing
