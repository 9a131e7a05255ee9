// TForm3 "Chemical Formula": twenty element rows (symbol, UNIT number, weight percentage), the
// formula weight, cell, volume, density and Z, the element name field and the buttons
// "Add Elem", "Del Elem", "Calculate" and "Update", and the menu item "Exit".
#pragma once

#include <array>
#include <functional>

#include "app/windows/auxiliary_window.h"
#include "workbench/formula_commands.h"

class QLineEdit;

namespace tavo::workbench {
class Workbench;
}

namespace tavo::app {

class FormulaWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  FormulaWindow(workbench::Workbench& bench, QWidget* parent);
  /// Shows the texts of the Workbench's window model.
  QSize preferredSize(const QSize& mainSize, int pictureHeight) const override;
  void refresh() override;

 private:
  struct Row {
    QLineEdit* symbol = nullptr;   // ElemK
    QLineEdit* unit = nullptr;     // UnitK, editable
    QLineEdit* percent = nullptr;  // PercentK
  };
  /// Runs a button's command through the Workbench's dispatcher.
  void run(void (workbench::FormulaCommands::*command)());

  workbench::Workbench& m_bench;
  std::array<Row, workbench::formulaElementRows> m_rows{};
  std::array<QLineEdit*, 10> m_figures{};  // fw, a, b, c, alpha, beta, gamma, V, d, Z
  QLineEdit* m_newElement = nullptr;       // NewElem
};

}  // namespace tavo::app
