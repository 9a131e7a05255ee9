// The view frame: the unit-cell box points, the view origin, and the reset of every view
// coordinate from the fractional ones.
#pragma once

#include <array>
#include <string>

#include "model/structure_model.h"
#include "model/vec3.h"

namespace tavo::geometry {

/// A point in fractions of the cell edges.
struct Fractional {
  double x = 0, y = 0, z = 0;
  friend bool operator==(const Fractional&, const Fractional&) = default;
};

/// The bounds of the packing range as the 'Packing View Range' window (TForm14) shows them,
/// in the order amin, amax, bmin, bmax, cmin, cmax.
struct PackingRange {
  std::array<std::string, 6> boundTexts{"0", "1", "0", "1", "0", "1"};  // Edit1..Edit6
  std::array<int, 6> boundSpins{0, 10, 0, 10, 0, 10};                   // SpinEdit1..SpinEdit6
  friend bool operator==(const PackingRange&, const PackingRange&) = default;
};

/// Indexes of the view slots.
inline constexpr int viewOriginSlot = 0;        // the ViewOrigin itself, Cartesian, never rotated
inline constexpr int fractionalOriginSlot = 9;  // view position of fractional (0, 0, 0)
/// Index of the fractional origin among the cell box points.
inline constexpr int fractionalOriginPoint = 10;

/// The cell box and the origin of the view frame. Owned by the Workbench; rotations and shifts
/// move view slots 1..9 together with the atoms.
struct ViewFrame {
  /// CellBoxPoints: 0 = centroid of the non-H atoms, 1..8 = corners of the cell holding it,
  /// 9 unused, 10 = the fractional origin.
  std::array<Fractional, 11> cellBoxPoints{};
  /// Lattice indices (i, j, k) of the cell that holds the centroid.
  std::array<int, 3> cellIndex{};
  /// View slots: 0 = ViewOrigin (Cartesian Å), 1..8 = corners 1..8, 9 = the fractional origin,
  /// all relative to the ViewOrigin and in the current orientation.
  std::array<model::Vec3, 10> viewSlots{};
  /// The packing-range fields, set from the cell box by computeCellOutline.
  PackingRange packingRange;

  const model::Vec3& viewOrigin() const { return viewSlots[viewOriginSlot]; }
  /// The cell edges a′, b′, c′ in the current orientation.
  model::Vec3 edgeA() const { return viewSlots[2] - viewSlots[1]; }
  model::Vec3 edgeB() const { return viewSlots[4] - viewSlots[1]; }
  model::Vec3 edgeC() const { return viewSlots[5] - viewSlots[1]; }

  friend bool operator==(const ViewFrame&, const ViewFrame&) = default;
};

/// The fractional point that the structure is centred on: the mean of AtomTable entries
/// 1..nonHCount; without non-H atoms the mean of the H atoms, then of the peaks, else (0, 0, 0).
Fractional structureCentroid(const model::StructureModel& structure);

/// Lattice index of the cell that holds coordinate `m`: Trunc(m) for m >= 0, Trunc(m - 1) below.
int cellIndexOf(double m);

/// UnitCellClick: computes CellBoxPoints 0..8 and 10 from the atom table and sets the
/// packing-range defaults.
void computeCellOutline(const model::StructureModel& structure, ViewFrame& frame);

/// The transform part of the view reset: the ViewOrigin, view slots 1..9, and the view
/// coordinates of kind 1 entries 1..nonHCount, kind 2 entries 1..hCount and kind 3 entries
/// 1..peakCount from their fractional coordinates; kind 1 entry 0 becomes (0, 0, 0). Clears the
/// `selected` flag of each entry reset unless the MoveGrp mouse mode is on.
void resetViewCoordinates(model::StructureModel& structure, ViewFrame& frame, bool moveGroupMode);

}  // namespace tavo::geometry
