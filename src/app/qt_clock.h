// The Clock port for the Qt program: the date-time text, and a pause that never freezes the window.
#pragma once

#include <QElapsedTimer>

#include "model/dialogs.h"

namespace tavo::app {

/// The core asks for a pause after each animation step so that large structures turn slower.
/// Blocking the event loop would freeze the window, so the pause is kept as a throttle instead:
/// it returns at once and records when the next step may run; the paint widget holds back the
/// mouse motion until then and hands over only the latest position.
class QtClock final : public model::Clock {
 public:
  QtClock();
  /// "dd/MM/yyyy hh:mm:ss", 19 characters.
  std::string dateTimeText() override;
  /// Marks the next `milliseconds` as the pause of the step just drawn.
  void pause(int milliseconds) override;
  /// Milliseconds until the last pause is over; 0 when it is over.
  int remainingPause() const;

 private:
  QElapsedTimer m_elapsed;
  qint64 m_readyAt = 0;
};

}  // namespace tavo::app
