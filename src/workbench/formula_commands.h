// The "Chemical Formula" window (TForm3): the cell contents of SFAC and UNIT with their weight
// percentages, formula weight, cell, volume, density and Z; Add Elem, Del Elem, Calculate and
// Update.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/structure_model.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// The element rows of the window.
inline constexpr int formulaElementRows = 20;
/// The initial text of the element name field.
inline constexpr std::string_view newElementText = "NewElem";

/// The window model of "Chemical Formula".
struct FormulaWindow {
  /// Column numbers of the element grid.
  enum Column : int { Symbol = 0, Unit, WeightPercent };

  bool visible = false;
  /// Row 0 holds the headings; row k (1..20) element k: symbol, UNIT number (editable),
  /// weight percentage. Rows above shownRows are empty, disabled and hidden.
  text::TextGrid elements{formulaElementRows + 1, 3};
  int shownRows = 0;
  std::string formulaWeight;  // "fw"
  std::string a, b, c;        // "a=", "b=", "c="
  std::string alpha, beta, gamma;
  std::string volume;                      // "V="
  std::string density;                     // "d=", g/cm³
  std::string z;                           // "Z="
  std::string newElement{newElementText};  // the name field of "Add Elem" and "Del Elem"
};

class FormulaCommands {
 public:
  explicit FormulaCommands(CommandContext context);
  FormulaCommands(const FormulaCommands&) = delete;
  FormulaCommands& operator=(const FormulaCommands&) = delete;

  const FormulaWindow& window() const { return m_window; }

  /// "Formula/Cell": the figures of the model's UNIT numbers, and the window shown.
  void open();
  /// "Exit" or the close box: hides the window and redraws the molecule.
  void exit();
  /// The figures of the model's UNIT numbers (after a load, an Apply's recount, an undo).
  /// Nothing changes unless the structure has 2..20 elements.
  void refresh();

  /// The user typed into the UNIT field of element row `row` (1..20).
  void setUnitText(int row, std::string text);
  /// The user typed into the element name field.
  void setNewElementText(std::string text) { m_window.newElement = std::move(text); }

  /// "Add Elem": appends the element named in the name field to SFAC and UNIT (UNIT number 1),
  /// with its element definition. UserError when the SFAC or UNIT card cannot be rewritten,
  /// when the table is full, or when no definition lists the element.
  void addElement();
  /// "Del Elem": removes the element named in the name field from SFAC and UNIT when no atom or
  /// H atom uses it; the later elements and every atom's SFAC number move down by one. UserError
  /// when an atom uses it or the cards cannot be rewritten.
  void deleteElement();
  /// "Calculate": the figures for the typed UNIT numbers; the model keeps its own.
  /// ConversionError for a field that is not a number.
  void calculate();
  /// "Update": the typed UNIT numbers become the model's and are written into the UNIT card.
  /// ConversionError for a field that is not a number, UserError when the card cannot be
  /// rewritten; nothing changes then.
  void update();

 private:
  bool active() const;
  std::vector<double> typedUnitNumbers() const;
  void show(const std::vector<double>& unitNumbers);
  void resetElementPicker();
  void refreshWhenChanged();

  CommandContext m_context;
  FormulaWindow m_window;
  /// The elements and cell the figures were last computed from (to refresh only on a change).
  std::vector<model::Element> m_shownElements;
  model::CellParameters m_shownCell;
};

/// "Chemical Formula" (TForm3), declared.
WindowDeclaration declareFormulaWindow(FormulaCommands& formula);

}  // namespace tavo::workbench
