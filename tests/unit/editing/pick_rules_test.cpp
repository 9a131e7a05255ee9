// The hit test, the pick rules of the modes and the Selection memory.
#include <gtest/gtest.h>

#include "editing/pick.h"
#include "editing/pick_rules.h"
#include "editing/selection_commands.h"
#include "support/temp_folder.h"

namespace tavo::editing {
namespace {

using model::AtomKind;
using model::AtomRef;

// A 100×100 pane showing 10 Å: one pixel is 0.1 Å, the centre (50, 50) is the view origin.
const PickGeometry pane{100, 100, 100, 10.0, 20};

ScreenPoint pixelOf(double x, double y) {
  return {toScreenColumn(pane, x), toScreenRow(pane, y)};
}

struct Fixture {
  model::StructureModel s;
  Selection selection;
  DistanceMemory distance;
  Fixture() {
    s.allocate();
    s.elementCount = 2;
    s.elements[1].symbol = "C";
    s.elements[2].symbol = "N";
  }
  AtomRef atom(double x, double y, int sfac = 1, double z = 0) {
    const int i = ++s.nonHCount;
    s.workingAtomCount = s.nonHCount;
    s.atoms[i].label = "C" + std::to_string(i);
    s.atoms[i].sfac = sfac;
    s.view[1][static_cast<size_t>(i)] = {x, y, z};
    return {AtomKind::Atom, i};
  }
  AtomRef hydrogen(double x, double y) {
    const int i = ++s.hCount;
    s.workingHCount = s.hCount;
    s.hydrogens[i].label = "H" + std::to_string(i);
    s.view[2][static_cast<size_t>(i)] = {x, y, 0};
    return {AtomKind::Hydrogen, i};
  }
  AtomRef peak(double x, double y, double height) {
    const int i = ++s.peakCount;
    s.workingPeakCount = s.peakCount;
    s.peaks[i].height = height;
    s.view[3][static_cast<size_t>(i)] = {x, y, 0};
    return {AtomKind::Peak, i};
  }
  void click(const ModeFlags& flags, ScreenPoint at, PickInputs inputs = {}, Modifiers keys = {}) {
    const PickOptions options = pickOptionsFor(flags, Button::Left, inputs.peakThreshold);
    const PickResult nearest = findNearest(s, pane, at, options);
    last = applyPickRule(s, selection, distance, flags, {at, Button::Left, keys}, nearest, inputs);
  }
  PickOutcome last;
};

ModeFlags mode(MouseMode m) {
  return flagsFor(m);
}

TEST(HitTest, NearestWinsFirstOfEqualDistancesAndTheToleranceIsStrict) {
  Fixture f;
  const AtomRef far = f.atom(0.25, 0);
  const AtomRef near = f.atom(-0.2, 0);
  const AtomRef tied = f.hydrogen(0.2, 0);  // as near as `near`, met later
  PickResult r = findNearest(f.s, pane, {50, 50}, {});
  EXPECT_EQ(r.ref, near);
  EXPECT_TRUE(r.hit());
  (void)far;
  (void)tied;

  Fixture g;
  g.atom(0.3, 0);
  r = findNearest(g.s, pane, {50, 50}, {});
  EXPECT_NEAR(r.distanceA, 0.3, 1e-12);
  EXPECT_FALSE(r.hit()) << "exactly 0.3 Å is no hit";
  EXPECT_FALSE(r.miss()) << "and no miss either";
}

TEST(HitTest, PeakThresholdSlabAndCandidateSets) {
  Fixture f;
  f.atom(0, 0, 1, /*z=*/10.0);  // |z| = E·D/20 is outside the slab
  const AtomRef low = f.peak(0, 0, 1.0);
  const AtomRef high = f.peak(0.1, 0, 1.01);
  PickOptions options;
  options.peakThreshold = 1.0;
  EXPECT_EQ(findNearest(f.s, pane, {50, 50}, options).ref, high)
      << "a peak as high as the threshold is no candidate";
  options.peakThreshold = 0;
  EXPECT_EQ(findNearest(f.s, pane, {50, 50}, options).ref, low);
  options.candidates = CandidateSet::FileAtomsAndH;
  EXPECT_EQ(findNearest(f.s, pane, {50, 50}, options).ref.kind, AtomKind::None);
}

TEST(PickRules, ModesThatKeepOrderedSelections) {
  struct Case {
    MouseMode mode;
    std::vector<int> clicks;  // atoms 1..5 at x = 0, 1, 2, 3, 4 Å; 0 = a click far off
    std::vector<int> expected;
    const char* why;
  };
  const Case cases[] = {
      {MouseMode::AngV1V2, {1, 2, 3, 4, 5}, {3, 4, 5}, "the fifth pick drops the first vector"},
      {MouseMode::Distance, {1, 2, 3}, {2, 3}, "a third atom replaces the first"},
      {MouseMode::Distance, {1, 2, 3, 0}, {2, 3}, "a miss keeps the pair"},
      {MouseMode::Dfix, {1, 2, 3, 0}, {}, "a miss clears in DFIX"},
      {MouseMode::Bind, {1, 0}, {}, "a miss clears in BIND"},
      {MouseMode::Sadi, {1, 1, 2}, {1, 1, 2}, "SADI appends the same atom twice"},
      {MouseMode::Name, {1, 2, 1}, {2}, "a second click deselects"},
      {MouseMode::DistAng, {1, 2}, {2}, "single: another atom replaces the first"},
      {MouseMode::Edit, {1, 0}, {}, "single: a miss clears the one atom"},
      {MouseMode::Renumber, {1, 4}, {1}, "only atoms of the chosen element"},
      {MouseMode::Rigu, {1, 2, 1, 3}, {2, 3}, "RIGU toggles in picking order"},
      {MouseMode::Exyz, {3, 1, 0}, {3, 1}, "EXYZ keeps its atoms on a miss"},
      {MouseMode::Dang, {1, 3, 1, 5, 0}, {1, 3, 1, 5}, "DANG pairs share atoms"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Fixture f;
    for (int i = 0; i < 5; ++i)
      f.atom(i - 2.0, 0, i == 3 ? 2 : 1);
    for (int k : c.clicks)
      f.click(mode(c.mode), k == 0 ? ScreenPoint{5, 95} : pixelOf(k - 3.0, 0));
    std::vector<int> got;
    for (const AtomRef& r : f.selection.picked)
      got.push_back(r.index);
    EXPECT_EQ(got, c.expected);
    for (int i = 1; i <= 5; ++i) {
      const bool in = std::find(got.begin(), got.end(), i) != got.end();
      EXPECT_EQ(f.s.selected[1][static_cast<size_t>(i)], in ? 1 : 0) << "flag of atom " << i;
    }
  }
}

TEST(PickRules, DangTakesHAtomsButNoPeaksTheOtherRestraintsNeither) {
  for (const MouseMode m : {MouseMode::Dang, MouseMode::Simu, MouseMode::Isor}) {
    Fixture f;
    f.atom(0, 0);
    const AtomRef h = f.hydrogen(1, 0);
    f.peak(2, 0, 5.0);
    for (double x : {0.0, 1.0, 2.0})
      f.click(mode(m), pixelOf(x, 0));
    std::vector<AtomRef> expected = {{AtomKind::Atom, 1}};
    if (m == MouseMode::Dang) expected.push_back(h);
    EXPECT_EQ(f.selection.picked, expected) << menuCaption(m);
  }
}

TEST(PickRules, DistanceMemoryFollowsThePair) {
  Fixture f;
  f.atom(0, 0);
  f.atom(1.5, 0);
  f.atom(1.5, 2.0);
  for (double x : {0.0, 1.5})
    f.click(mode(MouseMode::Distance), pixelOf(x, 0));
  EXPECT_NEAR(f.distance.distanceA, 1.5, 1e-12);
  f.click(mode(MouseMode::Distance), pixelOf(1.5, 2.0));
  EXPECT_EQ(f.distance.first, (AtomRef{AtomKind::Atom, 2}));
  EXPECT_EQ(f.distance.second, (AtomRef{AtomKind::Atom, 3}));
  EXPECT_NEAR(f.distance.distanceA, 2.0, 1e-12);
}

TEST(PickRules, HfixAcceptsAtomsByTheirNonHNeighbours) {
  struct Case {
    int m;
    int neighbours;
    bool accepted;
  };
  const Case cases[] = {{4, 2, true},  {4, 3, false},  {1, 3, true}, {15, 4, true},
                        {15, 5, true}, {15, 3, false}, {7, 0, true}, {3, 1, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE("m = " + std::to_string(c.m) + ", k = " + std::to_string(c.neighbours));
    Fixture f;
    f.atom(0, 0);
    for (int n = 0; n < c.neighbours; ++n) {
      f.atom(3.0 + n, 3.0);
      f.s.bonds.kinds[1].push_back({1, n + 2});
    }
    PickInputs inputs;
    inputs.hfixM = c.m;
    f.click(mode(MouseMode::Hfix), pixelOf(0, 0), inputs);
    EXPECT_EQ(f.selection.count(), c.accepted ? 1 : 0);
  }
}

TEST(PickRules, PartRefusesTheThirteenthAtom) {
  Fixture f;
  for (int i = 0; i < 13; ++i)
    f.atom(-3.0 + 0.5 * i, 0);
  for (int i = 0; i < 13; ++i)
    f.click(mode(MouseMode::Part), pixelOf(-3.0 + 0.5 * i, 0));
  EXPECT_EQ(f.selection.count(), 12);
  ASSERT_EQ(f.last.messages.size(), 1u);
  EXPECT_EQ(f.last.messages[0],
            "Maximum allowed number of atoms for this process is now limited as 12 so as not to "
            "exceed the 80-character limitation!");
}

TEST(PickRules, DeleteWithAltTakesTheNearestAtomOnAMiss) {
  Fixture f;
  f.atom(0, 0);
  f.click(mode(MouseMode::Delete), pixelOf(1.0, 0), {}, {false, false, true});
  EXPECT_EQ(f.selection.count(), 1);
  f.click(mode(MouseMode::Delete), pixelOf(1.0, 0), {}, {});
  EXPECT_EQ(f.selection.count(), 1) << "without Alt a miss does nothing";
}

TEST(SelectionMemory, FileFormatAndRestoreAcrossRuns) {
  testing::TempFolder folder;
  Fixture f;
  for (int i = 0; i < 7; ++i)
    f.atom(i, 0);
  for (int i : {3, 1, 7})
    f.selection.append(f.s, {AtomKind::Atom, i});
  const auto file = folder.path() / selectionFileName;
  rememberSelected(f.s, f.selection, file);
  EXPECT_EQ(folder.read(selectionFileName), "3\n1\t3\n1\t1\n1\t7\n");
  EXPECT_TRUE(f.selection.empty());
  EXPECT_EQ(f.s.selected[1][3], 0);

  Fixture restarted;
  for (int i = 0; i < 7; ++i)
    restarted.atom(i, 0);
  reSelect(restarted.s, restarted.selection, file);
  const std::vector<AtomRef> expected{
      {AtomKind::Atom, 3}, {AtomKind::Atom, 1}, {AtomKind::Atom, 7}};
  EXPECT_EQ(restarted.selection.picked, expected);
  EXPECT_EQ(restarted.s.selected[1][7], 1);
}

TEST(SelectionMemory, UnselectedComplementAndReverse) {
  testing::TempFolder folder;
  Fixture f;
  for (int i = 0; i < 4; ++i)
    f.atom(i, 0);
  f.hydrogen(9, 9);
  f.selection.append(f.s, {AtomKind::Atom, 1});
  f.selection.append(f.s, {AtomKind::Atom, 2});
  rememberUnselected(f.s, f.selection, folder.path() / selectionFileName);
  const std::vector<AtomRef> rest{
      {AtomKind::Atom, 3}, {AtomKind::Atom, 4}, {AtomKind::Hydrogen, 1}};
  EXPECT_EQ(f.selection.remembered, rest);
  EXPECT_TRUE(f.selection.empty());
  EXPECT_EQ(f.s.selected[1][1], 0);

  reverseSelect(f.s, f.selection);
  EXPECT_TRUE(f.selection.empty()) << "an empty Selection is not reversed";
  f.selection.append(f.s, {AtomKind::Atom, 3});
  reverseSelect(f.s, f.selection);
  const std::vector<AtomRef> reversed{
      {AtomKind::Atom, 1}, {AtomKind::Atom, 2}, {AtomKind::Atom, 4}, {AtomKind::Hydrogen, 1}};
  EXPECT_EQ(f.selection.picked, reversed);
  EXPECT_EQ(f.s.selected[1][3], 0);
}

TEST(SelectionMemory, StashInTheWorkingGridKeepsOrder) {
  Fixture f;
  for (int i = 0; i < 3; ++i)
    f.atom(i, 0);
  for (int i : {2, 3, 1})
    f.selection.append(f.s, {AtomKind::Atom, i});
  const std::vector<AtomRef> before = f.selection.picked;
  stashSelection(f.selection, f.s.workingGrid);
  EXPECT_EQ(f.s.workingGrid.cell(0, 0), "SelMem");
  f.selection.clear(f.s);
  restoreStash(f.s, f.selection, f.s.workingGrid);
  EXPECT_EQ(f.selection.picked, before);
}

}  // namespace
}  // namespace tavo::editing
