// TForm7 "Checking Disagreeable Reflections to be Removed using OMIT Card" and TForm8 "Find and
// Locate Disordered Atoms from the *.lst File": the lists read from the listing file, the fields
// of the selected row and the buttons that add an OMIT card or the two halves of a split atom.
#pragma once

#include <array>

#include "app/windows/auxiliary_window.h"

class QLineEdit;
class QTableWidget;

namespace tavo::workbench {
class ListingCommands;
}

namespace tavo::app {

class WindowRunner;

class OmitListWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  OmitListWindow(workbench::ListingCommands& listing, WindowRunner& runner, QWidget* parent);
  /// Shows the Workbench's window model: the rows when they were read again, the marks, fields.
  void showState() override;

 private:
  workbench::ListingCommands& m_listing;
  QTableWidget* m_list = nullptr;     // StringGrid1: the lines; "Used"
  std::array<QLineEdit*, 3> m_hkl{};  // EditH, EditK, EditL
  QLineEdit* m_resolution = nullptr;  // EditResolution
};

class SplitListWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  SplitListWindow(workbench::ListingCommands& listing, WindowRunner& runner, QWidget* parent);
  void showState() override;

 private:
  workbench::ListingCommands& m_listing;
  QTableWidget* m_list = nullptr;           // StringGrid1: "Added"; the suggestion
  QLineEdit* m_label = nullptr;             // SplitLabel
  std::array<QLineEdit*, 2> m_newLabels{};  // NewLabel1, NewLabel2
  std::array<QLineEdit*, 6> m_positions{};  // X1 Y1 Z1 X2 Y2 Z2, read-only
};

}  // namespace tavo::app
