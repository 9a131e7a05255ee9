// The listing windows of the main window: shown and placed as the Workbench's models say.
#include "app/main_window.h"
#include "app/windows/listing_windows.h"
#include "app/windows/window_set.h"

namespace tavo::app {

void MainWindow::refreshListingWindows() {
  OmitListWindow* omit = m_windows->omitList();
  omit->refresh();
  followVisibility(omit, m_bench.listing().omitWindow().visible, m_shown.omitList, [this, omit] {
    // Centred over the main window, no larger than it.
    omit->resize(omit->size().boundedTo(size()));
    omit->placeCentredOver(*this);
  });
  SplitListWindow* split = m_windows->splitList();
  split->refresh();
  followVisibility(split, m_bench.listing().splitWindow().visible, m_shown.splitList,
                   [this, split] { split->placeBesidePicture(*this, *m_surface); });
}

}  // namespace tavo::app
