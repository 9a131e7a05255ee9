// The Workbench: the one structure, the view and the state of the main window, and every
// command that a menu item, a button or a mouse event of the main window reaches.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "editing/apply_frame.h"
#include "editing/mouse_mode.h"
#include "editing/pick.h"
#include "editing/pointer_event.h"
#include "editing/selection.h"
#include "geometry/view_frame.h"
#include "model/dialogs.h"
#include "model/structure_model.h"
#include "text/text_grid.h"
#include "view/view_state.h"
#include "workbench/control_values.h"

namespace tavo::view {
class Canvas;
struct GraphicsSettings;
}  // namespace tavo::view

namespace tavo::workbench {

class PreferenceCommands;
class WorkingGridsPanel;

/// What an edit changed; afterChange runs the matching part of the redraw chain.
struct Changes {
  bool fractionalCoordinates = false;  // recompute the unit-cell outline
  bool resetView = false;              // recompute view coordinates and fit the view
  bool bonds = true;                   // run bond detection
  bool redraw = true;                  // redraw the picture
};

/// The pop-up menus of the paint surface.
enum class PopupMenu {
  Atom,  // PopupMenu1: "Center", "*******", "Adopt", "Locate", "Delete"
  View,  // PopupMenu2: "Show/Hide Labels", ...
  Mode,  // PopupMenu3: the mouse modes
};

/// The window that lists the instruction files of the working folder (TForm13).
struct FileListWindow {
  bool visible = false;
  std::string caption;                    // the working folder
  std::vector<std::string> names;         // one file name per row
  std::string selectedName;               // the hidden name field
  std::vector<std::string> previewLines;  // the preview pane of the main window
};

/// The "Distances and Angles" window (TForm16).
struct DistancesAnglesWindow {
  bool visible = false;
  editing::ScreenPoint at;  // the click that placed it (left edge = x - width/2, top = y)
  text::TextGrid grid;      // "Atom1", "Dist.", "Atom2", "Dist.", "Atom3", "Angle"
};

/// The "Interatomic Distances" window (TForm12): the connections of the last bond detection.
struct DistanceListWindow {
  bool visible = false;
  text::TextGrid grid;  // refilled after every detection while the window is shown
};

/// The state of the panels, captions and menu checks of the main window that the commands set.
struct MainWindowState {
  std::optional<editing::MouseMode> checkedModeItem;  // checked item of the mode menu
  bool rotateItemChecked = true;                      // the "Rotate" item
  bool mouseRotationPanelVisible = true;              // "Mouse Rotation"
  std::string modeCaption;                            // the mode label replacing that panel
  bool applyPanelVisible = true;                      // toggled by ShowHideClick
  std::string showHideCaption = "Hide";
  bool rotationTrackBarsEnabled = false;  // not while Rotate is on
  bool paintSurfaceEnabled = false;       // after the first load
  bool fileListItemEnabled = false;       // "List of *.ins/*.res/backups"
  bool parameterWindowVisible = false;    // "Setting the Parameter"
  editing::ScreenPoint parameterWindowAt;
  bool hfixRulesWindowVisible = false;  // "HFIX Coding Rules"
  ModeInputsVisibility inputs;
  /// The two stereo panes, in the main pane's pixels: each "Stereo Separation" wide, as tall as
  /// the main pane, meeting at its centre after a resize. Shown while "Stereo" is on.
  view::StereoLayout stereoPanes = view::stereoLayout({0, 0, 0, 0}, 280);
  bool stereoPanesVisible = false;
};

/// What the Qt window implements to follow the core; every method has a no-op default.
class WorkbenchListener {
 public:
  virtual ~WorkbenchListener() = default;
  /// The canvas holds a new picture.
  virtual void pictureChanged() {}
  /// Flags, captions, control values or window models changed.
  virtual void stateChanged() {}
  /// Show `menu` at pane position `at`.
  virtual void showPopupMenu(PopupMenu menu, editing::ScreenPoint at) {
    (void)menu;
    (void)at;
  }
  /// A settings file the program cannot work without has gone; its message has been shown and
  /// the program is to end.
  virtual void endProgram() {}
};

/// The window caption prefix; the caption is this followed by the current file.
inline constexpr std::string_view captionPrefix = "Tavo2025d X-ray/DFT/etc: ";
/// The folder memory of the program folder and the initial text of directoryinfo.
inline constexpr std::string_view dirinfFileName = "dirinf";
inline constexpr std::string_view noDirectoryYet = "000";
/// The graphics settings file of the program folder.
inline constexpr std::string_view graphicsSettingsFileName = "graphics1.inf";

class Workbench {
 public:
  /// Reads nothing yet: the element definitions and graphics settings are read from
  /// `programFolder` at the first open (an empty `programFolder` stands for the current
  /// directory at that time).
  Workbench(model::Dialogs& dialogs, view::Canvas& canvas, model::Clock& clock,
            std::filesystem::path programFolder);
  ~Workbench();
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  void setListener(WorkbenchListener* listener) { m_listener = listener; }

  // State.
  model::StructureModel& structure() { return m_structure; }
  const model::StructureModel& structure() const { return m_structure; }
  editing::Selection& selection() { return m_selection; }
  const editing::Selection& selection() const { return m_selection; }
  const editing::DistanceMemory& distanceMemory() const { return m_distance; }
  const editing::ModeFlags& modes() const { return m_modes; }
  const DisplayFlags& display() const { return m_display; }
  ControlValues& controls() { return m_controls; }
  const ControlValues& controls() const { return m_controls; }
  const MainWindowState& window() const { return m_window; }
  const FileListWindow& fileList() const { return m_fileList; }
  const DistancesAnglesWindow& distancesAngles() const { return m_distancesAngles; }
  const DistanceListWindow& distanceList() const { return m_distanceList; }
  const std::string& directoryInfo() const { return m_directoryInfo; }  // directoryinfo
  const std::filesystem::path& programFolder() const { return m_programFolder; }
  /// "Tavo2025d X-ray/DFT/etc: " + currentFile, or the prefix alone before the first open.
  const std::string& windowCaption() const { return m_caption; }
  /// True once a structure has been loaded.
  bool hasStructure() const { return m_loaded; }
  const view::ViewState& viewState() const { return m_view; }
  const geometry::ViewFrame& viewFrame() const { return m_frame; }
  /// The projection as the hit test sees it.
  editing::PickGeometry pickGeometry() const;
  /// The "Working Coordinates" grid (TForm29) of the last Save All Expanded Atoms.
  const text::TextGrid& workingCoordinates() const { return m_workingCoordinates; }
  /// True while a located fragment awaits adjustment (set by the locating tool).
  bool adjustPending() const { return m_adjustPending; }
  /// True once a missing settings file (graphics1.inf, elems.inf) has ended the program.
  bool endRequested() const { return m_endRequested; }
  /// The windows of the Preferences menu: ellipse parameters, element definitions, graphics.
  PreferenceCommands& preferences() { return *m_preferences; }
  const PreferenceCommands& preferences() const { return *m_preferences; }
  /// The working grids of F10, "Show the Working Grids for Renumbering".
  WorkingGridsPanel& workingGrids() { return *m_workingGrids; }
  const WorkingGridsPanel& workingGrids() const { return *m_workingGrids; }

  /// Runs `command`, shows any UserError through the dialogs and notifies the listener.
  void run(const std::function<void()>& command);
  /// The chain every change ends with: cell outline, fit, bond detection, redraw.
  void afterChange(Changes what);
  /// The canvases of the left and right stereo panes (either may be null: the stereo pair is
  /// then drawn as the standard picture in the main pane).
  void setStereoCanvases(view::Canvas* left, view::Canvas* right);
  /// Draws the whole picture onto the canvas.
  void redraw();
  /// The paint surface got a new size in pixels; resets the view when a structure is loaded.
  void resizePane(int width, int height);

  // File menu (each runs inside run()).
  void openByDialog();                               // "Open *.ins/*.res/backups", Ctrl+O
  void reopenAsRes();                                // "Open *.res after LS (Shelxl-2019)", Ctrl+R
  void reopen();                                     // "Open *.ins (Re-Open)", Ctrl+I
  void showFileList();                               // "List of *.ins/*.res/backups"
  void selectInFileList(const std::string& name);    // single click on a row of the list
  void openFromFileList(const std::string& name);    // double click on a row of the list
  void openFile(const std::filesystem::path& file);  // `tavo FILE`: as the list, without it
  void save();                                       // "Save *.ins", Ctrl+S
  void saveAllExpandedAtoms();                       // "Save All Expanded Atoms As a New *.ins"
  void checkDuplicateLabels();                       // "Check Duplication of Labeling"
  void showDistances();                              // "Show Distances"
  void distancesClosed();                            // the distance window was closed

  // View menu and the view pop-up menu.
  void setDisplayFlag(DisplayFlag flag, bool on);
  void toggleDisplayFlag(DisplayFlag flag);
  bool displayFlag(DisplayFlag flag) const;
  void initializeViewItems();  // "Initialize View Items", F1
  void initGraph();            // 'InitGrph': modes and view reset

  // View controls; each clamps its value to the control's range and redraws.
  void setZoom(int value);                       // SpinEdit1, 0..300
  void setZoomTrack(int position);               // TrackBar7, 0..200
  void setSlab(int value);                       // SpinEdit11 and TrackBar8, 1..100
  void setRotation(int axis, int degrees);       // SpinEdit2..4, axis 1..3
  void setRotationTrack(int axis, int degrees);  // TrackBar1..3, axis 1..3
  void setShift(int axis, int steps);            // SpinEdit8..10: steps of E·F/40000
  void setShiftTrack(int axis, int hundredths);  // TrackBar4..6: hundredths of the extent E
  void setShiftStepFactor(int value);            // SpinEdit32, F (no redraw)

  // The 'Bonds/Peaks Thresholds' panel and the label size.
  /// SpinEdit5 'BndThr' (1..20): bond detection, then redraw.
  void setBondThreshold(int tenths);
  /// SpinEdit7 'PkBThr' (1..20): bond detection, then redraw.
  void setPeakBondThreshold(int tenths);
  /// SpinEdit6, SpinEdit27..29 'PksThr': rewrites Edit8 with the threshold, then redraws.
  void setPeakThreshold(PeakThresholdDigit digit, int value);
  /// SpinEdit26 (1..50): redraws with the new label size.
  void setLabelSize(int size);

  // Mode inputs with an effect.
  void setElementNumber(int number);  // SpinEdit20

  // Mouse on the paint surface.
  void mouseDown(const editing::PointerEvent& event);  // PaintBox1MouseDown
  void mouseMove(const editing::PointerEvent& event);  // PaintBox1MouseMove
  void mouseUp(const editing::PointerEvent& event);    // PaintBox1MouseUp
  void doubleClick();                                  // PaintBox1DblClick: toggles Rotate
  /// A press on the "Mouse Rotation" panel or the mode caption: shows the mode menu there.
  void modePanelPressed(editing::ScreenPoint at);

  // The mode menu (PopupMenu3) and the atom menu (PopupMenu1).
  void chooseMode(editing::MouseMode mode);  // Name1Click, Renumber1Click, ...
  void chooseRotate();                       // Rotate1Click
  void restoreMode();                        // RestoreModeClick
  void atomMenuCenter();                     // Center1Click
  void atomMenuAdopt();                      // Adopt1Click
  void atomMenuDelete();                     // Delete1Click
  void atomMenuLocate();                     // Locate1Click

  // The Apply panel.
  void apply();                        // ApplyButtonClick, "Apply"
  void clearSelection();               // ClearButtonClick, "ClearSel"
  void reSelect();                     // ReSelectClick, "ReSelect"
  void reverseSelect();                // ReverseSelectClick, "RvrsSlct"
  void clearWorkingGrid();             // SelMemClearClick
  void showHide();                     // ShowHideClick, "Hide"/"Show"
  void setDistanceBondShown(bool on);  // DispBond
  bool distanceBondShown() const { return m_showDistanceBond; }

 private:
  struct Parts;  // element definitions and graphics settings

  void notifyState();
  view::ViewScene scene();
  void detectConnection();
  void loadGraphicsSettings();
  /// The stereo panes and the mouse follow the graphics settings (`fromFile`: just read).
  void followGraphicsSettings(bool fromFile);
  /// The graphics settings with the full sizes that the stereo pair halves.
  view::GraphicsSettings graphicsFileValues() const;
  /// The graphics settings, then the ArrayLimits for the next read (GraphicsSettings1Click).
  void loadSettings();
  /// Shows `message`, tells the listener that the program ends and abandons the command.
  [[noreturn]] void endProgram(std::string_view message);
  void initGraphics();
  void syncViewControls();
  /// The TITL test of an opener: false, after showing `notTitlMessage` unless it is empty,
  /// when the first line of `file` is not TITL.
  bool titlAccepted(const std::filesystem::path& file, std::string_view notTitlMessage);
  /// Reads `file` into the structure; false when the read failed (its message shown), and the
  /// structure, currentFile and the view are then as they were.
  bool readStructureFrom(const std::filesystem::path& file);
  /// The opener's steps after the read: caption, view extents, bond detection, drawing.
  void afterLoad();
  /// The mode and view-flag part of 'InitGrph' (no redraw chain).
  void resetModesAndViewFlags();
  /// The stereo switch: halves or restores the non-H bond width and ball size and shows or
  /// hides the stereo panes; nothing happens when `on` is the current state.
  void switchStereo(bool on);
  /// Fills the main pane with the background colour (under and around the stereo panes).
  void clearMainPane();
  void setCaption();
  std::filesystem::path workingFolder() const;
  /// Before the first open, an empty program folder becomes the current directory.
  void takeProgramFolder();
  void takeWorkingFolderFromDirinf();
  void writeDirinf(const std::filesystem::path& folder);
  // Mode switching.
  bool isOn(editing::MouseMode mode) const;
  void turnModeOn(editing::MouseMode mode);
  void turnAllModesOff();
  void enterRotate();
  void leaveRotate();
  void refreshModeInputs();
  void recountForRenumber();
  void atomMenuAction(editing::MouseMode mode);
  void runApplySection(editing::ApplySection section);
  void pickInEditingMode(const editing::PointerEvent& event);
  void pickInRotateMode(const editing::PointerEvent& event);
  void showPopup(PopupMenu menu, editing::ScreenPoint at);

  model::StructureModel m_structure;
  editing::Selection m_selection;
  editing::DistanceMemory m_distance;
  editing::ModeFlags m_modes;
  DisplayFlags m_display;
  ControlValues m_controls;
  MainWindowState m_window;
  FileListWindow m_fileList;
  DistancesAnglesWindow m_distancesAngles;
  DistanceListWindow m_distanceList;
  std::string m_directoryInfo{noDirectoryYet};
  std::string m_caption{captionPrefix};
  bool m_loaded = false;
  bool m_showDistanceBond = false;
  model::Dialogs& m_dialogs;
  view::Canvas& m_canvas;
  view::Canvas* m_stereoLeft = nullptr;
  view::Canvas* m_stereoRight = nullptr;
  model::Clock& m_clock;
  std::filesystem::path m_programFolder;
  WorkbenchListener* m_listener = nullptr;
  std::unique_ptr<Parts> m_parts;
  std::unique_ptr<PreferenceCommands> m_preferences;
  std::unique_ptr<WorkingGridsPanel> m_workingGrids;
  view::ViewState m_view;
  geometry::ViewFrame m_frame;
  text::TextGrid m_workingCoordinates;
  bool m_adjustPending = false;
  bool m_settingsLoaded = false;
  bool m_endRequested = false;
  model::ArrayLimits m_nextLimits;  // the ArrayLimits the next read allocates with
  int m_mouseSpeed = 24;            // "Mouse Speed" of the graphics settings
};

}  // namespace tavo::workbench
