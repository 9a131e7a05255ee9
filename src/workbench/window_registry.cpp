// The registry of the auxiliary windows: one line per window, in the order the program creates
// them. Nothing else names a window.
#include "workbench/workbench.h"

namespace tavo::workbench {

namespace {

/// A window of fixed text (information, help): the Qt program shows it from its menu item.
WindowDeclaration textWindow(std::string name, std::string caption) {
  WindowDeclaration window =
      declaredWindow(std::move(name), std::move(caption), "its menu item shows it", {});
  window.placement = Placement::AsCreated;
  return window;
}

/// A window whose only state is whether it is shown.
WindowDeclaration shownWindow(std::string name, std::string caption, std::function<bool()> shown,
                              Placement placement = Placement::Centred) {
  WindowDeclaration window =
      declaredWindow(std::move(name), std::move(caption), "", std::move(shown));
  window.placement = placement;
  return window;
}

}  // namespace

std::vector<WindowDeclaration> Workbench::declareWindows() {
  Workbench& b = *this;
  const Workbench& c = b;
  WindowDeclaration distancesAngles = shownWindow(
      "TForm16", "Distances and Angles", [&c] { return c.distancesAngles().visible; },
      Placement::AtPoint);
  distancesAngles.atPoint = [&c] {
    return std::pair{c.distancesAngles().at.x, c.distancesAngles().at.y};
  };
  return {
      declareAtomListWindow(b.atomList()),
      declareFormulaWindow(b.formulaCommands()),
      declareHfixRulesWindow(b.freeVariables()),
      declareJobControlWindow(b.jobControl()),
      declareLineEditorWindow(b.jobControl()),
      declareOmitWindow(b.listing()),
      declareSplitWindow(b.listing()),
      declarePeakListWindow(b.peaks()),
      declareCifEditorWindow(b.cifCommands()),
      declareTextEditorWindow(b.jobControl()),
      shownWindow(
          "TForm12", "Interatomic Distances", [&c] { return c.distanceList().visible; },
          Placement::BesidePicture),
      shownWindow(
          "TForm13", "", [&c] { return c.fileList().visible; }, Placement::BesidePicture),
      declarePackingRangeWindow(b.expansionCommands()),
      declareEllipseWindow(b.preferences()),
      distancesAngles,
      declareElementDefinitionsWindow(b.preferences()),
      declareGraphicsSettingsWindow(b.preferences()),
      textWindow("TForm19", "About Tavo"),
      textWindow("TForm20", "Shelxl/ORTEP/Others Relevant Websites"),
      textWindow("TForm21", "Wait!"),
      declareFixingWindow(b.freeVariables()),
      b.parameters().declareEditorWindow(),
      b.importExport().declareGaussianWindow(),
      b.parameters().declareShiftWindow(),
      declareGlobalEditionWindow(b.globalEdition()),
      b.locate().declareWindow(),
      b.parameters().declareWorkingCoordinatesWindow(),
      b.parameters().declareSettingWindow(),
      textWindow("TForm32", "Quick References; How to Use Tavo"),
      textWindow("TForm33", "Minimum Instructions for Shelxl structure refinment in Tavo"),
      declareDistanceWindow(b.locate()),
      declareCifHelpWindow(b.cifCommands()),
      declareCifLineEditorWindow(b.cifCommands()),
      declarePlaneWindow(b.geometry()),
      b.density().declareMapPeaksWindow(),
      b.density().declareAgreementWindow(),
      b.partCommands().declareWindow(),
      b.refinement().declareRunWindow(),
      b.refinement().declareHistoryWindow(),
      b.refinement().declareSettingsWindow(),
  };
}

}  // namespace tavo::workbench
