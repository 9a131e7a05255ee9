// The Workbench: the owner of the main window's state and of one command object per feature,
// and the one dispatcher through which the edges (the Qt program, tavo-cli) run commands.
#pragma once

#include <filesystem>
#include <functional>

#include "workbench/atom_edit_commands.h"
#include "workbench/atom_list_commands.h"
#include "workbench/card_commands.h"
#include "workbench/cif_commands.h"
#include "workbench/command_context.h"
#include "workbench/command_id.h"
#include "workbench/density_commands.h"
#include "workbench/desktop_commands.h"
#include "workbench/expansion_commands.h"
#include "workbench/file_commands.h"
#include "workbench/formula_commands.h"
#include "workbench/free_variable_commands.h"
#include "workbench/geometry_commands.h"
#include "workbench/global_edition_commands.h"
#include "workbench/group_move_commands.h"
#include "workbench/import_export_commands.h"
#include "workbench/job_control_commands.h"
#include "workbench/listing_commands.h"
#include "workbench/locate_commands.h"
#include "workbench/mode_commands.h"
#include "workbench/orientation_commands.h"
#include "workbench/parameter_commands.h"
#include "workbench/part_commands.h"
#include "workbench/peak_commands.h"
#include "workbench/preference_commands.h"
#include "workbench/refinement_commands.h"
#include "workbench/symmetry_commands.h"
#include "workbench/view_commands.h"
#include "workbench/window_declaration.h"
#include "workbench/workbench_state.h"
#include "workbench/working_grids_panel.h"

namespace tavo::view {
class Canvas;
}

namespace tavo::workbench {

/// Owns the WorkbenchState and the features' commands. A later feature adds its command class
/// here (a member built from the same CommandContext and an accessor) and its items' handlers to
/// the command table.
class Workbench {
 public:
  /// Reads nothing yet: the element definitions and graphics settings are read from
  /// `programFolder` at the first open (an empty `programFolder` stands for the current
  /// directory at that time).
  Workbench(model::Dialogs& dialogs, view::Canvas& canvas, model::Clock& clock,
            std::filesystem::path programFolder);
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  /// Runs `command`, shows any UserError (or file-system error) through the dialogs and
  /// notifies the listener. True when the command ran to its end. Called only at the edges.
  bool run(const std::function<void()>& command);
  /// Runs the core handler of a menu item (a View toggle toggles its flag); false, after the
  /// message, when it failed. The item must have a core handler or a flag.
  bool run(CommandId id);
  /// True when the menu item has a core handler or toggles a flag.
  static bool hasCoreHandler(CommandId id);
  /// True when the item's condition of the table holds now.
  bool enabled(CommandId id) const;
  /// The check mark of a View toggle (false for other items).
  bool checked(CommandId id) const;

  void setListener(WorkbenchListener* listener) { m_state.listener = listener; }
  /// The canvases of the left and right stereo panes (either may be null: the stereo pair is
  /// then drawn as the standard picture in the main pane).
  void setStereoCanvases(view::Canvas* left, view::Canvas* right) {
    m_state.setStereoCanvases(left, right);
  }

  // The features.
  FileCommands& fileCommands() { return m_files; }
  ViewCommands& viewCommands() { return m_view; }
  ModeCommands& modeCommands() { return m_modes; }
  /// The expansion and packing views, the "Wait!" and 'Packing View Range' windows.
  ExpansionCommands& expansionCommands() { return m_expansion; }
  const ExpansionCommands& expansionCommands() const { return m_expansion; }
  /// The windows of the Preferences menu: ellipse parameters, element definitions, graphics.
  PreferenceCommands& preferences() { return m_preferences; }
  const PreferenceCommands& preferences() const { return m_preferences; }
  /// The working grids of F10, "Show the Working Grids for Renumbering".
  WorkingGridsPanel& workingGrids() { return m_workingGrids; }
  /// The space-group controls and the symmetry of the file.
  SymmetryCommands& symmetryCommands() { return m_symmetry; }
  const SymmetryCommands& symmetryCommands() const { return m_symmetry; }
  const WorkingGridsPanel& workingGrids() const { return m_workingGrids; }
  /// The job-control window, the line editor, the text editor, the file buffer, relabelling.
  JobControlCommands& jobControl() { return m_jobControl; }
  const JobControlCommands& jobControl() const { return m_jobControl; }
  /// The fixing and free-variable window and the HFIX coding rules window.
  FreeVariableCommands& freeVariables() { return m_freeVariables; }
  const FreeVariableCommands& freeVariables() const { return m_freeVariables; }
  /// The "Chemical Formula" window: SFAC, UNIT and the figures of the cell contents.
  FormulaCommands& formulaCommands() { return m_formula; }
  const FormulaCommands& formulaCommands() const { return m_formula; }
  /// The OMIT and split tools over the listing file (TForm7, TForm8).
  ListingCommands& listing() { return m_listing; }
  const ListingCommands& listing() const { return m_listing; }
  /// The atom edits of Apply (Name, Renumber, Delete, Adopt, PART, BeISO, Adjust, Center).
  AtomEditCommands& atomEdits() { return m_atomEdits; }
  CardCommands& cards() { return m_cards; }
  /// The Import menu and the coordinate exports.
  ImportExportCommands& importExport() { return m_importExport; }
  /// The list of peaks (TForm9), MovePks, the overlay reading of peaks, clearing all peaks.
  PeakCommands& peaks() { return m_peaks; }
  const PeakCommands& peaks() const { return m_peaks; }
  /// The "Global Edition" window (TForm27).
  GlobalEditionCommands& globalEdition() { return m_globalEdition; }
  const GlobalEditionCommands& globalEdition() const { return m_globalEdition; }
  /// The parameter windows, "Invert Structure", "Shift XYZs" and "List of XYZs".
  ParameterCommands& parameters() { return m_parameters; }
  const ParameterCommands& parameters() const { return m_parameters; }
  /// The CIF from the template: "Generate CIF (Auto)" and the 'CIF Editor' window.
  CifCommands& cifCommands() { return m_cif; }
  const CifCommands& cifCommands() const { return m_cif; }
  /// The locating tool: 'Locating an Atom, Atoms, or a Group' and 'Define the Distance?'.
  LocateCommands& locate() { return m_locate; }
  const LocateCommands& locate() const { return m_locate; }
  /// Least-squares planes: the plane window (TForm37) and the CalcPlane section of Apply.
  GeometryCommands& geometry() { return m_geometry; }
  const GeometryCommands& geometry() const { return m_geometry; }
  /// The group move: its search (Apply in MoveGrp), "UpdtGMv" and "UndoGMv".
  GroupMoveCommands& groupMove() { return m_groupMove; }
  /// The atom list "Atomic Coordinates & Parameters" (TForm2) and the sorts by label.
  AtomListCommands& atomList() { return m_atomList; }
  const AtomListCommands& atomList() const { return m_atomList; }
  /// Structure factors, agreement with the data, Fourier maps and their peaks.
  DensityCommands& density() { return m_density; }
  const DensityCommands& density() const { return m_density; }
  /// The first view, the axis views and the wheel zoom.
  OrientationCommands& orientation() { return m_orientation; }
  /// Recent files, dropped files, the window's place, the status line.
  DesktopCommands& desktop() { return m_desktop; }
  const DesktopCommands& desktop() const { return m_desktop; }
  /// The "PART Components" window: PART colours and hidden components.
  PartCommands& partCommands() { return m_partCommands; }
  const PartCommands& partCommands() const { return m_partCommands; }
  /// The refinement loop: Refine, its run window, the history of runs, the program's settings.
  RefinementCommands& refinement() { return m_refinement; }
  const RefinementCommands& refinement() const { return m_refinement; }

  /// Every auxiliary window, declared, in the order the program creates them.
  const std::vector<WindowDeclaration>& windows() const { return m_windows; }
  /// The window named `name` ("TForm3"); null when there is none.
  const WindowDeclaration* findWindow(std::string_view name) const;
  /// Does in the window `name` what `words` say (resolveWindowCall), through `run`: the
  /// control's action, or a print that appends the window's lines to `printed`. False, after
  /// the message, when the window or control is unknown, the window is not shown or the action
  /// failed.
  bool operateWindow(std::string_view name, const std::vector<std::string>& words,
                     std::vector<std::string>* printed = nullptr);

  // The state, read by the windows and tests.
  WorkbenchState& state() { return m_state; }
  const WorkbenchState& state() const { return m_state; }
  model::StructureModel& structure() { return m_state.structure; }
  const model::StructureModel& structure() const { return m_state.structure; }
  const editing::Selection& selection() const { return m_state.selection; }
  const editing::DistanceMemory& distanceMemory() const { return m_state.distance; }
  const editing::ModeFlags& modes() const { return m_state.modes; }
  const DisplayFlags& display() const { return m_state.display; }
  ControlValues& controls() { return m_state.controls; }
  const ControlValues& controls() const { return m_state.controls; }
  const MainWindowState& window() const { return m_state.window; }
  const FileListWindow& fileList() const { return m_files.fileList(); }
  const DistancesAnglesWindow& distancesAngles() const { return m_modes.distancesAngles(); }
  const DistanceListWindow& distanceList() const { return m_view.distanceList(); }
  const text::TextGrid& workingCoordinates() const { return m_files.workingCoordinates(); }
  const std::string& directoryInfo() const { return m_state.directoryInfo; }
  const std::filesystem::path& programFolder() const { return m_state.programFolder; }
  /// "Tavo2025d X-ray/DFT/etc: " + currentFile, or the prefix alone before the first open.
  const std::string& windowCaption() const { return m_state.caption; }
  bool hasStructure() const { return m_state.loaded; }
  const view::ViewState& viewState() const { return m_state.view; }
  const geometry::ViewFrame& viewFrame() const { return m_state.frame; }
  editing::PickGeometry pickGeometry() const { return m_state.pickGeometry(); }
  bool displayFlag(DisplayFlag flag) const { return m_view.displayFlag(flag); }
  bool distanceBondShown() const { return m_state.showDistanceBond; }
  bool adjustPending() const { return m_state.adjustPending; }
  /// True once a missing settings file (graphics1.inf, elems.inf) has ended the program.
  bool endRequested() const { return m_state.endRequested; }

 private:
  /// Every auxiliary window, declared and bound to the features (window_registry.cpp).
  std::vector<WindowDeclaration> declareWindows();

  model::Dialogs& m_dialogs;
  WorkbenchState m_state;
  FileCommands m_files;
  ViewCommands m_view;
  ModeCommands m_modes;
  ExpansionCommands m_expansion;
  PreferenceCommands m_preferences;
  WorkingGridsPanel m_workingGrids;
  SymmetryCommands m_symmetry;
  JobControlCommands m_jobControl;
  FreeVariableCommands m_freeVariables;
  FormulaCommands m_formula;
  ListingCommands m_listing;
  AtomEditCommands m_atomEdits;
  CardCommands m_cards;
  ImportExportCommands m_importExport;
  PeakCommands m_peaks;
  GlobalEditionCommands m_globalEdition;
  ParameterCommands m_parameters;
  CifCommands m_cif;
  LocateCommands m_locate;
  GeometryCommands m_geometry;
  GroupMoveCommands m_groupMove;
  AtomListCommands m_atomList;
  DensityCommands m_density;
  OrientationCommands m_orientation;
  DesktopCommands m_desktop;
  PartCommands m_partCommands;
  RefinementCommands m_refinement;
  std::vector<WindowDeclaration> m_windows;  // declared last: bound to the features above
};

}  // namespace tavo::workbench
