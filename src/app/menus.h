// The commands that the Qt program answers itself (its own panels and windows), next to the
// core's command table from which the menus are built.
#pragma once

#include <functional>
#include <map>

#include "workbench/command_table.h"

namespace tavo::app {

/// The items of the main menu are the core's commands.
using MenuCommand = workbench::CommandId;

/// The handlers of the items that open a window or panel of the Qt program. An item of the
/// table that is marked windowOnly and has a handler here is enabled.
using WindowCommands = std::map<MenuCommand, std::function<void()>>;

}  // namespace tavo::app
