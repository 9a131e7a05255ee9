// The fixing and free-variable window and the HFIX coding rules window.
#include "workbench/free_variable_commands.h"

#include <algorithm>
#include <cmath>

#include "model/atom_parameters.h"
#include "model/free_variables.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"

namespace tavo::workbench {

namespace {

using model::AtomKind;
using model::AtomRef;

constexpr std::string_view stepName = "Fixing/FVAR";

constexpr std::string_view columnNames[11] = {"",         "X-info",   "Y-info",   "Z-info",
                                              "sof-info", "U11-info", "U22-info", "U33-info",
                                              "U23-info", "U13-info", "U12-info"};

constexpr std::string_view mExplanations[17] = {
    "",
    "(m=1) Tertiary CH (sp3);  Often combined with riding (n=3)",
    "(m=2) Secondary CH2 (sp3);  Often combined with riding (n=3)",
    "(m=3) Idealized CH3 in Staggered (sp3);  ---> Usually, m= 13",
    "(m=4) Aromatic CH (sp2) & Amide NH (sp2);  Often combined with riding (n=3)",
    "(m=5) Next five non-hydrogen atoms are fitted to a regular pentagon (d=1.42 A)",
    "(m=6) Next six non-hydrogen atoms are fitted to a regular hexagon (d=1.39 A)",
    "(m=7=6 In Shelxl-97) This is included for uppwards compatibility from Shelxl-76",
    "(m=8) Idealized OH with X-O-H angle tetrahedral (sp3);  Conformation will also be "
    "considered automatically",
    "(m=9) Idealized terminal X=CH2 or X=NH2;  Often combined with riding (n=3)",
    "(m=10) Idealized pentamethylcyclopentadienyl (Cp*);  Use with five ring carbons;  Use of "
    "AFIX 109 recommended",
    "(m=11) Idealized naphthalene group with equal bonds (d=1.39 A);  Use of AFIX 116 "
    "recommended",
    "(m=12) Idealized disordered CH3 (sof codes 21 (1*fv(2)) and -21 (1*(1-fv(2))) should be "
    "used)",
    "(m=13) Idealized CH3 in tetrahedral angles (sp3);  Usually, AFIX 137 (Rotatin Refinement "
    "n=7)",
    "(m=14) Idealized OH group, with tetrahedral X-O-H;  Usually, AFIX147 (Rotatin Refinement "
    "n=7)",
    "(m=15) BH group bonded to 4/5 atoms in polyhedron",
    "(m=16) Acetylenic C-H with linear X-C-H (sp);  Usually used as AFIX 163 (Riding n=3)",
};

// The n that choosing m sets (0: n stays).
constexpr int nOfM[17] = {0, 3, 3, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 7, 7, 3, 3};

constexpr std::string_view nExplanations[10] = {
    "",
    "(n=1) The coordinates, s.o.f., and Uiso/Uij will be fixed",
    "(n=2) The s.o.f. and Uiso/Uij will be fixed, but the XYZs will be refined",
    "(n=3) The so-called \"Riding Model\"; Hs are shifted in accordance with the shift of parent "
    "aniso-atom",
    "(n=4) Similar to n=3, except that X-H distance is free to refine",
    "(n=5) Next atom(s) are dependent atoms in a rigid group",
    "(n=6) The next atom is the \"pivot atom\" in  a rigid group",
    "(n=7) Permit rotation about Y-X for Y-X-H protons, suitable for -CH3 and -OH",
    "(n=8) Similar to n=7, except that X-H distances may also be varied equally",
    "(n=9) The first (pivot) atom of a new \"variable metric\" rigid group",
};

// A number as a grid shows it: general format, cut to eight characters.
std::string cellText(double value) {
  return text::cut(text::formatGeneral(value, 15), 8);
}

double& codeOf(model::StructureModel& s, AtomRef ref, int column) {
  return ref.kind == AtomKind::Atom ? s.atoms[ref.index].codes[static_cast<size_t>(column)]
                                    : s.hydrogens[ref.index].codes[static_cast<size_t>(column)];
}

double& valueOf(model::StructureModel& s, AtomRef ref, int column) {
  return ref.kind == AtomKind::Atom ? model::atomParameter(s.atoms[ref.index], column)
                                    : model::hydrogenParameter(s.hydrogens[ref.index], column);
}

const std::string& labelOf(const model::StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom ? s.atoms[ref.index].label : s.hydrogens[ref.index].label;
}

// The magnitude at which a code ties its parameter to a free variable in this window.

}  // namespace

std::string_view hfixMExplanation(int m) {
  return m >= 1 && m <= 16 ? mExplanations[m] : std::string_view{};
}

std::string_view hfixNExplanation(int n) {
  return n >= 1 && n <= 9 ? nExplanations[n] : std::string_view{};
}

FreeVariableCommands::FreeVariableCommands(CommandContext context) : m_context(context) {
  // The window shows the model after every read, undo and edit of the tables, so a store-back
  // never writes the codes of one atom onto another.
  auto follow = [this] {
    if (m_window.visible) fill();
  };
  m_context.state.followLoad(follow);
  m_context.state.followDetection(follow);
  // The HFIX mode shows the rules window as well as the menu item does: its texts are there
  // from the start, whichever way it is reached first.
  setHfixN(m_hfix.n);
  setHfixM(m_hfix.m);
}

void FreeVariableCommands::fill() {
  const model::StructureModel& s = m_context.state.structure;
  FixingWindow& w = m_window;
  const int rowCount = s.nonHCount + s.hCount;
  w.codeTable = text::TextGrid(rowCount + 1, 11);
  w.rows.assign(static_cast<size_t>(rowCount) + 1, AtomRef{});
  w.rowLabels.assign(static_cast<size_t>(rowCount) + 1, std::string{});
  for (int c = 0; c <= 10; ++c)
    w.codeTable.setCell(0, c, std::string(codeHeadings[c]));
  for (int r = 1; r <= rowCount; ++r) {
    const AtomRef ref = r <= s.nonHCount ? AtomRef{AtomKind::Atom, r}
                                         : AtomRef{AtomKind::Hydrogen, r - s.nonHCount};
    const model::ParameterCodes& codes =
        ref.kind == AtomKind::Atom ? s.atoms[ref.index].codes : s.hydrogens[ref.index].codes;
    w.rows[static_cast<size_t>(r)] = ref;
    w.rowLabels[static_cast<size_t>(r)] = labelOf(s, ref);
    w.codeTable.setCell(r, 0, labelOf(s, ref));
    for (int c = 1; c <= 10; ++c)
      w.codeTable.setCell(r, c, cellText(codes[static_cast<size_t>(c)]));
  }
  w.fvarTable = text::TextGrid(std::max(s.fvarCount, 1) + 1, 2);
  w.fvarTable.setCell(0, 0, "No.");
  w.fvarTable.setCell(0, 1, "FVAR");
  for (int k = 1; k <= s.fvarCount; ++k) {
    w.fvarTable.setCell(k, 0, std::to_string(k));
    w.fvarTable.setCell(k, 1, cellText(s.fvar[k]));
  }
  const int lastRow = std::max(rowCount, 1);
  CellBlock& b = w.codes;
  b.top = std::clamp(b.top, 1, lastRow);
  b.bottom = std::clamp(b.bottom, b.top, lastRow);
  b.left = std::clamp(b.left, 1, 10);
  b.right = std::clamp(b.right, b.left, 10);
  const int lastFvar = std::max(s.fvarCount, 1);
  w.fvarTop = std::clamp(w.fvarTop, 1, lastFvar);
  w.fvarBottom = std::clamp(w.fvarBottom, w.fvarTop, lastFvar);
  fillFields();
}

void FreeVariableCommands::fillFields() {
  FixingWindow& w = m_window;
  const int row = w.codes.top;
  if (row < w.codeTable.rowCount()) {
    w.labelField = w.codeTable.cell(row, 0);
    w.columnField = std::string(columnNames[w.codes.left]);
    w.codeField = w.codeTable.cell(row, w.codes.left);
  } else {
    w.labelField.clear();
    w.columnField.clear();
  }
}

void FreeVariableCommands::refresh() {
  fill();
  model::compactFreeVariables(m_context.state.structure);
  fill();
}

void FreeVariableCommands::toggleWindow() {
  if (m_window.visible) return closeWindow();
  if (!m_context.state.loaded) throw UserError("Open a structure first.");
  EditStep step(m_context.state, std::string(stepName));
  m_window.visible = true;
  refresh();
  step.commit();
  m_context.state.notifyState();
}

void FreeVariableCommands::closeWindow() {
  m_window.visible = false;
  m_context.state.redraw();
}

void FreeVariableCommands::selectCodes(int row, int column, int row2, int column2) {
  const int lastRow = std::max(m_window.codeTable.rowCount() - 1, 1);
  CellBlock& b = m_window.codes;
  b.top = std::clamp(std::min(row, row2), 1, lastRow);
  b.bottom = std::clamp(std::max(row, row2), 1, lastRow);
  b.left = std::clamp(std::min(column, column2), 1, 10);
  b.right = std::clamp(std::max(column, column2), 1, 10);
  fillFields();
}

void FreeVariableCommands::selectFvars(int top, int bottom) {
  const int last = std::max(m_window.fvarTable.rowCount() - 1, 1);
  m_window.fvarTop = std::clamp(std::min(top, bottom), 1, last);
  m_window.fvarBottom = std::clamp(std::max(top, bottom), 1, last);
  if (m_window.fvarTop < m_window.fvarTable.rowCount())
    m_window.fvarField = m_window.fvarTable.cell(m_window.fvarTop, 1);
}

void FreeVariableCommands::setDoubleClickMode(bool on) {
  m_window.doubleClickMode = on;
}

AtomRef FreeVariableCommands::atomOfRow(int row) {
  const model::StructureModel& s = m_context.state.structure;
  if (row < 1 || row >= static_cast<int>(m_window.rows.size())) {
    throw UserError("Select a cell of the code table first.");
  }
  const AtomRef ref = m_window.rows[static_cast<size_t>(row)];
  const int count = ref.kind == AtomKind::Atom ? s.nonHCount : s.hCount;
  const int expectedRow = ref.kind == AtomKind::Atom ? ref.index : s.nonHCount + ref.index;
  if (ref.index > count || expectedRow != row ||
      labelOf(s, ref) != m_window.rowLabels[static_cast<size_t>(row)]) {
    fill();
    throw UserError(std::string(staleCellMessage));
  }
  return ref;
}

double FreeVariableCommands::checkedCode(std::string_view text, AtomRef ref, int column) {
  model::StructureModel& s = m_context.state.structure;
  const double typed = text::parseDouble(text::trimLine(text));
  if (std::abs(model::splitParameterCode(typed).multiple) > s.fvarCount) {
    throw UserError(std::string(addFvarFirstMessage));
  }
  const double code = model::roundCodeThroughText(typed);
  const std::string& label = labelOf(s, ref);
  if (ref.kind == AtomKind::Hydrogen && column > model::U11) {
    throw UserError("Only x, y, z, sof and Uiso of the H atom " + label + " can be coded.");
  }
  if (ref.kind == AtomKind::Atom && column > model::U11 && s.atoms[ref.index].aniso != 1) {
    throw UserError(label + " is isotropic: only its Uiso (U11) can be coded.");
  }
  const int m = model::freeVariableUsedBy(code);
  const bool tied = m >= 2 && m <= s.fvarCount && model::isUnambiguousCode(code);
  if (code != 0 && code != 10 && !tied) {
    throw UserError("The code " + std::string(text::trimLine(text)) +
                    " cannot be set: use 0 (refined), 10 (fixed) or a free variable such as 21, "
                    "-31 or 30.5.");
  }
  // A refined value is written as itself and a fixed one as value + 10: SHELXL reads either
  // back only from inside (-5, 5).
  const double value = valueOf(s, ref, column);
  if ((code == 0 || code == 10) && !model::isPlainValue(value)) {
    const std::string name(columnNames[column].substr(0, columnNames[column].find('-')));
    throw UserError("The " + name + " of " + label + " is " + text::formatGeneral(value, 6) +
                    (code == 0 && column <= model::Z
                         ? ": a refined coordinate must lie between -5 and 5."
                     : code == 0 ? ": a refined value must lie between -5 and 5."
                                 : ": a fixed value must lie between -5 and 5."));
  }
  return code;
}

void FreeVariableCommands::setCode(int row, int column, std::string_view text) {
  model::StructureModel& s = m_context.state.structure;
  const AtomRef ref = atomOfRow(row);
  const double code = checkedCode(text, ref, column);
  codeOf(s, ref, column) = code;
  if (model::isTiedCode(code)) {
    valueOf(s, ref, column) = model::decodeFreeVariable(code, s.fvar).value;
  }
  m_window.codeTable.setCell(row, column, cellText(code));
}

void FreeVariableCommands::applyCode() {
  EditStep step(m_context.state, std::string(stepName));
  setCode(m_window.codes.top, m_window.codes.left, m_window.codeField);
  step.commit();
  m_context.state.afterChange({});
}

void FreeVariableCommands::doubleClickCode(int row, int column) {
  selectCode(row, column);
  if (!m_window.doubleClickMode) return;
  if (text::trimLine(m_window.valueBox).empty()) throw UserError(std::string(noValueMessage));
  EditStep step(m_context.state, std::string(stepName));
  setCode(m_window.codes.top, m_window.codes.left, m_window.valueBox);
  refresh();
  step.commit();
  m_context.state.afterChange({});
}

void FreeVariableCommands::addFreeVariable() {
  const double value = text::parseDouble(text::trimLine(m_window.fvarField));
  EditStep step(m_context.state, std::string(stepName));
  m_context.state.structure.addFvar(value);
  fill();
  step.commit();
}

void FreeVariableCommands::setFreeVariables(int top, int bottom, std::string_view text) {
  model::StructureModel& s = m_context.state.structure;
  const double value = text::parseDouble(text::trimLine(text));
  EditStep step(m_context.state, std::string(stepName));
  const std::string typed = text::trimLine(text);
  for (int k = std::max(top, 2); k <= std::min(bottom, s.fvarCount); ++k) {
    // The text the table shows for a value stands for the value itself, every digit of it.
    if (typed != cellText(s.fvar[k])) s.fvar[k] = value;
  }
  // Tied parameters follow their free variable at once: the picture and every window show the
  // values that the next refinement starts from.
  model::redecodeAll(s);
  fill();
  step.commit();
  m_context.state.afterChange({});
}

void FreeVariableCommands::changeFreeVariable() {
  if (m_window.fvarTop <= 1) throw UserError(std::string(scaleFactorMessage));
  setFreeVariables(m_window.fvarTop, m_window.fvarTop, m_window.fvarField);
}

void FreeVariableCommands::doubleClickFreeVariable(int row) {
  selectFvars(row, row);
  if (!m_window.doubleClickMode) return;
  if (text::trimLine(m_window.valueBox).empty()) throw UserError(std::string(noValueMessage));
  if (m_window.fvarTop <= 1) throw UserError(std::string(scaleFactorMessage));
  setFreeVariables(m_window.fvarTop, m_window.fvarTop, m_window.valueBox);
}

void FreeVariableCommands::multiApplyFreeVariables() {
  if (!m_window.doubleClickMode) return;
  if (text::trimLine(m_window.valueBox).empty()) throw UserError(std::string(noValueMessage));
  if (m_window.fvarTop <= 1) throw UserError(std::string(scaleFactorMessage));
  setFreeVariables(m_window.fvarTop, m_window.fvarBottom, m_window.valueBox);
}

void FreeVariableCommands::multiApplyCodes() {
  if (!m_window.doubleClickMode) return;
  if (text::trimLine(m_window.valueBox).empty()) throw UserError(std::string(noValueMessage));
  const CellBlock b = m_window.codes;
  EditStep step(m_context.state, std::string(stepName));
  // Every cell is checked before the first one changes: a refused cell leaves all as they were.
  for (int c = b.left; c <= b.right; ++c) {
    for (int r = b.top; r <= b.bottom; ++r)
      checkedCode(m_window.valueBox, atomOfRow(r), c);
  }
  for (int c = b.left; c <= b.right; ++c) {
    for (int r = b.top; r <= b.bottom; ++r)
      setCode(r, c, m_window.valueBox);
  }
  model::redecodeAll(m_context.state.structure);
  refresh();
  step.commit();
  m_context.state.afterChange({});
}

std::vector<std::string> FreeVariableCommands::printLines() const {
  auto cells = [](const std::vector<std::string>& row) {
    std::string line;
    for (const std::string& cell : row)
      line += text::padRight(text::trimLine(cell), 10);
    return line;
  };
  std::vector<std::string> lines{" List of Free Variables", std::string(22, '_')};
  for (int r = 0; r < m_window.fvarTable.rowCount(); ++r)
    lines.push_back(cells(m_window.fvarTable.row(r)));
  lines.insert(lines.end(), {std::string(22, '_'), "", "", " Fixing and FVAR Information",
                             std::string(110, '_')});
  for (int r = 0; r < m_window.codeTable.rowCount(); ++r)
    lines.push_back(cells(m_window.codeTable.row(r)));
  lines.push_back(std::string(110, '_'));
  return lines;
}

void FreeVariableCommands::print() {
  m_context.dialogs.message(printAdvice);
  m_context.dialogs.printLines(printLines());
}

bool FreeVariableCommands::hfixRulesVisible() const {
  return m_context.state.window.hfixRulesWindowVisible;
}

void FreeVariableCommands::showHfixRules() {
  m_context.state.window.hfixRulesWindowVisible = true;
  setHfixN(m_hfix.n);
  setHfixM(m_hfix.m);
  m_context.state.notifyState();
}

void FreeVariableCommands::setHfixM(int m) {
  m_hfix.m = std::clamp(m, 1, 16);
  m_hfix.mExplanation = std::string(hfixMExplanation(m_hfix.m));
  if (nOfM[m_hfix.m] != 0) setHfixN(nOfM[m_hfix.m]);
  m_hfix.codeText = "AFIX  " + std::to_string(m_hfix.m) + std::to_string(m_hfix.n);
}

void FreeVariableCommands::setHfixN(int n) {
  m_hfix.n = std::clamp(n, 1, 9);
  m_hfix.nExplanation = std::string(hfixNExplanation(m_hfix.n));
  m_hfix.codeText = "AFIX  " + std::to_string(m_hfix.m) + std::to_string(m_hfix.n);
}

void FreeVariableCommands::adoptHfixRules() {
  m_context.state.controls.hfixM = m_hfix.m;
  m_context.state.controls.hfixN = m_hfix.n;
  closeHfixRules();
}

void FreeVariableCommands::closeHfixRules() {
  m_context.state.window.hfixRulesWindowVisible = false;
  m_context.state.redraw();
  m_context.state.notifyState();
}

WindowDeclaration declareHfixRulesWindow(FreeVariableCommands& f) {
  WindowDeclaration w = declaredWindow("TForm4", "HFIX Coding Rules",
                                       "the HFIX mode or \"HFIX Selection (H atoms)\" shows it",
                                       [&f] { return f.hfixRulesVisible(); });
  w.controls = {
      numberField("SpinEditM", [&f](int m) { f.setHfixM(m); }),
      numberField("SpinEditN", [&f](int n) { f.setHfixN(n); }),
      press("AdoptButton", [&f] { f.adoptHfixRules(); }, {"Adopt and Quit"}),
      press("Exit", [&f] { f.closeHfixRules(); }),
  };
  return w;
}

WindowDeclaration declareFixingWindow(FreeVariableCommands& f) {
  WindowDeclaration w =
      declaredWindow("TForm23", "Handling Fixing Treatments and Free Variables",
                     "\"Fixing/FVAR\" shows it", [&f] { return f.window().visible; });
  w.controls = {
      table(
          "CodeGrid",
          [&f](const ControlInput& v) {
            if (v.size() >= 4) {
              return f.selectCodes(intValue("CodeGrid", v, 0), intValue("CodeGrid", v, 1),
                                   intValue("CodeGrid", v, 2), intValue("CodeGrid", v, 3));
            }
            f.selectCode(intValue("CodeGrid", v, 0), intValue("CodeGrid", v, 1));
          },
          [&f](const ControlInput& v) {
            f.doubleClickCode(intValue("CodeGrid", v, 0), intValue("CodeGrid", v, 1));
          }),
      table(
          "FvarGrid",
          [&f](const ControlInput& v) {
            const int top = intValue("FvarGrid", v, 0);
            f.selectFvars(top, v.size() >= 2 ? intValue("FvarGrid", v, 1) : top);
          },
          [&f](const ControlInput& v) { f.doubleClickFreeVariable(intValue("FvarGrid", v)); }),
      textField("CodeEdit", [&f](const std::string& t) { f.setCodeField(t); }),
      textField("FvarEdit", [&f](const std::string& t) { f.setFvarField(t); }),
      textField("ValueBox", [&f](const std::string& t) { f.setValueBox(t); }),
      checkBox("DoubleClickBox", [&f](bool on) { f.setDoubleClickMode(on); }),
      press("ApplyCodeButton", [&f] { f.applyCode(); }, {"Apply This Value to the Selected Cell"}),
      press("AddFvarButton", [&f] { f.addFreeVariable(); }, {"Add This as a New FVAR"}),
      press("ApplyFvarButton", [&f] { f.changeFreeVariable(); }, {"Apply This to the Selected"}),
      press("MultiFvarButton", [&f] { f.multiApplyFreeVariables(); },
            {"Multi-Apply (Left Cells with ValueBox)"}),
      press("MultiCodeButton", [&f] { f.multiApplyCodes(); },
            {"Multi-Apply (Right Cells with ValueBox)"}),
      press("Print1", [&f] { f.print(); }, {"Print"}),
      press("Exit1", [&f] { f.closeWindow(); }, {"Exit"}),
  };
  return w;
}

}  // namespace tavo::workbench
