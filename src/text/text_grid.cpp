// A table of texts addressed by row and column.
#include "text/text_grid.h"

#include <algorithm>

namespace tavo::text {

namespace {
const std::string emptyCell;
}

void TextGrid::resize(int rows, int columns) {
  m_columns = columns;
  m_cells.resize(static_cast<size_t>(rows));
  for (auto& r : m_cells)
    r.resize(static_cast<size_t>(columns));
}

const std::string& TextGrid::cell(int row, int column) const {
  if (row < 0 || column < 0 || row >= rowCount() || column >= m_columns) return emptyCell;
  return m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void TextGrid::setCell(int row, int column, std::string text) {
  if (row >= rowCount() || column >= m_columns) {
    resize(std::max(rowCount(), row + 1), std::max(m_columns, column + 1));
  }
  m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)] = std::move(text);
}

void TextGrid::setRow(int row, const std::vector<std::string>& texts) {
  for (size_t c = 0; c < texts.size(); ++c)
    setCell(row, static_cast<int>(c), texts[c]);
}

}  // namespace tavo::text
