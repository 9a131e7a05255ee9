// The refinement loop: save, run, follow, read the listing, reopen, record.
#include "workbench/refinement_commands.h"

#include <cmath>
#include <cstdlib>

#include "model/atom_lookup.h"
#include "model/backups.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "model/instruction_writer.h"
#include "model/listing_file.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"

namespace tavo::workbench {

namespace {

namespace fs = std::filesystem;

/// The columns of three vectors.
struct Columns {
  model::Vec3 a, b, c;
};

model::Vec3 times(const Columns& m, const model::Vec3& v) {
  return v.x * m.a + v.y * m.b + v.z * m.c;
}

/// The inverse of the matrix whose columns are `m`: its rows are the cross products over the
/// determinant; written back as columns.
std::optional<Columns> inverse(const Columns& m) {
  const model::Vec3 r1 = model::cross(m.b, m.c);
  const model::Vec3 r2 = model::cross(m.c, m.a);
  const model::Vec3 r3 = model::cross(m.a, m.b);
  const double det = model::dot(m.a, r1);
  if (std::abs(det) < 1e-12) return std::nullopt;
  const double f = 1 / det;
  return Columns{f * model::Vec3{r1.x, r2.x, r3.x}, f * model::Vec3{r1.y, r2.y, r3.y},
                 f * model::Vec3{r1.z, r2.z, r3.z}};
}

std::vector<std::string> splitArguments(const std::string& text) {
  std::vector<std::string> words;
  for (const std::string_view w : text::splitWords(text))
    words.emplace_back(w);
  return words;
}

std::string figure(const std::optional<double>& value, int decimals) {
  return value ? text::formatFixed(*value, decimals) : "";
}

std::string change(const std::optional<double>& now, const std::optional<double>& before,
                   int decimals) {
  if (!now || !before) return "";
  const double d = *now - *before;
  const std::string fixed = text::formatFixed(d, decimals);
  return d > 0 ? "+" + fixed : fixed;
}

std::string extremeText(const std::optional<model::DensityExtreme>& e) {
  if (!e) return "";
  return text::formatFixed(e->height, 2) +
         (e->nearAtom.empty()
              ? ""
              : " (" + text::formatFixed(e->distance, 2) + " A from " + e->nearAtom + ")");
}

std::string outcomeText(RunPhase phase) {
  switch (phase) {
    case RunPhase::Succeeded:
      return std::string(runSucceeded);
    case RunPhase::Stopped:
      return std::string(runStopped);
    default:
      return std::string(runFailed);
  }
}

}  // namespace

std::string programNotFoundMessage(const std::string& program) {
  return "The refinement program '" + program +
         "' was not found: choose it in \"Refinement Program\" (Commands menu).";
}

RefinementCommands::RefinementCommands(CommandContext context, FileCommands& files)
    : m_context(context), m_files(files) {}

// Settings.

const RefinementSettings& RefinementCommands::settings() {
  if (!m_settings) {
    RefinementSettings read;
    const fs::path file = m_context.state.programFolder / refinementSettingsFileName;
    if (!m_context.state.programFolder.empty() && fs::exists(file)) {
      const std::vector<std::string> lines = model::loadFileLines(file);
      if (!lines.empty() && !lines[0].empty()) read.program = lines[0];
      if (lines.size() > 1) read.arguments = lines[1];
    }
    m_settings = read;
  }
  return *m_settings;
}

void RefinementCommands::setProgram(const std::string& program) {
  settings();
  m_settings->program = text::trimLine(program);
}

void RefinementCommands::setArguments(const std::string& arguments) {
  settings();
  m_settings->arguments = text::trimLine(arguments);
}

void RefinementCommands::browseProgram() {
  const fs::path current = findExecutable(settings().program);
  const std::optional<fs::path> chosen = m_context.dialogs.chooseFileToOpen(
      current.empty() ? fs::current_path() : current.parent_path(), "Programs (*)");
  if (chosen) setProgram(chosen->string());
}

void RefinementCommands::saveSettings() {
  if (m_context.state.programFolder.empty()) return;
  model::replaceFileLines(m_context.state.programFolder / refinementSettingsFileName,
                          {settings().program, settings().arguments});
}

void RefinementCommands::showSettings() {
  settings();
  m_settingsWindow.visible = true;
}

std::string RefinementCommands::effectiveProgram() {
  if (const char* program = std::getenv(refineProgramVariable); program && *program) return program;
  return settings().program;
}

// The run.

fs::path RefinementCommands::structureFile() const {
  return fs::absolute(m_context.state.structure.currentFile);
}

std::string RefinementCommands::keepInsCopy(const fs::path& ins) {
  const std::string base = (ins.parent_path() / ins.stem()).string() + ".";
  const std::vector<std::string> lines = model::readLinesAsWritten(ins);
  const int start = lines.empty() ? 0 : model::findStampedNumber(lines[0]).value_or(-1) + 1;
  const std::optional<int> number = model::findFreeBackupNumber(base, std::max(start, 0));
  if (!number) throw UserError(model::noFreeBackupMessage(ins));
  const fs::path backup = base + model::threeDigits(*number);
  model::replaceFileLines(backup, lines);
  return backup.filename().string();
}

void RefinementCommands::refine() {
  WorkbenchState& s = m_context.state;
  if (running()) throw UserError(std::string(refinementRunningMessage));
  if (!m_runner) throw UserError(std::string(noRunnerMessage));
  if (!s.loaded) throw UserError(model::nothingToSaveMessage);
  const std::string program = effectiveProgram();
  const fs::path executable = findExecutable(program);
  if (executable.empty()) throw UserError(programNotFoundMessage(program));
  // The save keeps an opened NAME.res as a numbered backup, moving it; the previous .res stays
  // in its place as well until the program writes the next one.
  const fs::path before = structureFile();
  const fs::path previousRes = before.parent_path() / (before.stem().string() + ".res");
  std::error_code ec;
  const std::optional<std::string> previousBytes =
      fs::exists(previousRes, ec) ? std::optional(model::loadFileText(previousRes)) : std::nullopt;
  m_files.save();
  if (s.importNotSaved) return;  // the user gave no name for the imported structure
  const fs::path ins = structureFile();
  m_runFolder = ins.parent_path();
  m_runName = ins.stem();
  const fs::path res = m_runFolder / (m_runName.string() + ".res");
  if (previousBytes && res == previousRes && !fs::exists(res, ec))
    model::replaceFileContents(res, *previousBytes);
  m_insBackup = keepInsCopy(ins);
  m_runTime = m_context.clock.dateTimeText();
  m_runLoad = s.loadCount;
  m_resBytesBefore = fs::exists(res, ec) ? model::loadFileText(res) : std::string();
  m_resBefore = fs::exists(res, ec) ? fs::last_write_time(res, ec) : fs::file_time_type::min();
  m_output = {};
  m_summary = {};
  m_status = {};
  m_reopened.clear();
  RefinementRunWindow& w = m_runWindow;
  w = {};
  w.visible = true;
  w.phase = RunPhase::Running;
  w.cyclesPlanned = 0;
  for (const std::string& line : s.structure.instructionLines) {
    const std::vector<std::string_view> words = text::splitWords(line);
    if (words.size() >= 2 && (text::upper(words[0]) == "L.S." || text::upper(words[0]) == "CGLS"))
      w.cyclesPlanned = text::findInt(words[1]).value_or(0);
  }
  w.status = "Running " + executable.filename().string() + " " + m_runName.string() + " in " +
             m_runFolder.string();
  fillCycles();
  ProgramLaunch launch{executable, splitArguments(settings().arguments), m_runFolder};
  launch.arguments.push_back(m_runName.string());
  m_runner->start(launch, *this);
}

void RefinementCommands::cancel() {
  if (running() && m_runner) m_runner->stop();
}

void RefinementCommands::closeRunWindow() {
  cancel();
  m_runWindow.visible = false;
}

void RefinementCommands::onOutput(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    m_runWindow.console.push_back(line);
    m_output.read(line);
  }
  fillCycles();
}

void RefinementCommands::fillCycles() {
  RefinementRunWindow& w = m_runWindow;
  w.cycles = text::TextGrid(1, 6);
  w.cycles.setRow(0, {"Cycle", "wR2", "GooF", "Restrained GooF", "Max shift/esd", "for"});
  int row = 1;
  for (const model::RefinementCycle& c : m_output.summary().cycles) {
    w.cycles.setRow(row++,
                    {std::to_string(c.number), figure(c.wR2, 4), figure(c.goof, 3),
                     figure(c.restrainedGoof, 3), figure(c.maxShift, 3), c.maxShiftParameter});
  }
  w.cyclesDone = static_cast<int>(m_output.summary().cycles.size());
  if (const auto planned = m_output.summary().plannedCycles) w.cyclesPlanned = *planned;
}

void RefinementCommands::onFinished(const ProgramStatus& status) {
  m_status = status;
  RefinementRunWindow& w = m_runWindow;
  const fs::path lst = m_runFolder / (m_runName.string() + ".lst");
  const fs::path res = m_runFolder / (m_runName.string() + ".res");
  // The listing is read only when this run wrote it: an older one would report another run.
  std::error_code ec;
  const bool freshListing = fs::exists(lst, ec) && fs::last_write_time(lst, ec) >= m_resBefore &&
                            status.end != ProgramEnd::NotStarted;
  m_summary =
      freshListing ? model::readRefinementListing(model::loadFileLines(lst)) : m_output.summary();
  fillCycles();
  const bool resWritten = fs::exists(res, ec) && (fs::last_write_time(res, ec) > m_resBefore ||
                                                  model::loadFileText(res) != m_resBytesBefore);
  bool errorNote = false;
  for (const std::string& note : m_summary.notes)
    errorNote = errorNote || model::isErrorNote(note);
  w.messages.clear();
  if (status.succeeded() && m_summary.finished() && resWritten && !errorNote) {
    finishSucceeded();
    return;
  }
  w.phase = status.end == ProgramEnd::Stopped || status.end == ProgramEnd::TimedOut
                ? RunPhase::Stopped
                : RunPhase::Failed;
  switch (status.end) {
    case ProgramEnd::Stopped:
      w.status = "Stopped: the program and its children were ended; nothing was reopened.";
      break;
    case ProgramEnd::TimedOut:
      w.status = "Timed out: the program ran too long and was stopped; nothing was reopened.";
      break;
    case ProgramEnd::NotStarted:
      w.status = "The program could not be started: " + status.message;
      break;
    case ProgramEnd::Crashed:
      w.status = "The program crashed (" + status.message + "); nothing was reopened.";
      break;
    case ProgramEnd::Exited:
      w.status = "The program failed (exit status " + std::to_string(status.exitCode) +
                 "); nothing was reopened.";
      break;
  }
  for (const std::string& note : m_summary.notes)
    if (model::isErrorNote(note)) w.messages.push_back(note);
  if (w.messages.empty()) {
    // No error line in the listing: the last lines of the output say what happened (or where
    // a stopped program was).
    const std::size_t n = w.console.size();
    for (std::size_t i = n > 8 ? n - 8 : 0; i < n; ++i)
      if (!text::trimLine(w.console[i]).empty()) w.messages.push_back(w.console[i]);
    if (!status.message.empty()) w.messages.push_back(status.message);
  }
  record(status.end == ProgramEnd::TimedOut ? std::string(runTimedOut) : outcomeText(w.phase));
  fillSummary(std::nullopt);
  if (m_historyWindow.visible) fillHistory();
}

void RefinementCommands::finishSucceeded() {
  RefinementRunWindow& w = m_runWindow;
  const fs::path res = m_runFolder / (m_runName.string() + ".res");
  std::optional<RefinementRunRecord> previous;
  for (const RefinementRunRecord& r : readHistory(historyFileOf(res)))
    if (r.outcome == runSucceeded) previous = r;
  w.phase = RunPhase::Succeeded;
  for (const std::string& note : m_summary.notes)
    w.messages.push_back(note);
  if (!m_summary.npdAtoms.empty()) {
    std::string atoms;
    for (const std::string& a : m_summary.npdAtoms)
      atoms += " " + a;
    w.messages.push_back("Non positive definite:" + atoms);
  }
  record(runSucceeded);
  fillSummary(previous);
  w.status = "Finished: R1 = " + figure(m_summary.r1Gt, 4) + ", wR2 = " + figure(m_summary.wR2, 4) +
             ", GooF = " + figure(m_summary.goof, 3) + "; " + res.filename().string() +
             (m_runLoad == m_context.state.loadCount ? " is open." : " (another file is open).");
  if (m_historyWindow.visible) fillHistory();
  // Reopened last: a .res that cannot be read leaves the summary and the record in place.
  if (m_runLoad == m_context.state.loadCount) reopenKeepingView(res);
}

void RefinementCommands::reopenKeepingView(const fs::path& res) {
  WorkbenchState& s = m_context.state;
  const view::ViewState view = s.view;
  const geometry::ViewFrame frame = s.frame;
  std::vector<std::string> labels;
  for (const model::AtomRef& r : s.selection.picked) {
    if (r.kind == model::AtomKind::Atom && r.index <= s.structure.nonHCount)
      labels.push_back(s.structure.atoms[r.index].label);
    if (r.kind == model::AtomKind::Hydrogen && r.index <= s.structure.hCount)
      labels.push_back(s.structure.hydrogens[r.index].label);
  }
  m_files.open(res, OpenedFrom::Reopen);
  m_reopened = res;
  // The rigid motion that takes the new (reset) frame to the orientation and shift of the old.
  const Columns before{frame.edgeA(), frame.edgeB(), frame.edgeC()};
  const std::optional<Columns> afterInverse =
      inverse({s.frame.edgeA(), s.frame.edgeB(), s.frame.edgeC()});
  if (afterInverse) {
    const Columns m{times(before, afterInverse->a), times(before, afterInverse->b),
                    times(before, afterInverse->c)};
    const model::Vec3 shift = frame.viewSlots[geometry::fractionalOriginSlot] -
                              times(m, s.frame.viewSlots[geometry::fractionalOriginSlot]);
    const auto move = [&](model::Vec3& p) { p = times(m, p) + shift; };
    model::StructureModel& st = s.structure;
    const int counts[4] = {0, st.workingAtomCount, st.workingHCount, st.workingPeakCount};
    for (std::size_t kind = 1; kind <= 3; ++kind) {
      model::Vec3* points = st.view[kind].upTo(counts[kind]);
      for (int i = 1; i <= counts[kind]; ++i)
        move(points[i]);
    }
    for (std::size_t slot = 1; slot <= 9; ++slot)
      move(s.frame.viewSlots[slot]);
    const view::PaneGeometry pane = s.view.paneGeometry();
    s.view = view;
    s.view.setPaneGeometry(pane);
    s.syncViewControls();
  }
  for (const std::string& label : labels)
    if (const auto ref = model::findAtomByLabel(s.structure, label))
      if (ref->kind != model::AtomKind::Peak) s.selection.append(s.structure, *ref);
  s.afterChange({.bonds = true, .redraw = true});
}

void RefinementCommands::record(std::string_view outcome) {
  RefinementRunRecord r;
  r.time = m_runTime;
  r.outcome = std::string(outcome);
  const model::RefinementSummary& m = m_summary;
  r.r1Gt = m.r1Gt;
  r.r1All = m.r1All;
  r.wR2 = m.wR2;
  r.goof = m.goof;
  if (const model::RefinementCycle* last = m.lastCycle()) r.maxShift = last->maxShift;
  r.parameters = m.parameters;
  r.restraints = m.restraints;
  r.cycles = static_cast<int>(m.cycles.size());
  r.insBackup = m_insBackup;
  appendHistory(historyFileOf(m_runFolder / (m_runName.string() + ".ins")), r);
}

void RefinementCommands::fillSummary(const std::optional<RefinementRunRecord>& previous) {
  RefinementRunWindow& w = m_runWindow;
  const model::RefinementSummary& m = m_summary;
  w.summary = text::TextGrid(1, 4);
  w.summary.setRow(0, {"Figure", "This run", "Previous run", "Change"});
  if (w.phase != RunPhase::Succeeded) return;
  const auto& p = previous;
  const model::RefinementCycle* last = m.lastCycle();
  const std::optional<double> maxShift = last ? last->maxShift : std::nullopt;
  const struct {
    std::string name;
    std::optional<double> now, before;
    int decimals;
  } rows[] = {
      {"R1 (Fo > 4sig(Fo))", m.r1Gt, p ? p->r1Gt : std::nullopt, 4},
      {"R1 (all data)", m.r1All, p ? p->r1All : std::nullopt, 4},
      {"wR2", m.wR2, p ? p->wR2 : std::nullopt, 4},
      {"GooF", m.goof, p ? p->goof : std::nullopt, 3},
      {"Restrained GooF", m.restrainedGoof, std::nullopt, 3},
      {"Max shift/esd", maxShift, p ? p->maxShift : std::nullopt, 3},
  };
  int r = 1;
  for (const auto& row : rows)
    w.summary.setRow(r++,
                     {row.name, figure(row.now, row.decimals), figure(row.before, row.decimals),
                      change(row.now, row.before, row.decimals)});
  w.summary.setRow(r++, {"Max shift/esd for", last ? last->maxShiftParameter : "", "", ""});
  w.summary.setRow(
      r++, {"Reflections (Fo > 4sig(Fo) / all)",
            std::to_string(m.reflectionsGt) + " / " + std::to_string(m.reflectionsAll), "", ""});
  w.summary.setRow(r++, {"Parameters", std::to_string(m.parameters),
                         p ? std::to_string(p->parameters) : "", ""});
  w.summary.setRow(r++, {"Restraints", std::to_string(m.restraints),
                         p ? std::to_string(p->restraints) : "", ""});
  w.summary.setRow(
      r++, {"Cycles", std::to_string(m.cycles.size()), p ? std::to_string(p->cycles) : "", ""});
  w.summary.setRow(r++, {"Highest peak", extremeText(m.highestPeak), "", ""});
  w.summary.setRow(r++, {"Deepest hole", extremeText(m.deepestHole), "", ""});
}

}  // namespace tavo::workbench
