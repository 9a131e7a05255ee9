// The main menu, the popup menus and the auxiliary windows exist with their exact texts.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

#include "app/windows/auxiliary_window.h"
#include "app/windows/window_set.h"
#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

QAction* findItem(const QMenuBar& bar, const QString& menu, const QString& caption) {
  for (QAction* top : bar.actions()) {
    // The titles carry their Alt-letter mnemonics ("&File").
    if (QString(top->text()).remove(QLatin1Char('&')) != menu || top->menu() == nullptr) continue;
    for (QAction* item : top->menu()->actions()) {
      if (item->text() == caption) return item;
    }
  }
  return nullptr;
}

QStringList captions(const QMenu& menu) {
  QStringList result;
  for (const QAction* item : menu.actions()) {
    if (!item->isSeparator()) result << item->text();
  }
  return result;
}

TEST(MainMenu, EveryItemHasItsCaptionAndKey) {
  GuiHarness gui;
  struct Item {
    const char* menu;
    const char* caption;
    const char* key;
  };
  const Item items[] = {
      {"File", "Open *.ins/*.res/backups", "Ctrl+O"},
      {"File", "Open *.res after LS (Shelxl-2019)", "Ctrl+R"},
      {"File", "Open *.ins (Re-Open)", "Ctrl+I"},
      {"File", "Recent Files", ""},
      {"File", "List of *.ins/*.res/backups", ""},
      {"File", "Read (Overlay) Q-Peaks in *.ins/*.res", ""},
      {"File", "Edit *.ins (the last saved)", ""},
      {"File", "Save *.ins", "Ctrl+S"},
      {"File", "Save All Expanded Atoms As a New *.ins", ""},
      {"File", "Save texsan.ins/atoms.dat/atoms.pks", ""},
      {"File", "Save Cartesian (->DFT etc.)", ""},
      {"File", "Save Fragment", ""},
      {"File", "Save PDB", ""},
      {"File", "Save XYZ (Label X Y Z)", ""},
      {"File", "Save Gaussian Com (->DFT)", ""},
      {"File", "Save CIF (current model)", ""},
      {"File", "Show the File Buffer", "F9"},
      {"File", "Show the Working Grids for Renumbering", "F10"},
      {"File", "Export Picture…", ""},
      {"File", "Print Picture…", ""},
      {"File", "Exit", "Ctrl+Q"},
      {"Import", "CIF", ""},
      {"Import", "FDAT (CSD)", ""},
      {"Import", "XYZ Coordinates", ""},
      {"Import", "Cartesian (<-DFT)", ""},
      {"Import", "PDB", ""},
      {"Params", "Formula/Cell", ""},
      {"Params", "Space Group", ""},
      {"Params", "XYZUij + Others", "Ctrl+X"},
      {"Params", "Fixing/FVAR", "Ctrl+F"},
      {"Params", "Global Edition", "Ctrl+G"},
      {"Params", "List of Peaks", "Ctrl+D"},
      {"Params", "List of XYZs", ""},
      {"Params", "Show Distances", ""},
      {"View", "Show Labels", ""},
      {"View", "Show H Atoms", ""},
      {"View", "Hide H Labels", ""},
      {"View", "Spot H Atoms", ""},
      {"View", "Show Peaks", ""},
      {"View", "Expand H Atoms", ""},
      {"View", "Expand Peaks", ""},
      {"View", "Show Cells", "Ctrl+Z"},
      {"View", "Ellipse", "Ctrl+T"},
      {"View", "Thermal Ellipsoids", "Ctrl+Shift+T"},
      {"View", "Stereo View", "Ctrl+W"},
      {"View", "Expand Connections", "Ctrl+A"},
      {"View", "Packing View", "Ctrl+P"},
      {"View", "Show Plane Calc Window", ""},
      {"View", "Difference Map", "Ctrl+M"},
      {"View", "Map Peaks", ""},
      {"View", "Agreement with the Data", ""},
      {"View", "Open Reflection Data", ""},
      {"View", "Numerical Positions", "Ctrl+N"},
      {"View", "Tracking Bars", "Ctrl+B"},
      {"View", "Bonds/Peaks Thresholds", "F2"},
      {"View", "Initialize View Items", "F1"},
      {"View", "First View", ""},
      {"View", "View down a", ""},
      {"View", "View down b", ""},
      {"View", "View down c", ""},
      {"View", "PART Components", ""},
      {"View", "Messages", ""},
      {"Commands", "Edit Shelxl-97 Commands", "Ctrl+E"},
      {"Commands", "HFIX Selection (H atoms)", ""},
      {"Commands", "OMIT HKL using *.lst", ""},
      {"Commands", "Split Atom using *.lst", ""},
      {"Commands", "Invert Structure", ""},
      {"Commands", "Shift XYZs", ""},
      {"Commands", "Check Duplication of Labeling", ""},
      {"Commands", "Undo Last Edit", "Ctrl+U"},
      {"Commands", "Redo Last Edit", "Ctrl+Y"},
      {"Commands", "Refine", "Ctrl+L"},
      {"Commands", "Refinement History...", ""},
      {"Commands", "Refinement Program", ""},
      {"Preferences", "Packing View Range", ""},
      {"Preferences", "Ellipse View Params", ""},
      {"Preferences", "Definition of Elements", ""},
      {"Preferences", "Customize Graphics", ""},
      {"Options", "Text Editor", ""},
      {"Options", "Generate CIF (Auto)", ""},
      {"Options", "View CIF Generation Window", ""},
      {"Options", "Maintenance Only", "F12"},
      {"About", "About Tavo", ""},
      {"About", "Shelxl/ORTEP Information", ""},
      {"Help", "Graphic Treatment", ""},
      {"Help", "Shelxl Refinement", ""},
  };
  const QMenuBar& bar = *gui.window->menuBar();
  int itemCount = 0;
  for (const QAction* top : bar.actions())
    itemCount += static_cast<int>(top->menu()->actions().size());
  EXPECT_EQ(itemCount, static_cast<int>(std::size(items))) << "no item more, none less";
  for (const Item& item : items) {
    SCOPED_TRACE(item.caption);
    const QAction* action =
        findItem(bar, QString::fromUtf8(item.menu), QString::fromUtf8(item.caption));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromUtf8(item.key)));
  }
}

TEST(MainMenu, ItemsNotOfferedNowAreDisabledButPresent) {
  GuiHarness gui;
  const QMenuBar& bar = *gui.window->menuBar();
  EXPECT_FALSE(findItem(bar, "Commands", "Undo Last Edit")->isEnabled()) << "nothing to undo";
  EXPECT_TRUE(findItem(bar, "Params", "XYZUij + Others")->isEnabled());
  EXPECT_TRUE(findItem(bar, "File", "Open *.ins/*.res/backups")->isEnabled());
  EXPECT_TRUE(findItem(bar, "File", "Exit")->isEnabled());
  EXPECT_TRUE(findItem(bar, "View", "Show Labels")->isEnabled());
}

TEST(MainMenu, TitlesHaveDistinctAltLetters) {
  GuiHarness gui;
  QSet<QChar> letters;
  for (const QAction* top : gui.window->menuBar()->actions()) {
    const QString text = top->text();
    SCOPED_TRACE(text.toStdString());
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    ASSERT_GE(amp, 0) << "no mnemonic";
    ASSERT_LT(amp + 1, text.size());
    const QChar letter = text.at(amp + 1).toLower();
    EXPECT_FALSE(letters.contains(letter)) << "Alt+" << QString(letter).toStdString() << " twice";
    letters.insert(letter);
    EXPECT_EQ(QKeySequence::mnemonic(text), QKeySequence(Qt::ALT | QKeySequence(letter)[0].key()));
  }
  EXPECT_EQ(letters.size(), 9);
}

TEST(MainMenu, TheFileListIsOfferedAfterTavoFileAsAfterTheOpenDialog) {
  GuiHarness gui;
  QAction* list = gui.window->action(app::MenuCommand::ListFiles);
  EXPECT_FALSE(list->isEnabled());
  gui.open("three.ins", threeCarbons);  // as `tavo three.ins`
  ASSERT_TRUE(gui.bench->hasStructure());
  EXPECT_TRUE(list->isEnabled());
  list->trigger();
  EXPECT_TRUE(gui.bench->fileList().visible);
  EXPECT_NE(gui.bench->fileList().names.size(), 0u);
}

TEST(PopupMenus, HoldTheirItemsInOrder) {
  GuiHarness gui;
  using workbench::PopupMenu;
  const QMenu* atom = gui.window->popupMenu(PopupMenu::Atom);
  EXPECT_EQ(atom->objectName(), "PopupMenu1");
  EXPECT_EQ(captions(*atom), (QStringList{"Center", "*******", "Adopt", "Locate", "Delete"}));
  const QList<QAction*> atomItems = atom->actions();
  for (const QAction* item : atomItems) {
    if (item->text() == "*******") {
      EXPECT_FALSE(item->isEnabled()) << "the marker is inactive";
    }
  }
  EXPECT_EQ(captions(*gui.window->popupMenu(PopupMenu::View)),
            (QStringList{"Show/Hide Labels", "Show/Hide H Atoms", "Show/Hide H Labels",
                         "Show/Hide H Spots", "Show/Hide Peaks", "On/Off Expand H Atoms",
                         "On/Off Expand Peaks"}));
  EXPECT_EQ(captions(*gui.window->popupMenu(PopupMenu::Mode)),
            (QStringList{"Rotate",
                         "Name",
                         "Renumber",
                         "Delete",
                         "Distance",
                         "Distances and Angles",
                         "Remember Selected",
                         "Remember Unselected",
                         "Align Vector",
                         "Plane Calculation",
                         "Angle Vctr1 vs Vctr2",
                         "Move Group (define group)",
                         "Move Group (define destination)",
                         "Edit",
                         "PARAM",
                         "Adopt",
                         "Adjust",
                         "ANIS",
                         "BeISO",
                         "HFIX",
                         "PART",
                         "DFIX",
                         "SADI",
                         "FLAT",
                         "SAME",
                         "DELU",
                         "BIND",
                         "RIGU",
                         "SIMU",
                         "ISOR",
                         "DANG",
                         "EADP",
                         "EXYZ"}));
}

TEST(AuxiliaryWindows, AreCreatedHiddenInOrderWithTheirCaptions) {
  GuiHarness gui;
  const std::pair<const char*, const char*> expected[] = {
      {"TForm2", "Atomic Coordinates & Parameters"},
      {"TForm3", "Chemical Formula"},
      {"TForm4", "HFIX Coding Rules"},
      {"TForm5", "Shelxl-97 Job Control Commands"},
      {"TForm6", "Edit and Save *.ins file"},
      {"TForm7", "Checking Disagreeable Reflections to be Removed using OMIT Card"},
      {"TForm8", "Find and Locate Disordered Atoms from the *.lst File"},
      {"TForm9", "Showing and Handling Peaks"},
      {"TForm10", "CIF Editor"},
      {"TForm11", "Editor"},
      {"TForm12", "Interatomic Distances"},
      {"TForm13", ""},
      {"TForm14", "Packing View Range"},
      {"TForm15", "Parameters for Drawing Ellipes"},
      {"TForm16", "Distances and Angles"},
      {"TForm17", "Detailed Definition of Elements"},
      {"TForm18", "Graphics Colors and Other Settings"},
      {"TForm19", "About Tavo"},
      {"TForm20", "Shelxl/ORTEP/Others Relevant Websites"},
      {"TForm21", "Wait!"},
      {"TForm23", "Handling Fixing Treatments and Free Variables"},
      {"TForm24", "Edit Parameters"},
      {"TForm25", "Setting up a Gaussian Input Command File to be Saved"},
      {"TForm26", "Making Overall Shifts in Coordinates"},
      {"TForm27", "Global Edition"},
      {"TForm28", "Locating an Atom, Atoms, or a Group"},
      {"TForm29", "Working Coordinates"},
      {"TForm30", "Setting the Parameter"},
      {"TForm32", "Quick References; How to Use Tavo"},
      {"TForm33", "Minimum Instructions for Shelxl structure refinment in Tavo"},
      {"TForm34", "Define the Distance?"},
      {"TForm35", "Some Instructions for the  CIF Generation"},
      {"TForm36", "Editing CIF Contents"},
      {"TForm37", "Plane Calculation Control Window (since 2023)"},
      {"MapPeaks", "Map Peaks"},
      {"Agreement", "Agreement with the Data"},
      {"Parts", "PART Components"},
      {"RefineRun", "Refinement Run"},
      {"RefineHistory", "Refinement History"},
      {"RefineSettings", "Refinement Program"},
  };
  const auto& windows = gui.window->windows().all();
  ASSERT_EQ(windows.size(), std::size(expected));
  for (size_t i = 0; i < windows.size(); ++i) {
    SCOPED_TRACE(expected[i].first);
    EXPECT_EQ(windows[i]->objectName(), expected[i].first);
    EXPECT_EQ(windows[i]->windowTitle(), expected[i].second);
    EXPECT_FALSE(windows[i]->isVisible());
  }
  EXPECT_EQ(gui.window->objectName(), "TForm1");
}

TEST(AuxiliaryWindows, AboutIsCentredOverTheMainWindow) {
  GuiHarness gui;
  gui.window->action(app::MenuCommand::AboutTavo)->trigger();
  const QWidget* about = gui.window->windows().find("TForm19");
  ASSERT_TRUE(about->isVisible());
  const QRect main = gui.window->frameGeometry();
  EXPECT_EQ(about->x(), main.left() + main.width() / 2 - about->width() / 2);
  EXPECT_EQ(about->y(), main.top() + main.height() / 2 - about->height() / 2);
}

}  // namespace
}  // namespace tavo::testing
