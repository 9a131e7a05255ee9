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
class EllipseParamsWindow;
class ElementDefinitionsWindow;
class FileListWindow;
class FixingWindow;
class HfixRulesWindow;
class FormulaWindow;
class GaussianWindow;
class GraphicsSettingsWindow;
class GridWindow;
class JobControlWindow;
class LineEditorWindow;
class TextEditorWindow;
class PackingRangeWindow;
class WaitWindow;

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
  GaussianWindow* gaussian() const { return m_gaussian; }              // TForm25

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
  GaussianWindow* m_gaussian = nullptr;
};

}  // namespace tavo::app
