// The paint surface widget.
#include "app/paint_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>

#include "app/qt_clock.h"

namespace tavo::app {

namespace {

// The pause the core asks for after a step grows with the square root of the structure's size
// and with the motion of the step; on a large structure it reaches seconds, and since the
// motion that piles up meanwhile lengthens the next pause, the picture would fall ever further
// behind the hand. Moves are held back at most this long: coalesced moves are measured from the
// last handled position, so the picture ends where the hand leads it, only in fewer steps.
constexpr int longestMoveHoldMs = 100;

}  // namespace

editing::PointerEvent toPointerEvent(const QMouseEvent& event) {
  editing::PointerEvent result;
  const QPoint at = event.position().toPoint();
  result.at = {at.x(), at.y()};
  const Qt::MouseButtons held = event.button() != Qt::NoButton ? event.button() : event.buttons();
  result.button = (held & Qt::RightButton) && !(held & Qt::LeftButton) ? editing::Button::Right
                                                                       : editing::Button::Left;
  const Qt::KeyboardModifiers keys = event.modifiers();
  result.modifiers.shift = keys.testFlag(Qt::ShiftModifier);
  result.modifiers.ctrl = keys.testFlag(Qt::ControlModifier);
  result.modifiers.alt = keys.testFlag(Qt::AltModifier);
  return result;
}

PaintWidget::PaintWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBox1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
  // A click into the picture takes the keyboard focus from the spin edits, so that the menu
  // keys (Ctrl+A, Ctrl+Z) reach the menu instead of a text box.
  setFocusPolicy(Qt::ClickFocus);
  m_moveTimer.setSingleShot(true);
  connect(&m_moveTimer, &QTimer::timeout, this, &PaintWidget::flushPendingMove);
}

void PaintWidget::showPicture(const QImage& picture) {
  m_picture = picture;
  update();
}

void PaintWidget::flushPendingMove() {
  m_moveTimer.stop();
  if (!m_pendingMove) return;
  const editing::PointerEvent move = *m_pendingMove;
  m_pendingMove.reset();
  emit moved(move);
}

void PaintWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  // A picture made for this widget's device pixel ratio maps pixel for pixel.
  if (!m_picture.isNull()) painter.drawImage(QPoint(0, 0), m_picture);
}

void PaintWidget::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  flushPendingMove();
  emit pressed(toPointerEvent(*event), event->globalPosition().toPoint());
}

void PaintWidget::mouseMoveEvent(QMouseEvent* event) {
  m_pendingMove = toPointerEvent(*event);
  if (!m_moveTimer.isActive())
    m_moveTimer.start(m_clock ? std::min(m_clock->remainingPause(), longestMoveHoldMs) : 0);
}

void PaintWidget::mouseReleaseEvent(QMouseEvent* event) {
  flushPendingMove();
  emit released(toPointerEvent(*event));
}

void PaintWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  (void)event;
  emit doubleClicked();
}

void PaintWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit resized(event->size());
}

void PaintWidget::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return event->ignore();
  emit wheeled(event->position().toPoint(), delta);
  event->accept();
}

}  // namespace tavo::app
