// Creation of the auxiliary windows.
#include "app/windows/window_set.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/windows/element_definitions_window.h"
#include "app/windows/ellipse_params_window.h"
#include "app/windows/file_list_window.h"
#include "app/windows/graphics_settings_window.h"
#include "app/windows/grid_window.h"
#include "app/windows/static_text_window.h"
#include "app/windows/window_table.h"

namespace tavo::app {

namespace {

// The "Wait!" window shown while the expansion and packing searches run.
AuxiliaryWindow* waitWindow(const WindowEntry& entry, QWidget* main) {
  auto* window = new AuxiliaryWindow(entry.objectName, entry.caption, main);
  auto* layout = new QVBoxLayout(window);
  auto* text = new QLabel(QStringLiteral("Searching the symmetry copies. Please wait."), window);
  text->setAlignment(Qt::AlignCenter);
  layout->addWidget(text);
  window->resize(280, 90);
  return window;
}

}  // namespace

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
      window = waitWindow(entry, main);
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
