// The view state: projection, slab, zoom, extent, control-driven rotations and shifts by
// differences, mouse gestures, delays and the stereo geometry.
#include "view/view_state.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/cell_metrics.h"
#include "support/fake_dialogs.h"
#include "unit/geometry/structure_fixture.h"

namespace tavo::view {
namespace {

using model::Vec3;
using testing::addAtom;
using testing::addHydrogen;
using testing::addPeak;
using testing::FakeClock;
using testing::fixtureStructure;

constexpr double degree = 1 / degreesPerRadian;

// A structure, frame, clock and counting redraw around one ViewState.
struct Scene {
  model::StructureModel structure = fixtureStructure(200);
  geometry::ViewFrame frame;
  FakeClock clock;
  int redraws = 0;
  ViewState view;
  ViewScene scene(bool adjust = false) {
    return {structure, frame, clock, [this] { ++redraws; }, adjust};
  }
};

TEST(Projection, PixelsSlabAndPicking) {
  ViewState v;
  v.setMainPane(401, 300);
  v.extent = 30;
  EXPECT_EQ(v.scale, 300);
  EXPECT_EQ(v.toScreenX(0), 200);
  EXPECT_EQ(v.toScreenX(5), 250);
  EXPECT_EQ(v.toScreenX(0.25), 202) << "2.5 rounds to even";
  EXPECT_EQ(v.toScreenX(0.35), 204) << "3.5 rounds to even";
  EXPECT_EQ(v.toScreenY(5), 100) << "positive view y lies above the centre";
  EXPECT_EQ(v.toScreenY(-0.25), 152);
  EXPECT_EQ(v.toScreenX(1e9), 32767) << "held in 16 bits";

  v.extent = 22;
  v.slab = 10;
  EXPECT_TRUE(v.inSlab(10.99));
  EXPECT_FALSE(v.inSlab(-11));
  v.slab = 1;
  EXPECT_TRUE(v.inSlab(1.09));
  EXPECT_FALSE(v.inSlab(1.1));

  auto s = fixtureStructure();
  addAtom(s, "C1", 1, 1, 2, 7);
  v.extent = 30;
  EXPECT_NEAR(v.pickDistance(s, {model::AtomKind::Atom, 1}, 210.5, 130), 0, 1e-12);
  EXPECT_NEAR(v.pickDistance(s, {model::AtomKind::Atom, 1}, 210.5, 160), 3, 1e-12);
}

TEST(Zoom, ExtentFollowsTheZoomValue) {
  ViewState v;
  v.baseExtent = 10;
  v.setZoom(110);
  EXPECT_NEAR(v.extent, 10 / std::pow(1.06, 10), 1e-12);
  EXPECT_NEAR(v.extent / 10, 0.558, 1e-3);
  v.setZoom(100);
  EXPECT_EQ(v.extent, 10);
  v.setZoom(0);
  EXPECT_NEAR(v.extent / 10, 339.3, 0.1);
}

TEST(PictureSizes, FromTheExtent) {
  ViewState v;
  v.extent = 20;
  EXPECT_EQ(v.pictureSizes(20, 6), (PictureSizes{10, 4, 6, 14}));
  v.extent = 1e-6;
  EXPECT_EQ(v.pictureSizes(20, 6), (PictureSizes{255, 255, 255, 255}));
}

TEST(Extent, LargestDiameterOfWhatIsShown) {
  Scene t;
  testing::setCell(t.structure, 10, 10, 10, 90, 90, 90);
  addAtom(t.structure, "C1", 1, 0.5, 0.5, 0.5);
  addAtom(t.structure, "C2", 1, 0.5, 0.5, 0.6);    // centroid at z = 0.55: 0.5 Å from each
  addHydrogen(t.structure, "H1", 0.5, 0.5, 0.85);  // 3 Å
  addPeak(t.structure, 0.5, 0.5, 0.95);            // 4 Å
  geometry::computeCellOutline(t.structure, t.frame);
  t.view.zoom = 150;
  t.view.DetectMaxMin(t.structure, t.frame, false, false, false);
  EXPECT_NEAR(t.view.extent, 1.1, 1e-12);
  EXPECT_EQ(t.view.baseExtent, t.view.extent);
  EXPECT_EQ(t.view.zoom, 100);
  t.view.DetectMaxMin(t.structure, t.frame, true, false, false);
  EXPECT_NEAR(t.view.extent, 6.6, 1e-12);
  t.view.DetectMaxMin(t.structure, t.frame, true, true, false);
  EXPECT_NEAR(t.view.extent, 8.8, 1e-12);

  Scene single;  // one atom at its own centroid: E would be 0
  testing::setCell(single.structure, 10, 10, 10, 90, 90, 90);
  addAtom(single.structure, "C1", 1, 0.5, 0.5, 0.5);
  geometry::computeCellOutline(single.structure, single.frame);
  single.view.DetectMaxMin(single.structure, single.frame, true, true, false);
  EXPECT_NEAR(single.view.extent, 1.1 * 2 * std::sqrt(75.0), 1e-9) << "the cell box instead";
}

TEST(ControlRotation, TurnsByTheDifferenceOfSharedPositions) {
  Scene t;
  addAtom(t.structure, "C1", 1, 0, 1, 0);
  t.view.RotateX(t.scene(), 30);  // TrackBar1 0 -> 30
  EXPECT_NEAR(t.structure.view[1][1].y, std::cos(30 * degree), 1e-12);
  EXPECT_NEAR(t.structure.view[1][1].z, std::sin(30 * degree), 1e-12);
  EXPECT_EQ(t.view.delay, 7) << "Round(1 x 1.2 x (sqrt(0.5236) + 5))";
  t.view.SpinX(t.scene(), 30);  // SpinEdit2 to 30: the same position, no turn
  EXPECT_NEAR(t.structure.view[1][1].z, std::sin(30 * degree), 1e-12);
  t.view.SpinX(t.scene(), 40);
  EXPECT_NEAR(t.structure.view[1][1].y, std::cos(40 * degree), 1e-12);
  EXPECT_NEAR(t.structure.view[1][1].z, std::sin(40 * degree), 1e-12);
  EXPECT_EQ(t.view.rotationTrackX, 30);
  EXPECT_EQ(t.view.rotationSpinX, 40);
  EXPECT_EQ(t.redraws, 3);
  EXPECT_EQ(t.clock.pausedMilliseconds, 7 + 6 + 7) << "30, 0 and 10 degrees";

  t.view.SpinZ(t.scene(), 90);  // SpinEdit4 uses its own delay parameters
  EXPECT_NEAR(t.structure.view[1][1].x, -std::cos(40 * degree), 1e-12);
  EXPECT_EQ(t.view.delay, redrawDelay(1, 90 * degree, 0.8, 1.6));
}

TEST(ControlShift, TrackBarAndSpinEditShareTheirPosition) {
  Scene t;
  addAtom(t.structure, "C1", 1, 0, 0, 0);
  t.view.extent = 20;
  t.view.ShiftTrack(t.scene(), Axis::X, 10);  // TrackBar4: 10 hundredths of 20 Å
  EXPECT_NEAR(t.structure.view[1][1].x, 2, 1e-12);
  EXPECT_NEAR(t.frame.viewSlots[9].x, 2, 1e-12);
  EXPECT_EQ(t.frame.viewSlots[0], (Vec3{})) << "the view origin never moves";
  t.view.ShiftSpin(t.scene(), Axis::X, 10);  // SpinEdit8 at the same position
  EXPECT_NEAR(t.structure.view[1][1].x, 2, 1e-12);
  t.view.ShiftSpin(t.scene(), Axis::X, 30);  // 20 steps of 20 x 100 / 40000 Å
  EXPECT_NEAR(t.structure.view[1][1].x, 3, 1e-12);
  EXPECT_EQ(t.redraws, 3);
  EXPECT_EQ(t.view.delay, redrawDelay(1, 5, 0.8, 1.0));
}

TEST(Delay, GrowsWithTheSquareRootOfTheEntries) {
  EXPECT_EQ(redrawDelay(100, 10, 0.8, 1.0), 78);
  EXPECT_EQ(redrawDelay(0, 10, 0.8, 1.0), 0);
}

TEST(Gestures, LeftDragRotatesAboutXOrAnInPlaneAxis) {
  Scene t;
  for (int i = 0; i < 100; ++i)
    addAtom(t.structure, "C", 1, 0, 0, 0);
  t.structure.view[1][1] = {1, 0, 0};
  t.structure.view[1][2] = {0, 1, 0};
  const double nPrime = std::sqrt(100.0);
  t.view.mouseDown(MouseButton::Left, Gesture::Rotate, 100, 100);
  t.view.mouseMove(t.scene(), 100, 110, 500, 24);  // straight down: about X
  const double theta = nPrime * (10 * degree * 10 / 24) / 7;
  EXPECT_NEAR(t.structure.view[1][1].x, 1, 1e-12);
  EXPECT_NEAR(t.structure.view[1][2].y, std::cos(theta), 1e-12);
  EXPECT_NEAR(t.structure.view[1][2].z, std::sin(theta), 1e-12);
  EXPECT_EQ(t.clock.pausedMilliseconds, 78);

  t.view.mouseMove(t.scene(), 110, 110, 500, 24);  // across: about the pane's y axis
  const double psi = 10 * degree * 10 / 24 * nPrime / 7;
  EXPECT_NEAR(t.structure.view[1][1].x, std::cos(psi), 1e-12);
  EXPECT_NEAR(t.structure.view[1][1].z, -std::sin(psi), 1e-12);
  EXPECT_EQ(t.view.lastMouseX, 110);
  EXPECT_EQ(t.redraws, 2);
  t.view.mouseUp();
  t.view.mouseMove(t.scene(), 200, 200, 500, 24);
  EXPECT_EQ(t.redraws, 2) << "no drag, no motion";
}

TEST(Gestures, RightDragRotatesAboutZ) {
  Scene t;
  addAtom(t.structure, "C1", 1, 1, 0, 0);
  t.view.mouseDown(MouseButton::Right, Gesture::Rotate, 0, 0);
  t.view.mouseMove(t.scene(), 12, 3, 500, 10);
  const double theta = std::sqrt(20.0) * (12 / -degreesPerRadian) * 10 / 10 / 7;
  EXPECT_NEAR(t.structure.view[1][1].x, std::cos(theta), 1e-12);
  EXPECT_NEAR(t.structure.view[1][1].y, std::sin(theta), 1e-12);
}

TEST(Gestures, ShiftZoomAndDepthMoveTheirTrackBars) {
  Scene t;
  addAtom(t.structure, "C1", 1, 0, 0, 0);
  t.view.extent = t.view.baseExtent = 20;
  t.view.mouseDown(MouseButton::Left, Gesture::Shift, 0, 0);
  t.view.mouseMove(t.scene(), 50, -50, 500, 24);
  EXPECT_EQ(t.view.shiftTrackX, 13) << "Round(50 x 0.63 x 200 / 500)";
  EXPECT_EQ(t.view.shiftTrackY, 13);
  EXPECT_NEAR(t.structure.view[1][1].x, 13 * 20 / 100.0, 1e-12);
  EXPECT_NEAR(t.structure.view[1][1].y, 13 * 20 / 100.0, 1e-12);
  EXPECT_EQ(t.redraws, 1) << "one redraw after both shifts";
  EXPECT_EQ(t.clock.pausedMilliseconds, 0) << "no pause during a gesture";
  t.view.mouseUp();

  t.view.mouseDown(MouseButton::Left, Gesture::Zoom, 0, 0);
  t.view.mouseMove(t.scene(), 50, 10, 500, 24);
  EXPECT_EQ(t.view.zoom, 130);
  EXPECT_NEAR(t.view.extent, 20 / std::pow(1.06, 30), 1e-12);
  t.view.mouseMove(t.scene(), 50, 1000, 500, 24);
  EXPECT_EQ(t.view.zoom, 0) << "the track bar stops at 0";
  t.view.mouseUp();

  t.view.slab = 10;
  t.view.mouseDown(MouseButton::Right, Gesture::Zoom, 0, 0);
  t.view.mouseMove(t.scene(), 0, -50, 500, 24);
  EXPECT_EQ(t.view.slab, 25) << "10 + Round(-50 x -1.5 x 100 / 500)";
  t.view.mouseDown(MouseButton::Right, Gesture::Shift, 0, 0);
  t.view.mouseMove(t.scene(), 0, 100, 500, 24);
  EXPECT_EQ(t.view.shiftTrackZ, -25);
}

TEST(Rotation, AdjustModeKeepsSelectedAtomsButNotPeaks) {
  Scene t;
  addAtom(t.structure, "C1", 1, 0, 1, 0);
  addAtom(t.structure, "C2", 1, 0, 1, 0);
  addHydrogen(t.structure, "H1", 0, 1, 0);
  addPeak(t.structure, 0, 1, 0);
  t.structure.selected[1][1] = 1;
  t.structure.selected[2][1] = 1;
  t.structure.selected[3][1] = 1;
  t.view.stepAngle = 90 * degree;
  t.view.rotateAboutX(t.scene(/*adjust=*/true));
  EXPECT_EQ(t.structure.view[1][1], (Vec3{0, 1, 0}));
  EXPECT_NEAR(t.structure.view[1][2].z, 1, 1e-12);
  EXPECT_EQ(t.structure.view[2][1], (Vec3{0, 1, 0}));
  EXPECT_NEAR(t.structure.view[3][1].z, 1, 1e-12);
}

TEST(Rotation, ViewToFractionalHoldsAfterAnySequenceOfMotions) {
  Scene t;
  testing::setCell(t.structure, 7.1, 9.3, 11.7, 82, 101, 117);
  addAtom(t.structure, "C1", 1, 0.12, -0.34, 0.56);
  addHydrogen(t.structure, "H1", 1.2, 0.3, 0.1);
  addPeak(t.structure, -0.4, 0.25, 0.9);
  geometry::computeCellOutline(t.structure, t.frame);
  t.view.InitGraphics(600, 400);
  t.view.DetectMaxMin(t.structure, t.frame, true, true, false);
  t.view.RotateX(t.scene(), 37);
  t.view.SpinY(t.scene(), -120);
  t.view.RotateZ(t.scene(), 15);
  t.view.ShiftTrack(t.scene(), Axis::Y, 44);
  t.view.mouseDown(MouseButton::Left, Gesture::Rotate, 10, 10);
  t.view.mouseMove(t.scene(), 47, -13, 600, 24);
  t.view.stepAngle = 0.3;
  t.view.turnForStereoPair(t.structure, t.frame, false);
  const auto check = [&](model::AtomKind kind, double x, double y, double z) {
    const geometry::Fractional f =
        geometry::fractionalOfViewPosition(t.frame, t.structure.viewOf({kind, 1}));
    EXPECT_NEAR(f.x, x, 1e-10);
    EXPECT_NEAR(f.y, y, 1e-10);
    EXPECT_NEAR(f.z, z, 1e-10);
  };
  check(model::AtomKind::Atom, 0.12, -0.34, 0.56);
  check(model::AtomKind::Hydrogen, 1.2, 0.3, 0.1);
  check(model::AtomKind::Peak, -0.4, 0.25, 0.9);
}

TEST(InitGraphics, ResetsControlsSlabAndPane) {
  ViewState v;
  v.prevRotX = 30;
  v.rotationSpinY = 5;
  v.shiftTrackZ = 7;
  v.prevShiftY = 3;
  v.slab = 55;
  v.InitGraphics(801, 600);
  EXPECT_EQ(v.prevRotX, 0);
  EXPECT_EQ(v.rotationSpinY, 0);
  EXPECT_EQ(v.shiftTrackZ, 0);
  EXPECT_EQ(v.prevShiftY, 0);
  EXPECT_EQ(v.slab, 10);
  EXPECT_EQ(v.paneGeometry(), (PaneGeometry{801, 600, 600}));
  EXPECT_EQ(v.lastMouseX, 400);
  EXPECT_EQ(v.lastMouseY, 300);
}

TEST(Stereo, PanesMeetAtTheCentreAndSizesHalveAndDouble) {
  const StereoLayout layout = stereoLayout({10, 20, 801, 600}, 280);
  EXPECT_EQ(layout.left, (PaneRect{130, 20, 280, 600}));
  EXPECT_EQ(layout.right, (PaneRect{410, 20, 280, 600}));
  EXPECT_EQ(stereoOnSize(5, 1), 2) << "2.5 rounds to even";
  EXPECT_EQ(stereoOnSize(1, 1), 1) << "not below the minimum";
  EXPECT_EQ(stereoOffSize(2), 4);
}

}  // namespace
}  // namespace tavo::view
