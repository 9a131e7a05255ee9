// TForm28 'Locating an Atom, Atoms, or a Group' and TForm34 'Define the Distance?': the views of
// the Workbench's locating window models.
#pragma once

#include <array>

#include "app/windows/auxiliary_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tavo::workbench {
class LocateCommands;
}

namespace tavo::app {

class WindowRunner;

class GridModel;

class LocateWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  LocateWindow(workbench::LocateCommands& locate, WindowRunner& runner, QWidget* parent);
  /// Shows the window model the Workbench holds.
  void showState() override;

 private:
  QWidget* buildGroupBox();
  QWidget* buildHydrogenBox();
  QWidget* buildVectorBox();

  workbench::LocateCommands& m_locate;
  std::array<GridModel*, 4> m_models{};     // "List of atoms", Grvty0, Grvty1, Grvty2
  std::array<QTableView*, 4> m_lists{};     // StringGrid1..StringGrid4
  std::array<QCheckBox*, 3> m_centroids{};  // CheckBox7..CheckBox9
  std::array<QCheckBox*, 5> m_hOptions{};   // CheckBox1..CheckBox4, CheckBox10
  QCheckBox* m_readFile = nullptr;          // CheckBox5
  QCheckBox* m_vectors = nullptr;           // CheckBox6
  QLineEdit* m_length = nullptr;            // Edit2
  QSpinBox* m_element = nullptr;            // SpinEdit20
  QLineEdit* m_symbol = nullptr;            // Edit5
  QPushButton* m_vectorApply = nullptr;     // Button1
  QLineEdit* m_hDistance = nullptr;         // Edit1
};

class DistanceWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  DistanceWindow(workbench::LocateCommands& locate, WindowRunner& runner, QWidget* parent);
  void showState() override;

 private:
  workbench::LocateCommands& m_locate;
  QLabel* m_center = nullptr;       // atm_center
  QLabel* m_connected = nullptr;    // atm_connected
  QLineEdit* m_distance = nullptr;  // con_dist
};

}  // namespace tavo::app
