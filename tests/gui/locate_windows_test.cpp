// The locating window in the real program: the atom menu's Locate on the carbon drawn at the
// centre shows it with its lists; the vector controls follow "Locate with Vectors", a double
// click fills the checked centroid list, and Cancel hides the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

template <typename T>
T* child(const QObject& parent, const QString& objectName) {
  T* found = parent.findChild<T*>(objectName);
  EXPECT_NE(found, nullptr) << objectName.toStdString();
  return found;
}

TEST(LocateWindow, TheAtomMenuShowsItAndItsControlsDriveTheTool) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  QWidget* window = child<QWidget>(*gui.window, QStringLiteral("TForm28"));
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(window->isVisible());
  const QPoint centre(gui.paint().width() / 2, gui.paint().height() / 2);
  gui.click(centre, Qt::LeftButton, Qt::ControlModifier);
  QMenu* atomMenu = child<QMenu>(*gui.window, QStringLiteral("PopupMenu1"));
  ASSERT_NE(atomMenu, nullptr);
  QAction* locate = nullptr;
  for (QAction* action : atomMenu->actions()) {
    if (action->text() == QStringLiteral("Locate")) locate = action;
  }
  ASSERT_NE(locate, nullptr);
  atomMenu->hide();
  locate->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Locating an Atom, Atoms, or a Group"));

  auto* atoms = child<QTableView>(*window, "StringGrid1");
  auto* origin = child<QTableView>(*window, "StringGrid2");
  EXPECT_EQ(atoms->model()->rowCount(), 3);
  EXPECT_EQ(origin->model()->index(0, 0).data().toString(), QStringLiteral("C1"));
  auto* length = child<QLineEdit>(*window, "Edit2");
  EXPECT_FALSE(length->isEnabled());
  child<QCheckBox>(*window, "CheckBox6")->click();
  QApplication::processEvents();
  EXPECT_TRUE(length->isEnabled());
  child<QCheckBox>(*window, "CheckBox8")->click();
  emit atoms->doubleClicked(atoms->model()->index(1, 0));
  QApplication::processEvents();
  EXPECT_EQ(child<QTableView>(*window, "StringGrid3")->model()->index(0, 0).data().toString(),
            QStringLiteral("C2"));
  EXPECT_TRUE(gui.dialogs.shown.empty()) << gui.dialogs.shown.front();

  child<QPushButton>(*window, "Cancel")->click();
  QApplication::processEvents();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(gui.bench->modes().rotate);
}

}  // namespace
}  // namespace tavo::testing
