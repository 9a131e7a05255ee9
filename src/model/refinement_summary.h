// The figures of merit of a SHELXL refinement, read from the REM lines that SHELXL writes into a
// .res file or from the final summary of its listing file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavo::model {

/// R1 (Fo > 4sig(Fo)), wR2, GooF and the extremes of the difference map; each empty when the
/// text does not give it.
struct RefinementFigures {
  std::optional<double> r1;
  std::optional<double> wR2;
  std::optional<double> goof;
  std::optional<double> highestPeak;  // e/Å³
  std::optional<double> deepestHole;  // e/Å³
  bool empty() const { return !r1 && !wR2 && !goof && !highestPeak && !deepestHole; }
  friend bool operator==(const RefinementFigures&, const RefinementFigures&) = default;
};

/// The figures of `lines`, either a .res (its "REM R1 = ..." lines) or a listing (" R1 = ...");
/// the last value of each counts, as the listing repeats them per cycle.
RefinementFigures readRefinementSummary(const std::vector<std::string>& lines);

/// The summary of an instruction file on opening: its own REM lines, else the listing beside
/// it; empty when neither gives a figure (or the files cannot be read).
RefinementFigures refinementSummaryOf(const std::filesystem::path& instructionFile,
                                      const std::vector<std::string>& fileLines);

/// "R1 = 0.0327, wR2 = 0.0876, GooF = 1.055, highest peak 0.36, deepest hole -0.27 e/A^3"; the
/// figures that are missing are left out; "" for an empty summary.
std::string refinementSummaryText(const RefinementFigures& summary);

}  // namespace tavo::model
