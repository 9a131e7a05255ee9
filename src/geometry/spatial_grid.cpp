// Counting sort of points into the cells of a uniform grid.
#include "geometry/spatial_grid.h"

#include <limits>

namespace tavo::geometry {

namespace {

// More cells than points only costs empty cells to step over; beyond this many per point the
// cells are made larger instead.
constexpr double maxCellsPerPoint = 4;

bool isFinite(const model::Vec3& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

void SpatialGrid::build(const model::Vec3* points, int count, double reach) {
  double low[3] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                   std::numeric_limits<double>::max()};
  double high[3] = {std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest(),
                    std::numeric_limits<double>::lowest()};
  int finiteCount = 0;
  for (int i = 1; i <= count; ++i) {
    const model::Vec3& p = points[i];
    if (!isFinite(p)) continue;
    ++finiteCount;
    const double c[3] = {p.x, p.y, p.z};
    for (int axis = 0; axis < 3; ++axis) {
      low[axis] = std::min(low[axis], c[axis]);
      high[axis] = std::max(high[axis], c[axis]);
    }
  }
  m_cellStart.clear();
  m_items.clear();
  m_positions.clear();
  if (finiteCount == 0) return;

  // A little wider than the reach, so that rounding in the cell arithmetic can never hide a
  // neighbour at the very limit.
  double edge = reach * (1 + 1e-9);
  const double spans[3] = {high[0] - low[0], high[1] - low[1], high[2] - low[2]};
  const double maxSpan = std::max({spans[0], spans[1], spans[2]});
  const double maxCells = maxCellsPerPoint * finiteCount + 64;
  if (!(edge > 0) || !std::isfinite(edge) || !std::isfinite(maxSpan)) edge = 0;
  if (edge > 0) {
    const double cellsAtEdge =
        (spans[0] / edge + 1) * (spans[1] / edge + 1) * (spans[2] / edge + 1);
    if (cellsAtEdge > maxCells) {
      // Wider cells: enough for the bounding box to hold about maxCells of them.
      const double volume = (spans[0] + edge) * (spans[1] + edge) * (spans[2] + edge);
      edge = std::max(edge, std::cbrt(volume / maxCells) * 1.01);
      while ((spans[0] / edge + 1) * (spans[1] / edge + 1) * (spans[2] / edge + 1) > maxCells)
        edge *= 1.25;
    }
  }
  for (int axis = 0; axis < 3; ++axis) {
    m_lowCorner[axis] = low[axis];
    m_cells[axis] = edge > 0 ? static_cast<int>(std::floor(spans[axis] / edge)) + 1 : 1;
  }
  m_inverseEdge = edge > 0 ? 1 / edge : 0;

  const auto cells = static_cast<size_t>(cellCount());
  m_cellStart.assign(cells + 1, 0);
  m_cellOf.resize(static_cast<size_t>(count) + 1);
  for (int i = 1; i <= count; ++i) {
    const model::Vec3& p = points[i];
    if (!isFinite(p)) {
      m_cellOf[static_cast<size_t>(i)] = -1;
      continue;
    }
    const double c[3] = {p.x, p.y, p.z};
    int index[3];
    for (int axis = 0; axis < 3; ++axis) {
      const int k = static_cast<int>((c[axis] - m_lowCorner[axis]) * m_inverseEdge);
      index[axis] = std::clamp(k, 0, m_cells[axis] - 1);
    }
    const int cell = (index[2] * m_cells[1] + index[1]) * m_cells[0] + index[0];
    m_cellOf[static_cast<size_t>(i)] = cell;
    ++m_cellStart[static_cast<size_t>(cell) + 1];
  }
  for (size_t cell = 0; cell < cells; ++cell)
    m_cellStart[cell + 1] += m_cellStart[cell];
  m_items.resize(static_cast<size_t>(finiteCount));
  m_positions.resize(static_cast<size_t>(finiteCount));
  // Filling in ascending index order keeps each cell sorted by index.
  std::vector<int>& next = m_cellOf;
  for (int i = 1; i <= count; ++i) {
    const int cell = next[static_cast<size_t>(i)];
    if (cell < 0) continue;
    const auto slot = static_cast<size_t>(m_cellStart[static_cast<size_t>(cell)]++);
    m_items[slot] = i;
    m_positions[slot] = points[i];
  }
  // The starts were advanced to the ends while filling: shift them back by one cell.
  for (size_t cell = cells; cell > 0; --cell)
    m_cellStart[cell] = m_cellStart[cell - 1];
  m_cellStart[0] = 0;
}

int SpatialGrid::cellKeyOf(const model::Vec3& p) const {
  if (m_cellStart.empty() || !isFinite(p)) return -1;
  const double c[3] = {p.x, p.y, p.z};
  int index[3];
  for (int axis = 0; axis < 3; ++axis) {
    const double cell = std::floor((c[axis] - m_lowCorner[axis]) * m_inverseEdge);
    index[axis] = static_cast<int>(std::clamp(cell, 0.0, m_cells[axis] - 1.0));
  }
  return (index[2] * m_cells[1] + index[1]) * m_cells[0] + index[0];
}

}  // namespace tavo::geometry
