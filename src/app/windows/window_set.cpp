// Creation of the auxiliary windows.
#include "app/windows/window_set.h"

#include "app/qt_text.h"
#include "app/windows/element_definitions_window.h"
#include "app/windows/ellipse_params_window.h"
#include "app/windows/file_list_window.h"
#include "app/windows/fixing_window.h"
#include "app/windows/formula_window.h"
#include "app/windows/gaussian_window.h"
#include "app/windows/graphics_settings_window.h"
#include "app/windows/grid_window.h"
#include "app/windows/job_control_windows.h"
#include "app/windows/packing_range_window.h"
#include "app/windows/static_text_window.h"
#include "app/windows/wait_window.h"
#include "app/windows/window_table.h"

namespace tavo::app {

WindowSet::WindowSet(QWidget* main, workbench::Workbench& bench) {
  for (const WindowEntry& entry : auxiliaryWindows()) {
    AuxiliaryWindow* window = nullptr;
    const QString html = staticWindowText(entry.objectName);
    if (!html.isEmpty()) {
      window = new StaticTextWindow(entry.objectName, entry.caption, html, main);
    } else if (entry.objectName == "TForm13") {
      window = m_fileList = new FileListWindow(main);
    } else if (entry.objectName == "TForm12") {
      window = m_distanceList =
          new GridWindow(entry.objectName, entry.caption, main, GridModel::Heading::None);
    } else if (entry.objectName == "TForm16") {
      window = m_distancesAngles = new GridWindow(entry.objectName, entry.caption, main);
    } else if (entry.objectName == "TForm15") {
      window = m_ellipseParams = new EllipseParamsWindow(bench, main);
    } else if (entry.objectName == "TForm17") {
      window = m_elementDefinitions = new ElementDefinitionsWindow(bench, main);
    } else if (entry.objectName == "TForm18") {
      window = m_graphicsSettings = new GraphicsSettingsWindow(bench, main);
    } else if (entry.objectName == "TForm21") {
      window = m_wait = new WaitWindow(entry.caption, main);
    } else if (entry.objectName == "TForm14") {
      window = m_packingRange = new PackingRangeWindow(bench, main);
    } else if (entry.objectName == "TForm5") {
      window = m_jobControl = new JobControlWindow(bench, main);
    } else if (entry.objectName == "TForm6") {
      window = m_lineEditor = new LineEditorWindow(bench, main);
    } else if (entry.objectName == "TForm11") {
      window = m_textEditor = new TextEditorWindow(bench, main);
    } else if (entry.objectName == "TForm23") {
      window = m_fixing = new FixingWindow(bench, main);
    } else if (entry.objectName == "TForm4") {
      window = m_hfixRules = new HfixRulesWindow(bench, main);
    } else if (entry.objectName == "TForm3") {
      window = m_formula = new FormulaWindow(bench, main);
    } else if (entry.objectName == "TForm25") {
      window = m_gaussian = new GaussianWindow(bench, main);
    } else {
      window = new AuxiliaryWindow(entry.objectName, entry.caption, main);
    }
    window->hide();
    m_windows.push_back(window);
  }
}

AuxiliaryWindow* WindowSet::find(const QString& objectName) const {
  for (AuxiliaryWindow* window : m_windows) {
    if (window->objectName() == objectName) return window;
  }
  return nullptr;
}

}  // namespace tavo::app
