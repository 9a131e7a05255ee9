// The undo stack: the snapshots before each edit and after each undone one.
#include "workbench/undo_stack.h"

#include <utility>

namespace tavo::workbench {

void UndoStack::record(const model::StructureModel& structure, std::string name) {
  record(model::takeSnapshot(structure), std::move(name));
}

void UndoStack::record(model::StructureSnapshot before, std::string name) {
  m_undo.push_back({std::move(before), std::move(name)});
  while (m_undo.size() > m_depth)
    m_undo.pop_front();
  m_redo.clear();
}

std::optional<model::StructureSnapshot> UndoStack::undo(const model::StructureModel& present) {
  if (m_undo.empty()) return std::nullopt;
  Step step = std::move(m_undo.back());
  m_undo.pop_back();
  m_redo.push_back({model::takeSnapshot(present), step.name});
  return std::move(step.state);
}

std::optional<model::StructureSnapshot> UndoStack::redo(const model::StructureModel& present) {
  if (m_redo.empty()) return std::nullopt;
  Step step = std::move(m_redo.back());
  m_redo.pop_back();
  m_undo.push_back({model::takeSnapshot(present), step.name});
  return std::move(step.state);
}

void UndoStack::clear() {
  m_undo.clear();
  m_redo.clear();
}

std::string_view UndoStack::undoName() const {
  return m_undo.empty() ? std::string_view{} : std::string_view(m_undo.back().name);
}

std::string_view UndoStack::redoName() const {
  return m_redo.empty() ? std::string_view{} : std::string_view(m_redo.back().name);
}

}  // namespace tavo::workbench
