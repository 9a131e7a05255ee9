// The controls of the locating windows by their names, for run scripts.
#include <string>

#include "model/atom_lookup.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/locate_commands.h"

namespace tavo::workbench {

namespace {

using model::AtomKind;
using model::AtomRef;

const std::string& oneValue(std::string_view control, const std::vector<std::string>& values) {
  if (values.size() != 1) throw UserError(std::string(control) + " takes one value");
  return values[0];
}

/// A check box's value: "1" checks it (also the default), "0" unchecks it.
bool checkValue(const std::vector<std::string>& values) {
  return values.empty() || text::parseInt(values[0]) != 0;
}

/// The list 0..3 of "StringGrid1".."StringGrid4" (empty for another name).
std::optional<int> listNumber(std::string_view name) {
  for (int k = 0; k < 4; ++k) {
    if (name == "StringGrid" + std::to_string(k + 1)) return k;
  }
  return std::nullopt;
}

/// The row of a list given as its number (from 0) or as the label in it.
int rowOf(const text::TextGrid& grid, const std::string& value) {
  if (const std::optional<int> row = text::findInt(value)) return *row;
  for (int r = 0; r < grid.rowCount(); ++r) {
    if (text::upper(grid.cell(r, LocateWindow::Label)) == text::upper(value)) return r;
  }
  throw UserError("no row of the list holds " + value);
}

}  // namespace

void LocateCommands::operate(std::string_view windowName, std::string_view control,
                             const std::vector<std::string>& values) {
  const std::string name(control);
  if (windowName == "TForm34") {
    if (!m_distance.visible)
      throw UserError("TForm34 is not shown (the atom menu's Locate of a Cartesian import)");
    if (control == "con_dist") return setDistanceText(oneValue(control, values));
    if (control == "Apply") return applyDistance();
    if (control == "Cancel") return cancelDistance();
    throw UserError("TForm34 has no control \"" + name + "\"");
  }
  if (windowName != "TForm28") throw UserError("there is no locating window \"" + name + "\"");
  if (control == "Locate") {
    // The atom menu's "Locate" on the entry labelled so.
    const AtomRef target = model::atomByLabel(m_state.structure, oneValue(control, values));
    m_state.selection.clear(m_state.structure);
    m_state.selection.append(m_state.structure, target);
    return locateFromAtomMenu();
  }
  if (!m_window.visible) throw UserError("TForm28 is not shown (Locate an atom first)");
  for (std::size_t k = 0; k < 5; ++k) {
    static constexpr const char* boxes[] = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",
                                            "CheckBox10"};
    if (control == boxes[k]) return checkHOption(static_cast<int>(k));
  }
  if (control == "CheckBox5") return readGroupByDialog();
  if (control == "CheckBox6") return checkVectors(checkValue(values));
  if (control == "Button2") return applyH();
  if (control == "Cancel") return cancel();
  if (control == "Edit1") {
    m_window.hDistance = oneValue(control, values);
    return;
  }
  const bool vectorControl = control == "CheckBox7" || control == "CheckBox8" ||
                             control == "CheckBox9" || control == "Edit2" ||
                             control == "SpinEdit20" || control == "Button1" ||
                             control == "DoubleClick" || listNumber(control).has_value();
  if (vectorControl && !m_window.vectorControlsEnabled)
    throw UserError(name + " is disabled until \"Locate with Vectors\" is checked");
  if (control == "CheckBox7") return checkCentroidList(0, checkValue(values));
  if (control == "CheckBox8") return checkCentroidList(1, checkValue(values));
  if (control == "CheckBox9") return checkCentroidList(2, checkValue(values));
  if (control == "Edit2") return setVectorLength(oneValue(control, values));
  if (control == "SpinEdit20") return setElementNumber(text::parseInt(oneValue(control, values)));
  if (control == "Button1") return applyVectors();
  const bool doubleClick = control == "DoubleClick";
  if (doubleClick && values.size() != 2)
    throw UserError("DoubleClick takes a list (StringGrid1..4) and a row or label");
  const std::optional<int> list = listNumber(doubleClick ? std::string_view(values[0]) : control);
  if (!list) throw UserError("TForm28 has no control \"" + name + "\"");
  const std::string& rowText = doubleClick ? values[1] : oneValue(control, values);
  const text::TextGrid& grid =
      *list == 0 ? m_window.atoms : m_window.centroids[static_cast<std::size_t>(*list - 1)];
  const int row = rowOf(grid, rowText);
  if (*list == 0) return doubleClick ? doubleClickAtomRow(row) : clickAtomRow(row);
  return doubleClick ? doubleClickCentroidRow(*list - 1, row) : clickCentroidRow(*list - 1, row);
}

}  // namespace tavo::workbench
