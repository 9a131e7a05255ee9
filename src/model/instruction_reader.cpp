// Reading an instruction file into the structure model.
#include "model/instruction_reader.h"

#include <algorithm>
#include <fstream>
#include <memory>

#include "model/atom_line.h"
#include "model/atom_list_reader.h"
#include "model/dialogs.h"
#include "model/element_definitions.h"
#include "model/free_variables.h"
#include "model/htab_merge.h"
#include "model/instruction_part.h"
#include "model/load_checks.h"
#include "model/shelxl_instructions.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

// The rows of the file, the .res heading (file name and "created" line) removed.
struct FileRows {
  std::vector<std::string> rows;
  std::vector<std::string> raw;  // as written where a row has leading blanks, "" elsewhere
  std::vector<int> lineNumbers;
};

bool isPreambleLine(const std::string& line) {
  return line.empty() || text::startsWithUpper(line, "REM") ||
         line.find(".res created by") != std::string::npos;
}

void moveTitlToTheTop(FileRows& rows);

FileRows readRows(std::vector<std::string> lines) {
  FileRows result;
  // The lines come with their ends trimmed; a row is its line without the leading blanks, and
  // only a line that has some keeps a copy as written.
  result.rows = std::move(lines);
  result.raw.resize(result.rows.size());
  result.lineNumbers.resize(result.rows.size());
  for (std::size_t i = 0; i < result.rows.size(); ++i) {
    std::string& row = result.rows[i];
    std::size_t lead = 0;
    while (lead < row.size() && static_cast<unsigned char>(row[lead]) <= 32)
      ++lead;
    if (lead > 0) {
      result.raw[i] = row;
      row.erase(0, lead);
    }
    result.lineNumbers[i] = static_cast<int>(i) + 1;
  }
  // The heading SHELXL writes right below TITL goes, also when REM lines stand above TITL.
  const auto t = static_cast<std::size_t>(std::max(titlRow(result.rows), 0));
  if (result.rows.size() > t + 2 && text::endsWith(result.rows[t + 1], ".res") &&
      result.rows[t + 2].starts_with("created")) {
    for (auto* column : {&result.rows, &result.raw}) {
      column->erase(column->begin() + static_cast<std::ptrdiff_t>(t) + 1,
                    column->begin() + static_cast<std::ptrdiff_t>(t) + 3);
    }
    result.lineNumbers.erase(result.lineNumbers.begin() + static_cast<std::ptrdiff_t>(t) + 1,
                             result.lineNumbers.begin() + static_cast<std::ptrdiff_t>(t) + 3);
  }
  moveTitlToTheTop(result);
  return result;
}

// SHELXT and SHELXL-2014 put REM lines, blank lines or a "name.res created by SHELXL" heading
// above TITL. TITL goes first, the REM lines follow it (so none is lost on save), the blank lines
// and the heading (which a later SHELXL writes below TITL and the reader drops there) go.
void moveTitlToTheTop(FileRows& rows) {
  const int t = titlRow(rows.rows);
  if (t <= 0) return;
  FileRows result;
  const auto take = [&](std::size_t r) {
    result.rows.push_back(rows.rows[r]);
    result.raw.push_back(rows.raw[r]);
    result.lineNumbers.push_back(rows.lineNumbers[r]);
  };
  take(static_cast<std::size_t>(t));
  for (std::size_t r = 0; r < static_cast<std::size_t>(t); ++r) {
    if (text::startsWithUpper(rows.rows[r], "REM")) take(r);
  }
  for (std::size_t r = static_cast<std::size_t>(t) + 1; r < rows.rows.size(); ++r)
    take(r);
  rows = std::move(result);
}

int findRow(const std::vector<std::string>& rows, int from, std::string_view prefix) {
  for (int r = from; r < static_cast<int>(rows.size()); ++r) {
    if (text::startsWithUpper(rows[static_cast<std::size_t>(r)], prefix)) return r;
  }
  return -1;
}

// A solution file has no FVAR: its atom list starts at the first row that has the shape of an
// atom or peak line (a label that starts with a letter and is no instruction name, a whole SFAC
// number, three numbers at least). A CELL or REM line, or the continuation row of a long SFAC
// card, does not start it, wherever the REM lines that solution programs write above TITL have
// moved it.
int firstSolutionRow(const std::vector<std::string>& rows) {
  for (int r = 1; r < static_cast<int>(rows.size()); ++r) {
    const std::string blanks = tabsToBlanks(rows[static_cast<std::size_t>(r)]);
    const auto words = text::splitWords(blanks);
    if (words.size() < 5 || isInstructionName(words[0])) continue;
    const char c = words[0].front();
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (letter && text::findInt(words[1]) && text::findDouble(words[2])) return r;
  }
  return -1;
}

std::string firstWordUpper(const std::string& row) {
  const std::string blanks = tabsToBlanks(row);
  const auto words = text::splitWords(blanks);
  return words.empty() ? std::string() : text::upper(words.front());
}

// The rows between HKLF and END as written, peak lines left out (peaks are never written) and
// WGHT lines too (a suggestion there has become the WGHT card, and kept it would replace the
// user's card again at the next open); without an END only the continuation rows of HKLF,
// since what follows may be peaks.
std::vector<std::string> hklfTrailerOf(const SourceRows& source, int hklfRow) {
  const int last = static_cast<int>(source.rows.size()) - 1;
  const auto row = [&](int r) -> const std::string& {
    return source.rows[static_cast<std::size_t>(r)];
  };
  int end = -1;
  for (int r = hklfRow + 1; r <= last && end < 0; ++r) {
    if (firstWordUpper(row(r)) == "END") end = r;
  }
  std::vector<std::string> trailer;
  if (end < 0) {
    for (int r = hklfRow; r < last && splitRow(row(r)).continues; ++r)
      trailer.push_back(source.rawRow(r + 1));
    return trailer;
  }
  for (int r = hklfRow + 1; r < end; ++r) {
    const std::string blanks = tabsToBlanks(row(r));
    const auto words = text::splitWords(blanks);
    if (!words.empty() && (isPeakLabel(words.front()) || text::upper(words.front()) == "WGHT"))
      continue;
    trailer.push_back(source.rawRow(r));
  }
  return trailer;
}

void checkDefinitions(const StructureModel& structure, const ElementDefinitions& definitions,
                      const SourceRows& source, Dialogs& dialogs) {
  for (int e = 1; e <= structure.elementCount; ++e) {
    const std::string& symbol = structure.elements[e].symbol;
    if (definitions.findRow(symbol)) continue;
    dialogs.message(source.fileName + ": the SFAC element '" + symbol +
                    "' has no definition in elems.inf; its atoms are drawn with radius 0 and "
                    "never bonded.");
  }
}

// Fills `structure` from its currentFile; returns true when SHELXL's HTAB suggestions were merged.
// `lines`, when given, are read in place of the file (an import held in memory).
bool readInto(StructureModel& structure, const ElementDefinitions& definitions, Dialogs& dialogs,
              const std::vector<std::string>* lines = nullptr) {
  const std::filesystem::path file(structure.currentFile);
  FileRows fileRows = readRows(lines ? *lines : loadRawFileLines(file));
  // The model keeps the rows as its FileLines; the read works on them there.
  structure.fileLines = std::move(fileRows.rows);
  const SourceRows source{structure.fileLines, fileRows.raw, fileRows.lineNumbers,
                          file.filename().string()};
  structure.allocate();
  structure.resetForLoad();

  readFreeVariables(structure, source);
  const int fvarRow =
      structure.noFvar ? firstSolutionRow(source.rows) : findRow(source.rows, 1, "FVAR");
  if (fvarRow < 0) throw UserError(source.fileName + ": there is no atom.");
  int hklfRow = findRow(source.rows, fvarRow, "HKLF");
  const bool hasHklf = hklfRow >= 0;
  if (!hasHklf) {
    // Files written by other programs may end the atom list with END, or with the file.
    hklfRow = static_cast<int>(source.rows.size());
    for (int r = fvarRow; r < hklfRow; ++r) {
      if (firstWordUpper(source.rows[static_cast<std::size_t>(r)]) == "END") hklfRow = r;
    }
    dialogs.message(source.fileName + ": " + std::string(noHklfMessage));
  }
  structure.rows.fvarRow = fvarRow;
  structure.rows.firstAtomRow = fvarRow;
  structure.rows.lastAtomRow = hklfRow - 1;
  structure.rows.lastRow = static_cast<int>(source.rows.size()) - 1;

  readInstructionLines(structure, source, fvarRow);
  if (hasHklf) {
    structure.hklfLine = source.rows[static_cast<std::size_t>(hklfRow)];
    structure.hklfTrailer = hklfTrailerOf(source, hklfRow);
  }
  readElements(structure, source);
  checkDefinitions(structure, definitions, source, dialogs);
  definitions.assignElementData(structure);
  readCell(structure, source, dialogs);

  if (structure.markers.lsLine == 0) dialogs.message(noLsLineMessage);
  const bool htabMerged = mergeHtabSuggestions(structure, dialogs);
  readRemSpcg(structure);
  takeSuggestedWeights(structure, source, hklfRow - 1);

  bool peakAdopted = false;
  if (structure.noFvar) {
    peakAdopted = readSolutionAtoms(structure, source, fvarRow, hklfRow, structure.rows.lastRow);
  } else {
    readAtomList(structure, source, fvarRow, hklfRow - 1);
    readPeaks(structure, source, hklfRow);
  }
  if (structure.workingAtomCount == 0 && structure.workingHCount == 0) {
    throw UserError(source.fileName + ": there is no atom.");
  }
  if (peakAdopted) dialogs.message(heaviestPeakMessage);

  structure.nonHCount = structure.workingAtomCount;
  structure.hCount = structure.workingHCount;
  structure.peakCount = structure.workingPeakCount;
  compactFreeVariables(structure);
  runLoadChecks(structure, dialogs);
  return htabMerged;
}

// The check file of a merge is written only after the read has succeeded; a folder that cannot
// take it (a read-only one) does not make the read fail.
void reportHtabMerge(const StructureModel& structure, Dialogs& dialogs,
                     const ReadOptions& options) {
  if (options.writeFiles) {
    try {
      writeHtabCheckFile(structure);
    } catch (const FileError& error) {
      dialogs.message(error.what());
    }
  }
  dialogs.message(htabMergedMessage);
}

}  // namespace

int titlRow(const std::vector<std::string>& lines) {
  for (std::size_t r = 0; r < lines.size(); ++r) {
    const std::string& line = lines[r];
    if (text::startsWithUpper(line, "TITL")) return static_cast<int>(r);
    if (!isPreambleLine(line)) return -1;
  }
  return -1;
}

bool startsWithTitl(const std::vector<std::string>& lines) {
  return titlRow(lines) >= 0;
}

bool fileStartsWithTitl(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read");
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    // As loadRawFileLines() reads them: no byte-order mark, carriage returns alone end lines.
    if (first && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    first = false;
    std::string_view rest(line);
    while (true) {
      const std::size_t cr = rest.find('\r');
      const std::string row = text::trimLine(rest.substr(0, cr));
      if (text::startsWithUpper(row, "TITL")) return true;
      if (!isPreambleLine(row)) return false;
      if (cr == std::string_view::npos) break;
      rest.remove_prefix(cr + 1);
    }
  }
  if (in.bad()) throw FileError(file, "cannot be read");
  return false;
}

void readStructure(StructureModel& structure, const ElementDefinitions& definitions,
                   Dialogs& dialogs, const ReadOptions& options) {
  // Read into a scratch model so that a failed read never leaves a half-filled structure that a
  // later save could write over the user's file.
  auto scratch = std::make_unique<StructureModel>();
  scratch->limits = structure.limits;
  scratch->programFolder = structure.programFolder;
  scratch->workingFolder = structure.workingFolder;
  scratch->currentFile = structure.currentFile;
  scratch->workingGrid = structure.workingGrid;
  const bool htabMerged = readInto(*scratch, definitions, dialogs);
  structure = std::move(*scratch);
  if (htabMerged) reportHtabMerge(structure, dialogs, options);
}

void readStructureFromLines(StructureModel& structure, const std::vector<std::string>& lines,
                            const ElementDefinitions& definitions, Dialogs& dialogs) {
  auto scratch = std::make_unique<StructureModel>();
  scratch->limits = structure.limits;
  scratch->programFolder = structure.programFolder;
  scratch->workingFolder = structure.workingFolder;
  scratch->currentFile = structure.currentFile;
  readInto(*scratch, definitions, dialogs, &lines);
  structure = std::move(*scratch);
}

bool loadInstructionFile(StructureModel& structure, const std::filesystem::path& file,
                         const ElementDefinitions& definitions, Dialogs& dialogs,
                         std::string_view notTitlMessage, const ReadOptions& options) {
  try {
    if (!fileStartsWithTitl(file)) {
      if (!notTitlMessage.empty()) dialogs.message(notTitlMessage);
      return false;
    }
    const std::filesystem::path absolute = std::filesystem::absolute(file);
    const std::string previousFile = structure.currentFile;
    const std::string previousFolder = structure.workingFolder;
    structure.currentFile = absolute.string();
    try {
      readStructure(structure, definitions, dialogs, options);
    } catch (...) {
      structure.currentFile = previousFile;
      structure.workingFolder = previousFolder;
      throw;
    }
    structure.workingFolder = absolute.parent_path().string();
    return true;
  } catch (const UserError& error) {
    dialogs.message(error.what());
    return false;
  }
}

}  // namespace tavo::model
