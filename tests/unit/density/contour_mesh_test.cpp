// The contour mesh of a map: on a Gaussian blob, whose iso-surface is a sphere of known radius.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

#include "density/density_map.h"

namespace tavo::density {
namespace {

using geometry::Fractional;

// A cubic cell of 10 Å on a 50-point grid (0.2 Å spacing) holding one Gaussian blob of
// σ = 0.6 Å: its iso-surface at level L is the sphere of radius σ·√(2 ln(A/L)).
constexpr double cellEdge = 10;
constexpr int gridPoints = 50;
constexpr double sigma = 0.6;

double wrappedDelta(double d) {
  return d - std::round(d);
}

DensityMap blobMap(const Fractional& centre, double amplitude) {
  DensityMap map;
  map.nu = map.nv = map.nw = gridPoints;
  map.values.resize(static_cast<size_t>(gridPoints * gridPoints * gridPoints));
  size_t n = 0;
  for (int w = 0; w < gridPoints; ++w)
    for (int v = 0; v < gridPoints; ++v)
      for (int u = 0; u < gridPoints; ++u) {
        const double dx = wrappedDelta(double(u) / gridPoints - centre.x) * cellEdge;
        const double dy = wrappedDelta(double(v) / gridPoints - centre.y) * cellEdge;
        const double dz = wrappedDelta(double(w) / gridPoints - centre.z) * cellEdge;
        const double r2 = dx * dx + dy * dy + dz * dz;
        map.values[n++] = static_cast<float>(amplitude * std::exp(-r2 / (2 * sigma * sigma)));
      }
  computeStatistics(map);
  return map;
}

double distanceA(const Fractional& p, const Fractional& q) {
  const double dx = (p.x - q.x) * cellEdge, dy = (p.y - q.y) * cellEdge,
               dz = (p.z - q.z) * cellEdge;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

using PointKey = std::tuple<double, double, double>;

// How many segments meet at each vertex (vertices compared exactly).
std::map<PointKey, int> vertexDegrees(const std::vector<ContourSegment>& segments) {
  std::map<PointKey, int> degree;
  for (const ContourSegment& s : segments) {
    ++degree[{s.from.x, s.from.y, s.from.z}];
    ++degree[{s.to.x, s.to.y, s.to.z}];
  }
  return degree;
}

// A closed surface leaves no loose end: the faces around a grid edge number four or six, and a
// surface crossing that edge crosses every one of them.
void expectClosed(const std::vector<ContourSegment>& segments) {
  for (const auto& [point, degree] : vertexDegrees(segments)) {
    ASSERT_TRUE(degree == 4 || degree == 6)
        << "degree " << degree << " at " << std::get<0>(point) << ", " << std::get<1>(point) << ", "
        << std::get<2>(point);
  }
}

TEST(ContourMesh, ABlobGivesAClosedSphereAtTheLevelOnTheSideOfItsSign) {
  const Fractional centre{0.43, 0.52, 0.47};
  const FractionalBox box{{0.2, 0.3, 0.25}, {0.7, 0.75, 0.7}};
  constexpr double level = 2;
  struct Case {
    double amplitude;
    bool positive;
  };
  for (const Case& c : {Case{10, true}, Case{-10, false}}) {
    SCOPED_TRACE(c.amplitude);
    const DensityMap map = blobMap(centre, c.amplitude);
    const ContourMesh mesh = contourMesh(map, box, level);
    const std::vector<ContourSegment>& drawn = c.positive ? mesh.positive : mesh.negative;
    const std::vector<ContourSegment>& other = c.positive ? mesh.negative : mesh.positive;
    EXPECT_TRUE(other.empty());
    ASSERT_GT(drawn.size(), 500u);
    expectClosed(drawn);
    const double radius = sigma * std::sqrt(2 * std::log(std::abs(c.amplitude) / level));
    const double signedLevel = c.positive ? level : -level;
    for (const auto& [point, degree] : vertexDegrees(drawn)) {
      const Fractional p{std::get<0>(point), std::get<1>(point), std::get<2>(point)};
      // The mesh interpolates linearly along the tetrahedron edges, the map trilinearly in the
      // cube: on the face diagonals the two differ by up to a tenth of the level at this spacing.
      EXPECT_NEAR(map.valueAt(p), signedLevel, 0.1 * level);
      EXPECT_NEAR(distanceA(p, centre), radius, 0.04);  // a fifth of the spacing
    }
  }
}

TEST(ContourMesh, NoSegmentsWhereTheMapNeverReachesTheLevel) {
  const DensityMap map = blobMap({0.5, 0.5, 0.5}, 10);
  const ContourMesh mesh = contourMesh(map, {{0, 0, 0}, {1, 1, 1}}, 10.5);
  EXPECT_TRUE(mesh.positive.empty());
  EXPECT_TRUE(mesh.negative.empty());
  EXPECT_TRUE(contourMesh(DensityMap{}, {{0, 0, 0}, {1, 1, 1}}, 1).positive.empty());
}

TEST(ContourMesh, ABoxAcrossTheCellEdgeDrawsTheImageOfTheBlob) {
  // The blob sits at x = 0.04; a box from −0.2 to 0.3 holds it across the cell edge, and the
  // same box one cell further along a holds its image at x = 1.04.
  const Fractional centre{0.04, 0.5, 0.5};
  const DensityMap map = blobMap(centre, 10);
  const FractionalBox near{{-0.2, 0.3, 0.3}, {0.3, 0.7, 0.7}};
  const FractionalBox far{{0.8, 0.3, 0.3}, {1.3, 0.7, 0.7}};
  const ContourMesh nearMesh = contourMesh(map, near, 2);
  const ContourMesh farMesh = contourMesh(map, far, 2);
  ASSERT_FALSE(nearMesh.positive.empty());
  expectClosed(nearMesh.positive);
  ASSERT_EQ(farMesh.positive.size(), nearMesh.positive.size());
  const Fractional image{1.04, 0.5, 0.5};
  const double radius = sigma * std::sqrt(2 * std::log(5.0));
  for (size_t i = 0; i < farMesh.positive.size(); ++i) {
    const ContourSegment& f = farMesh.positive[i];
    const ContourSegment& n = nearMesh.positive[i];
    EXPECT_NEAR(f.from.x, n.from.x + 1, 1e-12);
    EXPECT_NEAR(f.to.y, n.to.y, 1e-12);
    EXPECT_NEAR(distanceA(f.from, image), radius, 0.04);
  }
}

TEST(ContourMesh, ABoxCuttingTheSurfaceKeepsItsSegmentsInside) {
  const DensityMap map = blobMap({0.5, 0.5, 0.5}, 10);
  const FractionalBox half{{0.3, 0.3, 0.3}, {0.5, 0.7, 0.7}};
  const ContourMesh mesh = contourMesh(map, half, 2);
  ASSERT_FALSE(mesh.positive.empty());
  for (const ContourSegment& s : mesh.positive) {
    for (const Fractional& p : {s.from, s.to}) {
      EXPECT_GE(p.x, half.min.x);
      EXPECT_LE(p.x, half.max.x);
      EXPECT_GE(p.y, half.min.y);
      EXPECT_LE(p.y, half.max.y);
    }
  }
}

}  // namespace
}  // namespace tavo::density
