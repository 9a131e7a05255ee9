// The contour mesh of a map drawn over the structure: placed as atoms are, clipped by the slab.
#include <gtest/gtest.h>

#include <algorithm>

#include "geometry/cell_metrics.h"
#include "geometry/view_frame.h"
#include "support/recording_canvas.h"
#include "view/map_overlay.h"
#include "view/renderer.h"
#include "view/view_state.h"

namespace tavo::view {
namespace {

using geometry::Fractional;
using testing::DrawCall;
using testing::RecordingCanvas;
using testing::Shape;

constexpr Color cellColor = 10;
constexpr Color bondColor = 2;
constexpr Color carbonColor = 100;
constexpr Color oxygenColor = 200;

GraphicsSettings settings() {
  GraphicsSettings s;
  s.backgroundColor = 1;
  s.nonHBondColor = bondColor;
  s.cellBoxColor = cellColor;
  s.nonHBondWidth = 2;
  s.nonHBallSize = 20;
  return s;
}

// 400 x 300 pane, 15 pixels per Å; the slab keeps |z| < 10 Å.
ViewState testView() {
  ViewState v;
  v.setPaneGeometry({400, 300, 300});
  v.extent = 20;
  v.slab = 10;
  return v;
}

// A monoclinic cell with C1 and O2 at fractional points away from the cell at the origin, the view
// turned about two axes and shifted, so that a fractional point reaches the pane only through the
// whole frame.
struct Fixture {
  model::StructureModel s;
  geometry::ViewFrame frame;
  static constexpr Fractional c1{1.12, 0.23, -0.69};
  static constexpr Fractional o2{1.27, 0.08, -0.56};

  Fixture() {
    s.limits.atmMax = 10;
    s.limits.expMax = 10;
    s.allocate();
    s.elementCount = 2;
    s.elements[1] = {"C", 0, 12, 0.77, carbonColor};
    s.elements[2] = {"O", 0, 16, 0.66, oxygenColor};
    s.cell.a = 9;
    s.cell.b = 11;
    s.cell.c = 7;
    s.cell.alpha = s.cell.gamma = 90;
    s.cell.beta = 104;
    model::orthogonalise(s.cell);
    addAtom("C1", 1, c1);
    addAtom("O2", 2, o2);
    s.nonHCount = s.workingAtomCount = 2;
    geometry::computeCellOutline(s, frame);
    geometry::resetViewCoordinates(s, frame, false);
    rotateView(s, frame, Axis::X, 0.7, false);
    rotateView(s, frame, Axis::Y, -0.4, false);
    shiftView(s, frame, Axis::X, 1.5, false);
  }
  void addAtom(const char* label, int sfac, const Fractional& at) {
    const int i = s.workingAtomCount + 1;
    s.workingAtomCount = i;
    s.atoms[i].label = label;
    s.atoms[i].sfac = sfac;
    s.atoms[i].aniso = 1;  // drawn solid
    s.atoms[i].x = at.x;
    s.atoms[i].y = at.y;
    s.atoms[i].z = at.z;
  }
  std::vector<DrawCall> draw(const MapOverlay* map) {
    RenderOptions options;
    options.showLabels = false;
    options.showCell = true;
    options.map = map;
    RecordingCanvas canvas;
    Renderer renderer;
    renderer.DrawMolecule(s, frame, testView(), options, settings(), {&canvas});
    return canvas.calls;
  }
};

// The ball of the atom drawn in `color`.
const DrawCall& ballOf(const std::vector<DrawCall>& calls, Color color) {
  const auto it = std::find_if(calls.begin(), calls.end(), [&](const DrawCall& c) {
    return c.shape == Shape::Ellipse && c.pen.color == color;
  });
  EXPECT_NE(it, calls.end());
  return *it;
}

bool isMeshLine(const DrawCall& c) {
  return c.shape == Shape::Line &&
         (c.pen.color == mapPositiveColor || c.pen.color == mapNegativeColor);
}

TEST(MapOverlay, SegmentsJoinThePixelsOfAtomsAtTheirEndsInTheirColours) {
  Fixture f;
  MapOverlay map;
  map.positive = {{Fixture::c1, Fixture::o2}};
  map.negative = {{Fixture::o2, Fixture::c1}};
  const std::vector<DrawCall> calls = f.draw(&map);
  const DrawCall& carbon = ballOf(calls, carbonColor);
  const DrawCall& oxygen = ballOf(calls, oxygenColor);
  std::vector<DrawCall> mesh;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(mesh), isMeshLine);
  ASSERT_EQ(mesh.size(), 2u);
  EXPECT_EQ(mesh[0].pen, (Pen{mapPositiveColor, 1, PenStyle::Solid}));
  EXPECT_EQ(mesh[1].pen, (Pen{mapNegativeColor, 1, PenStyle::Solid}));
  EXPECT_EQ((Segment{mesh[0].x1, mesh[0].y1, mesh[0].x2, mesh[0].y2}),
            (Segment{carbon.centreX(), carbon.centreY(), oxygen.centreX(), oxygen.centreY()}));
  EXPECT_EQ((Segment{mesh[1].x1, mesh[1].y1, mesh[1].x2, mesh[1].y2}),
            (Segment{oxygen.centreX(), oxygen.centreY(), carbon.centreX(), carbon.centreY()}));

  // After the cell outline, before the bonds and atoms.
  const auto firstMesh = std::find_if(calls.begin(), calls.end(), isMeshLine) - calls.begin();
  const auto lastCell = std::find_if(calls.rbegin(), calls.rend(),
                                     [](const DrawCall& c) { return c.pen.color == cellColor; })
                            .base() -
                        calls.begin() - 1;
  const auto bond = std::find_if(calls.begin(), calls.end(),
                                 [](const DrawCall& c) {
                                   return c.shape == Shape::Line && c.pen.color == bondColor;
                                 }) -
                    calls.begin();
  EXPECT_LT(lastCell, firstMesh);
  EXPECT_LT(firstMesh, bond);
  EXPECT_LT(firstMesh, &carbon - calls.data());
}

TEST(MapOverlay, TheSlabHidesASegmentWithAnEndOutsideIt) {
  Fixture f;
  // 15 Å in front of the view plane, beyond the slab's 10 Å.
  const Fractional outside = geometry::fractionalOfViewPosition(f.frame, {0.5, -0.5, 15});
  MapOverlay map;
  map.positive = {{Fixture::c1, outside}, {Fixture::c1, Fixture::o2}};
  map.negative = {{outside, Fixture::o2}};
  const std::vector<DrawCall> calls = f.draw(&map);
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(), isMeshLine), 1);
}

TEST(MapOverlay, WithoutAMeshThePictureIsUnchanged) {
  Fixture f;
  const std::vector<DrawCall> plain = f.draw(nullptr);
  const MapOverlay empty;
  MapOverlay map;
  map.positive = {{Fixture::c1, Fixture::o2}};
  const auto describe = [](const std::vector<DrawCall>& calls) {
    std::vector<std::tuple<Shape, int, int, int, int, Pen>> result;
    for (const DrawCall& c : calls)
      if (!isMeshLine(c)) result.emplace_back(c.shape, c.x1, c.y1, c.x2, c.y2, c.pen);
    return result;
  };
  EXPECT_EQ(describe(f.draw(&empty)), describe(plain));
  EXPECT_EQ(f.draw(&empty).size(), plain.size());
  EXPECT_EQ(describe(f.draw(&map)), describe(plain)) << "the mesh adds its lines only";
}

}  // namespace
}  // namespace tavo::view
