// The factory of the auxiliary windows and the loop that follows the core.
#include "app/windows/window_set.h"

#include <map>
#include <string>

#include "app/qt_text.h"
#include "app/windows/atom_list_window.h"
#include "app/windows/cif_editor_window.h"
#include "app/windows/density_windows.h"
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
#include "app/windows/part_window.h"
#include "app/windows/peak_windows.h"
#include "app/windows/plane_window.h"
#include "app/windows/refinement_windows.h"
#include "app/windows/static_text_window.h"
#include "app/windows/wait_window.h"
#include "geometry/distance_list.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

using workbench::WindowDeclaration;
using workbench::Workbench;

using Factory =
    std::function<AuxiliaryWindow*(Workbench&, WindowRunner&, const WindowDeclaration&, QWidget*)>;

/// A window built over one feature of the Workbench (`feature` picks it) and the runner.
template <class Window, class Feature>
Factory over(Feature& (Workbench::*feature)()) {
  return [feature](Workbench& bench, WindowRunner& runner, const WindowDeclaration&,
                   QWidget* parent) { return new Window((bench.*feature)(), runner, parent); };
}

/// A window that shows one grid of the core, refreshed from `grid`.
Factory gridOf(std::function<const text::TextGrid&(const Workbench&)> grid,
               GridModel::Heading heading = GridModel::Heading::FirstRow) {
  return [grid, heading](Workbench& bench, WindowRunner&, const WindowDeclaration& d,
                         QWidget* parent) {
    auto* window = new GridWindow(d.name, d.caption, parent, heading);
    window->setRefresher([window, grid, &bench] { window->setGrid(grid(bench)); });
    return window;
  };
}

/// Every window that is more than its declaration, by name.
const std::map<std::string, Factory>& factories() {
  static const std::map<std::string, Factory> made = {
      {"TForm2", over<AtomListWindow>(&Workbench::atomList)},
      {"TForm3", over<FormulaWindow>(&Workbench::formulaCommands)},
      {"TForm4", over<HfixRulesWindow>(&Workbench::freeVariables)},
      {"TForm5", over<JobControlWindow>(&Workbench::jobControl)},
      {"TForm6", over<LineEditorWindow>(&Workbench::jobControl)},
      {"TForm7", over<OmitListWindow>(&Workbench::listing)},
      {"TForm8", over<SplitListWindow>(&Workbench::listing)},
      {"TForm9", over<PeakListWindow>(&Workbench::peaks)},
      {"TForm10", over<CifEditorWindow>(&Workbench::cifCommands)},
      {"TForm11", over<TextEditorWindow>(&Workbench::jobControl)},
      {"TForm12",
       [](Workbench& bench, WindowRunner&, const WindowDeclaration& d, QWidget* parent) {
         auto* window = new GridWindow(d.name, d.caption, parent, GridModel::Heading::None);
         window->setRefresher([window, &bench] {
           QStringList headings;
           for (const std::string_view heading : geometry::distanceListHeadings)
             headings << toQString(heading);
           window->setColumnHeadings(headings);
           window->setGrid(bench.distanceList().grid);
         });
         return window;
       }},
      {"TForm13",
       [](Workbench& bench, WindowRunner&, const WindowDeclaration&, QWidget* parent) {
         auto* window = new FileListWindow(parent);
         window->setRefresher([window, &bench] {
           window->setFiles(bench.fileList().caption, bench.fileList().names);
         });
         return window;
       }},
      {"TForm14",
       [](Workbench& bench, WindowRunner& runner, const WindowDeclaration&, QWidget* parent) {
         return new PackingRangeWindow(bench.viewFrame(), runner, parent);
       }},
      {"TForm15", over<EllipseParamsWindow>(&Workbench::preferences)},
      {"TForm16", gridOf([](const Workbench& b) -> const text::TextGrid& {
         return b.distancesAngles().grid;
       })},
      {"TForm17", over<ElementDefinitionsWindow>(&Workbench::preferences)},
      {"TForm18", over<GraphicsSettingsWindow>(&Workbench::preferences)},
      {"TForm21", [](Workbench&, WindowRunner&, const WindowDeclaration& d,
                     QWidget* parent) { return new WaitWindow(d.caption, parent); }},
      {"TForm23", over<FixingWindow>(&Workbench::freeVariables)},
      {"TForm24", over<EditParametersWindow>(&Workbench::parameters)},
      {"TForm25", over<GaussianWindow>(&Workbench::importExport)},
      {"TForm26", over<ShiftWindow>(&Workbench::parameters)},
      {"TForm27", over<GlobalEditionWindow>(&Workbench::globalEdition)},
      {"TForm28", over<LocateWindow>(&Workbench::locate)},
      {"TForm29", gridOf([](const Workbench& b) -> const text::TextGrid& {
         return b.parameters().workingCoordinates().grid;
       })},
      {"TForm30", over<SettingParameterWindow>(&Workbench::parameters)},
      {"TForm34", over<DistanceWindow>(&Workbench::locate)},
      {"TForm36", over<CifLineEditorWindow>(&Workbench::cifCommands)},
      {"TForm37", over<PlaneCalcWindow>(&Workbench::geometry)},
      {"MapPeaks", over<MapPeaksWindow>(&Workbench::density)},
      {"Agreement", over<AgreementWindow>(&Workbench::density)},
      {"Parts", over<PartWindow>(&Workbench::partCommands)},
      {"RefineRun", over<RefineRunWindow>(&Workbench::refinement)},
      {"RefineHistory", over<RefineHistoryWindow>(&Workbench::refinement)},
      {"RefineSettings", over<RefineSettingsWindow>(&Workbench::refinement)},
  };
  return made;
}

}  // namespace

WindowSet::WindowSet(QWidget* main, workbench::Workbench& bench) : m_runner(bench) {
  for (const WindowDeclaration& declaration : bench.windows()) {
    AuxiliaryWindow* window = nullptr;
    const QString html = staticWindowText(declaration.name);
    const auto factory = factories().find(declaration.name);
    if (!html.isEmpty()) {
      window = new StaticTextWindow(declaration.name, declaration.caption, html, main);
    } else if (factory != factories().end()) {
      window = factory->second(bench, m_runner, declaration, main);
    } else {
      window = new AuxiliaryWindow(declaration.name, declaration.caption, main);
    }
    window->bindControls(declaration, m_runner);
    window->hide();
    m_entries.push_back({&declaration, window});
  }
  // The CIF help window closed by the user is shown anew by the next "Instruction".
  AuxiliaryWindow* cifHelp = find(QStringLiteral("TForm35"));
  QObject::connect(cifHelp, &AuxiliaryWindow::closed, cifHelp,
                   [&bench] { bench.run([&bench] { bench.cifCommands().hideHelp(); }); });
}

AuxiliaryWindow* WindowSet::find(const QString& objectName) const {
  for (const Entry& entry : m_entries) {
    if (entry.window->objectName() == objectName) return entry.window;
  }
  return nullptr;
}

std::vector<AuxiliaryWindow*> WindowSet::all() const {
  std::vector<AuxiliaryWindow*> windows;
  for (const Entry& entry : m_entries)
    windows.push_back(entry.window);
  return windows;
}

void WindowSet::refresh(
    const std::function<void(AuxiliaryWindow&, const workbench::WindowDeclaration&)>& place) {
  for (Entry& entry : m_entries) {
    const WindowDeclaration& declaration = *entry.declaration;
    // Windows of fixed text and "Wait!" are shown by the program itself.
    if (!declaration.shown) continue;
    const bool shown = declaration.shown();
    // A large structure's rows are filled in only while a window is shown.
    if (shown) entry.window->refresh();
    if (shown && entry.lastShown && declaration.placement == workbench::Placement::AtPoint)
      place(*entry.window, declaration);
    // Only a change of the core's state shows or hides the window, so a window the user closed
    // stays closed until the core shows it anew.
    if (shown == entry.lastShown) continue;
    entry.lastShown = shown;
    if (shown) {
      place(*entry.window, declaration);
      entry.window->show();
      entry.window->raise();
    } else {
      entry.window->hide();
    }
  }
}

void WindowSet::forgetShown(const AuxiliaryWindow* window) {
  for (Entry& entry : m_entries) {
    if (entry.window == window) entry.lastShown = false;
  }
}

FileListWindow* WindowSet::fileList() const {
  return static_cast<FileListWindow*>(find(QStringLiteral("TForm13")));
}

GridWindow* WindowSet::distanceList() const {
  return static_cast<GridWindow*>(find(QStringLiteral("TForm12")));
}

WaitWindow* WindowSet::wait() const {
  return static_cast<WaitWindow*>(find(QStringLiteral("TForm21")));
}

}  // namespace tavo::app
