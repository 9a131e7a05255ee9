// The grammar of one logical line of the atom list: atom, PART, AFIX, FVAR or card.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

class StructureModel;
struct SourceRows;

/// The coded numbers of an atom line as written: x y z sof U11 [U22 U33 U23 U13 U12]. Held in
/// place, so that reading an atom allocates nothing for them.
class AtomNumbers {
 public:
  static constexpr std::size_t maxCount = 10;
  std::size_t size() const { return m_count; }
  double operator[](std::size_t i) const { return m_values[i]; }
  void push_back(double value) {
    assert(m_count < maxCount);
    m_values[m_count++] = value;
  }

 private:
  std::array<double, maxCount> m_values{};
  std::size_t m_count = 0;
};

/// An atom line: label, SFAC number and 5 (isotropic) or 10 (anisotropic) coded numbers.
struct AtomLine {
  std::string label;
  int sfac = 0;
  AtomNumbers numbers;
  std::string comment;  // after "!", trimmed
  bool isotropic() const { return numbers.size() == 5; }
};

enum class ItemKind { Fvar, Part, Afix, Atom, Card, Frag };

/// One logical line (continuation rows joined) of the atom list. A new field is also emptied
/// in clearItem (atom_line.cpp), which reuses an item for line after line.
struct AtomListItem {
  ItemKind kind = ItemKind::Card;
  int row = 0;                     // first file row
  std::vector<std::string> lines;  // the rows as written (continuation rows with their blanks);
                                   // empty for an atom, which never stands as a card
  int number = 0;                  // PART or AFIX number
  std::string partSof;             // PART occupancy as written
  std::string afixText;            // everything after "AFIX", trimmed
  std::string comment;             // after "!" on a PART or AFIX line, as written
  AtomLine atom;
};

/// Splits rows first..last into logical lines and classifies each, one line at a time, so that
/// a reader holds only the lines it looks ahead to rather than the whole atom list.
class AtomListSplitter {
 public:
  AtomListSplitter(const StructureModel& structure, const SourceRows& source, int first, int last);
  /// The next logical line into `item`; false after the last. Throws ConversionError, prefixed
  /// with the file and line, for an atom-shaped line with a word that is not a number.
  bool next(AtomListItem& item);

 private:
  const StructureModel& m_structure;
  const SourceRows& m_source;
  int m_row;
  int m_last;
  std::vector<std::string_view> m_words;  // reused for every line
  std::string m_joinedCode;
  std::string m_comment;
  std::vector<int> m_passedOver;  // rows passed over inside the last atom line, still to come
  std::size_t m_nextPassedOver = 0;
};

/// The code part of a row (before "!") without a trailing continuation "=", and whether the row
/// continues on the next one.
struct RowCode {
  std::string code;
  std::string comment;
  bool continues = false;
};
RowCode splitRow(const std::string& row);

/// True for a row that SHELXL passes over between a line ending in "=" and its continuation: a
/// blank row, a row holding only a "!" comment, or a REM line.
bool isPassedOver(const std::string& row);

/// The number of such rows from row `r` on (up to `last`) when a continuation row, one that
/// starts with a blank, follows them; 0 otherwise, so that a line that ends in "=" by mistake
/// does not take the next card or atom with it across a blank row.
int rowsBeforeContinuation(const SourceRows& source, int r, int last);

/// `text` with every tab turned into a blank. SHELXL separates words at tabs as at blanks, so
/// the words of an instruction or atom line are split from this form (the line itself is kept
/// as written).
std::string tabsToBlanks(std::string_view text);

/// The words of an atom line of a file without FVAR (continuation rows joined), the line
/// starting at `row`: label, SFAC and five numbers with an optional peak height, ten numbers, or
/// three or four numbers (sof and Uiso taken as SHELXL does). Empty when the words have no
/// atom's shape; ConversionError, prefixed with the file and line, for a word that is not a
/// number where one belongs.
std::optional<AtomLine> parseSolutionAtom(const StructureModel& structure,
                                          std::vector<std::string_view> words,
                                          const SourceRows& source, int row);

}  // namespace tavo::model
