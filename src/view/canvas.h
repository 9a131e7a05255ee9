// The drawing surface the pictures are painted on: pen, brush and font state, seven primitives,
// and batch forms of the primitives that a fast surface may implement in one go.
#pragma once

#include <cmath>
#include <cstddef>
#include <span>
#include <string_view>

namespace tavo::view {

/// A 24-bit colour: red in the low byte, green in the middle byte, blue in the high byte.
using Color = int;

inline constexpr Color black = 0x000000;
inline constexpr Color pureRed = 0x0000FF;
inline constexpr Color pureBlue = 0xFF0000;
inline constexpr Color white = 0xFFFFFF;

inline constexpr int redOf(Color c) {
  return c & 0xFF;
}
inline constexpr int greenOf(Color c) {
  return (c >> 8) & 0xFF;
}
inline constexpr int blueOf(Color c) {
  return (c >> 16) & 0xFF;
}

enum class PenStyle { Solid, Dotted };
enum class BrushStyle { Solid, Clear };

struct Pen {
  Color color = black;
  int width = 1;  // pixels
  PenStyle style = PenStyle::Solid;
  friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
  Color color = white;
  BrushStyle style = BrushStyle::Solid;
  friend bool operator==(const Brush&, const Brush&) = default;
};

/// The face is always Arial; the size is in points (96 dots per inch).
struct Font {
  Color color = black;
  int size = 10;
  friend bool operator==(const Font&, const Font&) = default;
};

/// A line from (x1, y1) to (x2, y2), in pane pixels.
struct Segment {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  friend bool operator==(const Segment&, const Segment&) = default;
};

/// The centre of a circle, in pane pixels.
struct Dot {
  int x = 0, y = 0;
};

/// An atom ball: a circle whose outline has `color` and whose inside has `color` when filled,
/// otherwise the hollow colour of the batch.
struct Ball {
  int x = 0, y = 0;
  int radius = 0;
  Color color = black;
  bool filled = false;
};

/// A point of a polygon, in pane pixels with a fraction (curves keep their shape in vector
/// pictures).
struct PointF {
  double x = 0, y = 0;
  friend bool operator==(const PointF&, const PointF&) = default;
};

/// A text whose top-left corner stands at (x, y). The text must outlive the call.
struct PlacedText {
  int x = 0, y = 0;
  std::string_view text;
};

/// The drawing surface of one pane. Coordinates are pixels, origin at the top left, y downwards.
/// The state setters are plain; every primitive draws with the state in force when it is called.
class Canvas {
 public:
  virtual ~Canvas() = default;

  void setPen(Color color, int width, PenStyle style = PenStyle::Solid) {
    m_pen = Pen{color, width, style};
  }
  void setPenColor(Color color) { m_pen.color = color; }
  void setPenWidth(int width) { m_pen.width = width; }
  void setPenStyle(PenStyle style) { m_pen.style = style; }
  /// Setting a colour makes a clear brush solid again.
  void setBrush(Color color) { m_brush = Brush{color, BrushStyle::Solid}; }
  void setBrushClear() { m_brush.style = BrushStyle::Clear; }
  void setFont(Color color, int size) { m_font = Font{color, size}; }
  void setFontColor(Color color) { m_font.color = color; }
  void setFontSize(int size) { m_font.size = size; }

  const Pen& pen() const { return m_pen; }
  const Brush& brush() const { return m_brush; }
  const Font& font() const { return m_font; }

  /// The rectangle, filled with the brush and outlined with the pen.
  virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
  /// The ellipse in the bounding box, filled with the brush and outlined with the pen.
  virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
  /// A line with the pen.
  virtual void line(int x1, int y1, int x2, int y2) = 0;
  /// Text in the font with its top-left corner at (x, y); the box behind it is filled with the
  /// brush colour unless the brush is clear.
  virtual void text(int x, int y, std::string_view text) = 0;
  /// The closed polygon through `points`, filled with the brush and outlined with the pen. A
  /// surface without fills draws its outline.
  virtual void polygon(std::span<const PointF> points) {
    polyline(points);
    if (points.size() > 2) joinPoints(points.back(), points.front());
  }
  /// The open line through `points` with the pen (by default as lines between rounded points).
  virtual void polyline(std::span<const PointF> points) {
    for (size_t i = 1; i < points.size(); ++i)
      joinPoints(points[i - 1], points[i]);
  }
  /// Makes the pane visible with what has been drawn.
  virtual void show() {}

  /// Draws every segment with the pen, as line() one after the other would.
  virtual void lines(std::span<const Segment> segments) {
    for (const Segment& s : segments)
      line(s.x1, s.y1, s.x2, s.y2);
  }
  /// Draws circles of one radius with the pen and the brush, as ellipse() would.
  virtual void circles(std::span<const Dot> centres, int radius) {
    for (const Dot& c : centres)
      ellipse(c.x - radius, c.y - radius, c.x + radius, c.y + radius);
  }
  /// Draws balls in order with the current pen width: each sets the pen colour to its colour and
  /// the brush to its colour (filled) or to `hollowColor`; the state of the last ball remains.
  virtual void balls(std::span<const Ball> batch, Color hollowColor) {
    for (const Ball& b : batch) {
      setPenColor(b.color);
      setBrush(b.filled ? b.color : hollowColor);
      ellipse(b.x - b.radius, b.y - b.radius, b.x + b.radius, b.y + b.radius);
    }
  }
  /// Writes the texts in order with the font and the brush, as text() would.
  virtual void texts(std::span<const PlacedText> batch) {
    for (const PlacedText& t : batch)
      text(t.x, t.y, t.text);
  }

 protected:
  Pen m_pen;
  Brush m_brush;
  Font m_font;

 private:
  void joinPoints(const PointF& p, const PointF& q) {
    line(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)),
         static_cast<int>(std::lround(q.x)), static_cast<int>(std::lround(q.y)));
  }
};

}  // namespace tavo::view
