// The grammar of one logical line of the atom list: atom, PART, AFIX, FVAR or card.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

class StructureModel;
struct SourceRows;

/// An atom line: label, SFAC number and 5 (isotropic) or 10 (anisotropic) coded numbers.
struct AtomLine {
  std::string label;
  int sfac = 0;
  std::vector<double> numbers;  // x y z sof U11 [U22 U33 U23 U13 U12], coded as written
  std::string comment;          // after "!", trimmed
  bool isotropic() const { return numbers.size() == 5; }
};

enum class ItemKind { Fvar, Part, Afix, Atom, Card, Frag };

/// One logical line (continuation rows joined) of the atom list.
struct AtomListItem {
  ItemKind kind = ItemKind::Card;
  int row = 0;                     // first file row
  std::vector<std::string> lines;  // the rows as written (continuation rows with their blanks)
  int number = 0;                  // PART or AFIX number
  std::string partSof;             // PART occupancy as written
  std::string afixText;            // everything after "AFIX", trimmed
  std::string comment;             // after "!" on a PART or AFIX line, as written
  AtomLine atom;
};

/// Splits rows first..last into logical lines and classifies each. Throws ConversionError,
/// prefixed with the file and line, for an atom-shaped line with a word that is not a number.
std::vector<AtomListItem> splitAtomList(const StructureModel& structure, const SourceRows& source,
                                        int first, int last);

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

/// The words of an atom line of a file without FVAR (continuation rows joined): label, SFAC and
/// five numbers with an optional peak height, ten numbers, or three or four numbers (sof and
/// Uiso taken as SHELXL does). Empty when the words have no atom's shape; ConversionError,
/// prefixed with `where`, for a word that is not a number where one belongs.
std::optional<AtomLine> parseSolutionAtom(const StructureModel& structure,
                                          const std::vector<std::string_view>& words,
                                          const std::string& where);

}  // namespace tavo::model
