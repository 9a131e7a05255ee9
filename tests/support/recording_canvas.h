// A canvas for tests: it records every primitive with the pen, brush and font it was drawn with.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "view/canvas.h"

namespace tavo::testing {

enum class Shape { Rectangle, Ellipse, Line, Text, Show, Polygon, Polyline };

/// One primitive as drawn; batches are recorded as the single primitives they stand for.
struct DrawCall {
  Shape shape = Shape::Line;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // text and show: (x1, y1) only
  std::string text;
  std::vector<view::PointF> points;  // polygon and polyline only
  view::Pen pen;
  view::Brush brush;
  view::Font font;

  /// A circle's centre and radius (ellipse calls only).
  int centreX() const { return (x1 + x2) / 2; }
  int centreY() const { return (y1 + y2) / 2; }
  int radius() const { return (x2 - x1) / 2; }
  bool isCircle() const { return shape == Shape::Ellipse && x2 - x1 == y2 - y1; }
};

class RecordingCanvas final : public view::Canvas {
 public:
  std::vector<DrawCall> calls;

  void rectangle(int x1, int y1, int x2, int y2) override { add(Shape::Rectangle, x1, y1, x2, y2); }
  void ellipse(int x1, int y1, int x2, int y2) override { add(Shape::Ellipse, x1, y1, x2, y2); }
  void line(int x1, int y1, int x2, int y2) override { add(Shape::Line, x1, y1, x2, y2); }
  void text(int x, int y, std::string_view text) override {
    add(Shape::Text, x, y, x, y).text = std::string(text);
  }
  void show() override { add(Shape::Show, 0, 0, 0, 0); }
  void polygon(std::span<const view::PointF> points) override {
    add(Shape::Polygon, 0, 0, 0, 0).points.assign(points.begin(), points.end());
  }
  void polyline(std::span<const view::PointF> points) override {
    add(Shape::Polyline, 0, 0, 0, 0).points.assign(points.begin(), points.end());
  }

  /// The calls of one shape, in order.
  std::vector<DrawCall> of(Shape shape) const {
    std::vector<DrawCall> result;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
                 [shape](const DrawCall& c) { return c.shape == shape; });
    return result;
  }
  /// The texts written, in order.
  std::vector<std::string> writtenTexts() const {
    std::vector<std::string> result;
    for (const DrawCall& c : calls) {
      if (c.shape == Shape::Text) result.push_back(c.text);
    }
    return result;
  }
  /// Position of the first text call equal to `text`, or -1.
  int indexOfText(std::string_view text) const {
    for (size_t i = 0; i < calls.size(); ++i) {
      if (calls[i].shape == Shape::Text && calls[i].text == text) return static_cast<int>(i);
    }
    return -1;
  }
  /// The text call equal to `text`; nullptr when none.
  const DrawCall* findText(std::string_view text) const {
    const int i = indexOfText(text);
    return i < 0 ? nullptr : &calls[static_cast<size_t>(i)];
  }

 private:
  DrawCall& add(Shape shape, int x1, int y1, int x2, int y2) {
    calls.push_back(DrawCall{shape, x1, y1, x2, y2, {}, {}, m_pen, m_brush, m_font});
    return calls.back();
  }
};

}  // namespace tavo::testing
