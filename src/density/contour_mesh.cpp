// The contour mesh of a density map: the wire frame of the iso-surfaces at +level and −level.
//
// The grid is cut into tetrahedra by the Freudenthal (Kuhn) triangulation: every grid cube is
// split into six tetrahedra along its main diagonal, the same way in every cube, so that the
// faces of neighbouring cubes match. An iso-surface crosses each triangular face of that
// triangulation in at most one segment, and the segments of all faces are exactly the edges of
// the marching-tetrahedra surface (its quadrilaterals without their diagonals). Walking the
// faces instead of the tetrahedra draws every mesh edge once, where walking the tetrahedra would
// draw each edge twice.
//
// The faces with lowest corner p are the triangles p, p + d1, p + d1 + d2 for the twelve ordered
// pairs of non-empty, disjoint sets of axes d1, d2; they all lie in the cube whose lowest corner
// is p, so a cube whose eight values lie on one side of a level holds none of that level's
// segments.
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "density/density_map.h"

namespace tavo::density {

namespace {

/// Corners of a grid cube by axis bits: bit 0 = u + 1, bit 1 = v + 1, bit 2 = w + 1.
struct FaceCorners {
  int first, second, third;  // first ⊂ second ⊂ third as sets of axes
};

constexpr std::array<FaceCorners, 12> faces = [] {
  std::array<FaceCorners, 12> result{};
  std::size_t n = 0;
  for (int d1 = 1; d1 < 8; ++d1)
    for (int d2 = 1; d2 < 8; ++d2)
      if ((d1 & d2) == 0) result[n++] = {0, d1, d1 | d2};
  return result;
}();

/// The wrapped grid index of each of `count` consecutive indices from `first`, times `stride`.
void wrappedOffsets(std::vector<std::size_t>& offsets, int first, int count, int n,
                    std::size_t stride) {
  offsets.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int wrapped = (((first + i) % n) + n) % n;
    offsets[static_cast<std::size_t>(i)] = static_cast<std::size_t>(wrapped) * stride;
  }
}

/// The grid points u = first..last inside [low, high] of one axis with n points per cell.
struct AxisRange {
  int first = 0, last = -1;
};

AxisRange pointsWithin(double low, double high, int n) {
  // A point on the box's face counts as inside although rounding put it just outside.
  constexpr double slack = 1e-9;
  const double first = std::ceil(low * n - slack);
  const double last = std::floor(high * n + slack);
  // Beyond these no box of the picture reaches; they keep the indices in int range.
  constexpr double limit = 1 << 24;
  if (!(first >= -limit && last <= limit)) return {};
  return {static_cast<int>(first), static_cast<int>(last)};
}

/// One cube's eight values and where it stands; emits the segments of one level.
class CubeMesher {
 public:
  CubeMesher(const DensityMap& map, std::vector<ContourSegment>& out)
      : m_invU(1.0 / map.nu), m_invV(1.0 / map.nv), m_invW(1.0 / map.nw), m_out(out) {}

  void setCube(const std::array<float, 8>& values, int u, int v, int w, int allowedAxes) {
    m_values = values;
    m_u = u;
    m_v = v;
    m_w = w;
    m_allowed = allowedAxes;
  }

  /// The segments of this cube's faces where the values cross `threshold`.
  void emit(float threshold) {
    for (const FaceCorners& face : faces) {
      if ((face.third & ~m_allowed) != 0) continue;  // reaches beyond the box
      const bool a = m_values[static_cast<std::size_t>(face.first)] >= threshold;
      const bool b = m_values[static_cast<std::size_t>(face.second)] >= threshold;
      const bool c = m_values[static_cast<std::size_t>(face.third)] >= threshold;
      if (a == b && b == c) continue;
      // The corner on its own side of the level; the segment joins the two edges leaving it.
      // Every edge is interpolated from its lower corner, so the faces that share an edge put
      // the same point on it.
      if (a != b && a != c) {
        push(crossing(face.first, face.second, threshold),
             crossing(face.first, face.third, threshold));
      } else if (b != a && b != c) {
        push(crossing(face.first, face.second, threshold),
             crossing(face.second, face.third, threshold));
      } else {
        push(crossing(face.first, face.third, threshold),
             crossing(face.second, face.third, threshold));
      }
    }
  }

 private:
  geometry::Fractional crossing(int low, int high, float threshold) const {
    const double from = m_values[static_cast<std::size_t>(low)];
    const double to = m_values[static_cast<std::size_t>(high)];
    const double t = (threshold - from) / (to - from);
    const int step = high ^ low;
    const auto coordinate = [&](int base, int bit, double inverse) {
      const int start = base + ((low >> bit) & 1);
      return ((step >> bit) & 1 ? start + t : start) * inverse;
    };
    return {coordinate(m_u, 0, m_invU), coordinate(m_v, 1, m_invV), coordinate(m_w, 2, m_invW)};
  }

  void push(const geometry::Fractional& from, const geometry::Fractional& to) {
    if (from == to) return;  // a level met exactly at a grid point
    m_out.push_back({from, to});
  }

  double m_invU, m_invV, m_invW;
  std::vector<ContourSegment>& m_out;
  std::array<float, 8> m_values{};
  int m_u = 0, m_v = 0, m_w = 0;
  int m_allowed = 7;
};

}  // namespace

ContourMesh contourMesh(const DensityMap& map, const FractionalBox& box, double level) {
  ContourMesh mesh;
  const std::size_t pointCount = static_cast<std::size_t>(map.nu > 0 ? map.nu : 0) *
                                 static_cast<std::size_t>(map.nv > 0 ? map.nv : 0) *
                                 static_cast<std::size_t>(map.nw > 0 ? map.nw : 0);
  if (pointCount == 0 || map.values.size() != pointCount || !std::isfinite(level)) return mesh;
  const AxisRange ru = pointsWithin(box.min.x, box.max.x, map.nu);
  const AxisRange rv = pointsWithin(box.min.y, box.max.y, map.nv);
  const AxisRange rw = pointsWithin(box.min.z, box.max.z, map.nw);
  if (ru.last < ru.first || rv.last < rv.first || rw.last < rw.first) return mesh;
  const int countU = ru.last - ru.first + 1;
  const int countV = rv.last - rv.first + 1;
  const int countW = rw.last - rw.first + 1;

  // One more point along each axis: the far corners of the cubes on the box's far faces.
  std::vector<std::size_t> offU, offV, offW;
  wrappedOffsets(offU, ru.first, countU + 1, map.nu, 1);
  wrappedOffsets(offV, rv.first, countV + 1, map.nv, static_cast<std::size_t>(map.nu));
  wrappedOffsets(offW, rw.first, countW + 1, map.nw,
                 static_cast<std::size_t>(map.nu) * static_cast<std::size_t>(map.nv));

  // A closed surface crosses about as many faces as there are grid points on the box's faces.
  const std::size_t estimate =
      2 * (static_cast<std::size_t>(countU) * countV + static_cast<std::size_t>(countV) * countW +
           static_cast<std::size_t>(countW) * countU);
  mesh.positive.reserve(estimate);
  mesh.negative.reserve(estimate);

  const float positiveLevel = static_cast<float>(std::abs(level));
  const float negativeLevel = -positiveLevel;
  CubeMesher positive(map, mesh.positive);
  CubeMesher negative(map, mesh.negative);
  const float* values = map.values.data();
  std::array<float, 8> corner{};
  for (int k = 0; k < countW; ++k) {
    for (int j = 0; j < countV; ++j) {
      for (int i = 0; i < countU; ++i) {
        float low = values[offU[i] + offV[j] + offW[k]];
        float high = low;
        for (int c = 0; c < 8; ++c) {
          const float value = values[offU[static_cast<std::size_t>(i + (c & 1))] +
                                     offV[static_cast<std::size_t>(j + ((c >> 1) & 1))] +
                                     offW[static_cast<std::size_t>(k + ((c >> 2) & 1))]];
          corner[static_cast<std::size_t>(c)] = value;
          low = value < low ? value : low;
          high = value > high ? value : high;
        }
        const bool crossesPositive = low < positiveLevel && high >= positiveLevel;
        const bool crossesNegative = low < negativeLevel && high >= negativeLevel;
        if (!crossesPositive && !crossesNegative) continue;
        // On the box's far faces only the faces that stay inside the box are drawn.
        const int allowed =
            (i + 1 < countU ? 1 : 0) | (j + 1 < countV ? 2 : 0) | (k + 1 < countW ? 4 : 0);
        const int u = ru.first + i, v = rv.first + j, w = rw.first + k;
        if (crossesPositive) {
          positive.setCube(corner, u, v, w, allowed);
          positive.emit(positiveLevel);
        }
        if (crossesNegative) {
          negative.setCube(corner, u, v, w, allowed);
          negative.emit(negativeLevel);
        }
      }
    }
  }
  return mesh;
}

}  // namespace tavo::density
