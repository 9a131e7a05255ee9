// The atom list window (TForm2) follows the Workbench's window model.
#include "app/main_window.h"
#include "app/windows/atom_list_window.h"
#include "app/windows/window_set.h"
#include "workbench/workbench.h"

namespace tavo::app {

void MainWindow::refreshAtomListWindow() {
  AtomListWindow* list = m_windows->atomList();
  list->refresh();
  followVisibility(list, m_bench.atomList().window().visible, m_shown.atomList, [this, list] {
    // Centred on the main window, no larger than it.
    list->resize(list->size().boundedTo(size()));
    list->placeCentredOver(*this);
  });
}

}  // namespace tavo::app
