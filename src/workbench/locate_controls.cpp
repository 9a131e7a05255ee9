// The locating windows declared: their controls by name, bound to the locating commands.
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
bool checkOrDefault(const std::vector<std::string>& values) {
  return values.empty() || text::parseInt(values[0]) != 0;
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

WindowDeclaration declareDistanceWindow(LocateCommands& l) {
  WindowDeclaration w = declaredWindow("TForm34", "Define the Distance?",
                                       "the atom menu's Locate of a Cartesian import shows it",
                                       [&l] { return l.distanceWindow().visible; });
  w.controls = {
      textField("con_dist", [&l](const std::string& t) { l.setDistanceText(t); }),
      press("Apply", [&l] { l.applyDistance(); }),
      press("Cancel", [&l] { l.cancelDistance(); }),
  };
  w.print = [&l] {
    const DistanceWindow& d = l.distanceWindow();
    return std::vector<std::string>{"Center " + d.center, "Connection to " + d.connected,
                                    "Connecting Distance (A) = " + d.distance};
  };
  return w;
}

WindowDeclaration LocateCommands::declareWindow() {
  WindowDeclaration w = declaredWindow("TForm28", "Locating an Atom, Atoms, or a Group",
                                       "Locate an atom first", [this] { return m_window.visible; });
  // The vector controls answer only while "Locate with Vectors" is checked.
  const auto vectorControl = [this](std::string name, ControlAction act) {
    return [this, name, act](const ControlInput& v) {
      if (!m_window.vectorControlsEnabled)
        throw UserError(name + " is disabled until \"Locate with Vectors\" is checked");
      act(v);
    };
  };
  // A row of a list given as its number (from 0) or as the label in it.
  const auto listControl = [this, vectorControl](int list) {
    const std::string name = "StringGrid" + std::to_string(list + 1);
    const auto gridOf = [this, list]() -> const text::TextGrid& {
      return list == 0 ? m_window.atoms : m_window.centroids[static_cast<std::size_t>(list - 1)];
    };
    ControlAction click = [this, name, list, gridOf](const ControlInput& v) {
      const int row = rowOf(gridOf(), oneValue(name, v));
      list == 0 ? clickAtomRow(row) : clickCentroidRow(list - 1, row);
    };
    ControlAction doubleClick = [this, name, list, gridOf](const ControlInput& v) {
      const int row = rowOf(gridOf(), oneValue(name, v));
      list == 0 ? doubleClickAtomRow(row) : doubleClickCentroidRow(list - 1, row);
    };
    return table(name, vectorControl(name, click), vectorControl(name, doubleClick));
  };
  ControlDeclaration locate = textField("Locate", [this](const std::string& label) {
    // The atom menu's "Locate" on the entry labelled so.
    const AtomRef target = model::atomByLabel(m_state.structure, label);
    m_state.selection.clear(m_state.structure);
    m_state.selection.append(m_state.structure, target);
    locateFromAtomMenu();
  });
  locate.whileHidden = true;
  w.controls = {locate,
                press("CheckBox5", [this] { readGroupByDialog(); }),
                control("CheckBox6", ControlKind::Choice,
                        [this](const ControlInput& v) { checkVectors(checkOrDefault(v)); }),
                press("Button2", [this] { applyH(); }),
                press("Cancel", [this] { cancel(); }),
                textField("Edit1", [this](const std::string& t) { m_window.hDistance = t; }),
                listControl(0),
                listControl(1),
                listControl(2),
                listControl(3)};
  static constexpr const char* hOptions[] = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",
                                             "CheckBox10"};
  for (int k = 0; k < 5; ++k)
    w.controls.push_back(press(hOptions[k], [this, k] { checkHOption(k); }));
  for (int k = 0; k < 3; ++k) {
    const std::string name = "CheckBox" + std::to_string(7 + k);
    w.controls.push_back(
        control(name, ControlKind::Choice, vectorControl(name, [this, k](const ControlInput& v) {
                  checkCentroidList(k, checkOrDefault(v));
                })));
  }
  w.controls.push_back(
      control("Edit2", ControlKind::Text, vectorControl("Edit2", [this](const ControlInput& v) {
                setVectorLength(oneValue("Edit2", v));
              })));
  w.controls.push_back(control("SpinEdit20", ControlKind::Number,
                               vectorControl("SpinEdit20", [this](const ControlInput& v) {
                                 setElementNumber(text::parseInt(oneValue("SpinEdit20", v)));
                               })));
  w.controls.push_back(
      control("Button1", ControlKind::Press,
              vectorControl("Button1", [this](const ControlInput&) { applyVectors(); })));
  w.print = [this] { return printLines(); };
  return w;
}

std::vector<std::string> LocateCommands::printLines() const {
  std::vector<std::string> lines;
  const char* titles[] = {"List of atoms", "Grvty0", "Grvty1", "Grvty2"};
  for (int k = 0; k < 4; ++k) {
    const text::TextGrid& grid =
        k == 0 ? m_window.atoms : m_window.centroids[static_cast<std::size_t>(k - 1)];
    lines.emplace_back(titles[k]);
    for (int r = 0; r < grid.rowCount(); ++r) {
      lines.push_back("  " + std::to_string(r) + ": " + grid.cell(r, 0) + " | " + grid.cell(r, 1) +
                      " | " + grid.cell(r, 2));
    }
  }
  lines.push_back("Vector_Length (A) = " + m_window.vectorLength);
  lines.push_back("element " + std::to_string(m_window.elementNumber) + ' ' +
                  m_window.elementSymbol);
  lines.push_back(std::string("vectors ") +
                  (m_window.vectorControlsEnabled ? "enabled" : "disabled"));
  return lines;
}

}  // namespace tavo::workbench
