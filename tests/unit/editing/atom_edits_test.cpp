// Adopt of a symmetry copy and the positions the file can hold.
#include "editing/atom_edits.h"

#include <gtest/gtest.h>

#include "geometry/symmetry_operators.h"
#include "text/errors.h"
#include "unit/model/reader_fixture.h"

namespace tavo::editing {
namespace {

using model::AtomKind;
using model::AtomRef;

const std::string anisotropicC1 =
    "C1    1    0.100000    0.200000    0.300000    11.00000    0.04000    0.05000 =\n"
    "         0.06000    0.00100    0.00200    0.00300\n"
    "AFIX 43\n"
    "H1    2    0.110000    0.210000    0.310000    11.00000   -1.20000\n"
    "AFIX 0\n"
    "C2    1    0.150000    0.250000    0.300000    11.00000    0.05000\n"
    "HKLF 4\nEND\n";

/// The operator of P21/c that is the 2-fold screw along b: (-x, y+1/2, -z+1/2).
int screwOperator(const model::SymmetryOps& ops) {
  for (int k = 1; k <= ops.opCount; ++k) {
    if (geometry::seitzOf(ops, k).r == std::array<int, 9>{-1, 0, 0, 0, 1, 0, 0, 0, -1}) return k;
  }
  ADD_FAILURE() << "no 2-fold screw";
  return 1;
}

TEST(AtomEdits, AdoptGivesTheSourceTheCopysPositionAndTurnedU) {
  auto read = testing::readInsText(testing::head() + anisotropicC1);
  model::StructureModel& s = read->s();
  // The operators of LATT 1 and SYMM -X, 1/2+Y, 1/2-Z, as the workbench sets them at a load.
  geometry::fillSymmetryOps(
      s.symmetry,
      geometry::operatorsFromLattSymm(1, {*geometry::parseSymmetryTriplet("-X, 1/2+Y, 1/2-Z")}));
  ASSERT_EQ(s.symmetry.opCount, 4);
  // The copy C1*1 of unit 1: the screw with the lattice translation (1, 0, 0).
  const int k = screwOperator(s.symmetry);
  s.symmetry.expansionOps = {{k, 1, 0, 0, ""}};
  const int copy = s.addAtom();
  ASSERT_EQ(copy, 3);
  s.atoms[copy] = s.atoms[1];
  s.atoms[copy].label = "C1*1";
  s.view[1][1] = {1, 2, 3};
  s.view[1][copy] = {4, 5, 6};

  EXPECT_TRUE(adoptCopies(s, {{AtomKind::Atom, copy}}).empty());
  const model::Atom& c1 = s.atoms[1];
  EXPECT_NEAR(c1.x, -0.1 + 1, 1e-12);
  EXPECT_NEAR(c1.y, 0.2 + 0.5, 1e-12);
  EXPECT_NEAR(c1.z, -0.3 + 0.5, 1e-12);
  // A 2-fold axis along b keeps U11, U22, U33 and U13 and turns the sign of U23 and U12.
  EXPECT_NEAR(c1.u11, 0.04, 1e-12);
  EXPECT_NEAR(c1.u22, 0.05, 1e-12);
  EXPECT_NEAR(c1.u33, 0.06, 1e-12);
  EXPECT_NEAR(c1.u23, -0.001, 1e-12);
  EXPECT_NEAR(c1.u13, 0.002, 1e-12);
  EXPECT_NEAR(c1.u12, -0.003, 1e-12);
  EXPECT_EQ(s.view[1][1], (model::Vec3{4, 5, 6}));
  EXPECT_EQ(s.view[1][copy], (model::Vec3{1, 2, 3}));
  const model::Hydrogen& h1 = s.hydrogens[1];
  EXPECT_NEAR(h1.x, -0.11 + 1, 1e-12) << "the riding H atom goes along";
  EXPECT_NEAR(h1.y, 0.21 + 0.5, 1e-12);
  EXPECT_NEAR(h1.z, -0.31 + 0.5, 1e-12);

  s.atoms[copy].label = "C1-1";
  EXPECT_EQ(
      adoptCopies(s, {{AtomKind::Atom, copy}}),
      std::vector<std::string>{"There is no * in the name of expanded atom!  Something Wrong!"});
}

TEST(AtomEdits, NewPositionsMustBeWhatTheFileWillHold) {
  auto read = testing::readInsText(testing::head("FVAR 1.0 0.3") +
                                   "C1 1 0.1 10.2 21.0 11.0 0.05\nHKLF 4\nEND\n");
  const model::StructureModel& s = read->s();
  const AtomRef c1{AtomKind::Atom, 1};
  ASSERT_EQ(s.atoms[1].codes[model::Z], 21.0);
  struct Case {
    geometry::Fractional to;
    bool refused;
    const char* why;
  };
  const Case cases[] = {
      {{0.6, 0.2, 0.3}, false, "a free x moved inside the range"},
      {{-4.99, 0.2, 0.3}, false, "just inside -5"},
      {{5.0, 0.2, 0.3}, true, "5 would be read as fixed"},
      {{0.1, 4.8, 0.3}, false, "a fixed y may move"},
      {{0.1, -5.2, 0.3}, true, "a fixed y too must stay inside"},
      {{0.1, 0.2, 0.4}, true, "z is tied to FV(2): written as its code"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    if (c.refused) {
      EXPECT_THROW(checkNewPosition(s, c1, c.to), UserError);
    } else {
      EXPECT_NO_THROW(checkNewPosition(s, c1, c.to));
    }
  }
  EXPECT_NO_THROW(checkNewPosition(s, c1, {0.1, 0.2, s.atoms[1].z})) << "a tied z left alone";
}

}  // namespace
}  // namespace tavo::editing
