// TForm21 "Wait!": shown over the main window while an expansion or packing search runs, with
// how far the search has come; the window keeps painting meanwhile.
#pragma once

#include "app/windows/auxiliary_window.h"
#include "workbench/expansion_commands.h"

class QProgressBar;

namespace tavo::app {

class WaitWindow final : public AuxiliaryWindow, public workbench::WaitWindowPort {
  Q_OBJECT

 public:
  WaitWindow(std::string_view caption, QWidget* main);
  /// Shows, advances or hides the window as the search reports.
  void waitChanged(const workbench::WaitWindow& window) override;

 private:
  QWidget* m_main;
  QProgressBar* m_progress;
};

}  // namespace tavo::app
