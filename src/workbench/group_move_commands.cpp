// The search, commit and undo of the group move.
#include "workbench/group_move_commands.h"

#include <optional>

#include "editing/group_move.h"
#include "text/errors.h"
#include "workbench/edit_step.h"

namespace tavo::workbench {

void GroupMoveCommands::search() {
  WorkbenchState& s = m_context.state;
  if (!s.loaded || s.selection.empty()) return;
  const std::optional<model::Vec3> target = editing::groupMoveTarget(s.structure, s.selection);
  if (!target) throw UserError(std::string(editing::noGroupTargetMessage));
  // The placements are shown in a view made afresh from the fractional coordinates; the copies
  // of an expansion go with the old view.
  m_symmetry.dropGroupMovePreview();
  s.display.expandConnections = s.display.packingView = false;
  s.dropCopies();
  s.initGraphics();
  s.afterChange({.resetView = true, .bonds = false, .redraw = false});
  m_symmetry.showPlacement(editing::bestGroupPlacement(s.structure, s.selection.picked, *target));
}

void GroupMoveCommands::commitMove() {
  WorkbenchState& s = m_context.state;
  if (!s.groupMovePending) {
    if (m_symmetry.groupMoveReleased()) m_context.dialogs.message(updateWhileSelectedMessage);
    return;
  }
  EditStep step(s, "Move Group");
  editing::moveGroup(s.structure, m_symmetry.previewedMembers(), m_symmetry.shownPlacement());
  m_symmetry.groupMoveCommitted();
  s.afterChange({.fractionalCoordinates = true});
  step.commit();
}

void GroupMoveCommands::dropMove() {
  if (!m_context.state.groupMovePending) {
    if (m_symmetry.groupMoveReleased()) m_context.dialogs.message(cannotUndoReleasedMessage);
    return;
  }
  m_symmetry.dropGroupMovePreview();
}

}  // namespace tavo::workbench
