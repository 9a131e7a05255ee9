// Undo and redo of edits: the snapshots of the structure model taken before each edit, the
// guard through which an edit command records its step, and the two menu commands.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "model/structure_snapshot.h"

namespace tavo::workbench {

class WorkbenchState;

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

/// The way an edit command records its step:
///   EditStep step(state, "Delete");  ... change the model ...  step.commit();
/// A step that changed nothing is not recorded (and leaves the redo list alone). When the
/// command leaves without commit (it threw part-way), the model is put back as it was before the
/// edit and nothing is recorded.
class EditStep {
 public:
  /// Takes the snapshot of the model before the edit.
  EditStep(WorkbenchState& state, std::string name);
  ~EditStep();
  EditStep(const EditStep&) = delete;
  EditStep& operator=(const EditStep&) = delete;
  /// Records the step when the model changed.
  void commit();

 private:
  WorkbenchState& m_state;
  model::StructureSnapshot m_before;
  std::string m_name;
  bool m_done = false;
};

/// "Undo Last Edit": the model as it was before the newest step, the Selection and the distance
/// memory forgotten, the copies of an expansion dropped, and the picture redrawn. Nothing happens
/// when there is nothing to undo.
void undoLastEdit(WorkbenchState& state);
/// "Redo Last Edit": the newest undone step again, with the same redraw.
void redoLastEdit(WorkbenchState& state);

}  // namespace tavo::workbench
