// TForm18 "Graphics Colors and Other Settings": the eleven colours as edits painted in their
// colour, the ten numeric settings as spin edits, the current settings file and the File menu
// with "Save Settings" and "OpenSettings".
#pragma once

#include <array>
#include <functional>

#include "app/windows/auxiliary_window.h"
#include "view/graphics_settings.h"

class QLineEdit;
class QSpinBox;

namespace tavo::workbench {
class PreferenceCommands;
class Workbench;
}  // namespace tavo::workbench

namespace tavo::app {

class GraphicsSettingsWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  GraphicsSettingsWindow(workbench::Workbench& bench, QWidget* parent);
  /// Shows the Workbench's settings and the current file name.
  void showState() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void run(const std::function<void(workbench::PreferenceCommands&)>& command);

  workbench::Workbench& m_bench;
  std::array<QLineEdit*, view::graphicsSettingCount> m_colors{};  // Edit1..Edit11 (lines 1..11)
  std::array<QSpinBox*, view::graphicsSettingCount> m_spins{};    // SpinEdit1..10 (lines 12..21)
  QLineEdit* m_fileName;                                          // graphicsinf
};

}  // namespace tavo::app
