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

TEST(ApplyFrame, RecountGivesTheCellContentsOfTheFileAtoms) {
  model::StructureModel s;
  s.allocate();
  s.elementCount = 4;
  const char* symbols[] = {"C", "H", "O", "D"};
  for (int e = 1; e <= 4; ++e) {
    s.elements[e].symbol = symbols[e - 1];
    s.elements[e].unitCount = 99;
  }
  s.symmetry.opCount = 4;  // P21/c
  s.nonHCount = 3;
  s.workingAtomCount = 5;  // two generated copies are not counted
  const double sofs[] = {1.0, 1.0, 0.63412, 1.0, 1.0};
  for (int i = 1; i <= 5; ++i) {
    s.atoms[i].sfac = i == 2 ? 3 : 1;
    s.atoms[i].sof = sofs[i - 1];
  }
  s.hCount = 3;
  s.workingHCount = 3;
  const int hydrogenSfac[] = {2, 2, 4};                      // H, H and a D
  const double hydrogenSof[] = {0.63412, 1 - 0.63412, 0.5};  // D on a special position
  for (int i = 1; i <= 3; ++i) {
    s.hydrogens[i].sfac = hydrogenSfac[i - 1];
    s.hydrogens[i].sof = hydrogenSof[i - 1];
  }
  recountElements(s);
  EXPECT_NEAR(s.elements[1].unitCount, 4 * 1.63412, 1e-9) << "C: sof times the operators";
  EXPECT_EQ(s.elements[2].unitCount, 4) << "H: disordered halves add up to whole atoms";
  EXPECT_EQ(s.elements[3].unitCount, 4);
  EXPECT_EQ(s.elements[4].unitCount, 2) << "an H-table atom of another element counts there";
}

}  // namespace
}  // namespace tavo::editing
