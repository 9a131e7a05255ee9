// Mouse events become PointerEvents, and moves are coalesced while a pause runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <vector>

#include "app/paint_widget.h"
#include "app/qt_clock.h"
#include "app/qt_dialogs.h"

namespace tavo::testing {
namespace {

using editing::Button;
using editing::PointerEvent;

QMouseEvent mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                  Qt::KeyboardModifiers keys) {
  return QMouseEvent(type, QPointF(at), QPointF(at), button, held, keys);
}

TEST(PointerConversion, TakesPositionButtonAndModifiers) {
  struct Case {
    QEvent::Type type;
    Qt::MouseButton button;
    Qt::MouseButtons held;
    Qt::KeyboardModifiers keys;
    Button expected;
    bool shift, ctrl, alt;
    const char* why;
  };
  const Case cases[] = {
      {QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, Button::Left,
       false, false, false, "plain left press"},
      {QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, Qt::ControlModifier,
       Button::Right, false, true, false, "Ctrl+right press opens the view menu"},
      {QEvent::MouseMove, Qt::NoButton, Qt::RightButton, Qt::ShiftModifier, Button::Right, true,
       false, false, "a move reports the held button"},
      {QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::AltModifier, Button::Left, false, false,
       true, "Alt drag"},
      {QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, Qt::NoModifier, Button::Right,
       false, false, false, "a release reports the released button"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const QMouseEvent event = mouse(c.type, QPoint(17, 42), c.button, c.held, c.keys);
    const PointerEvent result = app::toPointerEvent(event);
    EXPECT_EQ(result.at, (editing::ScreenPoint{17, 42}));
    EXPECT_EQ(result.button, c.expected);
    EXPECT_EQ(result.modifiers, (editing::Modifiers{c.shift, c.ctrl, c.alt}));
  }
}

TEST(PaintWidget, HandsOverOnlyTheLatestMoveOfAPause) {
  app::PaintWidget widget;
  app::QtClock clock;
  widget.setThrottle(&clock);
  std::vector<PointerEvent> moves;
  QObject::connect(&widget, &app::PaintWidget::moved,
                   [&moves](const PointerEvent& e) { moves.push_back(e); });
  clock.pause(10000);  // the last step asked for a long pause
  for (int x = 10; x <= 50; x += 10) {
    QMouseEvent move =
        mouse(QEvent::MouseMove, QPoint(x, 5), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
  }
  QApplication::processEvents();
  EXPECT_TRUE(moves.empty()) << "nothing is handed over while the pause runs";
  QMouseEvent release = mouse(QEvent::MouseButtonRelease, QPoint(50, 5), Qt::LeftButton,
                              Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &release);
  ASSERT_EQ(moves.size(), 1u) << "the release first hands over the held-back move";
  EXPECT_EQ(moves[0].at, (editing::ScreenPoint{50, 5}));
}

TEST(PaintWidget, ALongPauseHoldsAMoveBackOnlyBriefly) {
  app::PaintWidget widget;
  app::QtClock clock;
  widget.setThrottle(&clock);
  std::vector<PointerEvent> moves;
  QObject::connect(&widget, &app::PaintWidget::moved,
                   [&moves](const PointerEvent& e) { moves.push_back(e); });
  clock.pause(60000);  // a step of a huge structure asked for a minute
  QMouseEvent move =
      mouse(QEvent::MouseMove, QPoint(9, 9), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &move);
  QElapsedTimer waited;
  waited.start();
  while (moves.empty() && waited.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  ASSERT_EQ(moves.size(), 1u) << "the hand is followed while the pause still runs";
  EXPECT_GT(clock.remainingPause(), 50000);
}

TEST(PaintWidget, WithoutAPauseAMoveIsHandedOverWhenTheLoopComesBack) {
  app::PaintWidget widget;
  std::vector<PointerEvent> moves;
  QObject::connect(&widget, &app::PaintWidget::moved,
                   [&moves](const PointerEvent& e) { moves.push_back(e); });
  for (int x : {3, 4}) {
    QMouseEvent move =
        mouse(QEvent::MouseMove, QPoint(x, 1), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
  }
  QApplication::processEvents();
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].at.x, 4);
}

TEST(PaintWidget, ShowsThePictureItWasGiven) {
  app::PaintWidget widget;
  widget.resize(40, 30);
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(QColor(10, 200, 30));
  widget.showPicture(picture);
  const QImage shown = widget.grab().toImage();
  EXPECT_EQ(QColor(shown.pixel(20, 15)), QColor(10, 200, 30));
}

TEST(QtFilter, TranslatesTheCoreFilterForms) {
  const std::pair<const char*, const char*> cases[] = {
      {"*.ins;*.res", "Files (*.ins *.res);;All files (*)"},
      {"Instruction files|*.ins;*.res|All|*.*", "Instruction files (*.ins *.res);;All (*.*)"},
      {"CIF (*.cif)", "CIF (*.cif)"},
      {"", "All files (*)"},
  };
  for (const auto& [core, qt] : cases)
    EXPECT_EQ(app::toQtFilter(core), qt) << core;
}

TEST(QtClock, DateTimeTextIsNineteenCharacters) {
  app::QtClock clock;
  EXPECT_EQ(clock.dateTimeText().size(), 19u);
  EXPECT_EQ(clock.remainingPause(), 0);
  clock.pause(5000);
  EXPECT_GT(clock.remainingPause(), 4000);
}

}  // namespace
}  // namespace tavo::testing
