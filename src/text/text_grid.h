// A table of texts: the exact strings a window grid shows, addressed by row and column.
#pragma once

#include <string>
#include <vector>

namespace tavo::text {

/// Rows of cells; row 0 is usually the heading row. Reading outside the table gives "".
class TextGrid {
 public:
  TextGrid() = default;
  TextGrid(int rows, int columns) { resize(rows, columns); }

  int rowCount() const { return static_cast<int>(m_cells.size()); }
  int columnCount() const { return m_columns; }
  /// Sets the size; cells that still fit keep their texts, new cells are empty.
  void resize(int rows, int columns);
  const std::string& cell(int row, int column) const;
  /// Writes a cell, growing the table when the cell lies outside it.
  void setCell(int row, int column, std::string text);
  void setRow(int row, const std::vector<std::string>& texts);
  const std::vector<std::string>& row(int r) const { return m_cells.at(static_cast<size_t>(r)); }

  friend bool operator==(const TextGrid&, const TextGrid&) = default;

 private:
  std::vector<std::vector<std::string>> m_cells;
  int m_columns = 0;
};

}  // namespace tavo::text
