// Tests of renaming atoms inside cards and of the cards naming an atom.
#include "model/card_relabel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/text.h"
#include "unit/model/reader_fixture.h"
#include "unit/model/residues_fixture.h"

namespace tavo::model {
namespace {

using Lines = std::vector<std::string>;
using testing::residuesIns;
using testing::tol;

StructureModel withLines(Lines lines) {
  StructureModel s;
  s.allocate();
  s.resetForLoad();
  s.instructionLines = std::move(lines);
  return s;
}

TEST(RelabelCards, OneLineCardsOfTheInstructionPart) {
  // All at once: a chain (C1 -> C10 -> C11), a swap (N1 <-> O1) and a longer name (C2 -> C2A).
  const std::vector<LabelRename> renames = {
      {"C1", "C10", {}}, {"C10", "C11", {}}, {"N1", "O1", {}}, {"O1", "N1", {}}, {"C2", "C2A", {}}};
  struct Case {
    const char* line;
    const char* expected;
    const char* why;
  };
  const Case cases[] = {
      {"DFIX 1.54 C1 C10", "DFIX 1.54 C10 C11", "a chain is renamed once"},
      {"EXYZ  N1    O1", "EXYZ  O1    N1", "a swap; equal lengths keep the layout"},
      {"DFIX 1.5 c1 o1", "DFIX 1.5 C10 N1", "case is ignored"},
      {"SADI C1 C2 C1_$1 C2_$1", "SADI C10 C2A C10_$1 C2A_$1", "symmetry suffix kept"},
      {"SADI  0.02  C1  C2", "SADI  0.02  C10  C2A", "longer words shift the rest"},
      {"DFIX 21.0 C1 N1", "DFIX 21.0 C10 O1", "a free-variable word stays"},
      {"SADI C1_2 C10", "SADI C1_2 C11", "C1 of residue 2 is another atom"},
      {"SADI C1_* C10", "SADI C10_* C11", "_* reaches every residue"},
      {"DFIX_1 1.5 C1 C10", "DFIX_1 1.5 C1 C10", "the card is about residue 1"},
      {"SADI_* C1 C10", "SADI_* C10 C11", "the card is about every residue"},
      {"HTAB C1 O1_$2", "HTAB C10 N1_$2", "HTAB names atoms"},
      {"RTAB C1 C1 C10", "RTAB C1 C10 C11", "the code name of RTAB is no atom"},
      {"SADI C1 > C10", "SADI C10 > C11", "a range keeps its sign"},
      {"ISOR 0.01 C1 ! C1 moves", "ISOR 0.01 C10 ! C1 moves", "the comment stays"},
      {"REM DFIX C1 C10", "REM DFIX C1 C10", "a REM line is untouched"},
      {"SUMP 1 0.001 1 2 1 3", "SUMP 1 0.001 1 2 1 3", "SUMP names free variables"},
      {"CONN 5 C1", "CONN 5 C10", "CONN"},
      {"SADI C1 C2=", "SADI C10 C2A=", "a continuation sign against the last name"},
      {"C1", "C1", "a line that is no card"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    StructureModel s = withLines({"TITL C1 in P-1", c.line});
    relabelCards(s, renames);
    EXPECT_EQ(s.instructionLines, (Lines{"TITL C1 in P-1", c.expected}));
  }
}

TEST(RelabelCards, ContinuationLinesAndLinesThatOutgrowEightyCharacters) {
  // 79 characters: renaming C1 to C1AA makes it 81.
  std::string sadi = "SADI 0.0200";
  for (int k = 0; k < 10; ++k)
    sadi += " C2 C3";
  sadi += " C1 C4 =";
  ASSERT_EQ(sadi.size(), 79u);
  StructureModel s = withLines({"TITL t", "DFIX 1.5 C2 C3 =", "     C1 C4", "L.S. 4", sadi,
                                "     C1 C2", "WGHT 0.1", "FVAR 1"});
  s.markers.lsLine = 3;
  s.markers.wghtLine = 6;
  EXPECT_EQ(relabelCards(s, {{"C1", "C1AA", {}}}), 3);
  const Lines& l = s.instructionLines;
  ASSERT_EQ(l.size(), 9u);
  EXPECT_EQ(l[1], "DFIX 1.5 C2 C3 =");
  EXPECT_EQ(l[2], "     C1AA C4");
  EXPECT_EQ(l[3], "L.S. 4");
  for (std::size_t r = 4; r <= 6; ++r) {
    EXPECT_LE(l[r].size(), 80u) << l[r];
    EXPECT_TRUE(r == 6 || l[r].ends_with(" =")) << l[r];
  }
  EXPECT_EQ(l[6], "     C1AA C2");
  // No word lost: the card reads as before, C1 renamed.
  const std::string card = l[4] + " " + l[5] + " " + l[6];
  const std::string expected = sadi + " C1 C2";
  const auto words = [](const std::string& text) {
    std::vector<std::string> out;
    for (auto w : text::splitWords(text))
      if (w != "=" && !w.empty()) out.emplace_back(w == "C1" ? "C1AA" : std::string(w));
    return out;
  };
  EXPECT_EQ(words(card), words(expected));
  EXPECT_EQ(s.markers.lsLine, 3);
  EXPECT_EQ(s.markers.wghtLine, 7);
  EXPECT_EQ(l[7], "WGHT 0.1");
}

TEST(RelabelCards, ResidueSuffixesAndTheResidueInForceWhereACardStands) {
  auto read = testing::readInsText(residuesIns);
  ASSERT_TRUE(read->loaded);
  StructureModel& s = read->s();
  const auto cardLine = [&](std::string_view start) {
    for (const AtomListCard& card : s.atomListCards)
      if (card.lines.front().starts_with(start)) return card.lines.front();
    return std::string("none");
  };
  relabelCards(s, {{"C1", "C9", tol(1)}});
  EXPECT_EQ(s.instructionLines[5], "SADI_TOL C9 C2");  // every TOL residue
  EXPECT_EQ(s.instructionLines[6], "DFIX 1.5 C1 C2");  // residue 0
  EXPECT_EQ(cardLine("FLAT"), "FLAT C9 C2 C1_+");      // in residue 1; _+ is residue 2
  EXPECT_EQ(cardLine("DFIX"), "DFIX 2.5 C1 C9_1 C1_2 C9_TOL");

  relabelCards(s, {{"C1", "C8", tol(2)}});
  EXPECT_EQ(cardLine("FLAT"), "FLAT C9 C2 C8_+");
  EXPECT_EQ(cardLine("DFIX"), "DFIX 2.5 C1 C9_1 C8_2 C9_TOL");
}

TEST(CardsNaming, TheCardsThatNameOneAtom) {
  auto read = testing::readInsText(residuesIns);
  ASSERT_TRUE(read->loaded);
  const StructureModel& s = read->s();
  EXPECT_EQ(cardsNaming(s, "c1", tol(1)),
            (Lines{"SADI_TOL C1 C2", "FLAT C1 C2 C1_+", "DFIX 2.5 C1 C1_1 C1_2 C1_TOL"}));
  EXPECT_EQ(cardsNaming(s, "C1", Residue{}),
            (Lines{"DFIX 1.5 C1 C2", "DFIX 2.5 C1 C1_1 C1_2 C1_TOL"}));
  EXPECT_EQ(cardsNaming(s, "H2", tol(1)), Lines{});
}

}  // namespace
}  // namespace tavo::model
