// The paint surface: shows the picture of the last redraw and hands mouse events to the core.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <optional>

#include "editing/pointer_event.h"

class QMouseEvent;

namespace tavo::app {

class QtClock;

/// The core's view of a Qt mouse event: position in widget pixels, the button (the pressed one
/// for press and release, the held one for a move) and the modifier keys.
editing::PointerEvent toPointerEvent(const QMouseEvent& event);

/// Shows a QImage (device-pixel-ratio aware) and nothing else; it never draws on its own.
/// Mouse moves are coalesced: while the clock's pause of the last step runs (at most 100 ms),
/// or until the event loop comes back, only the latest position is kept and then handed over
/// once.
class PaintWidget final : public QWidget {
  Q_OBJECT

 public:
  explicit PaintWidget(QWidget* parent = nullptr);

  /// Keeps `picture` and shows it on the next paint (also when the window is exposed again).
  void showPicture(const QImage& picture);
  const QImage& picture() const { return m_picture; }
  /// The clock whose pause holds back the next mouse move; null for no throttle.
  void setThrottle(const QtClock* clock) { m_clock = clock; }
  /// Hands over a held-back mouse move now.
  void flushPendingMove();

 signals:
  /// `screen` is the global position, for popup menus.
  void pressed(const tavo::editing::PointerEvent& event, QPoint screen);
  void moved(const tavo::editing::PointerEvent& event);
  void released(const tavo::editing::PointerEvent& event);
  void doubleClicked();
  void resized(QSize size);
  /// The wheel turned over pixel `at` by `angleDelta` eighths of a degree (120 a notch).
  void wheeled(QPoint at, int angleDelta);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QImage m_picture;
  const QtClock* m_clock = nullptr;
  std::optional<editing::PointerEvent> m_pendingMove;
  QTimer m_moveTimer;
};

}  // namespace tavo::app
