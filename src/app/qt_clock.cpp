// Qt implementation of the Clock port.
#include "app/qt_clock.h"

#include <QDateTime>

#include <algorithm>

#include "app/qt_text.h"

namespace tavo::app {

QtClock::QtClock() {
  m_elapsed.start();
}

std::string QtClock::dateTimeText() {
  return toStd(QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")));
}

void QtClock::pause(int milliseconds) {
  m_readyAt = m_elapsed.elapsed() + std::max(0, milliseconds);
}

int QtClock::remainingPause() const {
  return static_cast<int>(std::max<qint64>(0, m_readyAt - m_elapsed.elapsed()));
}

}  // namespace tavo::app
