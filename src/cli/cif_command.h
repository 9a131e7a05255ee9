// tavo-cli cif FILE [--template T] [--cif-od F] [--program-folder DIR]
#pragma once

#include <string>
#include <vector>

namespace tavo::cli {

/// Opens FILE and runs "Generate CIF (Auto)" without a window: prints every message of the
/// generation; 0 when the CIF was written and read back without a fault.
int runCifCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
