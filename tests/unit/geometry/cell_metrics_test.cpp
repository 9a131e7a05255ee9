// Cartesian transforms, the cell box, the view reset, angles and the back-transformation.
#include "geometry/cell_metrics.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/view_frame.h"
#include "text/errors.h"
#include "unit/geometry/structure_fixture.h"

namespace tavo::geometry {
namespace {

using model::AtomKind;
using model::AtomRef;
using model::Vec3;
using testing::addAtom;
using testing::addHydrogen;
using testing::addPeak;
using testing::fixtureStructure;
using testing::setCell;

TEST(CellTransforms, FractionalToCartesianInCommonCells) {
  struct Case {
    double a, b, c, alpha, beta, gamma;
    Fractional f;
    Vec3 expected;
    const char* why;
  };
  const Case cases[] = {
      {10, 10, 10, 90, 90, 90, {0.5, 0.5, 0.5}, {5, 5, 5}, "cubic: the cosines of 90 are ~1e-16"},
      {5,
       6,
       7,
       90,
       100,
       90,
       {0, 0, 1},
       {7 * std::cos(100 / 57.29577951308232), 0, 6.8937},
       "monoclinic: c tilts back along a"},
      {4,
       4,
       6,
       90,
       90,
       120,
       {0, 1, 0},
       {-2, 3.4641016, 0},
       "hexagonal: b at 120 degrees in the xy plane"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto s = fixtureStructure();
    setCell(s, c.a, c.b, c.c, c.alpha, c.beta, c.gamma);
    addAtom(s, "C1", 1, c.f.x, c.f.y, c.f.z);
    EXPECT_NEAR(toCartesian(s, AtomKind::Atom, 1, 1), c.expected.x, 1e-4);
    EXPECT_NEAR(toCartesian(s, AtomKind::Atom, 2, 1), c.expected.y, 1e-4);
    EXPECT_NEAR(toCartesian(s, AtomKind::Atom, 3, 1), c.expected.z, 1e-4);
  }
  auto s = fixtureStructure();
  setCell(s, 10, 10, 10, 90, 90, 90);
  addAtom(s, "C1", 1, 0.5, 0.5, 0.5);
  EXPECT_NEAR(toCartesian(s, AtomKind::Atom, 1, 1), 5, 1e-14);
}

TEST(CellBox, CellIndexRoundsTowardsTheCellBelow) {
  struct Case {
    double m;
    int index;
    const char* why;
  };
  const Case cases[] = {
      {-0.3, -1, "a negative centroid lies in cell -1"},
      {1.2, 1, "1.2 lies in 1..2"},
      {-1.0, -2, "exactly -1 is pushed to -2"},
      {0.0, 0, "0 is in cell 0"},
      {0.999, 0, "just below 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(cellIndexOf(c.m), c.index);
  }
}

TEST(CellBox, CornersAndPackingDefaultsFollowTheCentroid) {
  auto s = fixtureStructure();
  setCell(s, 10, 10, 10, 90, 90, 90);
  addAtom(s, "C1", 1, 0.2, 0.3, 0.5);
  addAtom(s, "C2", 1, 0.4, 0.5, 0.7);
  addHydrogen(s, "H1", 5, 5, 5);  // H atoms and peaks do not move the centroid
  addPeak(s, -3, -3, -3);
  ViewFrame frame;
  computeCellOutline(s, frame);
  EXPECT_NEAR(frame.cellBoxPoints[0].x, 0.3, 1e-12);
  EXPECT_NEAR(frame.cellBoxPoints[0].y, 0.4, 1e-12);
  EXPECT_NEAR(frame.cellBoxPoints[0].z, 0.6, 1e-12);
  EXPECT_EQ(frame.cellBoxPoints[1], (Fractional{0, 0, 0}));
  EXPECT_EQ(frame.cellBoxPoints[3], (Fractional{1, 1, 0}));
  EXPECT_EQ(frame.cellBoxPoints[7], (Fractional{1, 1, 1}));
  EXPECT_EQ(frame.cellBoxPoints[8], (Fractional{0, 1, 1}));
  EXPECT_EQ(frame.cellBoxPoints[10], (Fractional{0, 0, 0}));
  const PackingRange expected{{"-0.1", "1.1", "-0.1", "1.1", "-0.1", "1.1"},
                              {-1, 11, -1, 11, -1, 11}};
  EXPECT_EQ(frame.packingRange, expected);

  auto t = fixtureStructure();
  setCell(t, 10, 10, 10, 90, 90, 90);
  addAtom(t, "C1", 1, -0.3, 1.2, 2.5);
  computeCellOutline(t, frame);
  EXPECT_EQ(frame.cellIndex, (std::array<int, 3>{-1, 1, 2}));
  const PackingRange shifted{{"-1.1", "0.1", "0.9", "2.1", "1.9", "3.1"}, {-11, 1, 9, 21, 19, 31}};
  EXPECT_EQ(frame.packingRange, shifted);
}

TEST(CellBox, WithoutNonHAtomsTheCentroidFallsBackInsteadOfNaN) {
  auto s = fixtureStructure();
  setCell(s, 10, 10, 10, 90, 90, 90);
  ViewFrame frame;
  computeCellOutline(s, frame);  // nothing at all: the origin
  EXPECT_EQ(frame.cellBoxPoints[0], (Fractional{0, 0, 0}));
  addPeak(s, 0.5, 0.5, 0.5);
  computeCellOutline(s, frame);
  EXPECT_EQ(frame.cellBoxPoints[0], (Fractional{0.5, 0.5, 0.5}));
  addHydrogen(s, "H1", 1.5, 0.5, 0.5);  // H atoms come before peaks
  computeCellOutline(s, frame);
  EXPECT_EQ(frame.cellBoxPoints[0], (Fractional{1.5, 0.5, 0.5}));
  EXPECT_EQ(frame.cellIndex[0], 1);
  resetViewCoordinates(s, frame, false);
  for (const Vec3& slot : frame.viewSlots)
    EXPECT_TRUE(std::isfinite(slot.x + slot.y + slot.z));
}

TEST(ViewReset, ViewCoordinatesAreCartesianMinusTheOrigin) {
  auto s = fixtureStructure();
  setCell(s, 5, 6, 7, 90, 100, 90);
  addAtom(s, "C1", 1, 0.1, 0.2, 0.3);
  addAtom(s, "C2", 1, 0.3, 0.4, 0.5);
  addHydrogen(s, "H1", 0.2, 0.2, 0.2);
  addPeak(s, 0.9, 0.9, 0.9);
  s.view[1][0] = {7, 7, 7};
  s.selected[1][1] = 1;
  s.selected[2][1] = 2;
  s.selected[3][1] = 1;
  ViewFrame frame;
  computeCellOutline(s, frame);
  resetViewCoordinates(s, frame, /*moveGroupMode=*/true);
  EXPECT_EQ(s.selected[1][1], 1) << "MoveGrp keeps the selection";
  resetViewCoordinates(s, frame, false);

  const Vec3 origin = cartesianOf(s.cell, {0.2, 0.3, 0.4});
  EXPECT_NEAR(frame.viewOrigin().x, origin.x, 1e-12);
  const Vec3 c2 = cartesianOf(s.cell, {0.3, 0.4, 0.5}) - origin;
  EXPECT_NEAR(s.view[1][2].x, c2.x, 1e-12);
  EXPECT_NEAR(s.view[1][2].z, c2.z, 1e-12);
  EXPECT_EQ(s.view[1][0], (Vec3{0, 0, 0}));
  const Vec3 h = cartesianOf(s.cell, {0.2, 0.2, 0.2}) - origin;
  EXPECT_NEAR(s.view[2][1].y, h.y, 1e-12);
  const Vec3 originSlot = Vec3{} - origin;
  EXPECT_NEAR(frame.viewSlots[9].x, originSlot.x, 1e-12);
  EXPECT_NEAR(frame.viewSlots[2].x - frame.viewSlots[1].x, 5, 1e-12);
  EXPECT_EQ(s.selected[1][1], 0);
  EXPECT_EQ(s.selected[2][1], 0);
  EXPECT_EQ(s.selected[3][1], 0);
}

TEST(Angles, StraightParallelAndDegenerate) {
  auto s = fixtureStructure();
  const int a = addAtom(s, "C1", 1, 0, 0, 0);
  const int b = addAtom(s, "C2", 1, 1.5, 0, 0);
  const int c = addAtom(s, "C3", 1, 3.0, 0, 0);
  const int d = addAtom(s, "C4", 1, 1.5, 1.5, 0);
  const AtomRef A{AtomKind::Atom, a}, B{AtomKind::Atom, b}, C{AtomKind::Atom, c},
      D{AtomKind::Atom, d};
  EXPECT_NEAR(bondAngle(s, A, B, C), 180, 1e-9);
  EXPECT_NEAR(bondAngle(s, A, B, D), 90, 1e-9);
  EXPECT_NEAR(vectorAngle(s, A, B, B, C), 0, 1e-6) << "parallel must not give NaN";
  EXPECT_NEAR(vectorAngle(s, A, B, C, B), 180, 1e-6);
  EXPECT_NEAR(vectorAngle(Vec3{1, 0, 0}, Vec3{1, 1, 0}), 45, 1e-9);
  EXPECT_EQ(vectorAngle(s, A, A, B, C), 0) << "a vector without length";
  EXPECT_EQ(bondAngle(s, A, A, C), 0);
  EXPECT_NEAR(viewDistance(s, A, D), std::sqrt(4.5), 1e-12);
  EXPECT_FALSE(std::isnan(arcCos(1 + 1e-15)));
  EXPECT_NEAR(arcCos(0), M_PI / 2, 1e-15);
}

// Turns every view point and slot of the frame by a rotation matrix, as the view does.
void turn(model::StructureModel& s, ViewFrame& frame, const double m[3][3]) {
  const auto apply = [&](Vec3& p) {
    p = {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z,
         m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
         m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
  };
  for (int i = 1; i <= s.nonHCount; ++i)
    apply(s.view[1][static_cast<size_t>(i)]);
  for (size_t k = 1; k <= 9; ++k)
    apply(frame.viewSlots[k]);
}

TEST(ViewToFractional, RecoversFractionalCoordinatesAfterRotationsAndShifts) {
  auto s = fixtureStructure();
  setCell(s, 7.1, 9.3, 11.7, 82, 101, 117);
  addAtom(s, "C1", 1, 0.12, -0.34, 0.56);
  addAtom(s, "C2", 1, 1.78, 0.9, -0.2);
  ViewFrame frame;
  computeCellOutline(s, frame);
  resetViewCoordinates(s, frame, false);
  const double angles[] = {0.3, -1.1, 2.5};
  for (const double t : angles) {
    const double c = std::cos(t), sn = std::sin(t);
    const double aboutX[3][3] = {{1, 0, 0}, {0, c, -sn}, {0, sn, c}};
    const double aboutY[3][3] = {{c, 0, sn}, {0, 1, 0}, {-sn, 0, c}};
    turn(s, frame, aboutX);
    turn(s, frame, aboutY);
  }
  const Vec3 shift{3, -2, 1};
  for (int i = 1; i <= s.nonHCount; ++i)
    s.view[1][static_cast<size_t>(i)] += shift;
  for (size_t k = 1; k <= 9; ++k)
    frame.viewSlots[k] += shift;
  for (int i = 1; i <= 2; ++i) {
    const Fractional f = fractionalOfViewPosition(frame, s.view[1][static_cast<size_t>(i)]);
    EXPECT_NEAR(f.x, s.atoms[i].x, 1e-12);
    EXPECT_NEAR(f.y, s.atoms[i].y, 1e-12);
    EXPECT_NEAR(f.z, s.atoms[i].z, 1e-12);
    const Vec3 p = s.view[1][static_cast<size_t>(i)] - frame.viewSlots[9];
    EXPECT_NEAR(viewToFractional(frame, 3, p.x, p.y, p.z), s.atoms[i].z, 1e-12);
  }
}

TEST(ViewToFractional, AFrameWithoutVolumeIsRefusedWithAMessage) {
  ViewFrame frame;  // never set up: every slot at the origin
  try {
    viewToFractional(frame, Vec3{1, 2, 3});
    FAIL() << "expected a UserError";
  } catch (const UserError& e) {
    EXPECT_STREQ(e.what(),
                 "The cell of the view frame has no volume: fractional coordinates cannot be "
                 "computed. Check the CELL card and open the file again.");
  }
}

}  // namespace
}  // namespace tavo::geometry
