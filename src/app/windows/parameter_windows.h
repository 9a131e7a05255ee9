// TForm24 "Edit Parameters", TForm30 "Setting the Parameter" and TForm26 "Making Overall Shifts
// in Coordinates": each shows its window model of ParameterCommands and forwards typing and
// buttons through the window runner.
#pragma once

#include <array>
#include <functional>

#include "app/windows/auxiliary_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace tavo::workbench {
class ParameterCommands;
}

namespace tavo::app {

class WindowRunner;

class EditParametersWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  EditParametersWindow(workbench::ParameterCommands& parameters, WindowRunner& runner,
                       QWidget* parent);
  void showState() override;

 private:
  workbench::ParameterCommands& m_parameters;
  QSpinBox* m_kind = nullptr;             // SpinEdit1
  QSpinBox* m_number = nullptr;           // SpinEdit2
  std::array<QLineEdit*, 11> m_values{};  // "Parameters", index 1..10
  std::array<QLineEdit*, 11> m_codes{};   // "Fix/FVAR"
  QLineEdit* m_label = nullptr;
  QLineEdit* m_sfac = nullptr;
  QLineEdit* m_part = nullptr;
  QLineEdit* m_afix = nullptr;
};

class SettingParameterWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  SettingParameterWindow(workbench::ParameterCommands& parameters, WindowRunner& runner,
                         QWidget* parent);
  void showState() override;

 private:
  workbench::ParameterCommands& m_parameters;
  QSpinBox* m_parameter = nullptr;  // SpinEdit1
  QLabel* m_name = nullptr;
  QLineEdit* m_code = nullptr;
  QLineEdit* m_fvarNumber = nullptr;
  QLineEdit* m_value = nullptr;
  std::array<QCheckBox*, 4> m_options{};  // CheckBox1..CheckBox4
  QTableWidget* m_list = nullptr;         // StringGrid1
};

class ShiftWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  ShiftWindow(workbench::ParameterCommands& parameters, WindowRunner& runner, QWidget* parent);
  void showState() override;

 private:
  workbench::ParameterCommands& m_parameters;
  std::array<QSpinBox*, 3> m_shifts{};  // "Shift in X", "Shift in Y", "Shift in Z"
};

}  // namespace tavo::app
