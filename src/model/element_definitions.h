// The element definitions of elems.inf and the model of the "Detailed Definition of Elements"
// window: written forms, atomic weight, radius and colour of every element.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "text/text_grid.h"

namespace tavo::model {

class Dialogs;
class StructureModel;

/// Shown, and the program ended by the app, when elems.inf is missing.
inline constexpr std::string_view missingElementDefinitionsMessage =
    "elems.inf file does not exits!";
inline constexpr std::string_view elementDefinitionsFileName = "elems.inf";

class ElementDefinitions {
 public:
  /// Column numbers of the table.
  enum Column : int { Lab1 = 0, Lab2, Lab3, AtomicWeight, Radius, ColorCode };

  /// A table with the heading row only.
  ElementDefinitions();

  /// Reads elems.inf from `programFolder`. Throws UserError("elems.inf file does not exits!")
  /// when the file is missing, FileError when it cannot be read.
  static ElementDefinitions load(const std::filesystem::path& programFolder);

  /// Row 0 holds the headings; row r holds definition line r, field k in column k-1.
  const text::TextGrid& table() const { return m_table; }
  int definitionCount() const { return m_table.rowCount() - 1; }

  /// The first definition row listing `symbol` among its three written forms (exact), if any.
  std::optional<int> findRow(std::string_view symbol) const;

  /// Attaches weight, radius and colour of the last matching definition to every SFAC element,
  /// upper-casing matched symbols, and sets the peak radius (element 0) from row 1. Throws
  /// ConversionError for a matching row whose numbers do not convert.
  void assignElementData(StructureModel& structure) const;

  /// The radius of the first definition, the radius of every peak. ConversionError if not a
  /// number; 0 without definitions.
  double peakRadius() const;

  // The window's operations.

  /// Remembers the clicked cell and returns its text for the edit field.
  const std::string& selectCell(int row, int column);
  int selectedRow() const { return m_selectedRow; }
  int selectedColumn() const { return m_selectedColumn; }
  /// Apply: puts `editText` into the selected cell and attaches the definitions again (the peak
  /// radius included). The caller then detects bonds and redraws.
  void apply(std::string_view editText, StructureModel& structure);
  /// Colour of the selected "Color Code" cell: asks the colour dialog and, when confirmed, stores
  /// the colour and attaches the definitions again. Returns the new cell text, empty if cancelled
  /// or the selected cell is not a colour.
  std::optional<std::string> chooseColor(Dialogs& dialogs, StructureModel& structure);
  /// Add: appends the row NewElm1, NewElm2, NewElm3, 200, 1.2, 0.
  void addRow();
  /// Save Settings: rewrites elems.inf in `programFolder` from rows 1..last (tab separated, CR LF).
  void save(const std::filesystem::path& programFolder) const;

 private:
  text::TextGrid m_table;
  int m_selectedRow = 0;
  int m_selectedColumn = 0;
};

}  // namespace tavo::model
