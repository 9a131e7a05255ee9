// The main menu, its items' captions and keys, and the three popup menus of the paint surface.
#pragma once

#include <span>
#include <string_view>

namespace tavo::app {

/// Every command of the main menu, in menu order.
enum class MenuCommand {
  OpenIns,
  OpenResAfterLs,
  ReopenIns,
  ListFiles,
  OverlayPeaks,
  EditLastSaved,
  SaveIns,
  SaveExpanded,
  SaveTexsan,
  SaveCartesian,
  SaveFragment,
  SavePdb,
  SaveXyz,
  SaveGaussian,
  ShowFileBuffer,
  ShowWorkingGrids,
  Exit,
  ImportCif,
  ImportFdat,
  ImportXyz,
  ImportCartesian,
  ImportPdb,
  FormulaCell,
  SpaceGroup,
  AtomList,
  FixingFvar,
  GlobalEdition,
  ListOfPeaks,
  ListOfXyz,
  ShowDistances,
  ShowLabels,
  ShowHAtoms,
  HideHLabels,
  SpotHAtoms,
  ShowPeaks,
  ExpandHAtoms,
  ExpandPeaks,
  ShowCells,
  Ellipse,
  StereoView,
  ExpandConnections,
  PackingView,
  ShowPlaneCalc,
  NumericalPositions,
  TrackingBars,
  Thresholds,
  InitializeView,
  EditShelxlCommands,
  HfixSelection,
  OmitHkl,
  SplitAtom,
  InvertStructure,
  ShiftXyz,
  CheckDuplication,
  PackingRange,
  EllipseParams,
  DefinitionOfElements,
  CustomizeGraphics,
  TextEditor,
  GenerateCif,
  ViewCifWindow,
  MaintenanceOnly,
  AboutTavo,
  ShelxlInformation,
  HelpGraphicTreatment,
  HelpShelxlRefinement,
};

/// One item of the main menu: the menu it sits in, its caption, key and objectName, and whether
/// it shows a check mark that mirrors a flag.
struct MenuEntry {
  MenuCommand command;
  std::string_view menu;
  std::string_view caption;
  std::string_view shortcut;  // QKeySequence text, "" for none
  std::string_view objectName;
  bool checkable = false;
};

/// The top-level menus in their order on the menu bar.
std::span<const std::string_view> mainMenuTitles();
/// Every item of the main menu, in order.
std::span<const MenuEntry> mainMenuEntries();
/// The entry of `command`.
const MenuEntry& menuEntry(MenuCommand command);

/// The view menu of Ctrl+right click (PopupMenu2) and the View toggle each item calls.
struct ViewPopupEntry {
  std::string_view caption;
  MenuCommand toggle;
};
std::span<const ViewPopupEntry> viewPopupEntries();

/// The atom menu (PopupMenu1): "Center", the inactive "*******", "Adopt", "Locate", "Delete".
inline constexpr std::string_view atomMenuMarker = "*******";

}  // namespace tavo::app
