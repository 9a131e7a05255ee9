// TForm23 "Handling Fixing Treatments and Free Variables" and TForm4 "HFIX Coding Rules": the
// views of the Workbench's fixing and HFIX rules window models.
#pragma once

#include "app/windows/auxiliary_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tavo::workbench {
class FreeVariableCommands;
}

namespace tavo::app {

class GridModel;
class WindowRunner;

class FixingWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  FixingWindow(workbench::FreeVariableCommands& freeVariables, WindowRunner& runner,
               QWidget* parent);
  /// Shows the window model the Workbench holds.
  void showState() override;

 private:
  void connectControls();

  workbench::FreeVariableCommands& m_freeVariables;
  GridModel* m_codeModel = nullptr;
  GridModel* m_fvarModel = nullptr;
  QTableView* m_codes = nullptr;  // CodeGrid
  QTableView* m_fvars = nullptr;  // FvarGrid
  QLineEdit* m_label = nullptr;   // LabelEdit
  QLineEdit* m_column = nullptr;  // ColumnEdit
  QLineEdit* m_code = nullptr;    // CodeEdit
  QLineEdit* m_fvar = nullptr;    // FvarEdit
  QLineEdit* m_valueBox = nullptr;
  QCheckBox* m_doubleClick = nullptr;
  QPushButton* m_applyCode = nullptr;
  QPushButton* m_addFvar = nullptr;
  QPushButton* m_applyFvar = nullptr;
  QPushButton* m_multiFvars = nullptr;
  QPushButton* m_multiCodes = nullptr;
};

class HfixRulesWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  HfixRulesWindow(workbench::FreeVariableCommands& freeVariables, WindowRunner& runner,
                  QWidget* parent);
  void showState() override;

 private:
  workbench::FreeVariableCommands& m_freeVariables;
  QSpinBox* m_m = nullptr;  // SpinEditM
  QSpinBox* m_n = nullptr;  // SpinEditN
  QLabel* m_mText = nullptr;
  QLabel* m_nText = nullptr;
  QLabel* m_code = nullptr;
};

}  // namespace tavo::app
