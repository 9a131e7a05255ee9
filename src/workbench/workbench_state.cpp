// The shared state of the main window: the redraw chain, the settings it draws with, and the
// resets that several features share.
#include "workbench/workbench_state.h"

#include <algorithm>

#include "editing/selection_commands.h"
#include "geometry/bonds.h"
#include "text/errors.h"
#include "view/graphics_settings.h"
#include "view/renderer.h"
#include "workbench/picture_preferences.h"

namespace tavo::workbench {

namespace fs = std::filesystem;
using editing::MouseMode;

struct WorkbenchState::Parts {
  view::Renderer renderer;
  view::GraphicsSettings graphics;
  geometry::BondWorkspace bonds;
};

namespace {

view::PictureMode pictureModeOf(const editing::ModeFlags& f) {
  if (f.is(MouseMode::Part)) return view::PictureMode::Part;
  if (f.is(MouseMode::Distance)) return view::PictureMode::Distance;
  if (f.is(MouseMode::AngV1V2)) return view::PictureMode::AngV1V2;
  if (f.is(MouseMode::AlignVec)) return view::PictureMode::AlignVec;
  if (f.is(MouseMode::Sadi)) return view::PictureMode::Sadi;
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

WorkbenchState::WorkbenchState(model::Dialogs& dialogs, view::Canvas& canvas, model::Clock& clock,
                               fs::path folder)
    : programFolder(std::move(folder)),
      m_dialogs(dialogs),
      m_canvas(canvas),
      m_clock(clock),
      m_parts(std::make_unique<Parts>()) {
  structure.allocate();
  structure.programFolder = programFolder.string();
  selection.capacity = structure.limits.atmMax;
  editing::emptyWorkingGrid(structure.workingGrid);
}

WorkbenchState::~WorkbenchState() = default;

void WorkbenchState::endProgram(std::string_view message) {
  m_dialogs.message(message);
  endRequested = true;
  if (listener != nullptr) listener->endProgram();
  throw ProgramEnds{};
}

void WorkbenchState::notifyState() {
  if (listener != nullptr) listener->stateChanged();
}

void WorkbenchState::showPopup(PopupMenu menu, editing::ScreenPoint at) {
  if (listener != nullptr) listener->showPopupMenu(menu, at);
}

view::ViewScene WorkbenchState::scene() {
  return {structure, frame, m_clock, [this] { redraw(); }, modes.is(MouseMode::Adjust)};
}

editing::PickGeometry WorkbenchState::pickGeometry() const {
  return {view.paneWidth, view.paneHeight, std::max(view.scale, 1), view.extent, view.slab};
}

fs::path WorkbenchState::workingFolder() const {
  if (!structure.workingFolder.empty()) return structure.workingFolder;
  return fs::current_path();
}

void WorkbenchState::setCaption() {
  caption = std::string(captionPrefix) + structure.currentFile;
}

void WorkbenchState::afterChange(Changes what) {
  if (!loaded) return;
  if (what.fractionalCoordinates) geometry::computeCellOutline(structure, frame);
  if (what.resetView) {
    view.DetectMaxMin(structure, frame, display.showHydrogens, display.showPeaks,
                      modes.moveGroup());
    syncViewControls();
  }
  if (what.bonds) detectConnection();
  if (what.redraw) redraw();
}

void WorkbenchState::detectConnection() {
  const geometry::BondThresholds thresholds{controls.bondThreshold, controls.peakBondThreshold,
                                            display.showHydrogens, display.showPeaks};
  geometry::DetectConnection(structure, thresholds, m_dialogs, m_parts->bonds);
  for (const std::function<void()>& follower : m_detectionFollowers)
    follower();
}

void WorkbenchState::followDetection(std::function<void()> follower) {
  m_detectionFollowers.push_back(std::move(follower));
}

void WorkbenchState::followLoad(std::function<void()> follower) {
  m_loadFollowers.push_back(std::move(follower));
}

void WorkbenchState::structureRead() {
  for (const std::function<void()>& follower : m_loadFollowers)
    follower();
}

void WorkbenchState::dropCopies() {
  structure.workingAtomCount = structure.nonHCount;
  structure.workingHCount = structure.hCount;
  structure.workingPeakCount = structure.peakCount;
  for (const std::function<void()>& follower : m_copyFollowers)
    follower();
}

void WorkbenchState::followCopiesDropped(std::function<void()> follower) {
  m_copyFollowers.push_back(std::move(follower));
}

void WorkbenchState::followEntriesMoved(std::function<void(const editing::PurgeMap&)> follower) {
  m_moveFollowers.push_back(std::move(follower));
}

void WorkbenchState::entriesMoved(const editing::PurgeMap& map) {
  if (!map.changed()) return;
  selection.picked = editing::remapped(map, selection.picked);
  selection.remembered = editing::remapped(map, selection.remembered);
  selection.reversed = editing::remapped(map, selection.reversed);
  const std::filesystem::path file = workingFolder() / editing::selectionFileName;
  if (std::filesystem::exists(file)) {
    // A remembered Selection that cannot be read any more would restore other atoms: it goes.
    try {
      editing::writeSelectionFile(file, editing::remapped(map, editing::readSelectionFile(file)));
    } catch (const UserError&) {
      std::filesystem::remove(file);
    }
  }
  distance.first = map.map(distance.first);
  distance.second = map.map(distance.second);
  if (distance.first.kind == model::AtomKind::None || distance.second.kind == model::AtomKind::None)
    distance = {};
  if (editing::holdsStash(structure.workingGrid)) editing::emptyWorkingGrid(structure.workingGrid);
  for (const auto& follower : m_moveFollowers)
    follower(map);
}

void WorkbenchState::loadGraphicsSettings() {
  try {
    m_preferences->loadGraphicsSettings();
  } catch (const view::MissingSettingsFile& missing) {
    endProgram(missing.what());
  }
  followGraphicsSettings(true);
}

view::GraphicsSettings& WorkbenchState::graphicsSettings() {
  return m_parts->graphics;
}

view::GraphicsSettings WorkbenchState::graphicsFileValues() const {
  view::GraphicsSettings values = m_parts->graphics;
  if (display.stereo) setStereoSizes(values, false);
  return values;
}

void WorkbenchState::followGraphicsSettings(bool fromFile) {
  view::GraphicsSettings& settings = m_parts->graphics;
  mouseSpeed = settings.mouseSpeed;
  if (fromFile && display.stereo) {
    // The file holds the full sizes; the stereo pair keeps drawing with half of them, and
    // switching stereo off doubles them back.
    setStereoSizes(settings, true);
  }
  // Both panes take the new width; the left one moves to stay directly left of the right one.
  view::StereoLayout& panes = window.stereoPanes;
  panes.left.width = panes.right.width = settings.stereoSeparation;
  panes.left.left = panes.right.left - settings.stereoSeparation;
}

void WorkbenchState::loadSettings() {
  if (picturesShown || fs::exists(programFolder / graphicsSettingsFileName)) {
    loadGraphicsSettings();
  }
  model::ArrayLimits limits = structure.limits;
  model::readArrayLimits(programFolder, limits, m_dialogs, readOptions);
  nextLimits = limits;
  settingsLoaded = true;
}

const view::GraphicsSettings& WorkbenchState::graphics() const {
  return m_parts->graphics;
}

view::RenderOptions WorkbenchState::renderOptions() const {
  view::RenderOptions options;
  options.showLabels = display.showLabels;
  options.showHs = display.showHydrogens;
  options.hideHLabels = display.hideHydrogenLabels;
  options.viewHs = display.spotHydrogens;
  options.showPeaks = display.showPeaks;
  options.showCell = display.showCell;
  options.labelAxes = display.labelAxes;
  options.ellipse = display.ellipse;
  options.stereo = display.stereo;
  options.displayBond = showDistanceBond;
  options.labelSize = controls.labelSize;
  options.ellipsePair = m_preferences->ellipsePair();
  options.ellipseSizeFactor = m_preferences->ellipseSizeFactor();
  options.alignAxis = controls.alignAxis;
  options.alignSense = controls.alignSense;
  options.peakThreshold = controls.peakThreshold();
  options.mode = pictureModeOf(modes);
  options.selection = selection.picked;
  options.measuredDistance = distance.distanceA;
  options.displayedBond[0] = distance.first;
  options.displayedBond[1] = distance.second;
  options.map = mapOverlayShown ? &mapOverlay : nullptr;
  options.parts = &parts;
  const EllipsoidStyle& ellipsoids = m_preferences->ellipsoidStyle();
  options.ellipsoids = ellipsoids.on;
  options.ellipsoidProbability = ellipsoids.probabilityPercent / 100.0;
  options.principalEllipses = ellipsoids.principalEllipses;
  options.octantShading = ellipsoids.octantShading;
  return options;
}

void WorkbenchState::redraw() {
  if (!loaded) return;
  const view::RenderOptions options = renderOptions();
  view::Panes panes;
  panes.main = &m_canvas;
  const bool pair = display.stereo && !display.ellipse && !modes.is(MouseMode::Sadi) &&
                    m_stereoLeft != nullptr && m_stereoRight != nullptr;
  if (pair) {
    panes.stereoLeft = m_stereoLeft;
    panes.stereoRight = m_stereoRight;
    clearMainPane();
  }
  const view::PictureResult result =
      m_parts->renderer.DrawMolecule(structure, frame, view, options, m_parts->graphics, panes);
  if (result.displayedBondDrawn) distance.distanceA = result.displayedBondDistance;
  if (listener != nullptr) listener->pictureChanged();
}

void WorkbenchState::drawPictureOnto(view::Canvas& canvas, int width, int height,
                                     bool clearBackground) {
  if (!loaded) return;
  view::RenderOptions options = renderOptions();
  options.clearBackground = clearBackground;
  view::ViewState paneView = view;
  paneView.setPaneGeometry({width, height, view.scale});
  view::Panes panes;
  panes.main = &canvas;
  m_parts->renderer.DrawMolecule(structure, frame, paneView, options, m_parts->graphics, panes);
}

void WorkbenchState::setStereoCanvases(view::Canvas* left, view::Canvas* right) {
  m_stereoLeft = left;
  m_stereoRight = right;
}

void WorkbenchState::clearMainPane() {
  const view::GraphicsSettings& settings = m_parts->graphics;
  m_canvas.setPen(settings.backgroundColor, 1);
  m_canvas.setBrush(settings.backgroundColor);
  m_canvas.rectangle(-3, -3, view.paneWidth + 3, view.paneHeight + 3);
  m_canvas.show();
}

void WorkbenchState::switchStereo(bool on) {
  if (display.stereo == on) return;
  display.stereo = on;
  window.stereoPanesVisible = on;
  setStereoSizes(m_parts->graphics, on);
  if (on) {
    if (modes.is(MouseMode::Sadi)) turnEditingModeOff();
    display.ellipse = false;
  }
}

void WorkbenchState::syncViewControls() {
  controls.zoom = view.zoom;
  controls.slab = view.slab;
  controls.rotationX = view.rotationSpinX;
  controls.rotationY = view.rotationSpinY;
  controls.rotationZ = view.rotationSpinZ;
  controls.rotationTrackX = view.rotationTrackX;
  controls.rotationTrackY = view.rotationTrackY;
  controls.rotationTrackZ = view.rotationTrackZ;
  controls.shiftX = view.shiftSpinX;
  controls.shiftY = view.shiftSpinY;
  controls.shiftZ = view.shiftSpinZ;
  controls.shiftTrackX = view.shiftTrackX;
  controls.shiftTrackY = view.shiftTrackY;
  controls.shiftTrackZ = view.shiftTrackZ;
  controls.shiftStepFactor = view.shiftStepFactor;
}

void WorkbenchState::initGraphics() {
  view.InitGraphics(view.paneWidth, view.paneHeight);
  distance = {};
  window.rotationTrackBarsEnabled = !modes.rotate;
  if (!modes.moveGroup()) selection.clear(structure);
  syncViewControls();
}

void WorkbenchState::resetModesAndViewFlags() {
  // Rotate is left as it is: with it cleared as well, no mode would be left to take a click.
  turnEditingModeOff();
  window.checkedModeItem.reset();
  adjustPending = false;
  DisplayFlags& d = display;
  d.expandConnections = d.showCell = d.labelAxes = d.packingView = d.ellipse = false;
  switchStereo(false);
  d.hideHydrogenLabels = d.expandPeaks = d.expandHydrogens = false;
  d.spotHydrogens = false;
  controls.useLetters = false;  // CheckBox37
  dropCopies();
  window.inputs = {};
  window.hfixRulesWindowVisible = false;
}

}  // namespace tavo::workbench
