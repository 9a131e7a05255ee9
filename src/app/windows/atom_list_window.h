// TForm2 "Atomic Coordinates & Parameters": the view of the Workbench's atom list window model.
#pragma once

#include <string>
#include <vector>

#include "app/windows/auxiliary_window.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tavo::workbench {
class AtomListCommands;
}  // namespace tavo::workbench

namespace tavo::app {

class GridModel;
class WindowRunner;

class AtomListWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  AtomListWindow(workbench::AtomListCommands& atomList, WindowRunner& runner, QWidget* parent);
  /// Shows the window model the Workbench holds.
  void showState() override;

 private:
  QMenuBar* buildMenus();
  void connectControls();
  /// The selected block as the list's control takes it: the first cell's column and row, then
  /// the far corner's; empty when nothing is selected.
  std::vector<std::string> selectedCells() const;

  workbench::AtomListCommands& m_atomList;
  GridModel* m_model = nullptr;
  GridModel* m_sortModel = nullptr;
  QTableView* m_grid = nullptr;         // StringGrid1
  QTableView* m_sortGrid = nullptr;     // the working grid of the sort
  QLineEdit* m_value = nullptr;         // Edit1
  QSpinBox* m_column = nullptr;         // SpinEdit1
  QSpinBox* m_row = nullptr;            // SpinEdit2
  QCheckBox* m_multi = nullptr;         // CheckBox1
  QPushButton* m_apply = nullptr;       // Button1
  QPushButton* m_applyMulti = nullptr;  // Button2
  QAction* m_workingGrids = nullptr;    // WorkingGrids
};

}  // namespace tavo::app
