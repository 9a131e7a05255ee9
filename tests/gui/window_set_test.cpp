// Every declared window exists in the Qt program under its name and caption, and its buttons
// run the declared rows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

#include "app/windows/auxiliary_window.h"
#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

TEST(WindowSet, EveryDeclaredWindowIsMadeUnderItsNameAndCaption) {
  GuiHarness gui;
  for (const workbench::WindowDeclaration& declaration : gui.bench->windows()) {
    SCOPED_TRACE(declaration.name);
    const auto* window =
        gui.window->findChild<app::AuxiliaryWindow*>(QString::fromStdString(declaration.name));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), declaration.caption);
    EXPECT_FALSE(window->isVisible());
  }
}

/// True for the widgets a declared control can be bound to.
bool bindable(const QObject* object) {
  return qobject_cast<const QAction*>(object) != nullptr ||
         qobject_cast<const QAbstractButton*>(object) != nullptr ||
         qobject_cast<const QLineEdit*>(object) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(object) != nullptr ||
         qobject_cast<const QSpinBox*>(object) != nullptr ||
         qobject_cast<const QComboBox*>(object) != nullptr ||
         qobject_cast<const QAbstractItemView*>(object) != nullptr;
}

TEST(WindowSet, EveryWidgetOfADeclaredControlIsBoundToIt) {
  GuiHarness gui;
  int checked = 0;
  for (const workbench::WindowDeclaration& declaration : gui.bench->windows()) {
    SCOPED_TRACE(declaration.name);
    const auto* window =
        gui.window->findChild<app::AuxiliaryWindow*>(QString::fromStdString(declaration.name));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isBound());
    const std::vector<QObject*>& bound = window->boundWidgets();
    for (QObject* child : window->findChildren<QObject*>()) {
      const std::string name = child->objectName().toStdString();
      if (name.empty() || declaration.findControl(name) == nullptr || !bindable(child)) continue;
      EXPECT_NE(std::find(bound.begin(), bound.end(), child), bound.end()) << name;
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(WindowSet, AWidgetRunsItsDeclaredControlOnce) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  gui.bench->run([&gui] { gui.bench->jobControl().toggleWindow(); });
  QApplication::processEvents();
  auto* jobs = gui.window->findChild<QWidget*>(QStringLiteral("TForm5"));
  ASSERT_TRUE(jobs != nullptr && jobs->isVisible());
  // Selecting a row of the list selects it in the core; one press moves it up one place.
  auto* list = jobs->findChild<QListWidget*>(QStringLiteral("LineList"));
  const int unit = gui.bench->structure().markers.unitLine;
  const std::string unitLine = gui.bench->jobControl().lines()[static_cast<std::size_t>(unit)];
  list->setCurrentRow(unit);
  QApplication::processEvents();
  EXPECT_EQ(gui.bench->jobControl().window().selectedRow, unit);
  jobs->findChild<QPushButton*>(QStringLiteral("MoveUpward"))->click();
  QApplication::processEvents();
  EXPECT_EQ(gui.bench->jobControl().lines()[static_cast<std::size_t>(unit - 1)], unitLine);
  EXPECT_EQ(list->currentRow(), unit - 1);

  // A spin box's value reaches the core, and the core's value shown back does not fire it.
  gui.bench->run([&gui] { gui.bench->freeVariables().showHfixRules(); });
  QApplication::processEvents();
  auto* rules = gui.window->findChild<QWidget*>(QStringLiteral("TForm4"));
  ASSERT_TRUE(rules != nullptr && rules->isVisible());
  auto* m = rules->findChild<QSpinBox*>(QStringLiteral("SpinEditM"));
  m->setValue(13);
  QApplication::processEvents();
  EXPECT_EQ(gui.bench->freeVariables().hfixRules().m, 13);
  EXPECT_TRUE(gui.dialogs.shown.empty());
}

}  // namespace
}  // namespace tavo::testing
