// The window "Atomic Coordinates & Parameters" (TForm2, "XYZUij + Others"): the list of every
// non-H and H atom with its parameters, values typed into its cells, and the sorts of the atom
// tables by label.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/atom_ref.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// The state of TForm2. The list always shows the tables as they are: it is filled again after
/// every change, and each row knows the entry it shows.
struct AtomListWindow {
  bool visible = false;              // and the check mark of "XYZUij + Others"
  text::TextGrid grid;               // StringGrid1: the heading row, then one row per atom
  std::vector<model::AtomRef> rows;  // the entry of each grid row (row 0: the headings)
  int sortColumn = 0;                // the heading clicked last; 0: table order
  bool descending = false;           // a second click on one heading turns the order round
  std::string value;                 // Edit1, the value field
  int column = 0, row = 0;           // SpinEdit1, SpinEdit2: the cell selected last
  int right = 0, bottom = 0;         // the far corner of the selected block of cells
  bool multi = false;                // CheckBox1 "by Double Clicking or by Multi"
  bool sortGridShown = false;        // "Show the Working Grids for the Sort Process"
  text::TextGrid sortGrid;           // the working grid of the last sort
};

class AtomListCommands {
 public:
  explicit AtomListCommands(CommandContext context);
  AtomListCommands(const AtomListCommands&) = delete;
  AtomListCommands& operator=(const AtomListCommands&) = delete;

  /// XYZB1Click, "XYZUij + Others": shows the window with a fresh list, or closes it.
  void toggleWindow();
  /// "Exit" and closing the window.
  void closeWindow();
  /// XYZBUpdateClick: fills the list again from the tables.
  void refresh();
  /// A click on the heading of `column`: the rows ordered by that column (a second click turns
  /// the order round; column 0 gives the table order). The tables do not change.
  void sortByColumn(int column);
  /// StringGrid1SelectCell over the block of cells column..right, row..bottom: the number
  /// fields take the first cell and, unless CheckBox1 is on, the value field its text.
  void selectCells(int column, int row, int right, int bottom);
  void selectCell(int column, int row) { selectCells(column, row, column, row); }
  void setValue(std::string text) { m_window.value = std::move(text); }
  /// CheckBox1: on, "Apply on MultiCells" works and "Apply" is off.
  void setMulti(bool on) { m_window.multi = on; }
  /// Button1Click "Apply" (off while CheckBox1 is on).
  void apply();
  /// A double click on the list: Apply on the cell, also while CheckBox1 is on (then no rename).
  void doubleClick(int column, int row);
  /// Button2Click "Apply on MultiCells" (only while CheckBox1 is on).
  void applyMulti();
  /// SortLabelsClick "Sort_nonH_Labels".
  void sortLabels();
  /// SortHLabelsClick "Sort_H_Labels".
  void sortHydrogenLabels();
  /// SimplifytheLabelingfromShelxt1Click "Simplify the Numbering from SHELXT".
  void simplifyNumbering();
  /// WorkingGridsClick: shows or hides the working grid of the sort.
  void toggleSortGrid() { m_window.sortGridShown = !m_window.sortGridShown; }
  /// The lines "Print" prints.
  std::vector<std::string> printLines() const;
  /// Print1Click.
  void print();

  const AtomListWindow& window() const { return m_window; }

 private:
  void applyCell(int column, int row, bool rename);
  void afterEdit(const std::vector<model::AtomRef>& edited);
  void afterSort();
  model::AtomRef selectedEntry() const;
  void selectEntry(model::AtomRef ref);

  CommandContext m_context;
  AtomListWindow m_window;
};

/// "Atomic Coordinates & Parameters" (TForm2), declared.
WindowDeclaration declareAtomListWindow(AtomListCommands& atomList);

}  // namespace tavo::workbench
