// TForm3 "Chemical Formula": twenty element rows (symbol, UNIT number, weight percentage), the
// formula weight, cell, volume, density and Z, the element name field and the buttons
// "Add Elem", "Del Elem", "Calculate" and "Update", and the menu item "Exit".
#pragma once

#include <array>

#include "app/windows/auxiliary_window.h"
#include "workbench/formula_commands.h"

class QLineEdit;

namespace tavo::app {

class WindowRunner;

class FormulaWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  FormulaWindow(workbench::FormulaCommands& formula, WindowRunner& runner, QWidget* parent);
  /// Shows the texts of the Workbench's window model.
  QSize preferredSize(const QSize& mainSize, int pictureHeight) const override;
  void showState() override;

 private:
  struct Row {
    QLineEdit* symbol = nullptr;   // ElemK
    QLineEdit* unit = nullptr;     // UnitK, editable
    QLineEdit* percent = nullptr;  // PercentK
  };
  workbench::FormulaCommands& m_formula;
  std::array<Row, workbench::formulaElementRows> m_rows{};
  std::array<QLineEdit*, 10> m_figures{};  // fw, a, b, c, alpha, beta, gamma, V, d, Z
  QLineEdit* m_newElement = nullptr;       // NewElem
};

}  // namespace tavo::app
