// TForm14 'Packing View Range': the six bounds of the packing view as fields with a spin
// control beside each, and the menu item "Exit".
#pragma once

#include <array>

#include "app/windows/auxiliary_window.h"

class QLineEdit;
class QSpinBox;

namespace tavo::geometry {
struct ViewFrame;
}

namespace tavo::app {

class WindowRunner;

class PackingRangeWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  /// Shows the bounds of `frame`, the view frame the Workbench keeps.
  PackingRangeWindow(const geometry::ViewFrame& frame, WindowRunner& runner, QWidget* parent);
  /// Shows the bounds the view frame holds.
  void showState() override;

 private:
  const geometry::ViewFrame& m_frame;
  std::array<QLineEdit*, 6> m_fields{};  // Edit1..Edit6: amin, amax, bmin, bmax, cmin, cmax
  std::array<QSpinBox*, 6> m_spins{};    // SpinEdit1..SpinEdit6, tenths
};

}  // namespace tavo::app
