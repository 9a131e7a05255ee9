// Scenarios of the Preferences windows and the F10 working grids: every change reaches the
// structure and the picture through the Workbench, and the settings files are written.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/element_definitions.h"
#include "support/temp_folder.h"
#include "workbench/preference_commands.h"
#include "workbench/workbench_fixture.h"
#include "workbench/working_grids_panel.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using model::ElementDefinitions;
using workbench::DisplayFlag;

class PreferenceWindows : public WorkbenchScenario {
 protected:
  /// Opens the paraben example (13 non-H atoms of C and O, riding H atoms) as `tavo FILE`.
  void openParaben() {
    const fs::path example = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
    const fs::path file = work.path() / "paraben.res";
    fs::copy_file(example, file, fs::copy_options::overwrite_existing);
    bench->run([&] { bench->fileCommands().open(file, workbench::OpenedFrom::CommandLine); });
    ASSERT_TRUE(bench->hasStructure()) << ::testing::PrintToString(dialogs.shown);
    dialogs.shown.clear();  // the HTAB note of the example
  }
  workbench::PreferenceCommands& preferences() { return bench->preferences(); }
  int sfacOf(std::string_view symbol) const {
    const model::StructureModel& s = bench->structure();
    for (int i = 1; i <= s.elementCount; ++i) {
      if (s.elements[i].symbol == symbol) return i;
    }
    ADD_FAILURE() << "no element " << symbol;
    return 0;
  }
  /// Opens the current file again through the open dialog, which reads the settings again.
  void reopenByDialog() {
    dialogs.nextFile = bench->structure().currentFile;
    bench->run([&] { bench->fileCommands().openByDialog(); });
    dialogs.shown.clear();
  }
  /// Runs `command` as a menu item or a button does.
  void run(const std::function<void()>& command) { bench->run(command); }
};

TEST_F(PreferenceWindows, ElementTableEditsReachBondsAndColoursAndLastUntilTheNextOpen) {
  openParaben();
  run([&] { preferences().showElementDefinitions(); });
  ASSERT_TRUE(preferences().elementWindowVisible());
  const ElementDefinitions& definitions = preferences().elementDefinitions();
  const int row = definitions.findRow("C").value_or(0);
  ASSERT_GT(row, 0);
  const int carbon = sfacOf("C");
  const std::string radius = definitions.table().cell(row, ElementDefinitions::Radius);
  const int bonds = bench->structure().bonds.count(1);
  ASSERT_GT(bonds, 10);

  run([&] { preferences().selectElementCell(row, ElementDefinitions::Radius); });
  EXPECT_EQ(preferences().elementEditText(), radius) << "the cell text goes to the edit field";
  preferences().setElementEditText("0.2");
  const int pictures = listener.pictures;
  run([&] { preferences().applyElementEdit(); });
  EXPECT_DOUBLE_EQ(bench->structure().elements[carbon].radius, 0.2);
  EXPECT_LT(bench->structure().bonds.count(1), bonds) << "bonds are detected again";
  EXPECT_GT(listener.pictures, pictures) << "and the picture drawn";

  // A click on the colour column asks for a colour; the balls of carbon take it.
  dialogs.nextColor = 0x0000ff;
  canvas.calls.clear();
  run([&] { preferences().selectElementCell(row, ElementDefinitions::ColorCode); });
  EXPECT_EQ(preferences().elementEditText(), "255");
  EXPECT_EQ(bench->structure().elements[carbon].colorCode, 0x0000ff);
  bool drawnInRed = false;
  for (const DrawCall& call : canvas.of(Shape::Ellipse))
    drawnInRed = drawnInRed || call.brush.color == 0x0000ff;
  EXPECT_TRUE(drawnInRed);

  // A cancelled colour dialog changes nothing.
  dialogs.nextColor.reset();
  run([&] { preferences().selectElementCell(row, ElementDefinitions::ColorCode); });
  EXPECT_EQ(bench->structure().elements[carbon].colorCode, 0x0000ff);

  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);

  // Unsaved edits last until the next structure is read.
  run([&] { preferences().closeElementDefinitions(); });
  EXPECT_FALSE(preferences().elementWindowVisible());
  openParaben();
  EXPECT_EQ(preferences().elementDefinitions().table().cell(row, ElementDefinitions::Radius),
            radius);
  EXPECT_EQ(bench->structure().bonds.count(1), bonds);
}

TEST_F(PreferenceWindows, ElementTableAddSaveAndBadNumbers) {
  // Before any structure the window shows the definitions of elems.inf.
  run([&] { preferences().showElementDefinitions(); });
  const fs::path file = program.path() / "elems.inf";
  const std::string shipped = readFileBytes(file);
  const int rows = preferences().elementDefinitions().table().rowCount();
  ASSERT_GT(rows, 50);

  run([&] {
    preferences().addElementRow();
    preferences().saveElementDefinitions();
  });
  EXPECT_EQ(readFileBytes(file), shipped + "NewElm1\tNewElm2\tNewElm3\t200\t1.2\t0\r\n");

  openParaben();
  const int row = preferences().elementDefinitions().findRow("O").value_or(0);
  ASSERT_GT(row, 0);
  run([&] { preferences().selectElementCell(row, ElementDefinitions::AtomicWeight); });
  preferences().setElementEditText("abc");
  run([&] { preferences().applyElementEdit(); });
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"'abc' is not a valid floating point value"});
  EXPECT_EQ(preferences().elementDefinitions().table().rowCount(), rows + 1)
      << "the saved row is read back at the open";
}

TEST_F(PreferenceWindows, ScriptLinesReachTheElementTableAndTheGraphicsSettings) {
  openParaben();
  EXPECT_FALSE(bench->operateWindow("TForm17", {"press", "Add"})) << "the window is not shown";
  dialogs.shown.clear();
  run([&] { preferences().showElementDefinitions(); });
  const int row = preferences().elementDefinitions().findRow("C").value_or(0);
  ASSERT_GT(row, 0);
  const std::string cell = std::to_string(row);
  ASSERT_TRUE(bench->operateWindow(
      "TForm17", {"StringGrid1", cell, std::to_string(ElementDefinitions::Radius)}));
  EXPECT_EQ(preferences().elementEditText(),
            preferences().elementDefinitions().table().cell(row, ElementDefinitions::Radius));
  ASSERT_TRUE(bench->operateWindow("TForm17", {"Edit1", "0.2"}));
  ASSERT_TRUE(bench->operateWindow("TForm17", {"press", "Apply"}));
  EXPECT_DOUBLE_EQ(bench->structure().elements[sfacOf("C")].radius, 0.2);
  dialogs.nextColor = 0x0000ff;
  ASSERT_TRUE(bench->operateWindow(
      "TForm17", {"StringGrid1", cell, std::to_string(ElementDefinitions::ColorCode)}));
  EXPECT_EQ(preferences().elementEditText(), "255") << "the colour chooser answered";
  std::vector<std::string> printed;
  ASSERT_TRUE(bench->operateWindow("TForm17", {"print"}, &printed));
  ASSERT_FALSE(printed.empty());
  EXPECT_NE(printed.front().find("Color Code"), std::string::npos);
  ASSERT_TRUE(bench->operateWindow("TForm17", {"press", "Exit"}));
  EXPECT_FALSE(preferences().elementWindowVisible());

  run([&] { preferences().showGraphicsSettings(); });
  dialogs.nextColor = 0x123456;
  ASSERT_TRUE(bench->operateWindow("TForm18", {"press", "Edit1"}));  // "Background Color"
  EXPECT_EQ(preferences().graphicsSettings().backgroundColor, 0x123456);
  ASSERT_TRUE(bench->operateWindow("TForm18", {"SpinEdit8", "300"}));  // "Stereo Separation"
  EXPECT_EQ(preferences().graphicsSettings().stereoSeparation, 300);
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
}

TEST_F(PreferenceWindows, EllipsePairRedrawsAtOnceAndSizeFactorAtTheNextRedraw) {
  openParaben();
  bench->run([&] { bench->viewCommands().toggleDisplayFlag(DisplayFlag::Ellipse); });
  ASSERT_GE(canvas.indexOfText("Image for U11 and U22"), 0);
  canvas.calls.clear();
  run([&] { preferences().setEllipsePair(2); });
  EXPECT_GE(canvas.indexOfText("Image for U22 and U33"), 0);
  run([&] { preferences().setEllipsePair(7); });
  EXPECT_EQ(preferences().ellipseWindow().pair, 3) << "SpinEdit25 holds 1..3";

  const auto widest = [&] {
    int result = 0;
    for (const DrawCall& call : canvas.of(Shape::Ellipse))
      result = std::max(result, call.x2 - call.x1);
    return result;
  };
  const int before = widest();
  canvas.calls.clear();
  run([&] { preferences().setEllipseSizeFactor(100); });
  EXPECT_TRUE(canvas.calls.empty()) << "no redraw of its own";
  bench->run([&] { bench->state().redraw(); });
  EXPECT_GT(widest(), 3 * before) << "four times the factor draws the ellipses larger";
  run([&] { preferences().setEllipseSizeFactor(0); });
  EXPECT_EQ(preferences().ellipseWindow().sizeFactor, 1);
}

TEST_F(PreferenceWindows, GraphicsChangesReachThePictureAndTheStereoPanes) {
  openParaben();
  run([&] { preferences().showGraphicsSettings(); });
  canvas.calls.clear();
  dialogs.nextColor = 0x123456;
  run([&] { preferences().chooseGraphicsColor(1); });  // "Background Color"
  ASSERT_FALSE(canvas.of(Shape::Rectangle).empty());
  EXPECT_EQ(canvas.of(Shape::Rectangle).front().brush.color, 0x123456);

  canvas.calls.clear();
  run([&] { preferences().setGraphicsValue(19, 300); });  // "Stereo Separation"
  EXPECT_FALSE(canvas.calls.empty()) << "redrawn";
  EXPECT_EQ(bench->window().stereoPanes.left.width, 300);
  EXPECT_EQ(bench->window().stereoPanes.right.width, 300);
  EXPECT_EQ(bench->window().stereoPanes.left.left + 300, bench->window().stereoPanes.right.left);
  run([&] { preferences().setGraphicsValue(19, 900); });
  EXPECT_EQ(preferences().graphicsSettings().stereoSeparation, 400);

  canvas.calls.clear();
  run([&] { preferences().setGraphicsValue(12, 2); });  // unchanged "nonH-Bond Width"
  EXPECT_TRUE(canvas.calls.empty()) << "no change, no redraw";
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
}

TEST_F(PreferenceWindows, ThicknessStepsWidenTheBondsAndRedraw) {
  openParaben();
  const auto widestLine = [&] {
    int widest = 0;
    for (const DrawCall& call : canvas.of(Shape::Line))
      widest = std::max(widest, call.pen.width);
    return widest;
  };
  canvas.calls.clear();
  bench->run([&] { bench->state().redraw(); });
  const int before = widestLine();
  canvas.calls.clear();
  run([&] { preferences().stepThickness(true); });
  EXPECT_EQ(widestLine(), before + 1);
  const view::GraphicsSettings& settings = preferences().graphicsSettings();
  EXPECT_EQ(settings.nonHBallSize, 30);
  EXPECT_EQ(settings.cellLineWidth, 2) << "Round(3 / 2), half to even";
  run([&] {
    preferences().stepThickness(false);
    preferences().stepThickness(false);
    preferences().stepThickness(false);
  });
  EXPECT_EQ(settings.nonHBondWidth, 1) << "not below 1";
  EXPECT_EQ(settings.nonHBallSize, 10) << "not below 10";
}

TEST_F(PreferenceWindows, SaveAndOpenSettingsChooseTheFileTheNextStructureReads) {
  openParaben();
  run([&] { preferences().setGraphicsValue(13, 55); });  // "nonH Ball Size"
  dialogs.nextFile = work.path() / "mine.inf";  // the folder is ignored: the program folder
  run([&] { preferences().saveGraphicsSettings(); });
  ASSERT_TRUE(fs::exists(program.path() / "mine.inf"));
  EXPECT_FALSE(fs::exists(work.path() / "mine.inf"));
  EXPECT_EQ(preferences().graphicsWindow().currentName(), "mine.inf");
  const std::string saved = readFileBytes(program.path() / "mine.inf");
  EXPECT_NE(saved.find("\n55\n"), std::string::npos) << saved;

  // Reopening reads mine.inf, not graphics1.inf (which still says 20).
  run([&] { preferences().setGraphicsValue(13, 30); });
  reopenByDialog();
  EXPECT_EQ(preferences().graphicsSettings().nonHBallSize, 55);

  // OpenSettings of graphics1.inf reads it and redraws.
  canvas.calls.clear();
  dialogs.nextFile = program.path() / "graphics1.inf";
  run([&] { preferences().openGraphicsSettings(); });
  EXPECT_EQ(preferences().graphicsSettings().nonHBallSize, 20);
  EXPECT_EQ(preferences().graphicsWindow().currentName(), "graphics1.inf");
  EXPECT_FALSE(canvas.calls.empty());

  // A file that is not in the program folder is refused and the current name is kept, so the
  // next structure does not end the program.
  dialogs.nextFile = work.path() / "absent.inf";
  run([&] { preferences().openGraphicsSettings(); });
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"absent.inf does not exits!"});
  EXPECT_EQ(preferences().graphicsWindow().currentName(), "graphics1.inf");
  reopenByDialog();
  EXPECT_FALSE(listener.ended);
}

TEST_F(PreferenceWindows, SettingsSavedDuringStereoHoldTheFullSizes) {
  openParaben();
  bench->run([&] { bench->viewCommands().toggleDisplayFlag(DisplayFlag::Stereo); });
  ASSERT_EQ(preferences().graphicsSettings().nonHBallSize, 10) << "the pair draws with half";
  dialogs.nextFile = program.path() / "stereo.inf";
  run([&] { preferences().saveGraphicsSettings(); });
  const std::string saved = readFileBytes(program.path() / "stereo.inf");
  EXPECT_EQ(saved, readFileBytes(program.path() / "graphics1.inf"))
      << "the file holds the sizes the loader halves again";
  EXPECT_EQ(preferences().graphicsSettings().nonHBallSize, 10);
}

TEST_F(PreferenceWindows, WorkingGridsToggleTheirCaptionAndShowTheGridsOfTheStructure) {
  workbench::WorkingGridsPanel& grids = bench->workingGrids();
  EXPECT_EQ(grids.menuCaption(), "Show the Working Grids for Renumbering");
  openParaben();
  run([&] { grids.toggle(); });
  EXPECT_TRUE(grids.visible());
  EXPECT_EQ(grids.menuCaption(), "Hide the Working Grids");

  const text::TextGrid words = grids.wordTable();
  const std::vector<std::string>& lines = bench->structure().instructionLines;
  ASSERT_EQ(words.rowCount(), static_cast<int>(lines.size()));
  EXPECT_EQ(words.cell(0, 0), "");
  EXPECT_EQ(words.cell(0, 1), "TITL");
  int sadi = -1;
  for (int r = 0; r < words.rowCount(); ++r) {
    if (words.cell(r, 1) == "SADI") sadi = r;
  }
  ASSERT_GE(sadi, 0);
  EXPECT_EQ(words.cell(sadi, 3), "C8A");

  // Checking the labels fills the working grid the panel shows.
  bench->run([&] { bench->fileCommands().checkDuplicateLabels(); });
  EXPECT_EQ(&grids.workingGrid(), &bench->structure().workingGrid);

  const int pictures = listener.pictures;
  run([&] { grids.toggle(); });
  EXPECT_FALSE(grids.visible());
  EXPECT_EQ(grids.menuCaption(), "Show the Working Grids");
  EXPECT_GT(listener.pictures, pictures) << "hiding redraws";
}

}  // namespace
}  // namespace tavo::testing
