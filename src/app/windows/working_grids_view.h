// The working grids of the main window (F10), laid near its bottom edge: the working grid and
// the word table of the instruction lines.
#pragma once

#include <QFrame>

#include "app/grid_model.h"

class QTableView;

namespace tavo::workbench {
class WorkingGridsPanel;
}

namespace tavo::app {

class WorkingGridsView final : public QFrame {
  Q_OBJECT

 public:
  explicit WorkingGridsView(QWidget* surface);
  /// Shows the panel's grids while it is visible, and hides the view otherwise.
  void refresh(const workbench::WorkingGridsPanel& panel);
  /// Lays the view along the bottom of a surface `width` wide, its bottom edge at `bottom`.
  void place(int width, int bottom);
  QTableView* workingGrid() const { return m_workingGrid; }
  QTableView* wordTable() const { return m_wordTable; }

 private:
  GridModel* m_workingModel;
  GridModel* m_wordModel;
  QTableView* m_workingGrid;
  QTableView* m_wordTable;
};

}  // namespace tavo::app
