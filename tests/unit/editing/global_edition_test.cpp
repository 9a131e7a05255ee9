// The Global Edition edits: codes, occupancies, free variables, riding groups and isotropic
// atoms, each checked for every listed atom before any atom changes.
#include "editing/global_edition.h"

#include <gtest/gtest.h>

#include "editing/atom_purge.h"
#include "model/instruction_writer.h"
#include "support/test_helpers.h"
#include "text/errors.h"
#include "unit/model/reader_fixture.h"

namespace tavo::editing {
namespace {

using testing::messageOf;

using model::AtomKind;
using model::AtomRef;

// C1 anisotropic with its riding H1A/H1B, C2 isotropic with sof tied to FV(2), O1 free.
const std::string atoms =
    "C1    1    0.100000    0.200000    0.300000    11.00000    0.04000    0.05000 =\n"
    "         0.06000    0.00100    0.00200    0.00300\n"
    "AFIX 23\n"
    "H1A   2    0.110000    0.210000    0.310000    11.00000   -1.20000\n"
    "H1B   2    0.120000    0.220000    0.320000    11.00000   -1.20000\n"
    "AFIX 0\n"
    "C2    1    0.150000    0.250000    0.300000    21.00000    0.05000\n"
    "O1    4    0.350000    0.250000    0.300000    11.00000    0.05000\n"
    "HKLF 4\nEND\n";

constexpr AtomRef c1{AtomKind::Atom, 1}, c2{AtomKind::Atom, 2}, o1{AtomKind::Atom, 3};
constexpr AtomRef h1a{AtomKind::Hydrogen, 1}, h1b{AtomKind::Hydrogen, 2};

std::unique_ptr<testing::ReadResult> read() {
  return testing::readInsText(testing::head("FVAR 1.0 0.6") + atoms);
}

TEST(GlobalEdition, FixAndUnfixSetOnlyTheCodesOfTheirParameters) {
  auto r = read();
  model::StructureModel& s = r->s();
  setGlobalCodes(s, {c1, h1a}, GlobalOption::FixXyz);
  for (int p = model::X; p <= model::Z; ++p) {
    EXPECT_EQ(s.atoms[1].codes[p], 10);
    EXPECT_EQ(s.hydrogens[1].codes[p], 10);
  }
  EXPECT_DOUBLE_EQ(s.atoms[1].x, 0.1) << "the value stays";
  // Written with x, y, z + 10 for both.
  EXPECT_TRUE(
      model::atomLines(s.atoms[1])[0].starts_with("C1    1   10.100000   10.200000   10.300000"))
      << model::atomLines(s.atoms[1])[0];
  EXPECT_TRUE(model::hydrogenLine(s.hydrogens[1]).starts_with("H1A   2   10.110000   10.210000"))
      << model::hydrogenLine(s.hydrogens[1]);

  setGlobalCodes(s, {c1, c2}, GlobalOption::FixAllUij);
  for (int p = model::U11; p <= model::U12; ++p)
    EXPECT_EQ(s.atoms[1].codes[p], 10) << p;
  EXPECT_EQ(s.atoms[2].codes[model::U11], 10);
  EXPECT_EQ(s.atoms[2].codes[model::U22], 0) << "an isotropic atom has no U22";
  setGlobalCodes(s, {c1}, GlobalOption::UnfixU11);
  EXPECT_EQ(s.atoms[1].codes[model::U11], 0);
  EXPECT_EQ(s.atoms[1].codes[model::U22], 10);

  // A coordinate outside (-5, 5) cannot be refined: nothing changes.
  s.atoms[3].x = 5.5;
  EXPECT_NE(messageOf([&] { setGlobalCodes(s, {c1, o1}, GlobalOption::UnfixXyz); }), "");
  EXPECT_EQ(s.atoms[1].codes[model::X], 10) << "all or nothing";
}

TEST(GlobalEdition, SetFvarTiesTheParameterAndTakesItsValue) {
  struct Case {
    double code;
    int parameter;
    double sof;
    double storedCode;
    const char* why;
  };
  const Case cases[] = {
      {21, 4, 0.6, 21, "1 x FV(2)"},
      {-21, 4, 0.4, -21, "1 x (1 - FV(2))"},
      {10, 4, 1.0, 10, "a fixed code changes only the code"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto r = read();
    model::StructureModel& s = r->s();
    setGlobalFreeVariable(s, {o1, h1a}, c.code, c.parameter);
    EXPECT_EQ(s.atoms[3].codes[model::Sof], c.storedCode);
    EXPECT_EQ(s.hydrogens[1].codes[model::Sof], c.storedCode);
    EXPECT_NEAR(s.atoms[3].sof, c.sof, 1e-12);
    EXPECT_NEAR(s.hydrogens[1].sof, c.sof, 1e-12);
  }
}

TEST(GlobalEdition, SetFvarRefusesWithNothingChanged) {
  struct Case {
    double code;
    int parameter;
    std::vector<AtomRef> refs;
    std::string message;
  };
  const Case cases[] = {
      {31, 4, {o1}, "The requested FVAR should be first defined at the Fixing/FVAR menu!"},
      {15,
       4,
       {o1},
       "The code 15 cannot be set: use 0 (refined), 10 (fixed) or a free variable such as 21, -31 "
       "or 30.5."},
      {11,
       4,
       {o1},
       "The code 11 cannot be set: use 0 (refined), 10 (fixed) or a free variable such as 21, -31 "
       "or 30.5."},
      {21, 6, {c1, h1a}, "Hydrogen atoms may not be treated anisotropically in Tavo!"},
      {21, 7, {c2}, "C2 is isotropic: only its Uiso (U11) can be coded. Nothing was changed."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    auto r = read();
    model::StructureModel& s = r->s();
    const model::Atom before = s.atoms[3];
    EXPECT_EQ(messageOf([&] { setGlobalFreeVariable(s, c.refs, c.code, c.parameter); }), c.message);
    EXPECT_EQ(s.atoms[3], before);
  }
}

TEST(GlobalEdition, TiedValuesAreNotOverwritten) {
  auto r = read();
  model::StructureModel& s = r->s();
  EXPECT_EQ(messageOf([&] {
              setGlobalPopulation(s, {o1, c2}, 0.5);
            }),
            "The occupancy of C2 is tied to a free variable and keeps its value: untie it in "
            "Fixing/FVAR first. Nothing was changed.");
  EXPECT_DOUBLE_EQ(s.atoms[3].sof, 1.0);
  setGlobalPopulation(s, {o1, h1b}, 0.5);
  EXPECT_DOUBLE_EQ(s.atoms[3].sof, 0.5);
  EXPECT_DOUBLE_EQ(s.hydrogens[2].sof, 0.5);

  s.atoms[2].codes[model::U11] = 31;
  EXPECT_NE(messageOf([&] { makeGlobalIsotropic(s, {c1, c2}, 0.05); }), "");
  EXPECT_EQ(s.atoms[1].aniso, 1);
}

TEST(GlobalEdition, AnisoIntoIsoKeepsTheCountsAndTellsOfNonHAtoms) {
  auto r = read();
  model::StructureModel& s = r->s();
  const int aniso = s.anisoCount, iso = s.isoCount;
  EXPECT_FALSE(makeGlobalIsotropic(s, {h1a}, 0.08));
  EXPECT_DOUBLE_EQ(s.hydrogens[1].uiso, 0.08);
  s.atoms[1].codes[model::U23] = 10;
  EXPECT_TRUE(makeGlobalIsotropic(s, {c1}, 0.03));
  const model::Atom& c = s.atoms[1];
  EXPECT_EQ(c.aniso, 0);
  EXPECT_DOUBLE_EQ(c.u11, 0.03);
  EXPECT_EQ(c.u22 + c.u33 + c.u23 + c.u13 + c.u12, 0);
  EXPECT_EQ(c.codes[model::U23], 0);
  EXPECT_EQ(s.anisoCount, aniso - 1);
  EXPECT_EQ(s.isoCount, iso + 1);
  EXPECT_EQ(model::atomLines(c).size(), 1u);
}

TEST(GlobalEdition, ReleaseAfixFreesTheWholeGroupWhicheverMemberIsListed) {
  for (const AtomRef listed : {c1, h1b}) {
    auto r = read();
    model::StructureModel& s = r->s();
    EXPECT_EQ(releaseRidingGroups(s, {listed}), 2);
    EXPECT_EQ(s.atoms[1].afixGroup, 0);
    EXPECT_EQ(s.hydrogens[1].afixGroup, 0);
    EXPECT_EQ(s.hydrogens[2].afixGroup, 0);
    EXPECT_TRUE(model::ridingHydrogensWithoutParent(s).empty());
    // Written as free H atoms straight after C1, without AFIX lines.
    const std::vector<std::string> lines = model::instructionFileLines(s);
    const auto at = std::find_if(lines.begin(), lines.end(),
                                 [](const std::string& l) { return l.starts_with("C1 "); });
    ASSERT_NE(at, lines.end());
    EXPECT_TRUE((at + 2)->starts_with("H1A ")) << *(at + 2);
    EXPECT_TRUE((at + 3)->starts_with("H1B ")) << *(at + 3);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.starts_with("AFIX"); }),
              0);
  }
}

TEST(GlobalEdition, RidingGroupsInsideARigidGroupAreNotReleasedAndTheirDeletionKeepsItsEnd) {
  auto r = testing::readInsText(testing::head() +
                                "C11   1    0.200000    0.200000    0.300000    11.00000    0.05\n"
                                "AFIX 66\n"
                                "C12   1    0.250000    0.200000    0.300000    11.00000    0.05\n"
                                "AFIX 43\n"
                                "H12   2    0.260000    0.210000    0.310000    11.00000   -1.2\n"
                                "AFIX 65\n"
                                "C13   1    0.300000    0.200000    0.300000    11.00000    0.05\n"
                                "AFIX 43\n"
                                "H13   2    0.310000    0.210000    0.310000    11.00000   -1.2\n"
                                "AFIX 0\n"
                                "O2    4    0.400000    0.200000    0.300000    11.00000    0.05\n"
                                "HKLF 4\nEND\n");
  model::StructureModel& s = r->s();
  ASSERT_EQ(s.hCount, 2);
  EXPECT_EQ(rigidAfixInForce(s, 3), 65);
  EXPECT_EQ(rigidAfixInForce(s, 4), 0) << "O2 stands after the AFIX 0";
  EXPECT_EQ(messageOf([&] {
              releaseRidingGroups(s, {{AtomKind::Hydrogen, 2}});
            }),
            "The H atoms riding on C13 stand inside the rigid group of AFIX 65: released they "
            "would join it. Nothing was released.");
  EXPECT_EQ(s.hydrogens[2].afixGroup, s.atoms[3].afixGroup);
  // Deleting both H atoms keeps the AFIX 0 that ended the rigid group before O2.
  s.hydrogens[1].mark = s.hydrogens[2].mark = 1;
  purgeMarked(s);
  const std::vector<std::string> lines = model::instructionFileLines(s);
  const auto o2 = std::find_if(lines.begin(), lines.end(),
                               [](const std::string& l) { return l.starts_with("O2 "); });
  ASSERT_NE(o2, lines.end());
  EXPECT_EQ(*(o2 - 1), "AFIX 0");
  EXPECT_TRUE((o2 - 2)->starts_with("C13 "));
  EXPECT_EQ(*(o2 - 3), "AFIX 65");
}

TEST(GlobalEdition, RowsMustNameAtomsOfTheStructure) {
  auto r = read();
  EXPECT_EQ(messageOf([&] {
              checkGlobalRows(r->s(), {{AtomKind::Hydrogen, 3}});
            }),
            "The row 2 3 of Selected Atoms names no atom of the structure.");
  EXPECT_EQ(findGlobalOption("Set_FVAR"), GlobalOption::SetFvar);
  EXPECT_FALSE(findGlobalOption("Set FVAR"));
}

}  // namespace
}  // namespace tavo::editing
