// The raster canvas on a high-DPI screen: the picture keeps its logical layout at more pixels.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <vector>

#include "app/canvas/qpainter_canvas.h"

namespace tavo::app {
namespace {

TEST(QPainterCanvas, PixelRatioGivesMorePixelsAtTheSameLogicalPlaces) {
  for (const double ratio : {1.0, 2.0}) {
    SCOPED_TRACE(ratio);
    QPainterCanvas canvas(1, 1);
    canvas.resize(100, 80, ratio);
    const QImage& image = canvas.image();
    EXPECT_EQ(image.width(), static_cast<int>(100 * ratio));
    EXPECT_EQ(image.height(), static_cast<int>(80 * ratio));
    canvas.setPen(0x0000FF, 1);  // red, red in the low byte
    const std::vector<view::Ball> balls{{30, 40, 8, 0x0000FF, true}};
    canvas.balls(balls, 0xFFFFFF);
    canvas.show();
    const auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
    const int centreX = static_cast<int>(30 * ratio), centreY = static_cast<int>(40 * ratio);
    EXPECT_GT(at(centreX, centreY).red(), 200) << "the ball sits at its logical place";
    EXPECT_LT(at(centreX, centreY).green(), 60);
    EXPECT_EQ(at(static_cast<int>(60 * ratio), centreY), QColor(Qt::white)) << "and no wider";
  }
}

}  // namespace
}  // namespace tavo::app
