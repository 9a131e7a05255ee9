// tavo-cli run end to end over the job-control window and the line editor: edits of the
// instruction lines, saved, and the saved file compared line by line with the file before.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/backups.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const TempFolder& folder, const std::string& name) {
  return model::readLinesAsWritten(folder.path() / name);
}

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& start) {
  const auto at = std::find_if(lines.begin(), lines.end(),
                               [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  EXPECT_NE(at, lines.end()) << start;
  return static_cast<std::size_t>(at - lines.begin());
}

/// Every line but the stamped title is as expected; the title keeps its text before the stamp.
void expectSameLines(const std::vector<std::string>& saved,
                     const std::vector<std::string>& expected) {
  ASSERT_EQ(saved.size(), expected.size());
  EXPECT_EQ(saved[0].substr(0, 20), expected[0].substr(0, 20));
  for (std::size_t r = 1; r < saved.size(); ++r)
    EXPECT_EQ(saved[r], expected[r]) << "line " << r;
}

TEST(JobControlScript, WindowEditsReachTheSavedFileAndNothingElseChanges) {
  TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res",
                folder.path() / "paraben.res");
  // The file as the program saves it unedited, then the edits of the window (rows as opened:
  // the .res heading is dropped, ACTA is row 16, L.S. row 12 and, once TEMP 23 stands above
  // it, WGHT row 21).
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "\"Save *.ins\"\n"
                              "\"Edit Shelxl-97 Commands\"\n"
                              "window TForm5 LineList 16\n"
                              "window TForm5 Delete\n"
                              "window TForm5 \"TEMP (dC)\"\n"
                              "window TForm5 LineList 13\n"
                              "window TForm5 Edit1 \"L.S. 4\"\n"
                              "window TForm5 Apply\n"
                              "window TForm5 LineList 21\n"
                              "window TForm5 MoveUpward\n"
                              "\"Edit Shelxl-97 Commands\"\n"
                              "\"Save *.ins\"\n"
                              "open paraben.ins\n");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  // The first save kept paraben.res as 000; the second kept the first paraben.ins as 001.
  std::vector<std::string> expected = linesOf(folder, "paraben.001");
  ASSERT_EQ(expected[16], "ACTA");
  expected.erase(expected.begin() + 16);
  const std::size_t ls = indexOf(expected, "L.S. 10");
  expected[ls] = "L.S. 4";
  expected.insert(expected.begin() + static_cast<long>(ls), "TEMP 23");
  const std::size_t wght = indexOf(expected, "WGHT");
  ASSERT_EQ(expected[wght - 1], "TEMP -173");
  std::swap(expected[wght], expected[wght - 1]);
  expectSameLines(linesOf(folder, "paraben.ins"), expected);
}

TEST(JobControlScript, LineEditorSavesWithANumberedBackup) {
  TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res",
                folder.path() / "paraben.res");
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "\"Save *.ins\"\n"
                              "\"Edit *.ins (the last saved)\"\n"
                              "window TForm6 CONF\n"
                              "window TForm6 LineList 14\n"
                              "window TForm6 Delete\n"
                              "window TForm6 SaveIns\n"
                              "window TForm6 Exit\n"
                              "open paraben.ins\n");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  EXPECT_NE(o.out.find("Note that the modification here can only be saved at this window!"),
            std::string::npos);
  // The first save kept paraben.res as 000; the editor's save kept the first paraben.ins.
  std::vector<std::string> expected = linesOf(folder, "paraben.001");
  const std::size_t ls = indexOf(expected, "L.S.");
  ASSERT_EQ(ls, 12u);
  expected.insert(expected.begin() + static_cast<long>(ls) + 1, "CONF");
  ASSERT_EQ(expected[14], "BOND $H");
  expected.erase(expected.begin() + 14);
  expectSameLines(linesOf(folder, "paraben.ins"), expected);
  EXPECT_EQ(folder.read("paraben.bak"), folder.read("paraben.ins"));
}

// A real file with a three-line SIMU card: the card moves whole, and its continuation line keeps
// its leading blanks when edited.
TEST(JobControlScript, ContinuedCardMovesWholeInARealFile) {
  const fs::path source = corpusFolder() / "shelxl" / "shelxfile_p1_twin_resi.res";
  if (corpusFolder().empty() || !fs::exists(source)) GTEST_SKIP() << "no corpus file";
  TempFolder folder;
  fs::copy_file(source, folder.path() / "twin.res");
  Outcome o = runScript(folder, "open twin.res\n\"Save *.ins\"\n");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  std::vector<std::string> expected = linesOf(folder, "twin.ins");
  const std::size_t simu = indexOf(expected, "SIMU 0.01");
  ASSERT_TRUE(expected[simu + 1].starts_with(" "));
  ASSERT_EQ(expected[simu + 3], "SIMU 0.04 0.08 1");
  const std::string row = std::to_string(simu + 1);
  o = runScript(folder,
                "open twin.ins\n"
                "\"Edit Shelxl-97 Commands\"\n"
                "window TForm5 LineList " +
                    row +
                    "\n"
                    "window TForm5 MoveDwonward\n"
                    "window TForm5 LineList " +
                    std::to_string(simu + 3) +
                    "\n"
                    "window TForm5 Edit1 \"C4_7 F7_7 F8_7\"\n"
                    "window TForm5 Apply\n"
                    "\"Save *.ins\"\n"
                    "open twin.ins\n");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  std::rotate(expected.begin() + static_cast<long>(simu),
              expected.begin() + static_cast<long>(simu) + 3,
              expected.begin() + static_cast<long>(simu) + 4);
  const std::size_t blanks = expected[simu + 3].find_first_not_of(' ');
  expected[simu + 3] = expected[simu + 3].substr(0, blanks) + "C4_7 F7_7 F8_7";
  expectSameLines(linesOf(folder, "twin.ins"), expected);
}

}  // namespace
}  // namespace tavo::testing
