// The Canvas port on QPainter, with image caches for balls, dots and labels.
#include "canvas/qpainter_canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QPaintDevice>
#include <QPolygonF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace tavo::canvas {

namespace {

// Label images are kept for this many different texts; then the cache starts again.
constexpr std::size_t maximumTextSprites = 50000;
constexpr int clearBrush = -1;

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Pen width, radius, style and both colours packed into one key; nullopt when they do not fit.
std::optional<std::uint64_t> circleKey(int radius, view::Color penColor, int penWidth, bool dotted,
                                       int brush) {
  if (radius < 0 || radius > 255 || penWidth < 0 || penWidth > 15) return std::nullopt;
  const std::uint64_t brushBits =
      brush == clearBrush ? (1ULL << 24) : static_cast<std::uint64_t>(brush & 0xFFFFFF);
  return static_cast<std::uint64_t>(radius) | static_cast<std::uint64_t>(penWidth) << 8 |
         static_cast<std::uint64_t>(dotted) << 12 |
         static_cast<std::uint64_t>(penColor & 0xFFFFFF) << 13 | brushBits << 37;
}

}  // namespace

QColor toQColor(view::Color color) {
  return QColor(view::redOf(color), view::greenOf(color), view::blueOf(color));
}

std::size_t QPainterCanvas::TextKeyHash::operator()(const TextKey& key) const {
  std::size_t h = std::hash<std::string>()(key.text);
  h ^= std::hash<long long>()((static_cast<long long>(key.size) << 50) ^
                              (static_cast<long long>(key.color) << 25) ^ key.background) +
       0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  return h;
}

QPainterCanvas::QPainterCanvas(int width, int height)
    : m_image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
  m_image.fill(Qt::white);
  m_device = &m_image;
}

QPainterCanvas::QPainterCanvas(QPaintDevice& device) : m_device(&device), m_vector(true) {}

QPainterCanvas::~QPainterCanvas() {
  if (m_painter) m_painter->end();
}

void QPainterCanvas::resize(int width, int height, double pixelRatio) {
  if (m_vector) return;
  if (m_painter) m_painter->end();
  m_painter.reset();
  pixelRatio = std::max(pixelRatio, 1.0);
  if (pixelRatio != m_pixelRatio) {
    // Cached balls and labels are rendered at the pixel ratio of the image they go into.
    m_circleSprites.clear();
    m_textSprites.clear();
    m_glyphSets.clear();
    m_samePhases.clear();
    m_pixelRatio = pixelRatio;
  }
  m_image = deviceImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  m_image.fill(Qt::white);
  m_device = &m_image;
}

QImage QPainterCanvas::deviceImage(int width, int height, QImage::Format format) const {
  QImage image(static_cast<int>(std::ceil(width * m_pixelRatio)),
               static_cast<int>(std::ceil(height * m_pixelRatio)), format);
  image.setDevicePixelRatio(m_pixelRatio);
  return image;
}

QPainter& QPainterCanvas::painter() {
  if (!m_painter) {
    m_painter = std::make_unique<QPainter>(m_device);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    if (m_magnification != 1.0) m_painter->scale(m_magnification, m_magnification);
  }
  return *m_painter;
}

void QPainterCanvas::applyPen(bool antialiasLines) {
  QPen pen(toQColor(m_pen.color));
  pen.setWidth(std::max(m_pen.width, 1));
  pen.setStyle(m_pen.style == view::PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  // Round caps make the stroker build curves at every line end, which costs more than all the
  // rest of a large picture; the balls cover the bond ends anyway.
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  QPainter& p = painter();
  p.setPen(pen);
  p.setRenderHint(QPainter::Antialiasing, antialiasLines);
}

void QPainterCanvas::applyBrush() {
  if (m_brush.style == view::BrushStyle::Clear) {
    painter().setBrush(Qt::NoBrush);
  } else {
    painter().setBrush(toQColor(m_brush.color));
  }
}

QFont QPainterCanvas::qtFont(int size) const {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  // Point sizes at 96 dots per inch, whatever the device's resolution.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size * 96.0 / 72.0))));
  return font;
}

void QPainterCanvas::rectangle(int x1, int y1, int x2, int y2) {
  applyPen(false);
  applyBrush();
  painter().drawRect(QRectF(x1, y1, x2 - x1, y2 - y1));
}

void QPainterCanvas::drawCircleWith(QPainter& p, double cx, double cy, int radius) const {
  p.drawEllipse(QRectF(cx - radius, cy - radius, 2.0 * radius, 2.0 * radius));
}

void QPainterCanvas::ellipse(int x1, int y1, int x2, int y2) {
  applyPen(true);
  applyBrush();
  painter().drawEllipse(QRectF(x1, y1, x2 - x1, y2 - y1));
}

void QPainterCanvas::line(int x1, int y1, int x2, int y2) {
  applyPen(m_fullQuality);
  painter().drawLine(x1, y1, x2, y2);
}

void QPainterCanvas::text(int x, int y, std::string_view text) {
  if (m_font.size <= 0 || text.empty()) return;
  QPainter& p = painter();
  const QFont font = qtFont(m_font.size);
  const QFontMetrics metrics(font);
  const QString qtext = toQString(text);
  if (m_brush.style == view::BrushStyle::Solid) {
    p.fillRect(QRect(x, y, metrics.horizontalAdvance(qtext), metrics.height()),
               toQColor(m_brush.color));
  }
  p.setFont(font);
  p.setPen(toQColor(m_font.color));
  p.drawText(QPoint(x, y + metrics.ascent()), qtext);
}

namespace {

QPolygonF toQPolygon(std::span<const view::PointF> points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const view::PointF& p : points)
    polygon.append(QPointF(p.x, p.y));
  return polygon;
}

}  // namespace

void QPainterCanvas::polygon(std::span<const view::PointF> points) {
  if (points.empty()) return;
  applyPen(true);
  applyBrush();
  painter().drawPolygon(toQPolygon(points));
}

void QPainterCanvas::polyline(std::span<const view::PointF> points) {
  if (points.size() < 2) return;
  applyPen(true);
  painter().drawPolyline(toQPolygon(points));
}

void QPainterCanvas::show() {
  if (m_painter) m_painter->end();
  m_painter.reset();
  if (onShow) onShow();
}

void QPainterCanvas::lines(std::span<const view::Segment> segments) {
  if (segments.empty()) return;
  applyPen(m_fullQuality);
  // QLine is four ints like Segment, so a batch of segments is drawn without copying.
  static_assert(sizeof(QLine) == sizeof(view::Segment));
  painter().drawLines(reinterpret_cast<const QLine*>(segments.data()),
                      static_cast<int>(segments.size()));
}

const QPainterCanvas::Sprite& QPainterCanvas::circleSprite(int radius, view::Color penColor,
                                                           int penWidth, int brush) {
  const bool dotted = m_pen.style == view::PenStyle::Dotted;
  // circleKey fits: every caller checked it first.
  const std::uint64_t key = *circleKey(radius, penColor, penWidth, dotted, brush);
  auto found = m_circleSprites.find(key);
  if (found != m_circleSprites.end()) return found->second;
  const int centre = radius + penWidth / 2 + 2;
  Sprite sprite;
  sprite.image = deviceImage(2 * centre + 1, 2 * centre + 1, QImage::Format_ARGB32_Premultiplied);
  sprite.image.fill(Qt::transparent);
  sprite.offsetX = sprite.offsetY = -centre;
  QPainter p(&sprite.image);
  p.setRenderHint(QPainter::Antialiasing, true);
  QPen pen(toQColor(penColor));
  pen.setWidth(std::max(penWidth, 1));
  pen.setStyle(dotted ? Qt::DotLine : Qt::SolidLine);
  p.setPen(pen);
  if (brush == clearBrush) {
    p.setBrush(Qt::NoBrush);
  } else {
    p.setBrush(toQColor(brush));
  }
  drawCircleWith(p, centre, centre, radius);
  p.end();
  return m_circleSprites.emplace(key, std::move(sprite)).first->second;
}

void QPainterCanvas::circles(std::span<const view::Dot> centres, int radius) {
  const int brush =
      m_brush.style == view::BrushStyle::Clear ? clearBrush : (m_brush.color & 0xFFFFFF);
  if (m_vector || !circleKey(radius, m_pen.color, m_pen.width, true, brush)) {
    Canvas::circles(centres, radius);
    return;
  }
  const Sprite& sprite = circleSprite(radius, m_pen.color, m_pen.width, brush);
  QPainter& p = painter();
  for (const view::Dot& c : centres) {
    p.drawImage(c.x + sprite.offsetX, c.y + sprite.offsetY, sprite.image);
  }
}

void QPainterCanvas::balls(std::span<const view::Ball> batch, view::Color hollowColor) {
  if (m_vector || batch.empty()) {
    Canvas::balls(batch, hollowColor);
    return;
  }
  QPainter& p = painter();
  for (const view::Ball& b : batch) {
    const int brush = (b.filled ? b.color : hollowColor) & 0xFFFFFF;
    if (!circleKey(b.radius, b.color, m_pen.width, true, brush)) {
      Canvas::balls(std::span<const view::Ball>(&b, 1), hollowColor);
      continue;
    }
    const Sprite& sprite = circleSprite(b.radius, b.color, m_pen.width, brush);
    p.drawImage(b.x + sprite.offsetX, b.y + sprite.offsetY, sprite.image);
  }
  setPenColor(batch.back().color);
  setBrush(batch.back().filled ? batch.back().color : hollowColor);
}

QPainterCanvas::GlyphSet& QPainterCanvas::glyphSet(int size, view::Color color) {
  const std::uint64_t key = static_cast<std::uint64_t>(size) << 24 | (color & 0xFFFFFF);
  std::unique_ptr<GlyphSet>& set = m_glyphSets[key];
  if (set) return *set;
  set = std::make_unique<GlyphSet>();
  set->font = qtFont(size);
  set->color = color;
  const QFontMetricsF metrics(set->font);
  set->ascent = QFontMetrics(set->font).ascent();
  set->height = QFontMetrics(set->font).height();
  // Room for glyphs that reach beyond their advance (italic overhang, negative bearings).
  set->padding = static_cast<int>(std::ceil(set->height * m_pixelRatio / 2));
  for (int c = 0; c < 95; ++c)
    set->advance[c] = metrics.horizontalAdvance(QChar(c + 32));
  const auto found = m_samePhases.find(size);
  if (found != m_samePhases.end()) {
    set->samePictureAs = found->second;
  } else {
    findSamePhases(*set);
    m_samePhases.emplace(size, set->samePictureAs);
  }
  return *set;
}

QImage QPainterCanvas::textImage(const GlyphSet& set, int width, int height,
                                 const std::function<void(QPainter&)>& draw) const {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  image.setDevicePixelRatio(m_pixelRatio);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(set.font);
  p.setPen(toQColor(set.color));
  draw(p);
  p.end();
  return image;
}

void QPainterCanvas::findSamePhases(GlyphSet& set) const {
  // Two characters, curved and slanted, drawn at every phase side by side in one image; a phase
  // shares the picture of an earlier one when both characters come out alike there.
  static constexpr char probes[] = {'C', 'W'};
  const int cell =
      static_cast<int>(std::ceil(set.advance['W' - 32] * m_pixelRatio)) + 2 * set.padding + 1;
  const int rowHeight = static_cast<int>(std::ceil(set.height * m_pixelRatio));
  const QImage image = textImage(set, cell * GlyphSet::phases, rowHeight * 2, [&](QPainter& p) {
    for (int phase = 0; phase < GlyphSet::phases; ++phase) {
      const double origin =
          phase * cell + set.padding + static_cast<double>(phase) / GlyphSet::phases;
      for (int row = 0; row < 2; ++row) {
        p.drawText(QPointF(origin / m_pixelRatio, (row * rowHeight) / m_pixelRatio + set.ascent),
                   QString(QChar(probes[row])));
      }
    }
  });
  const auto alike = [&](int a, int b) {
    for (int y = 0; y < image.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      if (!std::equal(row + a * cell, row + (a + 1) * cell, row + b * cell)) return false;
    }
    return true;
  };
  int current = 0;
  for (int phase = 0; phase < GlyphSet::phases; ++phase) {
    if (!alike(phase, current)) current = phase;
    set.samePictureAs[static_cast<std::size_t>(phase)] = current;
  }
}

const QPainterCanvas::Glyph& QPainterCanvas::glyph(GlyphSet& set, char c, int phase) const {
  phase = set.samePictureAs[static_cast<std::size_t>(phase)];
  Glyph& g = set.glyphs[static_cast<std::size_t>((c - 32) * GlyphSet::phases + phase)];
  if (g.drawn) return g;
  const int width =
      static_cast<int>(std::ceil(set.advance[c - 32] * m_pixelRatio)) + 2 * set.padding + 1;
  const double origin = set.padding + static_cast<double>(phase) / GlyphSet::phases;
  const QImage image = textImage(
      set, width, static_cast<int>(std::ceil(set.height * m_pixelRatio)), [&](QPainter& p) {
        p.drawText(QPointF(origin / m_pixelRatio, set.ascent), QString(QChar(c)));
      });
  // Only the inked box is kept: most of a glyph image is clear.
  g.ink = QRect();
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(row[x]) != 0) g.ink |= QRect(x, y, 1, 1);
    }
  }
  g.pixels.clear();
  for (int y = g.ink.top(); y <= g.ink.bottom() && !g.ink.isEmpty(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    g.pixels.insert(g.pixels.end(), row + g.ink.left(), row + g.ink.right() + 1);
  }
  g.drawn = true;
  return g;
}

namespace {

// Source-over of a premultiplied pixel onto an opaque one, rounded as the raster engine rounds
// when it draws an image.
QRgb sourceOver(QRgb source, QRgb target) {
  const unsigned keep = 255 - qAlpha(source);
  unsigned redBlue = (target & 0xFF00FF) * keep;
  redBlue = ((redBlue + ((redBlue >> 8) & 0xFF00FF) + 0x800080) >> 8) & 0xFF00FF;
  unsigned alphaGreen = ((target >> 8) & 0xFF00FF) * keep;
  alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xFF00FF) + 0x800080) & 0xFF00FF00;
  return source + (alphaGreen | redBlue);
}

// Blends the `ink` box `pixels` of a glyph onto the opaque `target` (bits and bytes per line)
// of `width` x `height` pixels, with the glyph image's top-left corner at device (left, top).
void blendGlyph(uchar* target, qsizetype stride, int width, int height, const QRect& ink,
                const std::vector<QRgb>& pixels, int left, int top) {
  if (ink.isEmpty()) return;
  left += ink.left();
  top += ink.top();
  const int fromX = std::max(0, -left), toX = std::min(ink.width(), width - left);
  const int fromY = std::max(0, -top), toY = std::min(ink.height(), height - top);
  for (int y = fromY; y < toY; ++y) {
    const QRgb* source = pixels.data() + static_cast<std::size_t>(y) * ink.width();
    auto* row = reinterpret_cast<QRgb*>(target + (top + y) * stride);
    for (int x = fromX; x < toX; ++x) {
      const QRgb s = source[x];
      const unsigned alpha = qAlpha(s);
      if (alpha == 0) continue;
      QRgb& d = row[left + x];
      d = alpha == 255 ? s : sourceOver(s, d);
    }
  }
}

}  // namespace

void QPainterCanvas::writeLabel(GlyphSet& set, int x, int y, std::string_view text,
                                int background) {
  uchar* bits = m_image.bits();
  const qsizetype stride = m_image.bytesPerLine();
  const int width = m_image.width(), height = m_image.height();
  const int left = static_cast<int>(std::lround(x * m_pixelRatio));
  const int top = static_cast<int>(std::lround(y * m_pixelRatio));
  if (background != clearBrush) {
    double advance = 0;
    for (const char c : text)
      advance += set.advance[c - 32];
    const int boxWidth = static_cast<int>(
        std::ceil(std::max(1, static_cast<int>(std::lround(advance))) * m_pixelRatio));
    const int boxHeight = static_cast<int>(std::ceil(set.height * m_pixelRatio));
    const QRgb fill = toQColor(background).rgb();
    const int fromX = std::clamp(left, 0, width);
    const int toX = std::clamp(left + boxWidth, fromX, width);
    for (int row = std::max(top, 0); row < std::min(top + boxHeight, height); ++row) {
      auto* pixels = reinterpret_cast<QRgb*>(bits + row * stride);
      std::fill(pixels + fromX, pixels + toX, fill);
    }
  }
  double pen = 0;
  for (const char c : text) {
    // Glyphs sit at fractional pen positions, as QPainter places them in a drawn text.
    const double steps = std::round(pen * m_pixelRatio * GlyphSet::phases);
    const int whole = static_cast<int>(std::floor(steps / GlyphSet::phases));
    const int phase = static_cast<int>(steps) - whole * GlyphSet::phases;
    const Glyph& g = glyph(set, c, phase);
    blendGlyph(bits, stride, width, height, g.ink, g.pixels, left + whole - set.padding, top);
    pen += set.advance[c - 32];
  }
}

const QPainterCanvas::Sprite& QPainterCanvas::textSprite(std::string_view text) {
  m_lookup.text.assign(text);
  m_lookup.size = m_font.size;
  m_lookup.color = m_font.color;
  m_lookup.background =
      m_brush.style == view::BrushStyle::Clear ? clearBrush : (m_brush.color & 0xFFFFFF);
  auto found = m_textSprites.find(m_lookup);
  if (found != m_textSprites.end()) return found->second;
  if (m_textSprites.size() >= maximumTextSprites) m_textSprites.clear();
  Sprite sprite;
  const QFont font = qtFont(m_font.size);
  const QFontMetrics metrics(font);
  const QString qtext = toQString(text);
  sprite.image = deviceImage(std::max(1, metrics.horizontalAdvance(qtext)), metrics.height(),
                             QImage::Format_ARGB32_Premultiplied);
  sprite.image.fill(m_lookup.background == clearBrush ? QColor(Qt::transparent)
                                                      : toQColor(m_lookup.background));
  QPainter p(&sprite.image);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(font);
  p.setPen(toQColor(m_font.color));
  p.drawText(QPoint(0, metrics.ascent()), qtext);
  p.end();
  return m_textSprites.emplace(m_lookup, std::move(sprite)).first->second;
}

void QPainterCanvas::texts(std::span<const view::PlacedText> batch) {
  if (m_vector || m_font.size <= 0) {
    Canvas::texts(batch);
    return;
  }
  const int background =
      m_brush.style == view::BrushStyle::Clear ? clearBrush : (m_brush.color & 0xFFFFFF);
  GlyphSet* set = nullptr;
  for (const view::PlacedText& t : batch) {
    if (t.text.empty()) continue;
    if (std::all_of(t.text.begin(), t.text.end(), [](char c) { return c >= 32 && c < 127; })) {
      // The labels go into the image bits directly; no painter may hold them meanwhile.
      if (m_painter) m_painter->end();
      m_painter.reset();
      if (set == nullptr) set = &glyphSet(m_font.size, m_font.color);
      writeLabel(*set, t.x, t.y, t.text, background);
      continue;
    }
    const Sprite& sprite = textSprite(t.text);
    painter().drawImage(t.x, t.y, sprite.image);
  }
}

bool QPainterCanvas::save(const std::filesystem::path& file) const {
  if (m_vector) return false;
  return m_image.save(QString::fromStdString(file.string()));
}

}  // namespace tavo::canvas
