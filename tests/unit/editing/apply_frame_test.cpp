// The order of the Apply sections and the element recount that ends every Apply.
#include "editing/apply_frame.h"

#include <gtest/gtest.h>

namespace tavo::editing {
namespace {

using S = ApplySection;

TEST(ApplyFrame, SectionsRunInTheFixedOrderForEachMode) {
  ModeFlags none;
  none.rotate = false;
  struct Case {
    ModeFlags flags;
    bool useLetters;
    bool globalDelete;
    std::vector<ApplySection> sections;
    const char* why;
  };
  const Case cases[] = {
      {flagsFor(MouseMode::Name), false, false, {S::Name, S::Purge}, "naming ends in the purge"},
      {flagsFor(MouseMode::Delete), false, false, {S::Purge}, "delete is the purge alone"},
      {flagsFor(MouseMode::Renumber), false, false, {S::RenumberNumbers}, "numbers"},
      {flagsFor(MouseMode::Renumber), true, false, {S::RenumberLetters}, "ABC on: letters"},
      {flagsFor(MouseMode::AlignVec),
       false,
       false,
       {S::Center, S::AlignRotation},
       "AlignVec centres first and turns last"},
      {flagsFor(MouseMode::MemUnselc), false, false, {S::Memory}, "memory"},
      {flagsFor(MouseMode::Sadi), false, false, {S::Cards}, "card modes share a section"},
      {flagsFor(MouseMode::MoveGroupDestination), false, false, {S::MoveGroup}, "group move"},
      {flagsFor(MouseMode::Distance), false, false, {}, "nothing but the recount"},
      {none, false, true, {S::Purge}, "the Global Edition Delete option"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(applySections(c.flags, c.useLetters, c.globalDelete), c.sections);
  }
}

TEST(ApplyFrame, RecountCountsFileAtomsAndHAtomsOnlyForH) {
  model::StructureModel s;
  s.allocate();
  s.elementCount = 3;
  s.elements[1].symbol = "C";
  s.elements[2].symbol = "H";
  s.elements[3].symbol = "O";
  for (int e = 1; e <= 3; ++e)
    s.elements[e].unitCount = 99;
  s.nonHCount = 3;
  s.workingAtomCount = 5;  // two generated copies are not counted
  for (int i = 1; i <= 5; ++i)
    s.atoms[i].sfac = i == 2 ? 3 : 1;
  s.hCount = 2;
  s.workingHCount = 2;
  s.hydrogens[1].sfac = 2;
  s.hydrogens[2].sfac = 2;
  recountElements(s);
  EXPECT_EQ(s.elements[1].unitCount, 2);
  EXPECT_EQ(s.elements[2].unitCount, 2);
  EXPECT_EQ(s.elements[3].unitCount, 1);
}

}  // namespace
}  // namespace tavo::editing
