// TForm2 "Atomic Coordinates & Parameters": the view of the Workbench's atom list window model.
#pragma once

#include "app/windows/auxiliary_window.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tavo::workbench {
class Workbench;
class AtomListCommands;
}  // namespace tavo::workbench

namespace tavo::app {

class GridModel;

class AtomListWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  AtomListWindow(workbench::Workbench& bench, QWidget* parent);
  /// Shows the window model the Workbench holds.
  void refresh() override;

 private:
  QMenuBar* buildMenus();
  void connectControls();
  void selectCells();
  /// Runs `command` on the atom list commands unless the window is being refreshed.
  template <typename Command>
  void run(Command command);

  workbench::Workbench& m_bench;
  GridModel* m_model = nullptr;
  GridModel* m_sortModel = nullptr;
  QTableView* m_grid = nullptr;          // StringGrid1
  QTableView* m_sortGrid = nullptr;      // the working grid of the sort
  QLineEdit* m_value = nullptr;          // Edit1
  QSpinBox* m_column = nullptr;          // SpinEdit1
  QSpinBox* m_row = nullptr;             // SpinEdit2
  QCheckBox* m_multi = nullptr;          // CheckBox1
  QPushButton* m_apply = nullptr;        // Button1
  QPushButton* m_applyMulti = nullptr;   // Button2
  QPushButton* m_sortLabels = nullptr;   // SortLabels
  QPushButton* m_sortHLabels = nullptr;  // SortHLabels
  QPushButton* m_update = nullptr;       // XYZBUpdate
  QAction* m_print = nullptr;            // Print1
  QAction* m_exit = nullptr;             // Exit1
  QAction* m_simplify = nullptr;         // SimplifytheLabelingfromShelxt1
  QAction* m_workingGrids = nullptr;     // WorkingGrids
  bool m_refreshing = false;
};

}  // namespace tavo::app
