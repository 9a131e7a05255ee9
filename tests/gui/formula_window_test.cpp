// The Chemical Formula window in the real program: the Params menu shows it at the main window's
// top right with the rows of the SFAC elements; typing a UNIT number and Update rewrite the UNIT
// card, and Exit hides it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

template <typename T>
T* child(const QWidget& parent, const QString& objectName) {
  T* found = parent.findChild<T*>(objectName);
  EXPECT_NE(found, nullptr) << objectName.toStdString();
  return found;
}

TEST(FormulaWindow, ShowsTheElementsAndUpdatesTheUnitCard) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  QWidget* window = child<QWidget>(*gui.window, QStringLiteral("TForm3"));
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(window->isVisible());
  gui.window->action(workbench::CommandId::FormulaCell)->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Chemical Formula"));
  gui.expectBesideThePicture(*window);

  EXPECT_EQ(child<QLineEdit>(*window, "Elem1")->text(), QStringLiteral("C"));
  EXPECT_EQ(child<QLineEdit>(*window, "Unit2")->text(), QStringLiteral("   4.000"));
  EXPECT_TRUE(child<QLineEdit>(*window, "Unit2")->isVisible());
  EXPECT_FALSE(child<QLineEdit>(*window, "Unit3")->isVisible()) << "two elements, two rows";
  EXPECT_EQ(child<QLineEdit>(*window, "Z")->text(), QStringLiteral("4"));
  EXPECT_EQ(child<QLineEdit>(*window, "Volume")->text(), QStringLiteral("1000"));

  QLineEdit* unit = child<QLineEdit>(*window, "Unit1");
  unit->setText(QStringLiteral("6"));
  emit unit->textEdited(unit->text());  // as typing does
  child<QPushButton>(*window, "Update")->click();
  QApplication::processEvents();
  const model::StructureModel& s = gui.bench->structure();
  EXPECT_EQ(s.instructionLines[static_cast<std::size_t>(s.markers.unitLine)], "UNIT 6 4");
  EXPECT_EQ(unit->text(), QStringLiteral("   6.000"));
  EXPECT_TRUE(gui.dialogs.shown.empty()) << gui.dialogs.shown.front();

  window->findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(gui.bench->formulaCommands().window().visible);
}

}  // namespace
}  // namespace tavo::testing
