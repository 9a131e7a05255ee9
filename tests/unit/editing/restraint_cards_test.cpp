// Cards from picked atoms: their texts, the splitting into lines SHELXL continues with "=", their
// place above L.S., and the cards refused because SHELXL would misread them.
#include "editing/restraint_cards.h"

#include <gtest/gtest.h>

#include "text/errors.h"
#include "unit/model/reader_fixture.h"

namespace tavo::editing {
namespace {

using model::AtomKind;
using model::AtomRef;
using testing::head;
using testing::readInsText;

const std::string atomList =
    "C1    1    0.100000    0.200000    0.300000    11.00000    0.05000\n"
    "C2    1    0.200000    0.200000    0.300000    11.00000    0.05000\n"
    "C3    1    0.300000    0.200000    0.300000    11.00000    0.05000\n"
    "C4    1    0.400000    0.200000    0.300000    11.00000    0.05000\n"
    "C5    1    0.500000    0.200000    0.300000    11.00000    0.05000\n"
    "H5    2    0.550000    0.200000    0.300000    11.00000    0.05000\n"
    "HKLF 4\nEND\n";

std::vector<AtomRef> atoms(std::initializer_list<int> indices) {
  std::vector<AtomRef> refs;
  for (int i : indices)
    refs.push_back({AtomKind::Atom, i});
  return refs;
}

TEST(RestraintCards, SplitsLongCardsAtBlanksWithContinuationLines) {
  const std::string exactly80 = "FLAT" + std::string(75, 'x') + "y";
  EXPECT_EQ(splitCardLines(exactly80), std::vector<std::string>{exactly80});
  // 103 characters: the first line ends at the last blank at or before position 78, plus "=".
  std::string flat = "FLAT";
  for (int i = 1; i <= 20; ++i)
    flat += " C" + std::to_string(i) + (i < 10 ? "A" : "");
  const std::vector<std::string> lines = splitCardLines(flat);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].ends_with(" =")) << lines[0];
  EXPECT_LE(lines[0].size(), cardLineWidth);
  EXPECT_EQ(lines[1][0], ' ');
  EXPECT_EQ(lines[0].substr(0, lines[0].size() - 2) + lines[1], flat);
  // No blank to split at: cut after position 4.
  const std::vector<std::string> solid = splitCardLines(std::string(90, 'x'));
  EXPECT_EQ(solid[0], "xxxx=");
}

TEST(RestraintCards, ComposesEachModesCard) {
  const auto read = readInsText(head() + atomList);
  const model::StructureModel& s = *read->structure;
  CardInputs in;
  const struct {
    MouseMode mode;
    std::vector<AtomRef> picked;
    std::string dfixDistance;
    int m, n;
    std::vector<std::string> card;
  } cases[] = {
      {MouseMode::Hfix, atoms({3, 5}), "", 4, 3, {"HFIX 43 -1.2 C3 C5"}},
      {MouseMode::Hfix, atoms({1}), "", 13, 7, {"HFIX 137 -1.5 C1"}},
      {MouseMode::Hfix, atoms({1}), "", 3, 3, {"HFIX 33 -1.5 C1"}},
      {MouseMode::Hfix, atoms({1}), "", 2, 3, {"HFIX 23 -1.2 C1"}},
      {MouseMode::Hfix, atoms({1}), "", 14, 7, {"HFIX 147 -1.5 C1"}},
      {MouseMode::Hfix, atoms({1}), "", 4, 6, {"HFIX 46 -1.2 C1"}},
      {MouseMode::Sadi, atoms({1, 2, 3, 4, 5}), "", 4, 3, {"SADI C1 C2 C3 C4"}},
      {MouseMode::Anis, atoms({2, 1}), "", 4, 3, {"ANIS C2 C1"}},
      {MouseMode::Delu, atoms({1, 2}), "", 4, 3, {"DELU C1 C2"}},
      {MouseMode::Dfix,
       {{AtomKind::Atom, 5}, {AtomKind::Hydrogen, 1}},
       "0.95",
       4,
       3,
       {"DFIX 0.95 0.03 C5 H5"}},
      {MouseMode::Dfix, atoms({1, 2, 3}), "1.54", 4, 3, {}},
      {MouseMode::Bind, atoms({1, 2}), "", 4, 3, {"BIND C1 C2"}},
      {MouseMode::Bind, {{AtomKind::Atom, 5}, {AtomKind::Hydrogen, 1}}, "", 4, 3, {}},
  };
  for (const auto& c : cases) {
    in.dfixDistance = c.dfixDistance;
    in.hfixM = c.m;
    in.hfixN = c.n;
    EXPECT_EQ(composeCard(s, c.mode, c.picked, in), c.card) << menuCaption(c.mode);
  }
}

TEST(RestraintCards, RefusesCardsShelxlWouldMisread) {
  const auto read = readInsText(head() + atomList);
  const model::StructureModel& s = *read->structure;
  const struct {
    MouseMode mode;
    std::vector<AtomRef> picked;
    std::string distance;
    const char* why;
  } cases[] = {
      {MouseMode::Dfix, atoms({1, 2}), "", "an empty distance makes the esd the distance"},
      {MouseMode::Dfix, atoms({1, 2}), "1.5x", "a distance that is not a number"},
      {MouseMode::Flat, atoms({1, 2, 3}), "", "a plane of three atoms restrains nothing"},
      {MouseMode::Sadi, atoms({1, 2, 3}), "", "one pair has nothing to be similar to"},
      {MouseMode::Delu, {{AtomKind::Peak, 1}}, "", "a peak has no label"},
  };
  for (const auto& c : cases) {
    CardInputs in;
    in.dfixDistance = c.distance;
    EXPECT_THROW(composeCard(s, c.mode, c.picked, in), UserError) << c.why;
  }
}

TEST(RestraintCards, ComposesTheRefinementRestraints) {
  const auto read = readInsText(head() + atomList);
  const model::StructureModel& s = *read->structure;
  const AtomRef h5{AtomKind::Hydrogen, 1};
  // Thirty labels make a card of 94 characters: cut after the 24th label, at position 77.
  std::vector<AtomRef> many;
  for (int round = 0; round < 6; ++round)
    for (int i = 1; i <= 5; ++i)
      many.push_back({AtomKind::Atom, i});
  const struct {
    MouseMode mode;
    std::vector<AtomRef> picked;
    std::string distance, esds;
    std::vector<std::string> card;
  } cases[] = {
      {MouseMode::Rigu, atoms({1, 2, 3}), "", "", {"RIGU C1 C2 C3"}},
      {MouseMode::Rigu, atoms({2, 1}), "", " 0.004  0.006 ", {"RIGU 0.004 0.006 C2 C1"}},
      {MouseMode::Simu, atoms({1, 2}), "", "0.01 0.02 1.7", {"SIMU 0.01 0.02 1.7 C1 C2"}},
      {MouseMode::Isor, atoms({4}), "", "", {"ISOR C4"}},
      {MouseMode::Isor, atoms({1, 2}), "", "0.05", {"ISOR 0.05 C1 C2"}},
      {MouseMode::Dang,
       {{AtomKind::Atom, 1}, {AtomKind::Atom, 3}, {AtomKind::Atom, 4}, h5},
       " 2.5",
       "",
       {"DANG 2.5 C1 C3 C4 H5"}},
      {MouseMode::Dang, atoms({1, 3}), "1.5", "0.02", {"DANG 1.5 0.02 C1 C3"}},
      // The esd field is not read by the constraints, whatever is left in it.
      {MouseMode::Eadp, atoms({1, 2}), "", "0.1", {"EADP C1 C2"}},
      {MouseMode::Exyz, atoms({3, 2}), "", "", {"EXYZ C3 C2"}},
      {MouseMode::Rigu,
       many,
       "",
       "",
       {"RIGU C1 C2 C3 C4 C5 C1 C2 C3 C4 C5 C1 C2 C3 C4 C5 C1 C2 C3 C4 C5 C1 C2 C3 C4 =",
        " C5 C1 C2 C3 C4 C5"}},
  };
  for (const auto& c : cases) {
    CardInputs in;
    in.dfixDistance = c.distance;
    in.restraintEsds = c.esds;
    EXPECT_EQ(composeCard(s, c.mode, c.picked, in), c.card) << menuCaption(c.mode) << c.esds;
  }
}

TEST(RestraintCards, RefusesRestraintsThatRestrainNothingOrMisread) {
  const auto read = readInsText(head() + atomList);
  const model::StructureModel& s = *read->structure;
  const struct {
    MouseMode mode;
    std::vector<AtomRef> picked;
    std::string distance, esds;
    const char* message;
  } cases[] = {
      {MouseMode::Rigu, atoms({1}), "", "", "The RIGU card needs at least two atoms."},
      {MouseMode::Simu, atoms({1}), "", "", "The SIMU card needs at least two atoms."},
      {MouseMode::Eadp, atoms({1}), "", "", "The EADP card needs at least two atoms."},
      {MouseMode::Exyz, atoms({1}), "", "", "The EXYZ card needs at least two atoms."},
      {MouseMode::Dang, atoms({1, 2, 3}), "2.5", "", "pick two different atoms for each distance"},
      {MouseMode::Dang, atoms({1, 3, 2, 2}), "2.5", "", "pick two different atoms"},
      {MouseMode::Dang, atoms({1, 3}), " ", "", "Please give the DANG distance"},
      {MouseMode::Dang, atoms({1, 3}), "C2", "", "The DANG distance \"C2\" is not a number"},
      {MouseMode::Rigu, atoms({1, 2}), "", "0.004 x", "The RIGU esd \"x\" is not a number"},
      {MouseMode::Isor, atoms({1}), "", "0.1 0", "The ISOR esd \"0\" must be greater than 0."},
      {MouseMode::Simu, atoms({1, 2}), "", "1 2 3 4", "SIMU takes at most 3 numbers (s st dmax)"},
      {MouseMode::Dang, atoms({1, 3}), "2.5", "0.02 0.03", "DANG takes at most 1 number (s)"},
      {MouseMode::Isor, {{AtomKind::Peak, 1}}, "", "", "Peaks cannot be named in a card"},
  };
  for (const auto& c : cases) {
    CardInputs in;
    in.dfixDistance = c.distance;
    in.restraintEsds = c.esds;
    try {
      composeCard(s, c.mode, c.picked, in);
      ADD_FAILURE() << c.message;
    } catch (const UserError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
          << c.message << " <> " << e.what();
    }
  }
}

TEST(RestraintCards, InsertsAboveLsInOrderAllOrNothing) {
  auto read = readInsText(head() + atomList);
  model::StructureModel& s = *read->structure;
  const model::LineMarkers before = s.markers;
  insertCardLines(s, {"FLAT C1 C2 =", " C3 C4"});
  insertCardLines(s, {"DELU C1 C2"});
  EXPECT_EQ(s.instructionLines[before.lsLine], "FLAT C1 C2 =");
  EXPECT_EQ(s.instructionLines[before.lsLine + 1], " C3 C4");
  EXPECT_EQ(s.instructionLines[before.lsLine + 2], "DELU C1 C2");
  EXPECT_EQ(s.markers.lsLine, before.lsLine + 3);
  EXPECT_EQ(s.markers.fmapLine, before.fmapLine + 3);
  EXPECT_EQ(s.markers.unitLine, before.unitLine);

  // Full: neither line goes in.
  s.limits.cmdMax = s.lineCount() + 1;
  const int lines = s.lineCount();
  EXPECT_THROW(insertCardLines(s, {"SADI C1 C2 =", " C3 C4"}), UserError);
  EXPECT_EQ(s.lineCount(), lines);

  // Without L.S. a card would land above TITL.
  s.markers.lsLine = 0;
  EXPECT_THROW(insertCardLines(s, {"DELU C1 C2"}), UserError);
  EXPECT_EQ(s.lineCount(), lines);
}

TEST(RestraintCards, SameNamesTheReferenceAndStandsBeforeItsTarget) {
  auto read = readInsText(head() + atomList);
  model::StructureModel& s = *read->structure;
  const SameCard card = composeSameCard(s, atoms({1, 2, 4, 5}));
  EXPECT_EQ(card.lines, std::vector<std::string>{"SAME C1 C2"});
  EXPECT_EQ(card.before, (AtomRef{AtomKind::Atom, 4}));
  insertSameCard(s, card);
  EXPECT_EQ(s.atomListCards.back().lines, card.lines);
  // Halves of one atom, an odd count, and targets that do not follow one another in the list.
  for (const std::vector<AtomRef>& picked :
       {atoms({1, 2}), atoms({1, 2, 3}), atoms({1, 2, 5, 4}), atoms({1, 2, 3, 5})}) {
    EXPECT_THROW(composeSameCard(s, picked), UserError) << picked.size();
  }
}

}  // namespace
}  // namespace tavo::editing
