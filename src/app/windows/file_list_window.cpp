// The file list window.
#include "app/windows/file_list_window.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/qt_text.h"

namespace tavo::app {

namespace {
const QString doubleClickHint = QStringLiteral("Double-Click to Load One of These!");
}

FileListWindow::FileListWindow(QWidget* parent)
    : AuxiliaryWindow("TForm13", "", parent), m_list(new QListWidget(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(doubleClickHint, this));
  m_list->setObjectName(QStringLiteral("FileList"));
  layout->addWidget(m_list);
  connect(m_list, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit fileClicked(item->text()); });
  connect(m_list, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { emit fileDoubleClicked(item->text()); });
  resize(360, 480);
}

void FileListWindow::setFiles(const std::string& folder, const std::vector<std::string>& names) {
  setWindowTitle(toQString(folder));
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names)
    rows << toQString(name);
  if (m_list->count() == rows.size()) {
    bool same = true;
    for (int i = 0; i < m_list->count() && same; ++i)
      same = m_list->item(i)->text() == rows[i];
    if (same) return;  // keep the user's current row
  }
  m_list->clear();
  m_list->addItems(rows);
}

}  // namespace tavo::app
