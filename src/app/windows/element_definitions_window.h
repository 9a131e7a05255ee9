// TForm17 "Detailed Definition of Elements": the table of elems.inf, its edit field and the
// Apply and Add buttons, and the File menu with "Save Settings" and "Exit".
#pragma once

#include <functional>

#include "app/grid_model.h"
#include "app/windows/auxiliary_window.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace tavo::workbench {
class PreferenceCommands;
class Workbench;
}  // namespace tavo::workbench

namespace tavo::app {

class ElementDefinitionsWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  ElementDefinitionsWindow(workbench::Workbench& bench, QWidget* parent);
  /// Shows the Workbench's table and edit text.
  void showState() override;
  QTableView* table() const { return m_table; }

 private:
  /// Runs a command of the window through the Workbench's dispatcher.
  void run(const std::function<void(workbench::PreferenceCommands&)>& command);

  workbench::Workbench& m_bench;
  GridModel* m_model;
  QTableView* m_table;     // StringGrid1
  QLineEdit* m_editField;  // Edit1
  QPushButton* m_apply;
  QPushButton* m_add;
};

}  // namespace tavo::app
