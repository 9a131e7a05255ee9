// The Workbench: state of the main window, the dispatcher of its commands, the redraw chain and
// the view and display commands.
#include "workbench/workbench.h"

#include <algorithm>

#include "editing/selection_commands.h"
#include "geometry/bonds.h"
#include "geometry/distance_list.h"
#include "text/errors.h"
#include "view/graphics_settings.h"
#include "view/renderer.h"
#include "workbench/preference_commands.h"
#include "workbench/working_grids_panel.h"

namespace tavo::workbench {

struct Workbench::Parts {
  view::Renderer renderer;
  view::GraphicsSettings graphics;
  geometry::BondWorkspace bonds;
};

namespace {

/// Thrown by endProgram: the message has been shown, the command is abandoned silently.
struct ProgramEnds {};

view::PictureMode pictureModeOf(const editing::ModeFlags& f) {
  if (f.part) return view::PictureMode::Part;
  if (f.distance) return view::PictureMode::Distance;
  if (f.angleVectors) return view::PictureMode::AngV1V2;
  if (f.alignVector) return view::PictureMode::AlignVec;
  if (f.sadi) return view::PictureMode::Sadi;
  return view::PictureMode::None;
}

// The settings-file lines of "nonH-Bond Width" and "nonH Ball Size", which the stereo switch
// halves and doubles within their ranges.
constexpr int nonHBondWidthLine = 12;
constexpr int nonHBallSizeLine = 13;

void setStereoSizes(view::GraphicsSettings& graphics, bool stereoOn) {
  const auto size = [stereoOn](int line, int value) {
    const int minimum = view::graphicsSettingTable()[line - 1].minimum;
    return view::clampGraphicsSetting(
        line, stereoOn ? view::stereoOnSize(value, minimum) : view::stereoOffSize(value));
  };
  graphics.nonHBondWidth = size(nonHBondWidthLine, graphics.nonHBondWidth);
  graphics.nonHBallSize = size(nonHBallSizeLine, graphics.nonHBallSize);
}

}  // namespace

Workbench::Workbench(model::Dialogs& dialogs, view::Canvas& canvas, model::Clock& clock,
                     std::filesystem::path programFolder)
    : m_dialogs(dialogs),
      m_canvas(canvas),
      m_clock(clock),
      m_programFolder(std::move(programFolder)),
      m_parts(std::make_unique<Parts>()) {
  m_structure.allocate();
  m_structure.programFolder = m_programFolder.string();
  m_selection.capacity = m_structure.limits.atmMax;
  editing::emptyWorkingGrid(m_structure.workingGrid);
  const WindowContext windows{m_structure, m_dialogs,
                              [this] {
                                return m_programFolder.empty() ? std::filesystem::current_path()
                                                               : m_programFolder;
                              },
                              [this](bool bonds) { afterChange({.bonds = bonds}); }};
  m_preferences = std::make_unique<PreferenceCommands>(
      windows, GraphicsContext{m_parts->graphics,
                               [this](bool fromFile) { followGraphicsSettings(fromFile); },
                               [this] { return graphicsFileValues(); }});
  m_workingGrids = std::make_unique<WorkingGridsPanel>(windows);
}

Workbench::~Workbench() = default;

void Workbench::run(const std::function<void()>& command) {
  try {
    command();
  } catch (const UserError& e) {
    m_dialogs.message(e.what());
  } catch (const std::filesystem::filesystem_error& e) {
    m_dialogs.message(e.what());
  } catch (const ProgramEnds&) {
  }
  notifyState();
}

void Workbench::endProgram(std::string_view message) {
  m_dialogs.message(message);
  m_endRequested = true;
  if (m_listener != nullptr) m_listener->endProgram();
  throw ProgramEnds{};
}

void Workbench::notifyState() {
  if (m_listener != nullptr) m_listener->stateChanged();
}

view::ViewScene Workbench::scene() {
  return {m_structure, m_frame, m_clock, [this] { redraw(); }, m_modes.adjust};
}

editing::PickGeometry Workbench::pickGeometry() const {
  return {m_view.paneWidth, m_view.paneHeight, std::max(m_view.scale, 1), m_view.extent,
          m_view.slab};
}

void Workbench::afterChange(Changes what) {
  if (!m_loaded) return;
  if (what.fractionalCoordinates) geometry::UnitCellClick(m_structure, m_frame);
  if (what.resetView) {
    m_view.DetectMaxMin(m_structure, m_frame, m_display.showHydrogens, m_display.showPeaks,
                        m_modes.moveGroup);
    syncViewControls();
  }
  if (what.bonds) detectConnection();
  if (what.redraw) redraw();
}

void Workbench::detectConnection() {
  const geometry::BondThresholds thresholds{m_controls.bondThreshold, m_controls.peakBondThreshold,
                                            m_display.showHydrogens, m_display.showPeaks};
  geometry::DetectConnection(m_structure, thresholds, m_dialogs, m_parts->bonds);
  // The list of a large structure is long; it is built while the window is shown, and when it
  // is shown, from the same bonds.
  if (m_distanceList.visible) m_distanceList.grid = geometry::ShowDistances(m_structure);
}

void Workbench::showDistances() {
  run([&] {
    m_distanceList.grid = geometry::ShowDistances(m_structure);
    m_distanceList.visible = true;
    notifyState();
  });
}

void Workbench::distancesClosed() {
  m_distanceList.visible = false;
}

void Workbench::loadGraphicsSettings() {
  try {
    m_preferences->loadGraphicsSettings();
  } catch (const view::MissingSettingsFile& missing) {
    endProgram(missing.what());
  }
  followGraphicsSettings(true);
}

view::GraphicsSettings Workbench::graphicsFileValues() const {
  view::GraphicsSettings values = m_parts->graphics;
  if (m_display.stereo) setStereoSizes(values, false);
  return values;
}

void Workbench::followGraphicsSettings(bool fromFile) {
  m_mouseSpeed = m_parts->graphics.mouseSpeed;
  view::GraphicsSettings& graphics = m_parts->graphics;
  if (fromFile && m_display.stereo) {
    // The file holds the full sizes; the stereo pair keeps drawing with half of them, and
    // switching stereo off doubles them back.
    setStereoSizes(graphics, true);
  }
  // Both panes take the new width; the left one moves to stay directly left of the right one.
  view::StereoLayout& panes = m_window.stereoPanes;
  panes.left.width = panes.right.width = graphics.stereoSeparation;
  panes.left.left = panes.right.left - graphics.stereoSeparation;
}

void Workbench::loadSettings() {
  loadGraphicsSettings();
  model::ArrayLimits limits = m_structure.limits;
  model::readArrayLimits(m_programFolder, limits, m_dialogs);
  m_nextLimits = limits;
  m_settingsLoaded = true;
}

void Workbench::redraw() {
  if (!m_loaded) return;
  view::RenderOptions options;
  options.showLabels = m_display.showLabels;
  options.showHs = m_display.showHydrogens;
  options.hideHLabels = m_display.hideHydrogenLabels;
  options.viewHs = m_display.spotHydrogens;
  options.showPeaks = m_display.showPeaks;
  options.showCell = m_display.showCell;
  options.labelAxes = m_display.labelAxes;
  options.ellipse = m_display.ellipse;
  options.stereo = m_display.stereo;
  options.displayBond = m_showDistanceBond;
  options.labelSize = m_controls.labelSize;
  options.ellipsePair = m_preferences->ellipseWindow().pair;
  options.ellipseSizeFactor = m_preferences->ellipseWindow().sizeFactor;
  options.alignAxis = m_controls.alignAxis;
  options.alignSense = m_controls.alignSense;
  options.peakThreshold = m_controls.peakThreshold();
  options.mode = pictureModeOf(m_modes);
  options.selection = m_selection.picked;
  options.measuredDistance = m_distance.distanceA;
  options.displayedBond[0] = m_distance.first;
  options.displayedBond[1] = m_distance.second;
  view::Panes panes;
  panes.main = &m_canvas;
  const bool pair = m_display.stereo && !m_display.ellipse && !m_modes.sadi &&
                    m_stereoLeft != nullptr && m_stereoRight != nullptr;
  if (pair) {
    panes.stereoLeft = m_stereoLeft;
    panes.stereoRight = m_stereoRight;
    clearMainPane();
  }
  const view::PictureResult result = m_parts->renderer.DrawMolecule(
      m_structure, m_frame, m_view, options, m_parts->graphics, panes);
  if (result.displayedBondDrawn) m_distance.distanceA = result.displayedBondDistance;
  if (m_listener != nullptr) m_listener->pictureChanged();
}

void Workbench::setStereoCanvases(view::Canvas* left, view::Canvas* right) {
  m_stereoLeft = left;
  m_stereoRight = right;
}

void Workbench::clearMainPane() {
  const view::GraphicsSettings& graphics = m_parts->graphics;
  m_canvas.setPen(graphics.backgroundColor, 1);
  m_canvas.setBrush(graphics.backgroundColor);
  m_canvas.rectangle(-3, -3, m_view.paneWidth + 3, m_view.paneHeight + 3);
  m_canvas.show();
}

void Workbench::switchStereo(bool on) {
  if (m_display.stereo == on) return;
  m_display.stereo = on;
  m_window.stereoPanesVisible = on;
  view::GraphicsSettings& graphics = m_parts->graphics;
  setStereoSizes(graphics, on);
  if (on) {
    m_modes.sadi = false;
    m_display.ellipse = false;
  }
}

void Workbench::initGraphics() {
  m_view.InitGraphics(m_view.paneWidth, m_view.paneHeight);
  m_distance = {};
  m_window.rotationTrackBarsEnabled = !m_modes.rotate;
  if (!m_modes.moveGroup) m_selection.clear(m_structure);
  syncViewControls();
}

void Workbench::resizePane(int width, int height) {
  run([&] {
    m_view.setMainPane(width, height);
    m_window.stereoPanes =
        view::stereoLayout({0, 0, width, height}, m_parts->graphics.stereoSeparation);
    if (m_loaded && (m_structure.nonHCount > 0 || m_structure.hCount > 0)) {
      m_view.DetectMaxMin(m_structure, m_frame, m_display.showHydrogens, m_display.showPeaks,
                          m_modes.moveGroup);
      initGraphics();
      redraw();
    }
  });
}

bool Workbench::displayFlag(DisplayFlag flag) const {
  const DisplayFlags& d = m_display;
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

void Workbench::toggleDisplayFlag(DisplayFlag flag) {
  setDisplayFlag(flag, !displayFlag(flag));
}

void Workbench::setDisplayFlag(DisplayFlag flag, bool on) {
  run([&] {
    DisplayFlags& d = m_display;
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
        m_modes.sadi = false;
        break;
      case DisplayFlag::Ellipse:
        if (on) {
          m_modes.sadi = false;
          switchStereo(false);
        }
        d.ellipse = on;
        break;
      case DisplayFlag::Stereo:
        switchStereo(on);
        break;
      case DisplayFlag::ExpandConnections:
      case DisplayFlag::Packing: {
        const bool expand = flag == DisplayFlag::ExpandConnections;
        (expand ? d.expandConnections : d.packingView) = on;
        if (on) {
          (expand ? d.packingView : d.expandConnections) = false;
          m_modes.name = m_modes.remove = m_modes.locate = m_modes.adjust = m_modes.sadi = false;
          m_selection.clear(m_structure);
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
    afterChange(changes);
  });
}

void Workbench::initializeViewItems() {
  run([&] {
    DisplayFlags& d = m_display;
    d.showLabels = d.showHydrogens = d.showPeaks = true;
    d.hideHydrogenLabels = d.spotHydrogens = d.showCell = d.labelAxes = false;
    switchStereo(false);
    d.ellipse = d.expandConnections = d.packingView = false;
    d.expandHydrogens = d.expandPeaks = false;
    m_modes.calcPlane = m_modes.angleVectors = false;
    m_structure.workingAtomCount = m_structure.nonHCount;
    m_structure.workingHCount = m_structure.hCount;
    m_structure.workingPeakCount = m_structure.peakCount;
    if (!m_loaded) return;
    initGraphics();
    afterChange({.fractionalCoordinates = false, .resetView = true});
  });
}

void Workbench::initGraph() {
  run([&] {
    resetModesAndViewFlags();
    if (!m_loaded) return;
    initGraphics();
    afterChange({.fractionalCoordinates = false, .resetView = true});
  });
}

void Workbench::resetModesAndViewFlags() {
  // Rotate is left as it is: with it cleared as well, no mode would be left to take a click.
  turnAllModesOff();
  m_window.checkedModeItem.reset();
  m_adjustPending = false;
  DisplayFlags& d = m_display;
  d.expandConnections = d.showCell = d.labelAxes = d.packingView = d.ellipse = false;
  switchStereo(false);
  d.hideHydrogenLabels = d.expandPeaks = d.expandHydrogens = false;
  d.spotHydrogens = false;
  m_controls.useLetters = false;  // CheckBox37
  m_structure.workingAtomCount = m_structure.nonHCount;
  m_structure.workingHCount = m_structure.hCount;
  m_structure.workingPeakCount = m_structure.peakCount;
  m_window.inputs = {};
  m_window.hfixRulesWindowVisible = false;
}

void Workbench::setElementNumber(int number) {
  run([&] {
    const int last = std::max(m_structure.elementCount, 1);
    m_controls.elementNumber = std::clamp(number, 1, last);
    if (m_controls.elementNumber <= m_structure.elementCount) {
      m_controls.elementSymbol = m_structure.elements[m_controls.elementNumber].symbol;
    }
    if (m_modes.renumber) recountForRenumber();
  });
}

void Workbench::recountForRenumber() {
  int count = 0;
  if (m_controls.elementSymbol == "H" || m_controls.elementSymbol == "h") {
    count = m_structure.hCount;
  } else {
    for (int i = 1; i <= m_structure.nonHCount; ++i)
      count += m_structure.atoms[i].sfac == m_controls.elementNumber;
  }
  m_controls.elementCountText = std::to_string(count);
  m_controls.firstNumberMax = std::max(count, 1);
  m_controls.firstNumber = 1;
}

void Workbench::setDistanceBondShown(bool on) {
  static constexpr std::string_view selectTwoAtomsMessage =
      "You should select the two atoms using \"Distance\"!";
  run([&] {
    if (on && m_distance.empty()) {
      m_showDistanceBond = false;
      m_dialogs.message(selectTwoAtomsMessage);
      return;
    }
    m_showDistanceBond = on;
    redraw();
  });
}

void Workbench::showPopup(PopupMenu menu, editing::ScreenPoint at) {
  if (m_listener != nullptr) m_listener->showPopupMenu(menu, at);
}

}  // namespace tavo::workbench
