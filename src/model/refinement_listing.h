// Reading what a SHELXL run reports, line by line: the figures of each least-squares cycle and
// the final summary (R1, wR2, GooF, shifts, residual density, warnings), in the forms of the
// listings of SHELXL-97 to 2019. The console output of a run is read the same way as it arrives.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

/// One least-squares cycle as the listing reports it.
struct RefinementCycle {
  int number = 0;
  std::optional<double> wR2;  // "wR2 = ... before cycle n"
  int data = 0;               // reflections of that line
  int parameters = 0;         // parameters refined in the cycle
  std::optional<double> goof, restrainedGoof;
  int restraints = 0;
  std::optional<double> meanShift;  // "Mean shift/esd =" (shift/su in later versions)
  std::optional<double> maxShift;   // "Maximum =", signed as printed
  std::string maxShiftParameter;    // what follows "for": "U11 Cl1", "x  O3", "OSF"
};

/// A residual-density extreme: "Highest peak 0.16 at 0.0609 0.0000 0.0609 [ 0.49 A from CL1 ]".
struct DensityExtreme {
  double height = 0;  // e/Å³
  std::string nearAtom;
  double distance = 0;  // Å from nearAtom
};

/// What a listing (or a run's console output) says about the refinement.
struct RefinementSummary {
  std::vector<RefinementCycle> cycles;
  std::optional<int> plannedCycles;  // n of the L.S. (or CGLS) card echoed in the listing
  std::optional<double> r1Gt, r1All;
  int reflectionsGt = 0, reflectionsAll = 0;
  std::optional<double> wR2, goof, restrainedGoof;  // "... for all data"
  int restraints = 0;
  int parameters = 0;  // "Total number of l.s. parameters", else those of the last cycle
  std::optional<DensityExtreme> highestPeak, deepestHole;
  std::vector<std::string> notes;     // lines framed by "**": errors, warnings, remarks
  std::vector<std::string> npdAtoms;  // atoms reported "** NON POSITIVE DEFINITE **"

  /// True once the final R1 line has been read: the refinement ran to its end.
  bool finished() const { return r1Gt.has_value(); }
  /// The last cycle's largest shift/esd and its parameter; empty before the first cycle.
  const RefinementCycle* lastCycle() const { return cycles.empty() ? nullptr : &cycles.back(); }
};

/// Reads lines one at a time; unknown lines are ignored, never an error.
class RefinementListingReader {
 public:
  void read(std::string_view line);
  const RefinementSummary& summary() const { return m_summary; }

 private:
  RefinementSummary m_summary;
  bool m_inCycle = false;  // between "Least-squares cycle" and the final calculation
};

/// The summary of the whole of `lines`.
RefinementSummary readRefinementListing(const std::vector<std::string>& lines);

/// True when a note of the listing reports an error that stops the program (as opposed to a
/// warning or a remark): "** CANNOT OPEN FILE name.hkl **" and the like.
bool isErrorNote(std::string_view note);

}  // namespace tavo::model
