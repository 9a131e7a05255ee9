// The habits of a desktop program on our example and small files of our own: the first view and
// the views down the axes, the wheel zoom, recent files, drops, the window's place, PART colours
// and hidden parts, residue labels, and the refinement summary of the status line.
#include <algorithm>
#include <cmath>

#include "geometry/plane_fit.h"
#include "model/file_lines.h"
#include "view/part_display.h"
#include "workbench/command_table.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using model::Vec3;
using workbench::CommandId;

/// The view positions of the non-H atoms of the file.
std::vector<Vec3> atomViews(const model::StructureModel& s) {
  std::vector<Vec3> views;
  for (int i = 1; i <= s.nonHCount; ++i)
    views.push_back(s.view[1][static_cast<std::size_t>(i)]);
  return views;
}

bool drawn(const RecordingCanvas& canvas, const std::string& text) {
  const std::vector<std::string> texts = canvas.writtenTexts();
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(WorkbenchScenario, AFileOpensLookingOntoItsMoleculeAndAReopenKeepsTheUsersView) {
  TAVO_OPEN_PARABEN();
  // The normal of the atoms' least-squares plane points at the viewer, the long axis across.
  const geometry::PlaneFit plane = geometry::fitPlane(atomViews(bench->structure()));
  EXPECT_NEAR(std::abs(plane.normal.z), 1.0, 1e-9);
  EXPECT_NEAR(std::abs(plane.axes[0].x), 1.0, 1e-9);

  // The user turns and zooms; a reopen (Ctrl+I, also Ctrl+R to the .res) keeps that view.
  bench->run([&] { bench->viewCommands().setRotation(1, 40); });
  bench->run([&] { bench->viewCommands().setRotation(2, -75); });
  bench->run([&] { bench->viewCommands().setZoom(130); });
  const std::vector<Vec3> turned = atomViews(bench->structure());
  ASSERT_TRUE(bench->run(CommandId::ReopenIns));
  const std::vector<Vec3> reopened = atomViews(bench->structure());
  ASSERT_EQ(reopened.size(), turned.size());
  for (std::size_t i = 0; i < turned.size(); ++i) {
    EXPECT_NEAR(reopened[i].x, turned[i].x, 1e-6);
    EXPECT_NEAR(reopened[i].y, turned[i].y, 1e-6);
    EXPECT_NEAR(reopened[i].z, turned[i].z, 1e-6);
  }
  EXPECT_EQ(bench->viewState().zoom, 130);
  EXPECT_EQ(bench->controls().zoom, 130);

  // "First View" returns to the look onto the plane.
  ASSERT_TRUE(bench->run(CommandId::FirstView));
  const geometry::PlaneFit again = geometry::fitPlane(atomViews(bench->structure()));
  EXPECT_NEAR(std::abs(again.normal.z), 1.0, 1e-9);
  EXPECT_EQ(bench->viewState().zoom, 100);
}

TEST_F(WorkbenchScenario, TheViewsDownTheCellAxes) {
  TAVO_OPEN_PARABEN();
  const CommandId items[] = {CommandId::ViewDownA, CommandId::ViewDownB, CommandId::ViewDownC};
  for (int axis = 0; axis < 3; ++axis) {
    SCOPED_TRACE(axis);
    ASSERT_TRUE(bench->run(items[axis]));
    const geometry::ViewFrame& f = bench->viewFrame();
    const Vec3 edges[3] = {f.edgeA(), f.edgeB(), f.edgeC()};
    const Vec3 e = edges[axis];
    EXPECT_NEAR(e.z / model::length(e), 1.0, 1e-9) << "the axis points at the viewer";
    EXPECT_NEAR(edges[(axis + 1) % 3].y, 0, 1e-9) << "the next one lies across";
  }
}

TEST_F(WorkbenchScenario, TheWheelZoomsAboutThePointer) {
  TAVO_OPEN_PARABEN();
  const model::AtomRef c7 = ref("C7");
  const editing::ScreenPoint at = pixelOf(c7);
  const int pictures = listener.pictures;
  bench->run([&] { bench->orientation().wheel(at.x, at.y, 120); });
  EXPECT_EQ(bench->viewState().zoom, 104);
  EXPECT_EQ(bench->controls().zoom, 104) << "SpinEdit1 follows";
  EXPECT_NEAR(pixelOf(c7).x, at.x, 1);
  EXPECT_NEAR(pixelOf(c7).y, at.y, 1);
  EXPECT_EQ(listener.pictures, pictures + 1);
  // A touch pad's small steps add up to a notch.
  bench->run([&] { bench->orientation().wheel(at.x, at.y, -60); });
  EXPECT_EQ(bench->viewState().zoom, 104);
  bench->run([&] { bench->orientation().wheel(at.x, at.y, -60); });
  bench->run([&] { bench->orientation().wheel(at.x, at.y, -120); });
  EXPECT_EQ(bench->viewState().zoom, 96);
}

TEST_F(WorkbenchScenario, RecentFilesKeepTheLastTenOpenedMostRecentFirst) {
  std::vector<std::filesystem::path> files;
  for (int k = 1; k <= 12; ++k) {
    files.push_back(repositoryFile("examples/paraben.res", "p" + std::to_string(k) + ".res"));
    ASSERT_TRUE(openAs(files.back(), workbench::OpenedFrom::Dialog));
  }
  ASSERT_TRUE(openAs(files[4], workbench::OpenedFrom::Dialog)) << "p5 again goes to the top";
  std::vector<std::filesystem::path> expected = {files[4]};
  for (int k = 11; expected.size() < 10; --k)
    if (k != 4) expected.push_back(files[static_cast<std::size_t>(k)]);
  EXPECT_EQ(bench->desktop().recentFiles(), expected);
  EXPECT_EQ(model::loadFileLines(program.path() / workbench::recentFilesFileName).size(), 10u)
      << "kept in the program folder";

  // A file that has gone is not shown, and opening it from a stale menu says so.
  std::filesystem::remove(files[11]);
  const std::vector<std::filesystem::path> shown = bench->desktop().recentFiles();
  EXPECT_EQ(shown.size(), 9u);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), files[11]), 0);
  dialogs.shown.clear();
  EXPECT_FALSE(bench->run([&] { bench->desktop().openRecent(files[11]); }));
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{"The file no longer exists: " + files[11].string()});

  // A recent file opens as the open dialog opens it.
  ASSERT_TRUE(bench->run([&] { bench->desktop().openRecent(files[10]); }));
  EXPECT_EQ(bench->structure().currentFile, files[10].string());
  EXPECT_EQ(bench->desktop().recentFiles().front(), files[10]);
}

TEST_F(WorkbenchScenario, DroppedFilesAreOpenedOrImportedByTheirExtension) {
  const std::filesystem::path res = repositoryFile("examples/paraben.res");
  const std::filesystem::path xyz = repositoryFile("tests/data/import/fixture.xyz");
  const std::filesystem::path other = work.write("notes.txt", "nothing\n");

  EXPECT_FALSE(bench->run([&] { bench->desktop().dropFiles({other}); }));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{
                               "Tavo opens .ins and .res files and imports .cif, .pdb, .xyz and "
                               ".fdat files; this is none of them: notes.txt"});
  EXPECT_FALSE(bench->hasStructure());
  dialogs.shown.clear();

  ASSERT_TRUE(bench->run([&] {
    bench->desktop().dropFiles({other, res});
  })) << "the first file Tavo takes";
  EXPECT_EQ(bench->structure().currentFile, res.string());
  EXPECT_TRUE(bench->window().paintSurfaceEnabled);

  ASSERT_TRUE(bench->run([&] { bench->desktop().dropFiles({xyz}); }));
  EXPECT_TRUE(bench->state().importNotSaved) << "imported, as the Import menu does";
  EXPECT_EQ(bench->structure().currentFile, (work.path() / "fixture.ins").string());

  struct Case {
    const char* name;
    workbench::DropKind kind;
  } const kinds[] = {
      {"a.INS", workbench::DropKind::Open},      {"a.res", workbench::DropKind::Open},
      {"a.Cif", workbench::DropKind::ImportCif}, {"a.pdb", workbench::DropKind::ImportPdb},
      {"a.xyz", workbench::DropKind::ImportXyz}, {"a.fdat", workbench::DropKind::ImportFdat},
      {"a.lst", workbench::DropKind::None},      {"ins", workbench::DropKind::None}};
  for (const Case& c : kinds)
    EXPECT_EQ(workbench::dropKindOf(c.name), c.kind) << c.name;
}

TEST_F(WorkbenchScenario, TheWindowsPlaceIsKeptInTheProgramFolder) {
  EXPECT_FALSE(bench->desktop().savedPlacement()) << "before the first session ends";
  const workbench::WindowPlacement placed{40, 30, 1200, 800, true};
  ASSERT_TRUE(bench->run([&] { bench->desktop().keepPlacement(placed); }));
  EXPECT_EQ(bench->desktop().savedPlacement(), placed);
  for (const char* broken : {"40 30 1200\n", "40 30 0 800 1\n", "a b c d e\n"}) {
    program.write(workbench::windowPlacementFileName, broken);
    EXPECT_FALSE(bench->desktop().savedPlacement()) << broken;
  }
}

TEST_F(WorkbenchScenario, PartsInTheirColoursWithALegendAndEachOneHidden) {
  TAVO_OPEN_PARABEN();
  const model::StructureModel& s = bench->structure();
  EXPECT_EQ(bench->partCommands().display().parts, (std::vector<int>{1, 2}));
  EXPECT_TRUE(drawn(canvas, "PART 1"));
  EXPECT_TRUE(drawn(canvas, "PART 2"));
  // The outlines of the balls of C8A (PART 1) and C8B (PART 2) in the palette's colours, C7
  // in carbon's.
  const auto ballColour = [&](const std::string& label) {
    const editing::ScreenPoint at = pixelOf(ref(label));
    for (const DrawCall& call : canvas.of(Shape::Ellipse))
      if (call.centreX() == at.x && call.centreY() == at.y) return call.pen.color;
    return -1;
  };
  EXPECT_EQ(ballColour("C8A"), view::partColor(1));
  EXPECT_EQ(ballColour("C8B"), view::partColor(2));
  EXPECT_EQ(ballColour("C7"), s.elements[s.atoms[ref("C7").index].sfac].colorCode);

  ASSERT_TRUE(bench->run(CommandId::PartComponents));
  canvas.calls.clear();
  ASSERT_TRUE(bench->operateWindow("Parts", {"DoubleClick", "PartGrid", "2"}));
  EXPECT_TRUE(drawn(canvas, "PART 2, hidden"));
  EXPECT_FALSE(drawn(canvas, "C8B")) << "the hidden part's atoms";
  EXPECT_FALSE(drawn(canvas, "H9D")) << "and its H atoms go";
  EXPECT_TRUE(drawn(canvas, "C8A"));
  // What is not drawn cannot be picked: a click where C8B was finds nothing of it.
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::Name); }));
  clickAt(pixelOf(ref("C8B")));
  const std::vector<std::string> picked = selectedLabels();
  EXPECT_EQ(std::count(picked.begin(), picked.end(), "C8B"), 0);
  ASSERT_TRUE(bench->run([&] { bench->modeCommands().clearSelection(); }));
  std::vector<std::string> printed;
  ASSERT_TRUE(bench->operateWindow("Parts", {"print"}, &printed));
  EXPECT_EQ(printed, (std::vector<std::string>{"PART | Atoms | Colour | Shown",
                                               "1 | 7 | blue | yes", "2 | 7 | orange | no"}));

  canvas.calls.clear();
  ASSERT_TRUE(bench->operateWindow("Parts", {"PartColours", "0"}));
  EXPECT_FALSE(drawn(canvas, "PART 1")) << "no legend without the colours";
  EXPECT_EQ(ballColour("C8A"), s.elements[s.atoms[ref("C8A").index].sfac].colorCode);
  canvas.calls.clear();
  ASSERT_TRUE(bench->operateWindow("Parts", {"ShowAll"}));
  EXPECT_TRUE(drawn(canvas, "C8B"));
  EXPECT_FALSE(bench->operateWindow("Parts", {"HidePart", "3"}));
  EXPECT_EQ(dialogs.shown.back(), "There is no PART 3 in the structure.");
}

TEST_F(WorkbenchScenario, LabelsThatRepeatAcrossResiduesCarryTheResidueNumber) {
  const std::filesystem::path file = work.write("resi.ins", R"(TITL resi
CELL 0.71073 10 10 10 90 90 90
ZERR 4 0.001 0.001 0.001 0 0 0
LATT -1
SFAC C O
UNIT 5 2
L.S. 4
FVAR 1.0
RESI ACE 1
C1 1 0.10 0.10 0.10 11.0 0.05
O1 2 0.22 0.10 0.10 11.0 0.05
RESI ACE 2
C1 1 0.50 0.50 0.50 11.0 0.05
O1 2 0.62 0.50 0.50 11.0 0.05
RESI 0
C5 1 0.30 0.30 0.30 11.0 0.05
HKLF 4
END
)");
  canvas.calls.clear();
  ASSERT_TRUE(openAs(file, workbench::OpenedFrom::Dialog))
      << ::testing::PrintToString(dialogs.shown);
  for (const char* label : {"C1_1", "O1_1", "C1_2", "O1_2", "C5"})
    EXPECT_TRUE(drawn(canvas, label)) << label;
  EXPECT_FALSE(drawn(canvas, "C1"));
}

TEST_F(WorkbenchScenario, OpeningAResShowsItsRefinementSummaryInTheStatusLine) {
  TAVO_OPEN_PARABEN();
  EXPECT_EQ(bench->desktop().statusText(),
            "paraben.res: R1 = 0.0412, highest peak 0.24, deepest hole -0.19 e/A^3");
  // An .ins has no figures of its own: the status line is empty again.
  const std::filesystem::path ins = repositoryFile("examples/paraben.res", "plain.ins");
  ASSERT_TRUE(openAs(ins, workbench::OpenedFrom::Dialog));
  EXPECT_EQ(bench->desktop().statusText(), "");
  // A .res without REM lines takes the listing beside it.
  std::vector<std::string> lines = model::loadFileLines(ins);
  std::erase_if(lines, [](const std::string& l) {
    return l.rfind("REM R1", 0) == 0 || l.rfind("REM Highest", 0) == 0;
  });
  std::string text;
  for (const std::string& l : lines)
    text += l + "\n";
  const std::filesystem::path res = work.write("bare.res", text);
  work.write("bare.lst",
             " R1 =  0.0327 for   3857 Fo > 4sig(Fo)  and  0.0362 for all   4228 data\n");
  ASSERT_TRUE(openAs(res, workbench::OpenedFrom::Dialog));
  EXPECT_EQ(bench->desktop().statusText(), "bare.res: R1 = 0.0327");
}

}  // namespace
}  // namespace tavo::testing
