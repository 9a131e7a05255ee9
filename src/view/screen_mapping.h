// The mapping of view coordinates to the pixels of one pane and the depth-slab test, optionally
// seen from a viewpoint turned about the pane's vertical axis (the right image of a stereo pair).
#pragma once

#include <cmath>

#include "model/vec3.h"
#include "view/view_state.h"

namespace tavo::view {

struct ScreenPoint {
  int x = 0, y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

class ScreenMapping {
 public:
  /// `turnDeg` turns every point about the vertical axis by −turnDeg before it is mapped, as the
  /// stereo pair's right image is seen; the stored coordinates are not touched.
  explicit ScreenMapping(const ViewState& view, double turnDeg = 0) : m_view(view) {
    if (turnDeg != 0) {
      const double turnRad = -turnDeg / degreesPerRadian;
      m_turned = true;
      m_cos = std::cos(turnRad);
      m_sin = std::sin(turnRad);
    }
  }

  const ViewState& view() const { return m_view; }
  int paneWidth() const { return m_view.paneWidth; }
  int paneHeight() const { return m_view.paneHeight; }
  double extent() const { return m_view.extent; }

  /// The point as this pane sees it (turned for a stereo image).
  model::Vec3 seen(const model::Vec3& p) const {
    if (!m_turned) return p;
    return {m_sin * p.z + m_cos * p.x, p.y, m_cos * p.z - m_sin * p.x};
  }
  int screenX(double x) const { return m_view.toScreenX(x); }
  int screenY(double y) const { return m_view.toScreenY(y); }
  bool inSlab(double z) const { return m_view.inSlab(z); }

  ScreenPoint toScreen(const model::Vec3& p) const {
    const model::Vec3 s = seen(p);
    return {screenX(s.x), screenY(s.y)};
  }

 private:
  ViewState m_view;
  bool m_turned = false;
  double m_cos = 1, m_sin = 0;
};

}  // namespace tavo::view
