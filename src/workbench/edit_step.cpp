// The edit guard and the undo and redo commands.
#include "workbench/edit_step.h"

#include <utility>

#include "workbench/workbench_state.h"

namespace tavo::workbench {

namespace {

/// The view coordinates of every file entry from its fractional ones, in the orientation the
/// view has now (view slot 9 is the fractional origin, the slots 1, 2, 4, 5 span the cell).
void placeInCurrentView(model::StructureModel& s, const geometry::ViewFrame& frame) {
  const model::Vec3 origin = frame.viewSlots[geometry::fractionalOriginSlot];
  const model::Vec3 a = frame.edgeA();
  const model::Vec3 b = frame.edgeB();
  const model::Vec3 c = frame.edgeC();
  const auto place = [&](std::size_t kind, int i, double x, double y, double z) {
    s.view[kind][i] = origin + x * a + y * b + z * c;
  };
  for (int i = 1; i <= s.nonHCount; ++i)
    place(1, i, s.atoms[i].x, s.atoms[i].y, s.atoms[i].z);
  for (int i = 1; i <= s.hCount; ++i)
    place(2, i, s.hydrogens[i].x, s.hydrogens[i].y, s.hydrogens[i].z);
  for (int i = 1; i <= s.peakCount; ++i)
    place(3, i, s.peaks[i].x, s.peaks[i].y, s.peaks[i].z);
}

/// Puts `state` into the model; the references to atoms by index are forgotten.
void putBack(WorkbenchState& state, const model::StructureSnapshot& snapshot) {
  const bool sameCell = snapshot.cell == state.structure.cell;
  model::restoreSnapshot(state.structure, snapshot);
  state.selection.forget();
  state.distance = {};
  state.adjustPending = false;
  // The copies of an expansion are gone with the working counts: the view is no longer grown.
  state.display.expandConnections = state.display.packingView = false;
  if (sameCell) {
    // The user keeps the orientation and zoom of the view.
    placeInCurrentView(state.structure, state.frame);
  }
  state.afterChange({.fractionalCoordinates = !sameCell, .resetView = !sameCell});
}

}  // namespace

EditStep::EditStep(WorkbenchState& state, std::string name)
    : m_state(state), m_before(model::takeSnapshot(state.structure)), m_name(std::move(name)) {}

EditStep::~EditStep() {
  if (m_done || m_before == model::takeSnapshot(m_state.structure)) return;
  // The edit failed part-way: nothing of it stays.
  try {
    putBack(m_state, m_before);
  } catch (...) {
    // The model is back; only the redraw failed, and the next one catches up.
  }
}

void EditStep::commit() {
  m_done = true;
  if (m_before != model::takeSnapshot(m_state.structure))
    m_state.undo.record(std::move(m_before), std::move(m_name));
}

void undoLastEdit(WorkbenchState& state) {
  if (std::optional<model::StructureSnapshot> before = state.undo.undo(state.structure))
    putBack(state, *before);
}

void redoLastEdit(WorkbenchState& state) {
  if (std::optional<model::StructureSnapshot> after = state.undo.redo(state.structure))
    putBack(state, *after);
}

}  // namespace tavo::workbench
