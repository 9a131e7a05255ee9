// "Map Peaks" (the map's level, type, figures and residual peaks) and "Agreement with the Data"
// (R1, wR2, GooF, the worst-fitting and the omitted reflections): views of DensityCommands.
#pragma once

#include <vector>

#include "app/windows/auxiliary_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace tavo::workbench {
class DensityCommands;
}

namespace tavo::app {

class GridModel;
class WindowRunner;

class MapPeaksWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  MapPeaksWindow(workbench::DensityCommands& density, WindowRunner& runner, QWidget* parent);
  void showState() override;

 private:
  workbench::DensityCommands& m_density;
  QLineEdit* m_level = nullptr;  // MapLevel
  QComboBox* m_type = nullptr;   // MapType
  QCheckBox* m_shown = nullptr;  // ShowMap
  QLabel* m_summary = nullptr;   // MapSummary
  GridModel* m_peaks = nullptr;  // PeakGrid
  QTableView* m_peakTable = nullptr;
};

class AgreementWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  AgreementWindow(workbench::DensityCommands& density, WindowRunner& runner, QWidget* parent);
  void showState() override;

 private:
  workbench::DensityCommands& m_density;
  GridModel* m_summary = nullptr;  // SummaryGrid
  GridModel* m_worst = nullptr;    // WorstGrid
  GridModel* m_omitted = nullptr;  // OmittedGrid
  std::vector<QTableView*> m_tables;
};

}  // namespace tavo::app
