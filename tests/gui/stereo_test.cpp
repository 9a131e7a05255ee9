// The stereo panes of the main window: shown over the paint surface while "Stereo View" is on.
#include <gtest/gtest.h>

#include <QAction>
#include <QSet>

#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

int colourCount(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3)
      colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

struct StereoGui : GuiHarness {
  canvas::QPainterCanvas leftCanvas{1, 1};
  canvas::QPainterCanvas rightCanvas{1, 1};
  app::CanvasPicture leftPicture{leftCanvas};
  app::CanvasPicture rightPicture{rightCanvas};

  StereoGui() {
    bench->setStereoCanvases(&leftCanvas, &rightCanvas);
    window->setStereoPictures(leftPicture, rightPicture);
  }
  app::PaintWidget& pane(int side) const { return *window->stereoPane(side); }
};

TEST(StereoPanes, StereoViewShowsTwoPanesMeetingAtTheCentreAndHidesThemAgain) {
  StereoGui gui;
  gui.open("three.ins", threeCarbons);
  ASSERT_TRUE(gui.dialogs.shown.empty()) << gui.dialogs.shown.front();
  // The hidden panes follow a resize; their pictures must take the new size when shown.
  gui.window->resize(1000, 760);
  QApplication::processEvents();
  EXPECT_FALSE(gui.pane(0).isVisible());
  EXPECT_FALSE(gui.pane(1).isVisible());

  QAction* stereo = gui.window->action(app::MenuCommand::StereoView);
  stereo->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(gui.bench->display().stereo);
  const int centre = gui.paint().width() / 2;
  for (int side = 0; side < 2; ++side) {
    SCOPED_TRACE(side == 0 ? "left" : "right");
    const app::PaintWidget& pane = gui.pane(side);
    ASSERT_TRUE(pane.isVisible());
    EXPECT_EQ(pane.parentWidget(), &gui.paint());
    EXPECT_EQ(pane.width(), 280) << "Stereo Separation";
    EXPECT_EQ(pane.height(), gui.paint().height());
    EXPECT_EQ(pane.y(), 0);
    EXPECT_EQ(side == 0 ? pane.x() + pane.width() : pane.x(), centre);
    const QImage shown = const_cast<app::PaintWidget&>(pane).grab().toImage();
    EXPECT_EQ(pane.picture().size(), pane.size()) << "the picture fills the pane";
    EXPECT_GT(colourCount(shown), 2) << "the grabbed picture is not blank";
  }

  stereo->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(gui.bench->display().stereo);
  EXPECT_FALSE(gui.pane(0).isVisible());
  EXPECT_FALSE(gui.pane(1).isVisible());
}

TEST(StereoPanes, DraggingOnAStereoPaneRotatesTheView) {
  StereoGui gui;
  gui.open("three.ins", threeCarbons);
  gui.window->action(app::MenuCommand::StereoView)->trigger();
  QApplication::processEvents();
  app::PaintWidget& pane = gui.pane(1);
  ASSERT_TRUE(pane.isVisible());
  const model::Vec3 before = gui.bench->structure().viewOf({model::AtomKind::Atom, 2});
  const auto send = [&pane](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(pane.mapToGlobal(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&pane, &event);
  };
  send(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
  send(QEvent::MouseMove, {160, 125}, Qt::LeftButton);
  pane.flushPendingMove();
  send(QEvent::MouseButtonRelease, {160, 125}, Qt::NoButton);
  EXPECT_NE(gui.bench->structure().viewOf({model::AtomKind::Atom, 2}), before)
      << "a drag on the pane turns the molecule as on the main pane";
}

}  // namespace
}  // namespace tavo::testing
