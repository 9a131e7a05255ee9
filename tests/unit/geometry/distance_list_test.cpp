// The rows of the "Interatomic Distances" grid.
#include "geometry/distance_list.h"

#include <gtest/gtest.h>

#include "unit/geometry/structure_fixture.h"

namespace tavo::geometry {
namespace {

TEST(DistanceList, OneRowPerConnectionKindByKind) {
  auto s = testing::fixtureStructure();
  testing::addAtom(s, "C1", 1, 0, 0, 0);
  testing::addAtom(s, "O1", 3, 1.54321098, 0, 0);
  testing::addAtom(s, "C2", 1, 0, 2, 0);
  testing::addHydrogen(s, "H1A", 0, -1, 0);
  for (int i = 0; i < 3; ++i)
    testing::addPeak(s, 5, i, 0);
  s.bonds.kinds[1] = {{1, 2}, {1, 3}};
  s.bonds.kinds[2] = {{1, 1}};
  s.bonds.kinds[3] = {{3, 2}};
  s.bonds.kinds[4] = {{2, 3}};
  const text::TextGrid grid = ShowDistances(s);
  ASSERT_EQ(grid.rowCount(), 5);
  ASSERT_EQ(grid.columnCount(), 5);
  EXPECT_EQ(grid.row(0), (std::vector<std::string>{"1", "C1", "O1", "1.5432", "1.43"}));
  EXPECT_EQ(grid.row(1), (std::vector<std::string>{"2", "C1", "C2", "2", "1.54"}));
  EXPECT_EQ(grid.row(2), (std::vector<std::string>{"1", "H1A", "C1", "1", "1.07"}));
  EXPECT_EQ(grid.row(3)[0], "1");
  EXPECT_EQ(grid.row(3)[1], "Pk.3");
  EXPECT_EQ(grid.row(3)[2], "O1");
  EXPECT_EQ(grid.row(3)[4], "1.43");
  EXPECT_EQ(grid.row(4), (std::vector<std::string>{"1", "Pk.2", "Pk.3", "1", "1.54"}));
}

TEST(DistanceList, EmptyBondListGivesAnEmptyGrid) {
  auto s = testing::fixtureStructure();
  EXPECT_EQ(ShowDistances(s).rowCount(), 0);
}

}  // namespace
}  // namespace tavo::geometry
