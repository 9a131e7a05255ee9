// Renumbering plans: the renaming table and the labels with numbers or letters.
#include "editing/renumber.h"

#include <gtest/gtest.h>

namespace tavo::editing {
namespace {

using model::AtomKind;
using model::AtomRef;

/// `count` carbon atoms labelled C1, C2, ... and the picks of all of them in order.
std::vector<AtomRef> carbons(model::StructureModel& s, int count) {
  s.allocate();
  std::vector<AtomRef> picked;
  for (int i = 1; i <= count; ++i) {
    s.atoms[s.addAtom()].label = "C" + std::to_string(i);
    picked.push_back({AtomKind::Atom, i});
  }
  s.nonHCount = count;
  picked.push_back({AtomKind::Peak, 1});  // peaks have no label to renumber
  return picked;
}

TEST(Renumber, NumbersFollowTheFirstNumberAndFillTheTable) {
  model::StructureModel s;
  const RenumberPlan plan = renumberWithNumbers(s, carbons(s, 3), "N", 7);
  ASSERT_EQ(plan.renames.size(), 3u);
  EXPECT_EQ(plan.renames[2].newLabel, "N9");
  EXPECT_EQ(plan.table.rowCount(), 4);
  EXPECT_EQ(plan.table.row(0), (std::vector<std::string>{"OldName", "NewName"}));
  EXPECT_EQ(plan.table.row(3), (std::vector<std::string>{"C3", "N9"}));
  EXPECT_TRUE(plan.messages.empty());
}

TEST(Renumber, LettersBeyondTheAlphabetTakeTheRowNumber) {
  model::StructureModel s;
  const RenumberPlan plan = renumberWithLetters(s, carbons(s, 28));
  ASSERT_EQ(plan.renames.size(), 28u);
  EXPECT_EQ(plan.renames[0].newLabel, "C1A");
  EXPECT_EQ(plan.renames[25].newLabel, "C1Z");
  EXPECT_EQ(plan.renames[26].newLabel, "C127");
  EXPECT_EQ(plan.renames[27].newLabel, "C128");
  EXPECT_EQ(plan.messages,
            std::vector<std::string>(2,
                                     "The number exceeds the limit (Max=26)!  Numerical values "
                                     "will be employed for the names above the maximum "
                                     "limitation"));

  // A bare symbol ending in a letter is the whole base; a longer name loses its last letter.
  s.atoms[1].label = "cl";
  EXPECT_EQ(renumberWithLetters(s, {{AtomKind::Atom, 1}}).renames[0].newLabel, "CLA");
  s.atoms[1].label = "C12b";
  EXPECT_EQ(renumberWithLetters(s, {{AtomKind::Atom, 1}}).renames[0].newLabel, "C12A");
}

}  // namespace
}  // namespace tavo::editing
