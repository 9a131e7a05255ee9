// The atom list window: its list, typed values, the heading sort and the sorts of the tables.
#include "workbench/atom_list_commands.h"

#include <algorithm>

#include "editing/atom_list.h"
#include "editing/atom_sort.h"
#include "geometry/cell_metrics.h"
#include "geometry/view_frame.h"
#include "model/atom_labels.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"

namespace tavo::workbench {

namespace {

using model::AtomKind;
using model::AtomRef;

constexpr std::string_view printFontMessage = "Recommended: Courier,8";

std::vector<std::string> labelsOf(const model::StructureModel& s, AtomKind kind) {
  std::vector<std::string> labels;
  const int count = kind == AtomKind::Atom ? s.nonHCount : s.hCount;
  for (int i = 1; i <= count; ++i)
    labels.push_back(kind == AtomKind::Atom ? s.atoms[i].label : s.hydrogens[i].label);
  return labels;
}

}  // namespace

AtomListCommands::AtomListCommands(CommandContext context) : m_context(context) {
  // The rows name entries by their index: the list follows every change of the tables.
  auto follow = [this] {
    if (m_window.visible) refresh();
  };
  m_context.state.followLoad([this] {
    m_window.column = m_window.row = m_window.right = m_window.bottom = 0;
    m_window.rows.clear();
    if (m_window.visible) refresh();
  });
  m_context.state.followDetection(follow);
  m_context.state.followEntriesMoved([this](const editing::PurgeMap& map) {
    const AtomRef now = map.map(selectedEntry());
    if (m_window.visible) refresh();
    selectEntry(now);
  });
}

AtomRef AtomListCommands::selectedEntry() const {
  const int row = m_window.row;
  if (row < 1 || row >= static_cast<int>(m_window.rows.size())) return {};
  return m_window.rows[static_cast<std::size_t>(row)];
}

void AtomListCommands::selectEntry(AtomRef ref) {
  const auto at = std::find(m_window.rows.begin(), m_window.rows.end(), ref);
  if (ref.kind == AtomKind::None || at == m_window.rows.end()) {
    m_window.row = m_window.bottom = 0;
    return;
  }
  m_window.row = m_window.bottom = static_cast<int>(at - m_window.rows.begin());
  m_window.right = m_window.column;
}

void AtomListCommands::toggleWindow() {
  if (m_window.visible) return closeWindow();
  if (!m_context.state.loaded) throw UserError("Open a structure first.");
  m_window.visible = true;
  refresh();
  m_context.state.notifyState();
}

void AtomListCommands::closeWindow() {
  m_window.visible = false;
  m_context.state.notifyState();
}

void AtomListCommands::refresh() {
  const model::StructureModel& s = m_context.state.structure;
  const AtomRef selected = selectedEntry();
  m_window.rows = {AtomRef{}};
  for (const AtomRef ref : editing::atomListEntries(s, m_window.sortColumn, m_window.descending))
    m_window.rows.push_back(ref);
  m_window.grid = editing::atomListGrid(s, {m_window.rows.begin() + 1, m_window.rows.end()});
  if (selected.kind != AtomKind::None) selectEntry(selected);
}

void AtomListCommands::sortByColumn(int column) {
  if (column < 0 || column >= editing::atomListColumnCount) return;
  m_window.descending = column == m_window.sortColumn && column != 0 && !m_window.descending;
  m_window.sortColumn = column;
  refresh();
}

void AtomListCommands::selectCells(int column, int row, int right, int bottom) {
  const int rows = m_window.grid.rowCount() - 1;
  if (column > right) std::swap(column, right);
  if (row > bottom) std::swap(row, bottom);
  m_window.column = std::clamp(column, 0, editing::atomListColumnCount - 1);
  m_window.right = std::clamp(right, m_window.column, editing::atomListColumnCount - 1);
  m_window.row = std::clamp(row, 0, std::max(rows, 0));
  m_window.bottom = std::clamp(bottom, m_window.row, std::max(rows, 0));
  if (!m_window.multi) m_window.value = m_window.grid.cell(m_window.row, m_window.column);
}

void AtomListCommands::apply() {
  if (m_window.multi) {
    throw UserError(
        "\"Apply\" is off while \"by Double Clicking or by Multi\" is on: double-click a cell "
        "or use \"Apply on MultiCells\".");
  }
  applyCell(m_window.column, m_window.row, true);
}

void AtomListCommands::doubleClick(int column, int row) {
  selectCell(column, row);
  applyCell(column, row, !m_window.multi);
}

void AtomListCommands::applyCell(int column, int row, bool rename) {
  WorkbenchState& state = m_context.state;
  const std::string value = text::trimLine(m_window.value);
  if (value.empty()) return m_context.dialogs.message(editing::noValueMessage);
  if (column < 1 || row < 1 || row >= static_cast<int>(m_window.rows.size())) return;
  const bool labelColumn = column == editing::labelColumn || column == editing::secondLabelColumn;
  if (labelColumn && !rename) return;
  const AtomRef ref = m_window.rows[static_cast<std::size_t>(row)];
  EditStep step(state, "Atom List Apply");
  if (!editing::storeAtomListCell(state.structure, ref, column, value)) return;
  step.commit();
  afterEdit({ref});
}

void AtomListCommands::applyMulti() {
  WorkbenchState& state = m_context.state;
  if (!m_window.multi) {
    throw UserError(
        "\"Apply on MultiCells\" works while \"by Double Clicking or by Multi\" is on.");
  }
  const std::string value = text::trimLine(m_window.value);
  if (value.empty()) return m_context.dialogs.message(editing::noValueMessage);
  if (m_window.row < 1 || m_window.right < 1) return;
  std::vector<AtomRef> refs;
  for (int r = m_window.row; r <= m_window.bottom; ++r)
    refs.push_back(m_window.rows.at(static_cast<std::size_t>(r)));
  // One step: a cell refused undoes the cells stored before it.
  EditStep step(state, "Apply on MultiCells");
  editing::storeAtomListBlock(state.structure, refs, m_window.column, m_window.right, value);
  step.commit();
  afterEdit(refs);
}

void AtomListCommands::afterEdit(const std::vector<AtomRef>& edited) {
  WorkbenchState& state = m_context.state;
  model::StructureModel& s = state.structure;
  // Each edited atom is drawn where its coordinates now put it.
  const geometry::ViewFrame& frame = state.frame;
  for (const AtomRef ref : edited) {
    const geometry::Fractional f = geometry::fractionalOf(s, ref);
    s.viewOf(ref) = frame.viewSlots[geometry::fractionalOriginSlot] + f.x * frame.edgeA() +
                    f.y * frame.edgeB() + f.z * frame.edgeC();
  }
  state.afterChange({});
  refresh();
}

void AtomListCommands::sortLabels() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded) return;
  m_context.dialogs.message(editing::labelRuleMessage);
  const std::vector<int> order = editing::atomSortOrder(state.structure);
  editing::checkOrderKeepsCards(state.structure, AtomKind::Atom, order);
  m_window.sortGrid =
      editing::sortWorkingGrid(state.structure, labelsOf(state.structure, AtomKind::Atom), order);
  EditStep step(state, "Sort_nonH_Labels");
  state.dropCopies();  // the copies would no longer stand at the index of their source
  state.entriesMoved(editing::reorderAtoms(state.structure, order));
  step.commit();
  afterSort();
}

void AtomListCommands::sortHydrogenLabels() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded) return;
  if (editing::onlyRidingHydrogens(state.structure))
    return m_context.dialogs.message(editing::onlyRidingHydrogensMessage);
  m_context.dialogs.message(editing::labelRuleMessage);
  const std::vector<int> order = editing::hydrogenSortOrder(state.structure);
  m_window.sortGrid = editing::sortWorkingGrid(
      state.structure, labelsOf(state.structure, AtomKind::Hydrogen), order);
  editing::checkOrderKeepsCards(state.structure, AtomKind::Hydrogen, order);
  EditStep step(state, "Sort_H_Labels");
  state.dropCopies();
  state.entriesMoved(editing::reorderHydrogens(state.structure, order));
  step.commit();
  afterSort();
}

void AtomListCommands::simplifyNumbering() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded) return;
  model::StructureModel& s = state.structure;
  m_context.dialogs.message(editing::labelRuleMessage);
  const std::vector<int> order = editing::atomSortOrder(s);
  editing::checkOrderKeepsCards(s, AtomKind::Atom, order);
  const std::vector<model::AtomRename> renames = editing::simplifiedLabels(s, order);
  m_window.sortGrid = editing::sortWorkingGrid(s, labelsOf(s, AtomKind::Atom), order);
  EditStep step(state, "Simplify the Numbering");
  state.dropCopies();
  model::renameAtoms(s, renames);  // checks every label before it changes one
  state.entriesMoved(editing::reorderAtoms(s, order));
  step.commit();
  afterSort();
}

void AtomListCommands::afterSort() {
  WorkbenchState& state = m_context.state;
  state.detectConnection();  // the fixing window and this list follow
  state.redraw();
  if (m_window.visible) refresh();
  state.notifyState();
}

std::vector<std::string> AtomListCommands::printLines() const {
  return editing::atomListPrintLines(m_window.grid);
}

void AtomListCommands::print() {
  m_context.dialogs.message(printFontMessage);
  m_context.dialogs.printLines(printLines());
}

WindowDeclaration declareAtomListWindow(AtomListCommands& a) {
  WindowDeclaration w =
      declaredWindow("TForm2", "Atomic Coordinates & Parameters", "\"XYZUij + Others\" shows it",
                     [&a] { return a.window().visible; });
  w.controls = {
      table(
          "StringGrid1",
          [&a](const ControlInput& v) {
            if (v.size() >= 4) {
              return a.selectCells(intValue("StringGrid1", v, 0), intValue("StringGrid1", v, 1),
                                   intValue("StringGrid1", v, 2), intValue("StringGrid1", v, 3));
            }
            a.selectCell(intValue("StringGrid1", v, 0), intValue("StringGrid1", v, 1));
          },
          [&a](const ControlInput& v) {
            a.doubleClick(intValue("StringGrid1", v, 0), intValue("StringGrid1", v, 1));
          }),
      numberField("Heading", [&a](int column) { a.sortByColumn(column); }),
      textField("Edit1", [&a](const std::string& t) { a.setValue(t); }),
      checkBox("CheckBox1", [&a](bool on) { a.setMulti(on); }),
      press("Button1", [&a] { a.apply(); }, {"Apply"}),
      press("Button2", [&a] { a.applyMulti(); }, {"Apply on MultiCells"}),
      press("SortLabels", [&a] { a.sortLabels(); }, {"Sort_nonH_Labels"}),
      press("SortHLabels", [&a] { a.sortHydrogenLabels(); }, {"Sort_H_Labels"}),
      press("SimplifytheLabelingfromShelxt1", [&a] { a.simplifyNumbering(); }),
      press("WorkingGrids", [&a] { a.toggleSortGrid(); }),
      press("XYZBUpdate", [&a] { a.refresh(); }),
      press("Print1", [&a] { a.print(); }, {"Print"}),
      press("Exit1", [&a] { a.closeWindow(); }, {"Exit"}),
  };
  w.print = [&a] {
    std::vector<std::string> lines = gridPrintLines(a.window().grid);
    if (a.window().sortGridShown) {
      for (std::string& line : gridPrintLines(a.window().sortGrid))
        lines.push_back(std::move(line));
    }
    return lines;
  };
  return w;
}

}  // namespace tavo::workbench
