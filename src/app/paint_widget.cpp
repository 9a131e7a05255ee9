// The paint surface widget.
#include "app/paint_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "app/qt_clock.h"

namespace tavo::app {

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
  flushPendingMove();
  emit pressed(toPointerEvent(*event), event->globalPosition().toPoint());
}

void PaintWidget::mouseMoveEvent(QMouseEvent* event) {
  m_pendingMove = toPointerEvent(*event);
  if (!m_moveTimer.isActive()) m_moveTimer.start(m_clock ? m_clock->remainingPause() : 0);
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

}  // namespace tavo::app
