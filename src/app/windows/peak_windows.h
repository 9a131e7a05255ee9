// TForm9 "Showing and Handling Peaks" and TForm27 "Global Edition": the views of the
// Workbench's peak list and global edition window models.
#pragma once

#include <array>

#include "app/windows/auxiliary_window.h"
#include "editing/global_edition.h"

class QAction;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QLabel;
class QTableView;

namespace tavo::workbench {
class GlobalEditionCommands;
class PeakCommands;
}  // namespace tavo::workbench

namespace tavo::app {

class GridModel;
class WindowRunner;

class PeakListWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  PeakListWindow(workbench::PeakCommands& peaks, WindowRunner& runner, QWidget* parent);
  /// Shows the window model the Workbench holds.
  void showState() override;

 private:
  workbench::PeakCommands& m_peaks;
  GridModel* m_model = nullptr;
  QTableView* m_grid = nullptr;        // StringGrid1
  QSpinBox* m_current = nullptr;       // SpinEdit1
  QLineEdit* m_currentText = nullptr;  // Edit1
};

class GlobalEditionWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  GlobalEditionWindow(workbench::GlobalEditionCommands& globalEdition, WindowRunner& runner,
                      QWidget* parent);
  void showState() override;

 private:
  void connectControls();

  workbench::GlobalEditionCommands& m_globalEdition;
  GridModel* m_atomModel = nullptr;
  GridModel* m_selectedModel = nullptr;
  QTableView* m_atoms = nullptr;      // StringGrid1, "List of Atoms"
  QTableView* m_selected = nullptr;   // StringGrid2, "Selcted Atoms"
  QLineEdit* m_population = nullptr;  // Edit1
  QLineEdit* m_uiso = nullptr;        // Edit2
  QLineEdit* m_code = nullptr;        // Edit3
  QSpinBox* m_parameter = nullptr;    // SpinEdit1
  QLabel* m_parameterName = nullptr;
  std::array<QRadioButton*, editing::globalOptionCount> m_options{};
};

}  // namespace tavo::app
