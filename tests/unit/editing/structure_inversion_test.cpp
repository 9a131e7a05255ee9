// The inversion of a space group: the origin that keeps it, and the SYMM cards of the
// enantiomorph.
#include "editing/structure_inversion.h"

#include <gtest/gtest.h>

namespace tavo::editing {
namespace {

std::vector<geometry::SeitzOperator> ops(const std::vector<std::string>& triplets) {
  std::vector<geometry::SeitzOperator> out;
  for (const std::string& t : triplets)
    out.push_back(*geometry::parseSymmetryTriplet(t));
  return out;
}

TEST(StructureInversion, KeepsTheGroupThroughTheCentreThatMapsItOntoItself) {
  // P212121: 1 - x keeps it.
  InversionPlan plan =
      planInversion(ops({"x,y,z", "-x+1/2,-y,z+1/2", "x+1/2,-y+1/2,-z", "-x,y+1/2,-z+1/2"}));
  EXPECT_EQ(plan.kind, InversionPlan::Kind::SameGroup);
  EXPECT_EQ(plan.originTwelfths, (std::array<int, 3>{12, 12, 12}));
  // I41: 1 - x would give the other origin; a shift of the centre keeps the group.
  const std::vector<geometry::SeitzOperator> i41 =
      ops({"x,y,z", "-x,-y,z", "-y,x+1/2,z+1/4", "y,-x+1/2,z+1/4", "x+1/2,y+1/2,z+1/2",
           "-x+1/2,-y+1/2,z+1/2", "-y+1/2,x,z+3/4", "y+1/2,-x,z+3/4"});
  plan = planInversion(i41);
  EXPECT_EQ(plan.kind, InversionPlan::Kind::SameGroup);
  EXPECT_NE(plan.originTwelfths, (std::array<int, 3>{12, 12, 12}));
  std::vector<geometry::SeitzOperator> inverted;
  for (const geometry::SeitzOperator& op : i41)
    inverted.push_back(invertedOperator(op, plan.originTwelfths));
  EXPECT_TRUE(geometry::sameOperatorSet(inverted, i41));
  inverted.clear();
  for (const geometry::SeitzOperator& op : i41)
    inverted.push_back(invertedOperator(op, {12, 12, 12}));
  EXPECT_FALSE(geometry::sameOperatorSet(inverted, i41));
  // P41 goes to P43.
  plan = planInversion(ops({"x,y,z", "-x,-y,z+1/2", "-y,x,z+1/4", "y,-x,z+3/4"}));
  EXPECT_EQ(plan.kind, InversionPlan::Kind::Enantiomorph);
  EXPECT_TRUE(geometry::sameOperatorSet(plan.invertedOperators,
                                        ops({"x,y,z", "-x,-y,z+1/2", "-y,x,z+3/4", "y,-x,z+1/4"})));
}

TEST(StructureInversion, RewritesOnlyTheSymmCardsThatChange) {
  const std::vector<std::string> lines = {
      "TITL x",           "LATT -1", "SYMM -X, -Y, 1/2+Z", "SYMM -Y, X, 1/4+Z ! screw",
      "symm y,-x,0.75+z", "L.S. 4"};
  const std::optional<std::vector<std::string>> out = invertedSymmCards(lines);
  ASSERT_TRUE(out);
  EXPECT_EQ(*out,
            (std::vector<std::string>{"TITL x", "LATT -1", "SYMM -X, -Y, 1/2+Z",
                                      "SYMM -Y, X, Z+3/4 ! screw", "SYMM Y, -X, Z+1/4", "L.S. 4"}));
  // A continued card or one that cannot be read is not rewritten: nothing is.
  EXPECT_FALSE(invertedSymmCards({"SYMM -Y, X, =", "     1/4+Z"}));
  EXPECT_FALSE(invertedSymmCards({"SYMM -Y, X"}));
}

}  // namespace
}  // namespace tavo::editing
