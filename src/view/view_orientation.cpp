// The first view, the axis views, the orientation kept across a reopen and the wheel zoom.
#include "view/view_orientation.h"

#include <algorithm>
#include <cmath>

#include "geometry/cell_metrics.h"
#include "geometry/plane_fit.h"
#include "text/errors.h"

namespace tavo::view {

using model::Vec3;

namespace {

Vec3 unit(const Vec3& v) {
  const double n = model::length(v);
  return n > 0 ? (1.0 / n) * v : v;
}

/// A right-handed orthonormal frame of edges a and b: a, the part of b across a, their cross.
std::array<Vec3, 3> edgeFrame(const Vec3& a, const Vec3& b) {
  const Vec3 u = unit(a);
  const Vec3 v = unit(b - model::dot(b, u) * u);
  return {u, v, model::cross(u, v)};
}

/// The rotation whose rows are x, y and their cross product z = x × y.
Rotation rowsOf(const Vec3& x, const Vec3& y) {
  return Rotation{{x, y, model::cross(x, y)}};
}

}  // namespace

void turnView(model::StructureModel& structure, geometry::ViewFrame& frame,
              const Rotation& rotation) {
  const int counts[4] = {0, structure.workingAtomCount, structure.workingHCount,
                         structure.workingPeakCount};
  for (std::size_t kind = 1; kind <= 3; ++kind) {
    Vec3* view = structure.view[kind].upTo(counts[kind]);
    for (int i = 1; i <= counts[kind]; ++i)
      view[i] = rotation(view[i]);
  }
  for (std::size_t slot = 1; slot <= 9; ++slot)
    frame.viewSlots[slot] = rotation(frame.viewSlots[slot]);
}

void centreView(model::StructureModel& structure, geometry::ViewFrame& frame) {
  const geometry::Fractional c = frame.cellBoxPoints[0];
  const geometry::Fractional o = frame.cellBoxPoints[geometry::fractionalOriginPoint];
  // The fractional origin's view position plus the cell edges in their current orientation.
  const Vec3 centroid = frame.viewSlots[geometry::fractionalOriginSlot] +
                        (c.x - o.x) * frame.edgeA() + (c.y - o.y) * frame.edgeB() +
                        (c.z - o.z) * frame.edgeC();
  shiftView(structure, frame, Axis::X, -centroid.x, false);
  shiftView(structure, frame, Axis::Y, -centroid.y, false);
  shiftView(structure, frame, Axis::Z, -centroid.z, false);
}

Rotation orientationOf(const geometry::ViewFrame& frame, const model::CellParameters& cell) {
  const auto now = edgeFrame(frame.edgeA(), frame.edgeB());
  const auto reset =
      edgeFrame(geometry::cartesianOf(cell, {1, 0, 0}), geometry::cartesianOf(cell, {0, 1, 0}));
  // now_k = R reset_k for the three frame vectors, so R = Σ_k now_k reset_kᵀ.
  Rotation r;
  for (int i = 0; i < 3; ++i) {
    const auto component = [i](const Vec3& v) { return i == 0 ? v.x : i == 1 ? v.y : v.z; };
    Vec3 row;
    for (std::size_t k = 0; k < 3; ++k)
      row = row + component(now[k]) * reset[k];
    r.rows[static_cast<std::size_t>(i)] = row;
  }
  return r;
}

std::optional<Rotation> firstViewRotation(const model::StructureModel& structure) {
  std::vector<Vec3> positions;
  for (int i = 1; i <= structure.nonHCount; ++i)
    positions.push_back(structure.view[1][static_cast<std::size_t>(i)]);
  if (positions.size() < 3) return std::nullopt;
  try {
    const geometry::PlaneFit plane = geometry::fitPlane(positions);
    const Vec3 across = unit(plane.axes[0]);
    const Vec3 normal = unit(plane.normal);
    return rowsOf(across, model::cross(normal, across));
  } catch (const UserError&) {
    return std::nullopt;  // all on one line: no plane to look onto
  }
}

Rotation axisViewRotation(const geometry::ViewFrame& frame, int axis) {
  const Vec3 edges[3] = {frame.edgeA(), frame.edgeB(), frame.edgeC()};
  const Vec3 towardsViewer = unit(edges[axis]);
  const Vec3 next = edges[(axis + 1) % 3];
  const Vec3 across = unit(next - model::dot(next, towardsViewer) * towardsViewer);
  return rowsOf(across, model::cross(towardsViewer, across));
}

int wheelZoomValue(int zoom, int steps) {
  return std::clamp(zoom + 4 * steps, zoomMinimum, zoomMaximum);
}

void zoomAboutPoint(ViewState& view, const ViewScene& scene, double px, double py, int zoomValue) {
  if (view.scale <= 0) return;
  const double before = view.extent;
  // The view point under the pointer, from the projection x = (px − W/2)·E/S, y = (H/2 − py)·E/S.
  const double x = (px - view.paneWidth / 2) * before / view.scale;
  const double y = (view.paneHeight / 2 - py) * before / view.scale;
  view.setZoom(zoomValue);
  const double ratio = view.extent / before;
  shiftView(scene.structure, scene.frame, Axis::X, x * (ratio - 1), false);
  shiftView(scene.structure, scene.frame, Axis::Y, y * (ratio - 1), false);
  if (scene.redraw) scene.redraw();
}

}  // namespace tavo::view
