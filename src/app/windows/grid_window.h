// An auxiliary window that shows one TextGrid, such as "Distances and Angles" (TForm16).
#pragma once

#include "app/grid_model.h"
#include "app/windows/auxiliary_window.h"
#include "text/text_grid.h"

class QTableView;

namespace tavo::app {

class GridWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  /// `heading` says whether row 0 of the grids shown is the heading row.
  GridWindow(std::string_view objectName, std::string_view caption, QWidget* parent,
             GridModel::Heading heading = GridModel::Heading::FirstRow);
  /// Shows `grid`.
  void setGrid(const text::TextGrid& grid);
  /// Headings of the columns of a grid without a heading row.
  void setColumnHeadings(const QStringList& headings) { m_model->setColumnHeadings(headings); }
  const GridModel& model() const { return *m_model; }
  QTableView* table() const { return m_table; }

 private:
  GridModel* m_model;
  QTableView* m_table;
};

}  // namespace tavo::app
