// tavo-cli run: drives the Workbench from a script, one command a line, as a user drives the
// window (open, menu items by caption, controls, modes, clicks at atoms, Apply, answers).
#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace tavo::cli {

/// `run SCRIPT [--program-folder DIR]`; `args` starts after the word "run". Returns the exit
/// status: 0 when every line ran, 1 at the first failing line, 2 for bad usage.
int runScriptCommand(const std::vector<std::string>& args);

/// Runs the lines of `script` on a Workbench over `programFolder`; relative file names are
/// taken from `baseFolder`. Messages go to stdout, the failing line to stderr.
int runScript(std::istream& script, const std::filesystem::path& programFolder,
              const std::filesystem::path& baseFolder);

}  // namespace tavo::cli
