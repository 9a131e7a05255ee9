// Least-squares planes from the CalcPlane mode and the plane window (TForm37): the Apply
// hand-off, the grids, the planes through symmetry copies and the plane report file.
#include <cmath>
#include <fstream>
#include <numbers>

#include "geometry/cell_metrics.h"
#include "model/file_lines.h"
#include "model/instruction_writer.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using editing::MouseMode;
using model::Vec3;
using workbench::CommandId;

class PlaneScenario : public WorkbenchScenario {
 protected:
  workbench::GeometryCommands& planes() { return bench->geometry(); }
  const workbench::PlaneWindow& window() { return bench->geometry().window(); }

  bool openParabenQuietly() {
    const bool opened = openParaben();
    dialogs.shown.clear();
    return opened;
  }
  void calcPlaneMode() {
    ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(MouseMode::CalcPlane); }));
  }
  /// Clicks the atoms and presses Apply.
  void pickAndApply(const std::vector<std::string>& labels) {
    for (const std::string& label : labels)
      clickAt(pixelOf(ref(label)));
    ASSERT_EQ(bench->selection().count(), static_cast<int>(labels.size()));
    bench->run([&] { bench->modeCommands().apply(); });
  }
  Vec3 cartesian(model::AtomRef atom) const {
    const model::StructureModel& s = bench->structure();
    return geometry::cartesianOf(s.cell, geometry::fractionalOf(s, atom));
  }
  Vec3 cartesian(const std::string& label) const { return cartesian(ref(label)); }
  /// The unit normal through three atoms, by the cross product.
  Vec3 normalThrough(const std::string& a, const std::string& b, const std::string& c) const {
    const Vec3 p = cartesian(a);
    const Vec3 u = cartesian(b) - p;
    const Vec3 v = cartesian(c) - p;
    const Vec3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    return (1 / model::length(n)) * n;
  }
  /// The row of the atoms grid that lists `label`.
  int atomRow(const std::string& label) {
    for (int r = 1; r < window().atoms.rowCount(); ++r)
      if (window().atoms.cell(r, 0) == label) return r;
    ADD_FAILURE() << "no row " << label;
    return 0;
  }
  /// The number in front of the esd of a cell "1.234(5)".
  static double leading(const std::string& cell) {
    return std::stod(cell.substr(0, cell.find('(')));
  }
};

TEST_F(PlaneScenario, ApplyFitsThePickedRingInAngstromsAndShowsTheWindow) {
  ASSERT_TRUE(openParabenQuietly());
  const std::vector<std::string> before = model::instructionFileLines(bench->structure());
  calcPlaneMode();
  pickAndApply({"C1", "C2", "C3", "C4", "C5", "C6"});
  EXPECT_TRUE(dialogs.shown.empty());
  ASSERT_TRUE(window().visible);
  EXPECT_TRUE(bench->selection().empty()) << "the next plane is picked from scratch";
  EXPECT_EQ(model::instructionFileLines(bench->structure()), before) << "a plane changes nothing";
  EXPECT_FALSE(bench->enabled(CommandId::UndoLastEdit)) << "and leaves nothing to undo";

  // The atoms grid: every non-H atom, then every H atom, in Cartesian Å.
  const text::TextGrid& atoms = window().atoms;
  ASSERT_EQ(atoms.rowCount(), 1 + 14 + 15);
  EXPECT_EQ(atoms.row(0), (std::vector<std::string>{"Atom Label", "X (angstrm)", "Y (angstrm)",
                                                    "Z (angstrm)", "Shift(A)@Plane_1"}));
  EXPECT_EQ(atoms.cell(1, 0), "O1");
  EXPECT_EQ(atoms.cell(15, 0), "H1");
  const int c7 = atomRow("C7");
  const Vec3 p = cartesian("C7");
  EXPECT_NEAR(std::stod(atoms.cell(c7, 1)), p.x, 1e-8);
  EXPECT_NEAR(std::stod(atoms.cell(c7, 3)), p.z, 1e-8);
  // Ring atoms lie within hundredths of an ångström of their plane, with esds; the ring's H atoms
  // close to it too, O1 (on C4) as well; the ethyl carbon C9B of the second PART far off it.
  for (const char* label : {"C1", "C2", "C3", "C4", "C5", "C6", "H2", "H3", "O1"}) {
    const std::string& cell = atoms.cell(atomRow(label), 4);
    EXPECT_LT(std::abs(leading(cell)), 0.1) << label << ' ' << cell;
    EXPECT_EQ(cell.find("undefined"), std::string::npos) << cell;
  }
  EXPECT_GT(std::abs(leading(atoms.cell(atomRow("C9B"), 4))), 1);

  // The results: a unit normal, d, esds, the figures and the labels in picking order.
  const text::TextGrid& results = window().results;
  EXPECT_EQ(results.cell(0, 1), "Plane 1");
  EXPECT_EQ(results.cell(1, 0), "a = ");
  const Vec3 n{std::stod(results.cell(1, 1)), std::stod(results.cell(2, 1)),
               std::stod(results.cell(3, 1))};
  EXPECT_NEAR(model::length(n), 1, 1e-7);
  const Vec3 threeAtoms = normalThrough("C1", "C3", "C5");
  EXPECT_GT(std::abs(model::dot(n, threeAtoms)), 0.999);
  EXPECT_GT(std::stod(results.cell(4, 1)), 0) << "d > 0";
  for (int row = 5; row <= 8; ++row)
    EXPECT_GT(std::stod(results.cell(row, 1)), 0) << results.cell(row, 0);
  EXPECT_EQ(results.cell(10, 1), window().rms);
  EXPECT_LT(std::stod(window().rms), 0.02);
  EXPECT_EQ(window().previousU, "1") << "no earlier calculation";
  for (int k = 0; k < 6; ++k)
    EXPECT_EQ(results.cell(workbench::planeLabelRow + k, 1), "C" + std::to_string(k + 1));
}

TEST_F(PlaneScenario, DihedralAnglesBetweenPlanesOfThreeAtomsHaveNoEsds) {
  ASSERT_TRUE(openParabenQuietly());
  calcPlaneMode();
  pickAndApply({"C1", "C3", "C5"});
  bench->run([&] { planes().addPlane(); });
  EXPECT_EQ(window().totalPlanes, 2);
  EXPECT_EQ(window().planeNumber, 2);
  pickAndApply({"O3", "C8B", "C9B"});
  // Three atoms define the plane exactly: the esds are undefined and shown as such.
  EXPECT_EQ(window().results.cell(5, 2), "undefined");
  EXPECT_EQ(window().atoms.cell(atomRow("C8B"), 5), "0.0000(undefined)");
  EXPECT_EQ(window().atoms.cell(0, 5), "Shift(A)@Plane_2");
  // The angle between the two normals, by the cross products of the picked atoms.
  const double expected = std::acos(std::abs(model::dot(normalThrough("C1", "C3", "C5"),
                                                        normalThrough("O3", "C8B", "C9B")))) *
                          180 / std::numbers::pi;
  const text::TextGrid& dihedrals = window().dihedrals;
  ASSERT_EQ(dihedrals.rowCount(), 2);
  ASSERT_EQ(dihedrals.columnCount(), 3);
  EXPECT_EQ(dihedrals.cell(0, 2), "Plane_2");
  EXPECT_EQ(dihedrals.cell(1, 0), "Plane_1");
  const std::string angle = dihedrals.cell(1, 2);
  EXPECT_NE(angle.find("(undefined)"), std::string::npos) << angle;
  EXPECT_GT(expected, 10);
  EXPECT_NEAR(leading(angle), expected, 0.006);

  // A third plane not yet calculated leaves its angles empty; removing it keeps the others.
  bench->run([&] { planes().addPlane(); });
  EXPECT_EQ(window().dihedrals.cell(1, 3), "");
  EXPECT_EQ(window().dihedrals.cell(1, 2), angle);
  bench->run([&] { planes().decreasePlane(); });
  EXPECT_EQ(window().totalPlanes, 2);
  EXPECT_EQ(window().atoms.columnCount(), 6);
  EXPECT_EQ(window().dihedrals.cell(1, 2), angle);
  // The previous U value is that of the calculation before the last one.
  EXPECT_EQ(window().previousU, "0");
  // Down to one plane, then its results go too.
  bench->run([&] { planes().decreasePlane(); });
  EXPECT_EQ(window().dihedrals.rowCount(), 1);
  EXPECT_NE(window().results.cell(1, 1), "") << "plane 1 kept";
  bench->run([&] { planes().decreasePlane(); });
  EXPECT_EQ(window().results.cell(1, 1), "");
  EXPECT_EQ(window().atoms.cell(atomRow("C1"), 4), "");
}

TEST_F(PlaneScenario, RefusalsAndTheHydrogenWarning) {
  ASSERT_TRUE(openParabenQuietly());
  calcPlaneMode();
  pickAndApply({"C1", "C2"});
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{"At least 3 atoms should be selected to conduct plane "
                                     "calculation!"});
  EXPECT_FALSE(window().visible);
  EXPECT_EQ(bench->selection().count(), 2) << "the Selection stays for a third atom";

  dialogs.shown.clear();
  clickAt(pixelOf(ref("H2")));
  clickAt(pixelOf(ref("H3")));
  clickAt(pixelOf(ref("C3")));
  bench->run([&] { bench->modeCommands().apply(); });
  ASSERT_EQ(dialogs.shown.size(), 1U);
  EXPECT_EQ(dialogs.shown[0].rfind("2 H atom(s) selected! Remind H atoms", 0), 0U);
  EXPECT_TRUE(window().visible);
  EXPECT_EQ(window().results.cell(workbench::planeLabelRow + 2, 1), "H2");
}

TEST_F(PlaneScenario, PlanesThroughSymmetryCopiesUseTheCopiesPositions) {
  ASSERT_TRUE(openAs(repositoryFile("tests/data/shelxl/centrosymmetric_half.ins", "half.ins"),
                     workbench::OpenedFrom::Dialog));
  ASSERT_TRUE(bench->run([&] {
    bench->viewCommands().setDisplayFlag(workbench::DisplayFlag::ExpandConnections, true);
  }));
  const model::StructureModel& s = bench->structure();
  ASSERT_EQ(s.workingAtomCount, 6);
  bench->run(CommandId::ShowPlaneCalc);
  ASSERT_TRUE(window().visible);
  // The copies are listed beside the atoms of the file.
  EXPECT_EQ(window().atoms.cell(4, 0), s.atoms[4].label);
  EXPECT_NE(s.atoms[4].label.find('*'), std::string::npos);

  // C1, O1 and the copy of C1 across the inversion centre: were the copy taken at C1's own
  // place, the three would lie on a line.
  const model::AtomRef c1{model::AtomKind::Atom, 1};
  int copyOfC1 = 0;
  for (int i = s.nonHCount + 1; i <= s.workingAtomCount; ++i)
    if (s.atoms[i].label.rfind("C1*", 0) == 0) copyOfC1 = i;
  ASSERT_GT(copyOfC1, 0);
  EXPECT_GT(model::length(cartesian({model::AtomKind::Atom, copyOfC1}) - cartesian(c1)), 1);
  bench->state().selection.append(bench->state().structure, c1);
  bench->state().selection.append(bench->state().structure, ref("O1"));
  bench->state().selection.append(bench->state().structure, {model::AtomKind::Atom, copyOfC1});
  dialogs.shown.clear();
  ASSERT_TRUE(bench->run([&] { planes().definePlane(); }));
  EXPECT_TRUE(dialogs.shown.empty());
  // The planar molecule: every atom and copy lies in that plane.
  for (int r = 1; r < window().atoms.rowCount(); ++r)
    EXPECT_NEAR(leading(window().atoms.cell(r, 4)), 0, 1e-4) << window().atoms.cell(r, 0);
  EXPECT_EQ(window().results.cell(workbench::planeLabelRow + 2, 1), s.atoms[copyOfC1].label);

  // Without the expansion the copies' rows go and the plane stays.
  ASSERT_TRUE(bench->run([&] {
    bench->viewCommands().setDisplayFlag(workbench::DisplayFlag::ExpandConnections, false);
  }));
  EXPECT_EQ(window().atoms.rowCount(), 1 + 3 + 1);
  EXPECT_NE(window().atoms.cell(2, 4), "");
}

TEST_F(PlaneScenario, SaveWritesTheThreeGridsBesideTheFile) {
  ASSERT_TRUE(openParabenQuietly());
  calcPlaneMode();
  pickAndApply({"C1", "C2", "C3", "C4"});
  const std::filesystem::path report = work.path() / "paraben_plane_calc.txt";
  dialogs.nextFile = report;
  ASSERT_TRUE(bench->run([&] { planes().save(); }));
  const std::vector<std::string> lines = model::loadRawFileLines(report);
  // 30 rows of atoms, 12 rows of results and 4 labels, one empty dihedral cell.
  ASSERT_EQ(lines.size(), 2U + 30 + 2 + 16 + 2 + 1);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "List of Atomic Coordinates and Shifts from the Planes");
  EXPECT_EQ(lines[2], "Atom Label\tX (angstrm)\tY (angstrm)\tZ (angstrm)\tShift(A)@Plane_1");
  EXPECT_EQ(lines[3].substr(0, 3), "O1\t");
  EXPECT_EQ(lines[32], "");
  EXPECT_EQ(lines[33], "Results of Least-Squares Calculation (plane definitino: aX+bY+cZ=d)");
  EXPECT_EQ(lines[34], "\tPlane 1");
  // With one plane the row labels are written too.
  EXPECT_EQ(lines[35].substr(0, 5), "a = \t");
  EXPECT_EQ(lines[35].substr(5), window().results.cell(1, 1));
  EXPECT_EQ(lines[46], "\tC1");
  EXPECT_EQ(lines[50], "");
  EXPECT_EQ(lines[51], "Summary of Interplane Dihedral Angles");
  // Cancelling the dialog writes nothing.
  std::filesystem::remove(report);
  dialogs.nextFile.reset();
  bench->run([&] { planes().save(); });
  EXPECT_FALSE(std::filesystem::exists(report));
}

TEST_F(PlaneScenario, AnotherStructureEmptiesTheWindow) {
  ASSERT_TRUE(openParabenQuietly());
  calcPlaneMode();
  pickAndApply({"C1", "C2", "C3", "C4"});
  bench->run([&] { planes().addPlane(); });
  ASSERT_TRUE(openAs(repositoryFile("tests/data/shelxl/centrosymmetric_half.ins", "half.ins"),
                     workbench::OpenedFrom::Dialog));
  EXPECT_EQ(window().totalPlanes, 1);
  EXPECT_EQ(window().results.cell(1, 1), "");
  EXPECT_FALSE(planes().plane(1));
  EXPECT_EQ(window().atoms.rowCount(), 1 + 3 + 1);
}

TEST_F(PlaneScenario, VectorAngleOfFourPickedAtomsIsDrawn) {
  ASSERT_TRUE(openParabenQuietly());
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(MouseMode::AngV1V2); }));
  for (const char* label : {"C1", "C4", "C7", "C9B"})
    clickAt(pixelOf(ref(label)));
  ASSERT_EQ(bench->selection().count(), 4);
  // The angle between C1->C4 and C7->C9B, from the fractional coordinates.
  const Vec3 p = cartesian("C4") - cartesian("C1");
  const Vec3 q = cartesian("C9B") - cartesian("C7");
  const double expected =
      std::acos(model::dot(p, q) / (model::length(p) * model::length(q))) * 180 / std::numbers::pi;
  std::string shown;
  for (const std::string& text : canvas.writtenTexts())
    if (text.rfind("Vec1/Vec2 Angle = ", 0) == 0) shown = text;
  ASSERT_FALSE(shown.empty());
  EXPECT_NEAR(std::stod(shown.substr(18)), expected, 0.0006) << shown;
  EXPECT_FALSE(window().visible) << "the vector angle needs no plane window";
}

}  // namespace
}  // namespace tavo::testing
