// The locating tool and its two windows.
#include "workbench/locate_commands.h"

#include <algorithm>
#include <cmath>

#include "editing/atom_edits.h"
#include "editing/locating.h"
#include "editing/pick_rules.h"
#include "formats/group_file.h"
#include "geometry/cell_metrics.h"
#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "model/formula.h"
#include "text/errors.h"
#include "text/text.h"
#include "view/view_state.h"
#include "workbench/atom_edit_commands.h"
#include "workbench/edit_step.h"
#include "workbench/mode_commands.h"
#include "workbench/picture_preferences.h"
#include "workbench/view_commands.h"

namespace tavo::workbench {

namespace fs = std::filesystem;
using editing::MouseMode;
using model::AtomKind;
using model::AtomRef;

namespace {

std::vector<std::string> rowOf(const model::StructureModel& s, AtomRef ref) {
  const std::string& label =
      ref.kind == AtomKind::Atom ? s.atoms[ref.index].label : s.hydrogens[ref.index].label;
  return {label, std::to_string(model::kindNumber(ref.kind)), std::to_string(ref.index)};
}

/// The entry a list row names; UserError when it names none of the structure.
AtomRef refOfRow(const model::StructureModel& s, const std::vector<std::string>& row) {
  const std::optional<int> kind = text::findInt(row.at(LocateWindow::Kind));
  const std::optional<int> index = text::findInt(row.at(LocateWindow::Index));
  if (kind && index && *index >= 1) {
    if (*kind == 1 && *index <= s.nonHCount) return {AtomKind::Atom, *index};
    if (*kind == 2 && *index <= s.hCount) return {AtomKind::Hydrogen, *index};
  }
  throw UserError("The row '" + row.at(0) + "' names no atom of the structure.");
}

/// A list's rows other than the empty one.
std::vector<std::vector<std::string>> filledRows(const text::TextGrid& grid) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < grid.rowCount(); ++r) {
    if (!grid.cell(r, LocateWindow::Label).empty()) rows.push_back(grid.row(r));
  }
  return rows;
}

text::TextGrid listOf(const std::vector<std::vector<std::string>>& rows) {
  text::TextGrid grid(std::max<int>(1, static_cast<int>(rows.size())), 3);
  for (std::size_t r = 0; r < rows.size(); ++r)
    grid.setRow(static_cast<int>(r), rows[r]);
  return grid;
}

}  // namespace

std::string groupTooLargeMessage(int atomLines, int frgMax) {
  return "The group has " + std::to_string(atomLines) +
         " atom lines; a group may have at most frg_max - 2 = " + std::to_string(frgMax - 2) +
         " (frg_max is set in array_max.inf). Nothing was placed.";
}

void LocateCommands::requireFileEntriesOnly() const {
  // New atoms go after the entries of the file; symmetry copies shown above them would be
  // taken for atoms of the structure.
  const WorkbenchState& st = m_state;
  const model::StructureModel& s = st.structure;
  if (st.display.expandConnections || st.display.packingView || s.workingAtomCount != s.nonHCount ||
      s.workingHCount != s.hCount || s.workingPeakCount != s.peakCount) {
    throw UserError(std::string(editing::expandedPermissionDeniedMessage));
  }
}

LocateCommands::LocateCommands(CommandContext context)
    : m_context(context), m_state(context.state) {
  m_state.followLoad([this] {
    m_window = LocateWindow{};
    m_distance = DistanceWindow{};
    m_defined.reset();
    m_located = {};
    m_fragment.clear();
  });
  followEntriesMoved();
}

void LocateCommands::followEntriesMoved() {
  // A purge (the Name of a peak, a deletion) moves entries: the references held here follow.
  m_state.followEntriesMoved([this](const editing::PurgeMap& map) {
    m_located = map.map(m_located);
    m_fragment = editing::remapped(map, m_fragment);
    if (m_defined) {
      m_defined->center = map.map(m_defined->center);
      m_defined->neighbour = map.map(m_defined->neighbour);
      if (m_defined->center.kind == AtomKind::None || m_defined->neighbour.kind == AtomKind::None)
        m_defined.reset();
    }
    if (!m_window.visible) return;
    const model::StructureModel& s = m_state.structure;
    for (text::TextGrid& list : m_window.centroids) {
      std::vector<std::vector<std::string>> rows;
      for (const std::vector<std::string>& row : filledRows(list)) {
        const std::optional<int> kind = text::findInt(row[LocateWindow::Kind]);
        const std::optional<int> index = text::findInt(row[LocateWindow::Index]);
        if (!kind || !index) continue;
        const AtomRef moved = map.map({static_cast<AtomKind>(*kind), *index});
        if (moved.kind != AtomKind::None) rows.push_back(rowOf(s, moved));
      }
      list = listOf(rows);
    }
    fillAtomList();
  });
}

void LocateCommands::runApply() {
  for (editing::ApplySection section :
       editing::applySections(m_state.modes, m_state.controls.useLetters, false)) {
    m_atomEdits->runSection(section);
  }
  editing::recountElements(m_state.structure);
}

void LocateCommands::fillAtomList() {
  const model::StructureModel& s = m_state.structure;
  text::TextGrid& list = m_window.atoms;
  list = text::TextGrid(0, 3);
  int row = 0;
  for (int i = 1; i <= s.nonHCount; ++i)
    list.setRow(row++, rowOf(s, {AtomKind::Atom, i}));
  for (int i = 1; i <= s.hCount; ++i)
    list.setRow(row++, rowOf(s, {AtomKind::Hydrogen, i}));
}

void LocateCommands::locateFromAtomMenu() {
  WorkbenchState& st = m_state;
  if (!st.loaded || st.selection.empty()) return;
  requireFileEntriesOnly();
  const AtomRef target = st.selection.picked.back();
  m_modes->chooseMode(MouseMode::Adjust);
  st.selection.clear(st.structure);
  st.selection.append(st.structure, target);
  if (st.cartesianImport) {
    m_defined.reset();
    const std::vector<AtomRef> neighbours = editing::bondedNeighbours(st.structure, target);
    if (neighbours.size() == 1) {
      const model::Vec3 v = st.structure.viewOf(neighbours[0]) - st.structure.viewOf(target);
      const double d0 = text::roundHalfEven(model::length(v) * 10000) / 10000;
      m_defined = DefinedDistance{target, neighbours[0], d0};
      m_distance.center = rowOf(st.structure, target)[0];
      m_distance.connected = rowOf(st.structure, neighbours[0])[0];
      m_distance.distance = text::formatGeneral(d0);
      m_distance.visible = true;
      st.redraw();
      return;
    }
  }
  setupLocate();
  if (st.adjustPending) m_modes->chooseMode(MouseMode::Adjust);
}

void LocateCommands::moveAlongBond(const DefinedDistance& defined, double distanceA) {
  model::StructureModel& s = m_state.structure;
  // The bond as it lies now: the view may have been turned since the distance was defined.
  const model::Vec3 v = s.viewOf(defined.neighbour) - s.viewOf(defined.center);
  const double now = model::length(v);
  if (now == 0) return;
  const model::Vec3 moved = s.viewOf(defined.neighbour) - (distanceA / now) * v;
  editing::checkNewPosition(s, defined.center,
                            geometry::fractionalOfViewPosition(m_state.frame, moved));
  s.viewOf(defined.center) = moved;
  editing::adjustPositions(s, m_state.frame, {defined.center});
  // The bond onto -X of the view: the turns about Z and Y that AlignVec makes for it.
  for (const editing::ViewTurn& turn : editing::alignTurns(v, 1, 0)) {
    view::rotateView(s, m_state.frame, turn.aboutViewingAxis ? view::Axis::Z : view::Axis::Y,
                     turn.angleRad, false);
  }
}

void LocateCommands::setupLocate() {
  WorkbenchState& st = m_state;
  model::StructureModel& s = st.structure;
  if (!st.loaded || st.selection.empty()) return;
  const AtomRef target = st.selection.picked.front();
  // A distance serves the set-up it was defined for, and only that one.
  std::optional<DefinedDistance> defined;
  if (m_defined && m_defined->center == target) defined = m_defined;
  double distanceA = 0;
  if (defined && st.cartesianImport) {
    // A text that is no length leaves the distance defined for another try.
    distanceA = text::parseDouble(text::trimLine(m_distance.distance));
    if (!std::isfinite(distanceA) || distanceA <= 0) {
      throw UserError("The connecting distance must be a positive number of Å, not '" +
                      m_distance.distance + "'.");
    }
  }
  m_defined.reset();
  EditStep step(st, "Locate");
  m_located = target;
  fillAtomList();
  m_window.centroids = {text::TextGrid(1, 3), text::TextGrid(1, 3), text::TextGrid(1, 3)};
  m_window.clickedCentroidRow = {};
  if (target.kind != AtomKind::Peak) m_window.centroids[0].setRow(0, rowOf(s, target));
  m_window.elementNumberMax = std::max(s.elementCount, 1);
  setElementNumber(1);
  m_fragment = {target};
  // Center: the located atom at the view origin.
  st.modes = editing::flagsFor(MouseMode::Center);
  st.selection.clear(s);
  st.selection.append(s, target);
  if (defined && st.cartesianImport) moveAlongBond(*defined, distanceA);
  runApply();
  m_modes->chooseMode(MouseMode::Locate);
  st.selection.clear(s);
  st.selection.append(s, target);
  m_locatedPosition = s.viewOf(target);
  m_window.hOptionsChecked = {};
  m_window.readFileChecked = false;
  m_window.vectorsChecked = false;
  m_window.vectorControlsEnabled = false;
  m_window.visible = true;
  step.commit();
  st.redraw();
}

void LocateCommands::applyDistance() {
  if (m_defined) {
    m_state.selection.clear(m_state.structure);
    m_state.selection.append(m_state.structure, m_defined->center);
  }
  setupLocate();
  if (m_state.adjustPending) m_modes->chooseMode(MouseMode::Adjust);
  m_distance.visible = false;
}

void LocateCommands::resetModesAndRotate() {
  m_view->initGraph();
  if (!m_state.modes.rotate) m_modes->chooseRotate();
}

void LocateCommands::cancelDistance() {
  m_defined.reset();
  m_distance.visible = false;
  resetModesAndRotate();
}

void LocateCommands::cancel() {
  m_window.visible = false;
  resetModesAndRotate();
}

void LocateCommands::readGroupByDialog() {
  const fs::path folder =
      m_state.settingsFolder() / (m_state.cartesianImport ? "fragments" : "groups");
  const std::optional<fs::path> chosen = m_context.dialogs.chooseFileToOpen(folder, "*.* (*.*)");
  if (!chosen) return;
  m_window.readFileChecked = true;
  readGroupFile(*chosen);
}

AtomRef LocateCommands::nameOne(AtomRef ref, int element) {
  WorkbenchState& st = m_state;
  model::StructureModel& s = st.structure;
  const int atomsBefore = s.workingAtomCount;
  const int hydrogensBefore = s.workingHCount;
  m_modes->chooseMode(MouseMode::Name);
  m_modes->setElementNumber(element);
  st.selection.clear(s);
  st.selection.append(s, ref);
  runApply();
  if (s.workingAtomCount > atomsBefore) return {AtomKind::Atom, s.workingAtomCount};
  if (s.workingHCount > hydrogensBefore) return {AtomKind::Hydrogen, s.workingHCount};
  return ref;
}

std::optional<std::vector<editing::GroupElement>> LocateCommands::findGroupElements(
    const formats::GroupFile& group) const {
  const model::ElementDefinitions& definitions = m_state.preferences().elementDefinitions();
  std::vector<std::string> symbols;
  if (group.originSymbol) symbols.push_back(*group.originSymbol);
  for (const formats::GroupAtom& atom : group.atoms)
    symbols.push_back(atom.symbol);
  std::vector<editing::GroupElement> elements;
  for (const std::string& symbol : symbols) {
    const std::optional<editing::GroupElement> found =
        editing::findGroupElement(m_state.structure, definitions, symbol);
    if (!found) return std::nullopt;
    elements.push_back(*found);
  }
  return elements;
}

void LocateCommands::addToSfac(std::vector<editing::GroupElement>& elements) {
  model::StructureModel& s = m_state.structure;
  const model::ElementDefinitions& definitions = m_state.preferences().elementDefinitions();
  bool added = false;
  for (editing::GroupElement& e : elements) {
    if (e.element != 0) continue;
    // A second atom of an element added for an earlier one finds it in SFAC now.
    const std::optional<editing::GroupElement> again =
        editing::findGroupElement(s, definitions, e.symbol);
    if (again && again->element != 0) {
      e.element = again->element;
      continue;
    }
    const int index = s.addElement();  // UserError naming elem_max when the table is full
    s.elements[index] = {text::upper(e.symbol), 1.0, 0, 0, 0};
    e.element = index;
    added = true;
  }
  if (!added) return;
  definitions.assignElementData(s);
  model::rewriteSfacCard(s);
  model::rewriteUnitCard(s);
  m_state.controls.elementNumberMax = std::max(s.elementCount, 1);
}

std::vector<AtomRef> LocateCommands::placeGroup(
    const formats::GroupFile& group, const std::vector<editing::GroupElement>& elements) {
  WorkbenchState& st = m_state;
  model::StructureModel& s = st.structure;
  std::size_t next = 0;
  std::vector<AtomRef> fragment;
  if (group.originSymbol) {
    if (m_located.kind == AtomKind::Hydrogen && st.cartesianImport) {
      // The H atom gives its place to an atom of the origin's element, which is not part of
      // the group that turns about it.
      const int peak = editing::appendPeakAt(s, st.frame, m_locatedPosition);
      s.hydrogens[m_located.index].mark = 1;
      s.selected[2][m_located.index] = 0;
      nameOne({AtomKind::Peak, peak}, elements[next++].element);
    } else {
      fragment.push_back(nameOne(m_located, elements[next++].element));
    }
  } else {
    st.selection.clear(s);
  }
  for (const formats::GroupAtom& atom : group.atoms) {
    const int peak = editing::appendPeakAt(s, st.frame, m_locatedPosition + atom.offset);
    fragment.push_back(nameOne({AtomKind::Peak, peak}, elements[next++].element));
  }
  return fragment;
}

void LocateCommands::readGroupFile(const fs::path& file) {
  WorkbenchState& st = m_state;
  model::StructureModel& s = st.structure;
  if (!st.loaded || m_located.kind == AtomKind::None) return;
  requireFileEntriesOnly();
  const formats::GroupFile group =
      formats::readGroupLines(model::loadFileLines(file), file.filename().string());
  const int frgMax = s.limits.frgMax;
  if (static_cast<int>(group.atoms.size()) > frgMax - 2)
    throw UserError(groupTooLargeMessage(static_cast<int>(group.atoms.size()), frgMax));
  // Every element is found before anything is placed.
  std::optional<std::vector<editing::GroupElement>> elements = findGroupElements(group);
  if (!elements) {
    m_context.dialogs.message(editing::groupElementNotFoundMessage);
    return;
  }

  EditStep step(st, "Read Group");
  addToSfac(*elements);
  const std::vector<AtomRef> fragment = placeGroup(group, *elements);
  // The new group alone is selected: the Adjust Apply stores the positions of the Selection,
  // and the rest of the structure keeps its own.
  st.selection.clear(s);
  for (const AtomRef& ref : fragment)
    st.selection.append(s, ref);
  m_fragment = fragment;
  m_modes->chooseMode(MouseMode::Adjust);
  m_window.visible = false;
  m_window.readFileChecked = false;
  st.adjustPending = true;
  step.commit();
  st.detectConnection();
  st.redraw();
  m_context.dialogs.message(editing::groupAwaitsAdjustMessage);
}

void LocateCommands::checkVectors(bool on) {
  m_window.vectorsChecked = on;
  if (!on) return;
  m_window.hOptionsChecked = {};
  m_window.vectorControlsEnabled = true;
}

void LocateCommands::checkCentroidList(int list, bool on) {
  if (list < 0 || list > 2) return;
  m_window.centroidChecked[static_cast<std::size_t>(list)] = on;
  if (!on) return;
  for (int k = 0; k < 3; ++k) {
    if (k != list) m_window.centroidChecked[static_cast<std::size_t>(k)] = false;
  }
}

void LocateCommands::checkHOption(int option) {
  if (option < 0 || option > 4) return;
  m_context.dialogs.message(editing::locateHNotAvailableMessage);
  for (int k = 0; k < 5; ++k)
    m_window.hOptionsChecked[static_cast<std::size_t>(k)] = k == option;
  m_window.vectorsChecked = false;
  m_window.vectorControlsEnabled = false;
}

void LocateCommands::applyH() {
  m_context.dialogs.message(editing::locateHNotAvailableMessage);
}

void LocateCommands::clickAtomRow(int row) {
  if (row >= 0 && row < m_window.atoms.rowCount()) m_window.clickedAtomRow = row;
}

void LocateCommands::doubleClickAtomRow(int row) {
  if (row < 0 || row >= m_window.atoms.rowCount()) return;
  m_window.clickedAtomRow = row;
  const auto checked =
      std::find(m_window.centroidChecked.begin(), m_window.centroidChecked.end(), true);
  std::size_t list = 0;
  if (checked == m_window.centroidChecked.end()) {
    m_context.dialogs.message(editing::chooseCentroidListMessage);
  } else {
    list = static_cast<std::size_t>(checked - m_window.centroidChecked.begin());
  }
  const std::vector<std::string>& picked = m_window.atoms.row(row);
  std::vector<std::vector<std::string>> rows = filledRows(m_window.centroids[list]);
  if (std::find(rows.begin(), rows.end(), picked) != rows.end()) return;
  rows.push_back(picked);
  m_window.centroids[list] = listOf(rows);
}

void LocateCommands::clickCentroidRow(int list, int row) {
  if (list < 0 || list > 2) return;
  const auto k = static_cast<std::size_t>(list);
  if (row >= 0 && row < m_window.centroids[k].rowCount()) m_window.clickedCentroidRow[k] = row;
}

void LocateCommands::doubleClickCentroidRow(int list, int row) {
  if (list < 0 || list > 2) return;
  const auto k = static_cast<std::size_t>(list);
  text::TextGrid& grid = m_window.centroids[k];
  if (row < 0 || row >= grid.rowCount()) return;
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < grid.rowCount(); ++r) {
    if (r != row) rows.push_back(grid.row(r));
  }
  grid = rows.empty() ? text::TextGrid(1, 3) : listOf(filledRows(listOf(rows)));
  m_window.clickedCentroidRow[k] = 0;
}

void LocateCommands::setElementNumber(int number) {
  const model::StructureModel& s = m_state.structure;
  m_window.elementNumber = std::clamp(number, 1, m_window.elementNumberMax);
  m_window.elementSymbol =
      m_window.elementNumber <= s.elementCount ? s.elements[m_window.elementNumber].symbol : "";
  if (m_modes == nullptr) return;
  // The main window's element inputs follow; with vectors on, its renumbering count as well.
  ControlValues& c = m_state.controls;
  c.elementNumber = m_window.elementNumber;
  c.elementSymbol = m_window.elementSymbol;
  if (!m_window.vectorsChecked) return;
  int count = 0;
  if (c.elementSymbol == "H" || c.elementSymbol == "h") {
    count = s.hCount;
  } else {
    for (int i = 1; i <= s.nonHCount; ++i)
      count += s.atoms[i].sfac == c.elementNumber;
  }
  c.elementCountText = std::to_string(count);
  c.firstNumberMax = std::max(count, 1);
  c.firstNumber = 1;
}

void LocateCommands::applyVectors() {
  WorkbenchState& st = m_state;
  model::StructureModel& s = st.structure;
  if (!st.loaded || !m_window.vectorsChecked) return;
  if (text::trimLine(m_window.vectorLength).empty()) return;
  for (const text::TextGrid& list : m_window.centroids) {
    if (list.cell(0, LocateWindow::Label).empty()) return;
  }
  requireFileEntriesOnly();
  const double lengthA = text::parseDouble(text::trimLine(m_window.vectorLength));
  std::array<model::Vec3, 3> centroid{};
  for (std::size_t k = 0; k < 3; ++k) {
    const std::vector<std::vector<std::string>> rows = filledRows(m_window.centroids[k]);
    for (const std::vector<std::string>& row : rows)
      centroid[k] += s.viewOf(refOfRow(s, row));
    centroid[k] = (1.0 / static_cast<double>(rows.size())) * centroid[k];
  }
  const model::Vec3 at = editing::vectorPosition(centroid[0], centroid[1], centroid[2], lengthA);
  EditStep step(st, "Locate with Vectors");
  const int peak = editing::appendPeakAt(s, st.frame, at);
  const AtomRef made = nameOne({AtomKind::Peak, peak}, m_window.elementNumber);
  m_fragment = {made};
  st.selection.clear(s);
  step.commit();
  m_window.visible = false;
  m_window.vectorControlsEnabled = false;
  st.detectConnection();
  st.redraw();
}

}  // namespace tavo::workbench
