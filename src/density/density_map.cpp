#include "density/density_map.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tavo::density {

std::string mapTypeName(MapType type) {
  switch (type) {
    case MapType::FoMinusFc:
      return "fo-fc";
    case MapType::TwoFoMinusFc:
      return "2fo-fc";
    case MapType::Fo:
      return "fo";
  }
  return "fo-fc";
}

std::optional<MapType> findMapType(std::string_view name) {
  for (MapType type : {MapType::FoMinusFc, MapType::TwoFoMinusFc, MapType::Fo}) {
    const std::string known = mapTypeName(type);
    if (name.size() == known.size() &&
        std::equal(name.begin(), name.end(), known.begin(),
                   [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
      return type;
  }
  return std::nullopt;
}

double DensityMap::valueAt(const geometry::Fractional& p) const {
  const double gu = p.x * nu, gv = p.y * nv, gw = p.z * nw;
  const double fu = std::floor(gu), fv = std::floor(gv), fw = std::floor(gw);
  const int u = static_cast<int>(fu), v = static_cast<int>(fv), w = static_cast<int>(fw);
  const double du = gu - fu, dv = gv - fv, dw = gw - fw;
  double sum = 0;
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j)
      for (int k = 0; k < 2; ++k) {
        const double weight = (i ? du : 1 - du) * (j ? dv : 1 - dv) * (k ? dw : 1 - dw);
        sum += weight * at(u + i, v + j, w + k);
      }
  return sum;
}

void computeStatistics(DensityMap& map) {
  if (map.values.empty()) {
    map.rms = map.min = map.max = 0;
    return;
  }
  double sum = 0;
  for (float value : map.values)
    sum += value;
  const double mean = sum / static_cast<double>(map.values.size());
  double squares = 0;
  for (float value : map.values)
    squares += (value - mean) * (value - mean);
  map.rms = std::sqrt(squares / static_cast<double>(map.values.size()));
  const auto [low, high] = std::minmax_element(map.values.begin(), map.values.end());
  map.min = *low;
  map.max = *high;
}

}  // namespace tavo::density
