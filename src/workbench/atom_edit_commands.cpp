// The atom edits of Apply.
#include "workbench/atom_edit_commands.h"

#include "editing/atom_purge.h"
#include "editing/name_mode.h"
#include "workbench/mode_commands.h"

namespace tavo::workbench {

using editing::ApplySection;
using editing::MouseMode;

bool AtomEditCommands::runSection(ApplySection section) {
  switch (section) {
    case ApplySection::Name:
      name();
      return true;
    case ApplySection::Purge:
      purge();
      return true;
    default:
      return false;
  }
}

void AtomEditCommands::clearSelection() {
  m_state.selection.clear(m_state.structure);
}

void AtomEditCommands::name() {
  const ControlValues& c = m_state.controls;
  for (const std::string& text : editing::nameSelection(m_state.structure, m_state.selection,
                                                        c.elementNumber, c.elementSymbol))
    m_dialogs.message(text);
}

void AtomEditCommands::purge() {
  model::StructureModel& s = m_state.structure;
  if (m_state.modes.is(MouseMode::Delete)) {
    const editing::DeletionPlan plan = editing::planDeletion(s, m_state.selection.picked);
    if (plan.needsConfirmation() && !m_dialogs.confirm(editing::deletionQuestion(plan)))
      throw CommandAbandoned{};
    for (const model::AtomRef& ref : plan.entries) {
      if (ref.kind == model::AtomKind::Atom) s.atoms[ref.index].mark = 1;
      if (ref.kind == model::AtomKind::Hydrogen) s.hydrogens[ref.index].mark = 1;
      if (ref.kind == model::AtomKind::Peak) s.peaks[ref.index].mark = 1;
    }
  }
  clearSelection();
  const editing::PurgeMap map = editing::purgeMarked(s);
  m_state.entriesMoved(map);
  m_state.detectConnection();
}

}  // namespace tavo::workbench
