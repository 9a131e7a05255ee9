// tavo-cli info FILE [--json] [--program-folder DIR]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/console_ports.h"
#include "cli/expansion_json.h"
#include "model/structure_model.h"
#include "workbench/workbench.h"

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

/// The bonds the workbench detected when it opened the structure.
BondRows bondRowsOf(const model::StructureModel& structure);

/// Prints the summary (or the JSON object) of the workbench's structure with the messages shown
/// and the symmetry views run; with `ellipsoidProbability` the JSON lists the thermal
/// ellipsoids of the anisotropic atoms at that probability (0..1).
void printInfo(const workbench::Workbench& bench, const std::vector<std::string>& messages,
               bool json, const std::vector<SymmetryViewResult>& views = {},
               std::optional<double> ellipsoidProbability = std::nullopt);

/// Runs the command on the arguments after "info"; returns the exit status.
int runInfoCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
