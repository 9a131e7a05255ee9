// The registry of the auxiliary windows: every window's declaration, in the order the program
// creates them. Nothing else names a window.
#pragma once

#include <vector>

#include "workbench/window_declaration.h"

namespace tavo::workbench {

class Workbench;

/// Every auxiliary window of `bench`, declared, bound to its features.
std::vector<WindowDeclaration> declareWindows(Workbench& bench);

}  // namespace tavo::workbench
