// Line edits of the instruction lines with the markers found again after each.
#include "model/instruction_line_edits.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "model/shelxl_instructions.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

constexpr std::string_view continuationIndent = "     ";

bool startsWithBlank(std::string_view line) {
  return !line.empty() && static_cast<unsigned char>(line.front()) <= 32;
}

/// True when line `row` belongs to the card above it.
bool continuesCardAbove(const std::vector<std::string>& lines, int row) {
  return row > 0 && continuesOnNextLine(lines[static_cast<std::size_t>(row - 1)]);
}

void checkRow(const StructureModel& structure, int row) {
  if (row < 0 || row >= structure.lineCount()) {
    throw UserError("There is no instruction line " + std::to_string(row) + ".");
  }
}

}  // namespace

LineMarkers findLineMarkers(const std::vector<std::string>& lines) {
  LineMarkers m;
  for (int row = 1; row < static_cast<int>(lines.size()); ++row) {
    const std::string& line = lines[static_cast<std::size_t>(row)];
    if (startsWithBlank(line) || continuesCardAbove(lines, row)) continue;
    if (text::startsWithUpper(line, "CELL")) m.cellLine = row;
    if (text::startsWithUpper(line, "ZERR")) m.zerrLine = row;
    if (text::startsWithUpper(line, "SFAC")) m.sfacLine = row;
    if (text::startsWithUpper(line, "UNIT")) m.unitLine = row;
    if (text::startsWithUpper(line, "L.S.") || text::startsWithUpper(line, "CGLS")) m.lsLine = row;
    if (text::startsWithUpper(line, "FMAP")) m.fmapLine = row;
    if (text::startsWithUpper(line, "PLAN")) m.planLine = row;
    if (text::startsWithUpper(line, "EXTI")) m.extiLine = row;
    if (text::startsWithUpper(line, "WGHT")) m.wghtLine = row;
    if (text::startsWithUpper(line, "REM SPCG")) m.spcgLine = row;
  }
  return m;
}

void updateLineMarkers(StructureModel& structure) {
  structure.markers = findLineMarkers(structure.instructionLines);
}

std::string editedLineText(const StructureModel& structure, int row, std::string_view text) {
  checkRow(structure, row);
  std::string trimmed = text::trimLine(text);
  if (row == 0) {
    if (!isTitlLine(trimmed)) throw UserError(std::string(titlTextMessage));
    return trimmed;
  }
  const std::string& old = structure.instructionLines[static_cast<std::size_t>(row)];
  if (startsWithBlank(old)) {
    const std::size_t blanks = old.find_first_not_of(" \t");
    return old.substr(0, blanks == std::string::npos ? old.size() : blanks) + trimmed;
  }
  if (continuesCardAbove(structure.instructionLines, row)) {
    return std::string(continuationIndent) + trimmed;
  }
  return trimmed;
}

void replaceInstructionLine(StructureModel& structure, int row, std::string_view text) {
  std::string line = editedLineText(structure, row, text);
  structure.instructionLines[static_cast<std::size_t>(row)] = std::move(line);
  updateLineMarkers(structure);
}

std::pair<int, int> cardLinesAround(const std::vector<std::string>& lines, int row) {
  // Each line's card start, walking down: while a card goes on (a line of it ends with "="),
  // the lines below belong to it; a comment line inside a card keeps it open.
  int start = 0;
  const int last = static_cast<int>(lines.size()) - 1;
  bool open = false;
  for (int r = 1; r <= last; ++r) {
    const std::string& line = lines[static_cast<std::size_t>(r)];
    if (!open) {
      if (r > row) return {start, r - 1};
      start = r;
      open = continuesOnNextLine(line);
    } else if (!isRemLine(line) && !text::trimLine(line).empty()) {
      open = continuesOnNextLine(line);
    }
  }
  return {start, last};
}

int deleteInstructionCard(StructureModel& structure, int row) {
  checkRow(structure, row);
  if (row == 0) throw UserError(std::string(titlStaysMessage));
  const auto [first, last] = cardLinesAround(structure.instructionLines, row);
  auto& lines = structure.instructionLines;
  lines.erase(lines.begin() + first, lines.begin() + last + 1);
  updateLineMarkers(structure);
  return last - first + 1;
}

int moveInstructionCard(StructureModel& structure, int row, bool up) {
  checkRow(structure, row);
  if (row == 0) throw UserError(std::string(titlStaysMessage));
  auto& lines = structure.instructionLines;
  const auto [first, last] = cardLinesAround(lines, row);
  int from = 0, to = 0;  // the other card
  if (up) {
    if (first <= 1) return row;
    std::tie(from, to) = cardLinesAround(lines, first - 1);
    if (from == 0) return row;
    std::rotate(lines.begin() + from, lines.begin() + first, lines.begin() + last + 1);
    updateLineMarkers(structure);
    return row - (to - from + 1);
  }
  if (last + 1 >= structure.lineCount()) return row;
  std::tie(from, to) = cardLinesAround(lines, last + 1);
  std::rotate(lines.begin() + first, lines.begin() + from, lines.begin() + to + 1);
  updateLineMarkers(structure);
  return row + (to - from + 1);
}

}  // namespace tavo::model
