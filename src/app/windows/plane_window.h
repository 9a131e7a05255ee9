// TForm37 "Plane Calculation Control Window (since 2023)": the atoms with their distances from
// each plane, the plane results, the dihedral angles, and the buttons that add, drop and
// calculate planes; File > Save writes the report.
#pragma once

#include "app/windows/auxiliary_window.h"

class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace tavo::workbench {
class GeometryCommands;
}

namespace tavo::app {

class WindowRunner;

class PlaneCalcWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  PlaneCalcWindow(workbench::GeometryCommands& geometry, WindowRunner& runner, QWidget* parent);
  /// Shows the Workbench's window model.
  void showState() override;
  /// The visibility last taken from the Workbench.

 private:
  workbench::GeometryCommands& m_geometry;
  QSpinBox* m_planeNumber = nullptr;    // PlaneNum
  QLineEdit* m_total = nullptr;         // TotalPlane
  QLineEdit* m_previousU = nullptr;     // UPValue
  QLineEdit* m_u = nullptr;             // UValue
  QLineEdit* m_r = nullptr;             // RValue
  QLineEdit* m_rms = nullptr;           // RMS
  QTableWidget* m_atoms = nullptr;      // StringGrid1
  QTableWidget* m_results = nullptr;    // StringGrid2
  QTableWidget* m_dihedrals = nullptr;  // StringGrid3
};

}  // namespace tavo::app
