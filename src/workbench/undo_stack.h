// Undo and redo of edits: the snapshots of the structure model taken before each edit.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "model/structure_snapshot.h"

namespace tavo::workbench {

/// The steps that can be undone and redone, newest last; at most `depth` of each.
class UndoStack {
 public:
  static constexpr std::size_t defaultDepth = 50;
  explicit UndoStack(std::size_t depth = defaultDepth) : m_depth(depth) {}

  /// Records the state before an edit called `name` ("Name", "Delete"): it becomes the newest
  /// step, the oldest beyond the depth is forgotten and the redo list is emptied.
  void record(const model::StructureModel& structure, std::string name);
  /// The same with the state before the edit taken earlier.
  void record(model::StructureSnapshot before, std::string name);
  /// The state before the newest step, which moves to the redo list with `present` (the state
  /// now). Empty when there is nothing to undo.
  std::optional<model::StructureSnapshot> undo(const model::StructureModel& present);
  /// The state after the newest undone step, which moves back to the undo list with `present`.
  /// Empty when there is nothing to redo.
  std::optional<model::StructureSnapshot> redo(const model::StructureModel& present);
  /// Forgets every step (a file was opened).
  void clear();

  bool canUndo() const { return !m_undo.empty(); }
  bool canRedo() const { return !m_redo.empty(); }
  std::size_t undoCount() const { return m_undo.size(); }
  std::size_t redoCount() const { return m_redo.size(); }
  /// The name of the step that undo (redo) would take back ("" when none).
  std::string_view undoName() const;
  std::string_view redoName() const;

 private:
  struct Step {
    model::StructureSnapshot state;  // before the edit (undo list) or after it (redo list)
    std::string name;
  };
  std::deque<Step> m_undo;
  std::deque<Step> m_redo;
  std::size_t m_depth;
};

}  // namespace tavo::workbench
