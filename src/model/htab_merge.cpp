// The HTAB merge of a .res file.
#include "model/htab_merge.h"

#include <filesystem>
#include <fstream>

#include "model/dialogs.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

constexpr std::string_view suggestionHeading = "REM Instructions for potential hydrogen bonds";

void writeCheckFile(const StructureModel& structure) {
  // The folder of the file being read: the working folder once the read has succeeded.
  const std::filesystem::path file =
      std::filesystem::path(structure.currentFile).parent_path() / htabCheckFileName;
  std::ofstream out(file, std::ios::binary);
  for (const std::string& line : structure.instructionLines)
    out << line << "\r\n";
  if (!out) throw FileError(file, "cannot be written");
}

}  // namespace

void mergeHtabSuggestions(StructureModel& structure, Dialogs& dialogs) {
  int bare = 0;
  for (int i = 1; i < structure.lineCount(); ++i) {
    const std::string& line = structure.instructionLines[static_cast<std::size_t>(i)];
    if (text::startsWithUpper(line, "HTAB") && text::trimLine(line) == "HTAB") bare = i;
  }
  if (bare == 0) return;
  const std::string_view file = structure.currentFile;
  if (file.size() < 3 || text::upper(file.substr(file.size() - 3)) != "RES") return;
  const std::vector<std::string>& rows = structure.fileLines;
  const int last = static_cast<int>(rows.size()) - 1;
  int heading = 1;
  while (heading < last && rows[static_cast<std::size_t>(heading)] != suggestionHeading)
    ++heading;
  if (heading >= last) {
    dialogs.message(noHtabSuggestionsMessage);
    return;
  }
  const int first = heading + 1;
  int blank = first;
  while (blank < last && !rows[static_cast<std::size_t>(blank)].empty())
    ++blank;
  if (blank >= last || blank == first) {
    dialogs.message(htabProblemMessage);
    return;
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
  writeCheckFile(structure);
  dialogs.message(htabMergedMessage);
}

}  // namespace tavo::model
