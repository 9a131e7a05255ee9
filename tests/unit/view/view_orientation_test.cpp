// The orientations: the first view onto a molecule's plane, the views down the cell axes, the
// orientation read back from the cell edges, and the zoom about the pointer.
#include "view/view_orientation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/cell_metrics.h"
#include "geometry/plane_fit.h"
#include "support/fake_dialogs.h"
#include "unit/geometry/structure_fixture.h"

namespace tavo::view {
namespace {

using model::Vec3;
using testing::addAtom;
using testing::fixtureStructure;

/// A hexagon of radius 1.4 Å stretched along its first axis, lying in the plane spanned by
/// `u` and `v` (not necessarily unit or orthogonal) through `centre`, written straight into
/// the view coordinates.
model::StructureModel tiltedRing(const Vec3& u, const Vec3& v, const Vec3& centre) {
  model::StructureModel s = fixtureStructure(20);
  for (int k = 0; k < 6; ++k) {
    const double t = k * M_PI / 3;
    const Vec3 p = centre + (2.1 * std::cos(t)) * u + (1.4 * std::sin(t)) * v;
    addAtom(s, "C" + std::to_string(k + 1), 1, p.x, p.y, p.z);
  }
  return s;
}

TEST(FirstView, ThePlaneFacesTheViewerWithItsLongestAxisAcross) {
  // Three tilts of the ring, one of them nearly edge-on as a look down c would show it.
  const std::pair<Vec3, Vec3> planes[] = {
      {{1, 0, 0}, {0, 0, 1}},
      {{0.6, 0.8, 0}, {0, 0.28, 0.96}},
      {{0, 0, 1}, {0.2, 0.98, 0}},
  };
  for (const auto& plane : planes) {
    const Vec3 u = plane.first;
    const Vec3 v = plane.second;
    model::StructureModel s = tiltedRing(u, v, {0.1, -0.2, 0.3});
    geometry::ViewFrame frame;
    const std::optional<Rotation> r = firstViewRotation(s);
    ASSERT_TRUE(r);
    turnView(s, frame, *r);
    double spreadX = 0, spreadY = 0, depth = 0;
    for (int i = 1; i <= s.nonHCount; ++i) {
      const Vec3& p = s.view[1][static_cast<std::size_t>(i)];
      spreadX = std::max(spreadX, std::abs(p.x));
      spreadY = std::max(spreadY, std::abs(p.y - 0));
      depth = std::max(depth, std::abs(p.z - s.view[1][1].z));
    }
    EXPECT_LT(depth, 1e-9) << "every atom at one depth: the plane faces the viewer";
    EXPECT_GT(spreadX, spreadY) << "the long axis (4.2 Å) lies across, the short one (2.8 Å) up";
    // A proper rotation: lengths kept, no mirror image.
    EXPECT_NEAR(model::dot(model::cross(r->rows[0], r->rows[1]), r->rows[2]), 1.0, 1e-12);
  }
}

TEST(FirstView, FewerThanThreeAtomsOrALineLeaveTheViewAlone) {
  model::StructureModel two = fixtureStructure(10);
  addAtom(two, "C1", 1, 0, 0, 0);
  addAtom(two, "C2", 1, 1, 0, 0);
  EXPECT_FALSE(firstViewRotation(two));
  addAtom(two, "C3", 1, 2, 0, 0);
  EXPECT_FALSE(firstViewRotation(two)) << "three atoms on a line define no plane";
}

/// The structure of a monoclinic cell with its view reset, as an open leaves it.
struct ResetScene {
  model::StructureModel structure = fixtureStructure(20);
  geometry::ViewFrame frame;
  ResetScene() {
    testing::setCell(structure, 7.1, 9.3, 11.2, 90, 104.5, 90);
    addAtom(structure, "C1", 1, 0.1, 0.2, 0.3);
    addAtom(structure, "C2", 1, 0.3, 0.1, 0.2);
    addAtom(structure, "C3", 1, 0.2, 0.4, 0.1);
    geometry::computeCellOutline(structure, frame);
    geometry::resetViewCoordinates(structure, frame, false);
  }
};

TEST(AxisViews, TheAxisPointsAtTheViewerAndTheNextOneAcross) {
  for (int axis = 0; axis < 3; ++axis) {
    SCOPED_TRACE(axis);
    ResetScene scene;
    // Start from a turned view: the axis view does not depend on where the picture stood.
    rotateView(scene.structure, scene.frame, Axis::X, 0.7, false);
    rotateView(scene.structure, scene.frame, Axis::Y, -1.1, false);
    turnView(scene.structure, scene.frame, axisViewRotation(scene.frame, axis));
    const Vec3 edges[3] = {scene.frame.edgeA(), scene.frame.edgeB(), scene.frame.edgeC()};
    const Vec3 along = edges[axis];
    const Vec3 next = edges[(axis + 1) % 3];
    EXPECT_NEAR(along.x, 0, 1e-9);
    EXPECT_NEAR(along.y, 0, 1e-9);
    EXPECT_GT(along.z, 0) << "towards the viewer";
    EXPECT_NEAR(next.y, 0, 1e-9);
    EXPECT_GT(next.x, 0) << "the next axis points to the right";
  }
}

TEST(CentreView, TheCentroidReturnsToTheViewOriginWhateverTheTurnAndShifts) {
  ResetScene scene;
  shiftView(scene.structure, scene.frame, Axis::X, 2.5, false);
  rotateView(scene.structure, scene.frame, Axis::Y, 0.8, false);
  shiftView(scene.structure, scene.frame, Axis::Z, -1.5, false);
  centreView(scene.structure, scene.frame);
  Vec3 sum;
  for (int i = 1; i <= 3; ++i)
    sum = sum + scene.structure.view[1][static_cast<std::size_t>(i)];
  EXPECT_NEAR(sum.x, 0, 1e-9) << "the centroid of the atoms is the one the view is centred on";
  EXPECT_NEAR(sum.y, 0, 1e-9);
  EXPECT_NEAR(sum.z, 0, 1e-9);
}

TEST(KeptOrientation, TheTurnOfAPictureIsReadBackFromItsCellEdges) {
  ResetScene turned;
  rotateView(turned.structure, turned.frame, Axis::Z, 0.4, false);
  rotateView(turned.structure, turned.frame, Axis::X, -2.0, false);
  rotateViewInPlane(turned.structure, turned.frame, 0.3, 0.9, false);
  const Rotation r = orientationOf(turned.frame, turned.structure.cell);

  ResetScene again;  // the same structure read again: the reset orientation
  turnView(again.structure, again.frame, r);
  for (int i = 1; i <= 3; ++i) {
    const Vec3& want = turned.structure.view[1][static_cast<std::size_t>(i)];
    const Vec3& got = again.structure.view[1][static_cast<std::size_t>(i)];
    EXPECT_NEAR(got.x, want.x, 1e-9);
    EXPECT_NEAR(got.y, want.y, 1e-9);
    EXPECT_NEAR(got.z, want.z, 1e-9);
  }
}

TEST(WheelZoom, FourUnitsANotchWithinTheZoomRange) {
  struct Case {
    int zoom, steps, expected;
    const char* why;
  } const cases[] = {
      {100, 1, 104, "one notch closer"},
      {100, -3, 88, "three notches away"},
      {298, 1, 300, "kept at the top of the range"},
      {2, -1, 0, "kept at the bottom"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(wheelZoomValue(c.zoom, c.steps), c.expected);
  }
}

TEST(WheelZoom, ThePointUnderThePointerStaysWhereItIs) {
  ResetScene s;
  testing::FakeClock clock;
  int redraws = 0;
  ViewState view;
  view.setMainPane(800, 600);
  view.fitExtent(s.structure, s.frame, false, false);
  const ViewScene scene{s.structure, s.frame, clock, [&redraws] { ++redraws; }, false};
  const Vec3 atom = s.structure.view[1][2];
  const int px = view.toScreenX(atom.x), py = view.toScreenY(atom.y);
  const double extent = view.extent;
  zoomAboutPoint(view, scene, px, py, 112);
  EXPECT_NEAR(view.extent, extent / std::pow(1.06, 12), 1e-9);
  const Vec3 moved = s.structure.view[1][2];
  EXPECT_NEAR(view.toScreenX(moved.x), px, 1) << "the atom under the pointer stays under it";
  EXPECT_NEAR(view.toScreenY(moved.y), py, 1);
  const Vec3 other = s.structure.view[1][1];
  EXPECT_NE(view.toScreenX(other.x), px) << "the rest spreads out from it";
  EXPECT_EQ(redraws, 1);
}

}  // namespace
}  // namespace tavo::view
