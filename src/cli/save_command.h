// tavo-cli save FILE [--program-folder DIR]
#pragma once

#include <string>
#include <vector>

namespace tavo::cli {

/// Opens FILE and performs the workbench's Save in FILE's folder; prints the path written.
int runSaveCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
