// tavo-cli fcalc and map: the agreement of the model with its reflection data, and the Fourier
// maps with their residual peaks, as the workbench's "Agreement" and "Map Peaks" windows show them.
#pragma once

#include <string>
#include <vector>

namespace tavo::cli {

/// tavo-cli fcalc FILE [--hkl F] [--json] [--fcf-out OUT.fcf]: R1 (Fo > 4σ and all), wR2, GooF
/// and the reflection counts; with --fcf-out a LIST 6 .fcf of our Fc and phases.
int runFcalcCommand(const std::vector<std::string>& args);

/// tavo-cli map FILE [--fcf F | --hkl F] [--type fo-fc|2fo-fc|fo] [--peaks N] [--json]: the
/// map's σ, minimum and maximum and its N highest residual peaks.
int runMapCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
