// Thermal ellipsoids: the probability scale, the eigen-decomposition, U turned Cartesian, the
// exact outline of the projection, and the ellipsoid style of the picture.
#include "view/ellipsoids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "support/recording_canvas.h"
#include "text/errors.h"
#include "view/ellipsoid_layer.h"
#include "view/renderer.h"

namespace tavo::view {
namespace {

using model::Vec3;
using testing::DrawCall;
using testing::RecordingCanvas;
using testing::Shape;

TEST(EllipsoidProbability, RadiusOfTheTrivariateNormalContour) {
  // sqrt of the chi-square quantiles with 3 degrees of freedom (statistical tables).
  struct Case {
    double probability, scale;
    const char* why;
  };
  const Case cases[] = {
      {0.5, 1.5382, "the publication default"},
      {0.3, std::sqrt(1.4237), "30 %"},
      {0.9, std::sqrt(6.2514), "90 %"},
      {0.99, std::sqrt(11.3449), "99 %"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_NEAR(probabilityScale(c.probability), c.scale, 2e-4);
  }
  for (const double bad : {0.0, 1.0, -0.2, std::nan("")})
    EXPECT_THROW(probabilityScale(bad), UserError) << bad;
  EXPECT_DOUBLE_EQ(probabilityFraction(50), 0.5);
  EXPECT_DOUBLE_EQ(probabilityFraction(0.3), 0.3);
  EXPECT_THROW(probabilityFraction(100), UserError);
  EXPECT_THROW(probabilityFraction(0), UserError);
}

// Checks A v = λ v, unit length and orthogonality, ascending order.
void expectEigenSystem(const Matrix3& a, const EigenSystem& e) {
  for (size_t k = 0; k < 3; ++k) {
    const Vec3& v = e.vectors[k];
    EXPECT_NEAR(model::length(v), 1, 1e-12);
    const Vec3 av{a[0][0] * v.x + a[0][1] * v.y + a[0][2] * v.z,
                  a[1][0] * v.x + a[1][1] * v.y + a[1][2] * v.z,
                  a[2][0] * v.x + a[2][1] * v.y + a[2][2] * v.z};
    EXPECT_NEAR(model::length(av - e.values[k] * v), 0, 1e-12);
    EXPECT_NEAR(model::dot(v, e.vectors[(k + 1) % 3]), 0, 1e-12);
  }
  EXPECT_LE(e.values[0], e.values[1]);
  EXPECT_LE(e.values[1], e.values[2]);
}

TEST(SymmetricEigen, HandCheckedAndRandomMatrices) {
  // [[2,1,0],[1,2,0],[0,0,5]]: 1 along (1,-1,0)/√2, 3 along (1,1,0)/√2, 5 along z.
  const Matrix3 a{{{2, 1, 0}, {1, 2, 0}, {0, 0, 5}}};
  const EigenSystem e = symmetricEigen(a);
  EXPECT_NEAR(e.values[0], 1, 1e-14);
  EXPECT_NEAR(e.values[1], 3, 1e-14);
  EXPECT_NEAR(e.values[2], 5, 1e-14);
  EXPECT_NEAR(std::fabs(e.vectors[1].x), std::sqrt(0.5), 1e-14);
  EXPECT_NEAR(e.vectors[2].z, 1, 1e-14);
  expectEigenSystem(a, e);
  // Already diagonal, repeated values, a negative one.
  expectEigenSystem({{{0.02, 0, 0}, {0, 0.02, 0}, {0, 0, -0.01}}},
                    symmetricEigen({{{0.02, 0, 0}, {0, 0.02, 0}, {0, 0, -0.01}}}));
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(-0.05, 0.05);
  for (int n = 0; n < 200; ++n) {
    Matrix3 m{};
    for (size_t i = 0; i < 3; ++i) {
      for (size_t j = i; j < 3; ++j)
        m[i][j] = m[j][i] = value(random);
    }
    expectEigenSystem(m, symmetricEigen(m));
  }
}

model::Atom anisotropicAtom(double u11, double u22, double u33, double u23, double u13,
                            double u12) {
  model::Atom atom;
  atom.aniso = 1;
  atom.u11 = u11, atom.u22 = u22, atom.u33 = u33, atom.u23 = u23, atom.u13 = u13, atom.u12 = u12;
  return atom;
}

TEST(CartesianU, OrthogonalCellsKeepTheTensorAndTheTraceIsUeq) {
  const model::Atom atom = anisotropicAtom(0.04, 0.01, 0.09, 0.002, -0.003, 0.001);
  const Matrix3 u = cartesianU({7, 0, 0}, {0, 9, 0}, {0, 0, 11}, atom);
  EXPECT_NEAR(u[0][0], 0.04, 1e-15);
  EXPECT_NEAR(u[1][2], 0.002, 1e-15);
  EXPECT_NEAR(u[0][2], -0.003, 1e-15);
  EXPECT_NEAR(u[0][1], 0.001, 1e-15);
  // Monoclinic (β = 100°): Ueq = (1/3) Σ Uij a*i a*j (ai·aj), the textbook formula.
  const double beta = 100 / 180.0 * std::numbers::pi;
  const Vec3 a{8, 0, 0}, b{0, 6, 0}, c{12 * std::cos(beta), 0, 12 * std::sin(beta)};
  const model::Atom mono = anisotropicAtom(0.03, 0.02, 0.05, 0, 0.01, 0);
  const Matrix3 m = cartesianU(a, b, c, mono);
  const double astar = 1 / (8 * std::sin(beta)), bstar = 1.0 / 6, cstar = 1 / (12 * std::sin(beta));
  const double ueq =
      (0.03 * astar * astar * 64 + 0.02 * bstar * bstar * 36 + 0.05 * cstar * cstar * 144 +
       2 * 0.01 * astar * cstar * 8 * 12 * std::cos(beta)) /
      3;
  EXPECT_NEAR((m[0][0] + m[1][1] + m[2][2]) / 3, ueq, 1e-12);
  EXPECT_EQ(cartesianU({1, 0, 0}, {2, 0, 0}, {0, 0, 1}, mono), Matrix3{});
}

TEST(EllipsoidOutline, IsTheSilhouetteOfTheTurnedEllipsoid) {
  // An ellipsoid turned arbitrarily: the outline's extent along any pane direction equals the
  // largest extent of the surface points along it.
  const double turn = 0.7, tilt = 0.4;
  const Vec3 a{std::cos(turn), std::sin(turn) * std::cos(tilt), std::sin(turn) * std::sin(tilt)};
  const Vec3 b{-std::sin(turn), std::cos(turn) * std::cos(tilt), std::cos(turn) * std::sin(tilt)};
  const Vec3 c = model::cross(a, b);
  const model::Atom atom = anisotropicAtom(0.05, 0.02, 0.01, 0.004, -0.006, 0.003);
  const Ellipsoid e = ellipsoidOf(cartesianU(10 * a, 10 * b, 10 * c, atom), 1.5382);
  ASSERT_FALSE(e.npd);
  const Outline o = outlineOf(e);
  const OutlineAxes axes = outlineAxes(o);
  for (double phi = 0; phi < std::numbers::pi; phi += 0.1) {
    const double dx = std::cos(phi), dy = std::sin(phi);
    double reach = 0;
    for (double s = 0; s < std::numbers::pi; s += 0.01) {
      for (double t = 0; t < 2 * std::numbers::pi; t += 0.01) {
        const Vec3 p = (e.radii[0] * std::sin(s) * std::cos(t)) * e.axes[0] +
                       (e.radii[1] * std::sin(s) * std::sin(t)) * e.axes[1] +
                       (e.radii[2] * std::cos(s)) * e.axes[2];
        reach = std::max(reach, p.x * dx + p.y * dy);
      }
    }
    // Support function of the ellipse xᵀB⁻¹x = 1 along d: √(dᵀBd).
    EXPECT_NEAR(std::sqrt(o.xx * dx * dx + 2 * o.xy * dx * dy + o.yy * dy * dy), reach, 2e-4);
  }
  // The boundary point along a direction lies on the ellipse of the semi-axes.
  const double t = outlineReach(o, 1, 0);
  const double u = t * std::cos(axes.angleRad), v = -t * std::sin(axes.angleRad);
  EXPECT_NEAR(u * u / (axes.major * axes.major) + v * v / (axes.minor * axes.minor), 1, 1e-9);
}

// A cubic frame of 10 Å edges, 150 pixels per Å: C1 anisotropic at the centre, O2 isotropic
// 1 Å to the right and nearer the viewer, N3 with a U that is not positive definite.
struct Scene {
  model::StructureModel s;
  geometry::ViewFrame frame;
  ViewState view;
  GraphicsSettings settings;
  Scene() {
    s.limits.atmMax = 10;
    s.limits.expMax = 10;
    s.allocate();
    s.elementCount = 3;
    s.elements[1] = {"C", 0, 12, 0.77, 100};
    s.elements[2] = {"O", 0, 16, 0.66, 200};
    s.elements[3] = {"N", 0, 14, 0.7, 300};
    frame.viewSlots[2] = {10, 0, 0};
    frame.viewSlots[4] = {0, 10, 0};
    frame.viewSlots[5] = {0, 0, 10};
    add("C1", 1, anisotropicAtom(0.04, 0.01, 0.09, 0, 0, 0), {0, 0, 0});
    model::Atom iso;
    iso.u11 = 0.01;
    add("O2", 2, iso, {1, 0, 0.5});
    add("N3", 3, anisotropicAtom(-0.01, 0.02, 0.02, 0, 0, 0), {0, -1, -0.5});
    s.nonHCount = s.workingAtomCount = 3;
    s.bonds.kinds[1] = {{1, 2}, {1, 3}};
    view.setPaneGeometry({600, 600, 300});
    view.extent = 2;
    view.slab = 100;
    settings.nonHBondColor = 2;
    settings.backgroundColor = 1;
  }
  void add(const char* label, int sfac, model::Atom atom, Vec3 at) {
    const int i = ++s.workingAtomCount;
    atom.label = label;
    atom.sfac = sfac;
    s.atoms[i] = atom;
    s.view[1][static_cast<size_t>(i)] = at;
  }
  RecordingCanvas draw(bool octants = false) {
    RenderOptions options;
    options.ellipsoids = true;
    options.octantShading = octants;
    options.showLabels = false;
    Renderer renderer;
    RecordingCanvas canvas;
    renderer.DrawMolecule(s, frame, view, options, settings, {&canvas, nullptr, nullptr});
    return canvas;
  }
};

double extent(const DrawCall& c, double centre, bool horizontal) {
  double reach = 0;
  for (const PointF& p : c.points)
    reach = std::max(reach, std::fabs((horizontal ? p.x : p.y) - centre));
  return reach;
}

TEST(EllipsoidStyle, OutlinesAxesAndBondsToTheSurfacesFarToNear) {
  Scene scene;
  const RecordingCanvas canvas = scene.draw();
  std::vector<const DrawCall*> drawn;
  for (const DrawCall& c : canvas.calls) {
    if (c.shape == Shape::Polygon || c.shape == Shape::Polyline || c.shape == Shape::Rectangle)
      drawn.push_back(&c);
  }
  // Background, then N3 (farthest: its mark), the N3 bond, C1 with its three principal
  // ellipses, the O2 bond, O2.
  ASSERT_EQ(drawn.size(), 9u);
  EXPECT_EQ(drawn[0]->shape, Shape::Rectangle);  // the background
  EXPECT_EQ(drawn[1]->shape, Shape::Rectangle);  // N3's mark
  EXPECT_EQ(drawn[1]->pen.color, 300);
  const DrawCall& carbon = *drawn[3];
  ASSERT_EQ(carbon.shape, Shape::Polygon);
  EXPECT_EQ(carbon.brush.color, 100);
  // 50 %: radii 1.5382·(0.2, 0.1) Å along x and y at 150 pixels per Å around (300, 300).
  EXPECT_NEAR(extent(carbon, 300, true), 1.5382 * 0.2 * 150, 0.05);
  EXPECT_NEAR(extent(carbon, 300, false), 1.5382 * 0.1 * 150, 0.05);
  for (size_t k = 4; k <= 6; ++k) {
    EXPECT_EQ(drawn[k]->shape, Shape::Polyline);
    EXPECT_EQ(drawn[k]->pen, (Pen{2, 1, PenStyle::Solid}));
  }
  // The bond to O2 runs from C1's outline to O2's sphere (radius 1.5382·0.1 Å).
  const DrawCall& bond = *drawn[7];
  ASSERT_EQ(bond.points.size(), 2u);
  EXPECT_NEAR(bond.points[0].x, 300 + 1.5382 * 0.2 * 150, 0.01);
  EXPECT_NEAR(bond.points[1].x, 450 - 1.5382 * 0.1 * 150, 0.01);
  EXPECT_EQ(drawn[8]->brush.color, 200);
  EXPECT_NEAR(extent(*drawn[8], 450, true), 1.5382 * 0.1 * 150, 0.05);
  // N3 is marked, not drawn: a red cross over its square.
  int crosses = 0;
  for (const DrawCall& c : canvas.of(Shape::Line))
    crosses += c.pen.color == pureRed;
  EXPECT_EQ(crosses, 2);
}

TEST(EllipsoidStyle, OctantShadingFillsTheSectorTowardsTheViewer) {
  Scene scene;
  // C1 turned so that none of its axes lies in the pane.
  scene.frame.viewSlots[2] = {7.07, 0, 7.07};
  scene.frame.viewSlots[5] = {-7.07, 0, 7.07};
  const RecordingCanvas canvas = scene.draw(true);
  std::vector<DrawCall> polygons = canvas.of(Shape::Polygon);
  ASSERT_EQ(polygons.size(), 3u);  // C1's outline, its octant, O2
  const DrawCall& octant = polygons[1];
  EXPECT_EQ(octant.brush.color, 55);  // 100 darkened to 55 %
  // The sector lies within the outline and reaches its centre side only through the tips.
  const double outlineReach = extent(polygons[0], 300, true);
  EXPECT_LE(extent(octant, 300, true), outlineReach + 1e-6);
}

}  // namespace
}  // namespace tavo::view
