// The parameter windows: "Edit Parameters" (TForm24) of the Edit mode, "Setting the Parameter"
// (TForm30) of the PARAM mode, and the whole-structure commands "Invert Structure", "Shift XYZs"
// with "Making Overall Shifts in Coordinates" (TForm26) and "List of XYZs" with "Working
// Coordinates" (TForm29).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editing/parameter_edits.h"
#include "model/atom_ref.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

class SymmetryCommands;

inline constexpr std::string_view undefinedSettingMessage =
    "Some of the parameters are not reasonably defined!  Check them Again and Retry!";
inline constexpr std::string_view hydrogenAnisotropicMessage =
    "Hydrogen atoms may not be treated anisotropically in Tavo!  The process is aborted!";
inline constexpr std::string_view chooseOptionMessage =
    "Choose one of \"Add New FVAR\", \"Use PreDefined\", \"Fixed Value\" and \"Unfixed Value\" "
    "first.";

/// The names shown beside the parameter number of TForm30 (index 0 unused).
inline constexpr std::string_view settingParameterNames[11] = {
    "",         "X-info",   "Y-info",   "Z-info",   "sof-info", "U11/Uiso",
    "U22-info", "U33-info", "U23-info", "U13-info", "U12-info"};

/// TForm24 "Edit Parameters". It is shown while the main window's parameterWindowVisible is on.
struct EditParametersWindow {
  int kind = 1;     // SpinEdit1: 1 non-H atom, 2 H atom
  int kindMax = 1;  //   1 without H atoms, else 2
  int number = 1;   // SpinEdit2: 1..numberMax
  int numberMax = 1;
  editing::AtomParameterTexts fields;  // "Parameters", "Fix/FVAR", "Label", "SFAC", "PART", "AFIX"
};

/// TForm30 "Setting the Parameter".
struct SettingParameterWindow {
  enum class Option { None, AddNewFvar, UsePreDefined, FixedValue, UnfixedValue };
  bool visible = false;
  int parameter = 4;  // SpinEdit1, 1..10
  std::string parameterName{settingParameterNames[4]};
  std::string code = "21";
  std::string fvarNumber = "2";
  std::string value = "0.5";
  Option option = Option::None;  // CheckBox1..CheckBox4
  bool listEnabled = false;
  text::TextGrid fvarList{1, 2};  // StringGrid1: "No.", "FVAR", then one row per free variable
};

/// TForm26 "Making Overall Shifts in Coordinates".
struct ShiftWindow {
  bool visible = false;
  std::array<int, 3> shift{};  // "Shift in X", "Shift in Y", "Shift in Z", each -5..5
};

/// TForm29 "Working Coordinates".
struct WorkingCoordinatesWindow {
  bool visible = false;
  text::TextGrid grid{1, 4};  // "Label", "X", "Y", "Z"
};

class ParameterCommands {
 public:
  explicit ParameterCommands(CommandContext context);
  ParameterCommands(const ParameterCommands&) = delete;
  ParameterCommands& operator=(const ParameterCommands&) = delete;
  void attachSymmetry(SymmetryCommands& symmetry) { m_symmetry = &symmetry; }

  // "Edit Parameters".
  /// The Edit mode picked `ref`: the window shows its fields.
  void showEditor(model::AtomRef ref);
  /// SpinEdit1 and SpinEdit2: the kind and number of the atom shown (clamped), fields reloaded.
  void setEditorKind(int kind);
  void setEditorNumber(int number);
  /// A field by its name: "X".."U12" (values), "X_FV".."U12_FV" (codes), "Label", "SFAC",
  /// "PART", "AFIX". Throws UserError for another name.
  void setEditorField(std::string_view name, std::string text);
  /// "Update": every field checked, then stored (one undoable step), bonds and picture redone.
  void updateEditor();
  /// "Cancel": the fields reloaded.
  void cancelEditor();
  /// "Quit" and closing the window.
  void quitEditor();
  const EditParametersWindow& editor() const { return m_editor; }
  bool editorVisible() const;

  // "Setting the Parameter".
  /// The PARAM section of Apply: the window shown with its presets; the Selection is kept.
  void openSetting();
  void setSettingParameter(int p);
  void chooseSettingOption(SettingParameterWindow::Option option);
  /// A row of the free-variable list (with "Use PreDefined", row 2 and below).
  void selectSettingRow(int row);
  void setSettingCode(std::string text) { m_setting.code = std::move(text); }
  void setSettingFvarNumber(std::string text) { m_setting.fvarNumber = std::move(text); }
  void setSettingValue(std::string text) { m_setting.value = std::move(text); }
  /// "Update": the parameter of every atom of the Selection set (one undoable step).
  void updateSetting();
  /// "Cancel".
  void cancelSetting();
  const SettingParameterWindow& setting() const { return m_setting; }

  // Whole-structure commands.
  /// "Invert Structure": x' = c - x for every atom, in the same space group when an origin c
  /// keeps it, else in the enantiomorph (REM SPCG and SYMM cards changed). One undoable step.
  void invertStructure();
  /// "Shift XYZs": shows TForm26 with its shifts at 0.
  void showShift();
  void setShift(int axis, int cells);  // axis 1..3
  /// "OK": the shifts added to every coordinate (one undoable step); the window hidden.
  void applyShift();
  void cancelShift();
  const ShiftWindow& shift() const { return m_shift; }
  /// "List of XYZs": the working coordinates of what is drawn.
  void listWorkingCoordinates();
  void closeWorkingCoordinates();
  const WorkingCoordinatesWindow& workingCoordinates() const { return m_coordinates; }

  /// The windows declared: "Edit Parameters" (TForm24), "Setting the Parameter" (TForm30),
  /// "Making Overall Shifts in Coordinates" (TForm26), "Working Coordinates" (TForm29).
  WindowDeclaration declareEditorWindow();
  WindowDeclaration declareSettingWindow();
  WindowDeclaration declareShiftWindow();
  WindowDeclaration declareWorkingCoordinatesWindow();

 private:
  void loadEditor();
  void fillFvarList();
  /// The chain after the coordinates of the whole structure moved.
  void afterCoordinatesMoved();

  CommandContext m_context;
  SymmetryCommands* m_symmetry = nullptr;
  EditParametersWindow m_editor;
  SettingParameterWindow m_setting;
  ShiftWindow m_shift;
  WorkingCoordinatesWindow m_coordinates;
};

}  // namespace tavo::workbench
