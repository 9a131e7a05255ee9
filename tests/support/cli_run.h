// Running the built tavo-cli from a test, as a user runs it: in a folder of its own, over the
// shipped settings of data/. Only the script tests, which know where the program is, include it.
#pragma once

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "model/file_lines.h"
#include "support/temp_folder.h"

#ifndef TAVO_CLI
#error "cli_run.h needs TAVO_CLI, the path of the built tavo-cli"
#endif

namespace tavo::testing {

/// The exit status of a tavo-cli run and what it printed.
struct Outcome {
  int status = -1;
  std::string out, err;
};

/// The program folder of the runs: a copy of data/ made once per test program, so that what a
/// run writes into its program folder (dirinf after an open or import through the dialog) stays
/// out of the source tree.
inline const std::filesystem::path& runProgramFolder() {
  static const TempFolder program;
  static const bool copied = [] {
    std::filesystem::copy(dataFolder(), program.path(), std::filesystem::copy_options::recursive);
    return true;
  }();
  (void)copied;
  return program.path();
}

/// Runs `tavo-cli ARGUMENTS --program-folder` (a copy of data/) in `folder` (relative names are
/// taken from there).
inline Outcome runCli(const TempFolder& folder, const std::string& arguments) {
  const std::string command = "cd '" + folder.path().string() + "' && '" TAVO_CLI "' " + arguments +
                              " --program-folder '" + runProgramFolder().string() +
                              "' >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  outcome.out = folder.read("out.txt");
  outcome.err = folder.read("err.txt");
  return outcome;
}

/// Writes `script` to script.tavo in `folder` and runs it with `tavo-cli run`.
inline Outcome runScript(const TempFolder& folder, const std::string& script) {
  folder.write("script.tavo", script);
  return runCli(folder, "run script.tavo");
}

/// How `savedAfter` runs its script and reads the saved file back.
struct SaveRun {
  int expectedStatus = 0;                     // the exit status the test expects of the script
  std::vector<std::filesystem::path> others;  // copied beside the structure as "other_NAME"
  bool raw = false;       // lines as written: a continuation line keeps its leading blank
  bool dropTitl = false;  // leave out line 0, TITL with the time of its save

  SaveRun& expecting(int status) {
    expectedStatus = status;
    return *this;
  }
  SaveRun& besides(std::vector<std::filesystem::path> files) {
    others = std::move(files);
    return *this;
  }
  SaveRun& rawLines() {
    raw = true;
    return *this;
  }
  SaveRun& withoutTitl() {
    dropTitl = true;
    return *this;
  }
};

/// Copies `source` into a fresh folder, runs a script that opens the copy, runs `edits` and saves
/// with "Save *.ins", and returns the saved NAME.ins line by line (empty when nothing was saved).
/// `output` gets what the script printed.
inline std::vector<std::string> savedAfter(const std::filesystem::path& source,
                                           const std::string& edits, std::string& output,
                                           const SaveRun& run = {}) {
  const TempFolder folder;
  const std::filesystem::path copy = folder.path() / source.filename();
  std::filesystem::copy_file(source, copy);
  for (const std::filesystem::path& other : run.others)
    std::filesystem::copy_file(other, folder.path() / ("other_" + other.filename().string()));
  const Outcome outcome =
      runScript(folder, "open " + copy.filename().string() + "\n" + edits + "\"Save *.ins\"\n");
  output = outcome.out + outcome.err;
  EXPECT_EQ(outcome.status, run.expectedStatus) << output;
  std::filesystem::path saved = copy;
  saved.replace_extension(".ins");
  if (!std::filesystem::exists(saved)) return {};
  std::vector<std::string> lines =
      run.raw ? model::loadRawFileLines(saved) : model::loadFileLines(saved);
  if (run.dropTitl && !lines.empty()) lines.erase(lines.begin());
  return lines;
}

/// The first of `lines` that starts with `start` (end() when none does).
inline std::vector<std::string>::iterator lineStarting(std::vector<std::string>& lines,
                                                       const std::string& start) {
  return std::find_if(lines.begin(), lines.end(),
                      [&](const std::string& l) { return l.starts_with(start); });
}

}  // namespace tavo::testing
