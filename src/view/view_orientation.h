// Orientations of the picture: the first view onto a molecule (its least-squares plane facing
// the viewer, its longest extent across the screen), the views down the cell axes, the
// orientation kept across a reopen, and the wheel zoom about the pointer.
#pragma once

#include <array>
#include <optional>

#include "geometry/view_frame.h"
#include "model/cell_parameters.h"
#include "model/structure_model.h"
#include "model/vec3.h"
#include "view/view_state.h"

namespace tavo::view {

/// A proper rotation of view coordinates: p′ = (rows[0]·p, rows[1]·p, rows[2]·p).
struct Rotation {
  std::array<model::Vec3, 3> rows{model::Vec3{1, 0, 0}, model::Vec3{0, 1, 0}, model::Vec3{0, 0, 1}};
  model::Vec3 operator()(const model::Vec3& p) const {
    return {model::dot(rows[0], p), model::dot(rows[1], p), model::dot(rows[2], p)};
  }
};

/// Turns every entry in use (atoms, H atoms and peaks up to the working counts) and view slots
/// 1..9 by `rotation` about the view origin.
void turnView(model::StructureModel& structure, geometry::ViewFrame& frame,
              const Rotation& rotation);

/// Shifts the picture so that the centroid the view was reset on lies at the view origin again
/// (undoing the user's shifts and a wheel zoom's), whatever the orientation.
void centreView(model::StructureModel& structure, geometry::ViewFrame& frame);

/// How the picture is turned against the orientation of the view reset (a right-handed
/// orthonormal frame of the cell edges compared before and after).
Rotation orientationOf(const geometry::ViewFrame& frame, const model::CellParameters& cell);

/// From the reset orientation to the first view: the normal of the least-squares plane of the
/// non-H atoms of the file (atoms 1..nonHCount) towards the viewer, their longest in-plane axis
/// horizontal. Empty when fewer than three atoms or all on one line: the reset view stays.
std::optional<Rotation> firstViewRotation(const model::StructureModel& structure);

/// From the current orientation to the view down cell axis `axis` (0 = a, 1 = b, 2 = c): that
/// axis points at the viewer and the next one (b, c, a) lies across the screen, to the right.
Rotation axisViewRotation(const geometry::ViewFrame& frame, int axis);

/// The zoom value after `steps` wheel notches (positive: closer) from `zoom`: four zoom units
/// (a factor 1.06⁴ ≈ 1.26) per notch, kept in the zoom range.
int wheelZoomValue(int zoom, int steps);

/// Zooms to `zoomValue` so that the point of the picture under pane pixel (px, py) stays under
/// it: the extent changes and the view shifts across the screen. Redraws through the scene.
void zoomAboutPoint(ViewState& view, const ViewScene& scene, double px, double py, int zoomValue);

}  // namespace tavo::view
