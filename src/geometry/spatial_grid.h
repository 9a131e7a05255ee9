// A uniform grid of cubic cells (a cell list) over view positions, for neighbour searches.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/vec3.h"

namespace tavo::geometry {

/// Points 1..count sorted into cells at least `reach` Å wide, so that every point closer than
/// `reach` to a query point lies in the query's cell or one of its 26 neighbours. Points with a
/// non-finite coordinate are left out (they are never near anything). Buffers are kept between
/// builds, so rebuilding a grid of the same size allocates nothing.
class SpatialGrid {
 public:
  /// Sorts `points[1..count]` into cells. A non-finite or non-positive `reach` puts every
  /// point into one cell.
  void build(const model::Vec3* points, int count, double reach);

  /// Calls visit(index, position, slot) for every point in the 3×3×3 cells around `p`, cell by
  /// cell; within a cell in ascending index order. `slot` is the point's place in cell order.
  template <class Visit>
  void forEachNear(const model::Vec3& p, const Visit& visit) const {
    if (m_cellStart.empty()) return;
    int low[3], high[3];
    const double coordinates[3] = {p.x, p.y, p.z};
    for (int axis = 0; axis < 3; ++axis) {
      const double cell = std::floor((coordinates[axis] - m_lowCorner[axis]) * m_inverseEdge);
      if (!(cell > -2 && cell < m_cells[axis] + 1)) return;  // too far away, or not finite
      const int c = static_cast<int>(cell);
      low[axis] = std::max(c - 1, 0);
      high[axis] = std::min(c + 1, m_cells[axis] - 1);
      if (low[axis] > high[axis]) return;
    }
    for (int z = low[2]; z <= high[2]; ++z) {
      for (int y = low[1]; y <= high[1]; ++y) {
        const int row = (z * m_cells[1] + y) * m_cells[0];
        const int first = m_cellStart[static_cast<size_t>(row + low[0])];
        const int last = m_cellStart[static_cast<size_t>(row + high[0] + 1)];
        for (int k = first; k < last; ++k) {
          visit(m_items[static_cast<size_t>(k)], m_positions[static_cast<size_t>(k)], k);
        }
      }
    }
  }

  /// Number of cells along each axis (for tests and benchmarks).
  int cellCount() const { return m_cells[0] * m_cells[1] * m_cells[2]; }
  /// Points held, and the index and position of the point at `slot` (0..size − 1) in cell order.
  int size() const { return static_cast<int>(m_items.size()); }
  int item(int slot) const { return m_items[static_cast<size_t>(slot)]; }
  const model::Vec3& position(int slot) const { return m_positions[static_cast<size_t>(slot)]; }
  /// The cell of `p`, clamped into the grid, for visiting query points in cell order; -1 for a
  /// non-finite point or an empty grid.
  int cellKeyOf(const model::Vec3& p) const;

 private:
  double m_lowCorner[3] = {0, 0, 0};
  double m_inverseEdge = 0;
  int m_cells[3] = {0, 0, 0};
  std::vector<int> m_cellStart;  // first item of each cell; one more entry closes the last cell
  std::vector<int> m_items;      // point indexes in cell order
  std::vector<model::Vec3> m_positions;  // their positions, in the same order
  std::vector<int> m_cellOf;             // cell of each point, -1 when left out
};

}  // namespace tavo::geometry
