// PART colours, the legend, hidden components and labels qualified by their residue.
#include "view/part_display.h"

#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "unit/geometry/structure_fixture.h"

namespace tavo::view {
namespace {

using testing::addAtom;
using testing::addHydrogen;
using testing::fixtureStructure;

TEST(PartColours, PartZeroKeepsTheElementColourAndPartsTheirOwn) {
  PartDisplay display;
  const Color carbon = 0x404040;
  EXPECT_EQ(drawnColor(&display, 0, carbon), carbon);
  EXPECT_EQ(drawnColor(&display, 1, carbon), partColor(1));
  EXPECT_NE(partColor(1), partColor(2));
  EXPECT_EQ(partColor(-1), partColor(1)) << "PART -1 (special position) as PART 1";
  EXPECT_EQ(partColor(9), partColor(1)) << "eight colours, then again";
  display.coloured = false;
  EXPECT_EQ(drawnColor(&display, 1, carbon), carbon);
  EXPECT_EQ(drawnColor(nullptr, 2, carbon), carbon);
}

TEST(PartDisplayFollowsTheStructure, PartsHiddenPartsAndRepeatedResidueLabels) {
  model::StructureModel s = fixtureStructure(20);
  // Residues 1 and 2 both have C1 and C2 (labels compared without case); O1 only residue 2.
  const struct {
    const char* label;
    int residue, part;
  } atoms[] = {{"C1", 1, 0}, {"C2", 1, 1}, {"C1", 2, 0}, {"c2", 2, 2}, {"O1", 2, 2}};
  for (const auto& a : atoms) {
    const int i = addAtom(s, a.label, 1, 0, 0, 0);
    s.atoms[i].residue.number = a.residue;
    s.atoms[i].part = a.part;
  }
  const int h = addHydrogen(s, "H1", 0, 0, 0);
  s.hydrogens[h].residue.number = 1;
  s.hydrogens[h].part = -1;

  PartDisplay display;
  display.hidden = {2, 5};
  followStructure(display, s);
  EXPECT_EQ(display.parts, (std::vector<int>{-1, 1, 2}));
  EXPECT_EQ(display.hidden, std::vector<int>{2}) << "PART 5 is gone from the structure";
  EXPECT_TRUE(display.hides(2));
  EXPECT_FALSE(display.hides(0)) << "part 0 is never hidden";

  const int expected[] = {0, 1, 1, 2, 2, 0};  // by atom index 1..5
  for (int i = 1; i <= 5; ++i) {
    SCOPED_TRACE(atoms[i - 1].label);
    EXPECT_EQ(display.labelResidue(s, 1, i), expected[i]);
  }
  EXPECT_EQ(display.labelResidue(s, 2, 1), 0) << "H1 is found in one residue only";
  // A symmetry copy of C1 of residue 2 (entry 3) is labelled as its file atom.
  s.workingAtomCount = 2 * s.nonHCount;
  EXPECT_EQ(display.labelResidue(s, 1, s.nonHCount + 3), 2);
  EXPECT_EQ(residueLabel("C1", 2), "C1_2");
}

TEST(PartLegend, OneBallAndTextPerComponentWhileColoured) {
  PartDisplay display;
  display.parts = {1, 2};
  display.hidden = {2};
  testing::RecordingCanvas canvas;
  drawPartLegend(canvas, display, 8);
  EXPECT_EQ(canvas.writtenTexts(), (std::vector<std::string>{"PART 1", "PART 2, hidden"}));
  EXPECT_EQ(canvas.of(testing::Shape::Ellipse).size(), 2u);

  testing::RecordingCanvas off;
  display.coloured = false;
  drawPartLegend(off, display, 8);
  EXPECT_TRUE(off.calls.empty());
}

}  // namespace
}  // namespace tavo::view
