// The space-group controls of the main window: named widgets bound to SymmetryCommands.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "app/space_group_panel.h"
#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

template <typename Widget>
Widget* named(const GuiHarness& gui, const char* objectName) {
  auto* widget = gui.window->findChild<Widget*>(QString::fromLatin1(objectName));
  EXPECT_NE(widget, nullptr) << objectName;
  return widget;
}

TEST(SpaceGroupPanel, MenuItemShowsTheControlsAndTheyChooseTheGroup) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);  // LATT 1 alone: P1-, matched
  QAction* item = gui.window->action(app::MenuCommand::SpaceGroup);
  ASSERT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(gui.window->spaceGroupPanel()->isVisible());
  auto* name = named<QLineEdit>(gui, "Edit2");
  EXPECT_EQ(name->text(), QStringLiteral("P1-"));
  EXPECT_EQ(named<QSpinBox>(gui, "SpinEdit12")->value(), 2);

  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(gui.window->spaceGroupPanel()->isVisible());
  named<QSpinBox>(gui, "SpinEdit12")->setValue(15);
  auto* setting = named<QSpinBox>(gui, "SpinEdit17");
  EXPECT_EQ(setting->maximum(), 2);
  setting->setValue(2);
  EXPECT_EQ(name->text(), QStringLiteral("I2/a"));
  EXPECT_EQ(gui.bench->structure().symmetry.opCount, 8);
  auto* shown = named<QSpinBox>(gui, "SpinEdit16");
  EXPECT_EQ(shown->maximum(), 8);
  shown->setValue(2);
  named<QSpinBox>(gui, "SpinEdit15")->setValue(-1);
  EXPECT_EQ(named<QLineEdit>(gui, "Edit3")->text(), QStringLiteral(" -X+1/2, Y, -Z-1"));
  EXPECT_EQ(named<QSpinBox>(gui, "SpinEdit13")->minimum(), -3);
  EXPECT_EQ(named<QSpinBox>(gui, "SpinEdit14")->maximum(), 3);
  EXPECT_TRUE(gui.dialogs.shown.empty());

  item->trigger();
  EXPECT_FALSE(gui.window->spaceGroupPanel()->isVisible());
}

TEST(SpaceGroupPanel, UnmatchedCardsShowTheirOwnNameInBlack) {
  GuiHarness gui;
  std::string content(threeCarbons);
  content.replace(content.find("LATT 1\n"), 7, "LATT -1\nSYMM -X, -Y, Z\n");
  gui.open("p112.ins", content);
  auto* name = named<QLineEdit>(gui, "Edit2");
  EXPECT_EQ(name->text(), QStringLiteral("LATT/SYMM"));
  EXPECT_TRUE(name->styleSheet().contains(QStringLiteral("black")));
  EXPECT_TRUE(gui.window->spaceGroupPanel()->isVisible());
  EXPECT_TRUE(gui.window->action(app::MenuCommand::SpaceGroup)->isChecked());
}

// The group move's buttons: the operator spin box previews, "UpdtGMv" commits, "UndoGMv" drops.
TEST(SpaceGroupPanel, GroupMoveButtonsCommitAndUndoThePreview) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);  // P1-: x, y, z and -x, -y, -z
  gui.bench->run(
      [&] { gui.bench->modeCommands().chooseMode(editing::MouseMode::MoveGroupDefine); });
  const model::AtomRef c2{model::AtomKind::Atom, 2};
  const model::Vec3& at = gui.bench->structure().viewOf(c2);
  gui.click(QPoint(gui.bench->viewState().toScreenX(at.x), gui.bench->viewState().toScreenY(at.y)));
  ASSERT_EQ(gui.bench->selection().picked, std::vector<model::AtomRef>{c2});
  auto* update = named<QPushButton>(gui, "UpdtGMv");
  auto* undo = named<QPushButton>(gui, "UndoGMv");
  ASSERT_TRUE(update->isEnabled());
  ASSERT_TRUE(undo->isEnabled());

  named<QSpinBox>(gui, "SpinEdit16")->setValue(2);
  named<QSpinBox>(gui, "SpinEdit13")->setValue(1);
  ASSERT_TRUE(gui.bench->state().groupMovePending);
  undo->click();
  EXPECT_FALSE(gui.bench->state().groupMovePending);
  EXPECT_DOUBLE_EQ(gui.bench->structure().atoms[2].x, 0.64);

  named<QSpinBox>(gui, "SpinEdit13")->setValue(0);
  named<QSpinBox>(gui, "SpinEdit13")->setValue(1);
  update->click();
  EXPECT_FALSE(gui.bench->state().groupMovePending);
  EXPECT_NEAR(gui.bench->structure().atoms[2].x, 0.36, 1e-12);  // -x + 1
  EXPECT_NEAR(gui.bench->structure().atoms[2].y, -0.5, 1e-12);
  EXPECT_TRUE(gui.dialogs.shown.empty());
}

}  // namespace
}  // namespace tavo::testing
