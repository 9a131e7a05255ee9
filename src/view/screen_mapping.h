// The mapping of view coordinates to the pixels of one pane and the depth-slab test, optionally
// seen from a viewpoint turned about the pane's vertical axis (the right image of a stereo pair).
#pragma once

#include <algorithm>
#include <cmath>

#include "model/vec3.h"

namespace tavo::view {

/// The pane being drawn and the view values the mapping needs.
struct PaneGeometry {
  int width = 0;        // W, pixels
  int height = 0;       // H, pixels
  int scale = 0;        // S: pixels across which the extent is drawn
  double extent = 1.0;  // E, Å
  int slab = 10;        // D, 1..100
  friend bool operator==(const PaneGeometry&, const PaneGeometry&) = default;
};

struct ScreenPoint {
  int x = 0, y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

class ScreenMapping {
 public:
  /// `turnDeg` turns every point about the vertical axis by −turnDeg before it is mapped, as the
  /// stereo pair's right image is seen; the stored coordinates are not touched.
  explicit ScreenMapping(const PaneGeometry& pane, double turnDeg = 0) : m_pane(pane) {
    if (turnDeg != 0) {
      const double turnRad = -turnDeg / 57.295779513082320877;
      m_turned = true;
      m_cos = std::cos(turnRad);
      m_sin = std::sin(turnRad);
    }
  }

  const PaneGeometry& pane() const { return m_pane; }
  double extent() const { return m_pane.extent; }

  /// The point as this pane sees it (turned for a stereo image).
  model::Vec3 seen(const model::Vec3& p) const {
    if (!m_turned) return p;
    return {m_sin * p.z + m_cos * p.x, p.y, m_cos * p.z - m_sin * p.x};
  }
  /// Round(S·x/E) + (W div 2), half to even.
  int screenX(double x) const {
    return pixel(std::nearbyint(m_pane.scale * x / m_pane.extent)) + m_pane.width / 2;
  }
  /// (H div 2) − Round(S·y/E): view y grows upwards, pane rows downwards.
  int screenY(double y) const {
    return m_pane.height / 2 - pixel(std::nearbyint(m_pane.scale * y / m_pane.extent));
  }
  /// E > |z|·2·10/D: the point lies inside the depth slab.
  bool inSlab(double z) const { return m_pane.extent > std::fabs(z) * 2 * 10 / m_pane.slab; }

  ScreenPoint toScreen(const model::Vec3& p) const {
    const model::Vec3 s = seen(p);
    return {screenX(s.x), screenY(s.y)};
  }

 private:
  // Keeps far-away points (a strong zoom) at a finite pixel instead of overflowing.
  static int pixel(double value) { return static_cast<int>(std::clamp(value, -1.0e6, 1.0e6)); }

  PaneGeometry m_pane;
  bool m_turned = false;
  double m_cos = 1, m_sin = 0;
};

}  // namespace tavo::view
