// Bond detection: non-H bonds, H bonds, peak contacts and the bonds of BIND cards.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "geometry/spatial_grid.h"
#include "model/dialogs.h"
#include "model/structure_model.h"

namespace tavo::geometry {

/// The controls of the "Bonds/Peaks Thresholds" panel and the display toggles detection obeys.
struct BondThresholds {
  int bondFactor = 11;        // SpinEdit5 'BndThr', tenths: kinds 1 and 2
  int peakBondFactor = 11;    // SpinEdit7 'PkBThr', tenths: kinds 3 and 4
  bool showHydrogens = true;  // CheckBox2 'Show Hs': kind 2 is rebuilt only when on
  bool showPeaks = true;      // CheckBox3 'ShowPks': kinds 3 and 4 are rebuilt only when on
  friend bool operator==(const BondThresholds&, const BondThresholds&) = default;
};

/// The peak-height threshold of the same panel; it decides which peaks are drawn.
struct PeakHeightThreshold {
  int tens = 0;        // SpinEdit6 'PksThr', 0..100
  int units = 0;       // SpinEdit27, 0..9
  int tenths = 0;      // SpinEdit28, 0..9
  int hundredths = 0;  // SpinEdit29, 0..9
  /// T = 10·tens + units + tenths/10 + hundredths/100, e/Å³.
  double value() const { return 10.0 * tens + units + tenths / 10.0 + hundredths / 100.0; }
  friend bool operator==(const PeakHeightThreshold&, const PeakHeightThreshold&) = default;
};

/// The parts of the message shown when a kind of the bond list is full.
inline constexpr std::string_view bondLimitMessageHead = "The number of components (";
inline constexpr std::string_view bondLimitMessageMiddle = ") exceeds the Maximum allowed (";
inline constexpr std::string_view bondLimitMessageTail = ")!!";
/// The names of kinds 1..4 in that message.
inline constexpr std::string_view bondKindNames[5] = {"", "nhbonds", "hbonds", "pkbonds1",
                                                      "pkbonds2"};
/// "The number of components (nhbonds) exceeds the Maximum allowed (30000)!!" for kind 1.
std::string bondLimitMessage(int kind, int conMax);

/// The distance limit of a pair: factor·(r1 + r2)/10 Å; a pair is bonded below it (strictly).
inline double bondLimit(int factorTenths, double radius1, double radius2) {
  return factorTenths * (radius1 + radius2) / 10;
}

/// The radius of the element of SFAC number `sfac`; entry 0 is the peak radius. 0 outside the
/// element table.
double elementRadius(const model::StructureModel& structure, int sfac);

/// Which PART numbers may bond by distance: equal numbers, PART 0 with every part (SHELXL's
/// convention for alternative disorder components), and the pairs named by "BIND m n" cards.
class PartRule {
 public:
  /// Lets parts `first` and `second` bond to each other.
  void allowPair(int first, int second);
  bool allows(int first, int second) const {
    return first == second || first == 0 || second == 0 || listed(first, second);
  }

 private:
  bool listed(int first, int second) const;
  std::vector<std::pair<int, int>> m_pairs;  // each pair with the smaller number first
};

/// SHELXL's rule for disorder on a special position: an atom of a negative PART bonds to no
/// symmetry copy of an atom of the same negative PART (`unit` 0 for the file's own atoms, n for a
/// copy of expansion unit n).
inline bool copiesMayBond(int part1, int unit1, int part2, int unit2) {
  return !(part1 < 0 && part1 == part2 && unit1 != unit2);
}

/// The part rule of the structure's instruction lines (its "BIND m n" cards).
PartRule partRuleOf(const model::StructureModel& structure);
/// The PART number of an atom or H atom; 0 for a peak.
int partOf(const model::StructureModel& structure, model::AtomRef ref);

/// The partners of one entry: `partners[start..end)` of a BondWorkspace.
struct PartnerBlock {
  std::uint32_t start = 0;
  std::uint32_t end = 0;
};

/// Buffers kept between detections so that repeated detection allocates nothing.
class BondWorkspace {
 public:
  SpatialGrid atomGrid;
  SpatialGrid peakGrid;
  std::vector<double> atomRadii;      // by AtomTable index
  std::vector<double> hydrogenRadii;  // by HydrogenTable index
  std::vector<int> atomParts;         // PART numbers by AtomTable index
  std::vector<int> hydrogenParts;     // PART numbers by HydrogenTable index
  std::vector<int> atomUnits;         // expansion unit numbers by AtomTable index
  std::vector<int> hydrogenUnits;     // expansion unit numbers by HydrogenTable index
  std::vector<int> slotUnits;         // atom unit numbers in the cell order of atomGrid
  std::vector<double> slotRadii;      // atom radii in the cell order of atomGrid
  std::vector<int> slotParts;         // atom PART numbers in the cell order of atomGrid
  std::vector<int> queryOrder;        // the entries of one kind in cell order
  std::vector<int> cellKeys;          // cell of each query entry
  std::vector<int> keyStart;          // counting sort of the queries by cell
  std::vector<int> partners;          // bonded partners, one sorted block per entry
  std::vector<PartnerBlock> blocks;   // block of each entry in `partners`
};

/// Rebuilds kind 1 (distance pass, then BIND cards), kind 2 when H atoms are shown and
/// kinds 3 and 4 when peaks are shown, from the view coordinates of the working tables. Atoms
/// and H atoms of different non-zero PARTs are not bonded by distance unless a "BIND m n" card
/// joins their parts (peaks count as PART 0), and an atom of a negative PART is not bonded to a
/// symmetry copy of an atom of the same PART; a "BIND atom1 atom2" card bonds whatever. A full
/// kind shows its message once and keeps the pairs found so far. Uses a cell list; the pairs and
/// their order are exactly those of detectConnectionPlain. The caller refreshes the distance
/// window (ShowDistances).
void DetectConnection(model::StructureModel& structure, const BondThresholds& thresholds,
                      model::Dialogs& dialogs, BondWorkspace& workspace);
/// As above with a workspace of its own.
void DetectConnection(model::StructureModel& structure, const BondThresholds& thresholds,
                      model::Dialogs& dialogs);

/// The same detection by plain double loops over all pairs: the reference for the cell list.
void detectConnectionPlain(model::StructureModel& structure, const BondThresholds& thresholds,
                           model::Dialogs& dialogs);

/// Appends the pairs of the "BIND atom1 atom2" cards of the instruction lines to kind 1, in any
/// PARTs (the atoms of the file only; the last atom of a label wins; cards with other than two
/// names, and "BIND m n" cards of part numbers, add no pair).
void addBindBonds(model::StructureModel& structure, model::Dialogs& dialogs);

}  // namespace tavo::geometry
