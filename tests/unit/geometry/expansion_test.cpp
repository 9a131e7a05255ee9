// The expansion and packing searches (the cell list against the plain loops), the copies with
// their labels, capacities and displacement parameters, the disorder rule of bonds among copies,
// and the unit-list files.
#include "geometry/expansion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "geometry/bonds.h"
#include "geometry/cell_metrics.h"
#include "geometry/expansion_copies.h"
#include "geometry/symmetry_operators.h"
#include "geometry/unit_list_file.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"
#include "text/errors.h"
#include "unit/geometry/structure_fixture.h"

namespace tavo::geometry {
namespace {

using model::ExpansionOp;
using testing::addAtom;
using testing::addHydrogen;
using testing::addPeak;
using testing::FakeDialogs;
using testing::fixtureStructure;
using testing::setCell;

void useOperators(model::SymmetryOps& ops, std::initializer_list<const char*> triplets) {
  std::vector<SeitzOperator> list;
  for (const char* t : triplets)
    list.push_back(*parseSymmetryTriplet(t));
  fillSymmetryOps(ops, list);
}

const std::initializer_list<const char*> p21c = {"x,y,z", "-x,y+1/2,-z+1/2", "-x,-y,-z",
                                                 "x,-y+1/2,z+1/2"};

// The 48 operators of the point group m-3m (every signed permutation of the axes), identity first.
std::vector<SeitzOperator> cubicOperators() {
  std::vector<SeitzOperator> ops;
  int permutation[3] = {0, 1, 2};
  do {
    for (int signs = 0; signs < 8; ++signs) {
      SeitzOperator op;
      op.r.fill(0);
      for (int row = 0; row < 3; ++row)
        op.r[static_cast<size_t>(3 * row + permutation[row])] = (signs >> row & 1) ? -1 : 1;
      ops.push_back(op);
    }
  } while (std::next_permutation(permutation, permutation + 3));
  return ops;
}

struct Unit {
  int op, ta, tb, tc;
  friend bool operator==(const Unit&, const Unit&) = default;
};

std::vector<Unit> unitsOf(const std::vector<ExpansionOp>& list) {
  std::vector<Unit> units;
  for (const ExpansionOp& u : list)
    units.push_back({u.op, u.ta, u.tb, u.tc});
  return units;
}

// Half of a chain C2-C1-C1'-C2' across the inversion centre (1/2, 1/2, 1/2) of P21/c.
model::StructureModel halfMolecule() {
  auto s = fixtureStructure();
  setCell(s, 10, 10, 10, 90, 90, 90);
  useOperators(s.symmetry, p21c);
  addAtom(s, "C1", 1, 0.43, 0.5, 0.5);
  addAtom(s, "O1", 3, 0.33, 0.55, 0.5);
  return s;
}

TEST(ExpansionSearch, CompletesAMoleculeOnAnInversionCentre) {
  const auto s = halfMolecule();
  ExpansionWorkspace workspace;
  const auto units = expansionUnits(s, 11, workspace);
  ASSERT_EQ(unitsOf(units), (std::vector<Unit>{{3, 1, 1, 1}}));
  EXPECT_EQ(units[0].text, " -X+1, -Y+1, -Z+1");
  EXPECT_EQ(unitsOf(expansionUnitsPlain(s, 11)), unitsOf(units));
  EXPECT_TRUE(expansionUnits(s, 4, workspace).empty()) << "1.4 A is above 0.4 x 1.54";
}

TEST(ExpansionSearch, P1FindsOnlyTranslatedNeighboursThatTouch) {
  auto s = fixtureStructure();
  setCell(s, 3, 20, 20, 90, 90, 90);  // a chain along a: each atom touches its neighbours
  s.symmetry.resetToIdentity();
  addAtom(s, "C1", 1, 0.0, 0.5, 0.5);
  addAtom(s, "C2", 1, 0.45, 0.5, 0.5);
  ExpansionWorkspace workspace;
  EXPECT_EQ(unitsOf(expansionUnits(s, 11, workspace)),
            (std::vector<Unit>{{1, -1, 0, 0}, {1, 1, 0, 0}}));
}

// Random structures under several groups: the cell list gives the units of the plain loops.
TEST(ExpansionSearch, CellListGivesThePlainUnitsInOrder) {
  std::mt19937 random(8);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<int> element(0, 4);  // 0 and 4: no radius (peak radius, none)
  std::vector<std::vector<SeitzOperator>> groups;
  for (const auto& triplets :
       {std::initializer_list<const char*>{"x,y,z"},
        std::initializer_list<const char*>{"x,y,z", "-x,-y,-z"}, p21c,
        std::initializer_list<const char*>{"x,y,z", "-x,y,-z+1/2", "-x,-y,-z", "x,-y,z+1/2",
                                           "x+1/2,y+1/2,z", "-x+1/2,y+1/2,-z+1/2",
                                           "-x+1/2,-y+1/2,-z", "x+1/2,-y+1/2,z+1/2"}}) {
    std::vector<SeitzOperator> ops;
    for (const char* t : triplets)
      ops.push_back(*parseSymmetryTriplet(t));
    groups.push_back(ops);
  }
  groups.push_back(cubicOperators());
  int compared = 0, withUnits = 0;
  for (const auto& group : groups) {
    for (int round = 0; round < 12; ++round) {
      auto s = fixtureStructure(200);
      s.elements[0].radius = 0.9;
      const double edge = 6 + 10 * unit(random);
      setCell(s, edge, edge * (0.8 + 0.4 * unit(random)), edge, 90, 90 + 25 * unit(random), 90);
      fillSymmetryOps(s.symmetry, group);
      // A blob of atoms somewhere in the cell, sometimes reaching over its faces.
      const double spread = 0.1 + 0.5 * unit(random);
      const double cx = unit(random), cy = unit(random), cz = unit(random);
      const int n = 1 + round * 2;
      for (int i = 1; i <= n; ++i) {
        addAtom(s, "C" + std::to_string(i), element(random), cx + spread * (unit(random) - 0.5),
                cy + spread * (unit(random) - 0.5), cz + spread * (unit(random) - 0.5));
      }
      for (const int factor : {5, 11, 20}) {
        SCOPED_TRACE("group of " + std::to_string(group.size()) + ", round " +
                     std::to_string(round) + ", factor " + std::to_string(factor));
        ExpansionWorkspace workspace;
        const auto grid = expansionUnits(s, factor, workspace);
        const auto plain = expansionUnitsPlain(s, factor);
        ASSERT_EQ(unitsOf(grid), unitsOf(plain));
        ++compared;
        if (!grid.empty()) ++withUnits;
      }
    }
  }
  EXPECT_GT(withUnits, compared / 4) << "the cases must find units to compare";
}

TEST(ExpansionSearch, EndsAt32UnitsOrAtTheListCapacity) {
  auto s = fixtureStructure();
  setCell(s, 1, 1, 1, 90, 90, 90);  // nearly every translated neighbour touches
  addAtom(s, "C1", 1, 0.05, 0.05, 0.05);
  addAtom(s, "C2", 1, 0.5, 0.5, 0.5);
  addAtom(s, "C3", 1, 0.95, 0.95, 0.95);
  ExpansionWorkspace workspace;
  const auto plain = expansionUnitsPlain(s, 11);
  ASSERT_EQ(plain.size(), 32u);
  EXPECT_EQ(unitsOf(expansionUnits(s, 11, workspace)), unitsOf(plain));
  s.limits.symMax = 6;  // five units, entry 0 unused
  const std::vector<Unit> all = unitsOf(plain);
  EXPECT_EQ(unitsOf(expansionUnits(s, 11, workspace)),
            std::vector<Unit>(all.begin(), all.begin() + 5));
}

TEST(ExpansionSearch, TransformedPositionsNeedNoRoomInTheAtomTable) {
  // Every slot of the table holds an atom of the file: the search has its own scratch storage.
  auto s = fixtureStructure(4);
  setCell(s, 10, 10, 10, 90, 90, 90);
  useOperators(s.symmetry, p21c);
  for (int i = 1; i <= 4; ++i)
    addAtom(s, "C" + std::to_string(i), 1, 0.43 - 0.1 * (i - 1), 0.5, 0.5);
  ExpansionWorkspace workspace;
  EXPECT_EQ(unitsOf(expansionUnits(s, 11, workspace)), (std::vector<Unit>{{3, 1, 1, 1}}));
}

TEST(PackingSearch, P21cUnitsInSearchOrderAndStrictBounds) {
  model::SymmetryOps ops;
  useOperators(ops, p21c);
  const Fractional centroid{0.3, 0.4, 0.6};
  const auto result = packingUnits(ops, centroid, {0, 1, 0, 1, 0, 1}, 199);
  EXPECT_FALSE(result.full);
  ASSERT_EQ(unitsOf(result.units), (std::vector<Unit>{{2, 1, 0, 1}, {3, 1, 1, 1}, {4, 0, 0, -1}}));
  const Fractional expected[] = {{0.7, 0.9, 0.9}, {0.7, 0.6, 0.4}, {0.3, 0.1, 0.1}};
  for (size_t k = 0; k < 3; ++k) {
    const ExpansionOp& u = result.units[k];
    const Fractional p = applyOperator(ops, u.op, centroid, u.ta, u.tb, u.tc);
    EXPECT_NEAR(p.x, expected[k].x, 1e-12);
    EXPECT_NEAR(p.y, expected[k].y, 1e-12);
    EXPECT_NEAR(p.z, expected[k].z, 1e-12);
  }
  EXPECT_EQ(result.units[0].text, " -X+1, Y+1/2, -Z+1/2+1");
  // 0.9 exactly on the upper b bound: operator 2 is no longer inside.
  EXPECT_EQ(unitsOf(packingUnits(ops, centroid, {0, 1, 0, 0.9, 0, 1}, 199).units),
            (std::vector<Unit>{{3, 1, 1, 1}, {4, 0, 0, -1}}));
  // Bounds of 1.5 round to 2: translations up to 4 are tried, so x = 0.7 + 3 is found.
  const auto wide = packingUnits(ops, centroid, {3.5, 3.8, 0, 1, 0, 1}, 199);
  EXPECT_EQ(unitsOf(wide.units), (std::vector<Unit>{{2, 4, 0, 1}, {3, 4, 1, 1}}));
}

TEST(PackingSearch, StopsAtTheCapacityAndSaysWhichLimit) {
  model::SymmetryOps ops;
  useOperators(ops, p21c);
  const auto full = packingUnits(ops, {0.3, 0.4, 0.6}, {-2, 3, -2, 3, -2, 3}, 10);
  EXPECT_TRUE(full.full);
  EXPECT_EQ(full.units.size(), 10u);
  model::ArrayLimits limits;
  EXPECT_EQ(unitCapacity(limits), 199);
  limits.symMax = 1000;
  EXPECT_EQ(unitCapacity(limits), 255);
  limits.symMax = 11;
  EXPECT_EQ(packingCapacityMessage(limits),
            "The packing range holds more copies than the 10 units a view can hold (sym_max - 1 "
            "with sym_max = 11, and never more than 255): only the first 10 are shown. Raise "
            "sym_max in array_max.inf in the program folder, or narrow the range.");
  PackingRange range;
  range.boundTexts[3] = "x";
  EXPECT_THROW(packingBounds(range), ConversionError);
}

TEST(CopyLabels, StarAndUnitNumberWithinEightCharacters) {
  struct Case {
    const char* label;
    int unit;
    const char* copy;
  };
  const Case cases[] = {
      {"O1", 12, "O1*12"},         {"C10A", 2, "C10A*2"},       {"C12", 3, "C12*3"},
      {"ABCDEFGH", 7, "ABCDEFGH"}, {"ABCDEFG", 12, "ABCDEFG*"}, {"ABCDEF", 12, "ABCDEF*1"},
      {" N1 ", 1, "N1*1"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(copyLabel(c.label, c.unit), c.copy) << c.label;
}

TEST(Copies, CarryPositionLabelPartAndTurnedDisplacement) {
  auto s = halfMolecule();
  s.atoms[1].part = -1;
  s.atoms[1].aniso = 1;
  s.atoms[1].u11 = 0.01, s.atoms[1].u22 = 0.02, s.atoms[1].u33 = 0.03;
  s.atoms[1].u23 = 0.004, s.atoms[1].u13 = 0.005, s.atoms[1].u12 = 0.006;
  addHydrogen(s, "H1", 0.4, 0.6, 0.5);
  addPeak(s, 0.2, 0.2, 0.2, 0.7);
  ViewFrame frame;
  computeCellOutline(s, frame);
  resetViewCoordinates(s, frame, false);
  const std::vector<ExpansionOp> units = {makeUnit(s.symmetry, 3, 1, 1, 1),
                                          makeUnit(s.symmetry, 2, 0, 0, 0)};
  FakeDialogs dialogs;
  s.selected[1][3] = 1;
  AddMolecule(s, frame, units, 2, dialogs);
  addHydrogenCopies(s, frame, units, 2, dialogs);
  addPeakCopies(s, frame, units, 1, dialogs);
  EXPECT_TRUE(dialogs.shown.empty());
  ASSERT_EQ(s.workingAtomCount, 6);
  EXPECT_EQ(s.workingHCount, 3);
  EXPECT_EQ(s.workingPeakCount, 2);
  const model::Atom& c1 = s.atoms[3];  // C1 in unit 1: -x+1, -y+1, -z+1
  EXPECT_EQ(c1.label, "C1*1");
  EXPECT_NEAR(c1.x, 0.57, 1e-12);
  EXPECT_EQ(c1.part, -1);
  EXPECT_EQ(c1.unit, 1);
  EXPECT_EQ(s.selected[1][3], 0);
  EXPECT_DOUBLE_EQ(c1.u12, 0.006) << "the inversion leaves U as it is";
  const model::Atom& c1b = s.atoms[5];  // C1 in unit 2: -x, y+1/2, -z+1/2
  EXPECT_EQ(c1b.label, "C1*2");
  EXPECT_EQ(c1b.unit, 2);
  EXPECT_NEAR(c1b.u12, -0.006, 1e-15);
  EXPECT_NEAR(c1b.u13, 0.005, 1e-15);
  EXPECT_NEAR(c1b.u23, -0.004, 1e-15);
  EXPECT_EQ(s.hydrogens[3].label, "H1*2");
  EXPECT_DOUBLE_EQ(s.peaks[2].height, 0.7);
  const model::Vec3 expected = cartesianOf(s.cell, {0.57, 0.5, 0.5}) - frame.viewOrigin();
  EXPECT_NEAR(s.view[1][3].x, expected.x, 1e-9);
  EXPECT_NEAR(s.view[1][3].y, expected.y, 1e-9);
}

TEST(Copies, DisplacementOfAFourFoldAxisSwapsTheAxes) {
  auto s = fixtureStructure();
  setCell(s, 7, 7, 12, 90, 90, 90);
  useOperators(s.symmetry, {"x,y,z", "-y,x,z"});
  model::Atom atom;
  atom.u11 = 0.01, atom.u22 = 0.02, atom.u33 = 0.03, atom.u23 = 0.004, atom.u13 = 0.005;
  atom.u12 = 0.006;
  turnDisplacement(s.cell, s.symmetry, 2, atom);
  EXPECT_NEAR(atom.u11, 0.02, 1e-15);
  EXPECT_NEAR(atom.u22, 0.01, 1e-15);
  EXPECT_NEAR(atom.u33, 0.03, 1e-15);
  EXPECT_NEAR(atom.u12, -0.006, 1e-15);
  EXPECT_NEAR(atom.u13, -0.004, 1e-15);
  EXPECT_NEAR(atom.u23, 0.005, 1e-15);
}

TEST(Copies, StopAtExpMaxWithTheMessageOfTheirKind) {
  struct Case {
    model::AtomKind kind;
    const char* message;
  };
  const Case cases[] = {
      {model::AtomKind::Atom, "Sorry, the number of nonH atoms expanded exceeds the Maximum (6)!!"},
      {model::AtomKind::Hydrogen, "Sorry, the number ofH atoms expanded exceeds the Maximum (6)!!"},
      {model::AtomKind::Peak, "Sorry, the number of peaks expanded exceeds the Maximum (6)!!"},
  };
  for (const Case& c : cases) {
    auto s = fixtureStructure(10);
    s.limits.expMax = 6;  // room for entries up to 5
    setCell(s, 10, 10, 10, 90, 90, 90);
    useOperators(s.symmetry, p21c);
    for (int i = 0; i < 2; ++i) {
      addAtom(s, "C" + std::to_string(i + 1), 1, 0.1 * i, 0, 0);
      addHydrogen(s, "H" + std::to_string(i + 1), 0.1 * i, 0.1, 0);
      addPeak(s, 0.1 * i, 0.2, 0);
    }
    ViewFrame frame;
    computeCellOutline(s, frame);
    resetViewCoordinates(s, frame, false);
    const std::vector<ExpansionOp> units = {makeUnit(s.symmetry, 2, 0, 0, 0),
                                            makeUnit(s.symmetry, 3, 0, 0, 0),
                                            makeUnit(s.symmetry, 4, 0, 0, 0)};
    FakeDialogs dialogs;
    if (c.kind == model::AtomKind::Atom) AddMolecule(s, frame, units, 3, dialogs);
    if (c.kind == model::AtomKind::Hydrogen) addHydrogenCopies(s, frame, units, 3, dialogs);
    if (c.kind == model::AtomKind::Peak) addPeakCopies(s, frame, units, 3, dialogs);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{c.message});
    const int working = c.kind == model::AtomKind::Atom       ? s.workingAtomCount
                        : c.kind == model::AtomKind::Hydrogen ? s.workingHCount
                                                              : s.workingPeakCount;
    EXPECT_EQ(working, 5) << "unit 1 and the first copy of unit 2 stay";
  }
}

TEST(CopyBonds, NegativePartsDoNotBondToTheirOwnCopies) {
  struct Case {
    int part, copyPart;
    bool bonded;
    const char* why;
  };
  const Case cases[] = {
      {-1, -1, false, "special-position disorder: a copy of the same negative PART"},
      {1, 1, true, "a positive PART bonds to its copy"},
      {-1, 0, true, "PART 0 bonds to everything"},
      {-1, -2, false, "different non-zero PARTs never bond"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto s = fixtureStructure();
    addAtom(s, "C1", 1, 0, 0, 0);
    addAtom(s, "C2", 1, 1.0, 0, 0);  // both of the file, same PART: bonded
    s.atoms[1].part = s.atoms[2].part = c.part;
    const int copy = ++s.workingAtomCount;
    s.atoms[copy].sfac = 1;
    s.atoms[copy].part = c.copyPart;
    s.atoms[copy].unit = 1;
    s.view[1][static_cast<size_t>(copy)] = {-1.2, 0, 0};
    const int h = addHydrogen(s, "H1", -2.0, 0, 0);  // near the copy only
    s.hydrogens[h].part = c.part;
    FakeDialogs dialogs;
    for (const bool plain : {false, true}) {
      if (plain) {
        detectConnectionPlain(s, {}, dialogs);
      } else {
        DetectConnection(s, {}, dialogs);
      }
      std::vector<model::Bond> expected = {{1, 2}};
      if (c.bonded) expected.push_back({1, 3});
      EXPECT_EQ(s.bonds.kinds[1], expected);
      EXPECT_EQ(s.bonds.count(2), c.bonded ? 1 : 0);
    }
  }
}

TEST(UnitListFile, ColumnsWrittenAndReadBack) {
  model::SymmetryOps ops;
  useOperators(ops, p21c);
  const std::vector<ExpansionOp> units = {makeUnit(ops, 2, 1, 0, 1), makeUnit(ops, 4, 0, 0, -1)};
  EXPECT_EQ(unitListLine(units[0]), "    2    1    0    1      -X+1, Y+1/2, -Z+1/2+1");
  testing::TempFolder folder;
  const auto file = folder.path() / "expand.txt";
  writeUnitList(file, units);
  EXPECT_EQ(folder.read("expand.txt"),
            "    2    1    0    1      -X+1, Y+1/2, -Z+1/2+1\n"
            "    4    0    0   -1      X, -Y+1/2, Z+1/2-1\n");
  const auto read = readUnitList(file, 4);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(unitsOf(*read), unitsOf(units));
  EXPECT_EQ((*read)[1].text, "X, -Y+1/2, Z+1/2-1") << "the code is read back trimmed";
  EXPECT_FALSE(readUnitList(folder.path() / "packing.txt", 4).has_value());
  EXPECT_THROW(readUnitList(file, 2), UserError) << "operator 4 of a two-operator group";
  folder.write("packing.txt", "    2   x1    0    1      -X\n");
  EXPECT_THROW(readUnitList(folder.path() / "packing.txt", 4), UserError);
}

TEST(CellBoxCentring, MovesTheBoxMiddleToTheOriginAndSizesTheExtent) {
  auto s = halfMolecule();
  ViewFrame frame;
  computeCellOutline(s, frame);
  resetViewCoordinates(s, frame, false);
  const model::Vec3 before = s.view[1][1];
  const model::Vec3 middle = 0.5 * (frame.viewSlots[1] + frame.viewSlots[7]);
  EXPECT_NEAR(centreOnCellBox(s, frame), 3 * std::sqrt(75.0), 1e-9);
  EXPECT_NEAR(frame.viewSlots[1].x + frame.viewSlots[7].x, 0, 1e-12);
  EXPECT_NEAR(s.view[1][1].x, before.x - middle.x, 1e-12);
}

}  // namespace
}  // namespace tavo::geometry
