// The atom list window in the Qt program: Ctrl+X shows it, a heading click orders its rows, a cell
// typed and applied changes the model, and the option swaps the two Apply buttons.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

template <class T>
T* child(const QWidget& parent, const char* objectName) {
  return parent.findChild<T*>(QString::fromLatin1(objectName));
}

TEST(AtomListWindowGui, CtrlXShowsTheListWhoseHeadingsOrderRowsAndCellsApply) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  gui.window->action(app::MenuCommand::AtomList)->trigger();
  QApplication::processEvents();
  QWidget* list = child<QWidget>(*gui.window, "TForm2");
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->windowTitle(), QStringLiteral("Atomic Coordinates & Parameters"));
  EXPECT_TRUE(gui.window->action(app::MenuCommand::AtomList)->isChecked());
  for (const char* name : {"Edit1", "SpinEdit1", "SpinEdit2"})
    EXPECT_NE(child<QWidget>(*list, name), nullptr) << name;
  auto* grid = child<QTableView>(*list, "StringGrid1");
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->model()->rowCount(), 3);
  EXPECT_EQ(grid->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("U11/Uiso"));

  // X: C3 (0.36) first; a second click turns the order round. The click selects no cells.
  QHeaderView* header = grid->horizontalHeader();
  const QPointF at(header->sectionViewportPosition(3) + 5, header->height() / 2);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent click(type, at, header->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &click);
  }
  QApplication::processEvents();
  EXPECT_TRUE(grid->selectionModel()->selectedIndexes().isEmpty());
  EXPECT_EQ(grid->model()->index(0, 1).data().toString(), QStringLiteral("C3"));
  emit grid->horizontalHeader()->sectionClicked(3);
  QApplication::processEvents();
  EXPECT_EQ(grid->model()->index(0, 1).data().toString(), QStringLiteral("C2"));

  // The first row (C2) gets a new Uiso.
  grid->setCurrentIndex(grid->model()->index(0, 7));
  QApplication::processEvents();
  auto* value = child<QLineEdit>(*list, "Edit1");
  EXPECT_EQ(value->text(), QStringLiteral("0.05"));
  value->setText(QStringLiteral("0.0625"));
  emit value->textEdited(value->text());
  child<QPushButton>(*list, "Button1")->click();
  QApplication::processEvents();
  EXPECT_DOUBLE_EQ(gui.bench->structure().atoms[2].u11, 0.0625);
  EXPECT_EQ(grid->model()->index(0, 7).data().toString(), QStringLiteral("0.0625"));
  EXPECT_TRUE(gui.dialogs.shown.empty());

  child<QCheckBox>(*list, "CheckBox1")->setChecked(true);
  QApplication::processEvents();
  EXPECT_FALSE(child<QPushButton>(*list, "Button1")->isEnabled());
  EXPECT_TRUE(child<QPushButton>(*list, "Button2")->isEnabled());

  // Sorting by label: C1, C2, C3 in the table; the rows keep the heading order.
  child<QPushButton>(*list, "SortLabels")->click();
  QApplication::processEvents();
  EXPECT_EQ(gui.bench->structure().atoms[1].label, "C1");
  gui.window->action(app::MenuCommand::AtomList)->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(list->isVisible());
}

}  // namespace
}  // namespace tavo::testing
