// TForm18 "Graphics Colors and Other Settings": the eleven colours as edits painted in their
// colour, the ten numeric settings as spin edits, the current settings file and the File menu
// with "Save Settings" and "OpenSettings".
#pragma once

#include <array>

#include "app/windows/auxiliary_window.h"
#include "view/graphics_settings.h"

class QLineEdit;
class QSpinBox;

namespace tavo::workbench {
class PreferenceCommands;
}  // namespace tavo::workbench

namespace tavo::app {

class WindowRunner;

class GraphicsSettingsWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  GraphicsSettingsWindow(workbench::PreferenceCommands& preferences, WindowRunner& runner,
                         QWidget* parent);
  /// Shows the core's settings and the current file name.
  void showState() override;

 protected:
  /// A mouse press on a colour field presses its control, which opens the colour chooser.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  workbench::PreferenceCommands& m_preferences;
  std::array<QLineEdit*, view::graphicsSettingCount> m_colors{};  // Edit1..Edit11 (lines 1..11)
  std::array<QSpinBox*, view::graphicsSettingCount> m_spins{};    // SpinEdit1..10 (lines 12..21)
  QLineEdit* m_fileName;                                          // graphicsinf
};

}  // namespace tavo::app
