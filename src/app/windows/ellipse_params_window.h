// TForm15 "Parameters for Drawing Ellipes": the overall size factor of the ellipse picture and
// the thermal-ellipsoid style.
#pragma once

#include "app/windows/auxiliary_window.h"

class QCheckBox;
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
  QSpinBox* m_sizeFactor;   // SpinEdit1 "Overall Size Factor"
  QCheckBox* m_ellipsoids;  // Ellipsoids "Thermal ellipsoids"
  QSpinBox* m_probability;  // Probability "Probability (%)"
  QCheckBox* m_principal;   // PrincipalEllipses
  QCheckBox* m_octants;     // OctantShading
};

}  // namespace tavo::app
