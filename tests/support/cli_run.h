// Running the built tavo-cli from a test, as a user runs it: in a folder of its own, over the
// shipped settings of data/. Only the script tests, which know where the program is, include it.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

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

}  // namespace tavo::testing
