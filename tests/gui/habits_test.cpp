// The desktop habits of the real main window under the offscreen platform: the wheel over the
// picture, the Recent Files submenu, files dropped onto the window, the message panel, the status
// line, the window's place and the PART Components window.
#include <QDockWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QUrl>
#include <QWheelEvent>

#include "app/qt_dialogs.h"
#include "app/qt_text.h"
#include "app/windows/auxiliary_window.h"
#include "app/windows/window_set.h"
#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

/// A ring of six carbons (and a PART 1 methyl group) that the first view looks onto.
constexpr std::string_view ringWithPart = R"(TITL ring
CELL 0.71073 10.0 10.0 10.0 90 90 90
ZERR 4 0.001 0.001 0.001 0 0 0
LATT 1
SFAC C H
UNIT 14 4
L.S. 4
WGHT 0.1
FVAR 1.00000
C1    1    0.64000    0.50000    0.50000    11.00000    0.05000
C2    1    0.57000    0.62000    0.50000    11.00000    0.05000
C3    1    0.43000    0.62000    0.50000    11.00000    0.05000
C4    1    0.36000    0.50000    0.50000    11.00000    0.05000
C5    1    0.43000    0.38000    0.50000    11.00000    0.05000
C6    1    0.57000    0.38000    0.50000    11.00000    0.05000
PART 1
C7    1    0.79000    0.50000    0.50000    11.00000    0.05000
PART 0
HKLF 4
END
REM R1 = 0.0500 for 100 Fo > 4sig(Fo) and 0.0600 for all 120 data
)";

void turnWheel(QWidget& widget, QPoint at, int delta) {
  QWheelEvent wheel(QPointF(at), QPointF(widget.mapToGlobal(at)), QPoint(), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &wheel);
}

TEST(Habits, TheWheelOverThePictureZoomsAndTheSpinBoxFollows) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  turnWheel(gui.paint(), QPoint(100, 100), 240);
  QApplication::processEvents();
  EXPECT_EQ(gui.bench->viewState().zoom, 108);
  EXPECT_EQ(gui.window->controls().zoom->value(), 108);
}

TEST(Habits, RecentFilesSubmenuListsWhatWasOpenedAndOpensIt) {
  GuiHarness gui;
  QMenu* recent = gui.window->recentFilesMenu();
  ASSERT_NE(recent, nullptr);
  emit recent->aboutToShow();
  ASSERT_EQ(recent->actions().size(), 1);
  EXPECT_FALSE(recent->actions().front()->isEnabled()) << "nothing opened yet";

  const std::filesystem::path first = gui.folder.write("first.ins", threeCarbons);
  const std::filesystem::path second = gui.open("second.res", ringWithPart);
  gui.bench->run([&] { gui.bench->desktop().openRecent(first); });
  emit recent->aboutToShow();
  QStringList texts;
  for (const QAction* item : recent->actions())
    texts << item->text();
  EXPECT_EQ(texts, (QStringList{QStringLiteral("&1 ") + app::toQString(first.string()),
                                QStringLiteral("&2 ") + app::toQString(second.string())}));
  recent->actions().at(1)->trigger();
  EXPECT_EQ(gui.bench->structure().currentFile, second.string());
}

TEST(Habits, AFileDroppedOntoTheWindowIsOpenedAndTheStatusLineSumsItUp) {
  GuiHarness gui;
  const std::filesystem::path file = gui.folder.write("dropped.res", ringWithPart);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(app::toQString(file.string()))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(gui.window.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(gui.window.get(), &drop);
  QApplication::processEvents();
  EXPECT_EQ(gui.bench->structure().currentFile, file.string());
  EXPECT_EQ(gui.window->statusBar()->currentMessage(), QStringLiteral("dropped.res: R1 = 0.0500"));

  QMimeData text;
  text.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/notes.txt"))});
  QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(gui.window.get(), &refused);
  EXPECT_FALSE(refused.isAccepted()) << "nothing Tavo takes";
}

TEST(Habits, RoutineInformationGoesToTheMessagePanelNotABox) {
  GuiHarness gui;
  app::QtDialogs dialogs(gui.window.get());
  dialogs.setMessagePanel(gui.window->messageLog());
  QDockWidget* panel = gui.window->messagePanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->isVisible());
  dialogs.inform("3 units connected");
  dialogs.inform("A new cif file written into a file: x_tavo.cif");
  EXPECT_TRUE(panel->isVisible()) << "the panel shows itself";
  EXPECT_EQ(gui.window->messageLog()->toPlainText(),
            QStringLiteral("3 units connected\nA new cif file written into a file: x_tavo.cif"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  gui.window->action(app::MenuCommand::Messages)->trigger();
  EXPECT_FALSE(panel->isVisible()) << "View > Messages hides it again";
}

TEST(Habits, TheWindowsPlaceIsKeptAtCloseAndRestoredNextTime) {
  GuiHarness gui;
  EXPECT_FALSE(gui.window->restorePlacement());
  gui.window->setGeometry(60, 70, 800, 600);
  gui.window->keepPlacement();
  const std::optional<workbench::WindowPlacement> kept = gui.bench->desktop().savedPlacement();
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->width, 800);
  EXPECT_EQ(kept->height, 600);
  gui.window->resize(500, 400);
  ASSERT_TRUE(gui.window->restorePlacement());
  EXPECT_EQ(gui.window->size(), QSize(800, 600));
}

TEST(Habits, ThePartWindowHidesAPartByADoubleClick) {
  GuiHarness gui;
  gui.open("ring.ins", ringWithPart);
  gui.window->action(app::MenuCommand::PartComponents)->trigger();
  QApplication::processEvents();
  app::AuxiliaryWindow* parts = gui.window->windows().find(QStringLiteral("Parts"));
  ASSERT_NE(parts, nullptr);
  EXPECT_TRUE(parts->isVisible());
  auto* table = parts->findChild<QTableView*>(QStringLiteral("PartGrid"));
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->model()->rowCount(), 1);
  emit table->doubleClicked(table->model()->index(0, 0));
  QApplication::processEvents();
  EXPECT_TRUE(gui.bench->partCommands().display().hides(1));
  EXPECT_EQ(table->model()->index(0, 3).data().toString(), QStringLiteral("no"));
}

}  // namespace
}  // namespace tavo::testing
