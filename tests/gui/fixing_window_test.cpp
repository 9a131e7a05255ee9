// The fixing window and the HFIX coding rules window in the Qt program: the menu items show them,
// their controls run the Workbench's commands, and what they show follows the model.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

template <class T>
T* child(const QWidget& parent, const char* objectName) {
  return parent.findChild<T*>(QString::fromLatin1(objectName));
}

TEST(FixingWindowGui, CtrlFShowsTheTablesAndAppliesACode) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  gui.window->action(app::MenuCommand::FixingFvar)->trigger();
  QApplication::processEvents();
  QWidget* fixing = child<QWidget>(*gui.window, "TForm23");
  ASSERT_NE(fixing, nullptr);
  EXPECT_TRUE(fixing->isVisible());
  EXPECT_TRUE(gui.window->action(app::MenuCommand::FixingFvar)->isChecked());
  auto* codes = child<QTableView>(*fixing, "CodeGrid");
  ASSERT_NE(codes, nullptr);
  ASSERT_EQ(codes->model()->rowCount(), 3);
  EXPECT_EQ(codes->model()->index(1, 0).data().toString(), QStringLiteral("C2"));
  EXPECT_EQ(codes->model()->index(1, 4).data().toString(), QStringLiteral("10"));

  // C2's sof fixed at 1 becomes refined: the model changes, the grid follows.
  codes->setCurrentIndex(codes->model()->index(1, 4));
  QApplication::processEvents();
  auto* code = child<QLineEdit>(*fixing, "CodeEdit");
  EXPECT_EQ(child<QLineEdit>(*fixing, "LabelEdit")->text(), QStringLiteral("C2"));
  EXPECT_EQ(child<QLineEdit>(*fixing, "ColumnEdit")->text(), QStringLiteral("sof-info"));
  code->selectAll();
  QKeyEvent zero(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, QStringLiteral("0"));
  QApplication::sendEvent(code, &zero);
  ASSERT_EQ(code->text(), QStringLiteral("0"));
  child<QPushButton>(*fixing, "ApplyCodeButton")->click();
  QApplication::processEvents();
  EXPECT_EQ(gui.bench->structure().atoms[2].codes[4], 0);
  EXPECT_EQ(codes->model()->index(1, 4).data().toString(), QStringLiteral("0"));
  EXPECT_EQ(codes->selectionModel()->selectedIndexes(),
            QModelIndexList{codes->model()->index(1, 4)});
  EXPECT_TRUE(gui.dialogs.shown.empty());

  // Double-click mode swaps the enabled controls.
  child<QCheckBox>(*fixing, "DoubleClickBox")->setChecked(true);
  QApplication::processEvents();
  EXPECT_FALSE(code->isEnabled());
  EXPECT_TRUE(child<QLineEdit>(*fixing, "ValueBox")->isEnabled());

  gui.window->action(app::MenuCommand::FixingFvar)->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(fixing->isVisible());
}

TEST(FixingWindowGui, HfixRulesAdoptSetsTheMainWindowsHfixCode) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  gui.window->action(app::MenuCommand::HfixSelection)->trigger();
  QApplication::processEvents();
  QWidget* rules = child<QWidget>(*gui.window, "TForm4");
  ASSERT_NE(rules, nullptr);
  EXPECT_TRUE(rules->isVisible());
  EXPECT_EQ(child<QLabel>(*rules, "CodeLabel")->text(), QStringLiteral("AFIX  43"));
  child<QSpinBox>(*rules, "SpinEditM")->setValue(14);
  QApplication::processEvents();
  EXPECT_EQ(child<QSpinBox>(*rules, "SpinEditN")->value(), 7);
  EXPECT_EQ(child<QLabel>(*rules, "CodeLabel")->text(), QStringLiteral("AFIX  147"));
  child<QPushButton>(*rules, "AdoptButton")->click();
  QApplication::processEvents();
  EXPECT_FALSE(rules->isVisible());
  EXPECT_EQ(child<QSpinBox>(*gui.window, "SpinEdit22")->value(), 14);
  EXPECT_EQ(child<QSpinBox>(*gui.window, "SpinEdit23")->value(), 7);
}

}  // namespace
}  // namespace tavo::testing
