// The symmetry views in the real window: the Expand check box runs the search behind the "Wait!"
// window, the yellow spin and its code field follow it, 'Remove' hides them, and the 'Packing
// View Range' window edits the bounds.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

template <typename T>
T* child(const QWidget& parent, const char* objectName) {
  T* found = parent.findChild<T*>(QString::fromLatin1(objectName));
  EXPECT_NE(found, nullptr) << objectName;
  return found;
}

TEST(SymmetryViews, ExpandShowsTheUnitSpinAndRemoveHidesIt) {
  GuiHarness gui;
  gui.open("half.ins", readFileBytes(std::filesystem::path(TAVO_SOURCE_DIR) /
                                     "tests/data/shelxl/centrosymmetric_half.ins"));
  auto* expand = child<QCheckBox>(*gui.window, "CheckBox4");
  auto* spin = child<QSpinBox>(*gui.window, "SpinEdit19");
  auto* code = child<QLineEdit>(*gui.window, "Edit4");
  auto* remove = child<QPushButton>(*gui.window, "Remove");
  QWidget* wait = child<QWidget>(*gui.window, "TForm21");
  ASSERT_TRUE(expand && spin && code && remove && wait);
  EXPECT_TRUE(remove->isVisible());
  EXPECT_FALSE(spin->isVisible());

  expand->click();
  QApplication::processEvents();
  EXPECT_EQ(gui.dialogs.shown.back(), "1 Units Connected!  Change the Yellow SpinButton!");
  EXPECT_TRUE(spin->isVisible());
  EXPECT_EQ(spin->maximum(), 1);
  EXPECT_EQ(spin->value(), 1);
  EXPECT_EQ(code->text(), QStringLiteral(" -X+1, -Y+1, -Z+1"));
  EXPECT_FALSE(remove->isVisible());
  EXPECT_FALSE(wait->isVisible());
  auto* progress = child<QProgressBar>(*wait, "WaitProgress");
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->value(), 4) << "every operator was searched";

  spin->setValue(0);
  QApplication::processEvents();
  EXPECT_EQ(gui.bench->structure().workingAtomCount, 3);
  EXPECT_EQ(code->text(), QString());

  expand->click();  // off: the buttons come back, the spin stays until 'Remove'
  QApplication::processEvents();
  EXPECT_TRUE(remove->isVisible());
  EXPECT_TRUE(spin->isVisible());
  remove->click();
  QApplication::processEvents();
  EXPECT_FALSE(spin->isVisible());
  EXPECT_FALSE(code->isVisible());
}

TEST(SymmetryViews, PackingViewRangeWindowSetsTheBoundsAndExitHidesIt) {
  GuiHarness gui;
  gui.open("half.ins", readFileBytes(std::filesystem::path(TAVO_SOURCE_DIR) /
                                     "tests/data/shelxl/centrosymmetric_half.ins"));
  gui.window->action(app::MenuCommand::PackingRange)->trigger();
  QApplication::processEvents();
  QWidget* range = child<QWidget>(*gui.window, "TForm14");
  ASSERT_NE(range, nullptr);
  EXPECT_TRUE(range->isVisible());
  auto* amax = child<QLineEdit>(*range, "Edit2");
  auto* amaxSpin = child<QSpinBox>(*range, "SpinEdit2");
  ASSERT_TRUE(amax && amaxSpin);
  EXPECT_EQ(amax->text(), QStringLiteral("1.1")) << "the cell box widened by 0.1";
  EXPECT_EQ(amaxSpin->value(), 11);
  amaxSpin->setValue(5);
  QApplication::processEvents();
  EXPECT_EQ(amax->text(), QStringLiteral("0.5"));
  EXPECT_EQ(gui.bench->viewFrame().packingRange.boundTexts[1], "0.5");
  auto* exit = range->findChild<QMenuBar*>()->actions().front();
  ASSERT_EQ(exit->text(), QStringLiteral("Exit"));
  exit->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(range->isVisible());
}

}  // namespace
}  // namespace tavo::testing
