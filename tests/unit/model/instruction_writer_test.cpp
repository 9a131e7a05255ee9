// Tests of the instruction-file writer: line layouts, FVAR cards and the regenerated atom list.
#include "model/instruction_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "text/text.h"

namespace tavo::model {
namespace {

using Lines = std::vector<std::string>;

Atom isotropic(std::string label, int sfac, double x, double y, double z) {
  Atom a;
  a.label = std::move(label);
  a.sfac = sfac;
  a.x = x;
  a.y = y;
  a.z = z;
  a.sof = 1.0;
  a.codes[Sof] = 10;
  a.u11 = 0.05;
  return a;
}

Hydrogen hydrogen(std::string label, double x, double y, double z, double uiso) {
  Hydrogen h;
  h.label = std::move(label);
  h.sfac = 2;
  h.x = x;
  h.y = y;
  h.z = z;
  h.sof = 1.0;
  h.codes[Sof] = 10;
  h.uiso = uiso;
  return h;
}

TEST(AtomLines, IsotropicAndAnisotropicLayouts) {
  Atom iso = isotropic("C1", 1, 0.12345, 0.23456, 0.34567);
  const Lines isoLines = atomLines(iso);
  ASSERT_EQ(isoLines.size(), 1u);
  EXPECT_EQ(isoLines[0], "C1    1    0.123450    0.234560    0.345670   11.000000   0.050000");
  EXPECT_EQ(isoLines[0].size(), 66u);

  Atom aniso = iso;
  aniso.aniso = 1;
  aniso.u11 = 0.031;
  aniso.u22 = 0.042;
  aniso.u33 = 0.027;
  aniso.u23 = -0.003;
  aniso.u13 = 0.0105;
  aniso.u12 = 0.0;
  const Lines anisoLines = atomLines(aniso);
  ASSERT_EQ(anisoLines.size(), 2u);
  EXPECT_EQ(anisoLines[0],
            "C1    1    0.123450    0.234560    0.345670   11.000000   0.031000   0.042000 = ");
  EXPECT_EQ(anisoLines[0].size(), 80u);
  EXPECT_EQ(anisoLines[1], "        0.027000  -0.003000   0.010500   0.000000");
  EXPECT_EQ(anisoLines[1].size(), 49u);

  aniso.aniso = -1;  // an ANIS card was added: still written isotropic
  EXPECT_EQ(atomLines(aniso).size(), 1u);
}

TEST(AtomLines, EveryParameterIsEncodedFromItsCode) {
  struct Case {
    double value, code;
    const char* written;
    const char* why;
  };
  const Case cases[] = {
      {0.7, 21.0, "21.000000", "tied to FV(2): the code itself"},
      {0.3, -21.0, "-21.000000", "negative tie: the code itself"},
      {0.5, 10.0, "10.500000", "fixed: value + 10"},
      {0.5, 0.0, "0.500000", "free: the value"},
      {0.15, 31.5, "31.500000", "multiplier 1.5 of FV(3)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Atom a = isotropic("O1", 3, 0.1, 0.2, 0.3);
    a.sof = c.value;
    a.codes[Sof] = c.code;
    EXPECT_EQ(text::trimLine(atomLines(a)[0].substr(43, 12)), c.written);
    Hydrogen h = hydrogen("H1", 0.1, 0.2, 0.3, -1.2);
    h.sof = c.value;
    h.codes[Sof] = c.code;
    EXPECT_EQ(text::trimLine(hydrogenLine(h).substr(43, 12)), c.written);
  }
}

TEST(AtomLines, OverflowingFieldsStaySeparatedAndCommentsAreKept) {
  Atom a = isotropic("C12AB", 10, -123.456789, 0.5, 0.25);
  a.u11 = -123.456789;  // fills its field of eleven: a blank must still separate it
  a.comment = " ring carbon";
  const std::string line = atomLines(a)[0];
  EXPECT_EQ(line.substr(0, 20), "C12AB 10 -123.456789");
  EXPECT_NE(line.find("  11.000000 -123.456789 ! ring carbon"), std::string::npos) << line;
  ASSERT_GE(text::splitWords(line).size(), 7u);
  EXPECT_EQ(text::splitWords(line)[6], "-123.456789");

  a.aniso = 1;
  a.u22 = a.u33 = a.u11;
  const Lines two = atomLines(a);
  EXPECT_EQ(two[0].find('!'), std::string::npos);
  EXPECT_TRUE(text::endsWith(two[1], " ! ring carbon"));
}

TEST(FvarCards, FieldsOfTenSevenPerCard) {
  EXPECT_EQ(fvarCards({0.56789123, 0.5}), Lines{"FVAR       0.56789   0.50000"});
  EXPECT_EQ(fvarCards({12, -0.25}), Lines{"FVAR       12.0000  -0.25000"});
  struct Case {
    double value;
    const char* field;
    const char* why;
  };
  const Case cases[] = {
      {0.0, "   0.00000", "zero gets a point and zeros"},
      {1.0, "   1.00000", "a whole number gets a point"},
      {-1.5, "  -1.50000", "negative: two blanks and eight characters"},
      {0.123456789, "   0.12345", "cut, not rounded, to seven characters"},
      {1234567.0, "   1234567.", "seven integer digits keep their point"},
      {12345678.0, "   12345678.", "more integer digits than the field: kept whole"},
      {0.0000015, "   0.0000015", "no exponent: fixed notation, digits kept"},
      {-0.0000025, "  -0.0000025", "negative without exponent"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(fvarCards({c.value}), Lines{std::string("FVAR    ") + c.field});
  }

  const std::vector<double> fourteen(14, 0.5);
  const Lines two = fvarCards(fourteen);
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].size(), 8u + 70u);
  EXPECT_EQ(two[1], two[0]);
  const Lines eight = fvarCards(std::vector<double>(8, 0.5));
  ASSERT_EQ(eight.size(), 2u);
  EXPECT_EQ(eight[1], "FVAR       0.50000");
  EXPECT_TRUE(fvarCards({}).empty());
}

/// A hand-built structure: C1 (PART 0) with a riding CH2, a disordered methyl C2 in PART 1 / 21
/// whose riding H atoms carry their own sof codes, O1 in PART 2 / -21 followed by a free H that
/// stands in PART 2, cards kept from the atom list, and an instruction part with MOLE.
class WrittenStructure : public ::testing::Test {
 protected:
  void SetUp() override {
    s.allocate();
    s.resetForLoad();
    s.instructionLines = {"TITL test",  "CELL 0.71073 10 11 12 90 100 90",
                          "MOLE 1",     "FVAR 1.0",
                          "L.S. 4",     "WGHT 0.1",
                          "SFAC C H O", "UNIT 4 8 2"};
    s.addFvar(0.85);
    s.addFvar(0.6);
    s.hklfLine = "HKLF 4";

    const int c1 = s.addAtom();
    s.atoms[c1] = isotropic("C1", 1, 0.1, 0.2, 0.3);
    s.atoms[c1].afixGroup = s.addRidingGroup();
    s.ridingGroups[1].afixCode = "23";
    s.ridingGroups[1].afixText = "23 0.97";
    const int c2 = s.addAtom();
    s.atoms[c2] = isotropic("C2", 1, 0.2, 0.3, 0.4);
    s.atoms[c2].part = 1;
    s.atoms[c2].partSof = "21";
    s.atoms[c2].sof = 0.6;
    s.atoms[c2].codes[Sof] = 21;
    s.atoms[c2].afixGroup = s.addRidingGroup();
    s.ridingGroups[2].afixCode = "137";
    s.ridingGroups[2].afixText = "137";
    s.ridingGroups[2].closingLine = "";  // closed by the rigid-group AFIX card that follows
    const int o1 = s.addAtom();
    s.atoms[o1] = isotropic("O1", 3, 0.3, 0.4, 0.5);
    s.atoms[o1].part = -2;
    s.atoms[o1].partSof = "-21";
    s.atoms[o1].codes[Sof] = -21;
    s.atoms[o1].comment = "hydroxyl";
    s.nonHCount = s.workingAtomCount;

    addH(hydrogen("H1A", 0.11, 0.21, 0.31, -1.2), 1, 0, "");
    addH(hydrogen("H1B", 0.12, 0.22, 0.32, -1.2), 1, 0, "");
    for (const char* label : {"H2A", "H2B", "H2C"}) {
      Hydrogen h = hydrogen(label, 0.25, 0.35, 0.45, -1.5);
      h.sof = 0.6;
      h.codes[Sof] = 21;
      addH(h, 2, 1, "21");
    }
    Hydrogen last = hydrogen("H2D", 0.26, 0.36, 0.46, -1.5);
    last.sof = 0.4;
    last.codes[Sof] = -21;  // a second methyl orientation in the same AFIX block
    addH(last, 2, 2, "-21");
    Hydrogen free = hydrogen("HO1", 0.31, 0.41, 0.51, 0.05);
    free.codes[Sof] = -21;
    free.sof = 0.4;
    free.codes[X] = 31.0;  // tied coordinate: written as its code
    free.afterAtom = 3;
    addH(free, 0, -2, "-21");
    Hydrogen first = hydrogen("H0", 0.01, 0.02, 0.03, 0.04);
    first.afterAtom = 0;
    addH(first, 0, 0, "");
    s.hCount = s.workingHCount;

    s.atomListCards = {
        {{"REM before C2"}, {AtomKind::Atom, 2}},
        {{"AFIX 66"}, {AtomKind::Atom, 3}},
        {{"DFIX 0.84 O1 HO1"}, {AtomKind::Hydrogen, 7}},
        {{"SADI C1 C2 =", "     C1 O1"}, {AtomKind::None, 0}},
        {{"REM inside the methyl block"}, {AtomKind::Hydrogen, 4}},
    };
  }

  void addH(Hydrogen h, int group, int part, const char* partSof) {
    const int k = s.addHydrogen();
    h.afixGroup = group;
    h.part = part;
    h.partSof = partSof;
    s.hydrogens[k] = h;
  }

  StructureModel s;
};

TEST_F(WrittenStructure, AtomListKeepsPartsRidingGroupsFreeHAndCards) {
  const Lines expected = {
      "TITL test",
      "CELL 0.71073 10 11 12 90 100 90",
      "MOLE 1",
      "L.S. 4",
      "WGHT 0.1",
      "SFAC C H O",
      "UNIT 4 8 2",
      "FVAR       0.85000   0.60000",
      "H0    2    0.010000    0.020000    0.030000   11.000000   0.040000",
      "C1    1    0.100000    0.200000    0.300000   11.000000   0.050000",
      "AFIX 23 0.97",
      "H1A   2    0.110000    0.210000    0.310000   11.000000  -1.200000",
      "H1B   2    0.120000    0.220000    0.320000   11.000000  -1.200000",
      "AFIX 0",
      "PART 1 21",
      "REM before C2",
      "C2    1    0.200000    0.300000    0.400000   21.000000   0.050000",
      "AFIX 137",
      "H2A   2    0.250000    0.350000    0.450000   21.000000  -1.500000",
      "REM inside the methyl block",
      "H2B   2    0.250000    0.350000    0.450000   21.000000  -1.500000",
      "H2C   2    0.250000    0.350000    0.450000   21.000000  -1.500000",
      "PART 2 -21",
      "H2D   2    0.260000    0.360000    0.460000  -21.000000  -1.500000",
      "PART -2 -21",
      "AFIX 66",
      "O1    3    0.300000    0.400000    0.500000  -21.000000   0.050000 !hydroxyl",
      "DFIX 0.84 O1 HO1",
      "HO1   2   31.000000    0.410000    0.510000  -21.000000   0.050000",
      "PART 0",
      "SADI C1 C2 =",
      "     C1 O1",
      "HKLF 4",
      "END",
  };
  EXPECT_EQ(instructionFileLines(s), expected);
}

TEST_F(WrittenStructure, NothingIsDroppedWhenLinksPointNowhere) {
  s.atoms[1].afixGroup = 0;  // the parent of H1A/H1B lost its group
  s.atomListCards.push_back({{"REM anchored to a deleted atom"}, {AtomKind::Atom, 9}});
  s.hklfLine.clear();
  const Lines lines = instructionFileLines(s);
  const auto has = [&](std::string_view start) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(has("H1A "));
  EXPECT_TRUE(has("H1B "));
  EXPECT_TRUE(has("REM anchored to a deleted atom"));
  EXPECT_EQ(lines[lines.size() - 2], "HKLF 4");
}

TEST_F(WrittenStructure, SolutionFileHasNoFvarCard) {
  s.noFvar = true;
  for (const std::string& line : instructionFileLines(s))
    EXPECT_NE(line.rfind("FVAR", 0), 0u) << line;
}

TEST_F(WrittenStructure, ExpandedAtomsFile) {
  testing::TempFolder folder;
  const auto file = folder.path() / "NewOne.ins";
  writeExpandedInstructionFile(
      s, file, {{"C1", 1, 0.1, 0.2, 0.3}, {"C1*2", 1, -0.1, 1.2, 0.5}, {"H1A", 2, 0.5, 0.5, 0.5}});
  const std::string expected =
      "TITL test\nCELL 0.71073 10 11 12 90 100 90\nMOLE 1\nL.S. 4\nWGHT 0.1\nSFAC C H O\n"
      "UNIT 4 8 2\n"
      "FVAR      0.8500      0.6000\n"
      "C1    1    0.100000    0.200000    0.300000   11.000000   0.050000\n"
      "C1*2  1   -0.100000    1.200000    0.500000   11.000000   0.050000\n"
      "H1A   2    0.500000    0.500000    0.500000   11.000000   0.050000\n"
      "HKLF 4\nEND\n";
  EXPECT_EQ(folder.read("NewOne.ins"), expected);

  // Each row keeps its sof, part and Uij; the PART lines are those of the rows.
  writeExpandedInstructionFile(
      s, file,
      {{"C1", 1, 0.1, 0.2, 0.3, 11.0, 0, true, {0.02, 0.03, 0.04, -0.001, 0.002, -0.003}},
       {"C2", 1, 0.2, 0.2, 0.3, 21.0, 1},
       {"C3", 1, 0.3, 0.2, 0.3, -21.0, 2},
       {"H1", 2, 0.5, 0.5, 0.5, 11.0, 0, false, {0.06, 0, 0, 0, 0, 0}}});
  const std::string text = folder.read("NewOne.ins");
  EXPECT_NE(text.find("FVAR      0.8500      0.6000\n"
                      "C1    1    0.100000    0.200000    0.300000   11.000000   0.020000"
                      "   0.030000 =\n"
                      "        0.040000  -0.001000   0.002000  -0.003000\n"
                      "PART 1\n"
                      "C2    1    0.200000    0.200000    0.300000   21.000000   0.050000\n"
                      "PART 2\n"
                      "C3    1    0.300000    0.200000    0.300000  -21.000000   0.050000\n"
                      "PART 0\n"
                      "H1    2    0.500000    0.500000    0.500000   11.000000   0.060000\n"
                      "HKLF 4\n"),
            std::string::npos)
      << text;

  // Of the rows below HKLF, only the continuation of a long HKLF card goes into the new file.
  s.hklfLine = "HKLF 4 1 1 0 0 0 1 0 =";
  s.hklfTrailer = {"   0 0 1", "", "REM R1 = 0.0345 for 1234 Fo > 4sig(Fo)"};
  writeExpandedInstructionFile(s, file, {{"C1", 1, 0.1, 0.2, 0.3}});
  EXPECT_TRUE(folder.read("NewOne.ins").ends_with("HKLF 4 1 1 0 0 0 1 0 =\n   0 0 1\nEND\n"));
}

}  // namespace
}  // namespace tavo::model
