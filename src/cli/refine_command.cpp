// tavo-cli refine: the workbench's Refine without a window.
#include "cli/refine_command.h"

#include <iostream>
#include <limits>

#include "cli/arguments.h"
#include "cli/headless_session.h"
#include "cli/json_writer.h"
#include "text/text.h"

namespace tavo::cli {

namespace {

constexpr const char* usage =
    "usage: tavo-cli refine FILE [--program PATH] [--timeout S] [--json] [--program-folder DIR]\n";

void writeJson(const workbench::RefinementCommands& refinement) {
  const model::RefinementSummary& s = refinement.lastSummary();
  JsonWriter json;
  json.beginObject();
  const auto optional = [&json](const char* name, const std::optional<double>& value) {
    json.key(name);
    json.value(value.value_or(std::numeric_limits<double>::quiet_NaN()));  // NaN is null
  };
  optional("R1_gt", s.r1Gt);
  optional("R1_all", s.r1All);
  optional("wR2", s.wR2);
  optional("goof", s.goof);
  optional("restrained_goof", s.restrainedGoof);
  json.key("cycles");
  json.value(static_cast<int>(s.cycles.size()));
  const model::RefinementCycle* last = s.lastCycle();
  optional("max_shift_su", last ? last->maxShift : std::nullopt);
  json.key("max_shift_parameter");
  json.value(last ? last->maxShiftParameter : "");
  json.key("parameters");
  json.value(s.parameters);
  json.key("restraints");
  json.value(s.restraints);
  optional("highest_peak", s.highestPeak ? std::optional(s.highestPeak->height) : std::nullopt);
  optional("deepest_hole", s.deepestHole ? std::optional(s.deepestHole->height) : std::nullopt);
  json.key("file");
  json.value(refinement.reopenedFile().string());
  json.key("warnings");
  json.beginArray();
  for (const std::string& line : refinement.runWindow().messages)
    json.value(line);
  json.endArray();
  json.endObject();
  std::cout << json.text() << '\n';
}

void printSummary(const workbench::RefinementCommands& refinement) {
  const workbench::RefinementRunWindow& w = refinement.runWindow();
  std::cout << w.status << '\n';
  for (int r = 1; r < w.summary.rowCount(); ++r) {
    std::string line = w.summary.cell(r, 0) + ": " + w.summary.cell(r, 1);
    if (!w.summary.cell(r, 2).empty())
      line += " (previous " + w.summary.cell(r, 2) +
              (w.summary.cell(r, 3).empty() ? "" : ", change " + w.summary.cell(r, 3)) + ")";
    std::cout << line << '\n';
  }
  for (const std::string& m : w.messages)
    std::cout << m << '\n';
}

}  // namespace

int runRefineCommand(const std::vector<std::string>& args) {
  const Arguments arguments =
      parseArguments(args, {"--json"}, {"--program", "--timeout", "--program-folder"});
  if (arguments.positional.size() != 1) {
    std::cerr << usage;
    return 2;
  }
  ConsoleDialogs dialogs;
  NullCanvas canvas;
  HeadlessSession session(dialogs, canvas, programFolderFrom(arguments.option("--program-folder")),
                          SessionUse::Edit);
  workbench::Workbench& bench = session.bench();
  workbench::RefinementCommands& refinement = bench.refinement();
  if (const auto program = arguments.option("--program"))
    refinement.setProgram(std::filesystem::absolute(*program).string());
  if (const auto timeout = arguments.option("--timeout"))
    session.runner().setTimeout(text::parseDouble(*timeout));
  const bool ran = session.open(arguments.positional[0]) && bench.run([&] { refinement.refine(); });
  for (const std::string& m : dialogs.shown)
    std::cerr << m << '\n';
  if (!ran) return 1;
  const workbench::RefinementRunWindow& w = refinement.runWindow();
  if (w.phase != workbench::RunPhase::Succeeded) {
    std::cerr << w.status << '\n';
    for (const std::string& m : w.messages)
      std::cerr << m << '\n';
    return 1;
  }
  if (arguments.flags.contains("--json"))
    writeJson(refinement);
  else
    printSummary(refinement);
  return 0;
}

}  // namespace tavo::cli
