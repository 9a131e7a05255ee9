// Scenarios of the stereo switch: the pair goes to the two stereo canvases, which the window
// places from the Workbench's pane geometry.
#include <algorithm>
#include <vector>

#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::DisplayFlag;

/// The view coordinates of every non-H atom.
std::vector<model::Vec3> atomViews(const model::StructureModel& s) {
  std::vector<model::Vec3> views;
  for (int i = 1; i <= s.nonHCount; ++i)
    views.push_back(s.viewOf({model::AtomKind::Atom, i}));
  return views;
}

/// The widest pen of the lines drawn: the non-H bonds ("nonH-Bond Width" 2 in graphics1.inf).
int bondWidth(const RecordingCanvas& canvas) {
  int widest = 0;
  for (const DrawCall& call : canvas.of(Shape::Line))
    widest = std::max(widest, call.pen.width);
  return widest;
}

class StereoScenario : public WorkbenchScenario {
 protected:
  RecordingCanvas left;
  RecordingCanvas right;

  void openWithStereoCanvases() {
    bench->setStereoCanvases(&left, &right);
    ASSERT_TRUE(openParaben()) << ::testing::PrintToString(dialogs.shown);
    dialogs.shown.clear();
  }
  void clearRecords() {
    canvas.calls.clear();
    left.calls.clear();
    right.calls.clear();
  }
};

#define OPEN_WITH_STEREO_CANVASES() \
  do {                              \
    openWithStereoCanvases();       \
  } while (false)

TEST_F(StereoScenario, StereoOnDrawsThePairIntoBothPanesAndLeavesTheViewAsItWas) {
  OPEN_WITH_STEREO_CANVASES();
  const std::vector<model::Vec3> before = atomViews(bench->structure());
  clearRecords();
  bench->run([&] { bench->viewCommands().toggleDisplayFlag(DisplayFlag::Stereo); });
  ASSERT_TRUE(bench->display().stereo);
  EXPECT_TRUE(bench->window().stereoPanesVisible);

  const std::vector<std::string> labels = {"O1", "O2", "C1"};
  for (const RecordingCanvas* pane : {&left, &right}) {
    SCOPED_TRACE(pane == &left ? "left" : "right");
    ASSERT_FALSE(pane->of(Shape::Rectangle).empty());
    const DrawCall background = pane->of(Shape::Rectangle).front();
    EXPECT_EQ(background.x2, 280 + 3) << "the pane is Stereo Separation wide";
    EXPECT_EQ(background.y2, paneHeight + 3) << "and as tall as the main pane";
    EXPECT_GE(pane->of(Shape::Ellipse).size(), 6u) << "the balls of the six atoms";
    for (const std::string& label : labels)
      EXPECT_GE(pane->indexOfText(label), 0) << label;
    EXPECT_EQ(pane->of(Shape::Show).size(), 1u);
  }
  // The main pane is only cleared: the picture is in the stereo panes.
  EXPECT_TRUE(canvas.of(Shape::Ellipse).empty());
  EXPECT_TRUE(canvas.writtenTexts().empty());
  EXPECT_EQ(canvas.of(Shape::Rectangle).size(), 1u);
  // The right image is turned about the vertical axis: it differs from the left one.
  const auto columns = [](const RecordingCanvas& pane) {
    std::vector<int> x;
    for (const DrawCall& ball : pane.of(Shape::Ellipse))
      x.push_back(ball.x1);
    return x;
  };
  EXPECT_NE(columns(left), columns(right));
  EXPECT_EQ(atomViews(bench->structure()), before) << "view coordinates restored";

  clearRecords();
  bench->run([&] { bench->viewCommands().toggleDisplayFlag(DisplayFlag::Stereo); });
  EXPECT_FALSE(bench->window().stereoPanesVisible);
  EXPECT_TRUE(left.calls.empty());
  EXPECT_GE(canvas.of(Shape::Ellipse).size(), 6u) << "the standard picture again";
}

TEST_F(StereoScenario, PanesAreSeparationWideAndMeetAtTheCentreOfTheMainPane) {
  OPEN_WITH_STEREO_CANVASES();
  const view::PaneRect leftPane{paneWidth / 2 - 280, 0, 280, paneHeight};
  const view::PaneRect rightPane{paneWidth / 2, 0, 280, paneHeight};
  EXPECT_EQ(bench->window().stereoPanes.left, leftPane);
  EXPECT_EQ(bench->window().stereoPanes.right, rightPane);
  EXPECT_FALSE(bench->window().stereoPanesVisible) << "hidden until Stereo is on";

  bench->run([&] {
    bench->viewCommands().resizePane(701, 500);
  });  // an odd width: the centre is 701 div 2
  EXPECT_EQ(bench->window().stereoPanes.left, (view::PaneRect{350 - 280, 0, 280, 500}));
  EXPECT_EQ(bench->window().stereoPanes.right, (view::PaneRect{350, 0, 280, 500}));
}

TEST_F(StereoScenario, SwitchHalvesAndRestoresBondWidthAndBallSize) {
  OPEN_WITH_STEREO_CANVASES();
  // graphics1.inf: "nonH-Bond Width" 2 and "nonH Ball Size" 20; a ball of the standard picture
  // is then larger than in the pair drawn at half the size.
  const auto ballRadius = [](const RecordingCanvas& c) {
    for (const DrawCall& call : c.of(Shape::Ellipse)) {
      if (call.isCircle()) return call.radius();
    }
    return -1;
  };
  clearRecords();
  bench->run([&] { bench->state().redraw(); });
  const int standard = ballRadius(canvas);
  const int standardPen = bondWidth(canvas);
  ASSERT_EQ(standardPen, 2);

  bench->run([&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Stereo, true); });
  bench->run([&] {
    bench->viewCommands().setDisplayFlag(DisplayFlag::Stereo, true);
  });  // already on: no second halving
  const int stereoPen = bondWidth(left);
  EXPECT_EQ(stereoPen, 1);
  EXPECT_LT(ballRadius(left), standard);

  bench->run([&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Stereo, false); });
  clearRecords();
  bench->run([&] { bench->state().redraw(); });
  EXPECT_EQ(ballRadius(canvas), standard) << "sizes restored";
  EXPECT_EQ(bondWidth(canvas), standardPen);
}

TEST_F(StereoScenario, EllipseAndResetsSwitchStereoOffAndRestoreTheSizes) {
  OPEN_WITH_STEREO_CANVASES();
  struct Case {
    const char* why;
    void (*turnOff)(workbench::Workbench&);
  };
  const Case cases[] = {
      {"Ellipse on",
       [](workbench::Workbench& b) {
         b.run([&] { b.viewCommands().setDisplayFlag(DisplayFlag::Ellipse, true); });
       }},
      {"Initialize View Items",
       [](workbench::Workbench& b) { b.run([&] { b.viewCommands().initializeViewItems(); }); }},
      {"InitGrph", [](workbench::Workbench& b) { b.run([&] { b.viewCommands().initGraph(); }); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    bench->run([&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Ellipse, false); });
    bench->run([&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Stereo, true); });
    ASSERT_TRUE(bench->window().stereoPanesVisible);
    clearRecords();
    c.turnOff(*bench);
    EXPECT_FALSE(bench->display().stereo);
    EXPECT_FALSE(bench->window().stereoPanesVisible);
    EXPECT_TRUE(left.calls.empty());
    // Back to full size: stereo on again halves once more, to the same width as the first time.
    bench->run([&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Ellipse, false); });
    bench->run([&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Stereo, true); });
    EXPECT_EQ(bondWidth(left), 1);
    bench->run([&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Stereo, false); });
    clearRecords();
    bench->run([&] { bench->state().redraw(); });
    EXPECT_EQ(bondWidth(canvas), 2);
  }
}

TEST_F(StereoScenario, ReopeningWithStereoOnKeepsTheHalfSizesOfTheNewSettings) {
  OPEN_WITH_STEREO_CANVASES();
  bench->run([&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Stereo, true); });
  dialogs.nextFile = work.path() / "ala.res";
  bench->run([&] { bench->fileCommands().openByDialog(); });  // reads graphics1.inf again
  ASSERT_TRUE(bench->display().stereo);
  bench->run([&] { bench->viewCommands().setDisplayFlag(DisplayFlag::Stereo, false); });
  clearRecords();
  bench->run([&] { bench->state().redraw(); });
  EXPECT_EQ(bondWidth(canvas), 2) << "not doubled past the file's value";
}

}  // namespace
}  // namespace tavo::testing
