// The mouse on the picture, the mode menu and its switch rules, the atom menu, the Apply panel
// and the inputs of the editing modes.
#include <algorithm>
#include <filesystem>
#include <vector>

#include "editing/distances_angles.h"
#include "editing/pick_rules.h"
#include "editing/restraint_cards.h"
#include "editing/selection_commands.h"
#include "text/errors.h"
#include "workbench/atom_edit_commands.h"
#include "workbench/card_commands.h"
#include "workbench/edit_step.h"
#include "workbench/geometry_commands.h"
#include "workbench/group_move_commands.h"
#include "workbench/locate_requests.h"
#include "workbench/mode_commands.h"
#include "workbench/parameter_commands.h"

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

void ModeCommands::turnModeOn(MouseMode mode) {
  // The switch rule: the other modes go off, Rotate included.
  const bool wasMoveGroup = m_state.modes.moveGroup();
  m_state.modes = editing::flagsFor(mode);
  m_state.window.rotationTrackBarsEnabled = true;
  const bool toMoveGroup =
      mode == MouseMode::MoveGroupDefine || mode == MouseMode::MoveGroupDestination;
  // Between Grp and Dst MoveGrp stays on: the group and the destination are kept, so that both
  // can be picked before Apply.
  const bool keepSelection =
      mode == MouseMode::Adjust || (toMoveGroup && (!m_state.loaded || wasMoveGroup));
  if (!keepSelection) {
    m_state.selection.clear(m_state.structure);
    m_state.selection.clearReversed(m_state.structure);
    editing::emptyWorkingGrid(m_state.structure.workingGrid);
  }
  m_state.redraw();
}

void ModeCommands::refreshModeInputs() {
  ModeInputsVisibility inputs;
  const std::optional<MouseMode> item = m_state.window.checkedModeItem;
  inputs.element = item == MouseMode::Name || item == MouseMode::Renumber;
  inputs.renumbering = item == MouseMode::Renumber;
  inputs.hfix = item == MouseMode::Hfix;
  inputs.dfix = item == MouseMode::Dfix;
  inputs.part = item == MouseMode::Part;
  inputs.dang = item == MouseMode::Dang;
  inputs.esds = item && editing::restraintEsdCount(*item) > 0;
  m_state.window.inputs = inputs;
  m_state.window.hfixRulesWindowVisible = inputs.hfix;
}

void ModeCommands::chooseMode(MouseMode mode) {
  // The esds mean other things on each restraint card: a new mode starts from SHELXL's defaults.
  if (m_state.window.checkedModeItem != mode) m_state.controls.restraintEsds.clear();
  m_state.window.rotateItemChecked = false;
  m_state.modes.rotate = false;
  m_state.window.mouseRotationPanelVisible = false;
  m_state.window.modeCaption = std::string(editing::modeCaption(mode));
  m_state.window.checkedModeItem.reset();
  m_distancesAngles.visible = false;
  m_state.window.parameterWindowVisible = false;
  m_state.window.checkedModeItem = mode;
  if (!m_state.modes.is(mode)) turnModeOn(mode);
  refreshModeInputs();
  if (mode == MouseMode::Renumber) {
    m_state.controls.useLetters = false;
    recountForRenumber();
  }
  if (showsApplyPanel(mode) && !m_state.window.applyPanelVisible) showHide();
  m_state.redraw();
}

void ModeCommands::enterRotate() {
  if (!m_state.selection.empty()) {
    editing::stashSelection(m_state.selection, m_state.structure.workingGrid);
  } else if (editing::holdsStash(m_state.structure.workingGrid)) {
    editing::emptyWorkingGrid(m_state.structure.workingGrid);
  }
  m_state.modes.rotate = true;
  m_state.window.rotateItemChecked = true;
  m_state.window.mouseRotationPanelVisible = true;
  m_state.window.rotationTrackBarsEnabled = false;
}

void ModeCommands::leaveRotate() {
  m_state.modes.rotate = false;
  m_state.window.rotateItemChecked = false;
  m_state.window.mouseRotationPanelVisible = false;
  m_state.window.rotationTrackBarsEnabled = true;
  restoreMode();
}

void ModeCommands::chooseRotate() {
  m_state.modes.rotate ? leaveRotate() : enterRotate();
}

void ModeCommands::doubleClick() {
  chooseRotate();
}

void ModeCommands::restoreMode() {
  if (m_state.window.checkedModeItem && !m_state.modes.is(*m_state.window.checkedModeItem)) {
    turnModeOn(*m_state.window.checkedModeItem);
  }
  if (editing::holdsStash(m_state.structure.workingGrid)) {
    editing::restoreStash(m_state.structure, m_state.selection, m_state.structure.workingGrid);
  }
  m_state.redraw();
}

void ModeCommands::modePanelPressed(editing::ScreenPoint at) {
  m_state.showPopup(PopupMenu::Mode, at);
}

void ModeCommands::mouseDown(const editing::PointerEvent& event) {
  press(event, {});
}

void ModeCommands::clickOn(model::AtomRef ref) {
  const model::Vec3& p = m_state.structure.viewOf(ref);
  const editing::PointerEvent click{
      {m_state.view.toScreenX(p.x), m_state.view.toScreenY(p.y)}, editing::Button::Left, {}};
  press(click, ref);
  mouseUp(click);
}

editing::PickResult ModeCommands::hitTest(editing::ScreenPoint at,
                                          const editing::PickOptions& options,
                                          model::AtomRef preferred) const {
  editing::PickOptions shown = options;
  shown.hiddenParts = m_state.parts.hidden;  // what is not drawn cannot be clicked
  return editing::findNearestPreferring(m_state.structure, m_state.pickGeometry(), at, shown,
                                        preferred);
}

void ModeCommands::press(const editing::PointerEvent& event, model::AtomRef preferred) {
  if (!m_state.loaded) return;
  if (event.modifiers.ctrlOnly() && event.button == editing::Button::Right) {
    m_state.showPopup(PopupMenu::View, event.at);
    return;
  }
  if (m_state.modes.rotate) {
    pickInRotateMode(event, preferred);
  } else {
    pickInEditingMode(event, preferred);
  }
}

void ModeCommands::pickInRotateMode(const editing::PointerEvent& event, model::AtomRef preferred) {
  const editing::Modifiers& keys = event.modifiers;
  view::Gesture gesture = view::Gesture::Rotate;
  if (keys.shiftOnly()) gesture = view::Gesture::Shift;
  if (keys.altOnly()) gesture = view::Gesture::Zoom;
  if (keys.ctrlOnly() && !m_state.adjustPending) gesture = view::Gesture::Control;
  m_state.view.mouseDown(viewButton(event.button), gesture, event.at.x, event.at.y);
  if (gesture != view::Gesture::Control) return;
  if (!m_state.selection.empty())
    editing::stashSelection(m_state.selection, m_state.structure.workingGrid);
  editing::PickOptions options;
  options.peakThreshold = m_state.controls.peakThreshold();
  const editing::PickResult nearest = hitTest(event.at, options, preferred);
  if (event.button != editing::Button::Left) return;
  if (nearest.ref.kind != model::AtomKind::None &&
      nearest.distanceA <= editing::PickResult::pickToleranceA) {
    if (m_state.selection.empty()) {
      m_state.selection.append(m_state.structure, nearest.ref);
    } else if (m_state.selection.count() == 1 && m_state.selection.picked[0] != nearest.ref) {
      m_state.selection.clear(m_state.structure);
      m_state.selection.append(m_state.structure, nearest.ref);
    }
    m_state.redraw();
    m_state.showPopup(PopupMenu::Atom, event.at);
  } else {
    m_state.showPopup(PopupMenu::Mode, event.at);
  }
}

void ModeCommands::pickInEditingMode(const editing::PointerEvent& event, model::AtomRef preferred) {
  const ModeFlags& f = m_state.modes;
  const bool expanded = m_state.display.expandConnections || m_state.display.packingView;
  if (expanded &&
      f.isAnyOf({MouseMode::Delete, MouseMode::Name, MouseMode::Locate, MouseMode::Adjust})) {
    m_dialogs.message(editing::expandedPermissionDeniedMessage);
    return;
  }
  const editing::PickOptions options =
      editing::pickOptionsFor(f, event.button, m_state.controls.peakThreshold());
  const editing::PickResult nearest = hitTest(event.at, options, preferred);
  if (event.modifiers.ctrl) {
    if (event.button == editing::Button::Left && nearest.miss()) {
      m_state.showPopup(PopupMenu::Mode, event.at);
    }
    return;
  }
  const editing::PickInputs inputs{m_state.controls.elementNumber, m_state.controls.hfixM,
                                   m_state.controls.peakThreshold(), m_state.adjustPending};
  const editing::PickOutcome outcome = editing::applyPickRule(
      m_state.structure, m_state.selection, m_state.distance, f, event, nearest, inputs);
  for (const std::string& text : outcome.messages)
    m_dialogs.message(text);
  if (outcome.hideParameterWindow) m_state.window.parameterWindowVisible = false;
  if (outcome.hideDistancesAngles) m_distancesAngles.visible = false;
  if (outcome.showParameterWindow) {
    m_state.window.parameterWindowVisible = true;
    m_state.window.parameterWindowAt = event.at;
    if (m_parameters != nullptr) m_parameters->showEditor(m_state.selection.picked[0]);
  }
  if (outcome.showDistancesAngles) {
    m_distancesAngles.visible = true;
    m_distancesAngles.at = event.at;
    m_distancesAngles.grid = editing::distancesAnglesGrid(
        m_state.structure, m_state.selection.picked[0], m_state.controls.peakThreshold());
  }
  if (outcome.runLocateSetup && m_locate != nullptr) m_locate->setupLocate();
  m_state.redraw();
}

void ModeCommands::mouseMove(const editing::PointerEvent& event) {
  if (!m_state.loaded || !m_state.modes.rotate || !m_state.view.dragging) return;
  m_state.view.mouseMove(m_state.scene(), event.at.x, event.at.y, m_state.view.paneWidth,
                         m_state.mouseSpeed);
  m_state.syncViewControls();
}

void ModeCommands::mouseUp(const editing::PointerEvent& event) {
  (void)event;
  m_state.view.mouseUp();
}

void ModeCommands::applyOnce(MouseMode mode) {
  if (m_state.selection.empty()) return;
  const model::AtomRef target = m_state.selection.picked.back();
  if (mode == MouseMode::Center) {
    // Center has no item of the mode menu: it is set by hand, without the switch's redraw.
    m_state.modes = editing::flagsFor(mode);
    m_state.selection.clear(m_state.structure);
    m_state.selection.clearReversed(m_state.structure);
    editing::emptyWorkingGrid(m_state.structure.workingGrid);
  } else {
    turnModeOn(mode);  // also turns Rotate and the editing mode off and clears the Selection
  }
  m_state.selection.append(m_state.structure, target);
  apply();
  m_state.turnEditingModeOff();
  restoreMode();
  m_state.modes.rotate = true;
}

void ModeCommands::atomMenuCenter() {
  applyOnce(MouseMode::Center);
}

void ModeCommands::atomMenuAdopt() {
  applyOnce(MouseMode::Adopt);
}

void ModeCommands::atomMenuDelete() {
  applyOnce(MouseMode::Delete);
}

void ModeCommands::atomMenuLocate() {
  if (m_locate != nullptr) m_locate->locateFromAtomMenu();
}

void ModeCommands::apply() {
  if (m_state.selection.empty()) return;
  EditStep step(m_state, "Apply");  // an Apply that changes the model can be undone
  for (editing::ApplySection section :
       editing::applySections(m_state.modes, m_state.controls.useLetters, false)) {
    runApplySection(section);
  }
  const model::StructureModel& s = m_state.structure;
  const std::vector<model::Element> before(&s.elements[0], &s.elements[0] + s.elementCount + 1);
  editing::recountElements(m_state.structure);
  // New UNIT numbers reach the windows that show them (the formula window) through the chain
  // that follows every detection; an Apply that left them as they were detects nothing.
  if (!std::equal(before.begin(), before.end(), &s.elements[0])) m_state.detectConnection();
  step.commit();
  m_state.redraw();
}

void ModeCommands::runApplySection(editing::ApplySection section) {
  const std::filesystem::path file = m_state.workingFolder() / editing::selectionFileName;
  switch (section) {
    case editing::ApplySection::Memory:
      if (m_state.modes.is(MouseMode::MemSelect))
        editing::rememberSelected(m_state.structure, m_state.selection, file);
      if (m_state.modes.is(MouseMode::MemUnselc))
        editing::rememberUnselected(m_state.structure, m_state.selection, file);
      break;
    case editing::ApplySection::Param:
      // "Setting the Parameter" takes the Selection; its Update makes the change.
      if (m_parameters != nullptr) m_parameters->openSetting();
      break;
    case editing::ApplySection::CalcPlane:
      // The plane window calculates from the Selection and shows its results.
      if (m_geometry != nullptr) m_geometry->applyCalcPlane();
      break;
    case editing::ApplySection::MoveGroup:
      if (m_groupMove != nullptr) m_groupMove->search();
      break;
    default:
      // The edits of the other modes are sections of their own features; each one joins here.
      if (m_atomEdits != nullptr && m_atomEdits->runSection(section)) break;
      if (m_cards != nullptr) m_cards->runSection(section);
      break;
  }
}

void ModeCommands::clearSelection() {
  editing::clearAll(m_state.structure, m_state.selection);
  m_state.adjustPending = false;
  if (m_state.structure.workingAtomCount > 0 || m_state.structure.workingHCount > 0)
    m_state.redraw();
}

void ModeCommands::reSelect() {
  editing::reSelect(m_state.structure, m_state.selection,
                    m_state.workingFolder() / editing::selectionFileName);
  m_state.redraw();
}

void ModeCommands::reverseSelect() {
  if (m_state.selection.empty()) return;
  editing::reverseSelect(m_state.structure, m_state.selection);
  m_state.redraw();
}

void ModeCommands::clearWorkingGrid() {
  editing::emptyWorkingGrid(m_state.structure.workingGrid);
}

void ModeCommands::setElementNumber(int number) {
  const int last = std::max(m_state.structure.elementCount, 1);
  ControlValues& c = m_state.controls;
  c.elementNumber = std::clamp(number, 1, last);
  if (c.elementNumber <= m_state.structure.elementCount) {
    c.elementSymbol = m_state.structure.elements[c.elementNumber].symbol;
  }
  if (m_state.modes.is(MouseMode::Renumber)) recountForRenumber();
}

void ModeCommands::recountForRenumber() {
  const model::StructureModel& s = m_state.structure;
  ControlValues& c = m_state.controls;
  int count = 0;
  if (c.elementSymbol == "H" || c.elementSymbol == "h") {
    count = s.hCount;
  } else {
    for (int i = 1; i <= s.nonHCount; ++i)
      count += s.atoms[i].sfac == c.elementNumber;
  }
  c.elementCountText = std::to_string(count);
  c.firstNumberMax = std::max(count, 1);
  c.firstNumber = 1;
}

void ModeCommands::showHide() {
  m_state.window.applyPanelVisible = !m_state.window.applyPanelVisible;
  m_state.window.showHideCaption = m_state.window.applyPanelVisible ? "Hide" : "Show";
  m_state.redraw();
}

}  // namespace tavo::workbench
