// "PART Components": the PART components in their colours, each shown or hidden by a double
// click; a view of PartCommands.
#pragma once

#include "app/windows/auxiliary_window.h"

class QCheckBox;
class QTableView;

namespace tavo::workbench {
class PartCommands;
}

namespace tavo::app {

class GridModel;
class WindowRunner;

class PartWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  PartWindow(workbench::PartCommands& parts, WindowRunner& runner, QWidget* parent);
  void showState() override;

 private:
  workbench::PartCommands& m_parts;
  QCheckBox* m_coloured = nullptr;  // PartColours
  GridModel* m_grid = nullptr;      // PartGrid
  QTableView* m_table = nullptr;
};

}  // namespace tavo::app
