// The overlays of the measuring mouse modes and the displayed bond.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "geometry/cell_metrics.h"
#include "text/text.h"
#include "view/render_layers.h"

namespace tavo::view {

using model::AtomRef;

namespace {

constexpr std::string_view vector1Text = "Vector1";
constexpr std::string_view vector2Text = "Vector2";
constexpr std::string_view vectorAngleText = "Vec1/Vec2 Angle = ";
constexpr std::string_view degreesText = " (deg)";
/// In place of the number when a vector has no length (two of its atoms coincide).
constexpr std::string_view noAngleText = "---";
constexpr std::string_view originText = "Origin";
constexpr std::string_view alignToText = "Align to ";
constexpr std::string_view inTheText = " in the ";
constexpr std::string_view directionText = " direction";
constexpr std::string_view axisNames[] = {"X axis", "Y axis", "Z axis"};
constexpr std::string_view positiveText = "Positive";
constexpr std::string_view negativeText = "Negative";

std::string threeDecimals(double value) {
  return text::formatFixed(value, 3);
}

}  // namespace

bool PictureDrawer::inUse(AtomRef ref) const {
  const int kind = model::kindNumber(ref.kind);
  if (kind < 1 || kind > 3 || ref.index < 1) return false;
  return static_cast<size_t>(ref.index) < m_buffers.screen[static_cast<size_t>(kind)].size();
}

ScreenPoint PictureDrawer::midpoint(AtomRef a, AtomRef b) const {
  return m_mapping.toScreen(0.5 * (m_structure.viewOf(a) + m_structure.viewOf(b)));
}

PictureResult PictureDrawer::overlays() {
  PictureResult result;
  m_canvas.setPenWidth(m_settings.selectionWidth);
  m_canvas.setBrushClear();
  const std::span<const AtomRef> sel = m_options.selection;
  const int d = m_sizes.labelOffset;
  const bool firstTwoShown = sel.size() >= 2 && inUse(sel[0]) && inUse(sel[1]) &&
                             entry(sel[0]).inSlab && entry(sel[1]).inSlab;
  auto lineBetween = [this](AtomRef a, AtomRef b) {
    m_canvas.line(entry(a).x, entry(a).y, entry(b).x, entry(b).y);
  };
  if (firstTwoShown && m_options.mode == PictureMode::Distance && sel.size() == 2) {
    m_canvas.setPenColor(m_settings.distanceColor);
    m_canvas.setFontColor(m_settings.distanceColor);
    lineBetween(sel[0], sel[1]);
    const ScreenPoint mid = midpoint(sel[0], sel[1]);
    m_canvas.text(mid.x + d, mid.y, threeDecimals(m_options.measuredDistance));
  }
  if (firstTwoShown && m_options.mode == PictureMode::AngV1V2) {
    m_canvas.setPenColor(m_settings.distanceColor);
    m_canvas.setFontColor(m_settings.distanceColor);
    lineBetween(sel[0], sel[1]);
    if (sel.size() == 4 && inUse(sel[2]) && inUse(sel[3])) {
      lineBetween(sel[2], sel[3]);
      m_canvas.setFontColor(pureRed);
      const ScreenPoint mid1 = midpoint(sel[0], sel[1]);
      const ScreenPoint mid2 = midpoint(sel[2], sel[3]);
      m_canvas.text(mid1.x + d, mid1.y, vector1Text);
      m_canvas.text(mid2.x + d, mid2.y, vector2Text);
      const model::Vec3 p = m_structure.viewOf(sel[1]) - m_structure.viewOf(sel[0]);
      const model::Vec3 q = m_structure.viewOf(sel[3]) - m_structure.viewOf(sel[2]);
      const std::optional<double> angle = geometry::findVectorAngle(p, q);
      model::Vec3 sum;
      for (size_t k = 0; k < 4; ++k)
        sum += m_structure.viewOf(sel[k]);
      const ScreenPoint centre = m_mapping.toScreen(0.25 * sum);
      m_canvas.text(
          centre.x + d - 100, centre.y,
          std::string(vectorAngleText) + (angle ? threeDecimals(*angle) + std::string(degreesText)
                                                : std::string(noAngleText)));
      m_canvas.setFontColor(m_settings.distanceColor);
    }
  }
  const AtomRef a = m_options.displayedBond[0];
  const AtomRef b = m_options.displayedBond[1];
  if (m_options.displayBond && inUse(a) && inUse(b) && entry(a).inSlab && entry(b).inSlab) {
    m_canvas.setPenColor(pureBlue);
    m_canvas.setFontColor(pureBlue);
    lineBetween(a, b);
    const double distance = model::length(m_structure.viewOf(a) - m_structure.viewOf(b));
    const ScreenPoint mid = midpoint(a, b);
    m_canvas.text(mid.x + d, mid.y, threeDecimals(distance));
    result.displayedBondDrawn = true;
    result.displayedBondDistance = distance;
  }
  if (firstTwoShown && m_options.mode == PictureMode::AlignVec && sel.size() == 2) {
    m_canvas.setPenColor(pureRed);
    m_canvas.setFontColor(pureRed);
    m_canvas.text(entry(sel[0]).x, entry(sel[0]).y + 9, originText);
    lineBetween(sel[0], sel[1]);
    const ScreenPoint mid = midpoint(sel[0], sel[1]);
    const int axis = std::clamp(m_options.alignAxis, 1, 3);
    const std::string text = std::string(alignToText) + std::string(axisNames[axis - 1]) +
                             std::string(inTheText) +
                             std::string(m_options.alignSense == 1 ? positiveText : negativeText) +
                             std::string(directionText);
    m_canvas.text(mid.x + d, mid.y + 9, text);
  }
  return result;
}

}  // namespace tavo::view
