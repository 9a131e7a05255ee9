// The view controls of the main window (zoom, slab, rotation and shift spin edits and track
// bars) and the 'Bonds/Peaks Thresholds' panel with the label size.
#include <algorithm>

#include "text/text.h"
#include "view/view_state.h"
#include "workbench/workbench.h"

namespace tavo::workbench {

namespace {

constexpr int thresholdMinimum = 1, thresholdMaximum = 20;               // SpinEdit5, SpinEdit7
constexpr int peakTensMaximum = 100, peakDigitMaximum = 9;               // SpinEdit6; 27..29
constexpr int labelSizeMinimum = 1, labelSizeMaximum = 50;               // SpinEdit26
constexpr int shiftStepFactorMinimum = 1, shiftStepFactorMaximum = 300;  // SpinEdit32

}  // namespace

void Workbench::syncViewControls() {
  m_controls.zoom = m_view.zoom;
  m_controls.slab = m_view.slab;
  m_controls.rotationX = m_view.rotationSpinX;
  m_controls.rotationY = m_view.rotationSpinY;
  m_controls.rotationZ = m_view.rotationSpinZ;
  m_controls.rotationTrackX = m_view.rotationTrackX;
  m_controls.rotationTrackY = m_view.rotationTrackY;
  m_controls.rotationTrackZ = m_view.rotationTrackZ;
  m_controls.shiftX = m_view.shiftSpinX;
  m_controls.shiftY = m_view.shiftSpinY;
  m_controls.shiftZ = m_view.shiftSpinZ;
  m_controls.shiftTrackX = m_view.shiftTrackX;
  m_controls.shiftTrackY = m_view.shiftTrackY;
  m_controls.shiftTrackZ = m_view.shiftTrackZ;
  m_controls.shiftStepFactor = m_view.shiftStepFactor;
}

void Workbench::setZoom(int value) {
  run([&] {
    m_view.ZoomChange(scene(), std::clamp(value, view::zoomMinimum, view::zoomMaximum));
    syncViewControls();
  });
}

void Workbench::setZoomTrack(int position) {
  run([&] {
    m_view.ZoomChange(scene(),
                      std::clamp(position, view::zoomTrackMinimum, view::zoomTrackMaximum));
    syncViewControls();
  });
}

void Workbench::setSlab(int value) {
  run([&] {
    m_view.SlabChange(scene(), std::clamp(value, view::slabMinimum, view::slabMaximum));
    syncViewControls();
  });
}

void Workbench::setRotation(int axis, int degrees) {
  run([&] {
    const int v = std::clamp(degrees, -view::rotationSpinLimit, view::rotationSpinLimit);
    if (axis == 1) m_view.SpinX(scene(), v);
    if (axis == 2) m_view.SpinY(scene(), v);
    if (axis == 3) m_view.SpinZ(scene(), v);
    syncViewControls();
  });
}

void Workbench::setRotationTrack(int axis, int degrees) {
  run([&] {
    const int p = std::clamp(degrees, -view::rotationTrackLimit, view::rotationTrackLimit);
    if (axis == 1) m_view.RotateX(scene(), p);
    if (axis == 2) m_view.RotateY(scene(), p);
    if (axis == 3) m_view.RotateZ(scene(), p);
    syncViewControls();
  });
}

void Workbench::setShift(int axis, int steps) {
  run([&] {
    if (axis < 1 || axis > 3) return;
    const int v = std::clamp(steps, -view::shiftSpinLimit, view::shiftSpinLimit);
    m_view.ShiftSpin(scene(), static_cast<view::Axis>(axis - 1), v);
    syncViewControls();
  });
}

void Workbench::setShiftTrack(int axis, int hundredths) {
  run([&] {
    if (axis < 1 || axis > 3) return;
    const int p = std::clamp(hundredths, -view::shiftTrackLimit, view::shiftTrackLimit);
    m_view.ShiftTrack(scene(), static_cast<view::Axis>(axis - 1), p);
    syncViewControls();
  });
}

void Workbench::setShiftStepFactor(int value) {
  run([&] {
    m_view.shiftStepFactor = std::clamp(value, shiftStepFactorMinimum, shiftStepFactorMaximum);
    syncViewControls();
  });
}

void Workbench::setBondThreshold(int tenths) {
  run([&] {
    m_controls.bondThreshold = std::clamp(tenths, thresholdMinimum, thresholdMaximum);
    afterChange({});
  });
}

void Workbench::setPeakBondThreshold(int tenths) {
  run([&] {
    m_controls.peakBondThreshold = std::clamp(tenths, thresholdMinimum, thresholdMaximum);
    afterChange({});
  });
}

void Workbench::setPeakThreshold(PeakThresholdDigit digit, int value) {
  run([&] {
    ControlValues& c = m_controls;
    switch (digit) {
      case PeakThresholdDigit::Tens:
        c.peakThresholdTens = std::clamp(value, 0, peakTensMaximum);
        break;
      case PeakThresholdDigit::Units:
        c.peakThresholdUnits = std::clamp(value, 0, peakDigitMaximum);
        break;
      case PeakThresholdDigit::Tenths:
        c.peakThresholdTenths = std::clamp(value, 0, peakDigitMaximum);
        break;
      case PeakThresholdDigit::Hundredths:
        c.peakThresholdHundredths = std::clamp(value, 0, peakDigitMaximum);
        break;
    }
    c.peakThresholdText = text::formatGeneral(c.peakThreshold());
    // The threshold decides what is drawn, not what is connected.
    afterChange({.bonds = false});
  });
}

void Workbench::setLabelSize(int size) {
  run([&] {
    m_controls.labelSize = std::clamp(size, labelSizeMinimum, labelSizeMaximum);
    redraw();
  });
}

}  // namespace tavo::workbench
