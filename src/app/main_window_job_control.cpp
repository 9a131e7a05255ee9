// The main window's part in the job-control window, the line editor, the text editor and the
// file buffer: their visibility follows the Workbench.
#include <QPlainTextEdit>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/windows/job_control_windows.h"
#include "app/windows/window_set.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

QPlainTextEdit* readOnlyPane(QWidget* parent, const char* objectName) {
  auto* pane = new QPlainTextEdit(parent);
  pane->setObjectName(QString::fromLatin1(objectName));
  pane->setReadOnly(true);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font(QStringLiteral("Monospace"));
  font.setStyleHint(QFont::TypeWriter);
  pane->setFont(font);
  pane->hide();
  return pane;
}

void showLines(QPlainTextEdit* pane, const std::vector<std::string>& lines) {
  QString text;
  for (const std::string& line : lines)
    text += toQString(line) + QLatin1Char('\n');
  if (pane->toPlainText() != text) pane->setPlainText(text);
}

}  // namespace

void MainWindow::buildJobControlViews() {
  m_fileBuffer = readOnlyPane(m_surface, "FileBuffer");
  m_previewPane = readOnlyPane(m_surface, "PreviewPane");
}

void MainWindow::refreshJobControlViews() {
  const workbench::JobControlCommands& job = m_bench.jobControl();
  // The file buffer and the preview pane share the paint surface, side by side.
  const bool buffer = job.fileBuffer().visible;
  if (buffer) {
    const int half = m_surface->width() / 2;
    m_fileBuffer->setGeometry(0, 0, half, m_surface->height());
    m_previewPane->setGeometry(half, 0, m_surface->width() - half, m_surface->height());
    showLines(m_fileBuffer, m_bench.structure().fileLines);
    showLines(m_previewPane, m_bench.fileList().previewLines);
    m_fileBuffer->raise();
    m_previewPane->raise();
  }
  m_fileBuffer->setVisible(buffer);
  m_previewPane->setVisible(buffer);
  m_actions.at(MenuCommand::ShowFileBuffer)->setText(toQString(job.fileBuffer().menuCaption));
}

}  // namespace tavo::app
