// Every auxiliary window, created hidden from the window registry through a factory keyed by
// name, refreshed and shown or hidden in one loop as the core says.
#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "app/windows/window_runner.h"

class QWidget;

namespace tavo::workbench {
class Workbench;
struct WindowDeclaration;
}  // namespace tavo::workbench

namespace tavo::app {

class AuxiliaryWindow;
class FileListWindow;
class GridWindow;
class WaitWindow;

class WindowSet {
 public:
  /// Creates the windows of the registry in order as children of `main`, all hidden, each with
  /// its widgets bound to its declared controls.
  WindowSet(QWidget* main, workbench::Workbench& bench);

  /// The window named `objectName` ("TForm16"); null when there is none.
  AuxiliaryWindow* find(const QString& objectName) const;
  std::vector<AuxiliaryWindow*> all() const;

  /// Refreshes every shown window and shows or hides each window whose state the core keeps
  /// as the core says; `place` puts a window in its place as it is shown (and again, for a
  /// window shown at a point of the picture, while it stays shown).
  void refresh(
      const std::function<void(AuxiliaryWindow&, const workbench::WindowDeclaration&)>& place);
  /// Forgets that `window` is shown (the user closed it and the core knows), so that the core's
  /// next "shown" shows it again.
  void forgetShown(const AuxiliaryWindow* window);

  // The windows the main window connects to itself.
  FileListWindow* fileList() const;  // TForm13
  GridWindow* distanceList() const;  // TForm12
  WaitWindow* wait() const;          // TForm21

 private:
  struct Entry {
    const workbench::WindowDeclaration* declaration;
    AuxiliaryWindow* window;
    bool lastShown = false;
  };
  WorkbenchRunner m_runner;
  std::vector<Entry> m_entries;
};

}  // namespace tavo::app
