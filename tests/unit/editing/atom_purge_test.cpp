// Deleting atoms: riding groups go whole, the purge keeps order and every card of the atom list,
// and the map says where each entry went.
#include "editing/atom_purge.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/instruction_writer.h"
#include "unit/model/reader_fixture.h"

namespace tavo::editing {
namespace {

using model::AtomKind;
using model::AtomRef;
using testing::head;
using testing::readInsText;

// C2 carries a methyl group and a card of the atom list stands before it; H9 is a free H atom
// after C2's group; C3 is named by DFIX above the atom list.
const std::string atomList =
    "C1    1    0.100000    0.200000    0.300000    11.00000    0.05000\n"
    "DFIX 1.54 C1 C2\n"
    "C2    1    0.200000    0.200000    0.300000    11.00000    0.05000\n"
    "AFIX 137\n"
    "H2A   2    0.210000    0.210000    0.300000    11.00000   -1.50000\n"
    "H2B   2    0.220000    0.210000    0.300000    11.00000   -1.50000\n"
    "H2C   2    0.230000    0.210000    0.300000    11.00000   -1.50000\n"
    "AFIX 0\n"
    "H9    2    0.250000    0.250000    0.300000    11.00000    0.04000\n"
    "C3    1    0.300000    0.200000    0.300000    11.00000    0.05000\n"
    "AFIX 43\n"
    "H3    2    0.310000    0.210000    0.300000    11.00000   -1.20000\n"
    "AFIX 0\n"
    "HKLF 4\nEND\n";

std::vector<std::string> without(std::vector<std::string> lines,
                                 const std::vector<std::string>& gone) {
  for (const std::string& line : gone) {
    const auto at = std::find(lines.begin(), lines.end(), line);
    EXPECT_NE(at, lines.end()) << line;
    if (at != lines.end()) lines.erase(at);
  }
  return lines;
}

TEST(AtomPurge, DeletingAParentTakesItsRidingGroupAndKeepsEveryCard) {
  auto read = readInsText(head("FVAR 1.0", "DFIX 1.5 C3 C1\n") + atomList);
  model::StructureModel& s = read->s();
  ASSERT_TRUE(read->loaded);
  const std::vector<std::string> before = model::instructionFileLines(s);

  const DeletionPlan plan = planDeletion(s, {{AtomKind::Atom, 2}});
  EXPECT_EQ(plan.ridingHydrogens, (std::vector<std::string>{"H2A", "H2B", "H2C"}));
  EXPECT_EQ(plan.namingCards, std::vector<std::string>{"DFIX 1.54 C1 C2"});
  EXPECT_EQ(deletionQuestion(plan),
            "These riding H atoms are deleted with their group: H2A, H2B, H2C.\n"
            "These cards name a deleted atom and will name a missing one:\n"
            "DFIX 1.54 C1 C2\nDelete?");
  for (const AtomRef& ref : plan.entries)
    (ref.kind == AtomKind::Atom ? s.atoms[ref.index].mark : s.hydrogens[ref.index].mark) = 1;
  const PurgeMap map = purgeMarked(s);

  EXPECT_EQ(s.nonHCount, 2);
  EXPECT_EQ(s.hCount, 2);
  EXPECT_EQ(map.map({AtomKind::Atom, 3}), (AtomRef{AtomKind::Atom, 2}));
  EXPECT_EQ(map.map({AtomKind::Atom, 2}), AtomRef{});
  EXPECT_EQ(map.map({AtomKind::Hydrogen, 4}), (AtomRef{AtomKind::Hydrogen, 1})) << "H9";
  EXPECT_EQ(s.isoCount, 2);
  // The saved file loses exactly the atom and its group; the card that stood before C2 now
  // stands before what followed it, the free H atom H9.
  const std::vector<std::string> after = model::instructionFileLines(s);
  const auto c2 = std::find_if(before.begin(), before.end(),
                               [](const std::string& line) { return line.starts_with("C2 "); });
  ASSERT_NE(c2, before.end());
  ASSERT_EQ(*(c2 - 1), "DFIX 1.54 C1 C2");
  // C2, AFIX 137, its three H atoms and AFIX 0.
  const std::vector<std::string> gone(c2, c2 + 6);
  ASSERT_EQ(gone.back(), "AFIX 0");
  EXPECT_EQ(after, without(before, gone));
  EXPECT_TRUE(model::ridingHydrogensWithoutParent(s).empty());
}

TEST(AtomPurge, DeletingOneHOfAGroupTakesTheGroupAndFreesTheParent) {
  auto read = readInsText(head() + atomList);
  model::StructureModel& s = read->s();
  const DeletionPlan plan = planDeletion(s, {{AtomKind::Hydrogen, 2}});
  EXPECT_EQ(plan.entries,
            (std::vector<AtomRef>{
                {AtomKind::Hydrogen, 2}, {AtomKind::Hydrogen, 1}, {AtomKind::Hydrogen, 3}}));
  EXPECT_EQ(plan.ridingHydrogens, (std::vector<std::string>{"H2A", "H2C"}));
  for (const AtomRef& ref : plan.entries)
    s.hydrogens[ref.index].mark = 1;
  purgeMarked(s);
  EXPECT_EQ(s.atoms[2].afixGroup, 0) << "C2 carries no group now";
  EXPECT_NE(s.atoms[3].afixGroup, 0) << "C3 keeps its own";
  EXPECT_EQ(s.hydrogens[1].label, "H9");
  EXPECT_TRUE(model::ridingHydrogensWithoutParent(s).empty());
}

TEST(AtomPurge, PeaksCloseUpInOrderWithTheirHeights) {
  auto read = readInsText(head() + atomList +
                          "Q1 1 0.5 0.5 0.5 11.0 0.05 0.30\nQ2 1 0.6 0.5 0.5 11.0 0.05 0.20\n"
                          "Q3 1 0.7 0.5 0.5 11.0 0.05 0.10\n");
  model::StructureModel& s = read->s();
  ASSERT_EQ(s.peakCount, 3);
  s.view[3][3] = {7, 8, 9};
  s.peaks[1].mark = 1;
  const PurgeMap map = purgeMarked(s);
  EXPECT_EQ(s.peakCount, 2);
  EXPECT_EQ(s.workingPeakCount, 2);
  EXPECT_DOUBLE_EQ(s.peaks[1].height, 0.20);
  EXPECT_DOUBLE_EQ(s.peaks[2].x, 0.7);
  EXPECT_EQ(s.view[3][2], (model::Vec3{7, 8, 9}));
  EXPECT_EQ(remapped(map, {{AtomKind::Peak, 1}, {AtomKind::Peak, 3}, {AtomKind::Atom, 1}}),
            (std::vector<AtomRef>{{AtomKind::Peak, 2}, {AtomKind::Atom, 1}}));
  EXPECT_TRUE(map.changed());
}

}  // namespace
}  // namespace tavo::editing
