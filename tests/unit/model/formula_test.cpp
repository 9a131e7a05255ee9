// Tests of the UNIT number texts and of rewriting the SFAC and UNIT cards in place.
#include "model/formula.h"

#include <gtest/gtest.h>

#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"
#include "unit/model/reader_fixture.h"

namespace tavo::model {
namespace {

TEST(UnitNumberText, WholeNumbersAsIntegersOthersWithThreeDecimals) {
  struct Case {
    double number;
    const char* text;
    const char* why;
  };
  const Case cases[] = {
      {24, "24", "whole"},
      {2.5, "2.500", "fractional"},
      {0.0626, "0.063", "rounded to three decimals"},
      {35.99999999, "36", "the noise of occupancies tied to free variables"},
      {36.0006, "36.001", "a real fraction stays"},
      {0, "0", "an element without atoms"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(unitNumberText(c.number), c.text);
  }
}

TEST(CardLines, LongCardsContinueWithinEightyCharacters) {
  EXPECT_EQ(cardLines("SFAC", {"C", "H"}), (std::vector<std::string>{"SFAC C H"}));
  std::vector<std::string> numbers(20, "1234.500");
  const std::vector<std::string> lines = cardLines("UNIT", numbers);
  ASSERT_EQ(lines.size(), 3u);
  std::size_t words = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_LE(lines[i].size(), 80u) << lines[i];
    EXPECT_EQ(lines[i].back() == '=', i + 1 < lines.size()) << lines[i];
    if (i > 0) {
      EXPECT_EQ(lines[i].substr(0, 5), "     ") << "a continuation starts with blanks";
    }
    words += text::splitWords(lines[i]).size();
  }
  EXPECT_EQ(words, 1 + 20 + 2) << "the name, the numbers and two \"=\"";
}

// A rewrite that needs more or fewer lines moves every marker below the card with it.
TEST(RewriteCards, ReplacesTheWholeCardAndMovesTheMarkersBelow) {
  auto read = testing::readInsText(
      "TITL test\nCELL 0.71073 10.0 11.0 12.0 90 100 90\nZERR 4 0.001 0.001 0.001 0 0.01 0\n"
      "SFAC C H =\n N O\nUNIT 10 12 =\n 2 4\nL.S. 4\nWGHT 0.1\nFVAR 1.0\n"
      "C1    1    0.100000    0.200000    0.300000    11.00000    0.05000\nHKLF 4\nEND\n");
  ASSERT_TRUE(read->loaded) << ::testing::PrintToString(read->dialogs.shown);
  StructureModel& s = read->s();
  ASSERT_EQ(s.elementCount, 4);
  ASSERT_EQ(s.markers.lsLine, 7);
  ASSERT_EQ(findCards(s, "UNIT").size(), 1u);
  EXPECT_EQ(findCards(s, "UNIT").front().count, 2);

  rewriteSfacCard(s);
  s.elements[1].unitCount = 2.5;
  rewriteUnitCard(s);
  const std::vector<std::string> expected = {"TITL test",
                                             "CELL 0.71073 10.0 11.0 12.0 90 100 90",
                                             "ZERR 4 0.001 0.001 0.001 0 0.01 0",
                                             "SFAC C H N O",
                                             "UNIT 2.500 12 2 4",
                                             "L.S. 4",
                                             "WGHT 0.1"};
  EXPECT_EQ(s.instructionLines, expected);
  EXPECT_EQ(s.markers.sfacLine, 3);
  EXPECT_EQ(s.markers.unitLine, 4);
  EXPECT_EQ(s.markers.lsLine, 5);
  EXPECT_EQ(s.markers.wghtLine, 6);
  EXPECT_EQ(s.markers.cellLine, 1);
}

TEST(RewriteCards, RefusesWhatItCannotRewrite) {
  StructureModel s;
  s.instructionLines = {"TITL t", "REM SFAC C H", "SFAC C H", "L.S. 4"};
  EXPECT_EQ(sfacRewriteRefusal(s), "") << "a REM line is no card";
  EXPECT_EQ(unitRewriteRefusal(s), "There is no UNIT card in the instruction lines to rewrite.");
  EXPECT_THROW(rewriteUnitCard(s), UserError);
  s.instructionLines = {"TITL t", "SFAC C 2.31 20.84 1.02 10.21 1.59 0.57 0.87 51.65 0 0 0 1 12",
                        "UNIT 4", "UNIT 4"};
  EXPECT_EQ(sfacRewriteRefusal(s),
            "The SFAC card \"SFAC C 2.31 20.84 1.02 10.21 1.59 0.57 0.87 51.65 0 0 0 1 12\" gives "
            "scattering factors. Only a single SFAC card of element symbols is rewritten here: "
            "change SFAC and UNIT in the instruction lines (\"Edit Shelxl-97 Commands\") instead.");
  EXPECT_EQ(unitRewriteRefusal(s),
            "The instruction lines hold 2 UNIT cards. Only a single UNIT card is rewritten here: "
            "change SFAC and UNIT in the instruction lines (\"Edit Shelxl-97 Commands\") instead.");
  EXPECT_THROW(rewriteSfacCard(s), UserError);
}

}  // namespace
}  // namespace tavo::model
