// The peak tools: the list of peaks with their nearest atoms, deleting peaks, moving every peak
// next to the molecule, reading the peaks of another instruction file and clearing all peaks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/atom_purge.h"
#include "editing/selection.h"
#include "model/structure_model.h"
#include "text/text_grid.h"

namespace tavo::editing {

/// Shown by MovePks while the copies of an expansion or packing view are shown.
inline constexpr std::string_view expandedPeaksMessage = "Permission Denied with Expanded Peaks!!";

/// The headings of the peak list.
inline constexpr std::string_view peakListHeadings[8] = {"Peaks", "Height", "X",       "Y",
                                                         "Z",     " ",      "Nearest", "Distance"};

/// "Pk." followed by the peak's index.
std::string peakName(int index);

/// The peak list: the heading row, then one row per peak 1..peakCount with its height, x, y, z
/// (shortest form cut to 10 characters), an empty cell, the nearest atom among the peak-atom
/// bonds of the BondList ("NONE" when there is none) and its distance (cut to 6 characters).
text::TextGrid peakListGrid(const model::StructureModel& structure);

/// The lines "Print" writes: columns 0..6 trimmed and padded to 12 characters, then column 7.
std::vector<std::string> peakListPrintLines(const text::TextGrid& grid);

/// Removes peaks first..last (clamped to 1..peakCount; nothing when first > last after that)
/// through the purge, so that later peaks move up and every holder of references can follow.
/// Returns where each entry went.
PurgeMap deletePeaks(model::StructureModel& structure, int first, int last);

/// Gives every peak 1..peakCount the position, among its images under the operators of the
/// space group and the lattice translations -2..2, that lies nearest to a non-H atom of the
/// file (the first of equal distances: lower operator, then lower ta, tb, tc). Changes only the
/// fractional coordinates. Returns the number of peaks whose position changed.
int movePeaksNextToMolecule(model::StructureModel& structure);

/// The peaks read from another instruction file.
struct OverlayPeaks {
  std::vector<model::Peak> peaks;
  int firstPeakRow = 0;  // the row of the last "Q1 " line, 0 when there is none
  int lastRow = 0;
  /// The cell of the file's CELL card (a, b, c, alpha, beta, gamma), when it has one.
  std::optional<std::array<double, 6>> cell;
};

/// Reads the peak block of `lines` (trimmed rows of a file named `fileName`): from the last row
/// that begins with "Q1 " to the end, every row that begins with "Q" is a peak with x, y, z in
/// fields 3..5 and the height in field 8. Throws UserError naming the file and line for a peak
/// line without those numbers, naming atm_max and array_max.inf for more than `capacity` peaks,
/// and saying so when the file has no peak block.
OverlayPeaks readOverlayPeaks(const std::vector<std::string>& lines, std::string_view fileName,
                              int capacity);

/// True when the CELL of `overlay` differs from the structure's by more than the last digit a
/// CELL card usually gives (0.001 Å or degree).
bool cellDiffers(const OverlayPeaks& overlay, const model::CellParameters& cell);

/// Clears the Selection and the reversed Selection with their flags, zeroes the peaks
/// 1..workingPeakCount and sets peakCount and workingPeakCount to 0.
void clearPeaks(model::StructureModel& structure, Selection& selection);

}  // namespace tavo::editing
