// The plane window in the real program: the View menu shows it with the atoms in Å; its buttons
// calculate a plane from the Selection and add planes, File > Save writes the report, and
// closing it hides the window model.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "gui/gui_harness.h"
#include "model/file_lines.h"

namespace tavo::testing {
namespace {

/// Four carbons in the plane z = 0.5 of a 10 Å cube and one 1 Å above it.
constexpr std::string_view square = R"(TITL square
CELL 0.71073 10.0 10.0 10.0 90 90 90
ZERR 4 0.001 0.001 0.001 0 0 0
LATT 1
SFAC C H
UNIT 20 4
L.S. 4
FMAP 2
PLAN 5
WGHT 0.1
FVAR 1.00000
C1    1    0.40000    0.40000    0.50000    11.00000    0.05000
C2    1    0.55000    0.40000    0.50000    11.00000    0.05000
C3    1    0.55000    0.55000    0.50000    11.00000    0.05000
C4    1    0.40000    0.55000    0.50000    11.00000    0.05000
C5    1    0.47000    0.47000    0.60000    11.00000    0.05000
HKLF 4
END
)";

template <typename T>
T* child(const QWidget& parent, const QString& objectName) {
  T* found = parent.findChild<T*>(objectName);
  EXPECT_NE(found, nullptr) << objectName.toStdString();
  return found;
}

QString cell(const QWidget& window, const char* grid, int row, int column) {
  const QTableWidgetItem* item =
      child<QTableWidget>(window, QString::fromLatin1(grid))->item(row, column);
  return item == nullptr ? QString() : item->text();
}

TEST(PlaneWindow, ShownFromTheViewMenuCalculatesAddsPlanesAndSaves) {
  GuiHarness gui;
  gui.open("square.ins", square);
  QWidget* window = child<QWidget>(*gui.window, QStringLiteral("TForm37"));
  ASSERT_NE(window, nullptr);
  gui.window->action(workbench::CommandId::ShowPlaneCalc)->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Plane Calculation Control Window (since 2023)"));
  EXPECT_EQ(child<QTableWidget>(*window, "StringGrid1")->rowCount(), 6);
  EXPECT_EQ(cell(*window, "StringGrid1", 5, 0), QStringLiteral("C5"));
  EXPECT_EQ(cell(*window, "StringGrid1", 5, 3), QStringLiteral("6"));  // z = 0.6 of 10 Å

  workbench::WorkbenchState& state = gui.bench->state();
  for (int i = 1; i <= 4; ++i)
    state.selection.append(state.structure, {model::AtomKind::Atom, i});
  child<QPushButton>(*window, "DefinePlane")->click();
  QApplication::processEvents();
  EXPECT_EQ(cell(*window, "StringGrid2", 3, 1), QStringLiteral("1"));  // c: the normal along Z
  EXPECT_EQ(cell(*window, "StringGrid2", 4, 1), QStringLiteral("5"));  // d: 5 Å from the origin
  EXPECT_EQ(cell(*window, "StringGrid1", 5, 4), QStringLiteral("1.0000(0)"));
  EXPECT_EQ(child<QLineEdit>(*window, "RMS")->text(), QStringLiteral("0"));

  child<QPushButton>(*window, "AddPlane")->click();
  QApplication::processEvents();
  EXPECT_EQ(child<QLineEdit>(*window, "TotalPlane")->text(), QStringLiteral("2"));
  EXPECT_EQ(child<QSpinBox>(*window, "PlaneNum")->maximum(), 2);
  EXPECT_EQ(child<QSpinBox>(*window, "PlaneNum")->value(), 2);
  EXPECT_FALSE(child<QSpinBox>(*window, "cycles")->isEnabled());

  gui.dialogs.nextFile = gui.folder.path() / "square_plane_calc.txt";
  window->findChild<QAction*>(QStringLiteral("Save1"))->trigger();
  const std::vector<std::string> report = model::loadRawFileLines(*gui.dialogs.nextFile);
  ASSERT_GT(report.size(), 2U);
  EXPECT_EQ(report[1], "List of Atomic Coordinates and Shifts from the Planes");

  window->close();
  QApplication::processEvents();
  EXPECT_FALSE(gui.bench->geometry().window().visible);
}

}  // namespace
}  // namespace tavo::testing
