// The Global Edition window.
#include "workbench/global_edition_commands.h"

#include <algorithm>

#include "editing/apply_frame.h"
#include "editing/atom_purge.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"

namespace tavo::workbench {

namespace {

using editing::GlobalOption;
using model::AtomKind;
using model::AtomRef;

const std::string& labelOf(const model::StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom ? s.atoms[ref.index].label : s.hydrogens[ref.index].label;
}

std::vector<std::string> rowOf(const model::StructureModel& s, AtomRef ref) {
  return {labelOf(s, ref), std::to_string(model::kindNumber(ref.kind)), std::to_string(ref.index)};
}

}  // namespace

GlobalEditionCommands::GlobalEditionCommands(CommandContext context) : m_context(context) {
  m_context.state.followLoad([this] {
    m_window.selected.clear();
    if (m_window.visible) {
      fillAtomList();
      fillSelectedList();
    }
  });
  m_context.state.followDetection([this] {
    if (!m_window.visible) return;
    fillAtomList();
    fillSelectedList();
  });
  m_context.state.followEntriesMoved([this](const editing::PurgeMap& map) {
    m_window.selected = editing::remapped(map, m_window.selected);
    m_window.atomTop = m_window.selectedTop = 0;
    m_window.atomBottom = m_window.selectedBottom = -1;
    if (!m_window.visible) return;
    fillAtomList();
    fillSelectedList();
  });
}

void GlobalEditionCommands::fillAtomList() {
  const model::StructureModel& s = m_context.state.structure;
  GlobalEditionWindow& w = m_window;
  w.atoms.clear();
  for (int j = 1; j <= s.nonHCount; ++j)
    w.atoms.push_back({AtomKind::Atom, j});
  for (int k = 1; k <= s.hCount; ++k)
    w.atoms.push_back({AtomKind::Hydrogen, k});
  w.atomList = text::TextGrid(std::max(static_cast<int>(w.atoms.size()), 1), 3);
  for (std::size_t r = 0; r < w.atoms.size(); ++r)
    w.atomList.setRow(static_cast<int>(r), rowOf(s, w.atoms[r]));
}

void GlobalEditionCommands::fillSelectedList() {
  const model::StructureModel& s = m_context.state.structure;
  GlobalEditionWindow& w = m_window;
  // Rows whose atom has gone (a smaller table after an undo) are dropped.
  std::erase_if(w.selected, [&](AtomRef ref) {
    const int count = ref.kind == AtomKind::Atom ? s.nonHCount : s.hCount;
    return ref.index < 1 || ref.index > count;
  });
  w.selectedList = text::TextGrid(std::max(static_cast<int>(w.selected.size()), 1), 3);
  for (std::size_t r = 0; r < w.selected.size(); ++r)
    w.selectedList.setRow(static_cast<int>(r), rowOf(s, w.selected[r]));
}

void GlobalEditionCommands::toggleWindow() {
  if (m_window.visible) return closeWindow();
  if (!m_context.state.loaded) throw UserError("Open a structure first.");
  m_window.visible = true;
  m_window.selected.clear();
  m_window.atomTop = m_window.selectedTop = 0;
  m_window.atomBottom = m_window.selectedBottom = -1;
  fillAtomList();
  fillSelectedList();
  m_context.state.notifyState();
}

void GlobalEditionCommands::closeWindow() {
  m_window.visible = false;
  m_context.state.selection.clear(m_context.state.structure);
  m_context.state.redraw();
  m_context.state.notifyState();
}

void GlobalEditionCommands::add(AtomRef ref) {
  if (std::find(m_window.selected.begin(), m_window.selected.end(), ref) == m_window.selected.end())
    m_window.selected.push_back(ref);
}

void GlobalEditionCommands::addRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_window.atoms.size())) return;
  add(m_window.atoms[static_cast<std::size_t>(row)]);
  fillSelectedList();
}

void GlobalEditionCommands::selectAtomRows(int top, int bottom) {
  m_window.atomTop = std::min(top, bottom);
  m_window.atomBottom = std::max(top, bottom);
}

void GlobalEditionCommands::multiSelection() {
  const int last = static_cast<int>(m_window.atoms.size()) - 1;
  for (int r = std::max(m_window.atomTop, 0); r <= std::min(m_window.atomBottom, last); ++r)
    add(m_window.atoms[static_cast<std::size_t>(r)]);
  fillSelectedList();
}

void GlobalEditionCommands::removeRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_window.selected.size())) return;
  m_window.selected.erase(m_window.selected.begin() + row);
  fillSelectedList();
}

void GlobalEditionCommands::selectSelectedRows(int top, int bottom) {
  m_window.selectedTop = std::min(top, bottom);
  m_window.selectedBottom = std::max(top, bottom);
}

void GlobalEditionCommands::multiRemoval() {
  const int last = static_cast<int>(m_window.selected.size()) - 1;
  const int top = std::max(m_window.selectedTop, 0);
  const int bottom = std::min(m_window.selectedBottom, last);
  if (top <= bottom) {
    m_window.selected.erase(m_window.selected.begin() + top,
                            m_window.selected.begin() + bottom + 1);
  }
  m_window.selectedTop = 0;
  m_window.selectedBottom = -1;
  fillSelectedList();
}

void GlobalEditionCommands::addLabel(std::string_view label) {
  const std::string wanted = text::upper(text::trimLine(label));
  bool found = false;
  for (const AtomRef& ref : m_window.atoms) {
    if (text::upper(text::trimLine(labelOf(m_context.state.structure, ref))) != wanted) continue;
    add(ref);
    found = true;
  }
  if (!found) throw UserError("The List of Atoms has no atom \"" + std::string(label) + "\"");
  fillSelectedList();
}

void GlobalEditionCommands::chooseOption(GlobalOption option) {
  m_window.option = option;
  if (option != GlobalOption::DeleteAllHs) return;
  const model::StructureModel& s = m_context.state.structure;
  if (s.hCount == 0) {
    m_context.dialogs.message(editing::noHydrogenAtomMessage);
    return;
  }
  for (int k = 1; k <= s.hCount; ++k)
    add({AtomKind::Hydrogen, k});
  fillSelectedList();
}

void GlobalEditionCommands::setParameter(int parameter) {
  m_window.parameter = std::clamp(parameter, 1, 10);
}

void GlobalEditionCommands::deleteListed(const std::vector<AtomRef>& refs) {
  WorkbenchState& state = m_context.state;
  model::StructureModel& s = state.structure;
  const editing::DeletionPlan plan = editing::planDeletion(s, refs);
  // Declined: nothing is deleted.
  if (plan.needsConfirmation() && !m_context.dialogs.confirm(editing::deletionQuestion(plan)))
    return;
  for (const AtomRef& ref : plan.entries) {
    if (ref.kind == AtomKind::Atom) s.atoms[ref.index].mark = 1;
    if (ref.kind == AtomKind::Hydrogen) s.hydrogens[ref.index].mark = 1;
  }
  state.selection.clear(s);
  state.entriesMoved(editing::purgeMarked(s));
  if (s.hCount == 0) s.ridingGroupCount = 0;
  editing::recountElements(s);
}

void GlobalEditionCommands::apply() {
  WorkbenchState& state = m_context.state;
  model::StructureModel& s = state.structure;
  if (!m_window.visible) throw UserError("The Global Edition window is not shown.");
  const std::vector<AtomRef> refs = m_window.selected;
  const GlobalOption option = m_window.option;
  if (option == GlobalOption::DeleteAllHs) {
    if (s.hCount == 0) return;
  } else if (refs.empty()) {
    throw UserError("Selected Atoms is empty: add atoms from the List of Atoms first.");
  }
  editing::checkGlobalRows(s, refs);
  EditStep step(state, "Global Edition");
  switch (option) {
    case GlobalOption::Delete:
      deleteListed(refs);
      break;
    case GlobalOption::DeleteAllHs: {
      std::vector<AtomRef> hydrogens;
      for (int k = 1; k <= s.hCount; ++k)
        hydrogens.push_back({AtomKind::Hydrogen, k});
      deleteListed(hydrogens);
      break;
    }
    case GlobalOption::Population:
      editing::setGlobalPopulation(s, refs, text::parseDouble(text::trimLine(m_window.population)));
      break;
    case GlobalOption::ReleaseAfix:
      editing::releaseRidingGroups(s, refs);
      break;
    case GlobalOption::AnisoIntoIso:
      if (editing::makeGlobalIsotropic(s, refs, text::parseDouble(text::trimLine(m_window.uiso))))
        m_context.dialogs.message(editing::treatedIsotropicallyMessage);
      break;
    case GlobalOption::SetFvar:
      editing::setGlobalFreeVariable(s, refs, text::parseDouble(text::trimLine(m_window.code)),
                                     m_window.parameter);
      break;
    default:
      editing::setGlobalCodes(s, refs, option);
      break;
  }
  // Bond detection refreshes the windows that show atoms, codes and the UNIT numbers.
  state.detectConnection();
  step.commit();
  state.redraw();
  state.notifyState();
}

WindowDeclaration declareGlobalEditionWindow(GlobalEditionCommands& g) {
  WindowDeclaration w = declaredWindow("TForm27", "Global Edition", "\"Global Edition\" shows it",
                                       [&g] { return g.window().visible; });
  w.placement = Placement::BesidePicture;
  // A row typed from 1, as the lists number their rows.
  const auto rows = [](std::string_view name, const ControlInput& v) {
    const int top = intValue(name, v, 0);
    return std::pair{top - 1, (v.size() > 1 ? intValue(name, v, 1) : top) - 1};
  };
  w.controls = {
      table(
          "StringGrid1",
          [&g, rows](const ControlInput& v) {
            const auto [top, bottom] = rows("StringGrid1", v);
            g.selectAtomRows(top, bottom);
          },
          [&g](const ControlInput& v) { g.addRow(intValue("StringGrid1", v) - 1); }),
      table(
          "StringGrid2",
          [&g, rows](const ControlInput& v) {
            const auto [top, bottom] = rows("StringGrid2", v);
            g.selectSelectedRows(top, bottom);
          },
          [&g](const ControlInput& v) { g.removeRow(intValue("StringGrid2", v) - 1); }),
      {"Add",
       ControlKind::Text,
       [&g](const ControlInput& labels) {
         for (const std::string& label : labels)
           g.addLabel(label);
       },
       {},
       {}},
      textField("Edit1", [&g](const std::string& t) { g.setPopulation(t); }),
      textField("Edit2", [&g](const std::string& t) { g.setUiso(t); }),
      textField("Edit3", [&g](const std::string& t) { g.setCode(t); }),
      numberField("SpinEdit1", [&g](int parameter) { g.setParameter(parameter); }),
      press("MultiSelection", [&g] { g.multiSelection(); }, {"Multi-Selection"}),
      press("MultiRemoval", [&g] { g.multiRemoval(); }, {"Multi-Removal"}),
      press("Button4", [&g] { g.apply(); }, {"Apply"}),
      press("Exit", [&g] { g.closeWindow(); }),
  };
  for (std::size_t k = 0; k < std::size(editing::globalOptionNames); ++k) {
    const auto option = static_cast<editing::GlobalOption>(k);
    w.controls.push_back(press(std::string(editing::globalOptionNames[k]),
                               [&g, option] { g.chooseOption(option); }));
  }
  w.print = [&g] {
    const GlobalEditionWindow& shown = g.window();
    std::vector<std::string> lines{"List of Atoms"};
    for (std::string& line : gridPrintLines(shown.atomList))
      lines.push_back(std::move(line));
    lines.emplace_back("Selcted Atoms");
    for (std::string& line : gridPrintLines(shown.selectedList))
      lines.push_back(std::move(line));
    lines.push_back("option " +
                    std::string(editing::globalOptionNames[static_cast<int>(shown.option)]));
    return lines;
  };
  return w;
}

}  // namespace tavo::workbench
