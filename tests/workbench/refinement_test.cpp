// The refinement loop through the workbench with the POSIX runner and the stand-in program:
// a run that succeeds (reopened with the view and Selection kept, summary, history), a second
// run compared with the first and an earlier run restored, a failure, and a hanging program
// stopped by Cancel and by the timeout with no process left behind.
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "model/file_lines.h"
#include "workbench/posix_program_runner.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using workbench::CommandId;
using workbench::RunPhase;

const std::string fakeProgram = std::string(TAVO_SOURCE_DIR) + "/tests/support/fake_shelxl";

/// True once no process has `pid` (waits up to three seconds for it to be reaped).
bool processGone(int pid) {
  for (int i = 0; i < 150; ++i) {
    if (::kill(pid, 0) != 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

class RefineScenario : public WorkbenchScenario {
 protected:
  RefineScenario() {
    bench->refinement().setRunner(&runner);
    bench->refinement().setProgram(fakeProgram);
    for (const char* name : {"FAKE_SHELXL_MODE", "FAKE_SHELXL_R1", "FAKE_SHELXL_SHIFT",
                             "FAKE_SHELXL_SLEEP", workbench::refineProgramVariable})
      ::unsetenv(name);
  }
  ~RefineScenario() override {
    for (const char* name : {"FAKE_SHELXL_MODE", "FAKE_SHELXL_R1", "FAKE_SHELXL_SHIFT"})
      ::unsetenv(name);
  }
  workbench::RefinementCommands& refinement() { return bench->refinement(); }
  const workbench::RefinementRunWindow& runWindow() { return refinement().runWindow(); }
  fs::path file(const std::string& name) const { return work.path() / name; }
  /// Our example opened, with its reflections beside it when `withData`.
  void openParabenWith(bool withData) {
    if (withData) repositoryFile("tests/data/density/paraben.hkl", "paraben.hkl");
    ASSERT_TRUE(openParaben()) << ::testing::PrintToString(dialogs.shown);
    dialogs.shown.clear();
  }
  double atomX(const std::string& label) { return bench->structure().atoms[ref(label).index].x; }
  std::vector<workbench::RefinementRunRecord> history() {
    return workbench::readHistory(file("paraben.tavo-history"));
  }

  workbench::PosixProgramRunner runner;
};

TEST_F(RefineScenario, ASuccessfulRunReopensTheResKeepingViewAndSelection) {
  openParabenWith(true);
  ASSERT_TRUE(bench->run([&] { bench->viewCommands().setRotation(2, 40); }));
  ASSERT_TRUE(bench->run([&] { bench->viewCommands().setZoom(150); }));
  bench->state().selection.append(bench->state().structure, ref("O1"));
  bench->state().selection.append(bench->state().structure, ref("C1"));
  const model::Vec3 o1Before = bench->structure().viewOf(ref("O1"));
  const double xBefore = atomX("O1");
  const std::string resBefore = readFileBytes(file("paraben.res"));

  ASSERT_TRUE(bench->run(CommandId::Refine)) << ::testing::PrintToString(dialogs.shown);
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
  ASSERT_EQ(runWindow().phase, RunPhase::Succeeded) << runWindow().status;
  EXPECT_TRUE(runWindow().visible);

  // The new .res is what is open, with the orientation, zoom and Selection of before.
  EXPECT_EQ(fs::path(bench->structure().currentFile), file("paraben.res"));
  EXPECT_EQ(refinement().reopenedFile(), file("paraben.res"));
  EXPECT_NE(readFileBytes(file("paraben.res")), resBefore);
  EXPECT_NEAR(atomX("O1"), xBefore + 0.0005, 1e-6);
  EXPECT_EQ(bench->viewState().zoom, 150);
  const model::Vec3 o1After = bench->structure().viewOf(ref("O1"));
  EXPECT_NEAR(o1After.x, o1Before.x, 0.02);
  EXPECT_NEAR(o1After.y, o1Before.y, 0.02);
  EXPECT_NEAR(o1After.z, o1Before.z, 0.02);
  EXPECT_EQ(selectedLabels(), (std::vector<std::string>{"O1", "C1"}));

  // The summary is the listing's, and the cycles those of L.S. in the file.
  const model::RefinementSummary& s = refinement().lastSummary();
  EXPECT_DOUBLE_EQ(*s.r1Gt, 0.0421);
  EXPECT_DOUBLE_EQ(*s.r1All, 0.0521);
  EXPECT_DOUBLE_EQ(*s.goof, 1.05);
  EXPECT_EQ(runWindow().cyclesDone, runWindow().cyclesPlanned);
  EXPECT_GT(runWindow().cyclesPlanned, 0);
  EXPECT_EQ(runWindow().cycles.rowCount(), runWindow().cyclesDone + 1);
  EXPECT_EQ(runWindow().summary.row(1),
            (std::vector<std::string>{"R1 (Fo > 4sig(Fo))", "0.0421", "", ""}));
  EXPECT_FALSE(runWindow().console.empty());

  // The history holds the run and the copy of the .ins it ran on, equal to the saved .ins.
  const std::vector<workbench::RefinementRunRecord> runs = history();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].outcome, "ok");
  EXPECT_DOUBLE_EQ(*runs[0].r1Gt, 0.0421);
  EXPECT_EQ(runs[0].cycles, runWindow().cyclesDone);
  ASSERT_FALSE(runs[0].insBackup.empty());
  EXPECT_EQ(readFileBytes(file(runs[0].insBackup)), readFileBytes(file("paraben.ins")));
}

TEST_F(RefineScenario, ASecondRunIsComparedWithTheFirstAndTheFirstRestored) {
  openParabenWith(true);
  ::setenv("FAKE_SHELXL_SHIFT", "0.05", 1);  // the first run moves every atom by 0.05 of a
  ASSERT_TRUE(bench->run(CommandId::Refine));
  ASSERT_EQ(runWindow().phase, RunPhase::Succeeded) << runWindow().status;
  const double xAfterFirst = atomX("C1");
  ::setenv("FAKE_SHELXL_R1", "0.0400", 1);
  ::setenv("FAKE_SHELXL_SHIFT", "0.0005", 1);
  ASSERT_TRUE(bench->run(CommandId::Refine));
  ASSERT_EQ(runWindow().phase, RunPhase::Succeeded) << runWindow().status;
  EXPECT_EQ(runWindow().summary.row(1),
            (std::vector<std::string>{"R1 (Fo > 4sig(Fo))", "0.0400", "0.0421", "-0.0021"}));
  ASSERT_EQ(history().size(), 2u);

  // Run 1 ran on the file as opened, run 2 on the first .res: every atom moved.
  ASSERT_TRUE(bench->run(CommandId::RefinementHistory));
  EXPECT_EQ(refinement().historyWindow().runs.rowCount(), 3);
  ASSERT_TRUE(bench->operateWindow("RefineHistory", {"RunGrid", "1", "2"}));
  ASSERT_TRUE(bench->operateWindow("RefineHistory", {"Compare"}));
  const text::TextGrid& comparison = refinement().historyWindow().comparison;
  EXPECT_EQ(comparison.rowCount(), 1 + 14 + 15) << "14 atoms and 15 H atoms moved";
  EXPECT_EQ(comparison.row(1)[1], "moved");
  EXPECT_NE(refinement().historyWindow().comparisonCaption.find(
                "0 added, 0 removed, 29 moved more than 0.1 A"),
            std::string::npos)
      << refinement().historyWindow().comparisonCaption;

  // Restore run 1: its .ins is the model and the next .ins; the replaced .ins is kept; undoable.
  const std::string insOfRun2 = readFileBytes(file("paraben.ins"));
  const std::string backupOfRun1 = history()[0].insBackup;
  ASSERT_TRUE(bench->operateWindow("RefineHistory", {"RunGrid", "1"}));
  ASSERT_TRUE(bench->operateWindow("RefineHistory", {"Restore"}))
      << ::testing::PrintToString(dialogs.shown);
  EXPECT_NEAR(atomX("C1"), xAfterFirst - 0.05, 1e-6);
  std::vector<std::string> restored = model::loadFileLines(file("paraben.ins"));
  std::vector<std::string> original = model::loadFileLines(file(backupOfRun1));
  ASSERT_FALSE(restored.empty());
  restored.erase(restored.begin());  // TITL carries the stamp of each save
  original.erase(original.begin());
  EXPECT_EQ(restored, original);
  bool kept = false;
  for (const auto& entry : fs::directory_iterator(work.path()))
    kept = kept || readFileBytes(entry.path()) == insOfRun2;
  EXPECT_TRUE(kept) << "the .ins of run 2 is kept as a backup";
  ASSERT_TRUE(bench->enabled(CommandId::UndoLastEdit));
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_NEAR(atomX("C1"), xAfterFirst + 0.0005, 1e-6);
}

TEST_F(RefineScenario, AFailureShowsTheListingsErrorAndReopensNothing) {
  openParabenWith(false);  // no paraben.hkl
  const std::string resBefore = readFileBytes(file("paraben.res"));
  ASSERT_TRUE(bench->run(CommandId::Refine));
  ASSERT_EQ(runWindow().phase, RunPhase::Failed);
  EXPECT_EQ(runWindow().messages, std::vector<std::string>{"** CANNOT OPEN FILE paraben.hkl **"});
  EXPECT_EQ(runWindow().status, "The program failed (exit status 1); nothing was reopened.");
  EXPECT_EQ(fs::path(bench->structure().currentFile), file("paraben.ins"));
  EXPECT_EQ(readFileBytes(file("paraben.res")), resBefore);
  const std::vector<workbench::RefinementRunRecord> runs = history();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].outcome, "failed");
  EXPECT_EQ(readFileBytes(file(runs[0].insBackup)), readFileBytes(file("paraben.ins")));
}

TEST_F(RefineScenario, AHangingProgramIsStoppedWithItsChildren) {
  struct Case {
    bool byCancel;
    RunPhase phase;
    const char* outcome;
  };
  for (const Case c :
       {Case{true, RunPhase::Stopped, "stopped"}, Case{false, RunPhase::Stopped, "timed out"}}) {
    SCOPED_TRACE(c.outcome);
    if (!bench->hasStructure()) openParabenWith(true);
    const std::string resBefore = readFileBytes(file("paraben.res"));
    ::setenv("FAKE_SHELXL_MODE", "hang", 1);
    int child = 0;
    int leader = 0;
    workbench::PosixProgramRunner hanging(c.byCancel ? 0 : 5, [&] {
      if (hanging.pid() > 0) leader = hanging.pid();
      for (const std::string& line : runWindow().console)
        if (line.starts_with(" FAKE CHILD PID ")) child = std::stoi(line.substr(16));
      if (c.byCancel && child > 0) refinement().cancel();
    });
    hanging.setGrace(0.5);
    refinement().setRunner(&hanging);
    ASSERT_TRUE(bench->run(CommandId::Refine));
    EXPECT_EQ(runWindow().phase, c.phase);
    ASSERT_GT(child, 0);
    EXPECT_TRUE(processGone(child)) << "the program's child " << child;
    EXPECT_TRUE(processGone(leader)) << "the program " << leader;
    EXPECT_EQ(readFileBytes(file("paraben.res")), resBefore);
    EXPECT_EQ(fs::path(bench->structure().currentFile), file("paraben.ins"));
    EXPECT_EQ(history().back().outcome, c.outcome);
    refinement().setRunner(&runner);
  }
  EXPECT_EQ(history().size(), 2u);
}

TEST_F(RefineScenario, TheSettingsAreKeptInTheProgramFolder) {
  workbench::RefinementCommands& r = refinement();
  r.setProgram("/opt/xl/shelxl");
  r.setArguments("-t4");
  ASSERT_TRUE(bench->run([&] { r.saveSettings(); }));
  EXPECT_EQ(model::loadFileLines(program.path() / "refine.inf"),
            (std::vector<std::string>{"/opt/xl/shelxl", "-t4"}));
  FakeDialogs otherDialogs;
  RecordingCanvas otherCanvas;
  const auto other = makeBench(otherDialogs, otherCanvas);
  EXPECT_EQ(other->refinement().settings(),
            (workbench::RefinementSettings{"/opt/xl/shelxl", "-t4"}));
  // A program that is not found is named in the message, and nothing is saved or run.
  openParabenWith(true);
  r.setProgram("no-such-refinement-program");
  EXPECT_FALSE(bench->run(CommandId::Refine));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{
                               "The refinement program 'no-such-refinement-program' was not "
                               "found: choose it in \"Refinement Program\" (Commands menu)."});
  EXPECT_FALSE(fs::exists(file("paraben.ins")));
  // TAVO_REFINE_PROGRAM names the program in place of the settings.
  ::setenv(workbench::refineProgramVariable, fakeProgram.c_str(), 1);
  EXPECT_TRUE(bench->run(CommandId::Refine));
  ::unsetenv(workbench::refineProgramVariable);
  EXPECT_EQ(runWindow().phase, RunPhase::Succeeded);
}

TEST_F(RefineScenario, ComparingTwoModelsFindsAddedRemovedAndMovedAtoms) {
  openParabenWith(true);
  const std::string head =
      "TITL t\nCELL 0.71073 10 10 10 90 90 90\nZERR 4 0 0 0 0 0 0\n"
      "LATT 1\nSFAC C O\nUNIT 4 4\nFVAR 1\n";
  work.write("a.ins", head +
                          "C1 1 0.10 0.10 0.10 11 0.02\nC2 1 0.20 0.10 0.10 11 0.02\n"
                          "O1 2 0.30 0.10 0.10 11 0.02\nHKLF 4\nEND\n");
  work.write("b.ins", head +
                          "c1 1 0.105 0.10 0.10 11 0.02\nC2 1 0.22 0.10 0.10 11 0.02\n"
                          "O2 2 0.30 0.10 0.10 11 0.02\nHKLF 4\nEND\n");
  const workbench::ModelComparison c = workbench::compareInstructionFiles(
      file("a.ins"), file("b.ins"), bench->preferences().elementDefinitions(),
      bench->structure().limits);
  EXPECT_EQ(c.added, std::vector<std::string>{"O2"});
  EXPECT_EQ(c.removed, std::vector<std::string>{"O1"});
  ASSERT_EQ(c.moved.size(), 1u) << "C1 moved 0.05 A (labels compared case-insensitively)";
  EXPECT_EQ(c.moved[0].label, "C2");
  EXPECT_NEAR(c.moved[0].distanceA, 0.2, 1e-9);
}

}  // namespace
}  // namespace tavo::testing
