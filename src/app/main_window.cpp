// The main window: construction, the listener that follows the Workbench, and its two own
// panels (thresholds and maintenance view).
#include "app/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>

#include <cstdlib>

#include "app/paint_widget.h"
#include "app/picture_source.h"
#include "app/qt_text.h"
#include "app/space_group_panel.h"
#include "app/windows/window_set.h"

namespace tavo::app {

MainWindow::MainWindow(workbench::Workbench& bench, model::Dialogs& dialogs,
                       PictureSource& pictures, const QtClock* throttle)
    : m_bench(bench), m_dialogs(dialogs), m_pictures(pictures) {
  setObjectName(QStringLiteral("TForm1"));
  m_surface = new QWidget(this);
  m_surface->setObjectName(QStringLiteral("Surface"));
  setCentralWidget(m_surface);
  m_paint = new PaintWidget(m_surface);
  m_paint->setThrottle(throttle);
  m_paint->setEnabled(false);
  const QString stereoNames[] = {QStringLiteral("StereoLeft"), QStringLiteral("StereoRight")};
  for (int side = 0; side < 2; ++side) {
    m_stereo[side] = new PaintWidget(m_paint);
    m_stereo[side]->setObjectName(stereoNames[side]);
    m_stereo[side]->setThrottle(throttle);
    m_stereo[side]->hide();
  }
  m_controls.build(m_surface);
  m_spaceGroup = new SpaceGroupPanel(m_surface, m_bench);
  m_surface->installEventFilter(this);
  m_controls.mouseRotation->installEventFilter(this);
  m_controls.modeCaption->installEventFilter(this);
  buildMenus();
  buildPopupMenus();
  connectSurface();
  connectStereoPane(0);
  connectStereoPane(1);
  connectControls();
  connectFlagBoxes();
  m_windows = std::make_unique<WindowSet>(this, m_bench);
  connectWindows();
  m_refinementRunner = new QtProgramRunner(m_bench, this);
  m_bench.refinement().setRunner(m_refinementRunner);
  connectSymmetryViews();
  buildPreferenceWindows();
  buildJobControlViews();
  buildHabits();
  resize(1024, 720);
  m_bench.setListener(this);
  stateChanged();
}

MainWindow::~MainWindow() {
  m_bench.setListener(nullptr);
}

void MainWindow::connectSurface() {
  connect(m_paint, &PaintWidget::pressed, this, [this](const editing::PointerEvent& e, QPoint) {
    m_bench.run([this, e] { m_bench.modeCommands().mouseDown(e); });
  });
  connect(m_paint, &PaintWidget::moved, this, [this](const editing::PointerEvent& e) {
    m_bench.run([this, e] { m_bench.modeCommands().mouseMove(e); });
  });
  connect(m_paint, &PaintWidget::released, this, [this](const editing::PointerEvent& e) {
    m_bench.run([this, e] { m_bench.modeCommands().mouseUp(e); });
  });
  connect(m_paint, &PaintWidget::doubleClicked, this,
          [this] { runMode(&workbench::ModeCommands::doubleClick); });
  connect(m_paint, &PaintWidget::resized, this, [this](QSize size) {
    m_pictures.resizePicture(size, m_paint->devicePixelRatioF());
    m_bench.run([this, size] { m_bench.viewCommands().resizePane(size.width(), size.height()); });
  });
}

void MainWindow::setStereoPictures(PictureSource& left, PictureSource& right) {
  m_stereoPictures = {&left, &right};
  for (int side = 0; side < 2; ++side) {
    m_stereoPictures[side]->resizePicture(m_stereo[side]->size(),
                                          m_stereo[side]->devicePixelRatioF());
  }
  refreshStereoPanes();
}

void MainWindow::connectStereoPane(int side) {
  PaintWidget* pane = m_stereo[side];
  // The core counts the pixels of the main pane; a stereo pane lies over it at its position.
  const auto inMainPane = [pane](editing::PointerEvent e) {
    e.at.x += pane->x();
    e.at.y += pane->y();
    return e;
  };
  connect(pane, &PaintWidget::pressed, this,
          [this, inMainPane](const editing::PointerEvent& e, QPoint) {
            m_bench.run([this, e = inMainPane(e)] { m_bench.modeCommands().mouseDown(e); });
          });
  connect(pane, &PaintWidget::moved, this, [this, inMainPane](const editing::PointerEvent& e) {
    m_bench.run([this, e = inMainPane(e)] { m_bench.modeCommands().mouseMove(e); });
  });
  connect(pane, &PaintWidget::released, this, [this, inMainPane](const editing::PointerEvent& e) {
    m_bench.run([this, e = inMainPane(e)] { m_bench.modeCommands().mouseUp(e); });
  });
  connect(pane, &PaintWidget::doubleClicked, this,
          [this] { runMode(&workbench::ModeCommands::doubleClick); });
  connect(pane, &PaintWidget::resized, this, [this, side, pane](QSize size) {
    if (m_stereoPictures[side] == nullptr) return;
    m_stereoPictures[side]->resizePicture(size, pane->devicePixelRatioF());
    // The pair drawn before the pane took its size is drawn again at the new one (a pane
    // that is being shown gets its size before it counts as visible).
    if (m_bench.window().stereoPanesVisible) m_bench.run([this] { m_bench.state().redraw(); });
  });
}

void MainWindow::refreshStereoPanes() {
  const workbench::MainWindowState& state = m_bench.window();
  const bool shown = state.stereoPanesVisible && m_stereoPictures[0] != nullptr;
  const view::PaneRect rects[] = {state.stereoPanes.left, state.stereoPanes.right};
  for (int side = 0; side < 2; ++side) {
    const view::PaneRect& r = rects[side];
    m_stereo[side]->setGeometry(r.left, r.top, r.width, r.height);
    m_stereo[side]->setEnabled(m_paint->isEnabled());
    m_stereo[side]->setVisible(shown);
  }
}

void MainWindow::layoutSurface() {
  m_paint->setGeometry(m_surface->rect());
  m_controls.place(m_surface->width(), m_surface->height());
  m_spaceGroup->place(m_surface->width(), m_surface->height(), m_controls.numericBar->height());
  if (m_controls.thresholds->isVisible()) {
    m_controls.thresholds->move(m_surface->width() - m_controls.thresholds->width(),
                                m_surface->height() - m_controls.thresholds->height());
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_surface && event->type() == QEvent::Resize) {
    layoutSurface();
  } else if ((watched == m_controls.mouseRotation || watched == m_controls.modeCaption) &&
             event->type() == QEvent::MouseButtonPress) {
    const auto* press = static_cast<QMouseEvent*>(event);
    const QPoint at = m_paint->mapFromGlobal(press->globalPosition().toPoint());
    m_bench.run([this, at] { m_bench.modeCommands().modePanelPressed({at.x(), at.y()}); });
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // No question about unsaved edits: closing ends the program at once.
  keepPlacement();
  event->accept();
  QCoreApplication::quit();
}

void MainWindow::pictureChanged() {
  m_paint->showPicture(m_pictures.picture());
  for (int side = 0; side < 2; ++side) {
    if (m_stereoPictures[side] != nullptr) {
      m_stereo[side]->showPicture(m_stereoPictures[side]->picture());
    }
  }
}

void MainWindow::endProgram() {
  // The message has been shown; the program cannot go on without its settings.
  std::exit(1);
}

void MainWindow::stateChanged() {
  if (m_refreshing) return;
  m_refreshing = true;
  setWindowTitle(toQString(m_bench.windowCaption()));
  m_paint->setEnabled(m_bench.window().paintSurfaceEnabled);
  refreshStereoPanes();
  refreshMenus();
  refreshPanels();
  refreshControlValues();
  m_spaceGroup->refresh();
  refreshFlagBoxes();
  refreshPreferenceWindows();
  refreshSymmetryViews();
  refreshJobControlViews();
  refreshWindows();
  refreshStatusLine();
  m_refreshing = false;
}

void MainWindow::runMode(void (workbench::ModeCommands::*command)()) {
  m_bench.run([this, command] { (m_bench.modeCommands().*command)(); });
}

void MainWindow::toggleThresholds() {
  QFrame* panel = m_controls.thresholds;
  if (panel->isVisible()) {
    panel->hide();
    return;
  }
  panel->move(m_paint->width() - panel->width(), m_paint->height() - panel->height());
  panel->show();
  panel->raise();
}

void MainWindow::toggleMaintenanceView() {
  std::error_code gone;  // the working folder may have been removed meanwhile
  const auto chosen = m_dialogs.chooseFileToOpen(std::filesystem::current_path(gone), "");
  if (!chosen || chosen->filename().string() != maintenanceAccessName) return;
  QGroupBox* first = m_controls.mouseOnGraphics;
  QGroupBox* second = m_controls.generalTreatments;
  if (first->isVisible() || second->isVisible()) {
    first->hide();
    second->hide();
    return;
  }
  first->move(5, 5);
  second->move(first->width() + 10, 5);
  first->show();
  second->show();
  first->raise();
  second->raise();
}

}  // namespace tavo::app
