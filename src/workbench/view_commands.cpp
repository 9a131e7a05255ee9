// The View menu and pop-up menu, the view controls, the 'Bonds/Peaks Thresholds' panel and the
// distance list.
#include "workbench/view_commands.h"

#include "geometry/distance_list.h"
#include "text/text.h"
#include "view/graphics_settings.h"
#include "view/view_state.h"
#include "workbench/expansion_commands.h"

namespace tavo::workbench {

using editing::MouseMode;

ViewCommands::ViewCommands(CommandContext context) : m_context(context) {
  // The list of a large structure is long; it is built while the window is shown, and when it
  // is shown, from the same bonds.
  m_context.state.followDetection([this] {
    if (m_distanceList.visible) {
      m_distanceList.grid = geometry::ShowDistances(m_context.state.structure);
    }
  });
}

void ViewCommands::showDistances() {
  m_distanceList.grid = geometry::ShowDistances(m_context.state.structure);
  m_distanceList.visible = true;
}

void ViewCommands::distancesClosed() {
  m_distanceList.visible = false;
}

void ViewCommands::resizePane(int width, int height) {
  WorkbenchState& s = m_context.state;
  s.view.setMainPane(width, height);
  s.window.stereoPanes = view::stereoLayout({0, 0, width, height}, s.graphics().stereoSeparation);
  // Only the scale follows the pane: the view coordinates, the zoom and the orientation stay. A
  // fresh fit would re-centre the asymmetric unit alone and leave the copies of an expansion or
  // a packing where they were, and would drop the packing's cell-box zoom.
  if (s.loaded && (s.structure.nonHCount > 0 || s.structure.hCount > 0)) s.redraw();
}

bool ViewCommands::displayFlag(DisplayFlag flag) const {
  const DisplayFlags& d = m_context.state.display;
  switch (flag) {
    case DisplayFlag::Labels:
      return d.showLabels;
    case DisplayFlag::Hydrogens:
      return d.showHydrogens;
    case DisplayFlag::HideHydrogenLabels:
      return d.hideHydrogenLabels;
    case DisplayFlag::SpotHydrogens:
      return d.spotHydrogens;
    case DisplayFlag::Peaks:
      return d.showPeaks;
    case DisplayFlag::ExpandHydrogens:
      return d.expandHydrogens;
    case DisplayFlag::ExpandPeaks:
      return d.expandPeaks;
    case DisplayFlag::Cell:
      return d.showCell;
    case DisplayFlag::Ellipse:
      return d.ellipse;
    case DisplayFlag::Stereo:
      return d.stereo;
    case DisplayFlag::ExpandConnections:
      return d.expandConnections;
    case DisplayFlag::Packing:
      return d.packingView;
    case DisplayFlag::NumericalPositions:
      return d.numericalPositions;
    case DisplayFlag::TrackingBars:
      return d.trackingBars;
  }
  return false;
}

void ViewCommands::toggleDisplayFlag(DisplayFlag flag) {
  setDisplayFlag(flag, !displayFlag(flag));
}

void ViewCommands::setDisplayFlag(DisplayFlag flag, bool on) {
  WorkbenchState& s = m_context.state;
  if (m_expansion != nullptr && flag == DisplayFlag::ExpandConnections) {
    m_expansion->setExpandConnections(on);
    return;
  }
  if (m_expansion != nullptr && flag == DisplayFlag::Packing) {
    m_expansion->setPackingView(on);
    return;
  }
  DisplayFlags& d = s.display;
  Changes changes;
  changes.bonds = false;
  switch (flag) {
    case DisplayFlag::Labels:
      d.showLabels = on;
      break;
    case DisplayFlag::Hydrogens:
      d.showHydrogens = on;
      changes.bonds = true;
      break;
    case DisplayFlag::HideHydrogenLabels:
      d.hideHydrogenLabels = on;
      break;
    case DisplayFlag::SpotHydrogens:
      d.spotHydrogens = on;
      break;
    case DisplayFlag::Peaks:
      d.showPeaks = on;
      changes.bonds = true;
      break;
    case DisplayFlag::ExpandHydrogens:
      d.expandHydrogens = on;
      break;
    case DisplayFlag::ExpandPeaks:
      d.expandPeaks = on;
      break;
    case DisplayFlag::Cell:
      d.showCell = d.labelAxes = on;
      if (s.modes.is(MouseMode::Sadi)) s.turnEditingModeOff();
      break;
    case DisplayFlag::Ellipse:
      if (on) {
        if (s.modes.is(MouseMode::Sadi)) s.turnEditingModeOff();
        s.switchStereo(false);
      }
      d.ellipse = on;
      break;
    case DisplayFlag::Stereo:
      s.switchStereo(on);
      break;
    case DisplayFlag::ExpandConnections:
    case DisplayFlag::Packing: {
      const bool expand = flag == DisplayFlag::ExpandConnections;
      (expand ? d.expandConnections : d.packingView) = on;
      if (on) {
        (expand ? d.packingView : d.expandConnections) = false;
        // The modes that edit file entries cannot work on generated copies.
        if (s.modes.isAnyOf({MouseMode::Name, MouseMode::Delete, MouseMode::Locate,
                             MouseMode::Adjust, MouseMode::Sadi})) {
          s.turnEditingModeOff();
        }
        s.selection.clear(s.structure);
      }
      break;
    }
    case DisplayFlag::NumericalPositions:
      d.numericalPositions = on;
      if (on) d.trackingBars = false;
      changes.redraw = false;
      break;
    case DisplayFlag::TrackingBars:
      d.trackingBars = on;
      d.numericalPositions = !on;
      changes.redraw = false;
      break;
  }
  s.afterChange(changes);
}

void ViewCommands::initializeViewItems() {
  WorkbenchState& s = m_context.state;
  DisplayFlags& d = s.display;
  d.showLabels = d.showHydrogens = d.showPeaks = true;
  d.hideHydrogenLabels = d.spotHydrogens = d.showCell = d.labelAxes = false;
  s.switchStereo(false);
  d.ellipse = d.expandConnections = d.packingView = false;
  d.expandHydrogens = d.expandPeaks = false;
  if (s.modes.isAnyOf({MouseMode::CalcPlane, MouseMode::AngV1V2})) s.turnEditingModeOff();
  s.dropCopies();
  if (!s.loaded) return;
  s.initGraphics();
  s.afterChange({.fractionalCoordinates = false, .resetView = true});
}

void ViewCommands::initBonds() {
  if (m_context.state.loaded) m_context.state.detectConnection();
}

void ViewCommands::initGraph() {
  WorkbenchState& s = m_context.state;
  s.resetModesAndViewFlags();
  if (!s.loaded) return;
  s.initGraphics();
  s.afterChange({.fractionalCoordinates = false, .resetView = true});
}

void ViewCommands::setZoom(int value) {
  WorkbenchState& s = m_context.state;
  s.view.changeZoom(s.scene(), zoomRange.clamp(value));
  s.syncViewControls();
}

void ViewCommands::setZoomTrack(int position) {
  WorkbenchState& s = m_context.state;
  s.view.changeZoom(s.scene(), zoomTrackRange.clamp(position));
  s.syncViewControls();
}

void ViewCommands::setSlab(int value) {
  WorkbenchState& s = m_context.state;
  s.view.changeSlab(s.scene(), slabRange.clamp(value));
  s.syncViewControls();
}

void ViewCommands::setRotation(int axis, int degrees) {
  WorkbenchState& s = m_context.state;
  const int v = rotationRange.clamp(degrees);
  if (axis == 1) s.view.SpinX(s.scene(), v);
  if (axis == 2) s.view.SpinY(s.scene(), v);
  if (axis == 3) s.view.SpinZ(s.scene(), v);
  s.syncViewControls();
}

void ViewCommands::setRotationTrack(int axis, int degrees) {
  WorkbenchState& s = m_context.state;
  const int p = rotationTrackRange.clamp(degrees);
  if (axis == 1) s.view.RotateX(s.scene(), p);
  if (axis == 2) s.view.RotateY(s.scene(), p);
  if (axis == 3) s.view.RotateZ(s.scene(), p);
  s.syncViewControls();
}

void ViewCommands::setShift(int axis, int steps) {
  WorkbenchState& s = m_context.state;
  if (axis < 1 || axis > 3) return;
  s.view.ShiftSpin(s.scene(), static_cast<view::Axis>(axis - 1), shiftRange.clamp(steps));
  s.syncViewControls();
}

void ViewCommands::setShiftTrack(int axis, int hundredths) {
  WorkbenchState& s = m_context.state;
  if (axis < 1 || axis > 3) return;
  s.view.ShiftTrack(s.scene(), static_cast<view::Axis>(axis - 1),
                    shiftTrackRange.clamp(hundredths));
  s.syncViewControls();
}

void ViewCommands::setShiftStepFactor(int value) {
  WorkbenchState& s = m_context.state;
  s.view.shiftStepFactor = shiftStepFactorRange.clamp(value);
  s.syncViewControls();
}

void ViewCommands::setBondThreshold(int tenths) {
  m_context.state.controls.bondThreshold = bondThresholdRange.clamp(tenths);
  m_context.state.afterChange({});
}

void ViewCommands::setPeakBondThreshold(int tenths) {
  m_context.state.controls.peakBondThreshold = bondThresholdRange.clamp(tenths);
  m_context.state.afterChange({});
}

void ViewCommands::setPeakThreshold(PeakThresholdDigit digit, int value) {
  ControlValues& c = m_context.state.controls;
  switch (digit) {
    case PeakThresholdDigit::Tens:
      c.peakThresholdTens = peakTensRange.clamp(value);
      break;
    case PeakThresholdDigit::Units:
      c.peakThresholdUnits = peakDigitRange.clamp(value);
      break;
    case PeakThresholdDigit::Tenths:
      c.peakThresholdTenths = peakDigitRange.clamp(value);
      break;
    case PeakThresholdDigit::Hundredths:
      c.peakThresholdHundredths = peakDigitRange.clamp(value);
      break;
  }
  c.peakThresholdText = text::formatGeneral(c.peakThreshold());
  // The threshold decides what is drawn, not what is connected.
  m_context.state.afterChange({.bonds = false});
}

void ViewCommands::setLabelSize(int size) {
  m_context.state.controls.labelSize = labelSizeRange.clamp(size);
  m_context.state.redraw();
}

void ViewCommands::setDistanceBondShown(bool on) {
  WorkbenchState& s = m_context.state;
  if (on && s.distance.empty()) {
    s.showDistanceBond = false;
    m_context.dialogs.message(selectTwoAtomsMessage);
    return;
  }
  s.showDistanceBond = on;
  s.redraw();
}

}  // namespace tavo::workbench
