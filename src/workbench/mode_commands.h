// The mouse on the picture, the mode menu (PopupMenu3) and its switch rules, the atom menu
// (PopupMenu1), the Apply panel and the inputs of the editing modes.
#pragma once

#include "editing/apply_frame.h"
#include "editing/mouse_mode.h"
#include "editing/pointer_event.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"

namespace tavo::workbench {

/// The "Distances and Angles" window (TForm16).
struct DistancesAnglesWindow {
  bool visible = false;
  editing::ScreenPoint at;  // the click that placed it (left edge = x - width/2, top = y)
  text::TextGrid grid;      // "Atom1", "Dist.", "Atom2", "Dist.", "Atom3", "Angle"
};

/// The commands of the mouse modes and the Selection.
class AtomEditCommands;
class CardCommands;
class GroupMoveCommands;
class ParameterCommands;
class LocateRequests;
class GeometryCommands;

class ModeCommands {
 public:
  explicit ModeCommands(CommandContext context)
      : m_state(context.state), m_dialogs(context.dialogs) {}

  // Mouse on the paint surface.
  void mouseDown(const editing::PointerEvent& event);  // PaintBox1MouseDown
  void mouseMove(const editing::PointerEvent& event);  // PaintBox1MouseMove
  void mouseUp(const editing::PointerEvent& event);    // PaintBox1MouseUp
  void doubleClick();                                  // PaintBox1DblClick: toggles Rotate
  /// A left click on entry `ref` where it is drawn (mouseDown and mouseUp there), whose hit
  /// test prefers `ref` over anything drawn at the same spot: a pick by label.
  void clickOn(model::AtomRef ref);
  /// A press on the "Mouse Rotation" panel or the mode caption: shows the mode menu there.
  void modePanelPressed(editing::ScreenPoint at);

  // The mode menu (PopupMenu3) and the atom menu (PopupMenu1).
  void chooseMode(editing::MouseMode mode);  // Name1Click, Renumber1Click, ...
  void chooseRotate();                       // Rotate1Click
  void restoreMode();                        // RestoreModeClick
  void atomMenuCenter();                     // Center1Click
  void atomMenuAdopt();                      // Adopt1Click
  void atomMenuDelete();                     // Delete1Click
  void atomMenuLocate();                     // Locate1Click

  // The Apply panel.
  void apply();             // ApplyButtonClick, "Apply"
  void clearSelection();    // ClearButtonClick, "ClearSel"
  void reSelect();          // ReSelectClick, "ReSelect"
  void reverseSelect();     // ReverseSelectClick, "RvrsSlct"
  void clearWorkingGrid();  // SelMemClearClick
  void showHide();          // ShowHideClick, "Hide"/"Show"

  // Mode inputs with an effect.
  void setElementNumber(int number);  // SpinEdit20

  const DistancesAnglesWindow& distancesAngles() const { return m_distancesAngles; }
  /// The feature that carries out the atom edits of Apply.
  void attachAtomEdits(AtomEditCommands& edits) { m_atomEdits = &edits; }
  void attachCards(CardCommands& cards) { m_cards = &cards; }
  void attachParameters(ParameterCommands& parameters) { m_parameters = &parameters; }
  void attachLocate(LocateRequests& locate) { m_locate = &locate; }
  void attachGeometry(GeometryCommands& geometry) { m_geometry = &geometry; }
  void attachGroupMove(GroupMoveCommands& groupMove) { m_groupMove = &groupMove; }

 private:
  void turnModeOn(editing::MouseMode mode);
  void enterRotate();
  void leaveRotate();
  void refreshModeInputs();
  void recountForRenumber();
  /// The atom menu's items: `mode` on for one Apply to the picked atom, then back to Rotate.
  void applyOnce(editing::MouseMode mode);
  void runApplySection(editing::ApplySection section);
  /// The press of mouseDown; the hit test prefers `preferred` (None: the plain hit test).
  void press(const editing::PointerEvent& event, model::AtomRef preferred);
  editing::PickResult hitTest(editing::ScreenPoint at, const editing::PickOptions& options,
                              model::AtomRef preferred) const;
  void pickInEditingMode(const editing::PointerEvent& event, model::AtomRef preferred);
  void pickInRotateMode(const editing::PointerEvent& event, model::AtomRef preferred);

  WorkbenchState& m_state;
  model::Dialogs& m_dialogs;
  DistancesAnglesWindow m_distancesAngles;
  AtomEditCommands* m_atomEdits = nullptr;
  CardCommands* m_cards = nullptr;
  ParameterCommands* m_parameters = nullptr;
  LocateRequests* m_locate = nullptr;
  GeometryCommands* m_geometry = nullptr;
  GroupMoveCommands* m_groupMove = nullptr;
};

}  // namespace tavo::workbench
