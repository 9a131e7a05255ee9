// Splitting and classifying the lines of the atom list.
#include "model/atom_line.h"

#include <algorithm>

#include "model/atom_list_reader.h"
#include "model/shelxl_instructions.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

using Words = std::vector<std::string_view>;

bool startsWithBlank(const std::string& raw) {
  return !raw.empty() && static_cast<unsigned char>(raw.front()) <= 32;
}

bool isTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isTrimmed(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && isTrimmed(s.back()))
    s.remove_suffix(1);
  return s;
}

// The first word of a row; SHELXL separates words at tabs as at blanks.
std::string_view firstWord(std::string_view row) {
  const auto separates = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t start = 0;
  while (start < row.size() && separates(row[start]))
    ++start;
  std::size_t end = start;
  while (end < row.size() && !separates(row[end]))
    ++end;
  return row.substr(start, end - start);
}

// The parts of a row as splitRow() finds them, as views into the row: nothing is copied.
struct RowView {
  std::string_view code;     // before "!", trimmed, without a continuation "="
  std::string_view comment;  // after "!", its end trimmed
  bool continues = false;
};

RowView viewRow(std::string_view row) {
  RowView result;
  std::string_view code = row;
  if (const std::size_t bang = row.find('!'); bang != std::string_view::npos) {
    std::string_view comment = row.substr(bang + 1);
    while (!comment.empty() && isTrimmed(comment.back()))
      comment.remove_suffix(1);
    result.comment = comment;
    code = row.substr(0, bang);
  }
  code = trimmed(code);
  if (!code.empty() && code.back() == '=') {
    result.continues = true;
    code.remove_suffix(1);
    code = trimmed(code);
  }
  result.code = code;
  return result;
}

// Appends the words of a code part to `words`; SHELXL separates words at tabs as at blanks.
void appendWords(std::string_view code, Words& words) {
  text::appendWords(code, words, true);
}

// Label, SFAC number in range and the numbers that follow; empty when the words do not have an
// atom's shape. A non-number where a number belongs throws ConversionError, prefixed with where
// the line stands.
std::optional<AtomLine> atomFromWords(const StructureModel& structure, const Words& words,
                                      std::size_t numberCount, const SourceRows* source, int row,
                                      const std::string& where) {
  if (words.size() != numberCount + 2) return std::nullopt;
  if (isInstructionName(words[0]) || isPeakLabel(words[0])) return std::nullopt;
  const auto sfac = text::findInt(words[1]);
  if (!sfac || *sfac < 1 || *sfac > structure.elementCount) return std::nullopt;
  AtomLine atom;
  atom.label = text::cut(words[0], 8);
  atom.sfac = *sfac;
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (const auto value = text::findDouble(words[i])) {
      atom.numbers.push_back(*value);
      continue;
    }
    try {
      text::parseDouble(words[i]);
    } catch (const ConversionError& error) {
      throw ConversionError((source ? source->where(row) : where) + error.what());
    }
  }
  return atom;
}

// An atom written without its Uiso, or without sof and Uiso ("C1 1 0.1 0.2 0.3"): SHELXL
// takes 11.0 and 0.05 for what is left out, and so does the model.
std::optional<AtomLine> shortAtom(const StructureModel& structure, const Words& words,
                                  const SourceRows& source, int row) {
  constexpr double defaultSof = 11.0;
  constexpr double defaultUiso = 0.05;
  for (std::size_t given : {std::size_t{3}, std::size_t{4}}) {
    auto atom = atomFromWords(structure, words, given, &source, row, {});
    if (!atom) continue;
    if (given == 3) atom->numbers.push_back(defaultSof);
    atom->numbers.push_back(defaultUiso);
    return atom;
  }
  return std::nullopt;
}

// The instruction name of a row's first word ("" when it names none).
std::string_view instructionOf(std::string_view word, char (&buffer)[8]) {
  return isInstructionName(word) ? instructionNameOf(word, buffer) : std::string_view();
}

// Classifies one logical line whose words and comment are known.
void classify(AtomListItem& item, std::string_view name, const Words& words,
              const std::string& joinedCode, const StructureModel& structure,
              const SourceRows& source) {
  if (name == "FVAR") {
    item.kind = ItemKind::Fvar;
  } else if (name == "PART" && words.size() <= 3) {
    const auto number = words.size() > 1 ? text::findInt(words[1]) : std::optional<int>(0);
    const bool sofOk = words.size() < 3 || text::findDouble(words[2]).has_value();
    if (number && sofOk) {
      item.kind = ItemKind::Part;
      item.number = *number;
      if (words.size() == 3) item.partSof = std::string(words[2]);
    }
  } else if (name == "AFIX" && words.size() >= 2) {
    if (const auto number = text::findInt(words[1])) {
      item.kind = ItemKind::Afix;
      item.number = *number;
      item.afixText = text::trimLine(std::string_view(joinedCode).substr(4));
    }
  } else if (name.empty()) {
    auto atom = atomFromWords(structure, words, 5, &source, item.row, {});
    if (!atom) atom = atomFromWords(structure, words, 10, &source, item.row, {});
    if (!atom) atom = shortAtom(structure, words, source, item.row);
    if (atom) {
      item.kind = ItemKind::Atom;
      item.atom = std::move(*atom);
    }
  }
}

}  // namespace

std::string tabsToBlanks(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c == '\t') c = ' ';
  }
  return result;
}

RowCode splitRow(const std::string& row) {
  const RowView view = viewRow(row);
  RowCode result;
  result.code = tabsToBlanks(view.code);
  result.comment = std::string(view.comment);
  result.continues = view.continues;
  return result;
}

std::optional<AtomLine> parseSolutionAtom(const StructureModel& structure,
                                          std::vector<std::string_view> words,
                                          const SourceRows& source, int row) {
  auto atom = atomFromWords(structure, words, 5, &source, row, {});
  if (!atom) atom = atomFromWords(structure, words, 10, &source, row, {});
  if (!atom) atom = shortAtom(structure, words, source, row);
  if (!atom && words.size() == 8 && text::findDouble(words.back())) {
    // SHELXT writes the peak height after Uiso.
    words.pop_back();
    atom = atomFromWords(structure, words, 5, &source, row, {});
  }
  return atom;
}

bool isPassedOver(const std::string& row) {
  if (isRemLine(row)) return true;
  const RowView view = viewRow(row);
  return view.code.empty() && !view.continues;
}

int rowsBeforeContinuation(const SourceRows& source, int r, int last) {
  int k = r;
  while (k <= last && isPassedOver(source.rows[static_cast<std::size_t>(k)]))
    ++k;
  if (k == r || k > last) return 0;
  return startsWithBlank(source.rawRow(k)) ? k - r : 0;
}

namespace {

// Empties an item in place, keeping the room its strings and lists have grown, so that reading
// line after line into the same item allocates nothing for it.
void clearItem(AtomListItem& item) {
  item.kind = ItemKind::Card;
  item.row = 0;
  item.lines.clear();
  item.number = 0;
  item.partSof.clear();
  item.afixText.clear();
  item.comment.clear();
  item.atom.label.clear();
  item.atom.sfac = 0;
  item.atom.numbers = AtomNumbers{};
  item.atom.comment.clear();
}

}  // namespace

AtomListSplitter::AtomListSplitter(const StructureModel& structure, const SourceRows& source,
                                   int first, int last)
    : m_structure(structure), m_source(source), m_row(first), m_last(last) {}

bool AtomListSplitter::next(AtomListItem& item) {
  if (m_nextPassedOver < m_passedOver.size()) {
    // A row passed over inside the atom line before: a row of its own after the atom.
    clearItem(item);
    item.row = m_passedOver[m_nextPassedOver++];
    item.lines.push_back(m_source.rawRow(item.row));
    return true;
  }
  if (m_row > m_last) return false;
  const SourceRows& source = m_source;
  m_passedOver.clear();
  m_nextPassedOver = 0;
  clearItem(item);
  item.row = m_row;
  const std::string& row = source.rows[static_cast<std::size_t>(m_row)];
  char buffer[8];
  const std::string_view name = instructionOf(firstWord(row), buffer);
  int r = m_row + 1;
  if (row.empty() || startsWithBlank(source.rawRow(item.row))) {
    // A blank row, or one that starts with a blank and continues nothing: kept as it stands.
    item.lines.push_back(source.rawRow(item.row));
    m_row = r;
    return true;
  }
  if (name == "REM") {
    item.lines.push_back(row);
    m_row = r;
    return true;
  }
  if (name == "FRAG") {
    item.kind = ItemKind::Frag;
    item.lines.push_back(row);
    char endBuffer[8];
    while (r <= m_last && instructionNameOf(firstWord(source.rows[static_cast<std::size_t>(r - 1)]),
                                            endBuffer) != "FEND") {
      item.lines.push_back(source.rawRow(r));
      ++r;
    }
    m_row = r;
    return true;
  }
  // Join the continuation rows: their words follow one another, their comments are joined by
  // a blank.
  RowView part = viewRow(row);
  m_words.clear();
  appendWords(part.code, m_words);
  m_comment.assign(part.comment);
  const bool needsCode = name == "AFIX";
  if (needsCode) m_joinedCode = tabsToBlanks(part.code);
  while (part.continues && r <= m_last) {
    // Blank, comment and REM rows before a continuation row are passed over. Without a
    // continuation behind them they stand on their own after this line, unless the row is
    // indented like a continuation ("   ! a comment on the atom").
    const int skip = rowsBeforeContinuation(source, r, m_last);
    if (skip == 0 && isPassedOver(source.rows[static_cast<std::size_t>(r)]) &&
        !startsWithBlank(source.rawRow(r))) {
      break;
    }
    for (int k = 0; k < skip; ++k)
      m_passedOver.push_back(r++);
    part = viewRow(source.rows[static_cast<std::size_t>(r)]);
    appendWords(part.code, m_words);
    if (!part.comment.empty()) {
      if (!m_comment.empty()) m_comment += ' ';
      m_comment.append(part.comment);
    }
    if (needsCode) m_joinedCode += " " + tabsToBlanks(part.code);
    ++r;
  }
  m_row = r;
  classify(item, name, m_words, m_joinedCode, m_structure, source);
  if (item.kind == ItemKind::Part || item.kind == ItemKind::Afix) item.comment = m_comment;
  if (item.kind == ItemKind::Atom) {
    item.atom.comment = m_comment;
  } else {
    // A card keeps the rows passed over inside it in place.
    item.lines.push_back(row);
    for (int k = item.row + 1; k < r; ++k)
      item.lines.push_back(source.rawRow(k));
    m_passedOver.clear();
  }
  return true;
}

}  // namespace tavo::model
