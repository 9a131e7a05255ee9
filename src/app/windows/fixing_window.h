// TForm23 "Handling Fixing Treatments and Free Variables" and TForm4 "HFIX Coding Rules": the
// views of the Workbench's fixing and HFIX rules window models.
#pragma once

#include "app/windows/auxiliary_window.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tavo::workbench {
class Workbench;
}

namespace tavo::app {

class GridModel;

class FixingWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  FixingWindow(workbench::Workbench& bench, QWidget* parent);
  /// Shows the window model the Workbench holds.
  void refresh() override;

 private:
  void connectControls();
  void selectCodes();
  void selectFvars();

  workbench::Workbench& m_bench;
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
  QAction* m_print = nullptr;  // File > "Print"
  QAction* m_exit = nullptr;   // File > "Exit"
  bool m_refreshing = false;
};

class HfixRulesWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  HfixRulesWindow(workbench::Workbench& bench, QWidget* parent);
  void refresh() override;

 private:
  workbench::Workbench& m_bench;
  QSpinBox* m_m = nullptr;  // SpinEditM
  QSpinBox* m_n = nullptr;  // SpinEditN
  QLabel* m_mText = nullptr;
  QLabel* m_nText = nullptr;
  QLabel* m_code = nullptr;
};

}  // namespace tavo::app
