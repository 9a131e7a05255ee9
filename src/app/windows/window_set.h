// Every auxiliary window, created hidden in the fixed order and found by its objectName.
#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace tavo::app {

class AuxiliaryWindow;
class FileListWindow;
class GridWindow;

class WindowSet {
 public:
  /// Creates the windows of `auxiliaryWindows()` in order as children of `main`, all hidden.
  explicit WindowSet(QWidget* main);

  /// The window named `objectName` ("TForm16"); null when there is none.
  AuxiliaryWindow* find(const QString& objectName) const;
  const std::vector<AuxiliaryWindow*>& all() const { return m_windows; }
  FileListWindow* fileList() const { return m_fileList; }
  GridWindow* distancesAngles() const { return m_distancesAngles; }
  GridWindow* distanceList() const { return m_distanceList; }

 private:
  std::vector<AuxiliaryWindow*> m_windows;
  FileListWindow* m_fileList = nullptr;
  GridWindow* m_distancesAngles = nullptr;
  GridWindow* m_distanceList = nullptr;
};

}  // namespace tavo::app
