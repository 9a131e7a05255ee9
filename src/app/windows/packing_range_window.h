// TForm14 'Packing View Range': the six bounds of the packing view as fields with a spin
// control beside each, and the menu item "Exit".
#pragma once

#include <array>

#include "app/windows/auxiliary_window.h"

class QLineEdit;
class QSpinBox;

namespace tavo::workbench {
class Workbench;
}

namespace tavo::app {

class PackingRangeWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  PackingRangeWindow(workbench::Workbench& bench, QWidget* parent);
  /// Shows the bounds the Workbench holds.
  void showState() override;

 private:
  workbench::Workbench& m_bench;
  std::array<QLineEdit*, 6> m_fields{};  // Edit1..Edit6: amin, amax, bmin, bmax, cmin, cmax
  std::array<QSpinBox*, 6> m_spins{};    // SpinEdit1..SpinEdit6, tenths
};

}  // namespace tavo::app
