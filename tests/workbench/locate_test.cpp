// The locating tool on real structures: a group read onto a located peak, the refused group
// files, the bond length of a Cartesian import and its turn onto -X, and an atom placed with
// vectors.
#include <gtest/gtest.h>

#include <cmath>

#include "model/structure_snapshot.h"
#include "view/view_state.h"
#include "workbench/edit_step.h"
#include "workbench_fixture.h"

namespace tavo::testing {
namespace {

using editing::MouseMode;
using model::AtomKind;
using model::AtomRef;
using model::Vec3;

/// The distance of two fractional points in a cell, from the metric tensor (not the program's
/// orthogonalisation).
double cellDistance(const model::CellParameters& c, const Vec3& f, const Vec3& g) {
  const double rad = 3.141592653589793 / 180;
  const Vec3 d = f - g;
  const double ca = std::cos(c.alpha * rad), cb = std::cos(c.beta * rad),
               cg = std::cos(c.gamma * rad);
  return std::sqrt(d.x * d.x * c.a * c.a + d.y * d.y * c.b * c.b + d.z * d.z * c.c * c.c +
                   2 * d.x * d.y * c.a * c.b * cg + 2 * d.x * d.z * c.a * c.c * cb +
                   2 * d.y * d.z * c.b * c.c * ca);
}

Vec3 fractional(const model::StructureModel& s, AtomRef r) {
  if (r.kind == AtomKind::Atom) return {s.atoms[r.index].x, s.atoms[r.index].y, s.atoms[r.index].z};
  return {s.hydrogens[r.index].x, s.hydrogens[r.index].y, s.hydrogens[r.index].z};
}

class Locating : public WorkbenchScenario {
 protected:
  model::StructureModel& s() { return bench->structure(); }
  workbench::LocateCommands& locate() { return bench->locate(); }
  bool run(const std::function<void()>& command) { return bench->run(command); }
  /// Locate mode, then a click on `at`: the set-up for the entry drawn there.
  void locateByClick(AtomRef at) {
    ASSERT_TRUE(run([&] { bench->modeCommands().chooseMode(MouseMode::Locate); }));
    clickAt(pixelOf(at));
    ASSERT_TRUE(locate().window().visible);
    ASSERT_EQ(locate().located(), at);
  }
  std::filesystem::path groupFile(const std::string& name, const std::string& text) {
    work.write(name, text);
    return work.path() / name;
  }
  int row(const std::string& label) {
    const text::TextGrid& atoms = locate().window().atoms;
    for (int r = 0; r < atoms.rowCount(); ++r) {
      if (atoms.cell(r, 0) == label) return r;
    }
    ADD_FAILURE() << "no row " << label;
    return 0;
  }
  const std::string& line(int marker) { return s().instructionLines[marker]; }
};

TEST_F(Locating, AGroupOnALocatedPeakTakesItsElementIntoSfacAndSitsAtItsOffsets) {
  TAVO_OPEN_PARABEN();
  const model::Peak q1 = s().peaks[1];
  const int peaks = s().peakCount;
  const int atoms = s().nonHCount;
  locateByClick({AtomKind::Peak, 1});
  EXPECT_EQ(locate().window().centroids[0].cell(0, 0), "");  // a peak is no centroid
  EXPECT_EQ(locate().window().atoms.rowCount(), s().nonHCount + s().hCount);
  EXPECT_LT(model::length(s().viewOf({AtomKind::Peak, 1})), 1e-9);  // at the view origin
  EXPECT_TRUE(bench->modes().is(MouseMode::Locate));

  const std::filesystem::path cf3 = program.path() / "groups" / "cf3.grp";
  ASSERT_TRUE(run([&] { locate().readGroupFile(cf3); }));
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{"Now in the \"Adjust\" mode!  After or without adjustment, "
                                     "press \"Apply\" to Update"});
  // F was not among the elements: it joins SFAC and UNIT as Add Elem adds it.
  EXPECT_EQ(line(s().markers.sfacLine), "SFAC C H O F");
  EXPECT_EQ(line(s().markers.unitLine), "UNIT 36 40 12 1");
  ASSERT_EQ(s().elementCount, 4);
  EXPECT_GT(s().elements[4].radius, 0);  // its definition attached
  // The peak became C12, the three F atoms follow; the peaks of the file are all still there.
  ASSERT_EQ(s().nonHCount, atoms + 4);
  EXPECT_EQ(s().peakCount, peaks - 1);
  const AtomRef c{AtomKind::Atom, atoms + 1};
  EXPECT_EQ(s().atoms[c.index].label, "C12");
  EXPECT_EQ(fractional(s(), c), (Vec3{q1.x, q1.y, q1.z}));
  const std::vector<Vec3> offsets = {
      {0.44333, 1.25394, 0}, {0.44333, -0.62697, 1.08595}, {0.44333, -0.62697, -1.08595}};
  for (int k = 0; k < 3; ++k) {
    const AtomRef f{AtomKind::Atom, atoms + 2 + k};
    SCOPED_TRACE(s().atoms[f.index].label);
    EXPECT_EQ(s().atoms[f.index].label, "F" + std::to_string(k + 1));
    EXPECT_EQ(s().atoms[f.index].sfac, 4);
    const Vec3 offset = s().viewOf(f) - s().viewOf(c);
    EXPECT_NEAR(model::length(offset - offsets[static_cast<std::size_t>(k)]), 0, 1e-4);
    EXPECT_NEAR(cellDistance(s().cell, fractional(s(), f), fractional(s(), c)), 1.33, 1e-4);
  }
  // Only the new group is selected, in the Adjust mode; the structure is not.
  EXPECT_EQ(selectedLabels(), (std::vector<std::string>{"C12", "F1", "F2", "F3"}));
  EXPECT_TRUE(bench->modes().is(MouseMode::Adjust));
  EXPECT_TRUE(bench->adjustPending());
  EXPECT_FALSE(locate().window().visible);

  // The whole reading is one step: one undo takes the group and the SFAC entry back.
  ASSERT_TRUE(run([&] { workbench::undoLastEdit(bench->state()); }));
  EXPECT_EQ(s().nonHCount, atoms);
  EXPECT_EQ(s().elementCount, 3);
  EXPECT_EQ(line(s().markers.sfacLine), "SFAC C H O");
}

TEST_F(Locating, ARefusedGroupFileChangesNothing) {
  TAVO_OPEN_PARABEN();
  struct Case {
    std::string text;
    int frgMax;
    std::string message;
  };
  const Case cases[] = {
      {"2 1\n0 C 0 0 0\n1 H 1 0 0\n2 Xx 0 1 0\n", 300,
       "Cannot find the element! Check the naming of atoms!"},
      {"2 1\n0 C 0 0 0\n1 H 1 0 0\n2 H 0 x 0\n", 300, "'x' is not a valid floating point value"},
      {"3 1\n0 C 0 0 0\n1 H 1 0 0\n2 H 0 1 0\n3 H 0 0 1\n", 4,
       "The group has 3 atom lines; a group may have at most frg_max - 2 = 2 (frg_max is set "
       "in array_max.inf). Nothing was placed."},
  };
  locateByClick(ref("C4"));
  const model::StructureSnapshot before = model::takeSnapshot(s());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    s().limits.frgMax = static_cast<std::uint16_t>(c.frgMax);
    dialogs.shown.clear();
    run([&] { locate().readGroupFile(groupFile("bad.grp", c.text)); });
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{c.message});
    EXPECT_TRUE(model::takeSnapshot(s()) == before);
    EXPECT_EQ(s().peakCount, before.peaks.size());
    EXPECT_FALSE(bench->adjustPending());
  }
  // Symmetry copies shown: new atoms would land among them.
  s().limits.frgMax = 300;
  ASSERT_TRUE(run([&] { bench->expansionCommands().setExpandConnections(true); }));
  ASSERT_GT(s().workingAtomCount, s().nonHCount);
  dialogs.shown.clear();
  run([&] { locate().readGroupFile(program.path() / "groups" / "methyl.grp"); });
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{
                               "Name/Delete Permission Denied when Expanded To Avoid Confusion!!"});
  EXPECT_EQ(s().nonHCount, static_cast<int>(before.atoms.size()));
}

TEST_F(Locating, ACartesianBondGetsItsLengthAndTurnsOntoMinusXForItsOwnSetUpOnly) {
  struct Case {
    Vec3 neighbour;  // of C2, the located atom at the origin of the file
    double turnRad;  // the view turned about Y between the window and its Apply
    const char* why;
  };
  const Case cases[] = {
      {{0.6, -0.9, 1.03}, 0, "an oblique bond"},
      {{0, 0, 1.54321}, 0, "a bond along the viewing axis, which has no turn about it"},
      {{0.6, -0.9, 1.03}, 0.7, "the view turned before the Apply: the bond as it lies then"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const Vec3 u = (1.54321 / model::length(c.neighbour)) * c.neighbour;
    work.write("pair.abc", "C2 0 0 0\nC1 " + std::to_string(u.x) + " " + std::to_string(u.y) + " " +
                               std::to_string(u.z) + "\nC3 6 0 0\n");
    ASSERT_TRUE(run([&] {
      bench->importExport().importFile(work.path() / "pair.abc",
                                       workbench::ImportFormat::Cartesian);
      bench->viewCommands().initGraph();  // the view of the reset, not the first view
    }));
    dialogs.shown.clear();
    const AtomRef c2 = ref("C2");
    const AtomRef c1 = ref("C1");
    if (std::string(c.why).starts_with("a bond along")) {
      ASSERT_LT(
          std::hypot(s().viewOf(c1).x - s().viewOf(c2).x, s().viewOf(c1).y - s().viewOf(c2).y),
          1e-4);
    }
    ASSERT_TRUE(run([&] { bench->state().selection.append(s(), c2); }));
    ASSERT_TRUE(run([&] { bench->modeCommands().atomMenuLocate(); }));
    const workbench::DistanceWindow& w = locate().distanceWindow();
    ASSERT_TRUE(w.visible);
    EXPECT_EQ(w.center, "C2");
    EXPECT_EQ(w.connected, "C1");
    EXPECT_EQ(w.distance, "1.5432");
    EXPECT_FALSE(locate().window().visible);

    for (const char* typed : {"abc", "0"}) {
      locate().setDistanceText(typed);
      EXPECT_FALSE(run([&] { locate().applyDistance(); }));
    }
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{
                  "'abc' is not a valid floating point value",
                  "The connecting distance must be a positive number of Å, not '0'."}));
    view::rotateView(s(), bench->state().frame, view::Axis::Y, c.turnRad, false);
    locate().setDistanceText("1.40");
    ASSERT_TRUE(run([&] { locate().applyDistance(); }));
    EXPECT_FALSE(w.visible);
    EXPECT_TRUE(locate().window().visible);
    EXPECT_LT(model::length(s().viewOf(c2)), 1e-9);
    EXPECT_NEAR(model::length(s().viewOf(c1) - Vec3{-1.40, 0, 0}), 0, 1e-9);
    EXPECT_NEAR(cellDistance(s().cell, fractional(s(), c1), fractional(s(), c2)), 1.40, 1e-9);

    // The distance served that set-up: a later one for the same atom moves nothing.
    locate().setDistanceText("1.2");
    ASSERT_TRUE(run([&] { locate().cancel(); }));
    locateByClick(c2);
    EXPECT_NEAR(cellDistance(s().cell, fractional(s(), c1), fractional(s(), c2)), 1.40, 1e-9);
  }
}

TEST_F(Locating, WithoutAnOriginOrPeaksTheLocatedAtomKeepsItsNameAndOnlyTheGroupIsSelected) {
  work.write("pair.abc", "C2 0 0 0\nC1 1.5 0 0\nC3 6 0 0\n");
  ASSERT_TRUE(run([&] {
    bench->importExport().importFile(work.path() / "pair.abc", workbench::ImportFormat::Cartesian);
  }));
  ASSERT_EQ(s().peakCount, 0);
  const AtomRef c3 = ref("C3");
  ASSERT_TRUE(run([&] { bench->state().selection.append(s(), c3); }));
  ASSERT_TRUE(run([&] { bench->modeCommands().atomMenuLocate(); }));
  EXPECT_FALSE(locate().distanceWindow().visible);  // C3 has no neighbour
  ASSERT_TRUE(locate().window().visible);
  ASSERT_TRUE(run([&] { locate().readGroupFile(groupFile("h.grp", "1 0\n1 H 0 0 1.05\n")); }));
  EXPECT_EQ(s().atoms[c3.index].label, "C3");
  ASSERT_EQ(s().hCount, 1);
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"H1"});
  EXPECT_NEAR(cellDistance(s().cell, fractional(s(), {AtomKind::Hydrogen, 1}), fractional(s(), c3)),
              1.05, 1e-9);
}

TEST_F(Locating, AnAtomPlacedWithVectorsLiesAlongTheCentroidDirection) {
  TAVO_OPEN_PARABEN();
  locateByClick(ref("C4"));
  EXPECT_EQ(locate().window().centroids[0].row(0),
            (std::vector<std::string>{"C4", "1", std::to_string(ref("C4").index)}));
  ASSERT_TRUE(run([&] { locate().checkVectors(true); }));
  EXPECT_TRUE(locate().window().vectorControlsEnabled);
  // No list chosen: the row goes to Grvty0 with the message, and only once.
  run([&] { locate().doubleClickAtomRow(row("C1")); });
  run([&] { locate().doubleClickAtomRow(row("C1")); });
  EXPECT_EQ(dialogs.shown, std::vector<std::string>(2, "Select one of Origin/Mid(1)/Mid(2)"));
  EXPECT_EQ(locate().window().centroids[0].rowCount(), 2);
  run([&] { locate().doubleClickCentroidRow(0, 1); });
  EXPECT_EQ(locate().window().centroids[0].rowCount(), 1);
  run([&] { locate().checkCentroidList(1, true); });
  run([&] { locate().doubleClickAtomRow(row("C1")); });
  run([&] { locate().checkCentroidList(2, true); });
  EXPECT_EQ(locate().window().centroidChecked, (std::array<bool, 3>{false, false, true}));
  run([&] { locate().doubleClickAtomRow(row("C3")); });
  run([&] { locate().doubleClickAtomRow(row("C5")); });
  run([&] { locate().setElementNumber(3); });
  EXPECT_EQ(bench->controls().elementSymbol, "O");
  dialogs.shown.clear();

  const int atoms = s().nonHCount;
  locate().setVectorLength("x");
  EXPECT_FALSE(run([&] { locate().applyVectors(); }));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"'x' is not a valid floating point value"});
  EXPECT_EQ(s().nonHCount, atoms);

  const Vec3 c4 = s().viewOf(ref("C4"));
  const Vec3 direction =
      0.5 * (s().viewOf(ref("C3")) + s().viewOf(ref("C5"))) - s().viewOf(ref("C1"));
  locate().setVectorLength("1.5");
  ASSERT_TRUE(run([&] { locate().applyVectors(); }));
  ASSERT_EQ(s().nonHCount, atoms + 1);
  const AtomRef made{AtomKind::Atom, atoms + 1};
  EXPECT_EQ(s().atoms[made.index].label, "O4");
  EXPECT_NEAR(model::length(s().viewOf(made) - c4 - (1.5 / model::length(direction)) * direction),
              0, 1e-9);
  EXPECT_NEAR(cellDistance(s().cell, fractional(s(), made), fractional(s(), ref("C4"))), 1.5, 1e-9);
  EXPECT_TRUE(bench->modes().is(MouseMode::Name));
  EXPECT_TRUE(bench->selection().empty());
  EXPECT_FALSE(locate().window().visible);
}

TEST_F(Locating, CoincidentCentroidsAndTheHOptionsAreRefused) {
  TAVO_OPEN_PARABEN();
  locateByClick(ref("C4"));
  run([&] { locate().checkVectors(true); });
  for (int list : {1, 2}) {
    run([&] { locate().checkCentroidList(list, true); });
    run([&] { locate().doubleClickAtomRow(row("C1")); });
  }
  locate().setVectorLength("1.5");
  const int atoms = s().nonHCount;
  EXPECT_FALSE(run([&] { locate().applyVectors(); }));
  run([&] { locate().checkHOption(4); });
  run([&] { locate().applyH(); });
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{
                               "The centroids Mid(1) and Mid(2) coincide: they give no "
                               "direction for the new atom.",
                               "Sorry!  Not availble as yet!", "Sorry!  Not availble as yet!"}));
  EXPECT_EQ(s().nonHCount, atoms);
  EXPECT_EQ(s().peakCount, 10);
  EXPECT_FALSE(locate().window().vectorsChecked);
  EXPECT_FALSE(locate().window().vectorControlsEnabled);
}

}  // namespace
}  // namespace tavo::testing
