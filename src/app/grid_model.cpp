// Table model over a TextGrid.
#include "app/grid_model.h"

#include <algorithm>

#include "app/qt_text.h"

namespace tavo::app {

GridModel::GridModel(Heading heading, QObject* parent)
    : QAbstractTableModel(parent), m_heading(heading) {}

void GridModel::setGrid(text::TextGrid grid) {
  beginResetModel();
  m_grid = std::move(grid);
  endResetModel();
}

int GridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return std::max(0, m_grid.rowCount() - firstDataRow());
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_grid.columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return toQString(m_grid.cell(gridRow(index.row()), index.column()));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal && m_heading == Heading::FirstRow) {
    return toQString(m_grid.cell(0, section));
  }
  if (orientation == Qt::Horizontal && section >= 0 && section < m_columnHeadings.size()) {
    return m_columnHeadings[section];
  }
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags result = QAbstractTableModel::flags(index);
  if (m_editable) result |= Qt::ItemIsEditable;
  return result;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !m_editable) return false;
  m_grid.setCell(gridRow(index.row()), index.column(), toStd(value.toString()));
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit cellEdited(gridRow(index.row()), index.column());
  return true;
}

}  // namespace tavo::app
