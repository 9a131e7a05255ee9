// The searches of the expansion and packing views: which symmetry copies of the asymmetric unit
// are bonded to it, and which copies have their centroid inside the packing range.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/spatial_grid.h"
#include "geometry/view_frame.h"
#include "model/structure_model.h"

namespace tavo::geometry {

/// The most units an expansion search lists.
inline constexpr int maxExpansionUnits = 32;
/// The most units any list holds, whatever sym_max says (the unit counters are 8-bit).
inline constexpr int maxListedUnits = 255;

/// How many units a list can hold: sym_max - 1 (entry 0 is not used), never more than 255.
int unitCapacity(const model::ArrayLimits& limits);

/// Told how far a long search has come, so that the window can show it and stay responsive.
class SearchProgress {
 public:
  virtual ~SearchProgress() = default;
  /// `done` of `total` candidate operators have been searched.
  virtual void advanced(int done, int total) = 0;
};

/// A unit of the list: operator `op` of the space group with the lattice translation
/// (ta, tb, tc) and its symmetry code.
model::ExpansionOp makeUnit(const model::SymmetryOps& ops, int k, int ta, int tb, int tc);

/// Buffers kept between searches (the transformed positions live here, never in the atom
/// tables), so that a repeated search allocates nothing.
class ExpansionWorkspace {
 public:
  SpatialGrid grid;                    // the asymmetric unit's view positions
  std::vector<model::Vec3> positions;  // view positions of the non-H atoms, 1-based
  std::vector<double> radii;           // their radii, 1-based
  std::vector<double> slotRadii;       // radii in the cell order of `grid`
  std::vector<model::Vec3> rotated;    // one operator applied, without translation, 1-based
  std::vector<int> nearAtoms;          // copy atoms that may reach the asymmetric unit
};

/// The expansion search: for operator k = 1..opCount, ta, tb, tc = -2..2 (tc fastest), skipping
/// the identity, the copy is a unit when the view distance of any of its non-H atoms i to a
/// non-H atom j of the file is below bondFactor·(ri + rj)/10. View positions are those of a
/// freshly reset view (Cartesian minus the Cartesian centroid). Ends at min(32, capacity)
/// units. Uses a cell list; the units and their order are exactly those of
/// expansionUnitsPlain.
std::vector<model::ExpansionOp> expansionUnits(const model::StructureModel& structure,
                                               int bondFactor, ExpansionWorkspace& workspace,
                                               SearchProgress* progress = nullptr);
/// The same search by the plain loops over every copy and every pair: the reference.
std::vector<model::ExpansionOp> expansionUnitsPlain(const model::StructureModel& structure,
                                                    int bondFactor);

/// The six bounds of the packing range as reals: amin, amax, bmin, bmax, cmin, cmax.
using PackingBounds = std::array<double, 6>;
/// The bounds of the texts of the 'Packing View Range' fields; ConversionError for a text that
/// is not a number.
PackingBounds packingBounds(const PackingRange& range);

/// The result of the packing search.
struct PackingUnits {
  std::vector<model::ExpansionOp> units;
  bool full = false;  // the search stopped at the capacity; more units lie in the range
};

/// The packing search: for operator k = 1..opCount and ta from Round(amin) - 2 to Round(amax)
/// + 2 (likewise tb, tc; tc fastest; Round half to even), skipping the identity, the copy is a
/// unit when the transformed `centroid` lies strictly inside the bounds. Stops at `capacity`
/// units.
PackingUnits packingUnits(const model::SymmetryOps& ops, const Fractional& centroid,
                          const PackingBounds& bounds, int capacity,
                          SearchProgress* progress = nullptr);

/// Shown when the packing range holds more copies than the unit list can hold.
std::string packingCapacityMessage(const model::ArrayLimits& limits);

}  // namespace tavo::geometry
