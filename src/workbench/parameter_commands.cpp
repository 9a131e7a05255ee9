// The parameter windows and the whole-structure moves of the coordinates.
#include "workbench/parameter_commands.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "editing/structure_inversion.h"
#include "geometry/cell_metrics.h"
#include "geometry/symmetry_operators.h"
#include "geometry/view_frame.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"
#include "workbench/symmetry_commands.h"

namespace tavo::workbench {

namespace {

using model::AtomKind;
using model::AtomRef;
using Option = SettingParameterWindow::Option;

constexpr std::string_view fieldNames[11] = {"",    "X",   "Y",   "Z",   "SOF", "U11",
                                             "U22", "U33", "U23", "U13", "U12"};

constexpr std::array<std::pair<std::string_view, Option>, 4> optionCaptions = {{
    {"Add New FVAR", Option::AddNewFvar},
    {"Use PreDefined", Option::UsePreDefined},
    {"Fixed Value", Option::FixedValue},
    {"Unfixed Value", Option::UnfixedValue},
}};

// A coordinate of the working list: the shortest decimal form, cut to 12 characters.
std::string listCoordinate(double value) {
  std::string general = text::formatGeneral(value);
  if (general.find_first_of("eE") != std::string::npos) general = text::formatFixed(value, 10);
  return text::cut(general, 12);
}

// A centre coordinate in twelfths (1..12) as a fraction: "1/4", "1".
std::string twelfthsText(int twelfths) {
  const int t = twelfths % 12;
  if (t == 0) return "1";
  const int g = std::gcd(t, 12);
  return std::to_string(t / g) + "/" + std::to_string(12 / g);
}

std::vector<geometry::SeitzOperator> operatorsInUse(const model::SymmetryOps& symmetry) {
  std::vector<geometry::SeitzOperator> ops;
  for (int k = 1; k <= symmetry.opCount; ++k)
    ops.push_back(geometry::seitzOf(symmetry, k));
  return ops;
}

}  // namespace

ParameterCommands::ParameterCommands(CommandContext context) : m_context(context) {
  // A new structure closes the windows that show atoms of the last one.
  m_context.state.followLoad([this] {
    m_setting.visible = false;
    m_shift.visible = false;
    m_coordinates.visible = false;
  });
  // Entries that moved (a purge, a sort) would put another atom under the numbers shown.
  m_context.state.followEntriesMoved([this](const editing::PurgeMap& map) {
    // The editor follows its atom to its new number (a sort); a removed one leaves the number.
    const AtomRef now =
        map.map({m_editor.kind == 1 ? AtomKind::Atom : AtomKind::Hydrogen, m_editor.number});
    if (now.kind != AtomKind::None) m_editor.number = now.index;
    if (editorVisible()) loadEditor();
  });
}

// ---- Edit Parameters ----------------------------------------------------------------------

bool ParameterCommands::editorVisible() const {
  return m_context.state.window.parameterWindowVisible;
}

void ParameterCommands::loadEditor() {
  const model::StructureModel& s = m_context.state.structure;
  EditParametersWindow& w = m_editor;
  w.kindMax = s.hCount > 0 ? 2 : 1;
  w.kind = std::clamp(w.kind, 1, w.kindMax);
  w.numberMax = std::max(w.kind == 1 ? s.nonHCount : s.hCount, 1);
  w.number = std::clamp(w.number, 1, w.numberMax);
  const AtomRef ref{w.kind == 1 ? AtomKind::Atom : AtomKind::Hydrogen, w.number};
  const int count = w.kind == 1 ? s.nonHCount : s.hCount;
  w.fields =
      ref.index <= count ? editing::loadAtomParameters(s, ref) : editing::AtomParameterTexts{};
}

void ParameterCommands::showEditor(AtomRef ref) {
  const model::StructureModel& s = m_context.state.structure;
  const bool fileEntry = (ref.kind == AtomKind::Atom && ref.index <= s.nonHCount) ||
                         (ref.kind == AtomKind::Hydrogen && ref.index <= s.hCount);
  if (!fileEntry) return;
  m_editor.kind = ref.kind == AtomKind::Atom ? 1 : 2;
  m_editor.number = ref.index;
  m_context.state.window.parameterWindowVisible = true;
  loadEditor();
}

void ParameterCommands::setEditorKind(int kind) {
  m_editor.kind = kind;
  loadEditor();
}

void ParameterCommands::setEditorNumber(int number) {
  m_editor.number = number;
  loadEditor();
}

void ParameterCommands::setEditorField(std::string_view name, std::string text) {
  editing::AtomParameterTexts& f = m_editor.fields;
  const std::string key = text::upper(name);
  for (std::size_t p = 1; p <= 10; ++p) {
    if (key == fieldNames[p]) {
      f.values[p] = std::move(text);
      return;
    }
    if (key == std::string(fieldNames[p]) + "_FV") {
      f.codes[p] = std::move(text);
      return;
    }
  }
  if (key == "LABEL") return void(f.label = std::move(text));
  if (key == "SFAC") return void(f.sfac = std::move(text));
  if (key == "PART") return void(f.part = std::move(text));
  if (key == "AFIX") return void(f.afix = std::move(text));
  throw UserError("Edit Parameters has no field \"" + std::string(name) + "\"");
}

void ParameterCommands::updateEditor() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded || !editorVisible()) return;
  model::StructureModel& s = state.structure;
  const AtomRef ref{m_editor.kind == 1 ? AtomKind::Atom : AtomKind::Hydrogen, m_editor.number};
  EditStep step(state, "Edit Parameters");
  editing::storeAtomParameters(s, ref, m_editor.fields);
  // The atom is drawn where its new coordinates put it.
  const geometry::Fractional f = geometry::fractionalOf(s, ref);
  const geometry::ViewFrame& frame = state.frame;
  s.viewOf(ref) = frame.viewSlots[geometry::fractionalOriginSlot] + f.x * frame.edgeA() +
                  f.y * frame.edgeB() + f.z * frame.edgeC();
  step.commit();
  loadEditor();
  state.afterChange({});
}

void ParameterCommands::cancelEditor() {
  loadEditor();
}

void ParameterCommands::quitEditor() {
  m_context.state.window.parameterWindowVisible = false;
  m_context.state.redraw();
}

// ---- Setting the Parameter ----------------------------------------------------------------

void ParameterCommands::fillFvarList() {
  const model::StructureModel& s = m_context.state.structure;
  m_setting.fvarList = text::TextGrid(s.fvarCount + 1, 2);
  m_setting.fvarList.setRow(0, {"No.", "FVAR"});
  for (int k = 1; k <= s.fvarCount; ++k)
    m_setting.fvarList.setRow(k, {std::to_string(k), editing::parameterText(s.fvar[k])});
}

void ParameterCommands::openSetting() {
  const model::StructureModel& s = m_context.state.structure;
  m_setting.visible = true;
  if (m_setting.option == Option::AddNewFvar) {
    m_setting.code = std::to_string((s.fvarCount + 1) * 10 + 1);
    m_setting.fvarNumber = std::to_string(s.fvarCount + 1);
    m_setting.value = "0.5";
  }
  fillFvarList();
}

void ParameterCommands::setSettingParameter(int p) {
  m_setting.parameter = std::clamp(p, 1, 10);
  m_setting.parameterName = std::string(settingParameterNames[m_setting.parameter]);
}

void ParameterCommands::chooseSettingOption(Option option) {
  const model::StructureModel& s = m_context.state.structure;
  SettingParameterWindow& w = m_setting;
  w.option = option;
  w.listEnabled = option == Option::UsePreDefined;
  switch (option) {
    case Option::AddNewFvar:
      w.code = std::to_string(s.fvarCount * 10 + 11);
      w.fvarNumber = std::to_string(s.fvarCount + 1);
      w.value = "0.5";
      break;
    case Option::UsePreDefined:
      w.code = std::to_string(s.fvarCount * 10 + 1);
      w.fvarNumber = std::to_string(s.fvarCount);
      w.value = s.fvarCount >= 1 ? editing::parameterText(s.fvar[s.fvarCount]) : "";
      break;
    case Option::FixedValue:
      w.code = "10.0";
      break;
    case Option::UnfixedValue:
      w.code = "0.0";
      break;
    case Option::None:
      break;
  }
  fillFvarList();
}

void ParameterCommands::selectSettingRow(int row) {
  const model::StructureModel& s = m_context.state.structure;
  if (!m_setting.listEnabled || row < 2 || row > s.fvarCount) return;
  m_setting.code = std::to_string(row * 10 + 1);
  m_setting.fvarNumber = std::to_string(row);
  m_setting.value = editing::parameterText(s.fvar[row]);
}

void ParameterCommands::updateSetting() {
  WorkbenchState& state = m_context.state;
  SettingParameterWindow& w = m_setting;
  if (text::trimLine(w.code).empty() || text::trimLine(w.value).empty()) {
    throw UserError(std::string(undefinedSettingMessage));
  }
  const std::vector<AtomRef> atoms = state.selection.picked;
  if (atoms.empty()) throw UserError("Pick the atoms in the PARAM mode first.");
  const bool hydrogen = std::any_of(atoms.begin(), atoms.end(),
                                    [](AtomRef r) { return r.kind == AtomKind::Hydrogen; });
  if (hydrogen && w.parameter > model::U11) {
    w.visible = false;
    state.redraw();
    throw UserError(std::string(hydrogenAnisotropicMessage));
  }
  if (w.option == Option::None) throw UserError(std::string(chooseOptionMessage));
  const double code = text::parseDouble(text::trimLine(w.code));
  const double value = text::parseDouble(text::trimLine(w.value));
  EditStep step(state, "Setting the Parameter");
  if (w.option == Option::AddNewFvar) state.structure.addFvar(value);
  editing::setParameter(state.structure, atoms, w.parameter, code, value);
  step.commit();
  w.visible = false;
  state.selection.clear(state.structure);
  state.afterChange({});
}

void ParameterCommands::cancelSetting() {
  m_setting.visible = false;
  m_context.state.redraw();
}

// ---- Whole-structure moves ------------------------------------------------------------------

void ParameterCommands::afterCoordinatesMoved() {
  WorkbenchState& state = m_context.state;
  state.initGraphics();
  state.afterChange({.fractionalCoordinates = true, .resetView = true});
}

void ParameterCommands::invertStructure() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded) return;
  model::StructureModel& s = state.structure;
  const std::vector<geometry::SeitzOperator> ops = operatorsInUse(s.symmetry);
  const editing::InversionPlan plan = editing::planInversion(ops);
  if (plan.kind == editing::InversionPlan::Kind::SameGroup) {
    EditStep step(state, "Invert Structure");
    state.dropCopies();
    const auto& o = plan.originTwelfths;
    editing::invertCoordinates(s, {o[0] / 12.0, o[1] / 12.0, o[2] / 12.0});
    step.commit();
    if (o != std::array<int, 3>{12, 12, 12}) {
      m_context.dialogs.message("The structure is inverted as x' = " + twelfthsText(o[0]) +
                                "-x, y' = " + twelfthsText(o[1]) +
                                "-y, z' = " + twelfthsText(o[2]) +
                                "-z: that origin shift keeps its space group.");
    }
    afterCoordinatesMoved();
    return;
  }
  // The inverse lies in the enantiomorphic group: the file must say so, or nothing changes.
  const geometry::LattSymmCards cards = geometry::readLattSymm(s.instructionLines);
  const std::vector<geometry::SeitzOperator> fileOps =
      geometry::operatorsFromLattSymm(cards.latt, cards.symm);
  const std::string refusal =
      "The structure was not inverted: its inverse lies in the enantiomorphic space group, ";
  if (!cards.faulty.empty() || !geometry::sameOperatorSet(fileOps, ops)) {
    throw UserError(refusal +
                    "and the LATT and SYMM cards of the file do not describe the space group in "
                    "use. Make them agree (choose the space group, or mend the cards) first.");
  }
  const std::optional<std::vector<std::string>> lines =
      editing::invertedSymmCards(s.instructionLines);
  if (!lines) {
    throw UserError(refusal +
                    "and a SYMM card of the file is continued or unreadable. Write each SYMM "
                    "card on one line first.");
  }
  std::optional<geometry::SpaceGroupCatalogue::Match> match;
  if (m_symmetry != nullptr) match = m_symmetry->findGroup(plan.invertedOperators);
  if (!match && s.markers.spcgLine > 0) {
    throw UserError(refusal +
                    "which the space-group table does not hold. Invert the structure by hand: "
                    "replace x, y, z by 1-x, 1-y, 1-z and give the SYMM cards and REM SPCG line "
                    "of the enantiomorph.");
  }
  EditStep step(state, "Invert Structure");
  state.dropCopies();
  editing::invertCoordinates(s, {1, 1, 1});
  s.instructionLines = *lines;
  if (match) {
    m_symmetry->chooseGroup(match->number, match->setting);
  } else {
    geometry::fillSymmetryOps(s.symmetry, plan.invertedOperators);
  }
  step.commit();
  m_context.dialogs.message("The structure is inverted; its space group is now its enantiomorph" +
                            (match ? " " + match->name : std::string()) + ": the SYMM cards" +
                            (match ? " and REM SPCG line" : std::string()) + " were changed.");
  afterCoordinatesMoved();
}

void ParameterCommands::showShift() {
  if (!m_context.state.loaded) return;
  m_shift = ShiftWindow{};
  m_shift.visible = true;
}

void ParameterCommands::setShift(int axis, int cells) {
  if (axis < 1 || axis > 3) throw UserError("The shift axis is 1, 2 or 3.");
  m_shift.shift[static_cast<std::size_t>(axis - 1)] = std::clamp(cells, -5, 5);
}

void ParameterCommands::applyShift() {
  WorkbenchState& state = m_context.state;
  if (!m_shift.visible || !state.loaded) return;
  EditStep step(state, "Shift XYZs");
  state.dropCopies();
  editing::shiftCoordinates(state.structure, m_shift.shift);
  step.commit();
  m_shift.visible = false;
  afterCoordinatesMoved();
}

void ParameterCommands::cancelShift() {
  m_shift.visible = false;
}

void ParameterCommands::listWorkingCoordinates() {
  const WorkbenchState& state = m_context.state;
  if (!state.loaded) return;
  const model::StructureModel& s = state.structure;
  text::TextGrid grid(1, 4);
  grid.setRow(0, {"Label", "X", "Y", "Z"});
  const auto addRow = [&](const std::string& label, const model::Vec3& at) {
    const model::Vec3 p = at - state.frame.viewSlots[geometry::fractionalOriginSlot];
    const geometry::Fractional f = geometry::viewToFractional(state.frame, p);
    grid.setRow(grid.rowCount(),
                {label, listCoordinate(f.x), listCoordinate(f.y), listCoordinate(f.z)});
  };
  for (int i = 1; i <= s.workingAtomCount; ++i)
    addRow(s.atoms[i].label, s.viewOf({AtomKind::Atom, i}));
  for (int i = 1; i <= s.workingHCount; ++i)
    addRow(s.hydrogens[i].label, s.viewOf({AtomKind::Hydrogen, i}));
  m_coordinates.grid = grid;
  m_coordinates.visible = true;
}

void ParameterCommands::closeWorkingCoordinates() {
  m_coordinates.visible = false;
}

// ---- The windows declared ----------------------------------------------------------------------

WindowDeclaration ParameterCommands::declareEditorWindow() {
  WindowDeclaration w =
      declaredWindow("TForm24", "Edit Parameters", "pick an atom in the Edit mode",
                     [this] { return editorVisible(); });
  w.placement = Placement::AtPoint;
  w.atPoint = [this] {
    const editing::ScreenPoint at = m_context.state.window.parameterWindowAt;
    return std::pair{at.x, at.y};
  };
  w.controls = {
      numberField("SpinEdit1", [this](int kind) { setEditorKind(kind); }),
      numberField("SpinEdit2", [this](int number) { setEditorNumber(number); }),
      press("Update", [this] { updateEditor(); }),
      press("Cancel", [this] { cancelEditor(); }),
      press("Quit", [this] { quitEditor(); }),
  };
  // Each field by its key; the parameters' fields are also ValueP and CodeP, as the window
  // names them.
  std::vector<std::pair<std::string, std::string>> fields{
      {"Label", ""}, {"SFAC", ""}, {"PART", ""}, {"AFIX", ""}};
  for (std::size_t p = 1; p <= 10; ++p) {
    fields.emplace_back(fieldNames[p], "Value" + std::to_string(p));
    fields.emplace_back(std::string(fieldNames[p]) + "_FV", "Code" + std::to_string(p));
  }
  for (const auto& [key, alias] : fields) {
    const std::string field = key;  // Clang 14 cannot capture a structured binding
    w.controls.push_back(textField(
        field, [this, field](const std::string& t) { setEditorField(field, t); },
        alias.empty() ? std::vector<std::string>{} : std::vector<std::string>{alias}));
  }
  w.print = [this] {
    const editing::AtomParameterTexts& f = m_editor.fields;
    std::vector<std::string> lines{"Label " + f.label, "SFAC " + f.sfac, "PART " + f.part,
                                   "AFIX " + f.afix};
    for (std::size_t p = 1; p <= 10; ++p) {
      lines.push_back(std::string(settingParameterNames[p]) + ' ' + f.values[p] + ' ' + f.codes[p]);
    }
    return lines;
  };
  return w;
}

WindowDeclaration ParameterCommands::declareSettingWindow() {
  WindowDeclaration w =
      declaredWindow("TForm30", "Setting the Parameter", "Apply in the PARAM mode",
                     [this] { return m_setting.visible; });
  w.controls = {
      numberField("SpinEdit1", [this](int p) { setSettingParameter(p); }),
      textField("Code", [this](const std::string& t) { setSettingCode(t); }),
      textField("FvarNumber", [this](const std::string& t) { setSettingFvarNumber(t); }),
      textField("Value", [this](const std::string& t) { setSettingValue(t); }),
      table("StringGrid1",
            [this](const ControlInput& v) { selectSettingRow(intValue("StringGrid1", v)); }),
      press("Update", [this] { updateSetting(); }),
      press("Cancel", [this] { cancelSetting(); }),
  };
  int box = 1;
  for (const auto& [caption, option] : optionCaptions) {
    w.controls.push_back(press("CheckBox" + std::to_string(box++),
                               [this, option = option] { chooseSettingOption(option); },
                               {std::string(caption)}));
  }
  return w;
}

WindowDeclaration ParameterCommands::declareShiftWindow() {
  WindowDeclaration w =
      declaredWindow("TForm26", "Making Overall Shifts in Coordinates", "\"Shift XYZs\" shows it",
                     [this] { return m_shift.visible; });
  const char* axes[] = {"X", "Y", "Z"};
  for (int axis = 1; axis <= 3; ++axis) {
    w.controls.push_back(numberField("SpinEdit" + std::to_string(axis),
                                     [this, axis](int cells) { setShift(axis, cells); },
                                     {std::string("Shift in ") + axes[axis - 1]}));
  }
  w.controls.push_back(press("OK", [this] { applyShift(); }));
  w.controls.push_back(press("Cancel", [this] { cancelShift(); }));
  return w;
}

WindowDeclaration ParameterCommands::declareWorkingCoordinatesWindow() {
  WindowDeclaration w =
      declaredWindow("TForm29", "Working Coordinates", "\"List of XYZs\" shows it",
                     [this] { return m_coordinates.visible; });
  w.placement = Placement::BesidePicture;
  w.controls = {press("Close", [this] { closeWorkingCoordinates(); })};
  w.print = [this] {
    std::vector<std::string> lines;
    const text::TextGrid& grid = m_coordinates.grid;
    for (int r = 0; r < grid.rowCount(); ++r) {
      lines.push_back(grid.cell(r, 0) + ' ' + grid.cell(r, 1) + ' ' + grid.cell(r, 2) + ' ' +
                      grid.cell(r, 3));
    }
    return lines;
  };
  return w;
}

}  // namespace tavo::workbench
