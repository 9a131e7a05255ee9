// The refinement windows under the offscreen platform: the run window follows a running program
// (the event loop keeps going meanwhile) and shows its cycles and summary; Cancel stops a
// hanging program with its child.
#include <signal.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/windows/auxiliary_window.h"
#include "app/windows/window_set.h"
#include "gui_harness.h"

namespace tavo::testing {
namespace {

const std::string fakeProgram = std::string(TAVO_SOURCE_DIR) + "/tests/support/fake_shelxl";

/// Runs the event loop until `done` holds or `seconds` pass; true when it held.
template <class Condition>
bool waitFor(Condition done, int seconds = 30) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > seconds * 1000) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

struct RefineHarness : GuiHarness {
  RefineHarness() {
    folder.write("three.hkl", "   1   0   0   100.00     1.00\n");
    open("three.ins", threeCarbons);
    bench->refinement().setProgram(fakeProgram);
    refineWindow = window->windows().find(QStringLiteral("RefineRun"));
  }
  ~RefineHarness() {
    for (const char* name : {"FAKE_SHELXL_MODE", "FAKE_SHELXL_SLEEP"})
      ::unsetenv(name);
  }
  const workbench::RefinementRunWindow& run() const { return bench->refinement().runWindow(); }
  void pressRefine() {
    auto* button = window->findChild<QPushButton*>(QStringLiteral("RefineButton"));
    ASSERT_NE(button, nullptr);
    button->click();
  }
  int rowsOf(const char* table) const {
    return refineWindow->findChild<QTableView*>(QString::fromLatin1(table))->model()->rowCount();
  }
  app::AuxiliaryWindow* refineWindow = nullptr;
};

TEST(RefineRunWindow, FollowsTheRunAndShowsTheSummary) {
  ::setenv("FAKE_SHELXL_SLEEP", "0.3", 1);
  RefineHarness h;
  ASSERT_NE(h.refineWindow, nullptr);
  h.pressRefine();
  EXPECT_TRUE(h.refineWindow->isVisible());
  EXPECT_TRUE(h.bench->refinement().running());
  // While the program runs the window shows the cycles done so far.
  ASSERT_TRUE(waitFor([&] { return h.rowsOf("CycleGrid") > 2; }));
  EXPECT_TRUE(h.bench->refinement().running()) << "the first cycles are shown before the end";
  auto* progress = h.refineWindow->findChild<QProgressBar*>(QStringLiteral("RunProgress"));
  EXPECT_EQ(progress->maximum(), 4);
  EXPECT_GT(progress->value(), 0);
  ASSERT_TRUE(waitFor([&] { return !h.bench->refinement().running(); }));
  EXPECT_EQ(h.run().phase, workbench::RunPhase::Succeeded) << h.run().status;
  QApplication::processEvents();
  EXPECT_EQ(h.rowsOf("CycleGrid"), 4) << "one row per cycle below the heading";
  EXPECT_EQ(progress->value(), 4);
  EXPECT_TRUE(h.refineWindow->findChild<QTableView*>(QStringLiteral("SummaryGrid"))->isVisible());
  EXPECT_GT(h.rowsOf("SummaryGrid"), 5);
  EXPECT_TRUE(h.refineWindow->findChild<QLabel*>(QStringLiteral("RunStatus"))
                  ->text()
                  .startsWith(QStringLiteral("Finished: R1 = 0.0421")));
  EXPECT_EQ(std::filesystem::path(h.bench->structure().currentFile).filename(), "three.res");
  EXPECT_FALSE(h.refineWindow->findChild<QPushButton*>(QStringLiteral("Cancel"))->isEnabled());
}

TEST(RefineRunWindow, CancelStopsTheProgramAndItsChild) {
  ::setenv("FAKE_SHELXL_MODE", "hang", 1);
  RefineHarness h;
  h.pressRefine();
  int child = 0;
  ASSERT_TRUE(waitFor([&] {
    for (const std::string& line : h.run().console)
      if (line.starts_with(" FAKE CHILD PID ")) child = std::stoi(line.substr(16));
    return child > 0;
  }));
  auto* cancel = h.refineWindow->findChild<QPushButton*>(QStringLiteral("Cancel"));
  ASSERT_TRUE(cancel->isEnabled());
  cancel->click();
  ASSERT_TRUE(waitFor([&] { return !h.bench->refinement().running(); }, 10));
  EXPECT_EQ(h.run().phase, workbench::RunPhase::Stopped);
  EXPECT_TRUE(waitFor([&] { return ::kill(child, 0) != 0; }, 5)) << "the child " << child;
  EXPECT_EQ(std::filesystem::path(h.bench->structure().currentFile).filename(), "three.ins");
  EXPECT_FALSE(std::filesystem::exists(h.folder.path() / "three.res"));
  EXPECT_FALSE(cancel->isEnabled());
}

}  // namespace
}  // namespace tavo::testing
