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

bool startsWithBlank(const std::string& raw) {
  return !raw.empty() && static_cast<unsigned char>(raw.front()) <= 32;
}

std::string nameOf(const std::string& word) {
  char buffer[8];
  return std::string(instructionNameOf(word, buffer));
}

std::string firstWord(const std::string& row) {
  const std::string blanks = tabsToBlanks(row);
  const auto words = text::splitWords(blanks);
  return words.empty() ? std::string() : std::string(words.front());
}

// Label, SFAC number in range and the numbers that follow; empty when the words do not have an
// atom's shape. A non-number where a number belongs throws ConversionError.
std::optional<AtomLine> atomFromWords(const StructureModel& structure,
                                      const std::vector<std::string_view>& words,
                                      std::size_t numberCount, const std::string& where) {
  if (words.size() != numberCount + 2) return std::nullopt;
  if (isInstructionName(words[0]) || isPeakLabel(words[0])) return std::nullopt;
  const auto sfac = text::findInt(words[1]);
  if (!sfac || *sfac < 1 || *sfac > structure.elementCount) return std::nullopt;
  AtomLine atom;
  atom.label = text::cut(words[0], 8);
  atom.sfac = *sfac;
  for (std::size_t i = 2; i < words.size(); ++i) {
    try {
      atom.numbers.push_back(text::parseDouble(words[i]));
    } catch (const ConversionError& error) {
      throw ConversionError(where + error.what());
    }
  }
  return atom;
}

// An atom written without its Uiso, or without sof and Uiso ("C1 1 0.1 0.2 0.3"): SHELXL
// takes 11.0 and 0.05 for what is left out, and so does the model.
std::optional<AtomLine> shortAtom(const StructureModel& structure,
                                  const std::vector<std::string_view>& words,
                                  const std::string& where) {
  constexpr double defaultSof = 11.0;
  constexpr double defaultUiso = 0.05;
  for (std::size_t given : {std::size_t{3}, std::size_t{4}}) {
    auto atom = atomFromWords(structure, words, given, where);
    if (!atom) continue;
    if (given == 3) atom->numbers.push_back(defaultSof);
    atom->numbers.push_back(defaultUiso);
    return atom;
  }
  return std::nullopt;
}

// Adds the item that spans rows item.row..end-1. A card keeps the rows passed over inside it in
// place; an atom, whose lines are written anew, is followed by them as rows of their own.
void placePassedOverRows(std::vector<AtomListItem>& items, AtomListItem item,
                         const std::vector<std::string>& passedOver, const SourceRows& source,
                         int end) {
  if (passedOver.empty()) {
    items.push_back(std::move(item));
    return;
  }
  if (item.kind != ItemKind::Atom) {
    item.lines.resize(1);
    for (int k = item.row + 1; k < end; ++k)
      item.lines.push_back(source.raw[static_cast<std::size_t>(k)]);
    items.push_back(std::move(item));
    return;
  }
  const int row = item.row;
  items.push_back(std::move(item));
  for (const std::string& line : passedOver) {
    AtomListItem card;
    card.row = row;
    card.lines = {line};
    items.push_back(std::move(card));
  }
}

}  // namespace

bool isPassedOver(const std::string& row) {
  if (isRemLine(row)) return true;
  const RowCode code = splitRow(row);
  return code.code.empty() && !code.continues;
}

int rowsBeforeContinuation(const SourceRows& source, int r, int last) {
  int k = r;
  while (k <= last && isPassedOver(source.rows[static_cast<std::size_t>(k)]))
    ++k;
  if (k == r || k > last) return 0;
  return startsWithBlank(source.raw[static_cast<std::size_t>(k)]) ? k - r : 0;
}

std::string tabsToBlanks(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c == '\t') c = ' ';
  }
  return result;
}

RowCode splitRow(const std::string& row) {
  RowCode result;
  const std::string blanks = tabsToBlanks(row);
  std::string_view code(blanks);
  if (const std::size_t bang = code.find('!'); bang != std::string_view::npos) {
    // The comment is kept as written (its leading blanks and tabs included) so that it is
    // written back unchanged; only the end of the line is trimmed.
    std::string comment = row.substr(std::min(bang + 1, row.size()));
    while (!comment.empty() && static_cast<unsigned char>(comment.back()) <= 32)
      comment.pop_back();
    result.comment = std::move(comment);
    code = code.substr(0, bang);
  }
  result.code = text::trimLine(code);
  if (text::endsWith(result.code, "=")) {
    result.continues = true;
    result.code.pop_back();
    result.code = text::trimLine(result.code);
  }
  return result;
}

std::optional<AtomLine> parseSolutionAtom(const StructureModel& structure,
                                          const std::vector<std::string_view>& words,
                                          const std::string& where) {
  auto atom = atomFromWords(structure, words, 5, where);
  if (!atom && words.size() == 8 && text::findDouble(words.back())) {
    // SHELXT writes the peak height after Uiso.
    atom = atomFromWords(structure, {words.begin(), words.end() - 1}, 5, where);
  }
  if (!atom) atom = atomFromWords(structure, words, 10, where);
  if (!atom) atom = shortAtom(structure, words, where);
  return atom;
}

std::vector<AtomListItem> splitAtomList(const StructureModel& structure, const SourceRows& source,
                                        int first, int last) {
  std::vector<AtomListItem> items;
  int r = first;
  while (r <= last) {
    AtomListItem item;
    item.row = r;
    const std::string& row = source.rows[static_cast<std::size_t>(r)];
    const std::string word = firstWord(row);
    const std::string name = nameOf(word);
    const bool instruction = isInstructionName(word);
    item.lines.push_back(row);
    ++r;
    if (row.empty() || startsWithBlank(source.raw[static_cast<std::size_t>(item.row)])) {
      // A blank row, or one that starts with a blank and continues nothing: kept as it stands.
      item.lines.front() = source.raw[static_cast<std::size_t>(item.row)];
      items.push_back(std::move(item));
      continue;
    }
    if (instruction && name == "REM") {
      items.push_back(std::move(item));
      continue;
    }
    if (instruction && name == "FRAG") {
      item.kind = ItemKind::Frag;
      while (r <= last &&
             nameOf(firstWord(source.rows[static_cast<std::size_t>(r - 1)])) != "FEND") {
        item.lines.push_back(source.raw[static_cast<std::size_t>(r)]);
        ++r;
      }
      items.push_back(std::move(item));
      continue;
    }
    // Join the continuation rows.
    RowCode joined = splitRow(row);
    bool continues = joined.continues;
    std::vector<std::string> passedOver;
    while (continues && r <= last) {
      const int skip = rowsBeforeContinuation(source, r, last);
      // Without a continuation behind them, such rows stand on their own after this line,
      // unless the row is indented like a continuation ("   ! a comment on the atom").
      const std::size_t at = static_cast<std::size_t>(r);
      if (skip == 0 && isPassedOver(source.rows[at]) && !startsWithBlank(source.raw[at])) break;
      for (int k = 0; k < skip; ++k, ++r)
        passedOver.push_back(source.raw[static_cast<std::size_t>(r)]);
      const RowCode next = splitRow(source.rows[static_cast<std::size_t>(r)]);
      item.lines.push_back(source.raw[static_cast<std::size_t>(r)]);
      joined.code += " " + next.code;
      if (!next.comment.empty()) {
        joined.comment += joined.comment.empty() ? next.comment : " " + next.comment;
      }
      continues = next.continues;
      ++r;
    }
    const auto words = text::splitWords(joined.code);
    if (instruction && name == "FVAR") {
      item.kind = ItemKind::Fvar;
    } else if (instruction && name == "PART" && words.size() <= 3) {
      const auto number = words.size() > 1 ? text::findInt(words[1]) : std::optional<int>(0);
      const bool sofOk = words.size() < 3 || text::findDouble(words[2]).has_value();
      if (number && sofOk) {
        item.kind = ItemKind::Part;
        item.number = *number;
        if (words.size() == 3) item.partSof = std::string(words[2]);
        item.comment = joined.comment;
      }
    } else if (instruction && name == "AFIX" && words.size() >= 2) {
      if (const auto number = text::findInt(words[1])) {
        item.kind = ItemKind::Afix;
        item.number = *number;
        item.afixText = text::trimLine(std::string_view(joined.code).substr(4));
        item.comment = joined.comment;
      }
    } else if (!instruction) {
      const std::string where = source.where(item.row);
      auto atom = atomFromWords(structure, words, 5, where);
      if (!atom) atom = atomFromWords(structure, words, 10, where);
      if (!atom) atom = shortAtom(structure, words, where);
      if (atom) {
        item.kind = ItemKind::Atom;
        item.atom = std::move(*atom);
        item.atom.comment = joined.comment;
      }
    }
    placePassedOverRows(items, std::move(item), passedOver, source, r);
  }
  return items;
}

}  // namespace tavo::model
