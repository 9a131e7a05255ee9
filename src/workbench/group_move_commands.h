// The group move of the MoveGrp mode: the search of the placement (its Apply section), the
// commit ("UpdtGMv") and the undo ("UndoGMv") of the previewed move.
#pragma once

#include <string_view>

#include "workbench/command_context.h"
#include "workbench/symmetry_commands.h"

namespace tavo::workbench {

/// Shown by "UpdtGMv" when the previewed group is no longer selected.
inline constexpr std::string_view updateWhileSelectedMessage =
    "Please update the group shifts while they are selected!";
/// Shown by "UndoGMv" when the previewed group is no longer selected.
inline constexpr std::string_view cannotUndoReleasedMessage =
    "Cannot undo after the selection is released!!";

/// The commands of the group move; the preview itself is shown by the operator controls.
class GroupMoveCommands {
 public:
  GroupMoveCommands(CommandContext context, SymmetryCommands& symmetry)
      : m_context(context), m_symmetry(symmetry) {}
  GroupMoveCommands(const GroupMoveCommands&) = delete;
  GroupMoveCommands& operator=(const GroupMoveCommands&) = delete;

  /// The MoveGrp section of Apply: resets the view, finds the operator and lattice translation
  /// that bring the Selection's centroid nearest the destination atom (or the centroid of the
  /// unpicked atoms), shows them in the operator controls and previews the move. The Selection
  /// is kept. UserError when there is nothing to move towards.
  void search();
  /// MVUpdateClick, "UpdtGMv": the previewed positions become the fractional coordinates (Uij
  /// turned with them), one undoable step; the Selection is kept. UserError, nothing changed,
  /// when a coordinate would leave (-5, 5) or a tied parameter would change.
  void commitMove();
  /// UndoMoveClick, "UndoGMv": the previewed entries go back to their own positions.
  void dropMove();

 private:
  CommandContext m_context;
  SymmetryCommands& m_symmetry;
};

}  // namespace tavo::workbench
