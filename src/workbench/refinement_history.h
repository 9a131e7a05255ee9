// The history of the refinement runs of one structure: a small tab-separated file beside it
// (NAME.tavo-history), one run per line, and the comparison of the models of two runs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/element_definitions.h"
#include "model/structure_model.h"

namespace tavo::workbench {

/// How a run ended, as the history file writes it.
inline constexpr std::string_view runSucceeded = "ok";
inline constexpr std::string_view runFailed = "failed";
inline constexpr std::string_view runStopped = "stopped";
inline constexpr std::string_view runTimedOut = "timed out";

/// One run of the refinement program.
struct RefinementRunRecord {
  std::string time;     // the clock's date-time text at the start
  std::string outcome;  // runSucceeded, runFailed, ...
  std::optional<double> r1Gt, r1All, wR2, goof;
  std::optional<double> maxShift;  // the last cycle's largest shift/esd, signed as printed
  int parameters = 0;
  int restraints = 0;
  int cycles = 0;
  std::string insBackup;  // the file name (beside the structure) holding the run's .ins
  friend bool operator==(const RefinementRunRecord&, const RefinementRunRecord&) = default;
};

/// NAME.tavo-history beside `structureFile` (NAME.ins, NAME.res or a backup NAME.nnn).
std::filesystem::path historyFileOf(const std::filesystem::path& structureFile);
/// The runs of `file`, oldest first; empty when it does not exist. Lines that are not runs
/// (the heading, anything damaged) are passed over.
std::vector<RefinementRunRecord> readHistory(const std::filesystem::path& file);
/// Appends `run` to `file` (written through the replace path). Throws FileError.
void appendHistory(const std::filesystem::path& file, const RefinementRunRecord& run);

/// What changed from one model to another, atom by atom (labels compared case-insensitively).
struct ModelComparison {
  std::vector<std::string> added;    // in the second only
  std::vector<std::string> removed;  // in the first only
  struct Move {
    std::string label;
    double distanceA = 0;
  };
  std::vector<Move> moved;  // in both, more than `threshold` Å apart (the second run's cell)
};
inline constexpr double movedThresholdA = 0.1;

/// Compares the atoms and H atoms of two instruction files. Throws UserError when either cannot
/// be read.
ModelComparison compareInstructionFiles(const std::filesystem::path& first,
                                        const std::filesystem::path& second,
                                        const model::ElementDefinitions& definitions,
                                        const model::ArrayLimits& limits);

}  // namespace tavo::workbench
