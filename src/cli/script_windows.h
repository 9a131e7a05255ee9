// The auxiliary windows in a tavo-cli run script: `window OBJECTNAME VERB ...` types into a
// window's fields and grid cells, presses its buttons and prints what it shows.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavo::workbench {
class Workbench;
}

namespace tavo::cli {

/// Runs one `window` line, `words` starting with "window": `window NAME CONTROL [VALUES...]`
/// (also `press CONTROL`, `set CONTROL VALUE`, `DoubleClick [CONTROL] VALUES`), or `window NAME
/// print`, which prints the window's texts to `out`. Throws UserError for a window or control
/// that does not exist, and when the command failed (its message is shown already).
void runWindowCommand(workbench::Workbench& bench, const std::vector<std::string>& words,
                      std::ostream& out);

}  // namespace tavo::cli
