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

/// Runs one `window` line, `words` starting with "window":
///   window OBJECTNAME set FIELD VALUE          types VALUE into a field ("NewElem")
///   window OBJECTNAME cell ROW COLUMN VALUE    types VALUE into a grid cell
///   window OBJECTNAME press CAPTION            presses a button or menu item ("Update", "Exit")
///   window OBJECTNAME print                    prints the window's texts to `out`
/// Throws UserError for a window, field or button that does not exist, and when the pressed
/// command failed (its message is shown already).
void runWindowCommand(workbench::Workbench& bench, const std::vector<std::string>& words,
                      std::ostream& out);

}  // namespace tavo::cli
