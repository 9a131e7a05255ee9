// The habits of a desktop program in the main window: wheel zoom, the recent files of the File
// menu, files dropped onto the window, the message panel, the status line and the window's place.
#include <QAction>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QUrl>

#include <vector>

#include "app/main_window.h"
#include "app/paint_widget.h"
#include "app/qt_text.h"

namespace tavo::app {

namespace {

/// The local files of a drag or drop.
std::vector<std::filesystem::path> droppedFiles(const QMimeData* data) {
  std::vector<std::filesystem::path> files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) files.push_back(toPath(url.toLocalFile()));
  return files;
}

}  // namespace

void MainWindow::buildHabits() {
  connect(m_paint, &PaintWidget::wheeled, this, [this](QPoint at, int delta) {
    m_bench.run([this, at, delta] { m_bench.orientation().wheel(at.x(), at.y(), delta); });
  });

  m_recentMenu = new QMenu(QStringLiteral("Recent Files"), this);
  m_recentMenu->setObjectName(QStringLiteral("RecentFilesMenu"));
  if (auto* file = menuBar()->findChild<QMenu*>(QStringLiteral("FileMenu")))
    file->insertMenu(action(MenuCommand::ListFiles), m_recentMenu);
  m_recentMenu->menuAction()->setObjectName(QStringLiteral("RecentFiles1"));
  connect(m_recentMenu, &QMenu::aboutToShow, this, [this] { fillRecentFilesMenu(); });
  fillRecentFilesMenu();

  m_messagePanel = new QDockWidget(QStringLiteral("Messages"), this);
  m_messagePanel->setObjectName(QStringLiteral("MessagePanel"));
  m_messageLog = new QPlainTextEdit(m_messagePanel);
  m_messageLog->setObjectName(QStringLiteral("MessageLog"));
  m_messageLog->setReadOnly(true);
  m_messageLog->setMaximumBlockCount(2000);
  m_messagePanel->setWidget(m_messageLog);
  addDockWidget(Qt::BottomDockWidgetArea, m_messagePanel);
  m_messagePanel->hide();
  connect(m_messagePanel, &QDockWidget::visibilityChanged, this, [this] { refreshMenus(); });

  statusBar()->setObjectName(QStringLiteral("StatusLine"));
  setAcceptDrops(true);
}

void MainWindow::fillRecentFilesMenu() {
  m_recentMenu->clear();
  const std::vector<std::filesystem::path> files = m_bench.desktop().recentFiles();
  int number = 0;
  for (const std::filesystem::path& file : files) {
    ++number;
    // The number is the item's key; "&" in a path is doubled so that it shows as itself.
    QString text = toQString(file.string());
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (number < 10) text = QStringLiteral("&%1 ").arg(number) + text;
    QAction* item = m_recentMenu->addAction(text);
    item->setObjectName(QStringLiteral("RecentFile%1").arg(number));
    connect(item, &QAction::triggered, this,
            [this, file] { m_bench.run([this, file] { m_bench.desktop().openRecent(file); }); });
  }
  if (files.empty()) m_recentMenu->addAction(QStringLiteral("(none yet)"))->setEnabled(false);
}

void MainWindow::refreshStatusLine() {
  const QString text = toQString(m_bench.desktop().statusText());
  if (statusBar()->currentMessage() != text) statusBar()->showMessage(text);
}

void MainWindow::toggleMessagePanel() {
  m_messagePanel->setVisible(!m_messagePanel->isVisible());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  for (const std::filesystem::path& file : droppedFiles(event->mimeData())) {
    if (workbench::dropKindOf(file) != workbench::DropKind::None) {
      event->acceptProposedAction();
      return;
    }
  }
  event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::vector<std::filesystem::path> files = droppedFiles(event->mimeData());
  if (files.empty()) return event->ignore();
  event->acceptProposedAction();
  m_bench.run([this, files] { m_bench.desktop().dropFiles(files); });
}

bool MainWindow::restorePlacement() {
  const std::optional<workbench::WindowPlacement> placed = m_bench.desktop().savedPlacement();
  if (!placed) return false;
  setGeometry(placed->x, placed->y, placed->width, placed->height);
  if (placed->maximized) {
    showMaximized();
  } else {
    show();
  }
  return true;
}

void MainWindow::keepPlacement() {
  // The size of the window when not maximised, so that a later session can restore it.
  const QRect normal = isMaximized() ? normalGeometry() : geometry();
  m_bench.run([this, normal] {
    m_bench.desktop().keepPlacement(
        {normal.x(), normal.y(), normal.width(), normal.height(), isMaximized()});
  });
}

}  // namespace tavo::app
