// The atom edits of Apply.
#include "workbench/atom_edit_commands.h"

#include <algorithm>

#include "editing/atom_edits.h"
#include "editing/atom_purge.h"
#include "editing/name_mode.h"
#include "editing/renumber.h"
#include "editing/selection_commands.h"
#include "model/atom_labels.h"
#include "model/load_checks.h"
#include "view/view_state.h"

namespace tavo::workbench {

using editing::ApplySection;
using editing::MouseMode;

bool AtomEditCommands::runSection(ApplySection section) {
  switch (section) {
    case ApplySection::Adopt:
      adopt();
      return true;
    case ApplySection::Center:
      center();
      return true;
    case ApplySection::BeIso:
      beIso();
      return true;
    case ApplySection::Adjust:
      adjust();
      return true;
    case ApplySection::Part:
      part();
      return true;
    case ApplySection::Name:
      name();
      return true;
    case ApplySection::RenumberNumbers:
      renumberWithNumbers();
      return true;
    case ApplySection::RenumberLetters:
      renumberWithLetters();
      return true;
    case ApplySection::Purge:
      purge();
      return true;
    case ApplySection::AlignRotation:
      alignRotation();
      return true;
    default:
      return false;
  }
}

void AtomEditCommands::clearSelection() {
  m_state.selection.clear(m_state.structure);
}

void AtomEditCommands::name() {
  ControlValues& c = m_state.controls;
  const std::vector<std::string> messages =
      editing::nameSelection(m_state.structure, m_state.selection, c.elementNumber, c.elementSymbol,
                             m_state.frame, m_state.cartesianImport, c.newLabel);
  c.newLabel.clear();  // a typed label names one atom; the next Name counts on again
  for (const std::string& text : messages)
    m_dialogs.message(text);
}

void AtomEditCommands::purge() {
  model::StructureModel& s = m_state.structure;
  if (m_state.modes.is(MouseMode::Delete)) {
    const editing::DeletionPlan plan = editing::planDeletion(s, m_state.selection.picked);
    // Declined: nothing is deleted and the Selection stays for another try.
    if (plan.needsConfirmation() && !m_dialogs.confirm(editing::deletionQuestion(plan))) return;
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

void AtomEditCommands::renumberWithNumbers() {
  ControlValues& c = m_state.controls;
  const std::vector<model::AtomRef> picked = m_state.selection.picked;
  const editing::RenumberPlan plan =
      editing::renumberWithNumbers(m_state.structure, picked, c.elementSymbol, c.firstNumber);
  model::renameAtoms(m_state.structure, plan.renames);
  m_state.structure.workingGrid = plan.table;
  // The next renumbering continues the sequence.
  c.firstNumber += m_state.selection.count();
  c.firstNumberMax = std::max(c.firstNumberMax, c.firstNumber);
  finishRenumbering();
}

void AtomEditCommands::renumberWithLetters() {
  const std::vector<model::AtomRef> picked = m_state.selection.picked;
  const editing::RenumberPlan plan = editing::renumberWithLetters(m_state.structure, picked);
  for (const std::string& text : plan.messages)
    m_dialogs.message(text);
  model::renameAtoms(m_state.structure, plan.renames);
  m_state.structure.workingGrid = plan.table;
  finishRenumbering();
}

void AtomEditCommands::finishRenumbering() {
  clearSelection();
  m_state.redraw();
  model::checkDuplicateLabels(m_state.structure, m_dialogs);
}

void AtomEditCommands::part() {
  editing::setPart(m_state.structure, m_state.selection.picked, m_state.controls.partNumber);
  clearSelection();
}

void AtomEditCommands::beIso() {
  editing::makeIsotropic(m_state.structure, m_state.selection.picked);
  clearSelection();
}

void AtomEditCommands::adjust() {
  editing::adjustPositions(m_state.structure, m_state.frame, m_state.selection.picked);
  clearSelection();
  editing::emptyWorkingGrid(m_state.structure.workingGrid);
  m_state.adjustPending = false;
}

void AtomEditCommands::adopt() {
  for (const std::string& text : editing::adoptCopies(m_state.structure, m_state.selection.picked))
    m_dialogs.message(text);
  clearSelection();
  m_state.detectConnection();
}

void AtomEditCommands::center() {
  m_alignPair.clear();
  if (m_state.modes.is(MouseMode::AlignVec)) m_alignPair = m_state.selection.picked;
  const model::Vec3 centre = m_state.structure.viewOf(m_state.selection.picked.front());
  editing::centreView(m_state.structure, m_state.frame, centre);
  clearSelection();
}

void AtomEditCommands::alignRotation() {
  if (m_alignPair.size() < 2) return;
  const model::Vec3 v =
      m_state.structure.viewOf(m_alignPair[1]) - m_state.structure.viewOf(m_alignPair[0]);
  for (const editing::ViewTurn& turn :
       editing::alignTurns(v, m_state.controls.alignAxis, m_state.controls.alignSense)) {
    view::rotateView(m_state.structure, m_state.frame,
                     turn.aboutViewingAxis ? view::Axis::Z : view::Axis::Y, turn.angleRad, false);
  }
  m_alignPair.clear();
}

}  // namespace tavo::workbench
