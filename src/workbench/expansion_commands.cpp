// The expansion and packing views and their windows.
#include "workbench/expansion_commands.h"

#include <algorithm>

#include "geometry/expansion_copies.h"
#include "geometry/unit_list_file.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::workbench {

using editing::MouseMode;

/// Passes the progress of a search on to the "Wait!" window.
class ExpansionCommands::Progress final : public geometry::SearchProgress {
 public:
  explicit Progress(ExpansionCommands& owner) : m_owner(owner) {}
  void advanced(int done, int total) override {
    m_owner.m_wait.done = done;
    m_owner.m_wait.total = total;
    if (m_owner.m_waitPort != nullptr) m_owner.m_waitPort->waitChanged(m_owner.m_wait);
  }

 private:
  ExpansionCommands& m_owner;
};

ExpansionCommands::ExpansionCommands(CommandContext context) : m_context(context) {
  m_context.state.followCopiesDropped([this] { copiesDropped(); });
}

const std::vector<model::ExpansionOp>& ExpansionCommands::units() const {
  return m_context.state.structure.symmetry.expansionOps;
}

std::filesystem::path ExpansionCommands::listFile(std::string_view name) const {
  return m_context.state.workingFolder() / name;
}

std::string ExpansionCommands::codeOf(int unit) const {
  if (unit < 1 || unit > static_cast<int>(units().size())) return {};
  return units()[static_cast<size_t>(unit - 1)].text;
}

bool ExpansionCommands::expansionShown() const {
  return m_context.state.display.expandConnections || restoredFromExpandList();
}

bool ExpansionCommands::packingShown() const {
  return m_context.state.display.packingView || restoredFromPackingList();
}

void ExpansionCommands::copiesDropped() {
  WorkbenchState& s = m_context.state;
  m_shownUnits = 0;
  m_reExpChk = m_rePckChk = 0;
  s.display.expandConnections = s.display.packingView = false;
  m_controls.buttonsVisible = true;
  m_controls.unitControlsVisible = false;
}

void ExpansionCommands::showWait(bool visible, int total) {
  m_wait = {visible, 0, total};
  if (m_waitPort != nullptr) m_waitPort->waitChanged(m_wait);
}

// The steps both searches begin with: the buttons hidden, the modes that edit entries of the
// file turned off, the other view off, the copies dropped, a freshly reset view frame.
void ExpansionCommands::beginSearch(bool expand) {
  WorkbenchState& s = m_context.state;
  m_controls.buttonsVisible = false;
  if (s.modes.isAnyOf({MouseMode::Name, MouseMode::Delete, MouseMode::Locate, MouseMode::Adjust,
                       MouseMode::Sadi})) {
    s.turnEditingModeOff();
  }
  s.selection.clear(s.structure);
  s.display.expandConnections = expand;
  s.display.packingView = !expand;
  m_shownUnits = 0;
  m_reExpChk = m_rePckChk = 0;
  s.structure.workingAtomCount = s.structure.nonHCount;
  s.structure.workingHCount = s.structure.hCount;
  s.structure.workingPeakCount = s.structure.peakCount;
  s.initGraphics();
  s.afterChange({.resetView = true, .bonds = false, .redraw = false});
}

void ExpansionCommands::setUnits(std::vector<model::ExpansionOp> found) {
  m_context.state.structure.symmetry.expansionOps = std::move(found);
}

void ExpansionCommands::appendShownUnits(int shown) {
  WorkbenchState& s = m_context.state;
  model::StructureModel& structure = s.structure;
  structure.workingAtomCount = structure.nonHCount;
  structure.workingHCount = structure.hCount;
  structure.workingPeakCount = structure.peakCount;
  m_shownUnits = shown;
  const auto& list = units();
  geometry::AddMolecule(structure, s.frame, list, shown, m_context.dialogs);
  if (s.display.expandHydrogens) {
    geometry::addHydrogenCopies(structure, s.frame, list, shown, m_context.dialogs);
  }
  if (s.display.expandPeaks) {
    geometry::addPeakCopies(structure, s.frame, list, shown, m_context.dialogs);
  }
}

void ExpansionCommands::setExpandConnections(bool on) {
  WorkbenchState& s = m_context.state;
  if (!on) {
    s.display.expandConnections = false;
    off();
    return;
  }
  if (!s.loaded) {
    // Nothing to search yet: the flag is only set (a load drops it again).
    s.display.expandConnections = true;
    s.display.packingView = false;
    return;
  }
  beginSearch(true);
  m_controls.unitControlsVisible = true;
  showWait(true, s.structure.symmetry.opCount);
  Progress progress(*this);
  std::vector<model::ExpansionOp> found;
  try {
    found = geometry::expansionUnits(s.structure, s.controls.bondThreshold, m_workspace, &progress);
  } catch (...) {
    showWait(false, 0);
    s.display.expandConnections = false;
    throw;
  }
  showWait(false, 0);
  if (found.empty()) {
    // No copy is shown: the item is not checked, the buttons are back and the next Ctrl+A
    // searches again.
    s.display.expandConnections = false;
    m_controls.buttonsVisible = true;
    m_controls.unitMax = 0;
    s.controls.symmetryCode = 0;
    m_controls.codeText = noConnectionText;
    setUnits({});
    s.afterChange({});
    return;
  }
  const int count = static_cast<int>(found.size());
  const std::string listFailure = writeList(geometry::expandListFileName, found);
  setUnits(std::move(found));
  m_controls.unitMax = count;
  s.controls.symmetryCode = 1;
  m_controls.codeText = codeOf(1);
  appendShownUnits(1);
  s.afterChange({});
  m_context.dialogs.inform(std::to_string(count) + std::string(unitsConnectedMessage));
  if (!listFailure.empty()) m_context.dialogs.message(listFailure);
}

void ExpansionCommands::setPackingView(bool on) {
  WorkbenchState& s = m_context.state;
  if (!on) {
    s.display.packingView = false;
    off();
    return;
  }
  if (!s.loaded) {
    s.display.packingView = true;
    s.display.expandConnections = false;
    return;
  }
  // The bounds are read first: a field that is no number leaves the view as it was.
  const geometry::PackingBounds bounds = geometry::packingBounds(s.frame.packingRange);
  beginSearch(false);
  m_controls.unitControlsVisible = true;
  showWait(true, s.structure.symmetry.opCount);
  Progress progress(*this);
  const geometry::PackingUnits found =
      geometry::packingUnits(s.structure.symmetry, s.frame.cellBoxPoints[0], bounds,
                             geometry::unitCapacity(s.structure.limits), &progress);
  if (found.units.empty()) {
    showWait(false, 0);
    s.display.packingView = false;
    m_controls.buttonsVisible = true;
    s.afterChange({});
    return;
  }
  if (found.full) m_context.dialogs.message(geometry::packingCapacityMessage(s.structure.limits));
  const int count = static_cast<int>(found.units.size());
  const std::string listFailure = writeList(geometry::packingListFileName, found.units);
  setUnits(found.units);
  m_controls.unitMax = count;
  s.controls.symmetryCode = std::min(s.controls.symmetryCode, count);
  m_controls.codeText = packingViewText;
  appendShownUnits(count);
  s.detectConnection();
  const double extent = geometry::centreOnCellBox(s.structure, s.frame);
  s.view.extent = s.view.baseExtent = extent;
  s.redraw();
  showWait(false, 0);
  m_context.dialogs.inform(std::to_string(count) + std::string(unitsAddedMessage));
  if (!listFailure.empty()) m_context.dialogs.message(listFailure);
}

std::string ExpansionCommands::writeList(std::string_view name,
                                         const std::vector<model::ExpansionOp>& list) const {
  if (!m_context.state.readOptions.writeFiles) return {};
  // The list only serves 'ReExp' and 'RePck' later: a folder that cannot take it must not cost
  // the user the view, so its failure is told after the view is shown.
  try {
    geometry::writeUnitList(listFile(name), list);
  } catch (const UserError& e) {
    return e.what();
  }
  return {};
}

void ExpansionCommands::off() {
  WorkbenchState& s = m_context.state;
  m_shownUnits = 0;
  s.structure.workingAtomCount = s.structure.nonHCount;
  s.structure.workingHCount = s.structure.hCount;
  s.structure.workingPeakCount = s.structure.peakCount;
  m_controls.buttonsVisible = true;
  if (!s.loaded) return;
  s.initGraphics();
  s.afterChange({.resetView = true});
}

void ExpansionCommands::showUnitsUpTo(int value) {
  WorkbenchState& s = m_context.state;
  const int v = std::clamp(value, 0, m_controls.unitMax);
  s.controls.symmetryCode = v;
  m_controls.codeText = codeOf(v);
  if (!(s.display.expandConnections || m_reExpChk == 1) || !s.loaded) return;
  s.structure.workingAtomCount = s.structure.nonHCount;
  s.structure.workingHCount = s.structure.hCount;
  s.structure.workingPeakCount = s.structure.peakCount;
  m_shownUnits = 0;
  s.initGraphics();
  s.afterChange({.resetView = true, .bonds = false, .redraw = false});
  if (v > 0) appendShownUnits(v);
  s.afterChange({});
}

std::optional<int> ExpansionCommands::restoreUnitList(std::string_view fileName, int& check) {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return std::nullopt;
  std::optional<std::vector<model::ExpansionOp>> list =
      geometry::readUnitList(listFile(fileName), s.structure.symmetry.opCount);
  if (!list) return std::nullopt;
  m_controls.unitControlsVisible = true;
  m_reExpChk = m_rePckChk = 0;  // one view at a time
  check = 1;
  if (s.modes.isAnyOf({MouseMode::Name, MouseMode::Delete, MouseMode::Locate, MouseMode::Adjust,
                       MouseMode::Sadi})) {
    s.turnEditingModeOff();
  }
  s.selection.clear(s.structure);
  const int count =
      std::min(static_cast<int>(list->size()), geometry::unitCapacity(s.structure.limits));
  list->resize(static_cast<size_t>(count));
  setUnits(std::move(*list));
  m_controls.unitMax = count;
  return count;
}

void ExpansionCommands::restoreExpansion() {
  const std::optional<int> count = restoreUnitList(geometry::expandListFileName, m_reExpChk);
  if (!count) return;
  WorkbenchState& s = m_context.state;
  s.controls.symmetryCode = std::min(1, *count);
  m_controls.codeText = codeOf(1);
  s.initGraphics();
  s.afterChange({.resetView = true, .bonds = false, .redraw = false});
  appendShownUnits(std::min(1, *count));
  s.afterChange({});
}

void ExpansionCommands::restorePacking() {
  const std::optional<int> count = restoreUnitList(geometry::packingListFileName, m_rePckChk);
  if (!count) return;
  WorkbenchState& s = m_context.state;
  m_controls.codeText = packingViewText;
  s.initGraphics();
  s.afterChange({.resetView = true, .bonds = false, .redraw = false});
  appendShownUnits(*count);
  s.detectConnection();
  const double extent = geometry::centreOnCellBox(s.structure, s.frame);
  s.view.extent = s.view.baseExtent = extent;
  s.redraw();
}

void ExpansionCommands::removeCopies() {
  WorkbenchState& s = m_context.state;
  if (s.display.expandConnections) {
    setExpandConnections(false);
    return;
  }
  if (s.display.packingView) {
    setPackingView(false);
    return;
  }
  m_controls.unitControlsVisible = false;
  m_shownUnits = 0;
  s.structure.workingAtomCount = s.structure.nonHCount;
  s.structure.workingHCount = s.structure.hCount;
  s.structure.workingPeakCount = s.structure.peakCount;
  m_reExpChk = m_rePckChk = 0;
  s.afterChange({});
}

void ExpansionCommands::showPackingRange() {
  m_packingRange.visible = true;
}

void ExpansionCommands::exitPackingRange() {
  m_packingRange.visible = false;
  m_context.state.redraw();
  m_context.state.redraw();
}

void ExpansionCommands::setPackingBoundText(int field, std::string text) {
  if (field < 1 || field > 6) return;
  m_context.state.frame.packingRange.boundTexts[static_cast<size_t>(field - 1)] = std::move(text);
}

void ExpansionCommands::setPackingBoundSpin(int spin, int value) {
  if (spin < 1 || spin > 6) return;
  const int v = std::clamp(value, -100, 100);
  geometry::PackingRange& range = m_context.state.frame.packingRange;
  range.boundSpins[static_cast<size_t>(spin - 1)] = v;
  range.boundTexts[static_cast<size_t>(spin - 1)] = text::formatShortest(v / 10.0);
}

WindowDeclaration declarePackingRangeWindow(ExpansionCommands& e) {
  WindowDeclaration w =
      declaredWindow("TForm14", "Packing View Range", "\"Packing View Range\" shows it",
                     [&e] { return e.packingRangeWindow().visible; });
  for (int k = 1; k <= 6; ++k) {
    w.controls.push_back(textField("Edit" + std::to_string(k),
                                   [&e, k](const std::string& t) { e.setPackingBoundText(k, t); }));
    w.controls.push_back(numberField("SpinEdit" + std::to_string(k),
                                     [&e, k](int value) { e.setPackingBoundSpin(k, value); }));
  }
  w.controls.push_back(press("Exit1", [&e] { e.exitPackingRange(); }, {"Exit"}));
  return w;
}

}  // namespace tavo::workbench
