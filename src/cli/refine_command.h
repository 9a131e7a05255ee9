// tavo-cli refine FILE [--program PATH] [--timeout S] [--json] [--program-folder DIR]
#pragma once

#include <string>
#include <vector>

namespace tavo::cli {

/// Opens FILE and runs the workbench's Refine: saves the .ins, runs the program (PATH, else
/// TAVO_REFINE_PROGRAM, else the settings), prints the listing's summary (as JSON with --json),
/// reopens the new .res and records the run. Exit status 1, with the listing's error lines, when
/// the program fails or runs longer than S seconds (it is stopped with its children).
int runRefineCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
