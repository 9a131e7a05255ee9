// The window "Global Edition" (TForm27): one edit applied to every atom of a list chosen from
// the List of Atoms.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editing/global_edition.h"
#include "model/atom_ref.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// The state of TForm27. Both lists have three columns: label, kind ("1" atom, "2" H atom) and
/// index; they are refilled whenever the tables change, so a row never names another atom.
struct GlobalEditionWindow {
  bool visible = false;                  // and the check mark of "Global Edition"
  text::TextGrid atomList;               // StringGrid1, "List of Atoms"
  std::vector<model::AtomRef> atoms;     // the atom of each List-of-Atoms row
  text::TextGrid selectedList;           // StringGrid2, "Selcted Atoms" (one blank row if empty)
  std::vector<model::AtomRef> selected;  // the atom of each Selected-Atoms row
  int atomTop = 0, atomBottom = -1;      // block selection of StringGrid1 (rows from 0)
  int selectedTop = 0, selectedBottom = -1;  // block selection of StringGrid2
  std::string population = "0.5";            // Edit1, "Population"
  std::string uiso = "0.05";                 // Edit2, "Uiso="
  std::string code = "21";                   // Edit3, "Definition=" "(not a FVAR itself)"
  int parameter = 4;                         // SpinEdit1, 1..10
  editing::GlobalOption option = editing::GlobalOption::Delete;
  /// The inputs the option uses (the others are disabled).
  bool populationEnabled() const { return option == editing::GlobalOption::Population; }
  bool uisoEnabled() const { return option == editing::GlobalOption::AnisoIntoIso; }
  bool codeEnabled() const { return option == editing::GlobalOption::SetFvar; }
};

class GlobalEditionCommands {
 public:
  explicit GlobalEditionCommands(CommandContext context);
  GlobalEditionCommands(const GlobalEditionCommands&) = delete;
  GlobalEditionCommands& operator=(const GlobalEditionCommands&) = delete;

  /// "Global Edition": fills the List of Atoms, empties Selected Atoms and shows the window, or
  /// closes it.
  void toggleWindow();
  /// Closing the window: the Selection is cleared, the window hidden, the picture redrawn.
  void closeWindow();

  /// A double click on List-of-Atoms row `row` (from 0): adds it unless it is listed already.
  void addRow(int row);
  /// The block selection of the List of Atoms (rows from 0).
  void selectAtomRows(int top, int bottom);
  /// "Multi-Selection": adds every row of the List-of-Atoms block selection.
  void multiSelection();
  /// A double click on Selected-Atoms row `row` (from 0): removes it.
  void removeRow(int row);
  void selectSelectedRows(int top, int bottom);
  /// "Multi-Removal": removes the rows of the Selected-Atoms block selection.
  void multiRemoval();
  /// Adds the atoms or H atoms labelled `label` (for scripts); UserError when there is none.
  void addLabel(std::string_view label);

  /// Chooses an option; "Delete_All_Hs" fills Selected Atoms with every H atom.
  void chooseOption(editing::GlobalOption option);
  void setPopulation(std::string text) { m_window.population = std::move(text); }
  void setUiso(std::string text) { m_window.uiso = std::move(text); }
  void setCode(std::string text) { m_window.code = std::move(text); }
  /// SpinEdit1, clamped to 1..10.
  void setParameter(int parameter);

  /// "Apply": carries out the chosen option on the Selected Atoms as one undoable step.
  void apply();

  const GlobalEditionWindow& window() const { return m_window; }

 private:
  void fillAtomList();
  void fillSelectedList();
  void add(model::AtomRef ref);
  void deleteListed(const std::vector<model::AtomRef>& refs);

  CommandContext m_context;
  GlobalEditionWindow m_window;
};

/// "Global Edition" (TForm27), declared.
WindowDeclaration declareGlobalEditionWindow(GlobalEditionCommands& globalEdition);

}  // namespace tavo::workbench
