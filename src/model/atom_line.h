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

/// One logical line (continuation rows joined) of the atom list.
struct AtomListItem {
  ItemKind kind = ItemKind::Card;
  int row = 0;                     // first file row
  std::vector<std::string> lines;  // the rows as written (continuation rows with their blanks);
                                   // empty for an atom, which never stands as a card
  int number = 0;                  // PART or AFIX number
  std::string partSof;             // PART occupancy as written
  std::string afixText;            // everything after "AFIX", trimmed
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
};

/// The code part of a row (before "!") without a trailing continuation "=", and whether the row
/// continues on the next one.
struct RowCode {
  std::string code;
  std::string comment;
  bool continues = false;
};
RowCode splitRow(const std::string& row);

/// `text` with every tab turned into a blank. SHELXL separates words at tabs as at blanks, so
/// the words of an instruction or atom line are split from this form (the line itself is kept
/// as written).
std::string tabsToBlanks(std::string_view text);

/// An atom line of a solution file: label, SFAC, five numbers and an optional peak height.
std::optional<AtomLine> parseSolutionAtom(const StructureModel& structure, const std::string& row,
                                          const std::string& where);

}  // namespace tavo::model
