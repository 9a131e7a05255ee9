// Bond detection: the radius rule and its strict limit, BIND cards, the kept kinds, the
// capacity messages, and the cell list against the plain double loops.
#include "geometry/bonds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "geometry/view_frame.h"
#include "support/fake_dialogs.h"
#include "unit/geometry/structure_fixture.h"

namespace tavo::geometry {
namespace {

using model::Bond;
using testing::addAtom;
using testing::addHydrogen;
using testing::addPeak;
using testing::FakeDialogs;
using testing::fixtureStructure;

using BondVector = std::vector<Bond>;

TEST(BondRule, TwoCarbonsAtTheStrictLimit) {
  struct Case {
    double distance;
    int factor;
    bool bonded;
    const char* why;
  };
  const Case cases[] = {
      {1.69, 11, true, "below 1.1 x 1.54 = 1.694"},
      {1.70, 11, false, "above 1.694"},
      {1.53, 10, true, "below 1.54"},
      {bondLimit(10, 0.77, 0.77), 10, false, "exactly at the limit is no bond"},
      {bondLimit(11, 0.77, 0.77), 11, false, "exactly at the limit is no bond"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto s = fixtureStructure();
    addAtom(s, "C1", 1, 0, 0, 0);
    addAtom(s, "C2", 1, c.distance, 0, 0);
    FakeDialogs dialogs;
    DetectConnection(s, {c.factor, 11, true, true}, dialogs);
    EXPECT_EQ(s.bonds.count(1), c.bonded ? 1 : 0);
    detectConnectionPlain(s, {c.factor, 11, true, true}, dialogs);
    EXPECT_EQ(s.bonds.count(1), c.bonded ? 1 : 0);
  }
}

TEST(BondRule, RadiusZeroNeverBondsAndPeaksUseTheFirstDefinition) {
  auto s = fixtureStructure();
  s.elements[3].radius = 0;
  addAtom(s, "X1", 3, 0, 0, 0);
  addAtom(s, "X2", 3, 0, 0, 0);  // same place, but the limit is 0 and the test is strict
  addAtom(s, "C3", 1, 5, 0, 0);
  addHydrogen(s, "H3", 5.9, 0, 0);  // 0.9 < 1.1 x (0.30 + 0.77) = 1.177
  addPeak(s, 5, 1.2, 0);            // to C3: 1.2 < 1.1 x (r0 + 0.77)
  addPeak(s, 5, 2.8, 0);            // to peak 1: 1.6 < 1.1 x 2 r0 = 1.694
  FakeDialogs dialogs;
  DetectConnection(s, {}, dialogs);
  EXPECT_EQ(s.bonds.kinds[1], BondVector{});
  EXPECT_EQ(s.bonds.kinds[2], (BondVector{{1, 3}}));
  EXPECT_EQ(s.bonds.kinds[3], (BondVector{{1, 3}}));
  EXPECT_EQ(s.bonds.kinds[4], (BondVector{{1, 2}}));
  s.elements[0].radius = 0.5;  // peak to C3: 1.2 < 1.1 x 1.27 = 1.397 still
  DetectConnection(s, {}, dialogs);
  EXPECT_EQ(s.bonds.kinds[3], (BondVector{{1, 3}}));
  EXPECT_EQ(s.bonds.kinds[4], BondVector{}) << "1.6 > 1.1 x 1.0";
  s.elements[0].radius = 0.3;
  DetectConnection(s, {}, dialogs);
  EXPECT_EQ(s.bonds.kinds[3], BondVector{}) << "1.2 > 1.1 x 1.07";
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(BondRule, HiddenHydrogensAndPeaksKeepTheirEarlierLists) {
  auto s = fixtureStructure();
  addAtom(s, "C1", 1, 0, 0, 0);
  addHydrogen(s, "H1", 1, 0, 0);
  addPeak(s, 0, 1, 0);
  FakeDialogs dialogs;
  DetectConnection(s, {}, dialogs);
  ASSERT_EQ(s.bonds.count(2), 1);
  ASSERT_EQ(s.bonds.count(3), 1);
  s.view[2][1] = {9, 9, 9};
  s.view[3][1] = {9, 9, 9};
  DetectConnection(s, {11, 11, false, false}, dialogs);
  EXPECT_EQ(s.bonds.count(2), 1) << "Show Hs off keeps kind 2";
  EXPECT_EQ(s.bonds.count(3), 1) << "ShowPks off keeps kind 3";
  DetectConnection(s, {}, dialogs);
  EXPECT_EQ(s.bonds.count(2), 0) << "checked again, kind 2 is rebuilt";
  EXPECT_EQ(s.bonds.count(3), 0);
  s.bonds.kinds[3] = {{5, 6}};
  s.workingPeakCount = s.peakCount = 0;
  DetectConnection(s, {}, dialogs);
  EXPECT_EQ(s.bonds.kinds[3], (BondVector{{5, 6}})) << "no peaks: kinds 3 and 4 stay";
}

TEST(BindCards, NamesArePickedByTokenStarts) {
  struct Case {
    const char* card;
    BondVector added;
    const char* why;
  };
  const Case cases[] = {
      {"BIND C1 C2", {{1, 2}}, "added although 3 A apart"},
      {"BIND C1  C2", {{1, 2}}, "two blanks: token starts are counted, not blanks"},
      {"bind c2 o1", {{2, 4}}, "card and names in any case; the later O1 wins"},
      {"BIND C1 C2 O1", {}, "three names"},
      {"BIND C1", {}, "one name"},
      {"BIND C1 C9", {}, "an unknown atom is ignored silently"},
      {"BIND C1 C2_$1", {}, "a symmetry suffix matches no label"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto s = fixtureStructure();
    addAtom(s, "C1", 1, 0, 0, 0);
    addAtom(s, "C2", 1, 3, 0, 0);
    addAtom(s, "O1", 3, 10, 0, 0);
    addAtom(s, "O1", 3, 20, 0, 0);
    addAtom(s, "C2_$1", 1, 30, 0, 0);
    s.workingAtomCount = 4;  // the last one is a generated copy, not an atom of the file
    s.nonHCount = 4;
    s.instructionLines = {"TITL test", c.card, "L.S. 4"};
    FakeDialogs dialogs;
    DetectConnection(s, {}, dialogs);
    EXPECT_EQ(s.bonds.kinds[1], c.added);
    EXPECT_TRUE(dialogs.shown.empty());
  }
}

TEST(PartRule, AlternativeDisorderComponentsDoNotBond) {
  struct Case {
    int firstPart, secondPart;
    const char* card;
    bool atomsBonded, hydrogenBonded;
    const char* why;
  };
  const Case cases[] = {
      {0, 0, "", true, true, "no disorder"},
      {1, 1, "", true, true, "the same component"},
      {0, 2, "", true, true, "PART 0 bonds to every part"},
      {2, 0, "", true, true, "... from either side"},
      {1, 2, "", false, false, "alternative components"},
      {-1, -1, "", true, true, "the same negative part"},
      {-1, 1, "", false, false, "a negative and a positive part"},
      {1, 2, "BIND 1 2", true, true, "BIND m n joins two parts"},
      {1, 2, "bind 2  1", true, true, "... in either order and any case"},
      {1, 3, "BIND 1 2", false, false, "... and no other"},
      {-1, 2, "BIND -1 2", true, true, "... negative parts too"},
      {1, 2, "BIND C1 C2", true, false, "BIND atom1 atom2 bonds the two atoms only"},
      {1, 2, "BIND 1 2 3", false, false, "three words: not a BIND card we use"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto s = fixtureStructure();
    s.atoms[addAtom(s, "C1", 1, 0, 0, 0)].part = c.firstPart;
    s.atoms[addAtom(s, "C2", 1, 1.5, 0, 0)].part = c.secondPart;
    s.hydrogens[addHydrogen(s, "H1", 1.5, 1.0, 0)].part = c.firstPart;
    addPeak(s, 1.5, -1.0, 0);  // a peak is PART 0: it meets both
    s.instructionLines = {"TITL test", c.card, "L.S. 4"};
    FakeDialogs dialogs;
    DetectConnection(s, {}, dialogs);
    const model::BondList grid = s.bonds;
    EXPECT_EQ(grid.kinds[1], c.atomsBonded ? (BondVector{{1, 2}}) : BondVector{});
    // H1 sits 1.0 A from C2 and 1.8 A from C1.
    EXPECT_EQ(grid.kinds[2], c.hydrogenBonded ? (BondVector{{1, 2}}) : BondVector{});
    EXPECT_EQ(grid.kinds[3], (BondVector{{1, 2}}));
    detectConnectionPlain(s, {}, dialogs);
    for (int kind = 1; kind <= 4; ++kind)
      EXPECT_EQ(s.bonds.kinds[kind], grid.kinds[kind]);
    EXPECT_TRUE(dialogs.shown.empty());
  }
}

TEST(BondCapacity, AFullKindShowsItsMessageAndKeepsWhatItFound) {
  auto s = fixtureStructure(50, /*conMax=*/3);
  for (int i = 0; i < 4; ++i)
    addAtom(s, "C" + std::to_string(i + 1), 1, 1.4 * i, 0, 0);
  for (int i = 0; i < 4; ++i)
    addHydrogen(s, "H" + std::to_string(i + 1), 1.4 * i, 1.0, 0);
  for (int i = 0; i < 4; ++i)
    addPeak(s, 1.4 * i, -1.0, 0);
  s.instructionLines = {"TITL", "BIND C1 C4", "L.S. 4"};
  FakeDialogs dialogs;
  DetectConnection(s, {}, dialogs);
  EXPECT_EQ(s.bonds.kinds[1], (BondVector{{1, 2}, {2, 3}}));
  EXPECT_EQ(s.bonds.kinds[2], (BondVector{{1, 1}, {2, 2}}));
  EXPECT_EQ(s.bonds.count(3), 2);
  EXPECT_EQ(s.bonds.kinds[4], (BondVector{{1, 2}, {2, 3}}));
  const std::vector<std::string> expected{
      "The number of components (nhbonds) exceeds the Maximum allowed (3)!!",
      "The number of components (nhbonds) exceeds the Maximum allowed (3)!!",
      "The number of components (hbonds) exceeds the Maximum allowed (3)!!",
      "The number of components (pkbonds1) exceeds the Maximum allowed (3)!!",
      "The number of components (pkbonds2) exceeds the Maximum allowed (3)!!",
  };
  EXPECT_EQ(dialogs.shown, expected);

  FakeDialogs plainDialogs;
  const model::BondList grid = s.bonds;
  detectConnectionPlain(s, {}, plainDialogs);
  EXPECT_EQ(plainDialogs.shown, expected);
  for (int kind = 1; kind <= 4; ++kind)
    EXPECT_EQ(s.bonds.kinds[kind], grid.kinds[kind]);
}

// ---- The cell list against the plain loops.

struct RandomCase {
  int atoms, hydrogens, peaks;
  double volumePerAtom;  // Å³
  double a, b, c, alpha, beta, gamma;
  int bondFactor, peakFactor;
  int conMax;
  const char* why;
};

model::StructureModel randomStructure(const RandomCase& rc, unsigned seed) {
  const int capacity = std::max({rc.atoms, rc.hydrogens, rc.peaks}) + 1;
  auto s = fixtureStructure(capacity, rc.conMax);
  s.elements[4] = {"S", 0, 32.06, 1.04, 0};
  s.elements[5] = {"X", 0, 0, 0, 0};  // radius 0
  s.elementCount = 5;
  testing::setCell(s, rc.a, rc.b, rc.c, rc.alpha, rc.beta, rc.gamma);
  // The cell is repeated so that the box holds the wanted density.
  const double cellVolume = s.cell.aVector.x * s.cell.bVector.y * s.cell.cVector.z;
  const double repeats = std::cbrt(rc.atoms * rc.volumePerAtom / cellVolume);
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> fraction(-repeats / 2, repeats / 2);
  std::uniform_int_distribution<int> element(1, 5);
  // Mostly PART 0, some disorder components; parts 2 and 3 are joined by a BIND card.
  const int partChoices[] = {0, 0, 0, 0, 1, 2, 3, -1};
  std::uniform_int_distribution<size_t> partChoice(0, std::size(partChoices) - 1);
  s.instructionLines = {"TITL random", "BIND 2 3", "L.S. 4"};
  for (int i = 1; i <= rc.atoms; ++i) {
    const int k = addAtom(s, "C" + std::to_string(i), element(random), fraction(random),
                          fraction(random), fraction(random));
    s.atoms[k].part = partChoices[partChoice(random)];
  }
  for (int i = 1; i <= rc.hydrogens; ++i) {
    const int k = addHydrogen(s, "H" + std::to_string(i), fraction(random), fraction(random),
                              fraction(random));
    s.hydrogens[k].part = partChoices[partChoice(random)];
  }
  for (int i = 1; i <= rc.peaks; ++i)
    addPeak(s, fraction(random), fraction(random), fraction(random));
  ViewFrame frame;
  computeCellOutline(s, frame);
  resetViewCoordinates(s, frame, false);
  // A few exact coincidences and pairs right at the limit.
  if (rc.atoms > 10) {
    s.view[1][7] = s.view[1][3];
    s.view[1][9] =
        s.view[1][5] + model::Vec3{bondLimit(rc.bondFactor, elementRadius(s, s.atoms[5].sfac),
                                             elementRadius(s, s.atoms[9].sfac)),
                                   0, 0};
  }
  return s;
}

TEST(BondGrid, GivesThePairsAndOrderOfThePlainLoops) {
  const RandomCase cases[] = {
      {300, 200, 100, 18, 10, 10, 10, 90, 90, 90, 11, 11, 30000, "crystal density, cubic"},
      {400, 300, 150, 4, 5, 6, 7, 90, 100, 90, 13, 9, 30000, "dense, monoclinic"},
      {200, 100, 200, 200, 4, 4, 6, 90, 90, 120, 20, 20, 30000, "sparse, hexagonal, widest factor"},
      {300, 200, 100, 10, 7.1, 9.3, 11.7, 72, 101, 117, 1, 1, 30000, "triclinic, narrowest factor"},
      {500, 400, 300, 6, 10, 10, 10, 90, 90, 90, 15, 15, 40, "kinds fill up at con_max"},
      {2, 1, 1, 18, 10, 10, 10, 90, 90, 90, 11, 11, 30000, "tiny"},
  };
  unsigned seed = 1;
  for (const RandomCase& rc : cases) {
    SCOPED_TRACE(rc.why);
    for (int round = 0; round < 3; ++round) {
      auto s = randomStructure(rc, seed++);
      const BondThresholds thresholds{rc.bondFactor, rc.peakFactor, true, true};
      FakeDialogs gridDialogs, plainDialogs;
      BondWorkspace workspace;
      DetectConnection(s, thresholds, gridDialogs, workspace);
      const model::BondList grid = s.bonds;
      detectConnectionPlain(s, thresholds, plainDialogs);
      for (int kind = 1; kind <= 4; ++kind) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(grid.kinds[kind], s.bonds.kinds[kind]);
      }
      EXPECT_EQ(gridDialogs.shown, plainDialogs.shown);
      if (rc.conMax == 40) {
        EXPECT_EQ(gridDialogs.shown.size(), 4u);
      }
      if (round == 0 && rc.atoms > 100) {
        EXPECT_GT(grid.count(1), 0);
      }
      // The same workspace again, after the structure moved.
      for (int i = 1; i <= s.workingAtomCount; ++i)
        s.view[1][static_cast<size_t>(i)].x *= 1.05;
      DetectConnection(s, thresholds, gridDialogs, workspace);
      const model::BondList again = s.bonds;
      detectConnectionPlain(s, thresholds, plainDialogs);
      EXPECT_EQ(again.kinds[1], s.bonds.kinds[1]);
      EXPECT_EQ(again.kinds[3], s.bonds.kinds[3]);
    }
  }
}

TEST(BondGrid, AClumpOfCoincidentAtomsStillStopsAtTheLimit) {
  // 1,770 pairs qualify: more than the cell list collects before it switches to index order.
  for (const int conMax : {10, 30000}) {
    SCOPED_TRACE(conMax);
    auto s = fixtureStructure(80, conMax);
    for (int i = 1; i <= 60; ++i)
      addAtom(s, "C" + std::to_string(i), 1, 0.01 * (i % 3), 0, 0);
    FakeDialogs gridDialogs, plainDialogs;
    DetectConnection(s, {}, gridDialogs);
    const BondVector grid = s.bonds.kinds[1];
    detectConnectionPlain(s, {}, plainDialogs);
    EXPECT_EQ(grid, s.bonds.kinds[1]);
    EXPECT_EQ(gridDialogs.shown, plainDialogs.shown);
    EXPECT_EQ(grid.size(), conMax == 10 ? 9u : 1770u);
  }
}

TEST(BondGrid, PositionsThatAreNotFiniteNeverBond) {
  auto s = fixtureStructure();
  addAtom(s, "C1", 1, 0, 0, 0);
  addAtom(s, "C2", 1, 1.5, 0, 0);
  addAtom(s, "C3", 1, std::numeric_limits<double>::quiet_NaN(), 0, 0);
  addAtom(s, "C4", 1, std::numeric_limits<double>::infinity(), 0, 0);
  addAtom(s, "C5", 1, 1e300, 0, 0);  // far away: must not blow up the grid
  addAtom(s, "C6", 1, 1e300, 1.0, 0);
  addHydrogen(s, "H1", -1e300, 0, 0);
  FakeDialogs dialogs;
  DetectConnection(s, {}, dialogs);
  EXPECT_EQ(s.bonds.kinds[1], (BondVector{{1, 2}, {5, 6}}));
  EXPECT_EQ(s.bonds.kinds[2], BondVector{});
}

}  // namespace
}  // namespace tavo::geometry
