// What every feature's commands are given: the shared state and the ports.
#pragma once

#include "model/dialogs.h"
#include "workbench/workbench_state.h"

namespace tavo::workbench {

/// The shared state and the ports a feature's commands work with.
struct CommandContext {
  WorkbenchState& state;
  model::Dialogs& dialogs;
  model::Clock& clock;
};

/// Thrown by a command whose reason has already been shown (or that fails silently, as a
/// reopen of a file without TITL does): the dispatcher abandons it without a further message.
struct CommandAbandoned {};

}  // namespace tavo::workbench
