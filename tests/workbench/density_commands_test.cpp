// The density feature in the workbench: the map drawn over the picture and its level changed
// without a new map, the windows' texts, the Selection choosing where contours are drawn, a long
// computation cancelled, results forgotten when another structure is opened.
#include <algorithm>

#include "view/map_overlay.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandId;

class DensityScenario : public WorkbenchScenario {
 protected:
  workbench::DensityCommands& density() { return bench->density(); }
  /// The structure without O1 and the reflections of the full structure beside it.
  bool openWithoutO1() {
    repositoryFile("tests/data/density/paraben.hkl", "no_o1.hkl");
    const bool opened = openAs(repositoryFile("tests/data/density/paraben_no_o1.res", "no_o1.res"),
                               workbench::OpenedFrom::Dialog);
    dialogs.shown.clear();
    return opened;
  }
  std::size_t linesIn(view::Color color) const {
    return static_cast<std::size_t>(std::count_if(
        canvas.calls.begin(), canvas.calls.end(),
        [color](const DrawCall& c) { return c.shape == Shape::Line && c.pen.color == color; }));
  }
};

TEST_F(DensityScenario, TheMapIsDrawnAndALevelChangeKeepsTheMap) {
  ASSERT_TRUE(openWithoutO1());
  canvas.calls.clear();
  ASSERT_TRUE(bench->run(CommandId::DifferenceMap));
  EXPECT_TRUE(bench->checked(CommandId::DifferenceMap));
  const density::DensityMap* map = &*density().map();
  const std::vector<float> values = map->values;
  const std::size_t greenAt3 = linesIn(view::mapPositiveColor);
  EXPECT_GT(greenAt3, 50u);
  EXPECT_GT(linesIn(view::mapNegativeColor), 0u);

  // A lower level draws more of the map, from the same map.
  canvas.calls.clear();
  ASSERT_TRUE(bench->run([&] { density().setLevel(2); }));
  const std::size_t greenAt2 = linesIn(view::mapPositiveColor);
  EXPECT_GT(greenAt2, greenAt3);
  EXPECT_EQ(&*density().map(), map);
  EXPECT_EQ(density().map()->values, values);

  // Picked atoms choose where the contours are drawn: around one far atom, few of them.
  canvas.calls.clear();
  bench->state().selection.append(bench->state().structure, ref("C9B"));
  ASSERT_TRUE(bench->run([&] { density().setLevel(2); }));
  EXPECT_EQ(bench->selection().count(), 1);
  EXPECT_LT(linesIn(view::mapPositiveColor), greenAt2);

  // The item again hides the map.
  canvas.calls.clear();
  ASSERT_TRUE(bench->run(CommandId::DifferenceMap));
  EXPECT_FALSE(bench->checked(CommandId::DifferenceMap));
  EXPECT_EQ(linesIn(view::mapPositiveColor), 0u);
}

TEST_F(DensityScenario, TheWindowsShowTheAgreementAndThePeaks) {
  ASSERT_TRUE(openWithoutO1());
  ASSERT_TRUE(bench->run(CommandId::AgreementWithData));
  EXPECT_TRUE(bench->checked(CommandId::AgreementWithData));
  const workbench::AgreementWindow& agreement = density().agreementWindow();
  EXPECT_EQ(agreement.summary.cell(0, 1), "no_o1.hkl");
  EXPECT_EQ(agreement.summary.cell(1, 0), "R1 (Fo > 4sig(Fo))");
  EXPECT_EQ(agreement.worst.cell(0, 0), "h k l");
  EXPECT_GT(agreement.worst.rowCount(), 10);

  ASSERT_TRUE(bench->run(CommandId::MapPeaks));
  const workbench::MapPeaksWindow& peaks = density().peaksWindow();
  EXPECT_EQ(peaks.peaks.cell(1, 0), "Q1");
  EXPECT_EQ(peaks.peaks.cell(1, 5), "H1");  // O1's hydrogen atom is nearest to where O1 was
  EXPECT_NE(peaks.summary.find("fo-fc map, grid "), std::string::npos) << peaks.summary;

  // The 2Fo−Fc map from the window's choice.
  std::vector<std::string> printed;
  ASSERT_TRUE(bench->operateWindow("MapPeaks", {"MapType", "2fo-fc"}));
  ASSERT_TRUE(bench->operateWindow("MapPeaks", {"print"}, &printed));
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(printed.front().rfind("2fo-fc map", 0), 0u) << printed.front();
}

TEST_F(DensityScenario, ACancelledComputationLeavesNothingBehind) {
  ASSERT_TRUE(openWithoutO1());
  dialogs.cancelAbove = 10;
  EXPECT_FALSE(bench->run([&] { density().computeAgreement(); }));
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();
  EXPECT_FALSE(density().agreement().has_value());
  ASSERT_FALSE(dialogs.progressSeen.empty());
  EXPECT_EQ(dialogs.progressSeen.back(), 100);  // the progress dialog is closed

  dialogs.cancelAbove.reset();
  EXPECT_TRUE(bench->run([&] { density().computeAgreement(); }));
  EXPECT_TRUE(density().agreement().has_value());
}

TEST_F(DensityScenario, AnotherStructureForgetsTheMapAndWithoutDataSaysWhy) {
  ASSERT_TRUE(openWithoutO1());
  ASSERT_TRUE(bench->run(CommandId::DifferenceMap));
  ASSERT_TRUE(openParaben());
  dialogs.shown.clear();
  EXPECT_FALSE(bench->checked(CommandId::DifferenceMap));
  EXPECT_FALSE(density().map().has_value());
  EXPECT_FALSE(bench->run(CommandId::DifferenceMap));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0], workbench::noReflectionDataMessage);
}

}  // namespace
}  // namespace tavo::testing
