// Card sections of Apply.
#include "workbench/card_commands.h"

#include <string>
#include <vector>

#include "editing/atom_purge.h"
#include "editing/restraint_cards.h"
#include "editing/selection_commands.h"
#include "workbench/workbench_state.h"

namespace tavo::workbench {

using editing::ApplySection;
using editing::MouseMode;
using model::AtomKind;
using model::AtomRef;

bool CardCommands::runSection(ApplySection section) {
  if (section != ApplySection::Cards && section != ApplySection::Dfix &&
      section != ApplySection::Bind) {
    return false;
  }
  addCard();
  return true;
}

bool CardCommands::replaceRidingGroups() {
  model::StructureModel& s = m_state.structure;
  std::vector<AtomRef> riding;
  for (const AtomRef& ref : m_state.selection.picked) {
    if (ref.kind != AtomKind::Atom || s.atoms[ref.index].afixGroup <= 0) continue;
    for (int h = 1; h <= s.hCount; ++h) {
      if (s.hydrogens[h].afixGroup == s.atoms[ref.index].afixGroup)
        riding.push_back({AtomKind::Hydrogen, h});
    }
  }
  if (riding.empty()) return true;
  const editing::DeletionPlan plan = editing::planDeletion(s, riding);
  std::string labels;
  for (const AtomRef& ref : plan.entries)
    labels += (labels.empty() ? "" : " ") + s.hydrogens[ref.index].label;
  if (!m_dialogs.confirm("The HFIX card replaces the riding H atoms " + labels +
                         ", which are deleted now. Go on?")) {
    return false;
  }
  for (const AtomRef& ref : plan.entries)
    s.hydrogens[ref.index].mark = 1;
  const std::vector<AtomRef> picked = m_state.selection.picked;
  m_state.selection.clear(s);
  const editing::PurgeMap map = editing::purgeMarked(s);
  for (const AtomRef& ref : editing::remapped(map, picked))
    m_state.selection.append(s, ref);
  m_state.entriesMoved(map);
  return true;
}

void CardCommands::addCard() {
  model::StructureModel& s = m_state.structure;
  const MouseMode mode = *m_state.modes.mode;
  const ControlValues& c = m_state.controls;
  const editing::CardInputs inputs{c.hfixM, c.hfixN, c.dfixDistance, c.dfixEsd, c.restraintEsds};
  if (mode == MouseMode::Same) {
    editing::insertSameCard(s, editing::composeSameCard(s, m_state.selection.picked));
  } else {
    const std::vector<std::string> lines =
        editing::composeCard(s, mode, m_state.selection.picked, inputs);
    if (lines.empty()) return;  // not a card of this mode: the Selection stays
    if (mode == MouseMode::Hfix && !replaceRidingGroups()) return;
    editing::insertCardLines(s, lines);
    editing::flagCardAtoms(s, mode, m_state.selection.picked);
  }
  m_state.selection.clear(s);
  editing::emptyWorkingGrid(s.workingGrid);
  m_state.detectConnection();
}

}  // namespace tavo::workbench
