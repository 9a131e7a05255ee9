// tavo-cli refine end to end with the stand-in program: the summary as JSON, a failure with the
// listing's error line, a hanging program stopped by --timeout, and Refine from a run script.
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/cli_run.h"

namespace tavo::testing {
namespace {

const std::string fake = std::string(TAVO_SOURCE_DIR) + "/tests/support/fake_shelxl";

struct RefineFolder {
  RefineFolder(bool withData) {
    copyExample(folder);
    if (withData) copyExample(folder, "tests/data/density/paraben.hkl");
    resBefore = folder.read("paraben.res");
  }
  ~RefineFolder() {
    for (const char* name : {"FAKE_SHELXL_MODE", "FAKE_SHELXL_R1", "TAVO_REFINE_PROGRAM"})
      ::unsetenv(name);
  }
  Outcome refine(const std::string& options = "") {
    return runCli(folder, "refine paraben.res --program '" + fake + "' " + options);
  }
  std::vector<std::string> history() const {
    return model::loadFileLines(folder.path() / "paraben.tavo-history");
  }
  TempFolder folder;
  std::string resBefore;
};

TEST(RefineCommand, PrintsTheSummaryAndRecordsEachRun) {
  RefineFolder f(true);
  const Outcome first = f.refine("--json");
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  EXPECT_NE(first.out.find(R"("R1_gt":0.0421,"R1_all":0.0521,"wR2":0.101,"goof":1.05)"),
            std::string::npos)
      << first.out;
  EXPECT_NE(first.out.find(R"("cycles":10)"), std::string::npos) << first.out;
  EXPECT_NE(first.out.find(R"("max_shift_su":-0.02)"), std::string::npos) << first.out;
  EXPECT_NE(first.out.find("\"file\":\"" + (f.folder.path() / "paraben.res").string() + "\""),
            std::string::npos)
      << first.out;
  EXPECT_NE(f.folder.read("paraben.res"), f.resBefore) << "the program wrote the next .res";
  // The second run reports the change from the first.
  ::setenv("FAKE_SHELXL_R1", "0.0400", 1);
  const Outcome second = f.refine();
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_NE(second.out.find("R1 (Fo > 4sig(Fo)): 0.0400 (previous 0.0421, change -0.0021)"),
            std::string::npos)
      << second.out;
  ASSERT_EQ(f.history().size(), 3u) << "the heading and two runs";
  EXPECT_EQ(f.history()[2].substr(f.history()[2].find('\t') + 1, 10), "ok\t0.04\t0.");
}

TEST(RefineCommand, AFailureGivesTheListingsErrorAndKeepsTheFiles) {
  RefineFolder f(false);
  const Outcome outcome = f.refine();
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("** CANNOT OPEN FILE paraben.hkl **"), std::string::npos)
      << outcome.err;
  EXPECT_EQ(f.folder.read("paraben.res"), f.resBefore);
  EXPECT_TRUE(std::filesystem::exists(f.folder.path() / "paraben.ins"));
  ASSERT_EQ(f.history().size(), 2u);
  EXPECT_NE(f.history()[1].find("\tfailed\t"), std::string::npos);
}

TEST(RefineCommand, AHangingProgramIsStoppedAtTheTimeout) {
  RefineFolder f(true);
  ::setenv("FAKE_SHELXL_MODE", "hang", 1);
  const auto started = std::chrono::steady_clock::now();
  const Outcome outcome = f.refine("--timeout 4");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("Timed out"), std::string::npos) << outcome.err;
  // The output's last lines name the child the program started: it is gone too.
  const std::size_t at = outcome.err.find("FAKE CHILD PID ");
  ASSERT_NE(at, std::string::npos) << outcome.err;
  const int child = std::stoi(outcome.err.substr(at + 15));
  bool gone = false;
  for (int i = 0; i < 150 && !gone; ++i) {
    gone = ::kill(child, 0) != 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(gone) << "child " << child;
  EXPECT_EQ(f.folder.read("paraben.res"), f.resBefore);
  ASSERT_EQ(f.history().size(), 2u);
  EXPECT_NE(f.history()[1].find("\ttimed out\t"), std::string::npos);
}

TEST(RefineCommand, AScriptRefinesThroughTheMenuItem) {
  RefineFolder f(true);
  ::setenv("TAVO_REFINE_PROGRAM", fake.c_str(), 1);
  const Outcome outcome =
      runScript(f.folder, "open paraben.res\n\"Refine\"\nwindow RefineRun print\n");
  ASSERT_EQ(outcome.status, 0) << outcome.out << outcome.err;
  EXPECT_NE(outcome.out.find("Finished: R1 = 0.0421"), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("R1 (Fo > 4sig(Fo)) | 0.0421"), std::string::npos) << outcome.out;
  ASSERT_EQ(f.history().size(), 2u);
}

}  // namespace
}  // namespace tavo::testing
