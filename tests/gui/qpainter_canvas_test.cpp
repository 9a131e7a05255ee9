// The raster canvas on a high-DPI screen: the picture keeps its logical layout at more pixels.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "canvas/qpainter_canvas.h"

namespace tavo::canvas {
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

// Labels are written from cached glyphs; they must land where a drawn text lands, with or without
// a box behind them, also when they stand partly or wholly outside the image.
TEST(QPainterCanvas, LabelsFromGlyphsMatchDrawnTextsAtTheEdges) {
  const view::PlacedText labels[] = {{-7, 10, "C12A"},  {95, 30, "O2'"},  {30, -6, "H1W"},
                                     {40, 74, "Cl3<2"}, {300, 20, "N1"},  {20, -300, "N2"},
                                     {-300, 40, "N3"},  {50, 40, "Q17*3"}};
  for (const double ratio : {1.0, 2.0}) {
    for (const bool box : {false, true}) {
      SCOPED_TRACE(testing::Message() << "ratio " << ratio << (box ? ", box" : ", clear"));
      QPainterCanvas batched(1, 1), single(1, 1);
      for (QPainterCanvas* c : {&batched, &single}) {
        c->resize(100, 80, ratio);
        c->setPen(view::black, 1);
        c->setBrush(0xE0FFE0);
        c->rectangle(-3, -3, 103, 83);
        c->setFont(0x0000C0, 10);
        if (box) {
          c->setBrush(0xFFE0E0);
        } else {
          c->setBrushClear();
        }
      }
      batched.texts(labels);
      for (const view::PlacedText& t : labels)
        single.text(t.x, t.y, t.text);
      batched.show();
      single.show();
      const QImage& a = batched.image();
      const QImage& b = single.image();
      ASSERT_EQ(a.size(), b.size());
      int slightlyDifferent = 0;
      for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
          const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
          const int difference =
              std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                        std::abs(p.blue() - q.blue())});
          EXPECT_LE(difference, 40) << "at " << x << "," << y;
          slightlyDifferent += difference > 0 ? 1 : 0;
        }
      }
      EXPECT_LT(slightlyDifferent, 20 * ratio * ratio);
    }
  }
}

}  // namespace
}  // namespace tavo::canvas
