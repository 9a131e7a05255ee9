// What the mouse modes hand over to the locating tool: a pick in the Locate mode and the atom
// menu's "Locate".
#pragma once

namespace tavo::workbench {

/// The locating tool as the mouse modes reach it.
class LocateRequests {
 public:
  virtual ~LocateRequests() = default;
  /// SetupLocateClick: sets up the locating window for the located atom (Selection entry 1).
  virtual void setupLocate() = 0;
  /// Locate1Click: the atom menu's "Locate" on the last picked entry.
  virtual void locateFromAtomMenu() = 0;
};

}  // namespace tavo::workbench
