// The job-control window (Ctrl+E), the line editor and the file buffer in the Qt program: each is
// reached from its menu item, shows the Workbench's lines and forwards its buttons.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

using app::MenuCommand;

template <typename T>
T* child(const QObject& parent, const char* objectName) {
  T* found = parent.findChild<T*>(QString::fromLatin1(objectName));
  EXPECT_NE(found, nullptr) << objectName;
  return found;
}

void trigger(const GuiHarness& gui, MenuCommand command) {
  gui.window->action(command)->trigger();
  QApplication::processEvents();
}

TEST(JobControlWindows, CtrlEShowsTheLinesAndTheButtonsEditThem) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  QAction* item = gui.window->action(MenuCommand::EditShelxlCommands);
  EXPECT_EQ(item->shortcut().toString(), QStringLiteral("Ctrl+E"));
  trigger(gui, MenuCommand::EditShelxlCommands);
  auto* window = child<QWidget>(*gui.window, "TForm5");
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Shelxl-97 Job Control Commands"));
  EXPECT_TRUE(item->isChecked());
  auto* list = child<QListWidget>(*window, "LineList");
  ASSERT_EQ(list->count(), gui.bench->structure().lineCount());
  // Select UNIT, type new numbers, Apply: the line and the list follow.
  const int unit = gui.bench->structure().markers.unitLine;
  list->setCurrentRow(unit);
  QApplication::processEvents();
  auto* edit = child<QLineEdit>(*window, "Edit1");
  EXPECT_EQ(edit->text(), QStringLiteral("UNIT 12 4"));
  edit->setText(QStringLiteral("UNIT 24 8"));
  emit edit->textEdited(edit->text());
  child<QPushButton>(*window, "Apply")->click();
  QApplication::processEvents();
  EXPECT_EQ(gui.bench->structure().instructionLines[static_cast<size_t>(unit)], "UNIT 24 8");
  EXPECT_EQ(list->item(unit)->text(), QStringLiteral("UNIT 24 8"));
  // TEMP (dC) goes in above L.S.
  child<QPushButton>(*window, "TEMP")->click();
  QApplication::processEvents();
  const auto ls = list->findItems(QStringLiteral("L.S. 4"), Qt::MatchExactly);
  ASSERT_EQ(ls.size(), 1);
  EXPECT_EQ(list->item(list->row(ls.front()) - 1)->text(), QStringLiteral("TEMP 23"));
  // Ctrl+E inside the window closes it and unchecks the item.
  auto* shortcut = window->findChild<QShortcut*>();
  ASSERT_NE(shortcut, nullptr);
  emit shortcut->activated();
  QApplication::processEvents();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(item->isChecked());
}

TEST(JobControlWindows, LineEditorAndFileBufferOpenFromTheFileMenu) {
  GuiHarness gui;
  gui.open("three.ins", threeCarbons);
  trigger(gui, MenuCommand::EditLastSaved);
  auto* editor = child<QWidget>(*gui.window, "TForm6");
  ASSERT_TRUE(editor->isVisible());
  auto* rows = child<QListWidget>(*editor, "LineList");
  EXPECT_EQ(rows->item(0)->text(), QStringLiteral("TITL three carbons"));
  EXPECT_EQ(rows->currentRow(), 7);  // the row after L.S.
  EXPECT_TRUE(
      child<QLineEdit>(*editor, "TargetName")->text().endsWith(QStringLiteral("three.ins")));

  trigger(gui, MenuCommand::ShowFileBuffer);
  auto* buffer = child<QPlainTextEdit>(*gui.window, "FileBuffer");
  EXPECT_TRUE(buffer->isVisible());
  EXPECT_TRUE(buffer->toPlainText().startsWith(QStringLiteral("TITL three carbons\n")));
  EXPECT_EQ(gui.window->action(MenuCommand::ShowFileBuffer)->text(),
            QStringLiteral("Hide the File Buffer"));
  trigger(gui, MenuCommand::ShowFileBuffer);
  EXPECT_FALSE(buffer->isVisible());
}

}  // namespace
}  // namespace tavo::testing
