// TForm15 "Parameters for Drawing Ellipes": the overall size factor of the ellipse picture.
#pragma once

#include "app/windows/auxiliary_window.h"

class QSpinBox;

namespace tavo::workbench {
class PreferenceCommands;
}

namespace tavo::app {

class WindowRunner;

class EllipseParamsWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  EllipseParamsWindow(workbench::PreferenceCommands& preferences, WindowRunner& runner,
                      QWidget* parent);
  /// Shows the Workbench's values.
  void showState() override;

 private:
  workbench::PreferenceCommands& m_preferences;
  QSpinBox* m_sizeFactor;  // SpinEdit1 "Overall Size Factor"
};

}  // namespace tavo::app
