// The command table of the main menu and the handlers of the core's commands.
#include "workbench/command_table.h"

#include <array>
#include <cassert>

#include "workbench/edit_step.h"
#include "workbench/workbench.h"

namespace tavo::workbench {

namespace {

using C = CommandId;

// Each title's mnemonic is a letter of its caption no other title uses.
constexpr std::array<MenuTitle, 9> titles = {{
    {"File", "&File"},
    {"Import", "&Import"},
    {"Params", "&Params"},
    {"View", "&View"},
    {"Commands", "&Commands"},
    {"Preferences", "P&references"},
    {"Options", "&Options"},
    {"About", "&About"},
    {"Help", "&Help"},
}};

// Items without a handler, flag or windowOnly mark belong to features that are not built yet;
// a feature that is built gives its items a handler here (or, for a window of the Qt program,
// windowOnly and a handler in the window's table of window commands).
CommandEntry item(CommandId id, std::string_view menu, std::string_view caption,
                  std::string_view shortcut, std::string_view objectName,
                  CoreHandler handler = nullptr) {
  return {
      id,    menu, caption, shortcut, objectName, handler, std::nullopt, false, EnabledWhen::Always,
      false, {}};
}

CommandEntry toggle(CommandId id, std::string_view menu, std::string_view caption,
                    std::string_view shortcut, std::string_view objectName, DisplayFlag flag) {
  CommandEntry entry = item(id, menu, caption, shortcut, objectName);
  entry.flag = flag;
  return entry;
}

CommandEntry window(CommandId id, std::string_view menu, std::string_view caption,
                    std::string_view shortcut, std::string_view objectName) {
  CommandEntry entry = item(id, menu, caption, shortcut, objectName);
  entry.windowOnly = true;
  return entry;
}

CommandEntry checkMarked(CommandEntry entry) {
  entry.checkMark = true;
  return entry;
}

/// An item that shows and hides the window named `window`: checked while it is shown.
CommandEntry showsWindow(CommandEntry entry, std::string_view window) {
  entry.checkMark = true;
  entry.window = window;
  return entry;
}

CommandEntry offeredAfterOpen(CommandEntry entry) {
  entry.enabledWhen = EnabledWhen::FileListOffered;
  return entry;
}

CommandEntry enabledWhen(CommandEntry entry, EnabledWhen when) {
  entry.enabledWhen = when;
  return entry;
}

const std::array<CommandEntry, 85> entries = {
    item(C::OpenIns, "File", "Open *.ins/*.res/backups", "Ctrl+O", "OpenIns1",
         [](Workbench& b) { b.fileCommands().openByDialog(); }),
    item(C::OpenResAfterLs, "File", "Open *.res after LS (Shelxl-2019)", "Ctrl+R", "OpenRes1",
         [](Workbench& b) { b.fileCommands().reopenAsRes(); }),
    item(C::ReopenIns, "File", "Open *.ins (Re-Open)", "Ctrl+I", "ReOpenIns1",
         [](Workbench& b) { b.fileCommands().reopen(); }),
    offeredAfterOpen(item(C::ListFiles, "File", "List of *.ins/*.res/backups", "", "ListofFiles1",
                          [](Workbench& b) { b.fileCommands().showFileList(); })),
    item(C::OverlayPeaks, "File", "Read (Overlay) Q-Peaks in *.ins/*.res", "", "OverlayPeaks1",
         [](Workbench& b) { b.peaks().readOverlayPeaks(); }),
    item(C::EditLastSaved, "File", "Edit *.ins (the last saved)", "", "EditIns1",
         [](Workbench& b) { b.jobControl().openLineEditor(); }),
    item(C::SaveIns, "File", "Save *.ins", "Ctrl+S", "SaveIns1",
         [](Workbench& b) { b.fileCommands().save(); }),
    item(C::SaveExpanded, "File", "Save All Expanded Atoms As a New *.ins", "", "SaveExpanded1",
         [](Workbench& b) { b.fileCommands().saveAllExpandedAtoms(); }),
    item(C::SaveTexsan, "File", "Save texsan.ins/atoms.dat/atoms.pks", "", "SaveTexsan1",
         [](Workbench& b) { b.importExport().saveTexsan(); }),
    item(C::SaveCartesian, "File", "Save Cartesian (->DFT etc.)", "", "SaveCartesian1",
         [](Workbench& b) { b.importExport().saveCartesian(); }),
    item(C::SaveFragment, "File", "Save Fragment", "", "SaveFragment1",
         [](Workbench& b) { b.importExport().saveFragment(); }),
    item(C::SavePdb, "File", "Save PDB", "", "SavePDB1",
         [](Workbench& b) { b.importExport().savePdb(); }),
    item(C::SaveXyz, "File", "Save XYZ (Label X Y Z)", "", "SaveXYZ1",
         [](Workbench& b) { b.importExport().saveXyz(); }),
    item(C::SaveGaussian, "File", "Save Gaussian Com (->DFT)", "", "SaveGaussian1",
         [](Workbench& b) { b.importExport().openGaussianWindow(); }),
    item(C::SaveModelCif, "File", "Save CIF (current model)", "", "SaveModelCIF1",
         [](Workbench& b) { b.importExport().saveModelCif(); }),
    item(C::ShowFileBuffer, "File", "Show the File Buffer", "F9", "ShowFileBuffer1",
         [](Workbench& b) { b.jobControl().toggleFileBuffer(); }),
    window(C::ShowWorkingGrids, "File", "Show the Working Grids for Renumbering", "F10",
           "ShowWorkingGrids1"),
    window(C::ExportPicture, "File", "Export Picture…", "", "ExportPicture1"),
    window(C::PrintPicture, "File", "Print Picture…", "", "PrintPicture1"),
    window(C::Exit, "File", "Exit", "Ctrl+Q", "Exit1"),
    item(C::ImportCif, "Import", "CIF", "", "ImportCIF1",
         [](Workbench& b) { b.importExport().importByDialog(ImportFormat::Cif); }),
    item(C::ImportFdat, "Import", "FDAT (CSD)", "", "ImportFDAT1",
         [](Workbench& b) { b.importExport().importByDialog(ImportFormat::Fdat); }),
    item(C::ImportXyz, "Import", "XYZ Coordinates", "", "ImportXYZ1",
         [](Workbench& b) { b.importExport().importByDialog(ImportFormat::Xyz); }),
    item(C::ImportCartesian, "Import", "Cartesian (<-DFT)", "", "ImportCartesian1",
         [](Workbench& b) { b.importExport().importByDialog(ImportFormat::Cartesian); }),
    item(C::ImportPdb, "Import", "PDB", "", "ImportPDB1",
         [](Workbench& b) { b.importExport().importByDialog(ImportFormat::Pdb); }),
    item(C::FormulaCell, "Params", "Formula/Cell", "", "FormulaCell1",
         [](Workbench& b) { b.formulaCommands().open(); }),
    checkMarked(item(C::SpaceGroup, "Params", "Space Group", "", "SpaceGroup1",
                     [](Workbench& b) { b.symmetryCommands().toggleControls(); })),
    showsWindow(item(C::AtomList, "Params", "XYZUij + Others", "Ctrl+X", "XYZUij1",
                     [](Workbench& b) { b.atomList().toggleWindow(); }),
                "TForm2"),
    showsWindow(item(C::FixingFvar, "Params", "Fixing/FVAR", "Ctrl+F", "FixingFVAR1",
                     [](Workbench& b) { b.freeVariables().toggleWindow(); }),
                "TForm23"),
    showsWindow(item(C::GlobalEdition, "Params", "Global Edition", "Ctrl+G", "GlobalEdition1",
                     [](Workbench& b) { b.globalEdition().toggleWindow(); }),
                "TForm27"),
    showsWindow(item(C::ListOfPeaks, "Params", "List of Peaks", "Ctrl+D", "ListofPeaks1",
                     [](Workbench& b) { b.peaks().toggleList(); }),
                "TForm9"),
    item(C::ListOfXyz, "Params", "List of XYZs", "", "ListofXYZs1",
         [](Workbench& b) { b.parameters().listWorkingCoordinates(); }),
    item(C::ShowDistances, "Params", "Show Distances", "", "ShowDistances1",
         [](Workbench& b) { b.viewCommands().showDistances(); }),
    toggle(C::ShowLabels, "View", "Show Labels", "", "ShowLabels1", DisplayFlag::Labels),
    toggle(C::ShowHAtoms, "View", "Show H Atoms", "", "ShowHAtoms1", DisplayFlag::Hydrogens),
    toggle(C::HideHLabels, "View", "Hide H Labels", "", "HideHLabels1",
           DisplayFlag::HideHydrogenLabels),
    toggle(C::SpotHAtoms, "View", "Spot H Atoms", "", "SpotHAtoms1", DisplayFlag::SpotHydrogens),
    toggle(C::ShowPeaks, "View", "Show Peaks", "", "ShowPeaks1", DisplayFlag::Peaks),
    toggle(C::ExpandHAtoms, "View", "Expand H Atoms", "", "ExpandHAtoms1",
           DisplayFlag::ExpandHydrogens),
    toggle(C::ExpandPeaks, "View", "Expand Peaks", "", "ExpandPeaks1", DisplayFlag::ExpandPeaks),
    toggle(C::ShowCells, "View", "Show Cells", "Ctrl+Z", "ShowCells1", DisplayFlag::Cell),
    toggle(C::Ellipse, "View", "Ellipse", "Ctrl+T", "Ellipse1", DisplayFlag::Ellipse),
    checkMarked(item(C::ThermalEllipsoids, "View", "Thermal Ellipsoids", "Ctrl+Shift+T",
                     "ThermalEllipsoids1",
                     [](Workbench& b) { b.preferences().toggleEllipsoids(); })),
    toggle(C::StereoView, "View", "Stereo View", "Ctrl+W", "StereoView1", DisplayFlag::Stereo),
    toggle(C::ExpandConnections, "View", "Expand Connections", "Ctrl+A", "ExpandConnections1",
           DisplayFlag::ExpandConnections),
    toggle(C::PackingView, "View", "Packing View", "Ctrl+P", "PackingView1", DisplayFlag::Packing),
    item(C::ShowPlaneCalc, "View", "Show Plane Calc Window", "", "ShowPlaneCalc1",
         [](Workbench& b) { b.geometry().showWindow(); }),
    checkMarked(item(C::DifferenceMap, "View", "Difference Map", "Ctrl+M", "DifferenceMap1",
                     [](Workbench& b) { b.density().toggleMap(); })),
    showsWindow(item(C::MapPeaks, "View", "Map Peaks", "", "MapPeaks1",
                     [](Workbench& b) { b.density().toggleMapPeaksWindow(); }),
                "MapPeaks"),
    showsWindow(item(C::AgreementWithData, "View", "Agreement with the Data", "", "Agreement1",
                     [](Workbench& b) { b.density().toggleAgreementWindow(); }),
                "Agreement"),
    item(C::OpenReflectionData, "View", "Open Reflection Data", "", "OpenReflectionData1",
         [](Workbench& b) { b.density().chooseReflectionFile(); }),
    toggle(C::NumericalPositions, "View", "Numerical Positions", "Ctrl+N", "NumericalPositions1",
           DisplayFlag::NumericalPositions),
    toggle(C::TrackingBars, "View", "Tracking Bars", "Ctrl+B", "TrackingBars1",
           DisplayFlag::TrackingBars),
    window(C::Thresholds, "View", "Bonds/Peaks Thresholds", "F2", "BondsPeaksThresholds1"),
    item(C::InitializeView, "View", "Initialize View Items", "F1", "InitializeViewItems1",
         [](Workbench& b) { b.viewCommands().initializeViewItems(); }),
    item(C::FirstView, "View", "First View", "", "FirstView1",
         [](Workbench& b) { b.orientation().returnToFirstView(); }),
    item(C::ViewDownA, "View", "View down a", "", "ViewDownA1",
         [](Workbench& b) { b.orientation().viewDownAxis(0); }),
    item(C::ViewDownB, "View", "View down b", "", "ViewDownB1",
         [](Workbench& b) { b.orientation().viewDownAxis(1); }),
    item(C::ViewDownC, "View", "View down c", "", "ViewDownC1",
         [](Workbench& b) { b.orientation().viewDownAxis(2); }),
    showsWindow(item(C::PartComponents, "View", "PART Components", "", "PartComponents1",
                     [](Workbench& b) { b.partCommands().toggleWindow(); }),
                "Parts"),
    window(C::Messages, "View", "Messages", "", "Messages1"),
    showsWindow(item(C::EditShelxlCommands, "Commands", "Edit Shelxl-97 Commands", "Ctrl+E",
                     "EditShelxl1", [](Workbench& b) { b.jobControl().toggleWindow(); }),
                "TForm5"),
    item(C::HfixSelection, "Commands", "HFIX Selection (H atoms)", "", "HFIXSelection1",
         [](Workbench& b) { b.freeVariables().showHfixRules(); }),
    item(C::OmitHkl, "Commands", "OMIT HKL using *.lst", "", "OMITHKL1",
         [](Workbench& b) { b.listing().openOmit(); }),
    item(C::SplitAtom, "Commands", "Split Atom using *.lst", "", "SplitAtom1",
         [](Workbench& b) { b.listing().openSplit(); }),
    item(C::InvertStructure, "Commands", "Invert Structure", "", "InvertStructure1",
         [](Workbench& b) { b.parameters().invertStructure(); }),
    item(C::ShiftXyz, "Commands", "Shift XYZs", "", "ShiftXYZs1",
         [](Workbench& b) { b.parameters().showShift(); }),
    item(C::CheckDuplication, "Commands", "Check Duplication of Labeling", "", "CheckDuplication1",
         [](Workbench& b) { b.fileCommands().checkDuplicateLabels(); }),
    // Ctrl+Z shows the cells: undo and redo take keys no other item uses.
    enabledWhen(item(C::UndoLastEdit, "Commands", "Undo Last Edit", "Ctrl+U", "UndoLastEdit1",
                     [](Workbench& b) { undoLastEdit(b.state()); }),
                EnabledWhen::UndoAvailable),
    enabledWhen(item(C::RedoLastEdit, "Commands", "Redo Last Edit", "Ctrl+Y", "RedoLastEdit1",
                     [](Workbench& b) { redoLastEdit(b.state()); }),
                EnabledWhen::RedoAvailable),
    item(C::Refine, "Commands", "Refine", "Ctrl+L", "Refine1",
         [](Workbench& b) { b.refinement().refine(); }),
    showsWindow(item(C::RefinementHistory, "Commands", "Refinement History...", "",
                     "RefinementHistory1", [](Workbench& b) { b.refinement().toggleHistory(); }),
                "RefineHistory"),
    showsWindow(item(C::RefinementProgram, "Commands", "Refinement Program", "",
                     "RefinementProgram1", [](Workbench& b) { b.refinement().showSettings(); }),
                "RefineSettings"),
    item(C::PackingRange, "Preferences", "Packing View Range", "", "PackingViewRange1",
         [](Workbench& b) { b.expansionCommands().showPackingRange(); }),
    window(C::EllipseParams, "Preferences", "Ellipse View Params", "", "EllipseViewParams1"),
    window(C::DefinitionOfElements, "Preferences", "Definition of Elements", "",
           "DefinitionofElements1"),
    window(C::CustomizeGraphics, "Preferences", "Customize Graphics", "", "CustomizeGraphics1"),
    item(C::TextEditor, "Options", "Text Editor", "", "TextEditor1",
         [](Workbench& b) { b.jobControl().openTextEditor(); }),
    item(C::GenerateCif, "Options", "Generate CIF (Auto)", "", "GenerateCIF1",
         [](Workbench& b) { b.cifCommands().generate(); }),
    item(C::ViewCifWindow, "Options", "View CIF Generation Window", "", "ViewCIFWindow1",
         [](Workbench& b) { b.cifCommands().showWindow(); }),
    window(C::MaintenanceOnly, "Options", "Maintenance Only", "F12", "MaintenanceOnly1"),
    window(C::AboutTavo, "About", "About Tavo", "", "AboutTavo1"),
    window(C::ShelxlInformation, "About", "Shelxl/ORTEP Information", "", "ShelxlInformation1"),
    window(C::HelpGraphicTreatment, "Help", "Graphic Treatment", "", "GraphicTreatment1"),
    window(C::HelpShelxlRefinement, "Help", "Shelxl Refinement", "", "ShelxlRefinement1"),
};

const std::array<ViewPopupEntry, 7> viewPopup = {{
    {"Show/Hide Labels", C::ShowLabels},
    {"Show/Hide H Atoms", C::ShowHAtoms},
    {"Show/Hide H Labels", C::HideHLabels},
    {"Show/Hide H Spots", C::SpotHAtoms},
    {"Show/Hide Peaks", C::ShowPeaks},
    {"On/Off Expand H Atoms", C::ExpandHAtoms},
    {"On/Off Expand Peaks", C::ExpandPeaks},
}};

[[maybe_unused]] bool entriesFollowTheEnumOrder() {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (static_cast<size_t>(entries[i].id) != i) return false;
  }
  return true;
}

}  // namespace

std::span<const MenuTitle> menuTitles() {
  return titles;
}

std::span<const CommandEntry> commandTable() {
  return entries;
}

const CommandEntry& commandEntry(CommandId id) {
  assert(entriesFollowTheEnumOrder());
  return entries.at(static_cast<size_t>(id));
}

std::optional<CommandId> findCommandByCaption(std::string_view caption) {
  for (const CommandEntry& entry : entries) {
    if (entry.caption == caption) return entry.id;
  }
  return std::nullopt;
}

bool enabledIn(const CommandEntry& entry, const WorkbenchState& state) {
  switch (entry.enabledWhen) {
    case EnabledWhen::Always:
      return true;
    case EnabledWhen::FileListOffered:
      return state.window.fileListItemEnabled;
    case EnabledWhen::UndoAvailable:
      return state.undo.canUndo();
    case EnabledWhen::RedoAvailable:
      return state.undo.canRedo();
  }
  return true;
}

std::span<const ViewPopupEntry> viewPopupEntries() {
  return viewPopup;
}

// The Workbench runs, enables and checks a menu item by the entry of this table.

bool Workbench::hasCoreHandler(CommandId id) {
  const CommandEntry& entry = commandEntry(id);
  return entry.handler != nullptr || entry.flag.has_value();
}

bool Workbench::run(CommandId id) {
  const CommandEntry& entry = commandEntry(id);
  assert(hasCoreHandler(id));
  return run([this, &entry] {
    if (entry.flag) {
      m_view.toggleDisplayFlag(*entry.flag);
    } else {
      entry.handler(*this);
    }
  });
}

bool Workbench::enabled(CommandId id) const {
  return enabledIn(commandEntry(id), m_state);
}

bool Workbench::checked(CommandId id) const {
  const CommandEntry& entry = commandEntry(id);
  if (!entry.window.empty()) return findWindow(entry.window)->isShown();
  // The space-group controls are a panel of the main window, not a window of their own.
  if (id == CommandId::SpaceGroup) return m_symmetry.controls().visible;
  // The two symmetry views are checked while shown, also when 'ReExp' or 'RePck' brought them.
  if (id == CommandId::ExpandConnections) return m_expansion.expansionShown();
  if (id == CommandId::PackingView) return m_expansion.packingShown();
  if (id == CommandId::DifferenceMap) return m_density.mapShown();
  if (id == CommandId::ThermalEllipsoids) return m_preferences.ellipsoidStyle().on;
  return entry.flag && m_view.displayFlag(*entry.flag);
}

}  // namespace tavo::workbench
