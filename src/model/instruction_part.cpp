// Reading the cards before the atom list.
#include "model/instruction_part.h"

#include "model/atom_line.h"
#include "model/atom_list_reader.h"
#include "model/dialogs.h"
#include "model/rem_spcg.h"
#include "model/shelxl_instructions.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

// The words after the card name of the card that starts at `row`, continuation rows included.
std::vector<std::string> cardNumbersText(const std::vector<std::string>& rows, int row,
                                         int lastRow) {
  std::vector<std::string> words;
  bool first = true;
  bool continues = true;
  for (int r = row; continues && r <= lastRow; ++r) {
    const RowCode code = splitRow(rows[static_cast<std::size_t>(r)]);
    for (std::string_view word : text::splitWords(code.code)) {
      if (first) {
        first = false;
        continue;
      }
      words.emplace_back(word);
    }
    continues = code.continues;
  }
  return words;
}

// A row that starts with a blank and holds no instruction: SHELXL takes it for a comment (the
// heading lines of a .res are such rows), so it keeps its blanks. Written from column 1 it
// would become an instruction.
bool indentedText(const SourceRows& source, int line) {
  const std::string& raw = source.rawRow(line);
  if (raw.empty() || static_cast<unsigned char>(raw.front()) > 32) return false;
  const std::string blanks = tabsToBlanks(raw);
  const auto words = text::splitWords(blanks);
  return !words.empty() && !isInstructionName(words.front());
}

double parseAt(const SourceRows& source, int row, std::string_view word) {
  try {
    return text::parseDouble(word);
  } catch (const ConversionError& error) {
    throw ConversionError(source.where(row) + error.what());
  }
}

}  // namespace

void readFreeVariables(StructureModel& structure, const SourceRows& source) {
  const int last = static_cast<int>(source.rows.size()) - 1;
  for (int r = 0; r <= last; ++r) {
    const std::string& row = source.rows[static_cast<std::size_t>(r)];
    if (!text::startsWithUpper(row, "FVAR")) continue;
    for (const std::string& word : cardNumbersText(source.rows, r, last)) {
      structure.addFvar(parseAt(source, r, word));
    }
    // The cards are written anew; what was said after "!" on them goes with the first.
    for (int k = r; k <= last; ++k) {
      const RowCode code = splitRow(source.rows[static_cast<std::size_t>(k)]);
      if (!code.comment.empty()) {
        structure.fvarComment += structure.fvarComment.empty() ? code.comment : " " + code.comment;
      }
      if (!code.continues) break;
    }
  }
  structure.noFvar = structure.fvarCount == 0;
}

void readInstructionLines(StructureModel& structure, const SourceRows& source, int fvarRow) {
  if (fvarRow > structure.limits.cmdMax) {
    throw UserError(source.fileName + ": " +
                    limitExceededMessage("instruction lines", "cmd_max", structure.limits.cmdMax));
  }
  LineMarkers& m = structure.markers;
  m = {};
  structure.instructionLines.clear();
  bool continues = false;  // the line before ends a card with "=" and takes this one with it
  for (int line = 0; line < fvarRow; ++line) {
    const std::string& row = source.rows[static_cast<std::size_t>(line)];
    if (continues && rowsBeforeContinuation(source, line, fvarRow - 1) > 0) {
      // A blank, comment or REM row inside a card: kept as it stands, the card goes on below.
      structure.instructionLines.push_back(row);
      continue;
    }
    const bool continuation = continues;
    continues = continuesOnNextLine(row);
    if (continuation) {
      structure.instructionLines.push_back("     " + row);
      continue;
    }
    structure.instructionLines.push_back(indentedText(source, line) ? source.rawRow(line) : row);
    if (text::startsWithUpper(row, "CELL")) m.cellLine = line;
    if (text::startsWithUpper(row, "ZERR")) m.zerrLine = line;
    if (text::startsWithUpper(row, "SFAC")) m.sfacLine = line;
    if (text::startsWithUpper(row, "UNIT")) m.unitLine = line;
    if (text::startsWithUpper(row, "L.S.") || text::startsWithUpper(row, "CGLS")) m.lsLine = line;
    if (text::startsWithUpper(row, "FMAP")) m.fmapLine = line;
    if (text::startsWithUpper(row, "PLAN")) m.planLine = line;
    if (text::startsWithUpper(row, "EXTI")) m.extiLine = line;
    if (text::startsWithUpper(row, "WGHT")) m.wghtLine = line;
    if (text::startsWithUpper(row, "REM SPCG")) m.spcgLine = line;
  }
}

void readElements(StructureModel& structure, const SourceRows& source) {
  const int last = structure.lineCount() - 1;
  int unitRow = 0;
  bool sfacFound = false;
  for (int r = 1; r <= last; ++r) {
    const std::string& row = source.rows[static_cast<std::size_t>(r)];
    if (text::startsWithUpper(row, "UNIT") && unitRow == 0) unitRow = r;
    const bool continuation = structure.instructionLines[static_cast<std::size_t>(r)] != row;
    if (!text::startsWithUpper(row, "SFAC") || continuation) continue;
    sfacFound = true;
    const std::vector<std::string> words = cardNumbersText(source.rows, r, last);
    // A long card gives the symbol and its scattering factors: one element.
    const bool longForm = words.size() >= 2 && text::findDouble(words[1]).has_value();
    for (const std::string& word : words) {
      const int e = structure.addElement();
      structure.elements[e].symbol = text::cut(word, 2);
      if (longForm) break;
    }
  }
  if (!sfacFound) throw UserError(source.fileName + ": there is no SFAC card.");
  if (unitRow == 0) throw UserError(source.fileName + ": there is no UNIT card.");
  const std::vector<std::string> numbers = cardNumbersText(source.rows, unitRow, last);
  if (static_cast<int>(numbers.size()) < structure.elementCount) {
    throw UserError(source.where(unitRow) + "the UNIT card has " + std::to_string(numbers.size()) +
                    " numbers for " + std::to_string(structure.elementCount) + " SFAC elements.");
  }
  for (int e = 1; e <= structure.elementCount; ++e) {
    structure.elements[e].unitCount =
        parseAt(source, unitRow, numbers[static_cast<std::size_t>(e - 1)]);
  }
}

void readCell(StructureModel& structure, const SourceRows& source, Dialogs& dialogs) {
  const int last = structure.lineCount() - 1;
  // The numbers of the card at `line`, at least `needed` of them (the rest taken as 0).
  auto numbersOf = [&](int line, const char* card, std::size_t needed) {
    const int row = line;  // the instruction lines are the head of the file
    std::vector<double> values;
    for (const std::string& word : cardNumbersText(structure.instructionLines, row, last))
      values.push_back(parseAt(source, row, word));
    if (values.size() < needed) {
      throw UserError(source.where(row) + "the " + card + " card needs " +
                      (needed == 7 ? "seven numbers." : "at least Z."));
    }
    if (values.size() > 7) {
      dialogs.message(source.where(row) + "the " + card + " card has " +
                      std::to_string(values.size()) + " numbers; the first seven are used.");
    }
    if (values.size() < 7) {
      dialogs.message(source.where(row) + "the " + card + " card has " +
                      std::to_string(values.size()) + " numbers; the missing esds are taken as 0.");
      values.resize(7, 0.0);
    }
    return values;
  };
  if (structure.markers.cellLine == 0)
    throw UserError(source.fileName + ": there is no CELL card.");
  const std::vector<double> cell = numbersOf(structure.markers.cellLine, "CELL", 7);
  CellParameters& c = structure.cell;
  c.wavelength = cell[0];
  c.a = cell[1];
  c.b = cell[2];
  c.c = cell[3];
  c.alpha = cell[4];
  c.beta = cell[5];
  c.gamma = cell[6];
  // Files written by other programs may lack ZERR: they open with Z = 1 and no esds.
  std::vector<double> zerr{1, 0, 0, 0, 0, 0, 0};
  if (structure.markers.zerrLine == 0) {
    dialogs.message(source.fileName + ": " + std::string(noZerrMessage));
  } else {
    zerr = numbersOf(structure.markers.zerrLine, "ZERR", 1);
  }
  c.z = zerr[0];
  c.sa = zerr[1];
  c.sb = zerr[2];
  c.sc = zerr[3];
  c.salpha = zerr[4];
  c.sbeta = zerr[5];
  c.sgamma = zerr[6];
  orthogonalise(c);
}

bool readRemSpcg(StructureModel& structure) {
  if (structure.markers.spcgLine == 0) return false;
  // A short or hand-edited line names no group: the user is asked to choose one, and the line is
  // rewritten in place when that happens.
  const std::optional<RemSpcg> group = parseRemSpcgLine(
      structure.instructionLines[static_cast<std::size_t>(structure.markers.spcgLine)]);
  if (!group) return false;
  structure.symmetry.spaceGroupNumber = group->number;
  structure.symmetry.settingNumber = group->setting;
  return true;
}

void takeSuggestedWeights(StructureModel& structure, const SourceRows& source, int lastAtomRow) {
  if (structure.noFvar || structure.markers.wghtLine == 0) return;
  for (std::size_t r = static_cast<std::size_t>(lastAtomRow) + 1; r < source.rows.size(); ++r) {
    if (text::startsWithUpper(source.rows[r], "WGHT")) {
      structure.instructionLines[static_cast<std::size_t>(structure.markers.wghtLine)] =
          source.rows[r];
    }
  }
}

}  // namespace tavo::model
