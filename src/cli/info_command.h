// tavo-cli info FILE [--json] [--program-folder DIR]
#pragma once

#include <string>
#include <vector>

#include "cli/console_ports.h"
#include "model/structure_model.h"

namespace tavo::cli {

struct BondRow {
  std::string first, second;  // labels
  double distance = 0;        // Å
};

/// The kind-1 and kind-2 bonds of a loaded structure; `available` is false without bond detection.
struct BondRows {
  bool available = false;
  std::vector<BondRow> rows;
};

/// Detects the bonds of a freshly loaded structure as the workbench does after opening it.
BondRows detectBondRows(model::StructureModel& structure, ConsoleDialogs& dialogs);

/// Runs the command on the arguments after "info"; returns the exit status.
int runInfoCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
