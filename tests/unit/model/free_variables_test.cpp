// Compaction of the free variables after a load, and re-decoding.
#include "model/free_variables.h"

#include <gtest/gtest.h>

#include "model/instruction_writer.h"
#include "reader_fixture.h"

namespace tavo::testing {
namespace {

std::string atomWithSof(int n, std::string_view sof) {
  return "C" + std::to_string(n) + " 1 0.1 0.2 0.3 " + std::string(sof) + " 0.05\n";
}

TEST(FreeVariables, UnusedFreeVariablesAreDroppedAndCodesRenumbered) {
  auto r = readInsText(head("FVAR 1.2 0.6 0.7") + atomWithSof(1, "31.0") + atomWithSof(2, "-31.0") +
                       "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  EXPECT_EQ(s.fvarCount, 2);
  EXPECT_DOUBLE_EQ(s.fvar[2], 0.7);
  EXPECT_DOUBLE_EQ(s.atoms[1].codes[model::Sof], 21);
  EXPECT_DOUBLE_EQ(s.atoms[2].codes[model::Sof], -21);
  EXPECT_NEAR(s.atoms[2].sof, 0.3, 1e-12) << "the decoded value does not change";

  auto none = readInsText(head("FVAR 1.2 0.6") + atomWithSof(1, "11.0") + "HKLF 4\nEND\n");
  ASSERT_TRUE(none->loaded);
  EXPECT_EQ(none->s().fvarCount, 1);
}

TEST(FreeVariables, TwentyIsNoUseButTwentyPointFiveIs) {
  auto r = readInsText(head("FVAR 1.0 0.6 0.8") + atomWithSof(1, "20.0") + atomWithSof(2, "30.5") +
                       "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  EXPECT_EQ(s.fvarCount, 2);
  EXPECT_DOUBLE_EQ(s.fvar[2], 0.8);
  EXPECT_DOUBLE_EQ(s.atoms[1].codes[model::Sof], 20.0);
  EXPECT_DOUBLE_EQ(s.atoms[2].codes[model::Sof], 20.5);
  EXPECT_NEAR(s.atoms[2].sof, 0.4, 1e-12);
}

TEST(FreeVariables, OneCodingRuleForDecodingEncodingRedecodingAndUses) {
  // v = 10·m + p with m the integer nearest v/10: m = 0 free, ±1 fixed at p, m > 1 p·FV(m),
  // m < -1 p·(FV(-m) - 1).
  model::OneBased<double> fvar;
  fvar.allocate(5);
  fvar[2] = 0.6;
  fvar[3] = 0.2;
  struct Case {
    double code;
    double storedCode;  // 0 refined, 10 fixed, otherwise the number as read
    int uses;           // the free variable the compaction keeps for it
    double value;       // decoded
    const char* why;
  };
  const Case cases[] = {
      {4.99, 0, 0, 4.99, "below 5 a plain value"},
      {-4.99, 0, 0, -4.99, "above -5 a plain value"},
      {6.339, 10, 0, -3.661, "a coordinate beyond 5 is fixed at v - 10"},
      {-10.25, 10, 0, -0.25, "m = -1 is fixed too, at p"},
      {11.0, 10, 0, 1.0, "the usual fixed occupancy"},
      {14.99, 10, 0, 4.99, "just below 15 still fixed"},
      {15.0, 15.0, 2, -3.0, "halfway rounds away from zero: -5 x FV(2)"},
      {17.5, 17.5, 2, -1.5, "-2.5 x FV(2)"},
      {-17.5, -17.5, 2, -1.0, "2.5 x (FV(2) - 1)"},
      {19.99999, 19.99999, 2, -0.000006, "just below 20 is tied as well"},
      {20.0, 20.0, 0, 0.0, "0 x FV(2): tied, but depends on no free variable"},
      {-20.0, -20.0, 0, 0.0, "0 x (FV(2) - 1)"},
      {20.5, 20.5, 2, 0.3, "0.5 x FV(2)"},
      {-31.0, -31.0, 3, 0.8, "-1 x (FV(3) - 1)"},
      {30.0, 30.0, 0, 0.0, "0 x FV(3)"},
      {1e7, 1e7, 0, 0.0, "too large to name a free variable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(model::isTiedCode(c.code), c.storedCode != 0 && c.storedCode != 10);
    EXPECT_EQ(model::freeVariableUsedBy(c.code), c.uses);
    const model::DecodedValue decoded = model::decodeFreeVariable(c.code, fvar);
    EXPECT_NEAR(decoded.value, c.value, 1e-9);
    EXPECT_EQ(decoded.code, c.storedCode);
    // Written back, the number decodes to the same value by the same rule.
    const double written = model::encodeFreeVariable(decoded.value, decoded.code);
    EXPECT_NEAR(model::decodeFreeVariable(written, fvar).value, c.value, 1e-9) << written;
  }
  EXPECT_TRUE(model::isPlainValue(4.999999) && model::isPlainValue(-4.999999));
  EXPECT_FALSE(model::isPlainValue(5.0) || model::isPlainValue(-5.0));

  // The fixing window stores codes as typed; re-decoding follows the same rule.
  auto r = readInsText(head("FVAR 1.0 0.6") + atomWithSof(1, "21.0") + atomWithSof(2, "11.0") +
                       atomWithSof(3, "11.0") + "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  s.atoms[1].codes[model::Sof] = 20.0;
  s.atoms[2].codes[model::Sof] = 10;
  s.atoms[3].codes[model::Sof] = 17.5;
  model::redecodeAll(s);
  EXPECT_DOUBLE_EQ(s.atoms[1].sof, 0.0);
  EXPECT_DOUBLE_EQ(s.atoms[2].sof, 1.0) << "fixed: the value stays";
  EXPECT_NEAR(s.atoms[3].sof, -1.5, 1e-12);
}

TEST(FreeVariables, NumbersOfAFileAreReadBySHELXLsRule) {
  // A coordinate above 5 is no refined value, and -10.25 is fixed at -0.25; written again,
  // both keep their meaning.
  auto r = readInsText(head("FVAR 1.0 0.7") + "C1 1 6.339 -10.25 0.3 17.5 0.05\nHKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  const model::Atom& c1 = r->s().atoms[1];
  EXPECT_NEAR(c1.x, -3.661, 1e-12);
  EXPECT_DOUBLE_EQ(c1.codes[model::X], 10);
  EXPECT_NEAR(c1.y, -0.25, 1e-12);
  EXPECT_DOUBLE_EQ(c1.codes[model::Y], 10);
  EXPECT_NEAR(c1.sof, -2.5 * 0.7, 1e-12);
  EXPECT_EQ(r->s().fvarCount, 2) << "17.5 uses FV(2)";
  const std::string line = model::atomLines(c1).front();
  EXPECT_NE(line.find("6.33900"), std::string::npos) << line;
  EXPECT_NE(line.find("9.75000"), std::string::npos) << line;
  EXPECT_NE(line.find("17.50000"), std::string::npos) << line;
}

TEST(FreeVariables, FreeVariablesThatCardsReferToKeepTheirNumbers) {
  // SUMP refers to FV(2) and FV(3); FV(4) and FV(5) serve nothing; FV(6), FV(7) serve atoms.
  auto r = readInsText(head("FVAR 1.0 0.3 0.3 0.3 0.5 0.6 0.9") + atomWithSof(1, "21.0") +
                       "SUMP 1.0 0.001 1.0 2 1.0 3\n" + atomWithSof(2, "61.0") +
                       atomWithSof(3, "-71.0") + "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  ASSERT_EQ(s.fvarCount, 5);
  EXPECT_DOUBLE_EQ(s.fvar[3], 0.3) << "FV(3) is used only by SUMP and stays";
  EXPECT_DOUBLE_EQ(s.fvar[4], 0.6);
  EXPECT_DOUBLE_EQ(s.fvar[5], 0.9);
  EXPECT_DOUBLE_EQ(s.atoms[1].codes[model::Sof], 21);
  EXPECT_DOUBLE_EQ(s.atoms[2].codes[model::Sof], 41);
  EXPECT_DOUBLE_EQ(s.atoms[3].codes[model::Sof], -51);
  EXPECT_NEAR(s.atoms[3].sof, 0.1, 1e-12);
}

TEST(FreeVariables, PartOccupanciesAndRidingTextsCountAsCards) {
  auto r = readInsText(head("FVAR 1.0 0.3 0.4 0.5") + "PART 1 31\n" + atomWithSof(1, "31.0") +
                       "PART 0\n" + atomWithSof(2, "41.0") + "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  EXPECT_EQ(r->s().fvarCount, 4) << "FV(2) below the PART's FV(3) keeps its place";
  EXPECT_DOUBLE_EQ(r->s().atoms[2].codes[model::Sof], 41);
}

TEST(FreeVariables, CardsReferToFreeVariables) {
  struct Case {
    std::vector<std::string> lines;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {{"SUMP 1.0 0.001 1.0 2 1.0 3"}, {2, 3}},
      {{"SUMP 1 0.01 1 2 =", "   1 5"}, {2, 5}},
      {{"PART 1 31"}, {3}},
      {{"PART 1 -41.0"}, {4}},
      {{"PART 2"}, {}},
      {{"PART 1 10.5"}, {}},
      {{"DFIX 21 0.02 C1 C2"}, {2}},
      {{"DFIX 1.54 C1 C2"}, {}},
      {{"DANG_ABC 32.5 C1 C2"}, {3}},
      {{"CHIV -41 C1"}, {4}},
      {{"AFIX 137"}, {}},
      {{"AFIX 23 0.97 31"}, {3}},
      {{"HFIX 43 C1"}, {}},
      {{"SADI 0.02 C1 C2 C3 C4"}, {}},
      {{"REM DFIX 21 C1 C2"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    EXPECT_EQ(model::freeVariablesOfCard(c.lines), c.expected);
  }
}

TEST(FreeVariables, CodesAreRoundedThroughTheirEightCharacterText) {
  struct Case {
    double code, shown;
  };
  const Case cases[] = {
      {21.0, 21.0}, {-31.0, -31.0}, {30.25, 30.25},       {21.123456789, 21.12345},
      {0, 0},       {10, 10},       {-1234567, -1234567}, {123456789, 12345678}};
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(model::roundCodeThroughText(c.code), c.shown) << c.code;
}

TEST(FreeVariables, RedecodeAllFollowsChangedFreeVariables) {
  auto r = readInsText(head("FVAR 1.0 0.6") + atomWithSof(1, "21.0") + atomWithSof(2, "-21.0") +
                       atomWithSof(3, "11.0") +
                       "AFIX 43\nH3 2 0.1 0.2 0.3 21.0 -1.2\nAFIX 0\nHKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  s.fvar[2] = 0.4;
  model::redecodeAll(s);
  EXPECT_NEAR(s.atoms[1].sof, 0.4, 1e-12);
  EXPECT_NEAR(s.atoms[2].sof, 0.6, 1e-12);
  EXPECT_DOUBLE_EQ(s.atoms[3].sof, 1.0);
  EXPECT_NEAR(s.hydrogens[1].sof, 0.4, 1e-12);
  EXPECT_DOUBLE_EQ(s.hydrogens[1].uiso, -1.2);
}

}  // namespace
}  // namespace tavo::testing

namespace tavo::testing {
namespace {

TEST(FreeVariableCompaction, CodesAndCardNumbersFarBeyondAnyFreeVariableAreLeftAlone) {
  const TempFolder folder;
  const std::string file = R"(TITL huge codes
CELL 0.71073 10 10 10 90 90 90
ZERR 4 0 0 0 0 0 0
SFAC C
UNIT 2
SUMP 1 0.01 1 2 1 1e300
L.S. 4
FVAR 1.0 0.5 0.6
C1 1 0.1 0.2 0.3 1e300 0.05
C2 1 0.2 0.2 0.3 21.0 -1e300
HKLF 4
)";
  auto r = readIn(folder, file, "huge.ins");
  ASSERT_TRUE(r->loaded);
  EXPECT_EQ(r->s().atoms[1].codes[model::Sof], 1e300);
  EXPECT_EQ(r->s().atoms[1].sof, 0) << "a free variable that does not exist counts as 0";
  EXPECT_EQ(r->s().atoms[2].codes[model::Sof], 21.0);
}

}  // namespace
}  // namespace tavo::testing
