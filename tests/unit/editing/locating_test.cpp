// The locating rules that need no window: the neighbours of a located atom, the element of a
// group atom, and the position placed with vectors.
#include "editing/locating.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/errors.h"
#include "unit/model/reader_fixture.h"

namespace tavo::editing {
namespace {

using model::AtomKind;
using model::AtomRef;
using model::Vec3;

TEST(Locating, NeighboursComeFromTheBondListOfEachKind) {
  auto read = testing::readInsText(testing::head() +
                                   "C1 1 0.1 0.2 0.3 11 0.05\n"
                                   "C2 1 0.2 0.2 0.3 11 0.05\n"
                                   "H2 2 0.25 0.25 0.3 11 0.05\nHKLF 4\nEND\n");
  ASSERT_TRUE(read->loaded);
  model::StructureModel& s = read->s();
  s.bonds = {};
  s.bonds.kinds[1] = {{1, 2}};
  s.bonds.kinds[2] = {{2, 1}};  // C2-H2
  s.bonds.kinds[3] = {{1, 1}};  // a peak contact is no neighbour
  struct Case {
    AtomRef of;
    std::vector<AtomRef> neighbours;
    const char* why;
  };
  const Case cases[] = {
      {{AtomKind::Atom, 1}, {{AtomKind::Atom, 2}}, "C1 is bonded to C2 only"},
      {{AtomKind::Atom, 2}, {{AtomKind::Atom, 1}, {AtomKind::Hydrogen, 1}}, "C2 to C1 and H2"},
      {{AtomKind::Hydrogen, 1}, {{AtomKind::Atom, 2}}, "H2 to its parent"},
      {{AtomKind::Peak, 1}, {}, "a peak has none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(bondedNeighbours(s, c.of), c.neighbours);
  }
}

TEST(Locating, GroupElementsComeFromSfacIgnoringCaseThenFromTheDefinitionsExactly) {
  auto read = testing::readInsText(testing::head() + "C1 1 0.1 0.2 0.3 11 0.05\nHKLF 4\nEND\n");
  ASSERT_TRUE(read->loaded);  // SFAC C H N O
  struct Case {
    const char* symbol;
    std::optional<GroupElement> expected;
  };
  const int brRow = *testing::shippedDefinitions().findRow("Br");
  const Case cases[] = {
      {"N", GroupElement{3, 0, "N"}},
      {"o", GroupElement{4, 0, "O"}},
      {"Br", GroupElement{0, brRow, "BR"}},
      {"br", GroupElement{0, brRow, "BR"}},
      {"bR", std::nullopt},
      {"Xx", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.symbol);
    EXPECT_EQ(findGroupElement(read->s(), testing::shippedDefinitions(), c.symbol), c.expected);
  }
}

TEST(Locating, TheVectorPositionNeedsADirectionAndFiniteNumbers) {
  const Vec3 g0{1, 1, 1}, g1{0, 0, 0}, g2{0, 2, 0};
  EXPECT_EQ(vectorPosition(g0, g1, g2, 1.5), (Vec3{1, 2.5, 1}));
  EXPECT_EQ(vectorPosition(g0, g2, g1, 1.5), (Vec3{1, -0.5, 1}));
  EXPECT_THROW(vectorPosition(g0, g1, g1, 1.5), UserError);
  EXPECT_THROW(vectorPosition(g0, g1, g2, std::numeric_limits<double>::quiet_NaN()), UserError);
}

}  // namespace
}  // namespace tavo::editing
