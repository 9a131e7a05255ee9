// The residual peaks and holes of a map, symmetry-unique, each beside its nearest atom.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "density/fourier_map.h"

namespace tavo::density {

namespace {

/// Extrema closer than this to an atom belong to the atom.
constexpr double nearAtomA = 0.5;

struct Candidate {
  float value = 0;
  int u = 0, v = 0, w = 0;
};

/// Cartesian metric of a cell: G, so that |d|² = dᵀ G d for a fractional difference d.
std::array<double, 6> metricOf(const std::array<double, 6>& cell) {
  const double toRad = std::numbers::pi / 180;
  return {cell[0] * cell[0],
          cell[1] * cell[1],
          cell[2] * cell[2],
          2 * cell[1] * cell[2] * std::cos(cell[3] * toRad),
          2 * cell[0] * cell[2] * std::cos(cell[4] * toRad),
          2 * cell[0] * cell[1] * std::cos(cell[5] * toRad)};
}

double lengthOf(const std::array<double, 6>& g, double x, double y, double z) {
  return std::sqrt(std::max(0.0, g[0] * x * x + g[1] * y * y + g[2] * z * z + g[3] * y * z +
                                     g[4] * x * z + g[5] * x * y));
}

double reduced(double d) {
  return d - std::round(d);
}

geometry::Fractional applied(const geometry::SeitzOperator& op, const geometry::Fractional& p) {
  const auto& r = op.r;
  return {r[0] * p.x + r[1] * p.y + r[2] * p.z + op.t[0] / 12.0,
          r[3] * p.x + r[4] * p.y + r[5] * p.z + op.t[1] / 12.0,
          r[6] * p.x + r[7] * p.y + r[8] * p.z + op.t[2] / 12.0};
}

/// Local extrema of `sign`·map above zero, largest first.
std::vector<Candidate> localMaxima(const DensityMap& map, float sign) {
  std::vector<Candidate> found;
  const float floor = static_cast<float>(map.rms);
  for (int w = 0; w < map.nw; ++w)
    for (int v = 0; v < map.nv; ++v)
      for (int u = 0; u < map.nu; ++u) {
        const float value = sign * map.at(u, v, w);
        if (value <= floor) continue;
        bool highest = true;
        for (int dw = -1; dw <= 1 && highest; ++dw)
          for (int dv = -1; dv <= 1 && highest; ++dv)
            for (int du = -1; du <= 1 && highest; ++du) {
              if (du == 0 && dv == 0 && dw == 0) continue;
              const float other = sign * map.at(u + du, v + dv, w + dw);
              // Ties go to the first point in grid order, so a flat top yields one maximum.
              const bool before = std::tie(dw, dv, du) < std::tuple(0, 0, 0);
              if (other > value || (other == value && before)) highest = false;
            }
        if (highest) found.push_back({value, u, v, w});
      }
  std::sort(found.begin(), found.end(),
            [](const Candidate& a, const Candidate& b) { return a.value > b.value; });
  return found;
}

/// The grid maximum refined by a parabola through its neighbours along each axis.
std::pair<geometry::Fractional, double> refined(const DensityMap& map, const Candidate& c,
                                                float sign) {
  const double centre = c.value;
  double height = centre;
  double offsets[3] = {};
  const int steps[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int axis = 0; axis < 3; ++axis) {
    const auto* s = steps[axis];
    const double minus = sign * map.at(c.u - s[0], c.v - s[1], c.w - s[2]);
    const double plus = sign * map.at(c.u + s[0], c.v + s[1], c.w + s[2]);
    const double curvature = minus - 2 * centre + plus;
    if (curvature < 0) {
      offsets[axis] = std::clamp(0.5 * (minus - plus) / curvature, -0.5, 0.5);
      height -= 0.25 * (minus - plus) * offsets[axis];
    }
  }
  return {{(c.u + offsets[0]) / map.nu, (c.v + offsets[1]) / map.nv, (c.w + offsets[2]) / map.nw},
          height};
}

}  // namespace

double fractionalDistance(const std::array<double, 6>& cell, const geometry::Fractional& a,
                          const geometry::Fractional& b) {
  return lengthOf(metricOf(cell), a.x - b.x, a.y - b.y, a.z - b.z);
}

double symmetryDistance(const ScatteringModel& model, const geometry::Fractional& a,
                        const geometry::Fractional& b) {
  const std::array<double, 6> g = metricOf(model.cell);
  double best = lengthOf(g, reduced(a.x - b.x), reduced(a.y - b.y), reduced(a.z - b.z));
  for (const geometry::SeitzOperator& op : model.operators) {
    const geometry::Fractional image = applied(op, b);
    best = std::min(
        best, lengthOf(g, reduced(a.x - image.x), reduced(a.y - image.y), reduced(a.z - image.z)));
  }
  return best;
}

std::vector<MapPeak> searchPeaks(const DensityMap& map, const ScatteringModel& model,
                                 std::size_t count, bool holes) {
  const float sign = holes ? -1.0f : 1.0f;
  const std::array<double, 6> g = metricOf(model.cell);
  std::vector<geometry::SeitzOperator> operators = model.operators;
  if (operators.empty()) operators.push_back({});
  // The shortest distance between the images of p and q under the cell's symmetry.
  const auto nearestImage = [&](const geometry::Fractional& p, const geometry::Fractional& q) {
    double best = 1e30;
    geometry::Fractional at = p;
    for (const geometry::SeitzOperator& op : operators) {
      const geometry::Fractional image = applied(op, p);
      const double dx = reduced(image.x - q.x), dy = reduced(image.y - q.y),
                   dz = reduced(image.z - q.z);
      const double d = lengthOf(g, dx, dy, dz);
      if (d < best) {
        best = d;
        at = {q.x + dx, q.y + dy, q.z + dz};
      }
    }
    return std::pair{best, at};
  };
  std::vector<MapPeak> peaks;
  for (const Candidate& c : localMaxima(map, sign)) {
    if (peaks.size() >= count) break;
    auto [position, height] = refined(map, c, sign);
    bool seen = false;
    for (const MapPeak& p : peaks)
      if (nearestImage(position, p.position).first < 0.3) {
        seen = true;
        break;
      }
    if (seen) continue;
    MapPeak peak{position, sign * height, "", 0};
    double best = 1e30;
    for (const ScatteringModel::Site& site : model.sites) {
      const auto [d, at] = nearestImage(position, site.position);
      if (d < best) {
        best = d;
        peak.position = at;
        peak.nearest = site.label;
        peak.distance = d;
      }
    }
    // A feature on an atom (its position or displacement a little off) is no residual peak.
    if (peak.distance < nearAtomA) continue;
    peaks.push_back(peak);
  }
  // Grid values chose the peaks; their refined heights order them.
  std::stable_sort(peaks.begin(), peaks.end(), [](const MapPeak& a, const MapPeak& b) {
    return std::abs(a.height) > std::abs(b.height);
  });
  return peaks;
}

}  // namespace tavo::density
