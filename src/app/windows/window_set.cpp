// Creation of the auxiliary windows.
#include "app/windows/window_set.h"

#include "app/qt_text.h"
#include "app/windows/atom_list_window.h"
#include "app/windows/cif_editor_window.h"
#include "app/windows/element_definitions_window.h"
#include "app/windows/ellipse_params_window.h"
#include "app/windows/file_list_window.h"
#include "app/windows/fixing_window.h"
#include "app/windows/formula_window.h"
#include "app/windows/gaussian_window.h"
#include "app/windows/graphics_settings_window.h"
#include "app/windows/grid_window.h"
#include "app/windows/job_control_windows.h"
#include "app/windows/listing_windows.h"
#include "app/windows/locate_windows.h"
#include "app/windows/packing_range_window.h"
#include "app/windows/parameter_windows.h"
#include "app/windows/peak_windows.h"
#include "app/windows/plane_window.h"
#include "app/windows/static_text_window.h"
#include "app/windows/wait_window.h"
#include "app/windows/window_table.h"
#include "workbench/workbench.h"

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
    } else if (entry.objectName == "TForm9") {
      window = m_peakList = new PeakListWindow(bench, main);
    } else if (entry.objectName == "TForm27") {
      window = m_globalEdition = new GlobalEditionWindow(bench, main);
    } else if (entry.objectName == "TForm24") {
      window = m_editParameters = new EditParametersWindow(bench, main);
    } else if (entry.objectName == "TForm30") {
      window = m_settingParameter = new SettingParameterWindow(bench, main);
    } else if (entry.objectName == "TForm26") {
      window = m_shift = new ShiftWindow(bench, main);
    } else if (entry.objectName == "TForm29") {
      window = m_workingCoordinates = new GridWindow(entry.objectName, entry.caption, main);
    } else if (entry.objectName == "TForm10") {
      window = m_cifEditor = new CifEditorWindow(bench, main);
    } else if (entry.objectName == "TForm36") {
      window = m_cifLineEditor = new CifLineEditorWindow(bench, main);
    } else if (entry.objectName == "TForm7") {
      window = m_omitList = new OmitListWindow(bench, main);
    } else if (entry.objectName == "TForm8") {
      window = m_splitList = new SplitListWindow(bench, main);
    } else if (entry.objectName == "TForm25") {
      window = m_gaussian = new GaussianWindow(bench, main);
    } else if (entry.objectName == "TForm28") {
      window = m_locate = new LocateWindow(bench, main);
    } else if (entry.objectName == "TForm34") {
      window = m_distance = new DistanceWindow(bench, main);
    } else if (entry.objectName == "TForm37") {
      window = m_planeCalc = new PlaneCalcWindow(bench, main);
    } else if (entry.objectName == "TForm2") {
      window = m_atomList = new AtomListWindow(bench, main);
    } else {
      window = new AuxiliaryWindow(entry.objectName, entry.caption, main);
    }
    window->hide();
    m_windows.push_back(window);
  }
  // The CIF help window closed by the user is shown anew by the next "Instruction".
  AuxiliaryWindow* cifHelp = find(QStringLiteral("TForm35"));
  QObject::connect(cifHelp, &AuxiliaryWindow::closed, cifHelp,
                   [&bench] { bench.run([&bench] { bench.cifCommands().hideHelp(); }); });
}

AuxiliaryWindow* WindowSet::find(const QString& objectName) const {
  for (AuxiliaryWindow* window : m_windows) {
    if (window->objectName() == objectName) return window;
  }
  return nullptr;
}

}  // namespace tavo::app
