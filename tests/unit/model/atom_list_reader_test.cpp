// The atom list: atoms, riding groups, free H atoms, PART context and the cards among them.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/instruction_writer.h"
#include "reader_fixture.h"

namespace tavo::testing {
namespace {

using model::AtomKind;
using model::AtomRef;

constexpr const char* tail = "HKLF 4\nEND\n";

TEST(AtomListReader, KeepsEveryCardWithTheAtomThatFollowsIt) {
  auto r = readInsText(head() +
                       "REM before all\n"
                       "C1    1    0.1 0.2 0.3 11.0 0.05\n"
                       "DFIX 1.5 C1 N1\n"
                       "SADI 0.02 C1 N1 C1 O1 =\n"
                       "   C2 N1\n"
                       "RESI 1 ABC\n"
                       "N1    3    0.2 0.2 0.3 11.0 0.05\n"
                       "MOLE 1\n"
                       "HFIX 43 C1\n"
                       "EXYZ C1 N1\n" +
                       tail);
  ASSERT_TRUE(r->loaded) << (r->dialogs.shown.empty() ? "" : r->dialogs.shown.front());
  const auto& cards = r->s().atomListCards;
  ASSERT_EQ(cards.size(), 7u);
  EXPECT_EQ(cards[0].lines, std::vector<std::string>{"REM before all"});
  EXPECT_EQ(cards[0].before, (AtomRef{AtomKind::Atom, 1}));
  EXPECT_EQ(cards[1].lines.front(), "DFIX 1.5 C1 N1");
  EXPECT_EQ(cards[2].lines, (std::vector<std::string>{"SADI 0.02 C1 N1 C1 O1 =", "   C2 N1"}));
  EXPECT_EQ(cards[2].before, (AtomRef{AtomKind::Atom, 2}));
  EXPECT_EQ(cards[3].lines.front(), "RESI 1 ABC");
  for (std::size_t k = 4; k < 7; ++k)
    EXPECT_EQ(cards[k].before, AtomRef{}) << "cards after the last atom";
  EXPECT_EQ(r->s().nonHCount, 2);
}

TEST(AtomListReader, ReadsIsotropicAndAnisotropicAtomsWhereverTheLinesBreak) {
  auto r = readInsText(head("FVAR 1.0 0.7") +
                       "C1    1    0.1 0.2 0.3 11.0 0.05 ! a comment\n"
                       "O1 4 0.1 0.2 0.3 21.0 0.02 0.03 0.04 0.001 0.002 0.003\n"
                       "N1    3    0.1 0.2 0.3 11.0 0.02 =\n"
                       "    0.03 0.04 0.001 =\n"
                       "    0.002 0.003\n"
                       "C2    1    0.1 0.2 0.3 =\n"
                       "   11.0 0.04\n"
                       "C3    1    0.1 0.2 0.3 11.0 0.05447!x\n" +
                       tail);
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  ASSERT_EQ(s.nonHCount, 5);
  EXPECT_EQ(s.atoms[1].label, "C1");
  EXPECT_EQ(s.atoms[1].comment, " a comment") << "kept as written, blank included";
  EXPECT_DOUBLE_EQ(s.atoms[5].u11, 0.05447) << "a comment right after the last number";
  EXPECT_EQ(s.atoms[5].comment, "x");
  EXPECT_EQ(s.atoms[1].aniso, 0);
  EXPECT_DOUBLE_EQ(s.atoms[1].u11, 0.05);
  EXPECT_EQ(s.atoms[2].label, "O1") << "single blanks: the label is the first word";
  EXPECT_EQ(s.atoms[2].aniso, 1);
  EXPECT_NEAR(s.atoms[2].sof, 0.7, 1e-12);
  EXPECT_DOUBLE_EQ(s.atoms[2].codes[model::Sof], 21.0);
  EXPECT_DOUBLE_EQ(s.atoms[2].u12, 0.003);
  EXPECT_EQ(s.atoms[3].aniso, 1);
  EXPECT_DOUBLE_EQ(s.atoms[3].u33, 0.04);
  EXPECT_DOUBLE_EQ(s.atoms[3].u13, 0.002);
  EXPECT_EQ(s.atoms[4].aniso, 0);
  EXPECT_DOUBLE_EQ(s.atoms[4].sof, 1.0);
  EXPECT_EQ(s.anisoCount, 2);
  EXPECT_EQ(s.isoCount, 3);
  EXPECT_TRUE(s.atomListCards.empty());
}

TEST(AtomListReader, BlankCommentAndRemRowsBeforeAContinuationArePassedOverAndKept) {
  struct Case {
    std::string between;
    std::vector<std::string> kept;
    const char* why;
  };
  const Case cases[] = {
      {"\n", {""}, "a blank row"},
      {"! the oxygen\n", {"! the oxygen"}, "a comment row"},
      {"REM refined anisotropically\n\n", {"REM refined anisotropically", ""}, "REM and blank"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto r = readInsText(head() + "O1    4    0.1 0.2 0.3 11.0 0.02 0.03 =\n" + c.between +
                         "        0.04 0.001 0.002 0.003\n"
                         "N1    3    0.1 0.2 0.3 11.0 0.05\n" +
                         tail);
    ASSERT_TRUE(r->loaded);
    const auto& s = r->s();
    ASSERT_EQ(s.nonHCount, 2);
    EXPECT_EQ(s.atoms[1].aniso, 1);
    EXPECT_DOUBLE_EQ(s.atoms[1].u33, 0.04);
    EXPECT_DOUBLE_EQ(s.atoms[1].u12, 0.003);
    ASSERT_EQ(s.atomListCards.size(), c.kept.size());
    for (std::size_t k = 0; k < c.kept.size(); ++k) {
      EXPECT_EQ(s.atomListCards[k].lines, std::vector<std::string>{c.kept[k]});
      EXPECT_EQ(s.atomListCards[k].before, (AtomRef{AtomKind::Atom, 2})) << "right after O1";
    }
  }

  // An "=" by mistake at the end of a whole atom does not take the next atom across a blank row,
  // and a card keeps the rows passed over inside it in place.
  auto r = readInsText(head() +
                       "C1    1    0.1 0.2 0.3 11.0 0.05 =\n"
                       "\n"
                       "C2    1    0.1 0.2 0.3 11.0 0.05\n"
                       "DFIX 1.5 C1 =\n"
                       "! the other one\n"
                       "   C2\n"
                       "C3    1    0.1 0.2 0.3 11.0 0.05\n" +
                       tail);
  ASSERT_TRUE(r->loaded);
  ASSERT_EQ(r->s().nonHCount, 3);
  const auto& cards = r->s().atomListCards;
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[0].lines, std::vector<std::string>{""});
  EXPECT_EQ(cards[1].lines,
            (std::vector<std::string>{"DFIX 1.5 C1 =", "! the other one", "   C2"}));
}

TEST(AtomListReader, SortsAtomsIntoTablesByElementNotByLabel) {
  auto r = readInsText(
      "TITL t\nCELL 0.7 10 10 10 90 90 90\nZERR 1 0 0 0 0 0 0\nSFAC C H HG HF O\n"
      "UNIT 1 1 1 1 1\nL.S. 4\nFVAR 1.0\n"
      "Hg1   3    0.1 0.2 0.3 11.0 0.05\n"
      "Hf1   4    0.3 0.2 0.3 11.0 0.05\n"
      "HO1   2    0.1 0.4 0.3 11.0 0.05\n"
      "O1    5    0.1 0.2 0.5 11.0 0.05\n"
      "H1A   2    0.1 0.2 0.3 11.0 0.02 0.03 0.04 0.001 0.002 0.003\n" +
      std::string(tail));
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  ASSERT_EQ(s.nonHCount, 4);
  EXPECT_EQ(s.atoms[1].label, "Hg1");
  EXPECT_EQ(s.atoms[2].label, "Hf1");
  EXPECT_EQ(s.atoms[3].label, "O1");
  EXPECT_EQ(s.atoms[4].label, "H1A") << "an anisotropic H stays in the atom table";
  ASSERT_EQ(s.hCount, 1);
  EXPECT_EQ(s.hydrogens[1].label, "HO1") << "a free hydroxyl H is read";
  EXPECT_EQ(s.hydrogens[1].afixGroup, 0);
  EXPECT_EQ(s.hydrogens[1].afterAtom, 2);
}

TEST(AtomListReader, RidingGroupsAreReadOnceAndRigidGroupsStayCards) {
  auto r = readInsText(head() +
                       "C1    1    0.1 0.2 0.3 11.0 0.05\n"
                       "AFIX 137\n"
                       "H1A   2    0.1 0.2 0.3 10.5 -1.5\n"
                       "H1B   2    0.1 0.2 0.3 10.5 -1.5\n"
                       "H1C   2    0.1 0.2 0.3 10.5 -1.5\n"
                       "H1D   2    0.1 0.2 0.3 10.5 -1.5\n"
                       "H1E   2    0.1 0.2 0.3 10.5 -1.5\n"
                       "H1F   2    0.1 0.2 0.3 10.5 -1.5\n"
                       "AFIX 0\n"
                       "AFIX 66\n"
                       "C2    1    0.1 0.2 0.3 11.0 0.05\n"
                       "C3    1    0.1 0.2 0.3 11.0 0.05\n"
                       "AFIX 43\n"
                       "H3    2    0.1 0.2 0.3 11.0 -1.2\n"
                       "AFIX 65\n"
                       "C4    1    0.1 0.2 0.3 11.0 0.05\n"
                       "AFIX 0\n"
                       "N1    3    0.1 0.2 0.3 11.0 0.05\n"
                       "AFIX 23 0.97 21\n"
                       "H1N   2    0.1 0.2 0.3 11.0 -1.2\n" +
                       tail);
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  ASSERT_EQ(s.hCount, 8) << "the six H of the disordered methyl are read once";
  ASSERT_EQ(s.ridingGroupCount, 3);
  EXPECT_EQ(s.atoms[1].afixGroup, 1);
  EXPECT_EQ(s.ridingGroups[1].afixCode, "137");
  EXPECT_EQ(s.ridingGroups[1].closingLine, "AFIX 0");
  for (int h = 1; h <= 6; ++h)
    EXPECT_EQ(s.hydrogens[h].afixGroup, 1);
  EXPECT_EQ(s.atoms[3].label, "C3");
  EXPECT_EQ(s.atoms[3].afixGroup, 2) << "H riding on an atom of a rigid group";
  EXPECT_EQ(s.ridingGroups[2].closingLine, "") << "closed by the AFIX 65 of the rigid group";
  EXPECT_EQ(s.atoms[5].afixGroup, 3);
  EXPECT_EQ(s.ridingGroups[3].afixCode, "23");
  EXPECT_EQ(s.ridingGroups[3].afixText, "23 0.97 21");
  EXPECT_EQ(s.ridingGroups[3].closingLine, "") << "closed by the end of the list";
  const auto& cards = s.atomListCards;
  ASSERT_EQ(cards.size(), 3u);
  EXPECT_EQ(cards[0].lines.front(), "AFIX 66");
  EXPECT_EQ(cards[0].before, (AtomRef{AtomKind::Atom, 2}));
  EXPECT_EQ(cards[1].lines.front(), "AFIX 65");
  EXPECT_EQ(cards[1].before, (AtomRef{AtomKind::Atom, 4}));
  EXPECT_EQ(cards[2].lines.front(), "AFIX 0");
  EXPECT_EQ(cards[2].before, (AtomRef{AtomKind::Atom, 5}));
  EXPECT_EQ(s.hklfLine, "HKLF 4");
  ASSERT_GE(s.fileLines.size(), 2u);
  EXPECT_EQ(s.fileLines.back(), "END") << "no AFIX 0 is written over the line after HKLF";
  EXPECT_EQ(s.fileLines[s.fileLines.size() - 2], "HKLF 4");
}

TEST(AtomListReader, PartNumbersAndOccupanciesAreRecordedPerAtom) {
  auto r = readInsText(head("FVAR 1.0 0.6") +
                       "C1    1    0.1 0.2 0.3 11.0 0.05\n"
                       "PART -1\n"
                       "C2    1    0.1 0.2 0.3 11.0 0.05\n"
                       "PART 1 21\n"
                       "C3    1    0.1 0.2 0.3 21.0 0.05\n"
                       "H3    2    0.1 0.2 0.3 21.0 0.05\n"
                       "PART 2 -21\n"
                       "C4    1    0.1 0.2 0.3 -21.0 0.05\n"
                       "PART 0\n"
                       "C5    1    0.1 0.2 0.3 11.0 0.05\n" +
                       tail);
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  struct Case {
    int atom, part;
    const char* sof;
  };
  const Case cases[] = {{1, 0, ""}, {2, -1, ""}, {3, 1, "21"}, {4, 2, "-21"}, {5, 0, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.atom);
    EXPECT_EQ(s.atoms[c.atom].part, c.part);
    EXPECT_EQ(s.atoms[c.atom].partSof, c.sof);
  }
  EXPECT_EQ(s.hydrogens[1].part, 1);
  EXPECT_EQ(s.hydrogens[1].partSof, "21");
  EXPECT_EQ(s.hydrogens[1].afterAtom, 3);
  EXPECT_NEAR(s.atoms[4].sof, 0.4, 1e-12);
  EXPECT_TRUE(s.atomListCards.empty()) << "PART lines are not cards";
}

TEST(AtomListReader, FragBlocksBlankStartedLinesAndOddLinesStayVerbatim) {
  const TempFolder folder;
  auto r = readIn(folder, head() +
                              "FRAG 17 1 1 1 90 90 90\n"
                              "O1    4     -0.014530      1.665900      0.109660\n"
                              "C1    1     -0.001460      0.268140      0.063510\n"
                              "FEND\n"
                              " The following is from DSR:\n"
                              "\n"
                              "C1    1    0.1 0.2 0.3 11.0 0.05\n"
                              "C2 1 0.1 0.2\n"
                              "Q1    1    0.1 0.2 0.3 11.0 0.05 1.2\n"
                              "C3    1    0.1 0.2 0.3 11.0 0.05\n" +
                              tail);
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  ASSERT_EQ(s.nonHCount, 2);
  EXPECT_EQ(s.atoms[1].label, "C1");
  EXPECT_EQ(s.atoms[2].label, "C3");
  const auto& cards = s.atomListCards;
  ASSERT_EQ(cards.size(), 5u);
  EXPECT_EQ(cards[0].lines.size(), 4u) << "FRAG .. FEND is one card";
  EXPECT_EQ(cards[1].lines.front(), " The following is from DSR:");
  EXPECT_EQ(cards[2].lines.front(), "");
  EXPECT_EQ(cards[3].lines.front(), "C2 1 0.1 0.2") << "too few numbers: kept, not dropped";
  EXPECT_EQ(cards[4].lines.front(), "Q1    1    0.1 0.2 0.3 11.0 0.05 1.2");
  EXPECT_EQ(cards[4].before, (AtomRef{AtomKind::Atom, 2}));
}

TEST(AtomListReader, AllSfacCardsGiveElements) {
  auto r = readInsText(
      "TITL t\nCELL 0.7 10 10 10 90 90 90\nZERR 1 0 0 0 0 0 0\nSFAC C H\nSFAC O Cl\n"
      "SFAC N 1 0 0 0 0 0 0 0 6.64600 0 0 0.002 0.670 10.011\nUNIT 1 2 3 4 5\nL.S. 4\n"
      "FVAR 1.0\nCL1   4    0.1 0.2 0.3 11.0 0.05\nN1    5    0.1 0.2 0.3 11.0 0.05\n" +
      std::string(tail));
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  ASSERT_EQ(s.elementCount, 5);
  const char* symbols[] = {"", "C", "H", "O", "CL", "N"};
  for (int e = 1; e <= 5; ++e) {
    EXPECT_EQ(s.elements[e].symbol, symbols[e]);
    EXPECT_DOUBLE_EQ(s.elements[e].unitCount, e);
  }
  EXPECT_DOUBLE_EQ(s.elements[4].atomicWeight, 35.45);
  EXPECT_EQ(s.markers.sfacLine, 5);
  EXPECT_EQ(s.atoms[2].sfac, 5);
}

TEST(AtomListReader, MalformedAtomLineStopsTheReadWithTheConversionMessage) {
  auto r = readInsText(
      head() + "C1    1    0.1 0.2 0.3 11.0 0.05\nC2    1    0.1 0.2 abc 11.0 0.05\n" + tail);
  EXPECT_FALSE(r->loaded);
  ASSERT_EQ(r->dialogs.shown.size(), 1u);
  EXPECT_EQ(r->dialogs.shown[0], "test.ins, line 14: 'abc' is not a valid floating point value");
}

TEST(AtomListReader, LimitsAndMissingCardsEndTheReadWithAMessage) {
  struct Case {
    std::string content;
    std::string message;
  };
  const std::string cellZerr = "CELL 0.7 10 10 10 90 90 90\nZERR 1 0 0 0 0 0 0\n";
  const std::string atom = "C1    1    0.1 0.2 0.3 11.0 0.05\n";
  const Case cases[] = {
      {"TITL t\n" + cellZerr + "UNIT 1\nL.S. 4\nFVAR 1\n" + atom + tail,
       "test.ins: there is no SFAC card."},
      {"TITL t\n" + cellZerr + "SFAC C\nL.S. 4\nFVAR 1\n" + atom + tail,
       "test.ins: there is no UNIT card."},
      {"TITL t\nZERR 1 0 0 0 0 0 0\nSFAC C\nUNIT 1\nL.S. 4\nFVAR 1\n" + atom + tail,
       "test.ins: there is no CELL card."},
      {"TITL t\nCELL 0.7 10 10 10 90 90 90\nZERR\nSFAC C\nUNIT 1\nL.S. 4\nFVAR 1\n" + atom + tail,
       "test.ins, line 3: the ZERR card needs at least Z."},
      {"TITL t\n" + cellZerr + "SFAC C\nUNIT 1\nL.S. 4\nFVAR 1\nREM nothing\n" + tail,
       "test.ins: there is no atom."},
      {"TITL t\n" + cellZerr + "SFAC C O\nUNIT 1\nL.S. 4\nFVAR 1\n" + atom + tail,
       "test.ins, line 5: the UNIT card has 1 numbers for 2 SFAC elements."},
      {"TITL t\nCELL 0.7 10 10 10 90 90\n" + std::string("ZERR 1 0 0 0 0 0 0\n") +
           "SFAC C\nUNIT 1\nL.S. 4\nFVAR 1\n" + atom + tail,
       "test.ins, line 2: the CELL card needs seven numbers."},
      {"TITL t\nCELL 0.7 10 10 10 10 10 170\n" + std::string("ZERR 1 0 0 0 0 0 0\n") +
           "SFAC C\nUNIT 1\nL.S. 4\nFVAR 1\n" + atom + tail,
       "The cell angles of the CELL card do not form a cell."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    auto r = readInsText(c.content);
    EXPECT_FALSE(r->loaded);
    ASSERT_FALSE(r->dialogs.shown.empty());
    EXPECT_EQ(r->dialogs.shown.back(), c.message);
  }
}

TEST(AtomListReader, AMissingOrShortZerrCardOpensWithZOfOneOrZeroEsds) {
  struct Case {
    std::string zerr;
    double z, sb, sgamma;
    std::string message;
  };
  const Case cases[] = {
      {"", 1, 0, 0, "test.ins: there is no ZERR card; Z is taken as 1 and the cell esds as 0."},
      {"ZERR 4\n", 4, 0, 0,
       "test.ins, line 3: the ZERR card has 1 numbers; the missing esds are taken as 0."},
      {"ZERR 2 0.001 0.002\n", 2, 0.002, 0,
       "test.ins, line 3: the ZERR card has 3 numbers; the missing esds are taken as 0."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    auto r =
        readInsText("TITL t\nCELL 0.7 10 10 10 90 90 90\n" + c.zerr +
                    "SFAC C\nUNIT 1\nL.S. 4\nFVAR 1\nC1    1    0.1 0.2 0.3 11.0 0.05\n" + tail);
    ASSERT_TRUE(r->loaded);
    EXPECT_EQ(r->dialogs.shown, std::vector<std::string>{c.message});
    EXPECT_DOUBLE_EQ(r->s().cell.z, c.z);
    EXPECT_DOUBLE_EQ(r->s().cell.sb, c.sb);
    EXPECT_DOUBLE_EQ(r->s().cell.sgamma, c.sgamma);
    EXPECT_DOUBLE_EQ(r->s().cell.a, 10);
  }
}

TEST(AtomListReader, AFileWithoutHklfIsReadUpToEndAndSavedWithHklf) {
  // As other programs write them: no L.S., no HKLF, atoms without Uiso.
  const std::string content =
      "TITL t\nCELL 0.7 10 10 10 90 90 90\nZERR 1 0 0 0 0 0 0\n"
      "SFAC C H\nUNIT 1 1\nFVAR 1.00\n"
      "C1      1  0.165100  0.285800  0.170900 1.0\n"
      "H1      2  0.182000  0.051000 -0.116000 1.0\n";
  for (const std::string& end : {std::string("END\nREM after the end\n"), std::string()}) {
    SCOPED_TRACE(end.empty() ? "no END either" : "END");
    auto r = readInsText(content + end);
    ASSERT_TRUE(r->loaded);
    EXPECT_EQ(r->s().nonHCount, 1);
    EXPECT_EQ(r->s().hCount, 1);
    EXPECT_DOUBLE_EQ(r->s().atoms[1].u11, 0.05);
    EXPECT_NE(std::find(r->dialogs.shown.begin(), r->dialogs.shown.end(),
                        "test.ins: there is no HKLF card; the atoms are read up to END, and HKLF 4 "
                        "is written when the file is saved."),
              r->dialogs.shown.end());
    const std::vector<std::string> lines = model::instructionFileLines(r->s());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "HKLF 4");
    EXPECT_EQ(lines.back(), "END");
  }
}

TEST(AtomListReader, TooManyAtomsForTheLimitEndTheRead) {
  const TempFolder folder;
  auto result = std::make_unique<ReadResult>();
  result->s().limits.atmMax = 2;
  const auto file =
      folder.write("big.ins", head() +
                                  "C1 1 0.1 0.2 0.3 11 0.05\nC2 1 0.1 0.2 0.3 11 0.05\n"
                                  "C3 1 0.1 0.2 0.3 11 0.05\n" +
                                  tail);
  EXPECT_FALSE(model::loadInstructionFile(result->s(), file, shippedDefinitions(), result->dialogs,
                                          model::noTitlAtOpenMessage));
  ASSERT_EQ(result->dialogs.shown.size(), 1u);
  EXPECT_NE(result->dialogs.shown[0].find("atm_max"), std::string::npos);
  EXPECT_NE(result->dialogs.shown[0].find("array_max.inf"), std::string::npos);

  result->dialogs.shown.clear();
  result->s().limits = {};
  result->s().limits.cmdMax = 5;
  EXPECT_FALSE(model::loadInstructionFile(result->s(), file, shippedDefinitions(), result->dialogs,
                                          model::noTitlAtOpenMessage));
  ASSERT_EQ(result->dialogs.shown.size(), 1u);
  EXPECT_NE(result->dialogs.shown[0].find("cmd_max"), std::string::npos);
}

TEST(AtomListReader, UnknownSfacSymbolIsReportedAndTheReadGoesOn) {
  auto r = readInsText(
      "TITL t\nCELL 0.7 10 10 10 90 90 90\nZERR 1 0 0 0 0 0 0\nSFAC C Xx\n"
      "UNIT 1 1\nL.S. 4\nFVAR 1\nC1    1    0.1 0.2 0.3 11.0 0.05\n" +
      std::string(tail));
  ASSERT_TRUE(r->loaded);
  ASSERT_EQ(r->dialogs.shown.size(), 1u);
  EXPECT_EQ(r->dialogs.shown[0],
            "test.ins: the SFAC element 'Xx' has no definition in elems.inf; its atoms are drawn "
            "with radius 0 and never bonded.");
  EXPECT_DOUBLE_EQ(r->s().elements[2].radius, 0);
}

}  // namespace
}  // namespace tavo::testing
