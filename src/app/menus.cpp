// The menu table of the main window.
#include "app/menus.h"

#include <array>
#include <cassert>

namespace tavo::app {

namespace {

using C = MenuCommand;

constexpr std::array<std::string_view, 9> titles = {
    "File", "Import", "Params", "View", "Commands", "Preferences", "Options", "About", "Help"};

constexpr std::array<MenuEntry, 66> entries = {{
    {C::OpenIns, "File", "Open *.ins/*.res/backups", "Ctrl+O", "OpenIns1"},
    {C::OpenResAfterLs, "File", "Open *.res after LS (Shelxl-2019)", "Ctrl+R", "OpenRes1"},
    {C::ReopenIns, "File", "Open *.ins (Re-Open)", "Ctrl+I", "ReOpenIns1"},
    {C::ListFiles, "File", "List of *.ins/*.res/backups", "", "ListofFiles1"},
    {C::OverlayPeaks, "File", "Read (Overlay) Q-Peaks in *.ins/*.res", "", "OverlayPeaks1"},
    {C::EditLastSaved, "File", "Edit *.ins (the last saved)", "", "EditIns1"},
    {C::SaveIns, "File", "Save *.ins", "Ctrl+S", "SaveIns1"},
    {C::SaveExpanded, "File", "Save All Expanded Atoms As a New *.ins", "", "SaveExpanded1"},
    {C::SaveTexsan, "File", "Save texsan.ins/atoms.dat/atoms.pks", "", "SaveTexsan1"},
    {C::SaveCartesian, "File", "Save Cartesian (->DFT etc.)", "", "SaveCartesian1"},
    {C::SaveFragment, "File", "Save Fragment", "", "SaveFragment1"},
    {C::SavePdb, "File", "Save PDB", "", "SavePDB1"},
    {C::SaveXyz, "File", "Save XYZ (Label X Y Z)", "", "SaveXYZ1"},
    {C::SaveGaussian, "File", "Save Gaussian Com (->DFT)", "", "SaveGaussian1"},
    {C::ShowFileBuffer, "File", "Show the File Buffer", "F9", "ShowFileBuffer1"},
    {C::ShowWorkingGrids, "File", "Show the Working Grids for Renumbering", "F10",
     "ShowWorkingGrids1"},
    {C::Exit, "File", "Exit", "Ctrl+Q", "Exit1"},
    {C::ImportCif, "Import", "CIF", "", "ImportCIF1"},
    {C::ImportFdat, "Import", "FDAT (CSD)", "", "ImportFDAT1"},
    {C::ImportXyz, "Import", "XYZ Coordinates", "", "ImportXYZ1"},
    {C::ImportCartesian, "Import", "Cartesian (<-DFT)", "", "ImportCartesian1"},
    {C::ImportPdb, "Import", "PDB", "", "ImportPDB1"},
    {C::FormulaCell, "Params", "Formula/Cell", "", "FormulaCell1"},
    {C::SpaceGroup, "Params", "Space Group", "", "SpaceGroup1"},
    {C::AtomList, "Params", "XYZUij + Others", "Ctrl+X", "XYZUij1"},
    {C::FixingFvar, "Params", "Fixing/FVAR", "Ctrl+F", "FixingFVAR1"},
    {C::GlobalEdition, "Params", "Global Edition", "Ctrl+G", "GlobalEdition1"},
    {C::ListOfPeaks, "Params", "List of Peaks", "Ctrl+D", "ListofPeaks1"},
    {C::ListOfXyz, "Params", "List of XYZs", "", "ListofXYZs1"},
    {C::ShowDistances, "Params", "Show Distances", "", "ShowDistances1"},
    {C::ShowLabels, "View", "Show Labels", "", "ShowLabels1", true},
    {C::ShowHAtoms, "View", "Show H Atoms", "", "ShowHAtoms1", true},
    {C::HideHLabels, "View", "Hide H Labels", "", "HideHLabels1", true},
    {C::SpotHAtoms, "View", "Spot H Atoms", "", "SpotHAtoms1", true},
    {C::ShowPeaks, "View", "Show Peaks", "", "ShowPeaks1", true},
    {C::ExpandHAtoms, "View", "Expand H Atoms", "", "ExpandHAtoms1", true},
    {C::ExpandPeaks, "View", "Expand Peaks", "", "ExpandPeaks1", true},
    {C::ShowCells, "View", "Show Cells", "Ctrl+Z", "ShowCells1", true},
    {C::Ellipse, "View", "Ellipse", "Ctrl+T", "Ellipse1", true},
    {C::StereoView, "View", "Stereo View", "Ctrl+W", "StereoView1", true},
    {C::ExpandConnections, "View", "Expand Connections", "Ctrl+A", "ExpandConnections1", true},
    {C::PackingView, "View", "Packing View", "Ctrl+P", "PackingView1", true},
    {C::ShowPlaneCalc, "View", "Show Plane Calc Window", "", "ShowPlaneCalc1"},
    {C::NumericalPositions, "View", "Numerical Positions", "Ctrl+N", "NumericalPositions1", true},
    {C::TrackingBars, "View", "Tracking Bars", "Ctrl+B", "TrackingBars1", true},
    {C::Thresholds, "View", "Bonds/Peaks Thresholds", "F2", "BondsPeaksThresholds1"},
    {C::InitializeView, "View", "Initialize View Items", "F1", "InitializeViewItems1"},
    {C::EditShelxlCommands, "Commands", "Edit Shelxl-97 Commands", "Ctrl+E", "EditShelxl1"},
    {C::HfixSelection, "Commands", "HFIX Selection (H atoms)", "", "HFIXSelection1"},
    {C::OmitHkl, "Commands", "OMIT HKL using *.lst", "", "OMITHKL1"},
    {C::SplitAtom, "Commands", "Split Atom using *.lst", "", "SplitAtom1"},
    {C::InvertStructure, "Commands", "Invert Structure", "", "InvertStructure1"},
    {C::ShiftXyz, "Commands", "Shift XYZs", "", "ShiftXYZs1"},
    {C::CheckDuplication, "Commands", "Check Duplication of Labeling", "", "CheckDuplication1"},
    {C::PackingRange, "Preferences", "Packing View Range", "", "PackingViewRange1"},
    {C::EllipseParams, "Preferences", "Ellipse View Params", "", "EllipseViewParams1"},
    {C::DefinitionOfElements, "Preferences", "Definition of Elements", "", "DefinitionofElements1"},
    {C::CustomizeGraphics, "Preferences", "Customize Graphics", "", "CustomizeGraphics1"},
    {C::TextEditor, "Options", "Text Editor", "", "TextEditor1"},
    {C::GenerateCif, "Options", "Generate CIF (Auto)", "", "GenerateCIF1"},
    {C::ViewCifWindow, "Options", "View CIF Generation Window", "", "ViewCIFWindow1"},
    {C::MaintenanceOnly, "Options", "Maintenance Only", "F12", "MaintenanceOnly1"},
    {C::AboutTavo, "About", "About Tavo", "", "AboutTavo1"},
    {C::ShelxlInformation, "About", "Shelxl/ORTEP Information", "", "ShelxlInformation1"},
    {C::HelpGraphicTreatment, "Help", "Graphic Treatment", "", "GraphicTreatment1"},
    {C::HelpShelxlRefinement, "Help", "Shelxl Refinement", "", "ShelxlRefinement1"},
}};

constexpr std::array<ViewPopupEntry, 7> viewPopup = {{
    {"Show/Hide Labels", C::ShowLabels},
    {"Show/Hide H Atoms", C::ShowHAtoms},
    {"Show/Hide H Labels", C::HideHLabels},
    {"Show/Hide H Spots", C::SpotHAtoms},
    {"Show/Hide Peaks", C::ShowPeaks},
    {"On/Off Expand H Atoms", C::ExpandHAtoms},
    {"On/Off Expand Peaks", C::ExpandPeaks},
}};

constexpr bool entriesFollowTheEnumOrder() {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (static_cast<size_t>(entries[i].command) != i) return false;
  }
  return true;
}
static_assert(entriesFollowTheEnumOrder(), "menu table must list the commands in enum order");

}  // namespace

std::span<const std::string_view> mainMenuTitles() {
  return titles;
}

std::span<const MenuEntry> mainMenuEntries() {
  return entries;
}

const MenuEntry& menuEntry(MenuCommand command) {
  return entries.at(static_cast<size_t>(command));
}

std::span<const ViewPopupEntry> viewPopupEntries() {
  return viewPopup;
}

}  // namespace tavo::app
