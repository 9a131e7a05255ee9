// tavo-cli planes FILE LABEL... [/ LABEL...]...: least-squares planes without a window.
#pragma once

#include <string>
#include <vector>

namespace tavo::cli {

/// Opens FILE, fits one plane through each group of labels (groups separated by "/") as the
/// plane window does, and prints each plane with its esds, the deviations of its atoms and the
/// dihedral angles between the planes. With --expand or --packing the symmetry copies are made
/// first and may be named by their labels (C1*1). 0 when every plane was fitted.
int runPlanesCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
