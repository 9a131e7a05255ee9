// The peak list window, MovePks, the overlay reading of peaks and the clearing of peaks.
#include "workbench/peak_commands.h"

#include <algorithm>

#include "editing/peaks.h"
#include "model/file_lines.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"

namespace tavo::workbench {

namespace {

constexpr std::string_view overlayFilter = "*.ins/*.res (*.ins *.res *.*)";

}  // namespace

PeakCommands::PeakCommands(CommandContext context) : m_context(context) {
  // The list names peaks by their index: it follows every change of the tables.
  auto follow = [this] {
    if (m_window.visible) fill();
  };
  m_context.state.followLoad(follow);
  m_context.state.followDetection(follow);
  m_context.state.followEntriesMoved([this](const editing::PurgeMap& map) {
    PeakListWindow& w = m_window;
    if (w.currentPeak > 0) w.currentPeak = map.map({model::AtomKind::Peak, w.currentPeak}).index;
    w.top = w.bottom = 0;
    if (w.visible) fill();
  });
}

void PeakCommands::fill() {
  const model::StructureModel& s = m_context.state.structure;
  PeakListWindow& w = m_window;
  w.grid = editing::peakListGrid(s);
  w.currentPeak = std::min(w.currentPeak, s.peakCount);
  w.top = std::min(w.top, s.peakCount);
  w.bottom = std::clamp(w.bottom, w.top, s.peakCount);
  if (w.top == 0) w.bottom = 0;
  w.currentText = w.currentPeak > 0 ? editing::peakName(w.currentPeak) : std::string();
}

void PeakCommands::toggleList() {
  if (m_window.visible) return closeList();
  if (!m_context.state.loaded) throw UserError("Open a structure first.");
  m_window.visible = true;
  m_window.currentPeak = m_context.state.structure.peakCount > 0 ? 1 : 0;
  m_window.top = m_window.bottom = 0;
  fill();
  m_context.state.notifyState();
}

void PeakCommands::closeList() {
  m_window.visible = false;
  m_context.state.redraw();
  m_context.state.notifyState();
}

void PeakCommands::selectRows(int top, int bottom) {
  const int count = m_context.state.structure.peakCount;
  if (top > bottom) std::swap(top, bottom);
  if (top <= 0 || top > count) {
    m_window.top = m_window.bottom = 0;
    return;
  }
  m_window.top = top;
  m_window.bottom = std::min(bottom, count);
  m_window.currentPeak = top;
  m_window.currentText = editing::peakName(top);
}

void PeakCommands::setCurrentPeak(int peak) {
  const int count = m_context.state.structure.peakCount;
  m_window.currentPeak = count > 0 ? std::clamp(peak, 1, count) : 0;
}

void PeakCommands::deleteRows(int top, int bottom, std::string_view stepName) {
  WorkbenchState& state = m_context.state;
  if (!m_window.visible) throw UserError("The list of peaks is not shown.");
  if (top <= 0 || top > state.structure.peakCount) return;
  EditStep step(state, std::string(stepName));
  const editing::PurgeMap map = editing::deletePeaks(state.structure, top, bottom);
  state.entriesMoved(map);
  // The current peak is the row that was deleted: the row now there.
  m_window.currentPeak = std::min(top, state.structure.peakCount);
  state.detectConnection();
  state.redraw();
  step.commit();
  state.notifyState();
}

void PeakCommands::deleteThis() {
  deleteRows(m_window.currentPeak, m_window.currentPeak, "Delete Peak");
}

void PeakCommands::deleteOverMultiCells() {
  deleteRows(m_window.top, m_window.bottom, "Delete Peaks");
}

std::vector<std::string> PeakCommands::printLines() const {
  return editing::peakListPrintLines(m_window.grid);
}

void PeakCommands::print() {
  m_context.dialogs.printLines(printLines());
}

void PeakCommands::movePeaks() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded || state.structure.peakCount == 0) return;
  if (state.display.expandConnections || state.display.packingView ||
      state.structure.workingPeakCount > state.structure.peakCount) {
    m_context.dialogs.message(editing::expandedPeaksMessage);
    return;
  }
  EditStep step(state, "MovePks");
  state.initGraphics();
  editing::movePeaksNextToMolecule(state.structure);
  state.afterChange({.fractionalCoordinates = false, .resetView = true});
  step.commit();
  state.notifyState();
}

void PeakCommands::readOverlayPeaks() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded) throw UserError("Open a structure first.");
  const auto chosen = m_context.dialogs.chooseFileToOpen(state.workingFolder(), overlayFilter);
  if (!chosen) return;
  readOverlayPeaks(*chosen);
}

void PeakCommands::readOverlayPeaks(const std::filesystem::path& file) {
  WorkbenchState& state = m_context.state;
  model::StructureModel& s = state.structure;
  if (!state.loaded) throw UserError("Open a structure first.");
  std::vector<std::string> lines = model::loadFileLines(file);
  const std::string name = file.filename().string();
  if (lines.empty() || !text::startsWithUpper(lines.front(), "TITL")) {
    throw UserError(name + " does not begin with a TITL line: the peaks were left as they were.");
  }
  // Everything is checked before the structure changes.
  const editing::OverlayPeaks overlay = editing::readOverlayPeaks(lines, name, s.limits.atmMax);
  EditStep step(state, "Read Peaks");
  editing::clearPeaks(s, state.selection);
  for (const model::Peak& peak : overlay.peaks)
    s.peaks[s.addPeak()] = peak;
  s.peakCount = s.workingPeakCount;
  s.fileLines = std::move(lines);
  s.rows.firstPeakRow = overlay.firstPeakRow;
  s.rows.lastRow = overlay.lastRow;
  state.initGraphics();
  state.afterChange({.fractionalCoordinates = true, .resetView = true});
  step.commit();
  if (editing::cellDiffers(overlay, s.cell)) {
    m_context.dialogs.message("The CELL of " + name +
                              " differs from the CELL of the structure: its peaks are placed "
                              "with the cell of the structure.");
  }
  state.notifyState();
}

void PeakCommands::clearPeaks() {
  editing::clearPeaks(m_context.state.structure, m_context.state.selection);
}

WindowDeclaration declarePeakListWindow(PeakCommands& p) {
  WindowDeclaration w =
      declaredWindow("TForm9", "Showing and Handling Peaks", "\"List of Peaks\" shows it",
                     [&p] { return p.window().visible; });
  w.placement = Placement::Centred;
  w.controls = {
      table(
          "StringGrid1",
          [&p](const ControlInput& v) {
            const int top = intValue("StringGrid1", v, 0);
            p.selectRows(top, v.size() > 1 ? intValue("StringGrid1", v, 1) : top);
          },
          [&p](const ControlInput& v) {
            const int row = intValue("StringGrid1", v);
            p.selectRows(row, row);
            p.deleteThis();
          }),
      numberField("SpinEdit1", [&p](int peak) { p.setCurrentPeak(peak); }),
      press("Button1", [&p] { p.deleteThis(); }, {"Delete This"}),
      press("Button2", [&p] { p.deleteOverMultiCells(); }, {"Delete Over MultiCells"}),
      press("Print1", [&p] { p.print(); }, {"Print"}),
      press("Exit3", [&p] { p.closeList(); }, {"Exit"}),
  };
  w.print = [&p] {
    std::vector<std::string> lines = gridPrintLines(p.window().grid);
    lines.push_back("current " + std::to_string(p.window().currentPeak) + ' ' +
                    p.window().currentText);
    return lines;
  };
  return w;
}

}  // namespace tavo::workbench
