// The one table-model adapter that shows a text::TextGrid in a Qt item view.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include "text/text_grid.h"

namespace tavo::app {

/// Shows the texts of a TextGrid, optionally with row 0 as the heading, and keeps the user's
/// edits in the grid; the window hands `grid()` back to its window model, which decides.
class GridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum class Heading { None, FirstRow };

  explicit GridModel(Heading heading = Heading::FirstRow, QObject* parent = nullptr);

  /// Replaces every text (resets attached views).
  void setGrid(text::TextGrid grid);
  const text::TextGrid& grid() const { return m_grid; }
  void setEditable(bool editable) { m_editable = editable; }
  /// Column headings for a grid without a heading row (in place of the column numbers).
  void setColumnHeadings(QStringList headings) { m_columnHeadings = std::move(headings); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  /// The grid row shown at view row `row` (the heading row is not a view row).
  int gridRow(int row) const { return row + firstDataRow(); }

 signals:
  /// A cell was edited by the user; `gridRow` counts the grid's own rows.
  void cellEdited(int gridRow, int column);

 private:
  int firstDataRow() const { return m_heading == Heading::FirstRow ? 1 : 0; }

  text::TextGrid m_grid;
  Heading m_heading;
  QStringList m_columnHeadings;
  bool m_editable = false;
};

}  // namespace tavo::app
