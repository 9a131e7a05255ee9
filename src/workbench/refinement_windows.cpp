// The history of the refinement runs and the windows of the refinement loop declared: the run
// window, the history window and the settings of the program.
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"
#include "workbench/picture_preferences.h"
#include "workbench/refinement_commands.h"

namespace tavo::workbench {

namespace {

namespace fs = std::filesystem;

std::string figure(const std::optional<double>& value, int decimals) {
  return value ? text::formatFixed(*value, decimals) : "";
}

}  // namespace

std::vector<RefinementRunRecord> RefinementCommands::history() const {
  if (!m_context.state.loaded) return {};
  return readHistory(historyFileOf(structureFile()));
}

void RefinementCommands::fillHistory() {
  RefinementHistoryWindow& w = m_historyWindow;
  w.runs = text::TextGrid(1, 11);
  w.runs.setRow(0, {"Run", "Time", "Outcome", "R1", "R1 (all)", "wR2", "GooF", "Max shift/esd",
                    "Parameters", "Restraints", "Ins"});
  int row = 1;
  for (const RefinementRunRecord& r : history())
    w.runs.setRow(row,
                  {std::to_string(row), r.time, r.outcome, figure(r.r1Gt, 4), figure(r.r1All, 4),
                   figure(r.wR2, 4), figure(r.goof, 3), figure(r.maxShift, 3),
                   std::to_string(r.parameters), std::to_string(r.restraints), r.insBackup}),
        ++row;
}

void RefinementCommands::toggleHistory() {
  m_historyWindow.visible = !m_historyWindow.visible;
  if (m_historyWindow.visible) fillHistory();
}

void RefinementCommands::selectRuns(int first, int second) {
  const int count = static_cast<int>(history().size());
  const auto valid = [count](int run) { return run >= 1 && run <= count ? run : 0; };
  m_historyWindow.firstRun = valid(first);
  m_historyWindow.secondRun = second == first ? 0 : valid(second);
}

void RefinementCommands::compareRuns() {
  RefinementHistoryWindow& w = m_historyWindow;
  if (w.firstRun == 0 || w.secondRun == 0) throw UserError(std::string(chooseTwoRunsMessage));
  const std::vector<RefinementRunRecord> runs = history();
  const fs::path folder = structureFile().parent_path();
  const RefinementRunRecord& first = runs.at(static_cast<std::size_t>(w.firstRun - 1));
  const RefinementRunRecord& second = runs.at(static_cast<std::size_t>(w.secondRun - 1));
  const ModelComparison c = compareInstructionFiles(
      folder / first.insBackup, folder / second.insBackup,
      m_context.state.preferences().elementDefinitions(), m_context.state.structure.limits);
  w.comparisonCaption = "Run " + std::to_string(w.firstRun) + " (" + first.insBackup + ") to run " +
                        std::to_string(w.secondRun) + " (" + second.insBackup +
                        "): " + std::to_string(c.added.size()) + " added, " +
                        std::to_string(c.removed.size()) + " removed, " +
                        std::to_string(c.moved.size()) + " moved more than 0.1 A";
  w.comparison = text::TextGrid(1, 3);
  w.comparison.setRow(0, {"Atom", "Change", "Distance A"});
  int row = 1;
  for (const std::string& label : c.added)
    w.comparison.setRow(row++, {label, "added", ""});
  for (const std::string& label : c.removed)
    w.comparison.setRow(row++, {label, "removed", ""});
  for (const ModelComparison::Move& m : c.moved)
    w.comparison.setRow(row++, {m.label, "moved", text::formatFixed(m.distanceA, 3)});
}

void RefinementCommands::restoreRun() {
  WorkbenchState& s = m_context.state;
  const int run = m_historyWindow.firstRun;
  if (run == 0 || m_historyWindow.secondRun != 0) throw UserError(std::string(chooseOneRunMessage));
  if (running()) throw UserError(std::string(refinementRunningMessage));
  const RefinementRunRecord record = history().at(static_cast<std::size_t>(run - 1));
  const fs::path folder = structureFile().parent_path();
  const fs::path backup = folder / record.insBackup;
  if (record.insBackup.empty() || !fs::exists(backup))
    throw FileError(backup, "does not exist: the run's .ins is not kept");
  const model::StructureSnapshot before = model::takeSnapshot(s.structure);
  // The backup is read through the one open path; its save writes NAME.ins, keeping the NAME.ins
  // it replaces as a numbered backup.
  m_files.open(backup, OpenedFrom::Reopen);
  m_files.save();
  s.undo.record(before, "Restore run " + std::to_string(run));
  fillHistory();
}

WindowDeclaration RefinementCommands::declareRunWindow() {
  WindowDeclaration w = declaredWindow("RefineRun", "Refinement Run", "\"Refine\" shows it",
                                       [this] { return m_runWindow.visible; });
  w.placement = Placement::Centred;
  w.controls = {
      table("CycleGrid", [](const ControlInput&) {}),
      table("SummaryGrid", [](const ControlInput&) {}),
      press("Cancel", [this] { cancel(); }),
      press("Close", [this] { closeRunWindow(); }),
  };
  w.print = [this] {
    std::vector<std::string> lines{m_runWindow.status};
    for (std::string& line : gridPrintLines(m_runWindow.cycles))
      lines.push_back(std::move(line));
    if (m_runWindow.summary.rowCount() > 1)
      for (std::string& line : gridPrintLines(m_runWindow.summary))
        lines.push_back(std::move(line));
    for (const std::string& line : m_runWindow.messages)
      lines.push_back(line);
    return lines;
  };
  return w;
}

WindowDeclaration RefinementCommands::declareHistoryWindow() {
  WindowDeclaration w =
      declaredWindow("RefineHistory", "Refinement History", "\"Refinement History...\" shows it",
                     [this] { return m_historyWindow.visible && m_context.state.loaded; });
  w.placement = Placement::Centred;
  w.controls = {
      table("RunGrid",
            [this](const ControlInput& v) {
              // A row, or the top and bottom rows of a selection of two.
              const int first = intValue("RunGrid", v);
              selectRuns(first, v.size() > 1 ? intValue("RunGrid", v, 1) : 0);
            }),
      table("ComparisonGrid", [](const ControlInput&) {}),
      press("Compare", [this] { compareRuns(); }),
      press("Restore", [this] { restoreRun(); }),
      press("Close", [this] { closeHistory(); }),
  };
  w.print = [this] {
    std::vector<std::string> lines = gridPrintLines(m_historyWindow.runs);
    if (!m_historyWindow.comparisonCaption.empty()) {
      lines.push_back(m_historyWindow.comparisonCaption);
      for (std::string& line : gridPrintLines(m_historyWindow.comparison))
        lines.push_back(std::move(line));
    }
    return lines;
  };
  return w;
}

WindowDeclaration RefinementCommands::declareSettingsWindow() {
  WindowDeclaration w =
      declaredWindow("RefineSettings", "Refinement Program", "\"Refinement Program\" shows it",
                     [this] { return m_settingsWindow.visible; });
  w.placement = Placement::Centred;
  w.controls = {
      textField("ProgramPath", [this](const std::string& t) { setProgram(t); }, {"Program"}),
      textField("ProgramArguments", [this](const std::string& t) { setArguments(t); },
                {"Arguments"}),
      press("Browse", [this] { browseProgram(); }, {"Browse..."}),
      press("Save", [this] { saveSettings(); }),
      press("Close", [this] { closeSettings(); }),
  };
  w.print = [this] {
    return std::vector<std::string>{"Program: " + settings().program,
                                    "Arguments: " + settings().arguments};
  };
  return w;
}

}  // namespace tavo::workbench
