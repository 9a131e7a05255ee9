// The shared state of the main window that every feature's commands work on, and the redraw
// chain that every change ends with.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/atom_purge.h"
#include "editing/mouse_mode.h"
#include "editing/pick.h"
#include "editing/pointer_event.h"
#include "editing/selection.h"
#include "geometry/view_frame.h"
#include "model/array_limits.h"
#include "model/dialogs.h"
#include "model/read_options.h"
#include "model/structure_model.h"
#include "view/canvas.h"
#include "view/map_overlay.h"
#include "view/part_display.h"
#include "view/render_options.h"
#include "view/view_state.h"
#include "workbench/control_values.h"
#include "workbench/undo_stack.h"

namespace tavo::view {
class Canvas;
struct GraphicsSettings;
}  // namespace tavo::view

namespace tavo::workbench {

class PicturePreferences;

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

/// Thrown by WorkbenchState::endProgram once its message is shown: the dispatcher abandons the
/// command without a further message.
struct ProgramEnds {};

/// The window caption prefix; the caption is this followed by the current file.
inline constexpr std::string_view captionPrefix = "Tavo2025d X-ray/DFT/etc: ";
/// The folder memory of the program folder and the initial text of directoryinfo.
inline constexpr std::string_view dirinfFileName = "dirinf";
inline constexpr std::string_view noDirectoryYet = "000";
/// The graphics settings file of the program folder.
inline constexpr std::string_view graphicsSettingsFileName = "graphics1.inf";

/// The state of the main window shared by the feature commands. Fields are the state itself;
/// the member functions are the steps that several features share.
class WorkbenchState {
 public:
  WorkbenchState(model::Dialogs& dialogs, view::Canvas& canvas, model::Clock& clock,
                 std::filesystem::path programFolder);
  ~WorkbenchState();
  WorkbenchState(const WorkbenchState&) = delete;
  WorkbenchState& operator=(const WorkbenchState&) = delete;

  model::StructureModel structure;
  editing::Selection selection;
  editing::DistanceMemory distance;  // the last two atoms of "Distance" and their distance
  editing::ModeFlags modes;          // the "Mouse On Graphics" check boxes
  DisplayFlags display;              // the "General Treatments" check boxes and view toggles
  ControlValues controls;            // spin edits, track bars and edits of the main window
  MainWindowState window;
  view::ViewState view;
  geometry::ViewFrame frame;
  std::string directoryInfo{noDirectoryYet};  // directoryinfo: the folder of the open dialog
  std::string caption{captionPrefix};         // the window caption
  std::filesystem::path programFolder;        // empty: the current directory at the first open
  bool loaded = false;                        // a structure has been read
  bool importNotSaved = false;                // an import: its first save asks for a name
  bool cartesianImport = false;               // the structure came from a Cartesian or PDB file
  bool showDistanceBond = false;              // DispBond
  view::MapOverlay mapOverlay;                // the contours of the map shown ("Difference Map")
  bool mapOverlayShown = false;
  view::PartDisplay parts;  // PART colours, hidden PARTs, residue-qualified labels
  int loadCount = 0;        // structures read so far: what was computed for an earlier one is stale
  bool adjustPending = false;     // a located fragment awaits adjustment
  bool groupMovePending = false;  // the Selection is shown moved by the shown symmetry operator
  bool endRequested = false;      // a missing settings file ended the program
  bool settingsLoaded = false;
  model::ArrayLimits nextLimits;   // the ArrayLimits the next read allocates with
  model::ReadOptions readOptions;  // a query (tavo-cli info) writes no file
  /// False where no picture is shown (tavo-cli info and save): the graphics settings are read
  /// when their file is there, and a missing one ends nothing.
  bool picturesShown = true;
  int mouseSpeed = 24;  // "Mouse Speed" of the graphics settings
  WorkbenchListener* listener = nullptr;
  UndoStack undo;  // the edits that "Undo Last Edit" and "Redo Last Edit" take back and again

  /// The chain every change ends with: cell outline, fit, bond detection, redraw.
  void afterChange(Changes what);
  /// Draws the whole picture onto the canvas (and the stereo panes while they are shown).
  void redraw();
  /// The picture the window shows drawn again onto `canvas` (a file or a printer): the same
  /// view and options in a pane of `width` x `height` pixels at the window's scale, so a larger
  /// pane adds margin around the same picture; a stereo pair comes out as the standard picture.
  /// `clearBackground` leaves the background unpainted. Nothing is drawn before a structure.
  void drawPictureOnto(view::Canvas& canvas, int width, int height, bool clearBackground);
  /// Bond detection with the thresholds of the controls; then every follower runs.
  void detectConnection();
  /// `follower` runs after every bond detection (windows that list bonds keep up with it).
  void followDetection(std::function<void()> follower);
  /// `follower` runs after every read of a structure, before the view is reset.
  void followLoad(std::function<void()> follower);
  /// Runs the load followers.
  void structureRead();
  /// Drops the symmetry copies (the working counts return to the file counts) at a load and a
  /// view reset; then every follower runs (the symmetry views forget their state).
  void dropCopies();
  void followCopiesDropped(std::function<void()> follower);
  /// `follower` runs after every purge or reorder of the tables with where each entry went, so
  /// that what holds atoms by (kind, index) is remapped or cleared.
  void followEntriesMoved(std::function<void(const editing::PurgeMap&)> follower);
  /// Remaps the Selection lists, selection_mem.txt and the distance memory, empties a stash in
  /// the working grid, then runs the followers of followEntriesMoved.
  void entriesMoved(const editing::PurgeMap& map);
  void notifyState();
  void showPopup(PopupMenu menu, editing::ScreenPoint at);
  /// The view together with what a gesture step needs (structure, frame, clock, redraw).
  view::ViewScene scene();
  /// The projection as the hit test sees it.
  editing::PickGeometry pickGeometry() const;
  /// Copies the view's positions into the control values.
  void syncViewControls();
  /// 'InitGraphics': resets the view, the distance memory and (unless a group is being moved)
  /// the Selection.
  void initGraphics();
  /// The mode and view-flag part of 'InitGrph' (no redraw chain).
  void resetModesAndViewFlags();
  /// Turns every editing mode off; Rotate stays as it is.
  void turnEditingModeOff() { modes.mode.reset(); }
  /// The stereo switch: halves or restores the non-H bond width and ball size and shows or
  /// hides the stereo panes; nothing happens when `on` is the current state.
  void switchStereo(bool on);
  /// The graphics settings, then the ArrayLimits for the next read (GraphicsSettings1Click).
  void loadSettings();
  const view::GraphicsSettings& graphics() const;
  /// The settings in use, for the Preferences windows that edit them.
  view::GraphicsSettings& graphicsSettings();
  /// The stereo panes and the mouse follow the graphics settings (`fromFile`: just read).
  void followGraphicsSettings(bool fromFile);
  /// The graphics settings with the full sizes that the stereo pair halves.
  view::GraphicsSettings graphicsFileValues() const;
  /// The settings the picture is drawn with live with the Preferences windows that edit them:
  /// the current graphics settings file, the element definitions and the ellipse parameters.
  void attachPreferences(PicturePreferences& preferences) { m_preferences = &preferences; }
  PicturePreferences& preferences() { return *m_preferences; }
  /// Shows `message`, tells the listener that the program ends and abandons the command.
  [[noreturn]] void endProgram(std::string_view message);
  /// The folder of the settings files: the program folder, or the current directory before the
  /// first open.
  std::filesystem::path settingsFolder() const {
    return programFolder.empty() ? std::filesystem::current_path() : programFolder;
  }
  /// The folder of the current file, or the current directory before the first open.
  std::filesystem::path workingFolder() const;
  /// "Tavo2025d X-ray/DFT/etc: " + currentFile.
  void setCaption();
  void setStereoCanvases(view::Canvas* left, view::Canvas* right);

 private:
  struct Parts;  // renderer, graphics settings, bond workspace
  void loadGraphicsSettings();
  void clearMainPane();
  /// The options of the picture from the display flags, controls, modes and preferences.
  view::RenderOptions renderOptions() const;

  model::Dialogs& m_dialogs;
  view::Canvas& m_canvas;
  view::Canvas* m_stereoLeft = nullptr;
  view::Canvas* m_stereoRight = nullptr;
  model::Clock& m_clock;
  std::unique_ptr<Parts> m_parts;
  PicturePreferences* m_preferences = nullptr;
  std::vector<std::function<void()>> m_detectionFollowers;
  std::vector<std::function<void()>> m_loadFollowers;
  std::vector<std::function<void()>> m_copyFollowers;
  std::vector<std::function<void(const editing::PurgeMap&)>> m_moveFollowers;
};

}  // namespace tavo::workbench
