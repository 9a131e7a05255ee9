// TForm13: the instruction files of the working folder; a double click loads one.
#pragma once

#include <string>
#include <vector>

#include "app/windows/auxiliary_window.h"

class QListWidget;

namespace tavo::app {

class FileListWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  explicit FileListWindow(QWidget* parent);
  /// Shows `names`, one per row, under the caption `folder`.
  void setFiles(const std::string& folder, const std::vector<std::string>& names);
  QListWidget* list() const { return m_list; }

 signals:
  void fileClicked(const QString& name);
  void fileDoubleClicked(const QString& name);

 private:
  QListWidget* m_list;
};

}  // namespace tavo::app
