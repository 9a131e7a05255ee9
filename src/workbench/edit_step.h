// The guard through which an edit command records its step on the undo stack of the shared
// state, and the two menu commands that take steps back and again.
#pragma once

#include <string>

#include "model/structure_snapshot.h"

namespace tavo::workbench {

class WorkbenchState;

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
