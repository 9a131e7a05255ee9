// The plane window of the main window: shown as the Workbench's model says.
#include "app/main_window.h"
#include "app/windows/plane_window.h"
#include "app/windows/window_set.h"

namespace tavo::app {

void MainWindow::refreshPlaneWindow() {
  PlaneCalcWindow* planes = m_windows->planeCalc();
  // A large structure's rows are shown only while the window is.
  if (m_bench.geometry().window().visible) planes->refresh();
  followVisibility(planes, m_bench.geometry().window().visible, planes->lastShown(),
                   [this, planes] { planes->placeBesidePicture(*this, *m_surface); });
}

}  // namespace tavo::app
