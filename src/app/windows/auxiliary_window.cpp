// Placement rules shared by the auxiliary windows.
#include "app/windows/auxiliary_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

#include "app/qt_text.h"

namespace tavo::app {

AuxiliaryWindow::AuxiliaryWindow(std::string_view objectName, std::string_view caption,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(toQString(objectName));
  setWindowTitle(toQString(caption));
  setAttribute(Qt::WA_QuitOnClose, false);
}

void AuxiliaryWindow::refresh() {
  if (m_refresher) m_refresher();
}

QSize AuxiliaryWindow::preferredSize(const QSize& mainSize, int) const {
  return size().boundedTo(mainSize);
}

void AuxiliaryWindow::placeCentredOver(const QWidget& main) {
  const QRect frame = main.frameGeometry();
  move(frame.left() + frame.width() / 2 - width() / 2,
       frame.top() + frame.height() / 2 - height() / 2);
}

void AuxiliaryWindow::placeBesidePicture(const QWidget& main, const QWidget& picture) {
  const QRect frame = main.frameGeometry();
  const QRect shown(picture.mapToGlobal(QPoint(0, 0)), picture.size());
  const QScreen* screen = main.screen();
  const QRect room = screen != nullptr ? screen->availableGeometry() : frame;
  resize(size().boundedTo(QSize(room.width(), shown.height())));
  // The frame of a top-level window adds to its size; move() places the frame.
  const int outerWidth = width() + (frameGeometry().width() - geometry().width());
  if (frame.right() + outerWidth <= room.right()) {
    move(frame.right() + 1, shown.top());
  } else if (frame.left() - outerWidth >= room.left()) {
    move(frame.left() - outerWidth, shown.top());
  } else {
    // Over the picture then, clear of the band at its right edge that holds 'Hide', the mode
    // caption and the Apply panel, and of the top and bottom edges (mode inputs, numeric bar).
    constexpr int rightBand = 200;
    resize(std::max(std::min(width(), shown.width() - rightBand), 1), height());
    move(shown.left(), shown.top() + (shown.height() - height()) / 2);
  }
}

void AuxiliaryWindow::placeAsHelpOver(const QWidget& main, int surfaceHeight) {
  const QRect frame = main.frameGeometry();
  resize(width(), surfaceHeight);
  move(frame.left() + frame.width() / 2 - width() / 2,
       frame.top() + (frame.height() - surfaceHeight) / 2);
}

}  // namespace tavo::app

namespace tavo::app {

void AuxiliaryWindow::keyPressEvent(QKeyEvent* event) {
  // Esc closes the window, as it closes a dialog; the key comes here from whichever child has
  // the focus when that child has no use for it.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void AuxiliaryWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace tavo::app
