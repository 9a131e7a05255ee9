// The Preferences windows, the working grids (F10) and the keyboard in the main window: each
// window is reached from its menu item, shows the Workbench's values and changes them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include <fstream>
#include <sstream>

#include "app/windows/auxiliary_window.h"
#include "gui/gui_harness.h"
#include "model/element_definitions.h"
#include "support/temp_folder.h"
#include "workbench/preference_commands.h"
#include "workbench/working_grids_panel.h"

namespace tavo::testing {
namespace {

using app::MenuCommand;
using model::ElementDefinitions;

template <typename T>
T* child(const QWidget& parent, const char* objectName) {
  T* found = parent.findChild<T*>(QString::fromLatin1(objectName));
  EXPECT_NE(found, nullptr) << objectName;
  return found;
}

QWidget* window(const GuiHarness& gui, const char* objectName) {
  return child<QWidget>(*gui.window, objectName);
}

void trigger(const GuiHarness& gui, MenuCommand command) {
  gui.window->action(command)->trigger();
  QApplication::processEvents();
}

void pressEscape(QWidget* target) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QApplication::processEvents();
}

/// Whether the picture holds a pixel of colour `rgb` (red in the high byte, as QColor::rgb).
bool pictureHolds(const GuiHarness& gui, QRgb rgb) {
  const QImage shown = gui.paint().grab().toImage();
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if ((shown.pixel(x, y) & 0xffffff) == (rgb & 0xffffff)) return true;
    }
  }
  return false;
}

TEST(PreferenceWindows, MenuItemsShowTheWindowsAndEscClosesEveryAuxiliaryWindow) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  struct Case {
    MenuCommand command;
    const char* objectName;
    const char* focusChild;  // a widget inside the window that holds the focus, or null
  };
  const Case cases[] = {
      {MenuCommand::EllipseParams, "TForm15", "SpinEdit1"},
      {MenuCommand::DefinitionOfElements, "TForm17", "Edit1"},
      {MenuCommand::CustomizeGraphics, "TForm18", "SpinEdit9"},
      {MenuCommand::AboutTavo, "TForm19", nullptr},
      {MenuCommand::ShelxlInformation, "TForm20", nullptr},
      {MenuCommand::HelpGraphicTreatment, "TForm32", nullptr},
      {MenuCommand::HelpShelxlRefinement, "TForm33", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.objectName);
    EXPECT_TRUE(gui.window->action(c.command)->isEnabled());
    trigger(gui, c.command);
    QWidget* shown = window(gui, c.objectName);
    ASSERT_TRUE(shown->isVisible());
    QWidget* target = c.focusChild != nullptr ? child<QWidget>(*shown, c.focusChild)
                                              : shown->findChild<QWidget*>();
    ASSERT_NE(target, nullptr);
    pressEscape(target);
    EXPECT_FALSE(shown->isVisible());
  }
  // The windows with a state in the Workbench learnt that they were closed, and open again.
  EXPECT_FALSE(gui.bench->preferences().ellipseWindow().visible);
  EXPECT_FALSE(gui.bench->preferences().elementWindowVisible());
  EXPECT_FALSE(gui.bench->preferences().graphicsWindowVisible());
  trigger(gui, MenuCommand::CustomizeGraphics);
  EXPECT_TRUE(window(gui, "TForm18")->isVisible());
}

TEST(PreferenceWindows, ElementDefinitionsEditTheTableTheStructureAndElemsInf) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  ASSERT_EQ(gui.bench->structure().bonds.count(1), 2);
  trigger(gui, MenuCommand::DefinitionOfElements);
  QWidget* elements = window(gui, "TForm17");
  ASSERT_TRUE(elements->isVisible());
  EXPECT_EQ(elements->windowTitle(), "Detailed Definition of Elements");
  gui.expectBesideThePicture(*elements);

  auto* table = child<QTableView>(*elements, "StringGrid1");
  const ElementDefinitions& definitions = gui.bench->preferences().elementDefinitions();
  ASSERT_EQ(table->model()->rowCount(), definitions.definitionCount());
  EXPECT_EQ(table->model()->headerData(5, Qt::Horizontal).toString(), "Color Code");
  const int row = definitions.findRow("C").value_or(0);
  ASSERT_GT(row, 0);
  const auto clickCell = [&](int column) {
    emit table->clicked(table->model()->index(row - 1, column));
    QApplication::processEvents();
  };

  auto* edit = child<QLineEdit>(*elements, "Edit1");
  clickCell(ElementDefinitions::Radius);
  EXPECT_EQ(edit->text().toStdString(), definitions.table().cell(row, ElementDefinitions::Radius));
  edit->setText(QStringLiteral("0.2"));
  emit edit->textEdited(edit->text());
  child<QPushButton>(*elements, "ApplyButton")->click();
  const int carbon = 1;
  EXPECT_DOUBLE_EQ(gui.bench->structure().elements[carbon].radius, 0.2);
  EXPECT_EQ(gui.bench->structure().bonds.count(1), 0) << "the bonds were detected again";
  EXPECT_EQ(table->model()->index(row - 1, ElementDefinitions::Radius).data().toString(), "0.2");

  // The colour column asks the (fake) colour dialog; the balls are drawn in the new colour.
  gui.dialogs.nextColor = 0x00ff00;  // green
  clickCell(ElementDefinitions::ColorCode);
  EXPECT_EQ(edit->text(), "65280");
  EXPECT_TRUE(pictureHolds(gui, qRgb(0, 255, 0)));

  child<QPushButton>(*elements, "AddButton")->click();
  EXPECT_EQ(table->model()->rowCount(), definitions.definitionCount());
  child<QAction>(*elements, "SaveSettings1")->trigger();
  const std::string saved = readFileBytes(gui.folder.path() / "elems.inf");
  EXPECT_NE(saved.find("\t0.2\t65280\r\n"), std::string::npos);
  const std::string added = "\r\nNewElm1\tNewElm2\tNewElm3\t200\t1.2\t0\r\n";
  EXPECT_EQ(saved.substr(saved.size() - added.size()), added);

  child<QAction>(*elements, "Exit1")->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(elements->isVisible());
  EXPECT_FALSE(gui.bench->preferences().elementWindowVisible());
  EXPECT_TRUE(gui.dialogs.shown.empty()) << gui.dialogs.shown.front();
}

TEST(PreferenceWindows, GraphicsSettingsShowTheValuesAndChangesReachThePictureAndTheFile) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  trigger(gui, MenuCommand::CustomizeGraphics);
  QWidget* graphics = window(gui, "TForm18");
  ASSERT_TRUE(graphics->isVisible());
  EXPECT_EQ(graphics->windowTitle(), "Graphics Colors and Other Settings");
  EXPECT_LE(graphics->height(), gui.window->height());
  const view::GraphicsSettings& settings = gui.bench->preferences().graphicsSettings();
  EXPECT_EQ(child<QLineEdit>(*graphics, "Edit1")->text(),
            QString::number(settings.backgroundColor));
  EXPECT_EQ(child<QLineEdit>(*graphics, "graphicsinf")->text(), "graphics1.inf");

  auto* separation = child<QSpinBox>(*graphics, "SpinEdit8");
  EXPECT_EQ(separation->minimum(), 100);
  EXPECT_EQ(separation->maximum(), 400);
  EXPECT_EQ(separation->value(), 280);
  separation->setValue(300);
  EXPECT_EQ(settings.stereoSeparation, 300);
  EXPECT_EQ(gui.bench->window().stereoPanes.left.width, 300);

  // A click on a colour edit asks for the colour; the background is painted with it, in the
  // picture, the edit and the side panels.
  gui.dialogs.nextColor = 0x402010;  // red 0x10, green 0x20, blue 0x40
  auto* background = child<QLineEdit>(*graphics, "Edit1");
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), background->mapToGlobal(QPoint(3, 3)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(background, &press);
  QApplication::processEvents();
  EXPECT_EQ(settings.backgroundColor, 0x402010);
  EXPECT_EQ(background->text(), QString::number(0x402010));
  EXPECT_TRUE(background->styleSheet().contains(QStringLiteral("#102040")));
  const QImage shown = gui.paint().grab().toImage();
  EXPECT_EQ(shown.pixel(2, shown.height() / 2) & 0xffffff, qRgb(0x10, 0x20, 0x40) & 0xffffff);
  EXPECT_EQ(gui.window->controls().thresholds->palette().color(QPalette::Window),
            QColor(0x10, 0x20, 0x40));

  // SpinButton1 of the main window steps the bond width; the window follows.
  child<QAbstractButton>(*gui.window, "SpinButton1Up")->click();
  EXPECT_EQ(settings.nonHBondWidth, 3);
  EXPECT_EQ(child<QSpinBox>(*graphics, "SpinEdit1")->value(), 3);

  gui.dialogs.nextFile = gui.folder.path() / "mine.inf";
  child<QAction>(*graphics, "SaveSettings1")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(child<QLineEdit>(*graphics, "graphicsinf")->text(), "mine.inf");
  const std::string saved = readFileBytes(gui.folder.path() / "mine.inf");
  EXPECT_EQ(saved.substr(0, saved.find('\n')), std::to_string(0x402010));
  EXPECT_TRUE(gui.dialogs.shown.empty()) << gui.dialogs.shown.front();
}

TEST(PreferenceWindows, EllipseParamsAndTheComponentPairReachThePicture) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  trigger(gui, MenuCommand::EllipseParams);
  QWidget* params = window(gui, "TForm15");
  ASSERT_TRUE(params->isVisible());
  const QPoint centre = gui.window->frameGeometry().center();
  EXPECT_LE((params->frameGeometry().center() - centre).manhattanLength(), 6)
      << "centred over the main window";
  auto* factor = child<QSpinBox>(*params, "SpinEdit1");
  EXPECT_EQ(factor->value(), 25);
  EXPECT_EQ(factor->maximum(), 100);
  factor->setValue(60);
  EXPECT_EQ(gui.bench->preferences().ellipseWindow().sizeFactor, 60);

  auto* pair = child<QSpinBox>(*gui.window, "SpinEdit25");
  EXPECT_FALSE(pair->isVisible()) << "shown with the ellipse picture";
  trigger(gui, MenuCommand::Ellipse);
  EXPECT_TRUE(pair->isVisible());
  EXPECT_EQ(pair->maximum(), 3);
  pair->setValue(3);
  EXPECT_EQ(gui.bench->preferences().ellipseWindow().pair, 3);
}

TEST(WorkingGrids, F10ShowsTheDuplicateLabelsAndTheInstructionWordsAndHidesThemAgain) {
  GuiHarness gui;
  std::string twoC1(threeCarbons);
  twoC1.replace(twoC1.find("C2 "), 3, "C1 ");
  gui.open("dup.ins", twoC1);
  ASSERT_EQ(gui.dialogs.shown,
            std::vector<std::string>{"1 duplicated atom labels exist!  Check them by F10!"});
  QAction* item = gui.window->action(MenuCommand::ShowWorkingGrids);
  EXPECT_EQ(item->text(), "Show the Working Grids for Renumbering");
  EXPECT_EQ(item->shortcut(), QKeySequence(QStringLiteral("F10")));
  auto* grids = child<QFrame>(*gui.window, "WorkingGrids");
  EXPECT_FALSE(grids->isVisible());

  trigger(gui, MenuCommand::ShowWorkingGrids);
  EXPECT_TRUE(grids->isVisible());
  EXPECT_EQ(item->text(), "Hide the Working Grids");
  const QAbstractItemModel* working = child<QTableView>(*grids, "WorkingGrid")->model();
  EXPECT_EQ(working->index(1, 0).data().toString(), "C1");
  EXPECT_EQ(working->index(1, 1).data().toString(), "Duplicated");
  const QAbstractItemModel* words = child<QTableView>(*grids, "InstructionGrid")->model();
  EXPECT_EQ(words->rowCount(), gui.bench->structure().lineCount());
  EXPECT_EQ(words->index(1, 1).data().toString(), "CELL");
  EXPECT_EQ(words->index(1, 2).data().toString(), "0.71073");
  const QRect numbers = gui.window->controls().numericBar->geometry();
  EXPECT_LE(grids->geometry().bottom(), numbers.top()) << "above the bottom controls";

  trigger(gui, MenuCommand::ShowWorkingGrids);
  EXPECT_FALSE(grids->isVisible());
  EXPECT_EQ(item->text(), "Show the Working Grids");
}

TEST(Keyboard, AClickIntoThePictureTakesTheFocusFromTheZoomBox) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  QSpinBox* zoom = gui.window->controls().zoom;
  zoom->setFocus();
  ASSERT_EQ(gui.window->focusWidget(), zoom);
  gui.click(QPoint(gui.paint().width() / 2, gui.paint().height() / 2));
  EXPECT_EQ(gui.window->focusWidget(), &gui.paint())
      << "menu keys such as Ctrl+A then reach the menu, not the text box";
}

TEST(SelectionCount, IsWrittenLeftOfTheModeCaptionPanel) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  gui.window->popupMenu(workbench::PopupMenu::Mode)
      ->findChild<QAction*>(QStringLiteral("Name1"))
      ->trigger();
  gui.click(QPoint(gui.paint().width() / 2, gui.paint().height() / 2));
  ASSERT_EQ(gui.bench->selection().count(), 1);
  const QLabel* caption = gui.window->controls().modeCaption;
  ASSERT_TRUE(caption->isVisible());
  // The paint surface starts at the surface's origin; the caption lies over its top edge.
  const QImage shown = gui.paint().grab().toImage();
  const QRgb background = shown.pixel(shown.width() / 2, 2);
  int left = shown.width();
  int right = -1;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.pixel(x, y) == background) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  ASSERT_GE(right, 0) << "the count is drawn";
  EXPECT_LT(right, caption->x()) << "and not under the caption panel";
  EXPECT_GT(left, shown.width() / 2) << "in the top-right part of the picture";
}

}  // namespace
}  // namespace tavo::testing
