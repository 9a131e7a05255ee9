// The cell box around the centroid and the reset of the view coordinates.
#include "geometry/view_frame.h"

#include <cmath>

#include "geometry/cell_metrics.h"
#include "text/text.h"

namespace tavo::geometry {

namespace {

template <class Table>
Fractional meanOf(const Table& table, int count) {
  Fractional sum;
  for (int i = 1; i <= count; ++i) {
    sum.x += table[i].x;
    sum.y += table[i].y;
    sum.z += table[i].z;
  }
  return {sum.x / count, sum.y / count, sum.z / count};
}

void setPackingDefaults(ViewFrame& frame) {
  const Fractional& low = frame.cellBoxPoints[1];
  const Fractional& high = frame.cellBoxPoints[7];
  const double lows[3] = {low.x, low.y, low.z};
  const double highs[3] = {high.x, high.y, high.z};
  for (int axis = 0; axis < 3; ++axis) {
    PackingRange& range = frame.packingRange;
    const auto lower = static_cast<size_t>(2 * axis);
    range.boundTexts[lower] = text::formatGeneral(lows[axis] - 0.1);
    range.boundTexts[lower + 1] = text::formatGeneral(highs[axis] + 0.1);
    range.boundSpins[lower] = static_cast<int>(text::roundHalfEven(10 * lows[axis])) - 1;
    range.boundSpins[lower + 1] = static_cast<int>(text::roundHalfEven(10 * highs[axis])) + 1;
  }
}

}  // namespace

Fractional structureCentroid(const model::StructureModel& structure) {
  // Without non-H atoms the mean would be 0/0; the H atoms or the peaks stand in for them.
  if (structure.nonHCount > 0) return meanOf(structure.atoms, structure.nonHCount);
  if (structure.hCount > 0) return meanOf(structure.hydrogens, structure.hCount);
  if (structure.peakCount > 0) return meanOf(structure.peaks, structure.peakCount);
  return {};
}

int cellIndexOf(double m) {
  return static_cast<int>(m < 0 ? std::trunc(m - 1) : std::trunc(m));
}

void computeCellOutline(const model::StructureModel& structure, ViewFrame& frame) {
  frame.cellBoxPoints[fractionalOriginPoint] = {};
  const Fractional centroid = structureCentroid(structure);
  frame.cellBoxPoints[0] = centroid;
  const double i = cellIndexOf(centroid.x);
  const double j = cellIndexOf(centroid.y);
  const double k = cellIndexOf(centroid.z);
  frame.cellIndex = {static_cast<int>(i), static_cast<int>(j), static_cast<int>(k)};
  frame.cellBoxPoints[1] = {i, j, k};
  frame.cellBoxPoints[2] = {i + 1, j, k};
  frame.cellBoxPoints[3] = {i + 1, j + 1, k};
  frame.cellBoxPoints[4] = {i, j + 1, k};
  frame.cellBoxPoints[5] = {i, j, k + 1};
  frame.cellBoxPoints[6] = {i + 1, j, k + 1};
  frame.cellBoxPoints[7] = {i + 1, j + 1, k + 1};
  frame.cellBoxPoints[8] = {i, j + 1, k + 1};
  setPackingDefaults(frame);
}

namespace {

template <class Table>
void resetKind(model::StructureModel& structure, const Table& table, int kind, int count,
               const model::Vec3& origin, bool moveGroupMode) {
  auto& view = structure.view[static_cast<size_t>(kind)];
  auto& selected = structure.selected[static_cast<size_t>(kind)];
  for (int i = 1; i <= count; ++i) {
    const auto at = static_cast<size_t>(i);
    view[at] = cartesianOf(structure.cell, {table[i].x, table[i].y, table[i].z}) - origin;
    if (!moveGroupMode) selected[at] = 0;
  }
}

}  // namespace

void resetViewCoordinates(model::StructureModel& structure, ViewFrame& frame, bool moveGroupMode) {
  const model::Vec3 origin = cartesianOf(structure.cell, frame.cellBoxPoints[0]);
  frame.viewSlots[viewOriginSlot] = origin;
  for (int k = 1; k <= 8; ++k) {
    frame.viewSlots[static_cast<size_t>(k)] =
        cartesianOf(structure.cell, frame.cellBoxPoints[static_cast<size_t>(k)]) - origin;
  }
  frame.viewSlots[fractionalOriginSlot] =
      cartesianOf(structure.cell, frame.cellBoxPoints[fractionalOriginPoint]) - origin;
  resetKind(structure, structure.atoms, 1, structure.nonHCount, origin, moveGroupMode);
  resetKind(structure, structure.hydrogens, 2, structure.hCount, origin, moveGroupMode);
  resetKind(structure, structure.peaks, 3, structure.peakCount, origin, moveGroupMode);
  structure.view[1][0] = {};
}

}  // namespace tavo::geometry
