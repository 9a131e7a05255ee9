// An electron-density map over the whole unit cell on a regular grid, and the contour mesh that
// the picture draws of it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/view_frame.h"

namespace tavo::density {

enum class MapType { FoMinusFc, TwoFoMinusFc, Fo };

/// "fo-fc", "2fo-fc", "fo".
std::string mapTypeName(MapType type);
/// The type named `name` (case ignored); nothing for another word.
std::optional<MapType> findMapType(std::string_view name);

/// Values in e/Å³ at the grid points (u/nu, v/nv, w/nw), u fastest.
struct DensityMap {
  MapType type = MapType::FoMinusFc;
  int nu = 0, nv = 0, nw = 0;
  std::vector<float> values;
  double rms = 0;  // the map's σ about its mean
  double min = 0, max = 0;

  /// The value at grid point (u, v, w), wrapped into the cell.
  float at(int u, int v, int w) const {
    const auto wrap = [](int i, int n) { return ((i % n) + n) % n; };
    return values[static_cast<std::size_t>(wrap(u, nu)) +
                  static_cast<std::size_t>(nu) *
                      (static_cast<std::size_t>(wrap(v, nv)) +
                       static_cast<std::size_t>(nv) * static_cast<std::size_t>(wrap(w, nw)))];
  }
  /// The value at a fractional position, interpolated between the grid points around it.
  double valueAt(const geometry::Fractional& p) const;
};

/// Fills rms, min and max from the values.
void computeStatistics(DensityMap& map);

/// One edge of the contour mesh, in fractional coordinates.
struct ContourSegment {
  geometry::Fractional from, to;
};

/// A fractional box: the part of space the mesh is drawn in.
struct FractionalBox {
  geometry::Fractional min, max;
};

/// The contour meshes of `map` at +level and -level (level in e/Å³) inside `box`.
struct ContourMesh {
  std::vector<ContourSegment> positive;
  std::vector<ContourSegment> negative;
};
ContourMesh contourMesh(const DensityMap& map, const FractionalBox& box, double level);

}  // namespace tavo::density
