// The "Chemical Formula" window.
#include "workbench/formula_commands.h"

#include <algorithm>

#include "model/cell_contents.h"
#include "model/element_definitions.h"
#include "model/formula.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"
#include "workbench/picture_preferences.h"

namespace tavo::workbench {

namespace {

/// The atom or H atom that uses element `e`, if any (copies of an expansion carry the SFAC
/// number of their original, so the file's atoms decide).
std::string userOf(const model::StructureModel& s, int e) {
  for (int i = 1; i <= s.nonHCount; ++i) {
    if (s.atoms[i].sfac == e) return s.atoms[i].label;
  }
  for (int i = 1; i <= s.hCount; ++i) {
    if (s.hydrogens[i].sfac == e) return s.hydrogens[i].label;
  }
  return "";
}

/// Throws the reason why Add Elem and Del Elem cannot rewrite SFAC and UNIT.
void requireRewritableCards(const model::StructureModel& s) {
  for (const std::string& refusal : {model::sfacRewriteRefusal(s), model::unitRewriteRefusal(s)}) {
    if (!refusal.empty()) throw UserError(refusal);
  }
}

}  // namespace

FormulaCommands::FormulaCommands(CommandContext context) : m_context(context) {
  m_window.elements.setRow(0, {"Elem", "UNIT", "Weight %"});
  // The figures follow every change of the elements or the cell: a load, an Apply's recount of
  // the UNIT numbers, an undo. Typed UNIT numbers stay until then.
  m_context.state.followLoad([this] {
    m_shownElements.clear();
    if (active()) {
      refresh();
    } else {
      // A structure the window cannot show: nothing of the previous one stays.
      FormulaWindow empty;
      empty.elements.setRow(0, m_window.elements.row(0));
      empty.visible = m_window.visible;
      empty.newElement = m_window.newElement;
      m_window = std::move(empty);
    }
  });
  m_context.state.followDetection([this] { refreshWhenChanged(); });
}

bool FormulaCommands::active() const {
  const int count = m_context.state.structure.elementCount;
  return count >= 2 && count <= formulaElementRows;
}

void FormulaCommands::open() {
  refresh();
  m_window.visible = true;
}

void FormulaCommands::exit() {
  m_window.visible = false;
  m_context.state.redraw();
}

void FormulaCommands::refresh() {
  if (!active()) return;
  const model::StructureModel& s = m_context.state.structure;
  std::vector<double> unitNumbers(static_cast<std::size_t>(s.elementCount + 1), 0.0);
  for (int e = 1; e <= s.elementCount; ++e)
    unitNumbers[static_cast<std::size_t>(e)] = s.elements[e].unitCount;
  show(unitNumbers);
  m_shownElements.assign(&s.elements[1], &s.elements[1] + s.elementCount);
  m_shownCell = s.cell;
}

void FormulaCommands::refreshWhenChanged() {
  if (!active()) return;
  const model::StructureModel& s = m_context.state.structure;
  const bool same = m_shownCell == s.cell &&
                    static_cast<int>(m_shownElements.size()) == s.elementCount &&
                    std::equal(m_shownElements.begin(), m_shownElements.end(), &s.elements[1]);
  if (!same) refresh();
}

void FormulaCommands::show(const std::vector<double>& unitNumbers) {
  const model::StructureModel& s = m_context.state.structure;
  const model::FormulaFigures f = model::formulaFigures(s, unitNumbers);
  FormulaWindow& w = m_window;
  w.shownRows = s.elementCount;
  for (int k = 1; k <= formulaElementRows; ++k) {
    if (k > s.elementCount) {
      w.elements.setRow(k, {"", "", ""});
      continue;
    }
    const auto e = static_cast<std::size_t>(k);
    w.elements.setRow(k,
                      {s.elements[k].symbol, text::padLeft(text::formatFixed(unitNumbers[e], 3), 8),
                       text::cut(text::formatGeneral(f.weightPercent[e]), 6) + " %"});
  }
  w.formulaWeight = s.cell.z > 0 ? text::cut(text::formatGeneral(f.formulaWeight), 8) : "";
  w.a = text::cut(text::formatGeneral(s.cell.a), 8);
  w.b = text::cut(text::formatGeneral(s.cell.b), 8);
  w.c = text::cut(text::formatGeneral(s.cell.c), 8);
  w.alpha = text::cut(text::formatGeneral(s.cell.alpha), 7);
  w.beta = text::cut(text::formatGeneral(s.cell.beta), 7);
  w.gamma = text::cut(text::formatGeneral(s.cell.gamma), 7);
  w.volume = text::cut(text::formatGeneral(f.volume), 7);
  w.density = text::cut(text::formatGeneral(f.density), 6);
  w.z = text::formatGeneral(s.cell.z);
}

void FormulaCommands::setUnitText(int row, std::string text) {
  if (row < 1 || row > formulaElementRows) return;
  m_window.elements.setCell(row, FormulaWindow::Unit, std::move(text));
}

std::vector<double> FormulaCommands::typedUnitNumbers() const {
  const int count = m_context.state.structure.elementCount;
  std::vector<double> numbers(static_cast<std::size_t>(count + 1), 0.0);
  for (int k = 1; k <= count; ++k) {
    numbers[static_cast<std::size_t>(k)] =
        text::parseDouble(text::trimLine(m_window.elements.cell(k, FormulaWindow::Unit)));
  }
  return numbers;
}

void FormulaCommands::calculate() {
  if (!active()) return;
  show(typedUnitNumbers());
}

void FormulaCommands::update() {
  if (!active()) return;
  const std::vector<double> numbers = typedUnitNumbers();
  model::StructureModel& s = m_context.state.structure;
  if (const std::string refusal = model::unitRewriteRefusal(s); !refusal.empty())
    throw UserError(refusal);
  EditStep step(m_context.state, "Update");
  for (int e = 1; e <= s.elementCount; ++e)
    s.elements[e].unitCount = numbers[static_cast<std::size_t>(e)];
  // The elements are those of the SFAC card already: its line stays as the user wrote it.
  model::rewriteUnitCard(s);
  step.commit();
  refresh();
}

void FormulaCommands::addElement() {
  if (!active()) return;
  const std::string name = text::trimLine(m_window.newElement);
  if (name.empty() || name.size() >= 3) return;
  model::StructureModel& s = m_context.state.structure;
  requireRewritableCards(s);
  const std::string symbol = text::upper(name);
  bool known = false;
  for (int e = 1; e <= s.elementCount; ++e)
    known = known || text::upper(s.elements[e].symbol) == symbol;
  EditStep step(m_context.state, "Add Elem");
  if (!known) {
    if (s.elementCount >= formulaElementRows) {
      throw UserError("The Chemical Formula window holds " + std::to_string(formulaElementRows) +
                      " elements; " + symbol + " is not added.");
    }
    const int e = s.addElement();  // UserError naming elem_max when the table is full
    s.elements[e] = {symbol, 1.0, 0, 0, 0};
    m_context.state.preferences().elementDefinitions().assignElementData(s);
    if (s.elements[e].radius == 0 && s.elements[e].atomicWeight == 0) {
      throw UserError("No element definition of elems.inf lists " + symbol +
                      "; it is not added to SFAC and UNIT.");
    }
  }
  model::rewriteSfacCard(s);
  model::rewriteUnitCard(s);
  resetElementPicker();
  step.commit();
  refresh();
}

void FormulaCommands::deleteElement() {
  if (!active()) return;
  model::StructureModel& s = m_context.state.structure;
  const std::string symbol = text::upper(text::trimLine(m_window.newElement));
  int k = 0;
  for (int e = 1; e <= s.elementCount; ++e) {
    if (text::upper(s.elements[e].symbol) == symbol) k = e;
  }
  if (k == 0) return;
  if (const std::string user = userOf(s, k); !user.empty()) {
    throw UserError(s.elements[k].symbol + " is in use (" + user + "); it stays in SFAC and UNIT.");
  }
  requireRewritableCards(s);
  EditStep step(m_context.state, "Del Elem");
  for (int e = k; e < s.elementCount; ++e)
    s.elements[e] = s.elements[e + 1];
  --s.elementCount;
  for (int i = 1; i <= s.workingAtomCount; ++i) {
    if (s.atoms[i].sfac > k) --s.atoms[i].sfac;
  }
  for (int i = 1; i <= s.workingHCount; ++i) {
    if (s.hydrogens[i].sfac > k) --s.hydrogens[i].sfac;
  }
  model::rewriteSfacCard(s);
  model::rewriteUnitCard(s);
  resetElementPicker();
  step.commit();
  refresh();
}

void FormulaCommands::resetElementPicker() {
  const model::StructureModel& s = m_context.state.structure;
  ControlValues& c = m_context.state.controls;
  c.elementNumberMax = std::max(s.elementCount, 1);
  c.elementNumber = 1;
  if (s.elementCount >= 1) c.elementSymbol = s.elements[1].symbol;
}

}  // namespace tavo::workbench
