// The refinement loop: Refine saves the .ins, runs the refinement program in the structure's
// folder as `PROGRAM [arguments] NAME`, follows its output, and on success opens the new .res
// keeping the view and the Selection, shows the listing's summary against the previous run and
// records the run in the history beside the structure. The run window, the history window and
// the settings of the program.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/refinement_listing.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/file_commands.h"
#include "workbench/program_runner.h"
#include "workbench/refinement_history.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// The settings file of the refinement program in the program folder: the program (a path, or
/// a name found on PATH) on the first line, the extra arguments on the second.
inline constexpr std::string_view refinementSettingsFileName = "refine.inf";
/// The environment variable that, when set, names the program in place of the settings.
inline constexpr const char* refineProgramVariable = "TAVO_REFINE_PROGRAM";
inline constexpr std::string_view defaultRefinementProgram = "shelxl";

inline constexpr std::string_view refinementRunningMessage =
    "The refinement program is still running: wait for it or press Cancel.";
inline constexpr std::string_view noRunnerMessage =
    "This program cannot start the refinement program.";
inline constexpr std::string_view chooseTwoRunsMessage =
    "Choose two runs of the history (select both rows) to compare them.";
inline constexpr std::string_view chooseOneRunMessage = "Choose the run whose .ins to restore.";
std::string programNotFoundMessage(const std::string& program);

struct RefinementSettings {
  std::string program = std::string(defaultRefinementProgram);
  std::string arguments;
  friend bool operator==(const RefinementSettings&, const RefinementSettings&) = default;
};

/// Where a run stands.
enum class RunPhase { Idle, Running, Succeeded, Failed, Stopped };

/// The window model of "Refinement Run".
struct RefinementRunWindow {
  bool visible = false;
  RunPhase phase = RunPhase::Idle;
  std::string status;                 // RunStatus: what the run is doing or how it ended
  std::vector<std::string> console;   // ConsolePane: the program's output
  text::TextGrid cycles;              // CycleGrid: one row per least-squares cycle
  int cyclesDone = 0;                 // RunProgress: cycles done of cyclesPlanned
  int cyclesPlanned = 0;              // L.S. (or CGLS) of the file; 0 when unknown
  text::TextGrid summary;             // SummaryGrid: figure, this run, previous run, change
  std::vector<std::string> messages;  // MessageLines: errors of a failure, warnings otherwise
};

/// The window model of "Refinement History".
struct RefinementHistoryWindow {
  bool visible = false;
  text::TextGrid runs;              // RunGrid: one row per run, oldest first
  int firstRun = 0, secondRun = 0;  // the runs selected (1-based), 0 when none
  std::string comparisonCaption;    // what ComparisonGrid compares
  text::TextGrid comparison;        // ComparisonGrid: atom, change, distance
};

/// The window model of "Refinement Program".
struct RefinementSettingsWindow {
  bool visible = false;
};

class RefinementCommands final : public ProgramListener {
 public:
  RefinementCommands(CommandContext context, FileCommands& files);
  RefinementCommands(const RefinementCommands&) = delete;
  RefinementCommands& operator=(const RefinementCommands&) = delete;

  /// The port that runs the program; set by the edge (the Qt program, tavo-cli).
  void setRunner(ProgramRunner* runner) { m_runner = runner; }
  ProgramRunner* runner() const { return m_runner; }

  // Settings.
  /// The settings of the program folder (read once; the defaults without a file).
  const RefinementSettings& settings();
  void setProgram(const std::string& program);
  void setArguments(const std::string& arguments);
  /// "Browse": the open dialog chooses the program.
  void browseProgram();
  /// "Save": writes refine.inf into the program folder.
  void saveSettings();
  void showSettings();
  void closeSettings() { m_settingsWindow.visible = false; }
  /// The program a run starts: TAVO_REFINE_PROGRAM when set, else the settings'.
  std::string effectiveProgram();

  // The run.
  /// "Refine": saves the .ins through the one save path, keeps a copy of it as a numbered
  /// backup, shows the run window and starts the program. UserError when no structure is open,
  /// a run is going on or the program is not found.
  void refine();
  /// "Cancel": stops the program and its children; nothing is reopened.
  void cancel();
  void closeRunWindow();
  bool running() const { return m_runWindow.phase == RunPhase::Running; }

  void onOutput(const std::vector<std::string>& lines) override;
  void onFinished(const ProgramStatus& status) override;

  /// The summary of the last run's listing (or of its output when it wrote no listing).
  const model::RefinementSummary& lastSummary() const { return m_summary; }
  /// The .res opened after the last successful run; empty otherwise.
  const std::filesystem::path& reopenedFile() const { return m_reopened; }
  const ProgramStatus& lastStatus() const { return m_status; }

  // The history.
  void toggleHistory();
  void closeHistory() { m_historyWindow.visible = false; }
  /// The runs of the open structure, oldest first.
  std::vector<RefinementRunRecord> history() const;
  /// Selects runs `first` and `second` (1-based; `second` 0 for one run).
  void selectRuns(int first, int second);
  /// "Compare": atoms added, removed and moved more than 0.1 Å from the first run selected to
  /// the second.
  void compareRuns();
  /// "Restore": the selected run's .ins becomes the model and is saved as the next .ins (the
  /// .ins it replaces kept as a numbered backup); "Undo Last Edit" takes the model back.
  void restoreRun();

  const RefinementRunWindow& runWindow() const { return m_runWindow; }
  const RefinementHistoryWindow& historyWindow() const { return m_historyWindow; }
  const RefinementSettingsWindow& settingsWindow() const { return m_settingsWindow; }

  WindowDeclaration declareRunWindow();
  WindowDeclaration declareHistoryWindow();
  WindowDeclaration declareSettingsWindow();

 private:
  std::filesystem::path structureFile() const;
  /// Copies the saved .ins to the next free numbered backup; its file name.
  std::string keepInsCopy(const std::filesystem::path& ins);
  void finishSucceeded();
  /// Opens the new .res keeping the orientation, zoom and the Selection by labels.
  void reopenKeepingView(const std::filesystem::path& res);
  void record(std::string_view outcome);
  void fillCycles();
  void fillSummary(const std::optional<RefinementRunRecord>& previous);
  void fillHistory();

  CommandContext m_context;
  FileCommands& m_files;
  ProgramRunner* m_runner = nullptr;
  std::optional<RefinementSettings> m_settings;
  RefinementRunWindow m_runWindow;
  RefinementHistoryWindow m_historyWindow;
  RefinementSettingsWindow m_settingsWindow;
  model::RefinementListingReader m_output;  // the console lines read as they come
  model::RefinementSummary m_summary;
  ProgramStatus m_status;
  std::filesystem::path m_runFolder, m_runName;  // the structure of the run: folder, NAME
  std::string m_runTime, m_insBackup;
  int m_runLoad = -1;  // the structure read (loadCount) the run belongs to
  std::filesystem::file_time_type m_resBefore;
  std::string m_resBytesBefore;  // NAME.res as it was before the run
  std::filesystem::path m_reopened;
};

}  // namespace tavo::workbench
