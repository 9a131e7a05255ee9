// The mouse on the picture, the mode menu and its switch rules, the atom menu, and the Apply
// panel.
#include <algorithm>

#include "editing/distances_angles.h"
#include "editing/pick_rules.h"
#include "editing/selection_commands.h"
#include "text/errors.h"
#include "workbench/workbench.h"

namespace tavo::workbench {

using editing::ModeFlags;
using editing::MouseMode;

namespace {

bool showsApplyPanel(MouseMode mode) {
  switch (mode) {
    case MouseMode::Distance:
    case MouseMode::DistAng:
    case MouseMode::Edit:
    case MouseMode::Dfix:
    case MouseMode::CalcPlane:
    case MouseMode::AngV1V2:
      return false;
    default:
      return true;
  }
}

view::MouseButton viewButton(editing::Button button) {
  return button == editing::Button::Right ? view::MouseButton::Right : view::MouseButton::Left;
}

}  // namespace

bool Workbench::isOn(MouseMode mode) const {
  return editing::isModeOn(m_modes, mode);
}

void Workbench::turnAllModesOff() {
  const bool rotate = m_modes.rotate;
  editing::turnAllOff(m_modes);
  m_modes.rotate = rotate;
}

void Workbench::turnModeOn(MouseMode mode) {
  // The switch rule: the other flags go off, Rotate included.
  editing::turnAllOff(m_modes);
  m_modes = editing::flagsFor(mode);
  m_window.rotationTrackBarsEnabled = true;
  const bool keepSelection =
      mode == MouseMode::Adjust ||
      ((mode == MouseMode::MoveGroupDefine || mode == MouseMode::MoveGroupDestination) &&
       !m_loaded);
  if (!keepSelection) {
    m_selection.clear(m_structure);
    m_selection.clearReversed(m_structure);
    editing::emptyWorkingGrid(m_structure.workingGrid);
  }
  redraw();
}

void Workbench::refreshModeInputs() {
  ModeInputsVisibility inputs;
  const std::optional<MouseMode> item = m_window.checkedModeItem;
  inputs.element = item == MouseMode::Name || item == MouseMode::Renumber;
  inputs.renumbering = item == MouseMode::Renumber;
  inputs.hfix = item == MouseMode::Hfix;
  inputs.dfix = item == MouseMode::Dfix;
  inputs.part = item == MouseMode::Part;
  m_window.inputs = inputs;
  m_window.hfixRulesWindowVisible = inputs.hfix;
}

void Workbench::chooseMode(MouseMode mode) {
  run([&] {
    m_window.rotateItemChecked = false;
    m_modes.rotate = false;
    m_window.mouseRotationPanelVisible = false;
    m_window.modeCaption = std::string(editing::modeCaption(mode));
    m_window.checkedModeItem.reset();
    m_distancesAngles.visible = false;
    m_window.parameterWindowVisible = false;
    m_window.checkedModeItem = mode;
    if (!isOn(mode)) turnModeOn(mode);
    refreshModeInputs();
    if (mode == MouseMode::Renumber) {
      m_controls.useLetters = false;
      recountForRenumber();
    }
    if (showsApplyPanel(mode) && !m_window.applyPanelVisible) showHide();
    redraw();
  });
}

void Workbench::enterRotate() {
  if (!m_selection.empty()) {
    editing::stashSelection(m_selection, m_structure.workingGrid);
  } else if (editing::holdsStash(m_structure.workingGrid)) {
    editing::emptyWorkingGrid(m_structure.workingGrid);
  }
  m_modes.rotate = true;
  m_window.rotateItemChecked = true;
  m_window.mouseRotationPanelVisible = true;
  m_window.rotationTrackBarsEnabled = false;
}

void Workbench::leaveRotate() {
  m_modes.rotate = false;
  m_window.rotateItemChecked = false;
  m_window.mouseRotationPanelVisible = false;
  m_window.rotationTrackBarsEnabled = true;
  restoreMode();
}

void Workbench::chooseRotate() {
  run([&] { m_modes.rotate ? leaveRotate() : enterRotate(); });
}

void Workbench::doubleClick() {
  chooseRotate();
}

void Workbench::restoreMode() {
  run([&] {
    if (m_window.checkedModeItem && !isOn(*m_window.checkedModeItem)) {
      turnModeOn(*m_window.checkedModeItem);
    }
    if (editing::holdsStash(m_structure.workingGrid)) {
      editing::restoreStash(m_structure, m_selection, m_structure.workingGrid);
    }
    redraw();
  });
}

void Workbench::modePanelPressed(editing::ScreenPoint at) {
  showPopup(PopupMenu::Mode, at);
}

void Workbench::mouseDown(const editing::PointerEvent& event) {
  run([&] {
    if (!m_loaded) return;
    if (event.modifiers.ctrlOnly() && event.button == editing::Button::Right) {
      showPopup(PopupMenu::View, event.at);
      return;
    }
    if (m_modes.rotate) {
      pickInRotateMode(event);
    } else {
      pickInEditingMode(event);
    }
  });
}

void Workbench::pickInRotateMode(const editing::PointerEvent& event) {
  const editing::Modifiers& keys = event.modifiers;
  view::Gesture gesture = view::Gesture::Rotate;
  if (keys.shiftOnly()) gesture = view::Gesture::Shift;
  if (keys.altOnly()) gesture = view::Gesture::Zoom;
  if (keys.ctrlOnly() && !m_adjustPending) gesture = view::Gesture::Control;
  m_view.mouseDown(viewButton(event.button), gesture, event.at.x, event.at.y);
  if (gesture != view::Gesture::Control) return;
  if (!m_selection.empty()) editing::stashSelection(m_selection, m_structure.workingGrid);
  editing::PickOptions options;
  options.peakThreshold = m_controls.peakThreshold();
  const editing::PickResult nearest =
      editing::findNearest(m_structure, pickGeometry(), event.at, options);
  if (event.button != editing::Button::Left) return;
  if (nearest.ref.kind != model::AtomKind::None &&
      nearest.distanceA <= editing::PickResult::pickToleranceA) {
    if (m_selection.empty()) {
      m_selection.append(m_structure, nearest.ref);
    } else if (m_selection.count() == 1 && m_selection.picked[0] != nearest.ref) {
      m_selection.clear(m_structure);
      m_selection.append(m_structure, nearest.ref);
    }
    redraw();
    showPopup(PopupMenu::Atom, event.at);
  } else {
    showPopup(PopupMenu::Mode, event.at);
  }
}

void Workbench::pickInEditingMode(const editing::PointerEvent& event) {
  const ModeFlags& f = m_modes;
  const bool expanded = m_display.expandConnections || m_display.packingView;
  if (expanded && (f.remove || f.name || f.locate || f.adjust)) {
    m_dialogs.message(editing::expandedPermissionDeniedMessage);
    return;
  }
  const editing::PickOptions options =
      editing::pickOptionsFor(f, event.button, m_controls.peakThreshold());
  const editing::PickResult nearest =
      editing::findNearest(m_structure, pickGeometry(), event.at, options);
  if (event.modifiers.ctrl) {
    if (event.button == editing::Button::Left && nearest.miss()) {
      showPopup(PopupMenu::Mode, event.at);
    }
    return;
  }
  const editing::PickInputs inputs{m_controls.elementNumber, m_controls.hfixM,
                                   m_controls.peakThreshold(), m_adjustPending};
  const editing::PickOutcome outcome =
      editing::applyPickRule(m_structure, m_selection, m_distance, f, event, nearest, inputs);
  for (const std::string& text : outcome.messages)
    m_dialogs.message(text);
  if (outcome.hideParameterWindow) m_window.parameterWindowVisible = false;
  if (outcome.hideDistancesAngles) m_distancesAngles.visible = false;
  if (outcome.showParameterWindow) {
    m_window.parameterWindowVisible = true;
    m_window.parameterWindowAt = event.at;
  }
  if (outcome.showDistancesAngles) {
    m_distancesAngles.visible = true;
    m_distancesAngles.at = event.at;
    m_distancesAngles.grid = editing::distancesAnglesGrid(m_structure, m_selection.picked[0],
                                                          m_controls.peakThreshold());
  }
  // The locating set-up (runLocateSetup) joins here with the locating tool.
  redraw();
}

void Workbench::mouseMove(const editing::PointerEvent& event) {
  run([&] {
    if (!m_loaded || !m_modes.rotate || !m_view.dragging) return;
    m_view.mouseMove(scene(), event.at.x, event.at.y, m_view.paneWidth, m_mouseSpeed);
    syncViewControls();
  });
}

void Workbench::mouseUp(const editing::PointerEvent& event) {
  (void)event;
  run([&] { m_view.mouseUp(); });
}

void Workbench::atomMenuAction(MouseMode mode) {
  if (m_selection.empty()) return;
  const model::AtomRef target = m_selection.picked.back();
  turnModeOn(mode);  // also turns Rotate and the editing mode off and clears the Selection
  m_selection.append(m_structure, target);
  apply();
  editing::flagOf(m_modes, mode) = false;
  restoreMode();
  m_modes.rotate = true;
}

void Workbench::atomMenuCenter() {
  run([&] {
    if (m_selection.empty()) return;
    const model::AtomRef target = m_selection.picked.back();
    // Center has no item of the mode menu: its flag is set by hand.
    editing::turnAllOff(m_modes);
    m_modes.center = true;
    m_selection.clear(m_structure);
    m_selection.clearReversed(m_structure);
    editing::emptyWorkingGrid(m_structure.workingGrid);
    m_selection.append(m_structure, target);
    apply();
    m_modes.center = false;
    restoreMode();
    m_modes.rotate = true;
  });
}

void Workbench::atomMenuAdopt() {
  run([&] { atomMenuAction(MouseMode::Adopt); });
}

void Workbench::atomMenuDelete() {
  run([&] { atomMenuAction(MouseMode::Delete); });
}

void Workbench::atomMenuLocate() {
  // The locating tool (TForm28) takes the Selection from here once it is built.
  run([] {});
}

void Workbench::apply() {
  run([&] {
    if (m_selection.empty()) return;
    for (editing::ApplySection section :
         editing::applySections(m_modes, m_controls.useLetters, false)) {
      runApplySection(section);
    }
    editing::recountElements(m_structure);
    redraw();
  });
}

void Workbench::runApplySection(editing::ApplySection section) {
  const std::filesystem::path file = workingFolder() / editing::selectionFileName;
  switch (section) {
    case editing::ApplySection::Memory:
      if (m_modes.memSelect) editing::rememberSelected(m_structure, m_selection, file);
      if (m_modes.memUnselect) editing::rememberUnselected(m_structure, m_selection, file);
      break;
    default:
      // The edits of the other modes are sections of their own modules; each one joins here.
      break;
  }
}

void Workbench::clearSelection() {
  run([&] {
    editing::clearAll(m_structure, m_selection);
    m_adjustPending = false;
    if (m_structure.workingAtomCount > 0 || m_structure.workingHCount > 0) redraw();
  });
}

void Workbench::reSelect() {
  run([&] {
    editing::reSelect(m_structure, m_selection, workingFolder() / editing::selectionFileName);
    redraw();
  });
}

void Workbench::reverseSelect() {
  run([&] {
    if (m_selection.empty()) return;
    editing::reverseSelect(m_structure, m_selection);
    redraw();
  });
}

void Workbench::clearWorkingGrid() {
  run([&] { editing::emptyWorkingGrid(m_structure.workingGrid); });
}

void Workbench::showHide() {
  run([&] {
    m_window.applyPanelVisible = !m_window.applyPanelVisible;
    m_window.showHideCaption = m_window.applyPanelVisible ? "Hide" : "Show";
    redraw();
  });
}

}  // namespace tavo::workbench
