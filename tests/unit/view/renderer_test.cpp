// The molecule pictures through the recording canvas: layer order, colours, sizes and labels.
#include "view/renderer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/recording_canvas.h"
#include "view/ellipse_picture.h"

namespace tavo::view {
namespace {

using model::AtomKind;
using model::AtomRef;
using testing::DrawCall;
using testing::RecordingCanvas;
using testing::Shape;

// Distinct colours per setting so that every call shows which setting it used.
GraphicsSettings distinctSettings() {
  GraphicsSettings s;
  s.backgroundColor = 1;
  s.nonHBondColor = 2;
  s.hStickColor = 3;
  s.peakBondColor = 4;
  s.nonHLabelColor = 5;
  s.hLabelColor = 6;
  s.peakLabelColor = 7;
  s.selection1Color = 8;
  s.selection2Color = 9;
  s.cellBoxColor = 10;
  s.distanceColor = 11;
  s.nonHBondWidth = 2;
  s.nonHBallSize = 20;
  s.hStickWidth = 3;
  s.peakDotWidth = 4;
  s.selectionWidth = 5;
  s.cellLineWidth = 6;
  return s;
}

// 400 x 300 pane, S = 300, E = 20 Å: 15 pixels per Å, origin at (200, 150).
ViewState testView() {
  ViewState v;
  v.setPaneGeometry({400, 300, 300});
  v.extent = 20;
  v.slab = 10;
  return v;
}

// C1 (isotropic) and O2 (anisotropic) bonded, H1A on C1, peaks Q1 (1.2) and Q2 (0.4).
struct Fixture {
  model::StructureModel s;
  geometry::ViewFrame frame;
  Fixture() {
    s.limits.atmMax = 40;
    s.limits.expMax = 40;
    s.allocate();
    s.elementCount = 2;
    s.elements[1] = {"C", 0, 12, 0.77, 100};
    s.elements[2] = {"O", 0, 16, 0.66, 200};
    s.elements[3] = {"H", 0, 1, 0.3, 300};
    addAtom("C1", 1, 0, {0, 0, 0});
    addAtom("O2", 2, 1, {1, 0, 0});
    s.nonHCount = s.workingAtomCount = 2;
    s.hydrogens[1].label = "H1A";
    s.hydrogens[1].sfac = 3;
    s.view[2][1] = {0, 1, 0};
    s.hCount = s.workingHCount = 1;
    s.peaks[1].height = 1.2;
    s.peaks[2].height = 0.4;
    s.view[3][1] = {2, 0, 0};
    s.view[3][2] = {0, -2, 0};
    s.peakCount = s.workingPeakCount = 2;
    s.bonds.kinds[1] = {{1, 2}};
    s.bonds.kinds[2] = {{1, 1}};
    s.bonds.kinds[3] = {{1, 2}, {2, 1}};
    s.bonds.kinds[4] = {{1, 2}};
  }
  void addAtom(const char* label, int sfac, int aniso, model::Vec3 at) {
    const int i = ++s.workingAtomCount;
    s.atoms[i].label = label;
    s.atoms[i].sfac = sfac;
    s.atoms[i].aniso = aniso;
    s.view[1][static_cast<size_t>(i)] = at;
  }
};

std::string colorText(int c) {
  return std::to_string(c);
}

// One line per call with the attributes that matter for its shape.
std::string describe(const DrawCall& c) {
  std::ostringstream out;
  switch (c.shape) {
    case Shape::Rectangle:
      out << "rect " << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2 << " pen=" << c.pen.color
          << " brush=" << c.brush.color;
      break;
    case Shape::Ellipse:
      out << "ellipse " << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2
          << " pen=" << c.pen.color << "/" << c.pen.width
          << " brush=" << (c.brush.style == BrushStyle::Clear ? "clear" : colorText(c.brush.color));
      break;
    case Shape::Line:
      out << "line " << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2 << " pen=" << c.pen.color
          << "/" << c.pen.width << (c.pen.style == PenStyle::Dotted ? " dotted" : "");
      break;
    case Shape::Text:
      out << "text '" << c.text << "' " << c.x1 << "," << c.y1 << " font=" << c.font.color << "/"
          << c.font.size
          << " brush=" << (c.brush.style == BrushStyle::Clear ? "clear" : colorText(c.brush.color));
      break;
    case Shape::Show:
      out << "show";
      break;
    case Shape::Polygon:
    case Shape::Polyline:
      out << (c.shape == Shape::Polygon ? "polygon " : "polyline ") << c.points.size()
          << " pen=" << c.pen.color;
      break;
  }
  return out.str();
}

std::vector<std::string> describeAll(const RecordingCanvas& canvas) {
  std::vector<std::string> result;
  for (const DrawCall& c : canvas.calls)
    result.push_back(describe(c));
  return result;
}

TEST(PictureSizes, RoundedHalfToEvenInEightBits) {
  EXPECT_EQ(roundedSize(300), 255);
  EXPECT_EQ(roundedSize(-1), 0);
  EXPECT_EQ(roundedSize(2.5), 2) << "half to even";
  EXPECT_EQ(roundedSize(3.5), 4);
}

TEST(PeakLabels, NumberInTheFileAndCopyNumber) {
  struct Case {
    int index, peakCount;
    const char* label;
  };
  const Case cases[] = {{3, 10, "3"},     {13, 10, "3*1"}, {23, 10, "3*2"}, {10, 10, "10"},
                        {20, 10, "10*1"}, {1, 1, "1"},     {2, 1, "1*1"}};
  for (const Case& c : cases)
    EXPECT_EQ(peakLabel(c.index, c.peakCount), c.label) << c.index;
  EXPECT_EQ(drawnLabel("C12", 2, PictureMode::Part), "C12<2");
  EXPECT_EQ(drawnLabel("C12", 2, PictureMode::None), "C12");
}

TEST(PeakVisibility, HeightMustExceedTheThreshold) {
  Fixture f;
  f.s.peaks[1].height = 1.5;
  f.s.peaks[2].height = 1.51;
  EXPECT_FALSE(peakVisible(f.s, 1, 1.5));
  EXPECT_TRUE(peakVisible(f.s, 2, 1.5));
  f.s.workingPeakCount = 4;
  EXPECT_FALSE(peakVisible(f.s, 3, 1.5)) << "a copy follows its file peak";
  EXPECT_TRUE(peakVisible(f.s, 4, 1.5));
}

TEST(StandardPicture, LayersInOrderWithTheirColours) {
  Fixture f;
  RecordingCanvas canvas;
  RenderOptions options;
  options.peakThreshold = 0.5;  // Q2 (0.4) hidden with its contacts
  Renderer renderer;
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  const std::vector<std::string> expected = {
      "rect -3,-3,403,303 pen=2 brush=1",
      "text '1' 236,144 font=7/10 brush=1",   // peak label at (X + d, Y - d)
      "text 'C1' 206,144 font=5/10 brush=1",  // non-H labels, opaque
      "text 'O2' 221,144 font=5/10 brush=1",
      "line 230,150-215,150 pen=4/4 dotted",          // Q1-O2 contact; Q2's are hidden
      "line 200,135-200,150 pen=3/3",                 // H bond
      "line 200,150-215,150 pen=2/2",                 // non-H bond
      "ellipse 227,147,233,153 pen=4/4 brush=1",      // peak dot, radius Round(0.7 r) = 3
      "ellipse 196,146,204,154 pen=100/2 brush=1",    // isotropic C1 hollow
      "ellipse 211,146,219,154 pen=200/2 brush=200",  // anisotropic O2 solid
      "show",
  };
  EXPECT_EQ(describeAll(canvas), expected);
}

TEST(StandardPicture, HLabelsSpotsCellAndSelection) {
  Fixture f;
  RecordingCanvas canvas;
  RenderOptions options;
  options.hideHLabels = false;
  options.viewHs = true;
  options.showPeaks = false;
  options.showCell = true;
  options.labelAxes = true;
  const AtomRef selection[] = {{AtomKind::Atom, 1}, {AtomKind::Hydrogen, 1}};
  options.selection = selection;
  for (size_t k = 1; k <= 8; ++k)
    f.frame.viewSlots[k] = {double(k), 0, 0};
  Renderer renderer;
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  const auto all = describeAll(canvas);
  const auto at = [&](const std::string& s) {
    return std::find(all.begin(), all.end(), s) - all.begin();
  };
  const std::string count = "text 'NSelect=2' 100,0 font=0/10 brush=1";
  const std::string spot = "ellipse 198,133,202,137 pen=16711680/2 brush=1";  // d div 3 = 2
  const std::string hRing = "ellipse 194,129,206,141 pen=8/5 brush=1";
  const std::string atomRing = "ellipse 194,144,206,156 pen=8/5 brush=1";
  const std::string axisA = "text 'A' 236,150 font=10/14 brush=1";
  const std::string hLabel = "text 'H1A' 206,129 font=6/10 brush=clear";
  for (const auto& s : {count, spot, hRing, atomRing, axisA, hLabel}) {
    EXPECT_LT(at(s), static_cast<long>(all.size())) << "missing: " << s;
  }
  EXPECT_LT(at(count), at(spot));
  EXPECT_LT(at(spot), at(hRing));
  EXPECT_LT(at(hRing), at(axisA)) << "label layer before the cell box";
  EXPECT_LT(at(axisA), at(atomRing));
  EXPECT_EQ(at(hLabel), static_cast<long>(all.size()) - 2) << "H labels last, then show";
  EXPECT_EQ(canvas.of(Shape::Line).size(), 1u + 12u + 1u) << "H bond, 12 cell edges, non-H bond";
  EXPECT_EQ(f.s.selected[1][1], 1) << "the Selection's flags are set first";
}

TEST(StandardPicture, MarkersCopiesAndPartLabels) {
  Fixture f;
  f.s.atoms[1].aniso = -1;            // ANIS requested: solid with a plus of thin ellipses
  f.s.atoms[2].afixGroup = -1;        // HFIX requested: a cross
  f.addAtom("C1", 1, 0, {0, -1, 0});  // a generated copy of an isotropic atom
  f.s.atoms[1].part = 2;
  RecordingCanvas canvas;
  RenderOptions options;
  options.showPeaks = false;
  options.showHs = false;
  options.mode = PictureMode::Part;
  Renderer renderer;
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  const auto all = describeAll(canvas);
  const std::vector<std::string> atoms(all.end() - 9, all.end() - 1);
  const std::vector<std::string> expected = {
      "ellipse 196,146,204,154 pen=100/2 brush=100",  // C1 solid after ANIS
      "ellipse 195,149,205,151 pen=3/2 brush=100",    // a = Round(4.8) = 5, b = Round(0.8) = 1
      "ellipse 199,145,201,155 pen=3/2 brush=100",
      "ellipse 211,146,219,154 pen=200/2 brush=200",
      "line 207,142-223,158 pen=3/3",  // HFIX cross of 2r
      "line 207,158-223,142 pen=3/3",
      "ellipse 196,161,204,169 pen=100/2 brush=100",  // the copy is solid
  };
  EXPECT_EQ(std::vector<std::string>(atoms.begin() + 1, atoms.end()), expected);
  EXPECT_NE(canvas.findText("C1<2"), nullptr);
  EXPECT_NE(canvas.findText("O2<0"), nullptr);
}

TEST(StandardPicture, SlabHidesAtomsAndTheirBonds) {
  Fixture f;
  f.s.view[1][2].z = 5;  // |z| < E·D/20 = 10 with D = 10; D = 1 keeps only |z| < 1
  ViewState view = testView();
  view.slab = 1;
  RecordingCanvas canvas;
  RenderOptions options;
  Renderer renderer;
  renderer.DrawMolecule(f.s, f.frame, view, options, distinctSettings(), {&canvas});
  EXPECT_EQ(canvas.findText("O2"), nullptr);
  for (const DrawCall& c : canvas.of(Shape::Line))
    EXPECT_NE(c.pen.color, 2) << "no non-H bond";
}

TEST(Overlays, DistanceAngleAndDisplayedBond) {
  Fixture f;
  f.addAtom("C3", 1, 1, {1, 1, 0});
  const AtomRef two[] = {{AtomKind::Atom, 1}, {AtomKind::Atom, 2}};
  RenderOptions options;
  options.mode = PictureMode::Distance;
  options.selection = two;
  options.measuredDistance = 1.23456;
  options.displayBond = true;
  options.displayedBond[0] = {AtomKind::Atom, 1};
  options.displayedBond[1] = {AtomKind::Atom, 3};
  RecordingCanvas canvas;
  Renderer renderer;
  const PictureResult result =
      renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  const DrawCall* distance = canvas.findText("1.235");
  ASSERT_NE(distance, nullptr);
  EXPECT_EQ(distance->font.color, 11);
  EXPECT_EQ(distance->x1, 208 + 6) << "midpoint 7.5 pixels right of the centre rounds to 8";
  const DrawCall* bond = canvas.findText("1.414");
  ASSERT_NE(bond, nullptr);
  EXPECT_EQ(bond->font.color, pureBlue);
  EXPECT_TRUE(result.displayedBondDrawn);
  EXPECT_NEAR(result.displayedBondDistance, std::sqrt(2.0), 1e-12);

  const AtomRef four[] = {
      {AtomKind::Atom, 1}, {AtomKind::Atom, 2}, {AtomKind::Atom, 1}, {AtomKind::Atom, 3}};
  options.mode = PictureMode::AngV1V2;
  options.selection = four;
  options.displayBond = false;
  canvas.calls.clear();
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  const DrawCall* angle = canvas.findText("Vec1/Vec2 Angle = 45.000 (deg)");
  ASSERT_NE(angle, nullptr);
  EXPECT_EQ(angle->font.color, pureRed);
  EXPECT_NE(canvas.findText("Vector1"), nullptr);
  EXPECT_NE(canvas.findText("Vector2"), nullptr);

  // A vector between two coincident atoms has no direction: no angle, and never "nan".
  f.addAtom("C4", 1, 1, {1, 1, 0});  // on C3
  const AtomRef coincident[] = {
      {AtomKind::Atom, 1}, {AtomKind::Atom, 2}, {AtomKind::Atom, 3}, {AtomKind::Atom, 4}};
  options.selection = coincident;
  canvas.calls.clear();
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  const DrawCall* none = canvas.findText("Vec1/Vec2 Angle = ---");
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->font.color, pureRed);
  // One vector twice, whose cosine rounds to just above 1: 0, not "nan".
  f.addAtom("C5", 1, 1, {1, 1, 1});
  const AtomRef parallel[] = {
      {AtomKind::Atom, 1}, {AtomKind::Atom, 5}, {AtomKind::Atom, 1}, {AtomKind::Atom, 5}};
  options.selection = parallel;
  canvas.calls.clear();
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  EXPECT_NE(canvas.findText("Vec1/Vec2 Angle = 0.000 (deg)"), nullptr);

  options.mode = PictureMode::AlignVec;
  options.selection = two;
  options.alignAxis = 2;
  options.alignSense = 0;
  canvas.calls.clear();
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  EXPECT_NE(canvas.findText("Align to Y axis in the Negative direction"), nullptr);
  EXPECT_NE(canvas.findText("Origin"), nullptr);
}

TEST(StereoPair, TwoPanesOfTheSeparationWidthViewUnchanged) {
  Fixture f;
  const auto before = f.s.view;
  RecordingCanvas main, left, right;
  RenderOptions options;
  options.stereo = true;
  options.hideHLabels = false;
  Renderer renderer;
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(),
                        {&main, &left, &right});
  EXPECT_TRUE(main.calls.empty());
  ASSERT_FALSE(left.calls.empty());
  EXPECT_EQ(describe(left.calls.front()), "rect -3,-3,283,303 pen=2 brush=1");
  EXPECT_EQ(describe(right.calls.front()), "rect -3,-3,283,303 pen=2 brush=1");
  // 280 pixels across E: C1 at the centre (140, 150) in both, O2 turned by 5° in the right.
  const DrawCall* o2Left = left.findText("O2");
  const DrawCall* o2Right = right.findText("O2");
  ASSERT_TRUE(o2Left && o2Right);
  EXPECT_EQ(o2Left->x1, 140 + 14 + 6);
  EXPECT_EQ(o2Right->x1, 140 + 14 + 6) << "cos 5° keeps Round(13.95) = 14";
  // H labels inside the label layer on a clear brush, before the non-H labels.
  EXPECT_LT(left.indexOfText("H1A"), left.indexOfText("C1"));
  EXPECT_EQ(left.findText("C1")->brush.style, BrushStyle::Clear);
  EXPECT_EQ(f.s.view, before);
}

TEST(SadiPicture, PairsInSelectionColourWithoutCell) {
  Fixture f;
  f.addAtom("C3", 1, 1, {1, 1, 0});
  const AtomRef pairs[] = {{AtomKind::Atom, 1}, {AtomKind::Atom, 3}, {AtomKind::Atom, 2}};
  RenderOptions options;
  options.mode = PictureMode::Sadi;
  options.showCell = true;
  options.selection = pairs;
  RecordingCanvas canvas;
  Renderer renderer;
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  std::vector<std::string> selectionLines;
  for (const DrawCall& c : canvas.of(Shape::Line)) {
    if (c.pen.color == 8) selectionLines.push_back(describe(c));
    EXPECT_NE(c.pen.color, 10) << "no cell box";
  }
  EXPECT_EQ(selectionLines, std::vector<std::string>{"line 200,150-215,135 pen=8/2"});
}

TEST(EllipsePicture, SemiAxesFromTheChosenPair) {
  EXPECT_EQ(ellipseSemiAxis(0.04, 25, 20), 11);
  EXPECT_EQ(ellipseSemiAxis(0.01, 25, 20), 6);
  EXPECT_EQ(ellipseSemiAxis(0.09, 25, 20), 17);
  EXPECT_EQ(ellipseSemiAxis(0.05, 25, 20), 13);
  EXPECT_EQ(ellipseSemiAxis(-0.01, 25, 20), 6) << "non-positive-definite still drawn";

  Fixture f;
  f.s.atoms[1].u11 = 0.05;  // isotropic: a circle in Selection-1 colour
  f.s.atoms[2].u11 = 0.04;
  f.s.atoms[2].u22 = 0.01;
  f.s.atoms[2].u33 = 0.09;
  // A copy of O2 by an operator that swaps b and c: it carries its own, turned U.
  f.addAtom("O2*1", 2, 1, {0, 1, 0});
  f.s.atoms[3].u11 = 0.04;
  f.s.atoms[3].u22 = 0.09;
  f.s.atoms[3].u33 = 0.01;
  RenderOptions options;
  options.ellipse = true;
  options.ellipsePair = 2;
  RecordingCanvas canvas;
  Renderer renderer;
  renderer.DrawMolecule(f.s, f.frame, testView(), options, distinctSettings(), {&canvas});
  const std::vector<DrawCall> ellipses = canvas.of(Shape::Ellipse);
  ASSERT_EQ(ellipses.size(), 3u);
  EXPECT_EQ(describe(ellipses[0]), "ellipse 187,137,213,163 pen=8/1 brush=1");
  EXPECT_EQ(describe(ellipses[1]), "ellipse 209,133,221,167 pen=200/1 brush=1");
  EXPECT_EQ(describe(ellipses[2]), "ellipse 183,129,217,141 pen=200/1 brush=1")
      << "a copy is drawn with its own U";
  EXPECT_NE(canvas.findText("Image for U22 and U33"), nullptr);
  EXPECT_EQ(canvas.findText("C1")->x1, 200 - 6) << "labels up and to the left";
}

}  // namespace
}  // namespace tavo::view
