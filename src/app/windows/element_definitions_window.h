// TForm17 "Detailed Definition of Elements": the table of elems.inf, its edit field and the
// Apply and Add buttons, and the File menu with "Save Settings" and "Exit".
#pragma once

#include "app/grid_model.h"
#include "app/windows/auxiliary_window.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace tavo::workbench {
class PreferenceCommands;
}  // namespace tavo::workbench

namespace tavo::app {

class WindowRunner;

class ElementDefinitionsWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  ElementDefinitionsWindow(workbench::PreferenceCommands& preferences, WindowRunner& runner,
                           QWidget* parent);
  /// Shows the core's table and edit text.
  void showState() override;
  QTableView* table() const { return m_table; }

 private:
  workbench::PreferenceCommands& m_preferences;
  GridModel* m_model;
  QTableView* m_table;     // StringGrid1
  QLineEdit* m_editField;  // Edit1
  QPushButton* m_apply;
  QPushButton* m_add;
};

}  // namespace tavo::app
