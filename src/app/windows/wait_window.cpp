// The "Wait!" window of the symmetry searches.
#include "app/windows/wait_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace tavo::app {

WaitWindow::WaitWindow(std::string_view caption, QWidget* main)
    : AuxiliaryWindow("TForm21", caption, main), m_main(main), m_progress(new QProgressBar(this)) {
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(QStringLiteral("Searching the symmetry copies. Please wait."), this);
  text->setAlignment(Qt::AlignCenter);
  layout->addWidget(text);
  m_progress->setObjectName(QStringLiteral("WaitProgress"));
  layout->addWidget(m_progress);
  // While it is shown the search owns the program: clicks elsewhere wait until it ends.
  setWindowModality(Qt::ApplicationModal);
  resize(300, 100);
}

void WaitWindow::waitChanged(const workbench::WaitWindow& window) {
  if (!window.visible) {
    hide();
    return;
  }
  m_progress->setRange(0, std::max(window.total, 1));
  m_progress->setValue(window.done);
  if (!isVisible()) {
    placeCentredOver(*m_main);
    show();
    raise();
  }
  // Paint the window and the progress without taking the user's clicks and keys, which would
  // run commands in the middle of the search.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tavo::app
