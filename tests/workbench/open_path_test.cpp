// The one open path and its ways in (open dialog, file list, `tavo FILE`, tavo-cli, reopen) on
// files of the repository: the reader's TITL rule, the refusals with their texts, the file list
// item, the dispatcher, and Save All Expanded Atoms with H atoms of two SFAC entries.
#include <algorithm>
#include <fstream>

#include "model/file_lines.h"
#include "text/text.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using workbench::OpenedFrom;

constexpr const char* caption = "Tavo2025d X-ray/DFT/etc: ";
constexpr const char* remBeforeTitl = "tests/data/shelxl/rem_before_titl.res";

TEST_F(WorkbenchScenario, EveryWayInOpensAFileWhoseTitlFollowsRemAndBlankLines) {
  const fs::path file = repositoryFile(remBeforeTitl, "meod.res");
  struct Case {
    OpenedFrom from;
    bool offersTheFileList;
    const char* why;
  };
  const Case cases[] = {
      {OpenedFrom::Dialog, true, "Ctrl+O"},
      {OpenedFrom::FileList, false, "a double click in the file list"},
      {OpenedFrom::CommandLine, true, "tavo FILE: the list is offered as after Ctrl+O"},
      {OpenedFrom::Batch, true, "tavo-cli"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    dialogs.shown.clear();
    bench = makeBench(dialogs, canvas);
    ASSERT_TRUE(openAs(file, c.from)) << ::testing::PrintToString(dialogs.shown);
    EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
    const model::StructureModel& s = bench->structure();
    EXPECT_EQ(s.currentFile, file.string());
    EXPECT_EQ(bench->windowCaption(), caption + file.string());
    EXPECT_TRUE(s.instructionLines[0].starts_with("TITL meod")) << s.instructionLines[0];
    EXPECT_EQ(s.nonHCount, 2);
    EXPECT_EQ(s.hCount, 4);
    EXPECT_EQ(s.bonds.count(1), 1) << "C1-O1";
    EXPECT_TRUE(bench->window().paintSurfaceEnabled);
    EXPECT_EQ(bench->window().fileListItemEnabled, c.offersTheFileList);
    EXPECT_EQ(bench->enabled(workbench::CommandId::ListFiles), c.offersTheFileList);

    ASSERT_TRUE(bench->run([&] { bench->fileCommands().reopen(); }));  // Ctrl+I
    EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
    EXPECT_EQ(bench->structure().nonHCount, 2);
  }
}

TEST_F(WorkbenchScenario, AByteOrderMarkOrCarriageReturnsKeepNoFileOutOfTheWindow) {
  const fs::path bom = repositoryFile("tests/data/shelxl/olex2_trailer_afix_comments.ins");
  std::string text = readFileBytes(bom);
  std::replace(text.begin(), text.end(), '\n', '\r');
  const fs::path mac = work.write("mac.ins", text);
  for (const fs::path& file : {bom, mac}) {
    for (OpenedFrom from : {OpenedFrom::Dialog, OpenedFrom::FileList, OpenedFrom::Batch}) {
      SCOPED_TRACE(file.filename().string() + " " + std::to_string(static_cast<int>(from)));
      dialogs.shown.clear();
      bench = makeBench(dialogs, canvas);
      ASSERT_TRUE(openAs(file, from)) << ::testing::PrintToString(dialogs.shown);
      EXPECT_EQ(bench->structure().nonHCount, 4);
      EXPECT_EQ(bench->structure().hCount, 4);
    }
  }
}

TEST_F(WorkbenchScenario, RefusalsShowTheirEntrysTextAndKeepTheStructure) {
  TAVO_OPEN_PARABEN();
  const std::string before = bench->structure().currentFile;
  const std::vector<std::string> lines = bench->structure().instructionLines;
  const std::string noTitl = "REM a comment\n\nCELL 0.71073 5 6 7 90 90 90\nTITL late\n";
  const std::string dialogText =
      "The first line does not start with a TITL line!  Check the file content!";
  const std::string listText = "There is no TITL at the head of this file!!";
  struct Case {
    OpenedFrom from;
    std::string name;  // "" for an empty command-line argument
    std::string content;
    std::string message;
    const char* why;
  };
  const fs::path missing = work.path() / "gone.ins";
  const Case cases[] = {
      {OpenedFrom::Dialog, "bad.ins", noTitl, dialogText, "Ctrl+O: a card before TITL"},
      {OpenedFrom::FileList, "bad.ins", noTitl, listText, "file list"},
      {OpenedFrom::CommandLine, "bad.ins", noTitl, listText, "tavo FILE"},
      {OpenedFrom::Batch, "bad.ins", noTitl, dialogText, "tavo-cli"},
      {OpenedFrom::CommandLine, "", "", "No file name was given.", "tavo \"\""},
      {OpenedFrom::CommandLine, "gone.ins", "", missing.string() + ": does not exist",
       "tavo with a file that is not there"},
      {OpenedFrom::CommandLine, "sub", "", (work.path() / "sub").string() + ": is not a file",
       "tavo with a folder"},
  };
  fs::create_directory(work.path() / "sub");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    dialogs.shown.clear();
    fs::path file;
    if (!c.name.empty()) file = work.path() / c.name;
    if (!c.content.empty()) work.write(c.name, c.content);
    const int pictures = listener.pictures;
    if (c.from == OpenedFrom::Dialog || c.from == OpenedFrom::FileList) {
      EXPECT_FALSE(openAs(file, c.from) && bench->structure().currentFile != before);
    } else {
      EXPECT_FALSE(bench->run([&] { bench->fileCommands().open(file, c.from); }));
    }
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{c.message});
    EXPECT_EQ(bench->structure().currentFile, before);
    EXPECT_EQ(bench->structure().instructionLines, lines);
    EXPECT_EQ(bench->windowCaption(), caption + before);
    EXPECT_EQ(listener.pictures, pictures);
  }
}

TEST_F(WorkbenchScenario, AFailedCommandShowsItsMessageOnceAndReportsTheFailure) {
  TAVO_OPEN_PARABEN();
  fs::create_directory(work.path() / "selection_mem.txt");  // the memory file cannot be written
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::MemSelect); }));
  click("O1");
  ASSERT_EQ(selectedLabels(), std::vector<std::string>{"O1"});
  EXPECT_FALSE(bench->run([&] { bench->modeCommands().apply(); }));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].find("selection_mem.txt"), std::string::npos) << dialogs.shown[0];
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"O1"}) << "the Selection is kept";
}

TEST_F(WorkbenchScenario, SaveAllExpandedAtomsKeepsTheSfacOfEveryHAtom) {
  // D1 (SFAC 3, D) comes first in the H atom table, H1A..H1C (SFAC 2, H) after it.
  const fs::path file = repositoryFile(remBeforeTitl, "meod.res");
  ASSERT_TRUE(openAs(file, OpenedFrom::CommandLine)) << ::testing::PrintToString(dialogs.shown);
  const fs::path chosen = work.path() / "NewOne.ins";
  dialogs.nextFile = chosen;
  ASSERT_TRUE(bench->run([&] { bench->fileCommands().saveAllExpandedAtoms(); }));
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);

  struct Expected {
    const char* label;
    const char* sfac;
    double x, y, z;
  };
  const Expected atoms[] = {
      {"O1", "4", 0.526154, 0.277778, 0.329670},  {"C1", "1", 0.307692, 0.277778, 0.329670},
      {"D1", "3", 0.574308, 0.403889, 0.329670},  {"H1A", "2", 0.257538, 0.406111, 0.329670},
      {"H1B", "2", 0.257538, 0.213611, 0.417582}, {"H1C", "2", 0.257538, 0.213611, 0.241758},
  };
  const std::vector<std::string> lines = model::loadFileLines(chosen);
  size_t row = 0;
  while (row < lines.size() && !lines[row].starts_with("FVAR"))
    ++row;
  ASSERT_LT(row + std::size(atoms) + 1, lines.size());
  for (const Expected& atom : atoms) {
    // The second line of an anisotropic atom holds its last four Uij.
    if (lines[row].ends_with("=")) ++row;
    const std::vector<std::string_view> words = text::splitWords(lines[++row]);
    SCOPED_TRACE(lines[row]);
    ASSERT_GE(words.size(), 5u);
    EXPECT_EQ(words[0], atom.label);
    EXPECT_EQ(words[1], atom.sfac);
    EXPECT_NEAR(text::parseDouble(words[2]), atom.x, 2e-6);
    EXPECT_NEAR(text::parseDouble(words[3]), atom.y, 2e-6);
    EXPECT_NEAR(text::parseDouble(words[4]), atom.z, 2e-6);
  }
  EXPECT_EQ(lines[++row], "HKLF 4");
  EXPECT_EQ(lines[++row], "END");
}

}  // namespace
}  // namespace tavo::testing
