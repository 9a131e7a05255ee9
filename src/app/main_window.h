// TForm1: the main window, which shows the Workbench's picture and state and forwards commands.
#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>

#include "app/main_controls.h"
#include "app/menus.h"
#include "app/qt_program_runner.h"
#include "workbench/workbench.h"

class QAction;
class QDockWidget;
class QFrame;
class QMenu;
class QPlainTextEdit;
class QSpinBox;

namespace tavo::app {

class PaintWidget;
class PictureSource;
class QtClock;
class WindowSet;
class AuxiliaryWindow;
class WorkingGridsView;
class SpaceGroupPanel;

/// The access name of the maintenance view: "Maintenance Only" toggles the hidden group boxes
/// only when the file picked in its dialog has this name.
inline constexpr std::string_view maintenanceAccessName = "QuietMeadows2093#";

class MainWindow final : public QMainWindow, public workbench::WorkbenchListener {
  Q_OBJECT

 public:
  /// `dialogs` is the port the Workbench uses too; `throttle` may be null (no pause).
  MainWindow(workbench::Workbench& bench, model::Dialogs& dialogs, PictureSource& pictures,
             const QtClock* throttle);
  ~MainWindow() override;

  void pictureChanged() override;
  void stateChanged() override;
  void showPopupMenu(workbench::PopupMenu menu, editing::ScreenPoint at) override;
  void endProgram() override;

  PaintWidget* paintSurface() const { return m_paint; }
  /// The pictures of the two stereo panes; without them the panes stay hidden.
  void setStereoPictures(PictureSource& left, PictureSource& right);
  /// The left (0) or right (1) stereo pane, a child of the paint surface.
  PaintWidget* stereoPane(int side) const { return m_stereo.at(side); }
  QAction* action(MenuCommand command) const { return m_actions.at(command); }
  QMenu* popupMenu(workbench::PopupMenu menu) const;
  const MainControls& controls() const { return m_controls; }
  SpaceGroupPanel* spaceGroupPanel() const { return m_spaceGroup; }
  const WindowSet& windows() const { return *m_windows; }

  /// "Bonds/Peaks Thresholds" (F2): shows the panel in the surface's bottom-right corner, or
  /// hides it again.
  void toggleThresholds();
  /// "Maintenance Only" (F12).
  void toggleMaintenanceView();

  // The desktop habits (main_window_habits.cpp).
  /// The panel of routine information, for the dialogs to write into.
  QPlainTextEdit* messageLog() const { return m_messageLog; }
  QDockWidget* messagePanel() const { return m_messagePanel; }
  QMenu* recentFilesMenu() const { return m_recentMenu; }
  /// Puts the window where it stood in the last session (maximised when it was); false, with
  /// nothing changed, when there was none.
  bool restorePlacement();
  /// Keeps the window's place for the next session.
  void keepPlacement();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  /// The wheel, the recent files, the message panel, the status line and drops.
  void buildHabits();
  void fillRecentFilesMenu();
  void refreshStatusLine();
  /// "Messages" of the View menu: shows the message panel, or hides it again.
  void toggleMessagePanel();
  void buildPopupMenus();
  void connectControls();
  void connectFlagBoxes();
  void connectSurface();
  void connectStereoPane(int side);
  void refreshStereoPanes();
  void connectWindows();
  void buildWindowCommands();
  /// Runs a mode or Selection command of the core through the dispatcher.
  void runMode(void (workbench::ModeCommands::*command)());
  void runMenuCommand(MenuCommand command);
  bool menuCommandAvailable(MenuCommand command) const;
  void showInformationWindow(const char* objectName);
  void showHelpWindow(const char* objectName);
  void refreshMenus();
  void refreshPanels();
  void refreshControlValues();
  void refreshFlagBoxes();
  /// Every auxiliary window refreshed, shown or hidden as the core says.
  void refreshWindows();
  /// Puts `window` where its declaration says as it is shown.
  void placeWindow(AuxiliaryWindow& window, const workbench::WindowDeclaration& declaration);
  void layoutSurface();

  // The Preferences windows, the component pair and the working grids
  // (main_window_preferences.cpp).
  // The symmetry views: the buttons, the unit spin, the Wait and Packing View Range windows.
  void connectSymmetryViews();
  void refreshSymmetryViews();
  void buildPreferenceWindows();
  void buildThicknessButton();
  void refreshPreferenceWindows();
  void refreshSidePanelColors();
  // The job-control window, the line editor, the text editor and the file buffer.
  void buildJobControlViews();
  void refreshJobControlViews();
  /// Runs a menu command that shows one of those windows; false for any other command.
  bool runWindowCommand(MenuCommand command);

  workbench::Workbench& m_bench;
  model::Dialogs& m_dialogs;
  PictureSource& m_pictures;
  QWidget* m_surface = nullptr;
  PaintWidget* m_paint = nullptr;
  std::array<PaintWidget*, 2> m_stereo{};  // left, right
  std::array<PictureSource*, 2> m_stereoPictures{};
  MainControls m_controls;
  SpaceGroupPanel* m_spaceGroup = nullptr;  // SpinEdit12..17, Edit2, Edit3
  std::map<MenuCommand, QAction*> m_actions;
  WindowCommands m_windowCommands;
  std::array<QMenu*, 3> m_popups{};
  std::map<editing::MouseMode, QAction*> m_modeActions;
  QAction* m_rotateAction = nullptr;
  std::unique_ptr<WindowSet> m_windows;
  QtProgramRunner* m_refinementRunner = nullptr;  // runs the refinement program of Refine
  bool m_refreshing = false;
  // the window visibility last taken from the Workbench
  WorkingGridsView* m_workingGrids = nullptr;
  QPlainTextEdit* m_fileBuffer = nullptr;   // the file buffer (F9)
  QPlainTextEdit* m_previewPane = nullptr;  // the file last selected in the file list
  QFrame* m_ellipsePairBox = nullptr;
  QSpinBox* m_ellipsePair = nullptr;  // SpinEdit25
  int m_panelBackground = -1;         // "Background Color" the side panels were painted with
  QMenu* m_recentMenu = nullptr;      // "Recent Files" of the File menu
  QDockWidget* m_messagePanel = nullptr;
  QPlainTextEdit* m_messageLog = nullptr;
};

}  // namespace tavo::app
