// The checks after a load: duplicate labels and non-positive-definite atoms.
#include "model/load_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader_fixture.h"

namespace tavo::testing {
namespace {

TEST(LoadChecks, DuplicateLabelsAreCountedPerTable) {
  auto r = readInsText(head() +
                       "C1 1 0.1 0.2 0.3 11 0.05\n"
                       "c1 1 0.1 0.2 0.3 11 0.05\n"
                       "C1 1 0.1 0.2 0.3 11 0.05\n"
                       "N1 3 0.1 0.2 0.3 11 0.05\n"
                       "H1 2 0.1 0.2 0.3 11 0.05\n"
                       "N1 2 0.1 0.2 0.3 11 0.05\n"
                       "H1 2 0.1 0.2 0.3 11 0.05\n"
                       "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  ASSERT_EQ(r->dialogs.shown.size(), 1u);
  EXPECT_EQ(r->dialogs.shown[0], "4 duplicated atom labels exist!  Check them by F10!")
      << "three C1 pairs and one H1 pair; N1 in both tables is no pair";
  const auto& grid = r->s().workingGrid;
  EXPECT_EQ(grid.row(1), (std::vector<std::string>{"C1", "Duplicated"}));
  EXPECT_EQ(grid.row(4), (std::vector<std::string>{"H1", "Duplicated"}));
}

TEST(LoadChecks, OneDuplicateAmongManyUniqueLabelsIsFound) {
  std::string atoms;
  for (int i = 1; i <= 900; ++i)
    atoms += "C" + std::to_string(i) + " 1 0.1 0.2 0.3 11 0.05\n";
  auto r = readInsText(head() + atoms + "c450 1 0.1 0.2 0.3 11 0.05\nHKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  ASSERT_EQ(r->dialogs.shown.size(), 1u);
  EXPECT_EQ(r->dialogs.shown[0], "1 duplicated atom labels exist!  Check them by F10!");
  EXPECT_EQ(r->s().workingGrid.row(1), (std::vector<std::string>{"C450", "Duplicated"}));
}

TEST(LoadChecks, NonPositiveDefiniteAtomsAreListed) {
  auto r = readInsText(head() +
                       "C1 1 0.1 0.2 0.3 11 0.02 0.03 0.04 0.001 0.002 0.003\n"
                       "C2 1 0.1 0.2 0.3 11 0.02 -0.03 0.04 0.001 0.002 0.003\n"
                       "C3 1 0.1 0.2 0.3 11 0.02 0.02 0.04 0 0 0.02\n"
                       "C4 1 0.1 0.2 0.3 11 -0.05\n"
                       "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  ASSERT_EQ(r->dialogs.shown.size(), 1u);
  EXPECT_EQ(r->dialogs.shown[0],
            "Warning!: 2 Non-Positive Definite Atoms Exist!  Check them by F10!");
  const auto& grid = r->s().workingGrid;
  EXPECT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.row(0), (std::vector<std::string>{"No.", "Non-Positive"}));
  EXPECT_EQ(grid.row(1), (std::vector<std::string>{"2", "C2"}));
  EXPECT_EQ(grid.row(2), (std::vector<std::string>{"3", "C3"})) << "d2 = 0 is not positive";
}

}  // namespace
}  // namespace tavo::testing
