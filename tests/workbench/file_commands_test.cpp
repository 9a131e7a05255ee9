// Scenarios of the File menu: open by dialog and from the list, refused files, the missing
// graphics settings, save and reopen, reopen as .res, and Save All Expanded Atoms.
#include <algorithm>
#include <fstream>

#include "model/structure_model.h"
#include "text/text.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using workbench::Workbench;

constexpr const char* caption = "Tavo2025d X-ray/DFT/etc: ";

struct Snapshot {
  std::string currentFile;
  std::string caption;
  std::vector<std::string> atoms;
  std::vector<std::string> hydrogens;
  int peakCount = 0;
  std::vector<std::string> instructionLines;
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot snapshotOf(const Workbench& bench) {
  const model::StructureModel& s = bench.structure();
  Snapshot shot{s.currentFile, bench.windowCaption(), {}, {}, s.peakCount, s.instructionLines};
  for (int i = 1; i <= s.nonHCount; ++i)
    shot.atoms.push_back(s.atoms[i].label);
  for (int i = 1; i <= s.hCount; ++i)
    shot.hydrogens.push_back(s.hydrogens[i].label);
  return shot;
}

TEST_F(WorkbenchScenario, OpenByDialogReadsDrawsAndRemembersTheFolder) {
  TAVO_OPEN_PARABEN();
  const model::StructureModel& s = bench->structure();
  const fs::path file = work.path() / "paraben.res";
  EXPECT_EQ(s.currentFile, file.string());
  EXPECT_EQ(bench->windowCaption(), caption + file.string());
  EXPECT_EQ(s.nonHCount, 14);
  EXPECT_EQ(s.hCount, 15);
  EXPECT_EQ(s.peakCount, 10);
  // Bonds were detected and the picture drawn twice (the second after the 20 ms pause).
  EXPECT_GE(s.bonds.count(1), 14);
  EXPECT_EQ(clock.pausedMilliseconds, 20);
  EXPECT_EQ(listener.pictures, 2);
  const std::vector<std::string> texts = canvas.writtenTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "O2"), texts.end());
  // The folder memory: directoryinfo, dirinf and the current directory.
  EXPECT_EQ(bench->directoryInfo(), work.path().string());
  EXPECT_EQ(readFileBytes(program.path() / "dirinf"), work.path().string() + "\n");
  EXPECT_EQ(fs::current_path(), work.path());
  EXPECT_TRUE(bench->window().paintSurfaceEnabled);
  EXPECT_TRUE(bench->window().fileListItemEnabled);
}

TEST_F(WorkbenchScenario, OpenByDialogStartsInDirinfThenInTheCurrentFilesFolder) {
  std::ofstream(program.path() / "dirinf") << work.path().string() << "\n";
  dialogs.nextFile.reset();  // cancelled
  bench->run([&] { bench->fileCommands().openByDialog(); });
  EXPECT_EQ(fs::current_path(), work.path()) << "directoryinfo is 000: dirinf decides";
  EXPECT_FALSE(bench->hasStructure());
  EXPECT_EQ(bench->windowCaption(), caption);
  EXPECT_EQ(listener.pictures, 0);

  TAVO_OPEN_PARABEN();
  // From now on directoryinfo (the folder of the current file) decides, whatever dirinf says.
  std::ofstream(program.path() / "dirinf") << program.path().string() << "\n";
  fs::current_path(program.path());
  dialogs.nextFile.reset();
  bench->run([&] { bench->fileCommands().openByDialog(); });
  EXPECT_EQ(fs::current_path(), work.path());
  EXPECT_EQ(bench->structure().nonHCount, 14);
}

TEST_F(WorkbenchScenario, AnEmptyProgramFolderIsTheCurrentDirectoryAtTheFirstOpen) {
  const std::optional<fs::path> file = repositoryFile("examples/paraben.res");
  fs::current_path(program.path());
  workbench::Workbench fresh(dialogs, canvas, clock, {});
  fresh.run([&] { fresh.viewCommands().resizePane(paneWidth, paneHeight); });
  dialogs.nextFile = *file;
  fresh.run([&] { fresh.fileCommands().openByDialog(); });
  EXPECT_EQ(fresh.programFolder(), program.path());
  EXPECT_TRUE(fresh.hasStructure()) << ::testing::PrintToString(dialogs.shown);
  EXPECT_EQ(readFileBytes(program.path() / "dirinf"), work.path().string() + "\n");
}

TEST_F(WorkbenchScenario, MissingGraphicsSettingsEndTheProgram) {
  const std::optional<fs::path> file = repositoryFile("examples/paraben.res");
  fs::remove(program.path() / "graphics1.inf");
  struct Case {
    const char* why;
    void (*open)(Workbench&, const fs::path&);
  };
  const Case cases[] = {
      {"open by dialog",
       [](Workbench& b, const fs::path&) { b.run([&] { b.fileCommands().openByDialog(); }); }},
      {"tavo FILE",
       [](Workbench& b, const fs::path& f) {
         b.run([&] { b.fileCommands().open(f, workbench::OpenedFrom::CommandLine); });
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    FakeDialogs d;
    d.nextFile = *file;
    RecordingCanvas drawn;
    listener.ended = false;
    auto fresh = makeBench(d, drawn);
    c.open(*fresh, *file);
    EXPECT_EQ(d.shown, std::vector<std::string>{"graphics1.inf does not exits!"});
    EXPECT_TRUE(fresh->endRequested());
    EXPECT_TRUE(listener.ended);
    EXPECT_FALSE(fresh->hasStructure());
    EXPECT_TRUE(drawn.calls.empty());
  }
}

TEST_F(WorkbenchScenario, RefusedOrFailedFilesKeepThePreviousStructureAndCaption) {
  TAVO_OPEN_PARABEN();
  const std::string noTitl = "REM no title\nCELL 0.71073 5 6 7 90 90 90\n";
  const std::string badCell =
      "TITL bad\nCELL 0.71073 abc 6 7 90 90 90\nZERR 4 0 0 0 0 0 0\nSFAC C\nUNIT 1\nL.S. 4\n"
      "FVAR 1.0\nC1    1    0.1 0.2 0.3 11.0 0.05\nHKLF 4\nEND\n";
  enum class Entry { Dialog, List, File, Reopen };
  struct Case {
    const char* why;
    Entry entry;
    std::string content;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"dialog, no TITL",
       Entry::Dialog,
       noTitl,
       {"The first line does not start with a TITL line!  Check the file content!"}},
      {"file list, no TITL", Entry::List, noTitl, {"There is no TITL at the head of this file!!"}},
      {"tavo FILE, no TITL", Entry::File, noTitl, {"There is no TITL at the head of this file!!"}},
      {"reopen, no TITL: silent", Entry::Reopen, noTitl, {}},
      {"dialog, a cell that is no number",
       Entry::Dialog,
       badCell,
       {"'abc' is not a valid floating point value"}},
  };
  const Snapshot before = snapshotOf(*bench);
  const std::string paraben = readFileBytes(before.currentFile);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    dialogs.shown.clear();
    const int pictures = listener.pictures;
    const fs::path bad = work.path() / "bad.ins";
    work.write("bad.ins", c.content);
    switch (c.entry) {
      case Entry::Dialog:
        dialogs.nextFile = bad;
        bench->run([&] { bench->fileCommands().openByDialog(); });
        break;
      case Entry::List:
        bench->run([&] { bench->fileCommands().showFileList(); });
        bench->run([&] { bench->fileCommands().openFromFileList("bad.ins"); });
        break;
      case Entry::File:
        bench->run([&] { bench->fileCommands().open(bad, workbench::OpenedFrom::CommandLine); });
        break;
      case Entry::Reopen:
        work.write("paraben.res", c.content);
        bench->run([&] { bench->fileCommands().reopen(); });
        work.write("paraben.res", paraben);
        break;
    }
    ASSERT_EQ(dialogs.shown.size(), c.messages.size()) << ::testing::PrintToString(dialogs.shown);
    for (size_t m = 0; m < c.messages.size(); ++m) {
      EXPECT_NE(dialogs.shown[m].find(c.messages[m]), std::string::npos) << dialogs.shown[m];
    }
    EXPECT_EQ(snapshotOf(*bench), before);
    EXPECT_EQ(listener.pictures, pictures);
  }
  // The structure kept is still the one reopen reads.
  bench->run([&] { bench->fileCommands().reopen(); });
  EXPECT_EQ(snapshotOf(*bench), before);
}

TEST_F(WorkbenchScenario, FileListNamesInstructionFilesThenTheCurrentFilesSiblings) {
  TAVO_OPEN_PARABEN();
  work.write("b.ins", "TITL b\n");
  work.write("A.INS", "TITL a\n");
  work.write("c.RES", "TITL c\n");
  work.write("paraben.002", "TITL old\n");
  work.write("notes.txt", "x\n");
  bench->run([&] { bench->fileCommands().showFileList(); });
  const workbench::FileListWindow& list = bench->fileList();
  EXPECT_TRUE(list.visible);
  EXPECT_EQ(list.caption, work.path().string());
  EXPECT_EQ(list.names, (std::vector<std::string>{"b.ins", "A.INS", "paraben.res", "c.RES",
                                                  "paraben.002", "paraben.res"}));
  bench->run([&] { bench->fileCommands().selectInFileList("b.ins"); });
  EXPECT_EQ(bench->fileList().previewLines, std::vector<std::string>{"TITL b"});

  bench->run([&] { bench->fileCommands().openFromFileList("paraben.res"); });
  EXPECT_FALSE(bench->fileList().visible);
  EXPECT_EQ(bench->structure().nonHCount, 14);
  EXPECT_EQ(bench->windowCaption(), caption + (work.path() / "paraben.res").string());
}

TEST_F(WorkbenchScenario, FileListShowsTheOpenStructuresFolderNotTheLastDialogFolder) {
  const TempFolder elsewhere;
  elsewhere.write("other.ins", "TITL other\n");
  program.write("dirinf", elsewhere.path().string() + "\n");  // the open dialog's last folder
  ASSERT_TRUE(openAs(repositoryFile("examples/paraben.res"), workbench::OpenedFrom::CommandLine));
  bench->run([&] { bench->fileCommands().showFileList(); });
  EXPECT_EQ(bench->fileList().caption, work.path().string());
  EXPECT_EQ(bench->fileList().names, (std::vector<std::string>{"paraben.res", "paraben.res"}));
  bench->run([&] { bench->fileCommands().selectInFileList("paraben.res"); });
  ASSERT_FALSE(bench->fileList().previewLines.empty());
  EXPECT_EQ(bench->fileList().previewLines[0].rfind("TITL", 0), 0u);
}

TEST_F(WorkbenchScenario, SaveThenReopenKeepsAtomsLabelsAndCards) {
  TAVO_OPEN_PARABEN();
  const model::StructureModel& s = bench->structure();
  const Snapshot before = snapshotOf(*bench);
  std::vector<model::Vec3> positions;
  for (int i = 1; i <= s.nonHCount; ++i)
    positions.push_back({s.atoms[i].x, s.atoms[i].y, s.atoms[i].z});
  bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::Name); });

  bench->run([&] { bench->fileCommands().save(); });  // Ctrl+S
  const fs::path ins = work.path() / "paraben.ins";
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
  EXPECT_EQ(s.currentFile, ins.string());
  EXPECT_EQ(bench->windowCaption(), caption + ins.string());
  EXPECT_TRUE(fs::exists(ins));
  EXPECT_TRUE(fs::exists(work.path() / "paraben.000")) << "the .res is kept as backup 000";
  EXPECT_FALSE(fs::exists(work.path() / "paraben.res"));
  EXPECT_TRUE(fs::exists(work.path() / "paraben.bak"));

  bench->run([&] { bench->fileCommands().reopen(); });  // Ctrl+I
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
  const Snapshot after = snapshotOf(*bench);
  EXPECT_EQ(after.currentFile, ins.string());
  EXPECT_EQ(after.atoms, before.atoms);
  EXPECT_EQ(after.hydrogens, before.hydrogens);
  EXPECT_EQ(after.peakCount, before.peakCount) << "the peaks are written after HKLF";
  ASSERT_EQ(after.instructionLines.size(), before.instructionLines.size());
  EXPECT_TRUE(after.instructionLines[0].ends_with("000 TAVO")) << after.instructionLines[0];
  for (size_t line = 1; line < after.instructionLines.size(); ++line) {
    EXPECT_EQ(after.instructionLines[line], before.instructionLines[line]);
  }
  for (int i = 1; i <= s.nonHCount; ++i) {
    const model::Vec3& p = positions[static_cast<size_t>(i - 1)];
    EXPECT_NEAR(s.atoms[i].x, p.x, 1e-6);
    EXPECT_NEAR(s.atoms[i].y, p.y, 1e-6);
    EXPECT_NEAR(s.atoms[i].z, p.z, 1e-6);
  }
  // The reopen reset the modes ('InitGrph').
  EXPECT_FALSE(bench->modes().is(editing::MouseMode::Name));
  EXPECT_FALSE(bench->window().checkedModeItem.has_value());
}

TEST_F(WorkbenchScenario, SaveChecksTheLabelsAgain) {
  const fs::path file =
      work.write("dup.ins",
                 "TITL dup\n"
                 "CELL 0.71073 10 10 10 90 90 90\n"
                 "ZERR 1 0 0 0 0 0 0\n"
                 "SFAC C O\n"
                 "UNIT 2 1\n"
                 "L.S. 4\n"
                 "FVAR 1.0\n"
                 "C1    1    0.100000    0.100000    0.100000    11.00000    0.05\n"
                 "C1    1    0.220000    0.100000    0.100000    11.00000    0.05\n"
                 "O1    2    0.340000    0.100000    0.100000    11.00000    0.05\n"
                 "HKLF 4\n"
                 "END\n");
  const std::vector<std::string> duplicated{"1 duplicated atom labels exist!  Check them by F10!"};
  bench->run([&] { bench->fileCommands().open(file, workbench::OpenedFrom::CommandLine); });
  ASSERT_TRUE(bench->hasStructure()) << ::testing::PrintToString(dialogs.shown);
  EXPECT_EQ(dialogs.shown, duplicated);
  dialogs.shown.clear();
  bench->run([&] { bench->fileCommands().save(); });
  EXPECT_EQ(dialogs.shown, duplicated);
  EXPECT_EQ(bench->structure().workingGrid.row(1), (std::vector<std::string>{"C1", "Duplicated"}));
  EXPECT_TRUE(fs::exists(work.path() / "dup.000"));
  EXPECT_EQ(bench->windowCaption(), caption + file.string());
}

TEST_F(WorkbenchScenario, ReopenAsResNeedsTheResAndOnlyThenNamesIt) {
  TAVO_OPEN_PARABEN();
  bench->run([&] { bench->fileCommands().save(); });
  const fs::path ins = work.path() / "paraben.ins";
  ASSERT_EQ(bench->structure().currentFile, ins.string());

  // No .res yet (SHELXL has not run): the error is shown and nothing changes, so a later save
  // still writes paraben.ins.
  dialogs.shown.clear();
  bench->run([&] { bench->fileCommands().reopenAsRes(); });  // Ctrl+R
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].find("paraben.res"), std::string::npos) << dialogs.shown[0];
  EXPECT_EQ(bench->structure().currentFile, ins.string());
  EXPECT_EQ(bench->windowCaption(), caption + ins.string());

  // SHELXL wrote the .res.
  fs::copy_file(work.path() / "paraben.000", work.path() / "paraben.res");
  dialogs.shown.clear();
  bench->run([&] { bench->fileCommands().reopenAsRes(); });
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{parabenOpenMessage});
  const fs::path res = work.path() / "paraben.res";
  EXPECT_EQ(bench->structure().currentFile, res.string());
  EXPECT_EQ(bench->windowCaption(), caption + res.string());
  EXPECT_EQ(bench->structure().peakCount, 10);
}

TEST_F(WorkbenchScenario, SaveAllExpandedAtomsWritesTheViewAsANewFile) {
  if (corpusFolder().empty()) GTEST_SKIP() << "no corpus folder";
  // NaCl: Cl1 sits on the origin, where the way back from view coordinates leaves round-off.
  const std::optional<fs::path> file = corpusFile("hikari_NaCl_Fm-3m.res", "nacl.res");
  ASSERT_TRUE(file);
  bench->run([&] { bench->fileCommands().open(*file, workbench::OpenedFrom::CommandLine); });
  ASSERT_TRUE(bench->hasStructure()) << ::testing::PrintToString(dialogs.shown);
  bench->run([&] {
    bench->viewCommands().setRotation(1, 30);
  });  // the view turned: fractional positions must not change
  bench->run([&] { bench->viewCommands().setRotation(2, 17); });
  bench->run([&] { bench->viewCommands().setRotation(3, 41); });
  dialogs.shown.clear();
  const fs::path chosen = work.path() / "NewOne.ins";
  dialogs.nextFile = chosen;
  bench->run([&] { bench->fileCommands().saveAllExpandedAtoms(); });
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);

  const text::TextGrid& grid = bench->workingCoordinates();
  ASSERT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.row(0), (std::vector<std::string>{"Label", "X", "Y", "Z"}));
  const double expected[2][3] = {{0, 0, 0}, {0.5, 0, 0}};
  for (int r = 1; r <= 2; ++r) {
    EXPECT_EQ(grid.cell(r, 0), bench->structure().atoms[r].label);
    for (int c = 1; c <= 3; ++c) {
      SCOPED_TRACE(grid.cell(r, c));
      EXPECT_LE(grid.cell(r, c).size(), 12u);
      EXPECT_NEAR(text::parseDouble(grid.cell(r, c)), expected[r - 1][c - 1], 1e-9);
    }
  }
  EXPECT_EQ(bench->structure().currentFile, file->string()) << "currentFile is not touched";

  // The new file opens as a structure of its own with the same atoms and occupancies (Na1 on
  // its special position keeps its sof).
  const double sof = bench->structure().atoms[2].sof;
  bench->run([&] { bench->fileCommands().open(chosen, workbench::OpenedFrom::CommandLine); });
  ASSERT_EQ(bench->structure().nonHCount, 2) << ::testing::PrintToString(dialogs.shown);
  EXPECT_EQ(bench->structure().atoms[1].label, "CL1");
  EXPECT_NEAR(bench->structure().atoms[2].x, 0.5, 1e-6);
  EXPECT_NEAR(bench->structure().atoms[2].sof, sof, 1e-9);
}

TEST_F(WorkbenchScenario, OurExampleOpensFromTheCommandLine) {
  const fs::path example = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
  if (!fs::exists(example)) GTEST_SKIP() << "no examples/paraben.res";
  const fs::path file = work.path() / "paraben.res";
  fs::copy_file(example, file);
  bench->run(
      [&] { bench->fileCommands().open(file, workbench::OpenedFrom::CommandLine); });  // tavo FILE
  ASSERT_TRUE(bench->hasStructure()) << ::testing::PrintToString(dialogs.shown);
  EXPECT_EQ(bench->windowCaption(), caption + file.string());
  EXPECT_GT(bench->structure().nonHCount, 0);
  EXPECT_GT(bench->structure().bonds.count(1), 0);
  EXPECT_FALSE(canvas.calls.empty());
  EXPECT_EQ(bench->directoryInfo(), work.path().string());
}

}  // namespace
}  // namespace tavo::testing
