// Scenarios of the main window's view controls and the 'Bonds/Peaks Thresholds' panel: each
// setter clamps to its control's range and runs its part of the redraw chain.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

#include "text/text.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::PeakThresholdDigit;

/// The peak labels of the last picture (peak labels are bare numbers).
std::set<std::string> drawnPeakLabels(const RecordingCanvas& canvas) {
  std::set<std::string> labels;
  for (const std::string& text : canvas.writtenTexts()) {
    if (!text.empty() && std::all_of(text.begin(), text.end(),
                                     [](unsigned char c) { return std::isdigit(c) != 0; })) {
      labels.insert(text);
    }
  }
  return labels;
}

struct PeakThresholdCase {
  int tens, units, tenths, hundredths;
  const char* text;
  size_t drawn;  // peaks higher than the threshold
  const char* why;
};

/// Sets each threshold of `cases` digit by digit and counts the peaks drawn.
void checkPeakThresholds(workbench::Workbench& bench, RecordingCanvas& canvas,
                         const RecordingListener& listener,
                         const std::vector<PeakThresholdCase>& cases) {
  int pictures = listener.pictures;
  for (const PeakThresholdCase& c : cases) {
    SCOPED_TRACE(c.why);
    bench.run([&] { bench.viewCommands().setPeakThreshold(PeakThresholdDigit::Tens, c.tens); });
    bench.run([&] { bench.viewCommands().setPeakThreshold(PeakThresholdDigit::Units, c.units); });
    bench.run([&] { bench.viewCommands().setPeakThreshold(PeakThresholdDigit::Tenths, c.tenths); });
    canvas.calls.clear();
    bench.run([&] {
      bench.viewCommands().setPeakThreshold(PeakThresholdDigit::Hundredths, c.hundredths);
    });
    EXPECT_EQ(bench.controls().peakThresholdText, c.text);
    EXPECT_EQ(drawnPeakLabels(canvas).size(), c.drawn);
    EXPECT_EQ(listener.pictures, pictures + 4) << "every digit redraws";
    pictures = listener.pictures;
  }
  // The threshold decides what is drawn, never which contacts exist.
  EXPECT_GT(bench.structure().bonds.count(3), 0);
}

TEST_F(WorkbenchScenario, PeakThresholdHidesPeaksUpToItAndShowsItsValueInEdit8) {
  TAVO_OPEN_PARABEN();
  EXPECT_EQ(bench->controls().peakThresholdText, "0.0");
  EXPECT_EQ(drawnPeakLabels(canvas).size(), 10u);
  // Heights 0.24, 0.23, 0.22, 0.21, 0.19, 0.18, 0.17, 0.15, 0.14, 0.13.
  checkPeakThresholds(*bench, canvas, listener,
                      {
                          {0, 0, 2, 1, "0.21", 3, "Q4 is exactly 0.21: not drawn"},
                          {0, 0, 2, 0, "0.2", 4, "shortest text; Q4 at 0.21 is drawn"},
                          {0, 0, 2, 4, "0.24", 0, "the highest peak equals the threshold"},
                          {0, 0, 1, 3, "0.13", 9, "the lowest peak equals it"},
                          {0, 0, 0, 0, "0", 10, "all back"},
                          {1, 2, 0, 5, "12.05", 0, "tens and units"},
                      });
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(WorkbenchScenario, PeakThresholdOnAlanineWithItsEqualHeights) {
  TAVO_OPEN_ALANINE_OR_SKIP();
  EXPECT_EQ(drawnPeakLabels(canvas).size(), 20u);
  // Heights 0.53 .. 0.19.
  checkPeakThresholds(*bench, canvas, listener,
                      {
                          {0, 0, 2, 6, "0.26", 9, "Q10 and Q11 are exactly 0.26: not drawn"},
                          {0, 0, 3, 0, "0.3", 7, "shortest text; Q7 at 0.31 is still drawn"},
                          {0, 0, 5, 3, "0.53", 0, "the highest peak equals the threshold"},
                          {0, 0, 1, 9, "0.19", 18, "the two lowest peaks equal it"},
                          {0, 0, 0, 0, "0", 20, "all back"},
                          {1, 2, 0, 5, "12.05", 0, "tens and units"},
                      });
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(WorkbenchScenario, PeakThresholdDigitsAreClampedToTheirSpinEdits) {
  bench->run([&] { bench->viewCommands().setPeakThreshold(PeakThresholdDigit::Tens, 250); });
  bench->run([&] { bench->viewCommands().setPeakThreshold(PeakThresholdDigit::Units, -3); });
  bench->run([&] { bench->viewCommands().setPeakThreshold(PeakThresholdDigit::Tenths, 12); });
  bench->run([&] { bench->viewCommands().setPeakThreshold(PeakThresholdDigit::Hundredths, 9); });
  EXPECT_EQ(bench->controls().peakThresholdText, "1000.99");
  EXPECT_EQ(listener.pictures, 0) << "nothing is drawn before a structure is loaded";
}

TEST_F(WorkbenchScenario, BondFactorsRedetectAndRedraw) {
  TAVO_OPEN_PARABEN();
  const model::BondList before = bench->structure().bonds;
  ASSERT_GT(before.count(1), 0);
  ASSERT_GT(before.count(2), 0);
  ASSERT_GT(before.count(3), 0);

  int pictures = listener.pictures;
  bench->run(
      [&] { bench->viewCommands().setBondThreshold(1); });  // 0.1·(r1 + r2): nothing is that close
  EXPECT_EQ(bench->structure().bonds.count(1), 0);
  EXPECT_EQ(bench->structure().bonds.count(2), 0);
  EXPECT_EQ(bench->structure().bonds.count(3), before.count(3)) << "peaks use their own factor";
  EXPECT_EQ(listener.pictures, pictures + 1);

  bench->run([&] { bench->viewCommands().setPeakBondThreshold(1); });
  EXPECT_EQ(bench->structure().bonds.count(3), 0);
  EXPECT_EQ(bench->structure().bonds.count(4), 0);

  bench->run([&] {
    bench->viewCommands().setBondThreshold(99);
  });  // clamped to 20: twice the radius sum bonds far more
  EXPECT_EQ(bench->controls().bondThreshold, 20);
  EXPECT_GT(bench->structure().bonds.count(1), before.count(1));

  bench->run([&] { bench->viewCommands().setBondThreshold(11); });
  bench->run([&] { bench->viewCommands().setPeakBondThreshold(11); });
  EXPECT_EQ(bench->structure().bonds.count(1), before.count(1));
  EXPECT_EQ(bench->structure().bonds.count(3), before.count(3));
  EXPECT_EQ(bench->structure().bonds.count(4), before.count(4));
}

TEST_F(WorkbenchScenario, LabelSizeSetsTheLabelFontAndRedraws) {
  TAVO_OPEN_PARABEN();
  const double extent = bench->viewState().extent;
  struct Case {
    int asked, kept;
  };
  for (const Case c : {Case{12, 12}, Case{0, 1}, Case{80, 50}}) {
    SCOPED_TRACE(c.asked);
    canvas.calls.clear();
    const int pictures = listener.pictures;
    bench->run([&] { bench->viewCommands().setLabelSize(c.asked); });
    EXPECT_EQ(bench->controls().labelSize, c.kept);
    EXPECT_EQ(listener.pictures, pictures + 1);
    const DrawCall* label = canvas.findText("C1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font.size, text::roundHalfEven(c.kept / 5.0 * 36 / std::sqrt(extent)));
  }
}

/// The view x of atom 1.
double viewX(const workbench::Workbench& bench) {
  return bench.structure().viewOf({model::AtomKind::Atom, 1}).x;
}

TEST_F(WorkbenchScenario, ShiftTrackBarsMoveInHundredthsOfTheExtentAndShareTheSpinsPosition) {
  TAVO_OPEN_PARABEN();
  const double e = bench->viewState().extent;
  const double x0 = viewX(*bench);
  const int pictures = listener.pictures;

  bench->run([&] { bench->viewCommands().setShiftTrack(1, 50); });  // TrackBar4: 50 hundredths of E
  EXPECT_NEAR(viewX(*bench) - x0, e / 2, 1e-9);
  EXPECT_EQ(bench->controls().shiftTrackX, 50);
  EXPECT_EQ(listener.pictures, pictures + 1);

  // SpinEdit8 continues from the track bar's position: (100 − 50)·E·100/40000.
  bench->run([&] { bench->viewCommands().setShift(1, 100); });
  EXPECT_NEAR(viewX(*bench) - x0, e / 2 + e / 8, 1e-9);

  bench->run(
      [&] { bench->viewCommands().setShiftTrack(1, 500); });  // clamped to 200: (200 − 100)·E/100
  EXPECT_EQ(bench->controls().shiftTrackX, 200);
  EXPECT_NEAR(viewX(*bench) - x0, e / 2 + e / 8 + e, 1e-9);

  const double y0 = bench->structure().viewOf({model::AtomKind::Atom, 1}).y;
  const double z0 = bench->structure().viewOf({model::AtomKind::Atom, 1}).z;
  bench->run([&] { bench->viewCommands().setShiftTrack(2, -10); });
  bench->run([&] { bench->viewCommands().setShiftTrack(3, 20); });
  EXPECT_NEAR(bench->structure().viewOf({model::AtomKind::Atom, 1}).y - y0, -e / 10, 1e-9);
  EXPECT_NEAR(bench->structure().viewOf({model::AtomKind::Atom, 1}).z - z0, e / 5, 1e-9);
  EXPECT_EQ(bench->controls().shiftTrackY, -10);
  EXPECT_EQ(bench->controls().shiftTrackZ, 20);

  bench->run(
      [&] { bench->viewCommands().initGraph(); });  // every reset puts the track bars back to 0
  EXPECT_EQ(bench->controls().shiftTrackX, 0);
  EXPECT_EQ(bench->controls().shiftTrackZ, 0);
}

TEST_F(WorkbenchScenario, RotationTrackBarAndSpinEditShareOnePosition) {
  TAVO_OPEN_PARABEN();
  const model::Vec3 start = bench->structure().viewOf({model::AtomKind::Atom, 1});
  const auto angleAboutX = [&] {
    const model::Vec3& now = bench->structure().viewOf({model::AtomKind::Atom, 1});
    // Within ±π: the two angles may lie either side of the wrap of atan2.
    return std::remainder(std::atan2(now.z, now.y) - std::atan2(start.z, start.y), 2 * M_PI);
  };
  bench->run([&] { bench->viewCommands().setRotationTrack(1, 30); });  // TrackBar1
  EXPECT_NEAR(angleAboutX(), 30 / view::degreesPerRadian, 1e-9);
  EXPECT_EQ(bench->controls().rotationTrackX, 30);
  EXPECT_EQ(bench->controls().rotationX, 0) << "the spin edit keeps its own value";
  bench->run([&] {
    bench->viewCommands().setRotation(1, 30);
  });  // SpinEdit2 at the shared position: no turn
  EXPECT_NEAR(angleAboutX(), 30 / view::degreesPerRadian, 1e-9);
  bench->run([&] { bench->viewCommands().setRotation(1, 40); });
  EXPECT_NEAR(angleAboutX(), 40 / view::degreesPerRadian, 1e-9);
  bench->run([&] { bench->viewCommands().setRotationTrack(1, 400); });  // clamped to 180
  EXPECT_EQ(bench->controls().rotationTrackX, 180);
}

TEST_F(WorkbenchScenario, ZoomTrackBarHasItsOwnRangeAndMirrorsTheSpinEdit) {
  TAVO_OPEN_PARABEN();
  const double e0 = bench->viewState().baseExtent;
  bench->run([&] { bench->viewCommands().setZoomTrack(110); });  // TrackBar7
  EXPECT_EQ(bench->controls().zoom, 110);
  EXPECT_NEAR(bench->viewState().extent, e0 / std::pow(1.06, 10), 1e-9 * e0);
  bench->run([&] { bench->viewCommands().setZoomTrack(250); });  // TrackBar7 ends at 200
  EXPECT_EQ(bench->controls().zoom, 200);
  bench->run([&] { bench->viewCommands().setZoom(250); });  // SpinEdit1 goes on to 300
  EXPECT_EQ(bench->controls().zoom, 250);
  bench->run([&] { bench->viewCommands().setZoom(400); });
  EXPECT_EQ(bench->controls().zoom, 300);

  bench->run([&] { bench->viewCommands().setSlab(0); });  // TrackBar8 and SpinEdit11 share 1..100
  EXPECT_EQ(bench->controls().slab, 1);
  bench->run([&] { bench->viewCommands().setSlab(101); });
  EXPECT_EQ(bench->controls().slab, 100);
}

TEST_F(WorkbenchScenario, ElementNumberRangesOverTheLoadedFilesElements) {
  EXPECT_EQ(bench->controls().elementSymbol, "Atm");
  TAVO_OPEN_PARABEN();  // SFAC C H O
  EXPECT_EQ(bench->controls().elementNumberMax, 3);
  EXPECT_EQ(bench->controls().elementSymbol, "C");
  bench->run([&] { bench->modeCommands().setElementNumber(3); });
  EXPECT_EQ(bench->controls().elementNumber, 3);
  EXPECT_EQ(bench->controls().elementSymbol, "O");
  bench->run([&] { bench->modeCommands().setElementNumber(9); });
  EXPECT_EQ(bench->controls().elementNumber, 3);
}

}  // namespace
}  // namespace tavo::testing
