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
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
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

/// The eight values of one grid cube by corner bits, its lowest corner, and the axes along
/// which its faces may reach (those not on the box's far faces).
struct Cube {
  std::array<float, 8> values;
  int u, v, w;
  int allowedAxes;

  bool above(int corner, float threshold) const {
    return values[static_cast<std::size_t>(corner)] >= threshold;
  }
  bool faceInside(const FaceCorners& face) const { return (face.third & ~allowedAxes) == 0; }
};

/// Whether a face's corners lie on both sides of a level, from the bits of the corners above it.
constexpr bool faceCrossed(const FaceCorners& face, int aboveBits) {
  const int a = (aboveBits >> face.first) & 1;
  const int b = (aboveBits >> face.second) & 1;
  const int c = (aboveBits >> face.third) & 1;
  return !(a == b && b == c);
}

/// The number of a whole cube's faces crossed, by the bits of the corners above the level.
constexpr std::array<std::uint8_t, 256> crossedFaceCounts = [] {
  std::array<std::uint8_t, 256> result{};
  for (int bits = 0; bits < 256; ++bits)
    for (const FaceCorners& face : faces)
      if (faceCrossed(face, bits)) ++result[static_cast<std::size_t>(bits)];
  return result;
}();

/// The number of the cube's faces that `threshold` crosses.
std::size_t crossedFaces(const Cube& cube, float threshold) {
  int bits = 0;
  for (int corner = 0; corner < 8; ++corner)
    bits |= cube.above(corner, threshold) ? 1 << corner : 0;
  if (cube.allowedAxes == 7) return crossedFaceCounts[static_cast<std::size_t>(bits)];
  std::size_t count = 0;
  for (const FaceCorners& face : faces)
    if (cube.faceInside(face) && faceCrossed(face, bits)) ++count;
  return count;
}

/// Emits the segments of one level into a list.
class SegmentMaker {
 public:
  SegmentMaker(const DensityMap& map, std::vector<ContourSegment>& out)
      : m_inverse{1.0 / map.nu, 1.0 / map.nv, 1.0 / map.nw}, m_out(out) {}

  /// The segments of the cube's faces where the values cross `threshold`.
  void emit(const Cube& cube, float threshold) const {
    for (const FaceCorners& face : faces) {
      if (!cube.faceInside(face)) continue;
      const bool a = cube.above(face.first, threshold);
      const bool b = cube.above(face.second, threshold);
      const bool c = cube.above(face.third, threshold);
      if (a == b && b == c) continue;
      // The corner on its own side of the level; the segment joins the two edges leaving it.
      // Every edge is interpolated from its lower corner, so the faces that share an edge put
      // the same point on it.
      if (a != b && a != c) {
        push(crossing(cube, face.first, face.second, threshold),
             crossing(cube, face.first, face.third, threshold));
      } else if (b != a && b != c) {
        push(crossing(cube, face.first, face.second, threshold),
             crossing(cube, face.second, face.third, threshold));
      } else {
        push(crossing(cube, face.first, face.third, threshold),
             crossing(cube, face.second, face.third, threshold));
      }
    }
  }

 private:
  geometry::Fractional crossing(const Cube& cube, int low, int high, float threshold) const {
    const double from = cube.values[static_cast<std::size_t>(low)];
    const double to = cube.values[static_cast<std::size_t>(high)];
    const double t = (threshold - from) / (to - from);
    const int step = high ^ low;
    const auto coordinate = [&](int base, int bit) {
      const int start = base + ((low >> bit) & 1);
      return ((step >> bit) & 1 ? start + t : start) * m_inverse[static_cast<std::size_t>(bit)];
    };
    return {coordinate(cube.u, 0), coordinate(cube.v, 1), coordinate(cube.w, 2)};
  }

  void push(const geometry::Fractional& from, const geometry::Fractional& to) const {
    if (from == to) return;  // a level met exactly at a grid point
    m_out.push_back({from, to});
  }

  std::array<double, 3> m_inverse;
  std::vector<ContourSegment>& m_out;
};

/// A cube of the box by its indices from the box's first grid point, and the levels that cross
/// it.
struct CubePlace {
  int i, j, k;
  bool positive, negative;
};

/// The grid cubes of a box.
class CubeWalk {
 public:
  CubeWalk(const DensityMap& map, const AxisRange& ru, const AxisRange& rv, const AxisRange& rw)
      : m_values(map.values.data()),
        m_first{ru.first, rv.first, rw.first},
        m_count{ru.last - ru.first + 1, rv.last - rv.first + 1, rw.last - rw.first + 1} {
    // One more point along each axis: the far corners of the cubes on the box's far faces.
    const std::size_t strideV = static_cast<std::size_t>(map.nu);
    const std::size_t strideW = strideV * static_cast<std::size_t>(map.nv);
    wrappedOffsets(m_offU, ru.first, m_count[0] + 1, map.nu, 1);
    wrappedOffsets(m_offV, rv.first, m_count[1] + 1, map.nv, strideV);
    wrappedOffsets(m_offW, rw.first, m_count[2] + 1, map.nw, strideW);
  }

  /// Grid points on the box's faces.
  std::size_t facePoints() const {
    const auto [u, v, w] = m_count;
    return 2 * (static_cast<std::size_t>(u) * static_cast<std::size_t>(v) +
                static_cast<std::size_t>(v) * static_cast<std::size_t>(w) +
                static_cast<std::size_t>(w) * static_cast<std::size_t>(u));
  }

  /// The cubes of the box that either level crosses, in the order u fastest.
  void findCrossedCubes(float positiveLevel, float negativeLevel,
                        std::vector<CubePlace>& crossed) const {
    const auto [countU, countV, countW] = m_count;
    for (int k = 0; k < countW; ++k) {
      for (int j = 0; j < countV; ++j) {
        const Rows rows = rowsOf(j, k);
        for (int i = 0; i < countU; ++i) {
          const std::array<float, 8> corner = corners(rows, i);
          const float low =
              std::min(std::min(std::min(corner[0], corner[1]), std::min(corner[2], corner[3])),
                       std::min(std::min(corner[4], corner[5]), std::min(corner[6], corner[7])));
          const float high =
              std::max(std::max(std::max(corner[0], corner[1]), std::max(corner[2], corner[3])),
                       std::max(std::max(corner[4], corner[5]), std::max(corner[6], corner[7])));
          const bool positive = low < positiveLevel && high >= positiveLevel;
          const bool negative = low < negativeLevel && high >= negativeLevel;
          if (positive || negative) crossed.push_back({i, j, k, positive, negative});
        }
      }
    }
  }

  /// The values and place of a cube found by findCrossedCubes.
  Cube cubeAt(const CubePlace& place) const {
    // On the box's far faces only the faces that stay inside the box are drawn.
    const int allowed = (place.i + 1 < m_count[0] ? 1 : 0) | (place.j + 1 < m_count[1] ? 2 : 0) |
                        (place.k + 1 < m_count[2] ? 4 : 0);
    return {corners(rowsOf(place.j, place.k), place.i), m_first[0] + place.i, m_first[1] + place.j,
            m_first[2] + place.k, allowed};
  }

 private:
  /// The four rows of grid points (v, w), (v + 1, w), (v, w + 1), (v + 1, w + 1) of a row of
  /// cubes.
  using Rows = std::array<const float*, 4>;
  Rows rowsOf(int j, int k) const {
    Rows rows{};
    for (std::size_t r = 0; r < 4; ++r)
      rows[r] = m_values + m_offV[static_cast<std::size_t>(j) + (r & 1)] +
                m_offW[static_cast<std::size_t>(k) + (r >> 1)];
    return rows;
  }
  std::array<float, 8> corners(const Rows& rows, int i) const {
    const std::size_t near = m_offU[static_cast<std::size_t>(i)];
    const std::size_t far = m_offU[static_cast<std::size_t>(i) + 1];
    std::array<float, 8> corner{};
    for (std::size_t r = 0; r < 4; ++r) {
      corner[2 * r] = rows[r][near];
      corner[2 * r + 1] = rows[r][far];
    }
    return corner;
  }

 private:
  const float* m_values;
  std::array<int, 3> m_first;
  std::array<int, 3> m_count;
  std::vector<std::size_t> m_offU, m_offV, m_offW;
};

}  // namespace

// The level is taken as its magnitude: the positive mesh is drawn at |level|, the negative one
// at −|level|.
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

  const CubeWalk walk(map, ru, rv, rw);
  const float positiveLevel = static_cast<float>(std::abs(level));
  const float negativeLevel = -positiveLevel;
  std::vector<CubePlace> crossed;
  crossed.reserve(walk.facePoints());
  walk.findCrossedCubes(positiveLevel, negativeLevel, crossed);
  // The segments are counted first, so that each list is allocated once and at its size: a
  // mesh of a low level runs to megabytes.
  std::size_t positiveCount = 0, negativeCount = 0;
  for (const CubePlace& place : crossed) {
    const Cube cube = walk.cubeAt(place);
    if (place.positive) positiveCount += crossedFaces(cube, positiveLevel);
    if (place.negative) negativeCount += crossedFaces(cube, negativeLevel);
  }
  mesh.positive.reserve(positiveCount);
  mesh.negative.reserve(negativeCount);
  const SegmentMaker positiveMaker(map, mesh.positive);
  const SegmentMaker negativeMaker(map, mesh.negative);
  for (const CubePlace& place : crossed) {
    const Cube cube = walk.cubeAt(place);
    if (place.positive) positiveMaker.emit(cube, positiveLevel);
    if (place.negative) negativeMaker.emit(cube, negativeLevel);
  }
  return mesh;
}

}  // namespace tavo::density
