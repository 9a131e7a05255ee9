// Mouse gestures on the picture: drag to rotate, shift, zoom or change the depth slab.
#include <algorithm>
#include <cmath>

#include "text/text.h"
#include "view/view_state.h"

namespace tavo::view {

namespace {

int roundToInt(double value) {
  return static_cast<int>(text::roundHalfEven(value));
}

// The rotation of a drag grows with the square root of the structure size, so that big
// structures do not turn sluggishly.
double dragScale(const ViewScene& scene, int mouseSpeed) {
  const double nPrime = std::max(scene.structure.nonHCount, 20);
  return 10.0 / std::max(mouseSpeed, 1) * std::sqrt(nPrime) / 7;
}

// Moves a track bar by `delta` within its range; its change handler runs when it moved.
template <class Handler>
void nudgeTrackBar(int position, int delta, int minimum, int maximum, const Handler& changed) {
  const int moved = std::clamp(position + delta, minimum, maximum);
  if (moved != position) changed(moved);
}

}  // namespace

void ViewState::mouseDown(MouseButton pressed, Gesture kind, double x, double y) {
  dragging = true;
  button = pressed;
  gesture = kind;
  lastMouseX = x;
  lastMouseY = y;
}

void ViewState::mouseUp() {
  dragging = false;
  gesture = Gesture::Rotate;
}

void ViewState::mouseMove(const ViewScene& scene, double x, double y, int mainPaneWidth,
                          int mouseSpeed) {
  if (!dragging) return;
  const double dx = x - lastMouseX;
  const double dy = y - lastMouseY;
  mouseDX = dx;
  mouseDY = dy;
  const double w1 = std::max(mainPaneWidth, 1);
  const bool mostlyAcross = std::abs(dy) < std::abs(dx);
  const double d = mostlyAcross ? dx : dy;
  const double sense = mostlyAcross ? 1.0 : -1.0;
  const auto setRotationDelay = [&] {
    delayB = mouseRotationDelay.delayB;
    delayE = mouseRotationDelay.delayE;
    const int n = scene.structure.workingAtomCount + scene.structure.workingHCount +
                  scene.structure.workingPeakCount;
    delay = redrawDelay(n, std::abs(dx) + std::abs(dy), delayB, delayE);
  };
  const auto zoomTo = [&](int value) { changeZoom(scene, value); };
  const auto slabTo = [&](int value) { changeSlab(scene, value); };
  const int zoomTrack = std::clamp(zoom, zoomTrackMinimum, zoomTrackMaximum);

  if (button == MouseButton::Left) {
    switch (gesture) {
      case Gesture::Rotate:
        setRotationDelay();
        if (dx != 0) {
          dragDirection = std::atan(dy / dx);
          dragAngle = std::copysign(std::sqrt(dx * dx + dy * dy) / degreesPerRadian, dx) *
                      dragScale(scene, mouseSpeed);
          rotateInDragPlane(scene);
        } else if (dy != 0) {
          stepAngle = dy / degreesPerRadian * dragScale(scene, mouseSpeed);
          rotateAboutX(scene);
        }
        break;
      case Gesture::Shift: {
        const auto shiftX = [&](int p) { ShiftTrack(scene, Axis::X, p); };
        const auto shiftY = [&](int p) { ShiftTrack(scene, Axis::Y, p); };
        if (dx != 0) {
          nudgeTrackBar(shiftTrackX, roundToInt(dx * 0.63 * 200 / w1), -shiftTrackLimit,
                        shiftTrackLimit, shiftX);
        }
        if (dy != 0) {
          nudgeTrackBar(shiftTrackY, roundToInt(dy * -0.63 * 200 / w1), -shiftTrackLimit,
                        shiftTrackLimit, shiftY);
        }
        if (scene.redraw) scene.redraw();
        break;
      }
      case Gesture::Zoom:
        nudgeTrackBar(zoomTrack, roundToInt(d * 1.5 * sense * 200 / w1), zoomTrackMinimum,
                      zoomTrackMaximum, zoomTo);
        break;
      case Gesture::Control:
        break;
    }
  } else {
    switch (gesture) {
      case Gesture::Rotate:
        setRotationDelay();
        stepAngle = d / -degreesPerRadian * dragScale(scene, mouseSpeed);
        rotateAboutZ(scene);
        break;
      case Gesture::Shift: {
        const auto shiftZ = [&](int p) { ShiftTrack(scene, Axis::Z, p); };
        nudgeTrackBar(shiftTrackZ, roundToInt(d * 0.63 * sense * 200 / w1), -shiftTrackLimit,
                      shiftTrackLimit, shiftZ);
        if (scene.redraw) scene.redraw();
        break;
      }
      case Gesture::Zoom:
        nudgeTrackBar(slab, roundToInt(d * 1.5 * sense * 100 / w1), slabMinimum, slabMaximum,
                      slabTo);
        break;
      case Gesture::Control:
        break;
    }
  }
  lastMouseX = x;
  lastMouseY = y;
}

}  // namespace tavo::view
