// The HTAB merge of a .res file.
#include "model/htab_merge.h"

#include <filesystem>
#include <string>

#include "model/dialogs.h"
#include "model/file_replace.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

constexpr std::string_view suggestionHeading = "REM Instructions for potential hydrogen bonds";

}  // namespace

void writeHtabCheckFile(const StructureModel& structure) {
  const std::filesystem::path file =
      std::filesystem::path(structure.currentFile).parent_path() / htabCheckFileName;
  std::string bytes;
  for (const std::string& line : structure.instructionLines) {
    bytes += line;
    bytes += "\r\n";
  }
  replaceFileContents(file, bytes);
}

bool mergeHtabSuggestions(StructureModel& structure, Dialogs& dialogs) {
  int bare = 0;
  for (int i = 1; i < structure.lineCount(); ++i) {
    const std::string& line = structure.instructionLines[static_cast<std::size_t>(i)];
    if (text::startsWithUpper(line, "HTAB") && text::trimLine(line) == "HTAB") bare = i;
  }
  if (bare == 0) return false;
  const std::string_view file = structure.currentFile;
  if (file.size() < 3 || text::upper(file.substr(file.size() - 3)) != "RES") return false;
  const std::vector<std::string>& rows = structure.fileLines;
  const int last = static_cast<int>(rows.size()) - 1;
  int heading = 1;
  while (heading < last && rows[static_cast<std::size_t>(heading)] != suggestionHeading)
    ++heading;
  if (heading >= last) {
    dialogs.message(noHtabSuggestionsMessage);
    return false;
  }
  const int first = heading + 1;
  int blank = first;
  while (blank < last && !rows[static_cast<std::size_t>(blank)].empty())
    ++blank;
  // SHELXL found no hydrogen bond to suggest: the bare card stays, as valid as before.
  if (blank == first) return false;
  if (blank >= last) {
    dialogs.message(std::string(htabProblemMessage) + " " +
                    std::filesystem::path(structure.currentFile).filename().string() +
                    ": the HTAB cards after \"" + std::string(suggestionHeading) +
                    "\" do not end with an empty line; the bare HTAB card is kept as it is.");
    return false;
  }
  const int lastSuggestion = blank - 1;
  const int added = lastSuggestion - first;
  if (structure.lineCount() + added > structure.limits.cmdMax) {
    throw UserError(limitExceededMessage("instruction lines", "cmd_max", structure.limits.cmdMax));
  }
  auto& lines = structure.instructionLines;
  lines.erase(lines.begin() + bare);
  lines.insert(lines.begin() + bare, rows.begin() + first, rows.begin() + lastSuggestion + 1);
  // Every marker below the card moves, REM SPCG and the others included.
  LineMarkers& m = structure.markers;
  for (int* marker : {&m.cellLine, &m.zerrLine, &m.sfacLine, &m.unitLine, &m.lsLine, &m.fmapLine,
                      &m.planLine, &m.extiLine, &m.wghtLine, &m.spcgLine}) {
    if (*marker > bare) *marker += added;
  }
  return true;
}

}  // namespace tavo::model
