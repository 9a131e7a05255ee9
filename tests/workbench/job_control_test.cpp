// The job-control window, the line editor and the relabelling entry over our example: markers
// found again, TITL kept first, undo of each edit, and the line editor's save with its backup.
#include <algorithm>
#include <filesystem>

#include "model/backups.h"
#include "model/instruction_line_edits.h"
#include "model/instruction_writer.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandId;

class JobControlScenario : public WorkbenchScenario {
 protected:
  /// The row of the first instruction line that begins with `start`.
  int rowOf(const std::string& start) const {
    const auto& lines = bench->structure().instructionLines;
    for (std::size_t r = 0; r < lines.size(); ++r) {
      if (lines[r].rfind(start, 0) == 0) return static_cast<int>(r);
    }
    ADD_FAILURE() << "no line " << start;
    return 0;
  }
  bool press(const std::string& control, std::optional<std::string> value = std::nullopt) {
    std::vector<std::string> words{control};
    if (value) words.push_back(*value);
    return bench->operateWindow("TForm5", words);
  }
  void expectMarkersAsFound() const {
    EXPECT_EQ(bench->structure().markers,
              model::findLineMarkers(bench->structure().instructionLines));
  }
};

TEST_F(JobControlScenario, WindowEditsTheLinesWithUndoAndTheMarkersFollow) {
  TAVO_OPEN_PARABEN();
  const std::vector<std::string> original = bench->structure().instructionLines;
  ASSERT_TRUE(bench->run(CommandId::EditShelxlCommands));
  EXPECT_TRUE(bench->checked(CommandId::EditShelxlCommands));
  EXPECT_EQ(bench->jobControl().window().editText, original[0]);

  // Deleting UNIT: unitLine is gone, not moved onto REM SPCG.
  const int unit = rowOf("UNIT");
  ASSERT_TRUE(press("LineList", std::to_string(unit)));
  ASSERT_TRUE(press("Delete"));
  EXPECT_EQ(bench->structure().markers.unitLine, 0);
  EXPECT_EQ(rowOf("REM SPCG"), unit);  // the next line moved up and is shown selected
  EXPECT_EQ(bench->jobControl().window().editText, original[static_cast<size_t>(unit + 1)]);
  expectMarkersAsFound();

  // TEMP goes in directly above L.S., in degrees Celsius.
  ASSERT_TRUE(press("TEMP"));
  EXPECT_EQ(bench->structure().instructionLines[static_cast<size_t>(rowOf("L.S.") - 1)], "TEMP 23");
  expectMarkersAsFound();

  // WGHT moves up with its marker; L.S. cycles are edited in place.
  ASSERT_TRUE(press("LineList", std::to_string(rowOf("WGHT"))));
  const int wght = rowOf("WGHT");
  ASSERT_TRUE(press("MoveUpward"));
  EXPECT_EQ(bench->structure().markers.wghtLine, wght - 1);
  EXPECT_EQ(bench->jobControl().window().selectedRow, wght - 1);
  ASSERT_TRUE(press("LineList", std::to_string(rowOf("L.S."))));
  ASSERT_TRUE(press("Edit1", "L.S. 4"));
  ASSERT_TRUE(press("Apply"));
  expectMarkersAsFound();

  // TITL stays: refused with a message and nothing changed.
  const std::vector<std::string> edited = bench->structure().instructionLines;
  ASSERT_TRUE(press("LineList", "0"));
  EXPECT_FALSE(press("Delete"));
  EXPECT_FALSE(press("MoveDwonward"));
  EXPECT_EQ(dialogs.shown.back(),
            "The TITL line is the first line of the file: it can be neither moved nor deleted.");
  EXPECT_EQ(bench->structure().instructionLines, edited);

  // Four edits, four steps back to the file as read.
  for (int k = 0; k < 4; ++k)
    ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_FALSE(bench->enabled(CommandId::UndoLastEdit));
  EXPECT_EQ(bench->structure().instructionLines, original);
  expectMarkersAsFound();

  ASSERT_TRUE(bench->run(CommandId::EditShelxlCommands));
  EXPECT_FALSE(bench->checked(CommandId::EditShelxlCommands));
}

// The formula's Update after UNIT was deleted here: refused, and no other card is written over.
TEST_F(JobControlScenario, UpdateAfterUnitIsDeletedOverwritesNothing) {
  TAVO_OPEN_PARABEN();
  ASSERT_TRUE(bench->run(CommandId::EditShelxlCommands));
  ASSERT_TRUE(press("LineList", std::to_string(rowOf("UNIT"))));
  ASSERT_TRUE(press("Delete"));
  const std::vector<std::string> lines = bench->structure().instructionLines;
  ASSERT_TRUE(bench->run([&] { bench->formulaCommands().open(); }));
  EXPECT_FALSE(bench->run([&] { bench->formulaCommands().update(); }));
  EXPECT_EQ(dialogs.shown.back(), "There is no UNIT card in the instruction lines to rewrite.");
  EXPECT_EQ(bench->structure().instructionLines, lines);
}

TEST_F(JobControlScenario, RelabellingRenamesAtomsAndCardsAndFillsTheTable) {
  TAVO_OPEN_PARABEN();
  // A chain in one table: C8A -> C8B and C8B -> C8C must not give C8C twice.
  text::TextGrid& grid = bench->state().structure.workingGrid;
  grid = text::TextGrid(3, 2);
  grid.setRow(0, {"OldName", "NewName"});
  grid.setRow(1, {"C8A", "C8B"});
  grid.setRow(2, {"C8B", "C8C"});
  ASSERT_TRUE(bench->run([&] { bench->jobControl().relabelFromWorkingGrid(); }));
  EXPECT_EQ(bench->structure().instructionLines[static_cast<size_t>(rowOf("SADI 0.02 O3"))],
            "SADI 0.02 O3 C8B O3 C8C");
  EXPECT_EQ(bench->structure().atoms[ref("C8C").index].part, 2);  // the atom of PART 2
  ASSERT_EQ(grid.rowCount(), 3);                                  // the table as done, for F10
  EXPECT_EQ(grid.row(0), (std::vector<std::string>{"OldName", "NewName"}));
  EXPECT_EQ(dialogs.shown.back(),
            "Tavo has conducted renmubering the labels in your command lines, too!  It is safer "
            "to do this via Renumber whole through each element at the same time!  You can check "
            "the details at the File/Show_the_Working_Grids later!");
  // A name that no atom bears: refused, nothing changed.
  const std::vector<std::string> before = bench->structure().instructionLines;
  grid = text::TextGrid(2, 2);
  grid.setRow(1, {"C99", "C98"});
  EXPECT_FALSE(bench->run([&] { bench->jobControl().relabelFromWorkingGrid(); }));
  EXPECT_EQ(dialogs.shown.back(), "No atom is labelled C99.");
  EXPECT_EQ(bench->structure().instructionLines, before);
}

TEST_F(JobControlScenario, LineEditorSavesThroughTheSavePathWithABackup) {
  TAVO_OPEN_PARABEN();
  ASSERT_TRUE(bench->run(CommandId::SaveIns));  // paraben.ins, the last saved
  const std::string saved = work.read("paraben.ins");
  ASSERT_TRUE(bench->run(CommandId::EditLastSaved));
  const workbench::FileLineEditor& editor = bench->jobControl().lineEditor();
  ASSERT_TRUE(editor.visible);
  const auto ls = std::find_if(editor.rows.begin(), editor.rows.end(),
                               [](const std::string& r) { return r.rfind("L.S.", 0) == 0; });
  EXPECT_EQ(editor.selectedRow, ls - editor.rows.begin() + 1);
  const auto at = [&](const std::string& control, std::optional<std::string> value = {}) {
    std::vector<std::string> words{control};
    if (value) words.push_back(*value);
    return bench->operateWindow("TForm6", words);
  };
  std::vector<std::string> expected = editor.rows;
  const int row = editor.selectedRow;
  ASSERT_TRUE(at("TEMP"));
  expected.insert(expected.begin() + row, "TEMP 23");
  ASSERT_TRUE(at("LineList", "0"));
  EXPECT_FALSE(at("Delete"));
  EXPECT_FALSE(at("Edit1", "REM no title") && at("Apply"));
  ASSERT_TRUE(at("SaveIns"));
  // The file on disk went aside as a numbered backup; the title carries the new number.
  const std::vector<std::string> written = model::readLinesAsWritten(work.path() / "paraben.ins");
  ASSERT_EQ(written.size(), expected.size());
  for (std::size_t r = 1; r < written.size(); ++r)
    EXPECT_EQ(written[r], expected[r]) << r;
  EXPECT_TRUE(written[0].ends_with(" TAVO"));
  EXPECT_NE(written[0], expected[0]);
  bool backupFound = false;
  for (const auto& entry : std::filesystem::directory_iterator(work.path())) {
    backupFound =
        backupFound || (entry.path().stem() == "paraben" && entry.path().extension() != ".ins" &&
                        entry.path().extension() != ".res" && entry.path().extension() != ".bak" &&
                        work.read(entry.path().filename().string()) == saved);
  }
  EXPECT_TRUE(backupFound);
  EXPECT_EQ(work.read("paraben.bak"), work.read("paraben.ins"));
  ASSERT_TRUE(at("Exit"));
  EXPECT_EQ(dialogs.shown.back(),
            "Note that the modification here can only be saved at this window!");
}

// A .res with REM lines above TITL: the stamp goes on the TITL row, nothing goes above it.
TEST_F(JobControlScenario, LineEditorStampsTheTitlRowWhereverItStands) {
  ASSERT_TRUE(
      openAs(repositoryFile("tests/data/shelxl/rem_before_titl.res"), workbench::OpenedFrom::Batch))
      << ::testing::PrintToString(dialogs.shown);
  ASSERT_TRUE(bench->run(CommandId::EditLastSaved));
  const std::vector<std::string> rows = bench->jobControl().lineEditor().rows;
  ASSERT_EQ(rows[3], "TITL meod in P2(1)/c");
  const auto at = [&](const char* control, std::optional<std::string_view> value = {}) {
    std::vector<std::string> words{control};
    if (value) words.emplace_back(*value);
    return bench->operateWindow("TForm6", words);
  };
  ASSERT_TRUE(at("LineList", "1"));
  EXPECT_FALSE(at("Add"));
  EXPECT_EQ(dialogs.shown.back(), "Nothing goes above the TITL line: choose a row below it.");
  ASSERT_TRUE(at("LineList", "2"));
  EXPECT_FALSE(at("MoveDwonward"));  // it would move TITL up
  ASSERT_TRUE(at("SaveIns"));
  const std::vector<std::string> written =
      model::readLinesAsWritten(work.path() / "rem_before_titl.ins");
  ASSERT_EQ(written.size(), rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (r != 3) {
      EXPECT_EQ(written[r], rows[r]) << r;
    }
  }
  EXPECT_TRUE(written[3].starts_with("TITL meod in P2(1)/c") && written[3].ends_with(" TAVO"));
  EXPECT_EQ(bench->structure().currentFile, (work.path() / "rem_before_titl.ins").string());
}

TEST_F(JobControlScenario, TextEditorWritesItsPaneAndHiddenWindowsTakeNoClicks) {
  TAVO_OPEN_PARABEN();
  EXPECT_FALSE(press("Apply"));
  EXPECT_EQ(
      dialogs.shown.back(),
      "\"Shelxl-97 Job Control Commands\" is not shown (\"Edit Shelxl-97 Commands\" shows it)");
  const std::filesystem::path notes = work.write("notes.txt", "first\nsecond\n");
  dialogs.nextFile = notes;
  ASSERT_TRUE(bench->run(CommandId::TextEditor));
  const workbench::TextEditorWindow& editor = bench->jobControl().textEditor();
  EXPECT_EQ(editor.caption, "Editor :  notes.txt");
  EXPECT_EQ(editor.text, "first\nsecond");
  ASSERT_TRUE(bench->operateWindow("TForm11", {"Memo1", "first\nthird"}));
  ASSERT_TRUE(bench->operateWindow("TForm11", {"SaveAndQuit"}));
  EXPECT_EQ(work.read("notes.txt"), "first\nthird\n");
  EXPECT_FALSE(editor.visible);
}

}  // namespace
}  // namespace tavo::testing
