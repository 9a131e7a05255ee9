// The window "Handling Fixing Treatments and Free Variables" (TForm23), in which the user sets
// the free-variable code of every parameter of every atom and edits the FVAR list, and the
// window "HFIX Coding Rules" (TForm4) that explains the two digits of an HFIX code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/atom_ref.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

inline constexpr std::string_view noValueMessage = "No Value in the ValueBox!";
inline constexpr std::string_view addFvarFirstMessage =
    "New FVAR should be added before assigning it!!";
inline constexpr std::string_view scaleFactorMessage =
    "The scaling factor, fv(1), must be handled with care!!";
inline constexpr std::string_view fixingHint =
    "(1) None = 0.    (2) Fixed = 10.    (3) FVARs = 21, 31, 41, 30.5, -21, -31, -41, .... etc.";
inline constexpr std::string_view printAdvice = "Recommended: A4,Landscape,Courier,8";
/// Shown when the atom list changed under a selected cell since it was selected.
inline constexpr std::string_view staleCellMessage =
    "The atom list has changed since the cell was selected: select the cell again.";

/// The headings of the code table, column 0 "Label" and columns 1..10 the parameters.
inline constexpr std::string_view codeHeadings[11] = {
    "Label",    "X_info",   "Y_info",   "Z_info",   "sof_info", "U11_info",
    "U22_info", "U33_info", "U23_info", "U13_info", "U12_info"};

/// A block of selected cells, corners included.
struct CellBlock {
  int top = 1, left = 1, bottom = 1, right = 1;
};

/// The state of TForm23. Row 0 of each grid holds its headings.
struct FixingWindow {
  bool visible = false;
  text::TextGrid codeTable;  // CodeGrid: label and codes 1..10 of every atom, then every H atom
  text::TextGrid fvarTable;  // FvarGrid: "No.", "FVAR"
  CellBlock codes;           // the selected code cell (top, left) and block
  int fvarTop = 1, fvarBottom = 1;   // the selected free-variable rows
  std::string labelField;            // LabelEdit (read-only)
  std::string columnField;           // ColumnEdit (read-only): "X-info", ...
  std::string codeField;             // CodeEdit
  std::string fvarField;             // FvarEdit
  std::string valueBox;              // ValueBox
  bool doubleClickMode = false;      // DoubleClickBox, "Apply this by double clicking"
  std::vector<model::AtomRef> rows;  // the atom of each code row (index 0 unused)
  std::vector<std::string> rowLabels;
};

/// The state of TForm4.
struct HfixRulesWindow {
  int m = 4;  // SpinEditM, 1..16
  int n = 3;  // SpinEditN, 1..9
  std::string mExplanation;
  std::string nExplanation;
  std::string codeText;  // "AFIX  43"
};

/// The explanation of the first (m) and second (n) digit of an HFIX code.
std::string_view hfixMExplanation(int m);
std::string_view hfixNExplanation(int n);

class FreeVariableCommands {
 public:
  explicit FreeVariableCommands(CommandContext context);
  FreeVariableCommands(const FreeVariableCommands&) = delete;
  FreeVariableCommands& operator=(const FreeVariableCommands&) = delete;

  /// "Fixing/FVAR": hides the window, or refreshes it (compacting the free variables) and shows
  /// it.
  void toggleWindow();
  /// Closing the window.
  void closeWindow();
  /// Refills both grids from the model, then compacts the free variables and refills again.
  void refresh();

  /// Selects a code cell (row 1.., column 1..10) or the block from it to (row2, column2);
  /// fills the label, column and code fields.
  void selectCodes(int row, int column, int row2, int column2);
  void selectCode(int row, int column) { selectCodes(row, column, row, column); }
  /// Selects free-variable rows; fills the free-variable field.
  void selectFvars(int top, int bottom);
  void setDoubleClickMode(bool on);
  void setCodeField(std::string text) { m_window.codeField = std::move(text); }
  void setFvarField(std::string text) { m_window.fvarField = std::move(text); }
  void setValueBox(std::string text) { m_window.valueBox = std::move(text); }

  /// "Apply This Value to the Selected Cell" (single-cell mode).
  void applyCode();
  /// A double click in the code table at (row, column) (double-click mode).
  void doubleClickCode(int row, int column);
  /// "Add This as a New FVAR".
  void addFreeVariable();
  /// "Apply This to the Selected".
  void changeFreeVariable();
  /// A double click in the free-variable table at `row` (double-click mode).
  void doubleClickFreeVariable(int row);
  /// "Multi-Apply (Left Cells with ValueBox)".
  void multiApplyFreeVariables();
  /// "Multi-Apply (Right Cells with ValueBox)".
  void multiApplyCodes();
  /// The text File → "Print" prints.
  std::vector<std::string> printLines() const;
  /// File → "Print": the advice, then the printer.
  void print();

  /// "HFIX Selection (H atoms)": shows TForm4 with the explanation of the current m.
  void showHfixRules();
  void setHfixM(int m);
  void setHfixN(int n);
  /// "Adopt and Quit": hands m and n to the HFIX mouse mode, hides the window, redraws.
  void adoptHfixRules();
  void closeHfixRules();

  const FixingWindow& window() const { return m_window; }
  const HfixRulesWindow& hfixRules() const { return m_hfix; }
  bool hfixRulesVisible() const;

 private:
  void fill();
  void fillFields();
  /// The code as it would be stored, after the checks of the window; throws UserError.
  double checkedCode(std::string_view text, model::AtomRef ref, int column);
  /// Sets the code of one cell and decodes a tied one; throws UserError when refused.
  void setCode(int row, int column, std::string_view text);
  /// The atom of a code row, checked against the label the row showed.
  model::AtomRef atomOfRow(int row);
  void setFreeVariables(int top, int bottom, std::string_view text);

  CommandContext m_context;
  FixingWindow m_window;
  HfixRulesWindow m_hfix;
};

/// "HFIX Coding Rules" (TForm4), declared.
WindowDeclaration declareHfixRulesWindow(FreeVariableCommands& freeVariables);
/// "Handling Fixing Treatments and Free Variables" (TForm23), declared.
WindowDeclaration declareFixingWindow(FreeVariableCommands& freeVariables);

}  // namespace tavo::workbench
