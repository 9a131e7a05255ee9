// The Canvas port on QPainter: a raster pane (QImage) for the window and for PNG files, or any
// paint device drawn with vector primitives only (SVG files).
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "view/canvas.h"

class QPaintDevice;

namespace tavo::canvas {

/// Raster mode draws atom balls, peak dots and labels from images rendered once per colour,
/// size and fill, and every batch of lines with one call, so that a redraw of a large structure
/// stays fast; the recorded picture is the same as with the single primitives.
class QPainterCanvas final : public view::Canvas {
 public:
  /// A raster canvas with its own image of `width` x `height` pixels.
  QPainterCanvas(int width, int height);
  /// A vector canvas on `device` (for instance a QSvgGenerator); batches are drawn as single
  /// primitives so that the output holds no bitmaps.
  explicit QPainterCanvas(QPaintDevice& device);
  ~QPainterCanvas() override;
  QPainterCanvas(const QPainterCanvas&) = delete;
  QPainterCanvas& operator=(const QPainterCanvas&) = delete;

  /// The raster image (empty for a vector canvas).
  const QImage& image() const { return m_image; }
  /// Gives the raster image a new size in logical pixels; on a high-DPI screen the image holds
  /// `pixelRatio` device pixels per logical pixel, so the picture stays crisp. The content is
  /// undefined until the next picture.
  void resize(int width, int height, double pixelRatio = 1.0);
  /// Full quality antialiases the lines as well (the balls and labels always are); a fast
  /// redraw while the picture moves may leave it off.
  void setFullQuality(bool on) { m_fullQuality = on; }
  bool fullQuality() const { return m_fullQuality; }
  /// A vector canvas draws its logical pixels this many device units large (a picture file of
  /// another size than the pane); set before drawing.
  void setMagnification(double magnification) { m_magnification = magnification; }
  /// Called by show() after painting has ended, e.g. to update the widget.
  std::function<void()> onShow;

  void rectangle(int x1, int y1, int x2, int y2) override;
  void ellipse(int x1, int y1, int x2, int y2) override;
  void line(int x1, int y1, int x2, int y2) override;
  void text(int x, int y, std::string_view text) override;
  void polygon(std::span<const view::PointF> points) override;
  void polyline(std::span<const view::PointF> points) override;
  void show() override;

  void lines(std::span<const view::Segment> segments) override;
  void circles(std::span<const view::Dot> centres, int radius) override;
  void balls(std::span<const view::Ball> batch, view::Color hollowColor) override;
  void texts(std::span<const view::PlacedText> batch) override;

  /// Saves the raster image as PNG (or any format Qt knows from the suffix); false on failure.
  bool save(const std::filesystem::path& file) const;

 private:
  struct TextKey {
    std::string text;
    int size = 0;
    view::Color color = 0;
    int background = -1;  // -1 = clear brush
    friend bool operator==(const TextKey&, const TextKey&) = default;
  };
  struct TextKeyHash {
    std::size_t operator()(const TextKey& key) const;
  };
  struct Sprite {
    QImage image;
    int offsetX = 0, offsetY = 0;  // where the image goes relative to the point
  };
  /// One printable ASCII character drawn at one pen phase, with the box of its inked pixels.
  struct Glyph {
    QRect ink;                 // the device pixels with any coverage; empty for a blank glyph
    std::vector<QRgb> pixels;  // the premultiplied pixels of the ink box, row by row
    bool drawn = false;
  };
  /// The printable ASCII characters of one font size and colour, each drawn once per phase of
  /// the pen position, from which labels are written straight into the image without shaping
  /// every label anew.
  struct GlyphSet {
    static constexpr int phases = 64;  // pen positions per device pixel
    QFont font;
    view::Color color = 0;
    int ascent = 0, height = 0;        // logical pixels
    int padding = 0;                   // device pixels left of the pen position in each image
    std::array<double, 95> advance{};  // logical pixels
    // The phase whose picture each phase shares: the font engine places glyphs at only a few
    // sub-pixel positions.
    std::array<int, phases> samePictureAs{};
    std::array<Glyph, 95 * phases> glyphs;  // drawn on first use
  };

  QPainter& painter();
  /// An image of `width` x `height` logical pixels at the canvas's pixel ratio.
  QImage deviceImage(int width, int height, QImage::Format format) const;
  void applyPen(bool antialiasLines);
  void applyBrush();
  QFont qtFont(int size) const;
  const Sprite& circleSprite(int radius, view::Color penColor, int penWidth, int brush);
  const Sprite& textSprite(std::string_view text);
  GlyphSet& glyphSet(int size, view::Color color);
  /// Finds the phases at which the font engine draws the same picture; they depend on the font
  /// size only, so sets of other colours take them over.
  /// A clear image of `width` x `height` device pixels in which `draw` writes with the set's
  /// font and colour.
  QImage textImage(const GlyphSet& set, int width, int height,
                   const std::function<void(QPainter&)>& draw) const;
  void findSamePhases(GlyphSet& set) const;
  /// `c` drawn `phase` 64ths of a device pixel right of its origin.
  const Glyph& glyph(GlyphSet& set, char c, int phase) const;
  /// Writes a printable ASCII label into the raster image from cached glyphs, its top-left
  /// corner at logical (x, y), on a box of `background` unless that is the clear brush.
  void writeLabel(GlyphSet& set, int x, int y, std::string_view text, int background);
  void drawCircleWith(QPainter& p, double cx, double cy, int radius) const;

  QImage m_image;
  QPaintDevice* m_device = nullptr;
  bool m_vector = false;
  bool m_fullQuality = true;
  double m_pixelRatio = 1.0;
  double m_magnification = 1.0;
  std::unique_ptr<QPainter> m_painter;
  std::unordered_map<std::uint64_t, Sprite> m_circleSprites;
  std::unordered_map<TextKey, Sprite, TextKeyHash> m_textSprites;
  std::unordered_map<std::uint64_t, std::unique_ptr<GlyphSet>> m_glyphSets;
  std::unordered_map<int, std::array<int, GlyphSet::phases>> m_samePhases;  // by font size
  TextKey m_lookup;
};

/// QColor of a 24-bit colour with red in the low byte.
QColor toQColor(view::Color color);

}  // namespace tavo::canvas
