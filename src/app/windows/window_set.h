// Every auxiliary window, created hidden in the fixed order and found by its objectName.
#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace tavo::workbench {
class Workbench;
}

namespace tavo::app {

class AuxiliaryWindow;
class CifEditorWindow;
class CifLineEditorWindow;
class EllipseParamsWindow;
class ElementDefinitionsWindow;
class FileListWindow;
class FixingWindow;
class HfixRulesWindow;
class FormulaWindow;
class EditParametersWindow;
class SettingParameterWindow;
class ShiftWindow;
class OmitListWindow;
class SplitListWindow;
class GaussianWindow;
class GraphicsSettingsWindow;
class GridWindow;
class JobControlWindow;
class LineEditorWindow;
class TextEditorWindow;
class PackingRangeWindow;
class WaitWindow;
class PeakListWindow;
class GlobalEditionWindow;
class LocateWindow;
class DistanceWindow;
class PlaneCalcWindow;
class AtomListWindow;

class WindowSet {
 public:
  /// Creates the windows of `auxiliaryWindows()` in order as children of `main`, all hidden;
  /// the windows with controls work on `bench`.
  WindowSet(QWidget* main, workbench::Workbench& bench);

  /// The window named `objectName` ("TForm16"); null when there is none.
  AuxiliaryWindow* find(const QString& objectName) const;
  const std::vector<AuxiliaryWindow*>& all() const { return m_windows; }
  FileListWindow* fileList() const { return m_fileList; }
  GridWindow* distancesAngles() const { return m_distancesAngles; }
  GridWindow* distanceList() const { return m_distanceList; }
  EllipseParamsWindow* ellipseParams() const { return m_ellipseParams; }
  ElementDefinitionsWindow* elementDefinitions() const { return m_elementDefinitions; }
  GraphicsSettingsWindow* graphicsSettings() const { return m_graphicsSettings; }
  WaitWindow* wait() const { return m_wait; }                          // TForm21 "Wait!"
  PackingRangeWindow* packingRange() const { return m_packingRange; }  // TForm14
  JobControlWindow* jobControl() const { return m_jobControl; }        // TForm5
  LineEditorWindow* lineEditor() const { return m_lineEditor; }        // TForm6
  TextEditorWindow* textEditor() const { return m_textEditor; }        // TForm11
  FixingWindow* fixing() const { return m_fixing; }                    // TForm23
  HfixRulesWindow* hfixRules() const { return m_hfixRules; }           // TForm4
  FormulaWindow* formula() const { return m_formula; }                 // TForm3
  /// TForm9 and TForm27.
  PeakListWindow* peakList() const { return m_peakList; }
  GlobalEditionWindow* globalEdition() const { return m_globalEdition; }

  // The parameter windows: TForm24, TForm30, TForm26 and TForm29.
  EditParametersWindow* editParameters() const { return m_editParameters; }
  SettingParameterWindow* settingParameter() const { return m_settingParameter; }
  ShiftWindow* shift() const { return m_shift; }
  GridWindow* workingCoordinates() const { return m_workingCoordinates; }
  CifEditorWindow* cifEditor() const { return m_cifEditor; }              // TForm10
  CifLineEditorWindow* cifLineEditor() const { return m_cifLineEditor; }  // TForm36
  OmitListWindow* omitList() const { return m_omitList; }                 // TForm7
  SplitListWindow* splitList() const { return m_splitList; }              // TForm8
  GaussianWindow* gaussian() const { return m_gaussian; }                 // TForm25
  LocateWindow* locate() const { return m_locate; }                       // TForm28
  DistanceWindow* distance() const { return m_distance; }                 // TForm34
  PlaneCalcWindow* planeCalc() const { return m_planeCalc; }              // TForm37
  AtomListWindow* atomList() const { return m_atomList; }                 // TForm2

 private:
  std::vector<AuxiliaryWindow*> m_windows;
  FileListWindow* m_fileList = nullptr;
  GridWindow* m_distancesAngles = nullptr;
  GridWindow* m_distanceList = nullptr;
  EllipseParamsWindow* m_ellipseParams = nullptr;
  ElementDefinitionsWindow* m_elementDefinitions = nullptr;
  GraphicsSettingsWindow* m_graphicsSettings = nullptr;
  WaitWindow* m_wait = nullptr;
  PackingRangeWindow* m_packingRange = nullptr;
  JobControlWindow* m_jobControl = nullptr;
  LineEditorWindow* m_lineEditor = nullptr;
  TextEditorWindow* m_textEditor = nullptr;
  FixingWindow* m_fixing = nullptr;
  HfixRulesWindow* m_hfixRules = nullptr;
  FormulaWindow* m_formula = nullptr;
  PeakListWindow* m_peakList = nullptr;
  GlobalEditionWindow* m_globalEdition = nullptr;
  EditParametersWindow* m_editParameters = nullptr;
  SettingParameterWindow* m_settingParameter = nullptr;
  ShiftWindow* m_shift = nullptr;
  GridWindow* m_workingCoordinates = nullptr;
  CifEditorWindow* m_cifEditor = nullptr;
  CifLineEditorWindow* m_cifLineEditor = nullptr;
  OmitListWindow* m_omitList = nullptr;
  SplitListWindow* m_splitList = nullptr;
  GaussianWindow* m_gaussian = nullptr;
  LocateWindow* m_locate = nullptr;
  DistanceWindow* m_distance = nullptr;
  PlaneCalcWindow* m_planeCalc = nullptr;
  AtomListWindow* m_atomList = nullptr;
};

}  // namespace tavo::app
