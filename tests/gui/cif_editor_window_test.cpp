// The CIF Editor in the real program: "Generate CIF (Auto)" fills its grids and the read-back
// line, the menu items follow the steps, a double click in the grid leaves a line out, and "Edit
// Line" shows the line editor with the selected line.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "gui/gui_harness.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

TEST(CifEditorWindow, ShowsTheGeneratedLinesAndEditsThem) {
  GuiHarness gui;
  const std::filesystem::path source = TAVO_SOURCE_DIR;
  std::filesystem::copy_file(source / "tests/data/cif/cif_sample.cif",
                             gui.folder.path() / "cif_sample.cif");
  gui.open("cif_sample.ins", threeCarbons);
  QWidget* editor = gui.window->findChild<QWidget*>(QStringLiteral("TForm10"));
  ASSERT_NE(editor, nullptr);
  EXPECT_FALSE(editor->findChild<QAction*>(QStringLiteral("SaveNewCIF1"))->isEnabled());

  gui.window->action(workbench::CommandId::GenerateCif)->trigger();
  gui.window->action(workbench::CommandId::ViewCifWindow)->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->windowTitle(), QStringLiteral("CIF Editor"));
  EXPECT_LE(editor->width(), gui.window->width());
  EXPECT_TRUE(editor->findChild<QAction*>(QStringLiteral("SaveNewCIF1"))->isEnabled());
  EXPECT_EQ(editor->findChild<QLabel*>(QStringLiteral("ReadBack"))->text(),
            QStringLiteral("Read back: no syntax error, no data name given twice."));

  auto* grid = editor->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
  const auto& lines = gui.bench->cifCommands().window().workLines;
  ASSERT_EQ(grid->rowCount(), static_cast<int>(lines.size()));
  int row = 0;
  while (!lines[static_cast<std::size_t>(row)].text.starts_with("_cell_length_a"))
    ++row;
  EXPECT_EQ(grid->item(row, 0)->text(), QStringLiteral("SHELX"));
  EXPECT_EQ(grid->item(row, 1)->text(),
            QStringLiteral("_cell_length_a                     5.1234(5)"));
  emit grid->cellDoubleClicked(row, 1);
  QApplication::processEvents();
  EXPECT_EQ(grid->item(row, 0)->text(), QStringLiteral("OMIT"));

  editor->findChild<QAction*>(QStringLiteral("EditLine1"))->trigger();
  QApplication::processEvents();
  QWidget* lineEditor = gui.window->findChild<QWidget*>(QStringLiteral("TForm36"));
  ASSERT_TRUE(lineEditor->isVisible());
  auto* text = lineEditor->findChild<QLineEdit*>(QStringLiteral("Edit1"));
  EXPECT_EQ(text->text(), grid->item(row, 1)->text());
  text->setText(QStringLiteral("_cell_length_a 5.12(1)"));
  emit text->textEdited(text->text());
  lineEditor->findChild<QPushButton*>(QStringLiteral("Update"))->click();
  QApplication::processEvents();
  EXPECT_EQ(grid->item(row, 1)->text(), QStringLiteral("_cell_length_a 5.12(1)"));

  editor->findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(editor->isVisible());
  EXPECT_FALSE(lineEditor->isVisible());
}

}  // namespace
}  // namespace tavo::testing
