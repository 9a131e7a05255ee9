#include "geometry/symmetry_operators.h"

#include <gtest/gtest.h>

namespace tavo::geometry {
namespace {

model::SymmetryOps opsOf(const std::vector<std::string>& triplets) {
  std::vector<SeitzOperator> operators;
  for (const std::string& t : triplets)
    operators.push_back(parseSymmetryTriplet(t).value());
  model::SymmetryOps ops;
  fillSymmetryOps(ops, operators);
  return ops;
}

TEST(SymmetryOperators, TextAndCodeAsTheOperatorFieldShowsThem) {
  const model::SymmetryOps p21n =
      opsOf({"x,y,z", "-x+1/2,y+1/2,-z+1/2", "-x,-y,-z", "x+1/2,-y+1/2,z+1/2"});
  EXPECT_EQ(p21n.translationUnitText, "1/2");
  EXPECT_EQ(operatorText(p21n, 2, 1, 0, 0), " -X+1/2+1, Y+1/2, -Z+1/2");
  EXPECT_EQ(operatorText(p21n, 1, 0, -2, 0), " X, Y-2, Z");
  EXPECT_EQ(operatorText(p21n, 2, 1, 0, 1), " -X+1/2+1, Y+1/2, -Z+1/2+1");
  // Quarters: 3/4 is three units of 1/4.
  const model::SymmetryOps fdd = opsOf({"x,y,z", "-x+1/4,y+3/4,z+3/4"});
  EXPECT_EQ(fdd.translationUnit, 0.25);
  EXPECT_EQ(operatorText(fdd, 2, 0, 0, 0), " -X+1/4, Y+3*1/4, Z+3*1/4");
  const model::SymmetryOps hexagonal = opsOf({"x,y,z", "-y,x-y,z+1/3", "-x+y,-x,z+2/3"});
  EXPECT_EQ(operatorText(hexagonal, 3, 0, 0, -1), " -X+Y, -X, Z+2*1/3-1");
  EXPECT_EQ(symmetryCode(fdd, 2, -2, -2, -2), " -X+1/4-2, Y+3*1/4-2, Z+3*1/4-");
}

TEST(SymmetryOperators, TripletsReadAndWritten) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"-X+1/2, Y, 1/2-Z", "-x+1/2,y,-z+1/2"},
      {"x+0.5,-y,z-0.25", "x+1/2,-y,z+3/4"},
      {" -y , x-y , z+1/3 ", "-y,x-y,z+1/3"},
      {"X,Y,Z", "x,y,z"},
  };
  for (const auto& c : cases) {
    const std::optional<SeitzOperator> op = parseSymmetryTriplet(c.in);
    ASSERT_TRUE(op) << c.in;
    EXPECT_EQ(tripletText(*op), c.out) << c.in;
  }
  for (const char* bad : {"x,y", "x,y,z,x", "2*x,y,z", "x,y,q", "x+y+z+x,y,z", "0,y,z", ""}) {
    EXPECT_FALSE(parseSymmetryTriplet(bad)) << bad;
  }
}

TEST(SymmetryOperators, LattSymmGiveTheFullSetInOrder) {
  // C2/c: LATT 7, SYMM -X, Y, 1/2-Z.
  const std::vector<std::string> lines{"TITL c2c", "CELL 0.71 10 11 12 90 100 90", "LATT 7",
                                       "SYMM -X, Y, 1/2-Z", "SFAC C"};
  const LattSymmCards cards = readLattSymm(lines);
  ASSERT_TRUE(cards.any());
  const std::vector<SeitzOperator> ops = operatorsFromLattSymm(cards.latt, cards.symm);
  std::vector<std::string> texts;
  for (const SeitzOperator& o : ops)
    texts.push_back(tripletText(o));
  EXPECT_EQ(texts, (std::vector<std::string>{"x,y,z", "-x,y,-z+1/2", "-x,-y,-z", "x,-y,z+1/2",
                                             "x+1/2,y+1/2,z", "-x+1/2,y+1/2,-z+1/2",
                                             "-x+1/2,-y+1/2,-z", "x+1/2,-y+1/2,z+1/2"}));
  // No LATT card: centrosymmetric P; LATT -1: P1.
  EXPECT_EQ(operatorsFromLattSymm(readLattSymm({"TITL"}).latt, {}).size(), 2u);
  EXPECT_EQ(operatorsFromLattSymm(readLattSymm({"LATT -1 ! P1"}).latt, {}).size(), 1u);
  // R obverse on hexagonal axes, F, I.
  EXPECT_EQ(operatorsFromLattSymm(-3, {}).size(), 3u);
  EXPECT_EQ(operatorsFromLattSymm(4, {}).size(), 8u);
  EXPECT_EQ(operatorsFromLattSymm(-2, {}).size(), 2u);
  EXPECT_EQ(readLattSymm({"SYMM -X, Y, Q"}).faulty.size(), 1u);
}

TEST(SymmetryOperators, AppliedToFractionalCoordinates) {
  const model::SymmetryOps p21c = opsOf({"x,y,z", "-x,y+1/2,-z+1/2", "-x,-y,-z", "x,-y+1/2,z+1/2"});
  const Fractional c{0.3, 0.4, 0.6};
  const Fractional moved = applyOperator(p21c, 2, c, 1, 0, 1);
  EXPECT_NEAR(moved.x, 0.7, 1e-12);
  EXPECT_NEAR(moved.y, 0.9, 1e-12);
  EXPECT_NEAR(moved.z, 0.9, 1e-12);
  EXPECT_TRUE(sameOperatorSet({seitzOf(p21c, 3), seitzOf(p21c, 1)},
                              {*parseSymmetryTriplet("x,y,z"), *parseSymmetryTriplet("-x,-y,-z")}));
}

}  // namespace
}  // namespace tavo::geometry
