// Projection, zoom, slab, and the rotations and shifts of the view coordinates.
#include "view/view_state.h"

#include <algorithm>
#include <cmath>

#include "geometry/cell_metrics.h"
#include "text/text.h"

namespace tavo::view {

using model::Vec3;

namespace {

constexpr double int16Minimum = -32768;
constexpr double int16Maximum = 32767;

int roundToInt16(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::clamp(text::roundHalfEven(value), int16Minimum, int16Maximum));
}

int roundToInt(double value) {
  return static_cast<int>(text::roundHalfEven(value));
}

int entriesInUse(const model::StructureModel& structure) {
  return structure.workingAtomCount + structure.workingHCount + structure.workingPeakCount;
}

// Applies `move` to every point that a view motion moves.
template <class Move>
void moveView(model::StructureModel& structure, geometry::ViewFrame& frame, bool adjustMode,
              const Move& move) {
  const int counts[4] = {0, structure.workingAtomCount, structure.workingHCount,
                         structure.workingPeakCount};
  for (size_t kind = 1; kind <= 3; ++kind) {
    const int count = counts[kind];
    Vec3* view = structure.view[kind].upTo(count);
    const std::uint8_t* selected = structure.selected[kind].upTo(count);
    const bool keepSelected = adjustMode && kind != 3;
    for (int i = 1; i <= count; ++i) {
      if (keepSelected && selected[i] == 1) continue;
      move(view[i]);
    }
  }
  for (size_t slot = 1; slot <= 9; ++slot)
    move(frame.viewSlots[slot]);
}

int& prevRotation(ViewState& view, Axis axis) {
  return axis == Axis::X ? view.prevRotX : axis == Axis::Y ? view.prevRotY : view.prevRotZ;
}

int& prevShift(ViewState& view, Axis axis) {
  return axis == Axis::X ? view.prevShiftX : axis == Axis::Y ? view.prevShiftY : view.prevShiftZ;
}

int& shiftTrackOf(ViewState& view, Axis axis) {
  return axis == Axis::X ? view.shiftTrackX : axis == Axis::Y ? view.shiftTrackY : view.shiftTrackZ;
}

int& shiftSpinOf(ViewState& view, Axis axis) {
  return axis == Axis::X ? view.shiftSpinX : axis == Axis::Y ? view.shiftSpinY : view.shiftSpinZ;
}

void redraw(const ViewScene& scene) {
  if (scene.redraw) scene.redraw();
}

}  // namespace

void rotateView(model::StructureModel& structure, geometry::ViewFrame& frame, Axis axis,
                double angleRad, bool adjustMode) {
  const double c = std::cos(angleRad);
  const double s = std::sin(angleRad);
  switch (axis) {
    case Axis::X:
      moveView(structure, frame, adjustMode, [c, s](Vec3& p) {
        const double y = c * p.y - s * p.z;
        p.z = s * p.y + c * p.z;
        p.y = y;
      });
      break;
    case Axis::Y:
      moveView(structure, frame, adjustMode, [c, s](Vec3& p) {
        const double z = c * p.z - s * p.x;
        p.x = s * p.z + c * p.x;
        p.z = z;
      });
      break;
    case Axis::Z:
      moveView(structure, frame, adjustMode, [c, s](Vec3& p) {
        const double x = c * p.x - s * p.y;
        p.y = s * p.x + c * p.y;
        p.x = x;
      });
      break;
  }
}

void rotateViewInPlane(model::StructureModel& structure, geometry::ViewFrame& frame,
                       double directionRad, double angleRad, bool adjustMode) {
  const double ca = std::cos(directionRad);
  const double sa = std::sin(directionRad);
  const double c = std::cos(angleRad);
  const double s = std::sin(angleRad);
  const double m11 = ca * ca * c + sa * sa;
  const double m12 = ca * sa * (1 - c);
  const double m13 = ca * s;
  const double m22 = ca * ca + c * sa * sa;
  const double m23 = -sa * s;
  const double m31 = -ca * s;
  const double m32 = sa * s;
  moveView(structure, frame, adjustMode, [&](Vec3& p) {
    p = {m11 * p.x + m12 * p.y + m13 * p.z, m12 * p.x + m22 * p.y + m23 * p.z,
         m31 * p.x + m32 * p.y + c * p.z};
  });
}

void shiftView(model::StructureModel& structure, geometry::ViewFrame& frame, Axis axis,
               double shiftA, bool adjustMode) {
  switch (axis) {
    case Axis::X:
      moveView(structure, frame, adjustMode, [shiftA](Vec3& p) { p.x += shiftA; });
      break;
    case Axis::Y:
      moveView(structure, frame, adjustMode, [shiftA](Vec3& p) { p.y += shiftA; });
      break;
    case Axis::Z:
      moveView(structure, frame, adjustMode, [shiftA](Vec3& p) { p.z += shiftA; });
      break;
  }
}

StereoLayout stereoLayout(const PaneRect& mainPane, int stereoSeparation) {
  const int centre = mainPane.left + mainPane.width / 2;
  return {{centre - stereoSeparation, mainPane.top, stereoSeparation, mainPane.height},
          {centre, mainPane.top, stereoSeparation, mainPane.height}};
}

int stereoOnSize(int value, int minimum) {
  return std::max(roundToInt(value / 2.0), minimum);
}

int stereoOffSize(int value) {
  return roundToInt(value * 2.0);
}

int redrawDelay(int entryCount, double x, double delayB, double delayE) {
  const double ms =
      std::sqrt(std::max(entryCount, 0)) * delayE * (std::sqrt(std::abs(x) * delayB) + 5);
  return std::max(roundToInt16(ms), 0);
}

// Projection.

int ViewState::toScreenX(double x) const {
  // Rounded before the centre is added: halves go to even on the offset alone.
  return roundToInt16(text::roundHalfEven(scale * x / extent) + paneWidth / 2);
}

int ViewState::toScreenY(double y) const {
  return roundToInt16(paneHeight / 2 - text::roundHalfEven(scale * y / extent));
}

bool ViewState::inSlab(double z) const {
  return extent > std::abs(z) * 2 * 10 / slab;
}

double ViewState::pickDistance(const model::StructureModel& structure, model::AtomRef ref,
                               double px, double py) const {
  const double x = (px - paneWidth / 2.0) * extent / scale;
  const double y = (paneHeight / 2.0 - py) * extent / scale;
  const Vec3& p = structure.viewOf(ref);
  return std::sqrt((x - p.x) * (x - p.x) + (y - p.y) * (y - p.y));
}

PictureSizes ViewState::pictureSizes(int ballSize, int labelSize) const {
  const double root = std::sqrt(extent);
  // The sizes are bytes in the picture; an extent of a fraction of an Å must not wrap them.
  const auto size = [](double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(text::roundHalfEven(value), 0.0, 255.0));
  };
  return {size(labelSize / 5.0 * 36 / root), size(ballSize / root), size(ballSize / root + 2),
          size(64 / root)};
}

void ViewState::setPaneGeometry(const PaneGeometry& pane) {
  paneWidth = pane.paneWidth;
  paneHeight = pane.paneHeight;
  scale = pane.scale;
}

void ViewState::setMainPane(int width, int height) {
  paneWidth = width;
  paneHeight = height;
  scale = std::min(width, height);
}

// Resets.

void ViewState::InitGraphics(int mainPaneWidth, int mainPaneHeight) {
  prevRotX = prevRotY = prevRotZ = 0;
  prevShiftX = prevShiftY = prevShiftZ = 0;
  rotationTrackX = rotationTrackY = rotationTrackZ = 0;
  rotationSpinX = rotationSpinY = rotationSpinZ = 0;
  shiftTrackX = shiftTrackY = shiftTrackZ = 0;
  shiftSpinX = shiftSpinY = shiftSpinZ = 0;
  slab = 10;
  setMainPane(mainPaneWidth, mainPaneHeight);
  lastMouseX = paneWidth / 2;
  lastMouseY = paneHeight / 2;
}

void ViewState::DetectMaxMin(model::StructureModel& structure, geometry::ViewFrame& frame,
                             bool showHydrogens, bool showPeaks, bool moveGroupMode) {
  geometry::resetViewCoordinates(structure, frame, moveGroupMode);
  fitExtent(structure, frame, showHydrogens, showPeaks);
}

void ViewState::fitExtent(const model::StructureModel& structure, const geometry::ViewFrame& frame,
                          bool showHydrogens, bool showPeaks) {
  double e = 0;
  const auto widen = [&e](const Vec3& p) {
    const double span = 2 * model::length(p);
    if (span > e) e = span;
  };
  for (int i = 1; i <= structure.nonHCount; ++i)
    widen(structure.view[1][static_cast<size_t>(i)]);
  if (showHydrogens) {
    for (int i = 1; i <= structure.hCount; ++i)
      widen(structure.view[2][static_cast<size_t>(i)]);
  }
  if (showPeaks) {
    for (int i = 1; i <= structure.peakCount; ++i)
      widen(structure.view[3][static_cast<size_t>(i)]);
  }
  // A single atom at the centroid, or nothing shown at all, would give E = 0 and divide every
  // pixel position by zero: fit the cell box instead, or 1 Å when even that is empty.
  if (!(e > 0)) {
    for (size_t slot = 1; slot <= 8; ++slot)
      widen(frame.viewSlots[slot]);
  }
  if (!(e > 0) || !std::isfinite(e)) e = 1;
  extent = 1.1 * e;
  baseExtent = extent;
  zoom = 100;
}

// Zoom and slab.

void ViewState::setZoom(int value) {
  zoom = value;
  double e = baseExtent;
  for (int step = value; step < 100; ++step)
    e *= 1.06;
  for (int step = 100; step < value; ++step)
    e /= 1.06;
  extent = e;
}

void ViewState::changeZoom(const ViewScene& scene, int value) {
  setZoom(value);
  redraw(scene);
}

void ViewState::changeSlab(const ViewScene& scene, int value) {
  slab = value;
  redraw(scene);
}

// Rotation and shift steps.

void ViewState::rotateAboutX(const ViewScene& scene) {
  rotateView(scene.structure, scene.frame, Axis::X, stepAngle, scene.adjustMode);
  redraw(scene);
  scene.clock.pause(delay);
}

void ViewState::rotateAboutY(const ViewScene& scene) {
  rotateView(scene.structure, scene.frame, Axis::Y, stepAngle, scene.adjustMode);
  redraw(scene);
  scene.clock.pause(delay);
}

void ViewState::rotateAboutZ(const ViewScene& scene) {
  rotateView(scene.structure, scene.frame, Axis::Z, stepAngle, scene.adjustMode);
  redraw(scene);
  scene.clock.pause(delay);
}

void ViewState::rotateInDragPlane(const ViewScene& scene) {
  rotateViewInPlane(scene.structure, scene.frame, dragDirection, dragAngle, scene.adjustMode);
  redraw(scene);
  scene.clock.pause(delay);
}

void ViewState::turnForStereoPair(model::StructureModel& structure, geometry::ViewFrame& frame,
                                  bool adjustMode) const {
  rotateView(structure, frame, Axis::Y, -stepAngle, adjustMode);
}

namespace {

// The shift step shared by shiftAlongX, shiftAlongY and shiftAlongZ.
void shiftStep(ViewState& view, const ViewScene& scene, Axis axis) {
  shiftView(scene.structure, scene.frame, axis, view.stepShift, scene.adjustMode);
  if (!(view.dragging && view.gesture == Gesture::Shift)) redraw(scene);
  if (!view.dragging || view.gesture == Gesture::Rotate) {
    view.delayB = shiftDelay.delayB;
    view.delayE = shiftDelay.delayE;
    view.delay =
        redrawDelay(entriesInUse(scene.structure), std::abs(view.stepShift * 100 / view.extent),
                    view.delayB, view.delayE);
    scene.clock.pause(view.delay);
  }
}

void controlRotation(ViewState& view, const ViewScene& scene, Axis axis, int position,
                     DelayParameters parameters) {
  int& previous = prevRotation(view, axis);
  view.stepAngle = (position - previous) / degreesPerRadian;
  previous = position;
  view.delayB = parameters.delayB;
  view.delayE = parameters.delayE;
  view.delay = redrawDelay(entriesInUse(scene.structure), std::abs(view.stepAngle), view.delayB,
                           view.delayE);
  switch (axis) {
    case Axis::X:
      view.rotateAboutX(scene);
      break;
    case Axis::Y:
      view.rotateAboutY(scene);
      break;
    case Axis::Z:
      view.rotateAboutZ(scene);
      break;
  }
}

void controlShift(ViewState& view, const ViewScene& scene, Axis axis, int position,
                  double stepPerUnit) {
  int& previous = prevShift(view, axis);
  view.stepShift = (position - previous) * stepPerUnit;
  previous = position;
  switch (axis) {
    case Axis::X:
      view.shiftAlongX(scene);
      break;
    case Axis::Y:
      view.shiftAlongY(scene);
      break;
    case Axis::Z:
      view.shiftAlongZ(scene);
      break;
  }
}

}  // namespace

void ViewState::shiftAlongX(const ViewScene& scene) {
  shiftStep(*this, scene, Axis::X);
}

void ViewState::shiftAlongY(const ViewScene& scene) {
  shiftStep(*this, scene, Axis::Y);
}

void ViewState::shiftAlongZ(const ViewScene& scene) {
  shiftStep(*this, scene, Axis::Z);
}

// Control handlers.

void ViewState::RotateX(const ViewScene& scene, int position) {
  rotationTrackX = position;
  controlRotation(*this, scene, Axis::X, position, rotationControlDelay);
}

void ViewState::RotateY(const ViewScene& scene, int position) {
  rotationTrackY = position;
  controlRotation(*this, scene, Axis::Y, position, rotationControlDelay);
}

void ViewState::RotateZ(const ViewScene& scene, int position) {
  rotationTrackZ = position;
  controlRotation(*this, scene, Axis::Z, position, rotationControlDelay);
}

void ViewState::SpinX(const ViewScene& scene, int value) {
  rotationSpinX = value;
  controlRotation(*this, scene, Axis::X, value, rotationControlDelay);
}

void ViewState::SpinY(const ViewScene& scene, int value) {
  rotationSpinY = value;
  controlRotation(*this, scene, Axis::Y, value, rotationControlDelay);
}

void ViewState::SpinZ(const ViewScene& scene, int value) {
  rotationSpinZ = value;
  controlRotation(*this, scene, Axis::Z, value, rotationSpinZDelay);
}

void ViewState::ShiftTrack(const ViewScene& scene, Axis axis, int position) {
  shiftTrackOf(*this, axis) = position;
  controlShift(*this, scene, axis, position, extent / 100);
}

void ViewState::ShiftSpin(const ViewScene& scene, Axis axis, int value) {
  shiftSpinOf(*this, axis) = value;
  controlShift(*this, scene, axis, value, extent * shiftStepFactor / 40000);
}

}  // namespace tavo::view
