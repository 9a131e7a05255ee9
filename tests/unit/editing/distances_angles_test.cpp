// The Dist/Ang read-out over a disordered structure: neighbours come from the bond list, which
// joins no two alternative disorder components.
#include "editing/distances_angles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/bonds.h"
#include "geometry/distance_list.h"
#include "geometry/view_frame.h"
#include "unit/geometry/structure_fixture.h"
#include "unit/model/reader_fixture.h"

namespace tavo::editing {
namespace {

using model::AtomKind;
using model::AtomRef;

std::string exampleText() {
  std::ifstream in(std::filesystem::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int atomNamed(const model::StructureModel& s, const std::string& label) {
  for (int i = 1; i <= s.nonHCount; ++i) {
    if (s.atoms[i].label == label) return i;
  }
  ADD_FAILURE() << "no atom " << label;
  return 0;
}

TEST(DisorderedExample, NoBondReadOutOrDistanceJoinsTheTwoComponents) {
  auto read = testing::readInsText(exampleText(), "paraben.res");
  ASSERT_TRUE(read->loaded) << ::testing::PrintToString(read->dialogs.shown);
  model::StructureModel& s = read->s();
  geometry::ViewFrame frame;
  geometry::computeCellOutline(s, frame);
  geometry::resetViewCoordinates(s, frame, false);
  geometry::DetectConnection(s, {}, read->dialogs);

  const int o3 = atomNamed(s, "O3");
  const int c8a = atomNamed(s, "C8A");
  const int c9a = atomNamed(s, "C9A");
  const int c8b = atomNamed(s, "C8B");
  const int c9b = atomNamed(s, "C9B");
  ASSERT_EQ(s.atoms[c8a].part, 1);
  ASSERT_EQ(s.atoms[c8b].part, 2);
  const auto bonded = [&](int i, int j) {
    const auto& list = s.bonds.kinds[1];
    return std::find(list.begin(), list.end(), model::Bond{std::min(i, j), std::max(i, j)}) !=
           list.end();
  };
  EXPECT_TRUE(bonded(o3, c8a));
  EXPECT_TRUE(bonded(o3, c8b));
  EXPECT_TRUE(bonded(c8a, c9a));
  EXPECT_TRUE(bonded(c8b, c9b));
  EXPECT_FALSE(bonded(c8b, c9a)) << "C8B of PART 2 joined to C9A of PART 1";
  EXPECT_FALSE(bonded(c8a, c8b));

  // Every row of the distance list, H atoms included, stays within one component or PART 0.
  const auto partNamed = [&](const std::string& label) {
    for (int i = 1; i <= s.nonHCount; ++i) {
      if (s.atoms[i].label == label) return s.atoms[i].part;
    }
    for (int i = 1; i <= s.hCount; ++i) {
      if (s.hydrogens[i].label == label) return s.hydrogens[i].part;
    }
    return 0;  // a peak
  };
  const text::TextGrid distances = geometry::ShowDistances(s);
  int disorderedRows = 0;
  for (int r = 0; r < distances.rowCount(); ++r) {
    const int first = partNamed(distances.cell(r, 1));
    const int second = partNamed(distances.cell(r, 2));
    if (first != 0 || second != 0) ++disorderedRows;
    EXPECT_TRUE(first == 0 || second == 0 || first == second)
        << distances.cell(r, 1) << " - " << distances.cell(r, 2);
  }
  EXPECT_GT(disorderedRows, 4);

  // Around O3: its ring carbon and one atom of each component, never an angle between them.
  const std::vector<AtomRef> around = neighboursOf(s, {AtomKind::Atom, o3}, 0);
  EXPECT_EQ(std::count(around.begin(), around.end(), AtomRef{AtomKind::Atom, c8a}), 1);
  EXPECT_EQ(std::count(around.begin(), around.end(), AtomRef{AtomKind::Atom, c8b}), 1);
  const text::TextGrid readOut = distancesAnglesGrid(s, {AtomKind::Atom, o3}, 0);
  for (int r = 1; r < readOut.rowCount(); ++r) {
    const std::string pair = readOut.cell(r, 0) + "-" + readOut.cell(r, 4);
    EXPECT_NE(pair, "C8A-C8B");
    EXPECT_NE(pair, "C8B-C8A");
  }
}

TEST(DistAngReadOut, PairsOnlyNeighboursThatStandTogether) {
  struct Case {
    int firstPart, secondPart;
    const char* card;
    std::vector<std::string> rowStart;  // first cell of each row after the heading
    const char* why;
  };
  const Case cases[] = {
      {0, 0, "", {"C2"}, "ordered: one angle"},
      {1, 1, "", {"C2"}, "one component"},
      {0, 1, "", {"C2"}, "PART 0 stands with every part"},
      {1, 2, "", {"Not"}, "alternative components: no angle, and the window says so"},
      {1, 2, "BIND 1 2", {"C2"}, "parts joined by BIND"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto s = testing::fixtureStructure();
    testing::addAtom(s, "C1", 1, 0, 0, 0);
    s.atoms[testing::addAtom(s, "C2", 1, 1.5, 0, 0)].part = c.firstPart;
    s.atoms[testing::addAtom(s, "C3", 1, 0, 1.5, 0)].part = c.secondPart;
    s.instructionLines = {"TITL test", c.card, "L.S. 4"};
    s.bonds.kinds[1] = {{1, 2}, {1, 3}};  // as if BIND cards had joined them
    const text::TextGrid grid = distancesAnglesGrid(s, {AtomKind::Atom, 1}, 0);
    std::vector<std::string> starts;
    for (int r = 1; r < grid.rowCount(); ++r)
      starts.push_back(grid.cell(r, 0));
    EXPECT_EQ(starts, c.rowStart);
  }
}

}  // namespace
}  // namespace tavo::editing
