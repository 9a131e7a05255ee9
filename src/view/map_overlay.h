// The contour mesh of a density map as the picture draws it: line segments between fractional
// points, positive and negative levels apart.
#pragma once

#include <vector>

#include "geometry/view_frame.h"
#include "view/canvas.h"

namespace tavo::view {

/// One edge of the mesh, in fractional coordinates.
struct MapSegment {
  geometry::Fractional from, to;
  friend bool operator==(const MapSegment&, const MapSegment&) = default;
};

/// The mesh drawn over the structure: the surfaces at +level and at −level of the map.
struct MapOverlay {
  std::vector<MapSegment> positive;
  std::vector<MapSegment> negative;
};

inline constexpr Color mapPositiveColor = 0x00B000;  // green
inline constexpr Color mapNegativeColor = pureRed;

}  // namespace tavo::view
