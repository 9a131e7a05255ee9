// The main window's part of the Preferences windows and the working grids: opening each window
// from its menu item, following the Workbench's state, the component pair SpinEdit25 and the
// side panels painted in the background colour.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>

#include "app/main_window.h"
#include "app/paint_widget.h"
#include "app/qt_text.h"
#include "app/windows/element_definitions_window.h"
#include "app/windows/ellipse_params_window.h"
#include "app/windows/graphics_settings_window.h"
#include "app/windows/window_set.h"
#include "app/windows/working_grids_view.h"
#include "canvas/qpainter_canvas.h"
#include "workbench/preference_commands.h"
#include "workbench/working_grids_panel.h"

namespace tavo::app {

using workbench::PreferenceCommands;

void MainWindow::buildPreferenceWindows() {
  m_workingGrids = new WorkingGridsView(m_surface);

  m_ellipsePairBox = new QFrame(m_surface);
  m_ellipsePairBox->setObjectName(QStringLiteral("EllipsePair"));
  m_ellipsePairBox->setAutoFillBackground(true);
  auto* row = new QHBoxLayout(m_ellipsePairBox);
  row->setContentsMargins(4, 2, 4, 2);
  row->addWidget(new QLabel(QStringLiteral("U pair"), m_ellipsePairBox));
  m_ellipsePair = new QSpinBox(m_ellipsePairBox);
  m_ellipsePair->setObjectName(QStringLiteral("SpinEdit25"));
  m_ellipsePair->setRange(workbench::ellipsePairRange.minimum, workbench::ellipsePairRange.maximum);
  m_ellipsePair->setToolTip(QStringLiteral("1 = U11/U22, 2 = U22/U33, 3 = U33/U11"));
  row->addWidget(m_ellipsePair);
  m_ellipsePairBox->adjustSize();
  m_ellipsePairBox->hide();
  buildThicknessButton();
  connect(m_ellipsePair, &QSpinBox::valueChanged, this, [this](int value) {
    m_bench.run([this, value] { m_bench.preferences().setEllipsePair(value); });
  });
}

void MainWindow::buildThicknessButton() {
  // SpinButton1 under the Apply panel's buttons: the picture one step thicker or thinner.
  auto* box = new QFrame(m_controls.applyPanel);
  box->setObjectName(QStringLiteral("SpinButton1"));
  box->setToolTip(QStringLiteral("Thicker or thinner bonds and balls"));
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  for (const bool thicker : {true, false}) {
    auto* step = new QToolButton(box);
    step->setObjectName(thicker ? QStringLiteral("SpinButton1Up")
                                : QStringLiteral("SpinButton1Down"));
    step->setArrowType(thicker ? Qt::UpArrow : Qt::DownArrow);
    connect(step, &QToolButton::clicked, this, [this, thicker] {
      m_bench.run([this, thicker] { m_bench.preferences().stepThickness(thicker); });
    });
    row->addWidget(step);
  }
  m_controls.applyPanel->layout()->addWidget(box);
  m_controls.applyPanel->adjustSize();
}

bool MainWindow::runWindowCommand(MenuCommand command) {
  PreferenceCommands& preferences = m_bench.preferences();
  switch (command) {
    case MenuCommand::EllipseParams:
      m_bench.run([&preferences] { preferences.showEllipseParams(); });
      return true;
    case MenuCommand::DefinitionOfElements:
      m_bench.run([&preferences] { preferences.showElementDefinitions(); });
      return true;
    case MenuCommand::CustomizeGraphics:
      m_bench.run([&preferences] { preferences.showGraphicsSettings(); });
      return true;
    case MenuCommand::ShowWorkingGrids:
      m_bench.run([this] { m_bench.workingGrids().toggle(); });
      return true;
    default:
      return false;
  }
}

void MainWindow::refreshPreferenceWindows() {
  const PreferenceCommands& preferences = m_bench.preferences();
  // The pair of the ellipse picture and the working grids lie above the bottom controls.
  const QWidget* bottomBar =
      m_controls.trackBar->isVisible() ? m_controls.trackBar : m_controls.numericBar;
  const int bottom = bottomBar->isVisible() ? bottomBar->y() : m_surface->height();
  {
    const QSignalBlocker quiet(m_ellipsePair);
    m_ellipsePair->setValue(preferences.ellipseWindow().pair);
  }
  m_workingGrids->place(m_surface->width(), bottom);
  m_workingGrids->refresh(m_bench.workingGrids());
  const int pairBottom = m_workingGrids->isVisible() ? m_workingGrids->y() : bottom;
  m_ellipsePairBox->setVisible(m_bench.display().ellipse);
  m_ellipsePairBox->move(4, pairBottom - m_ellipsePairBox->height() - 4);
  m_actions.at(MenuCommand::ShowWorkingGrids)
      ->setText(toQString(m_bench.workingGrids().menuCaption()));
  refreshSidePanelColors();
}

void MainWindow::refreshSidePanelColors() {
  // The settings hold their defaults (a black background) until the first structure is read.
  if (!m_bench.hasStructure()) return;
  const int background = m_bench.preferences().graphicsSettings().backgroundColor;
  if (background == m_panelBackground) return;
  m_panelBackground = background;
  for (QWidget* panel :
       {static_cast<QWidget*>(m_controls.thresholds), static_cast<QWidget*>(m_controls.modeInputs),
        static_cast<QWidget*>(m_controls.useLetters), static_cast<QWidget*>(m_controls.trackBar)}) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, canvas::toQColor(background));
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
  }
}

}  // namespace tavo::app
