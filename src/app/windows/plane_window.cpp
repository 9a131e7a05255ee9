// The plane window: shows the window model of GeometryCommands and forwards its buttons.
#include "app/windows/plane_window.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "text/text_grid.h"
#include "workbench/geometry_commands.h"

namespace tavo::app {

namespace {

QLineEdit* readOnlyField(QWidget* parent, const char* objectName) {
  QLineEdit* edit = makeField(parent, objectName, true);
  edit->setMinimumWidth(110);
  return edit;
}

QTableWidget* gridOf(QWidget* parent, const char* objectName) {
  auto* grid = new QTableWidget(parent);
  grid->setObjectName(QString::fromLatin1(objectName));
  grid->horizontalHeader()->setVisible(false);
  grid->verticalHeader()->setVisible(false);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setWordWrap(false);
  grid->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
  return grid;
}

/// The texts of `model` in `grid`; its row 0 (the headings) in bold.
void showGrid(QTableWidget* grid, const text::TextGrid& model) {
  const QSignalBlocker quiet(grid);
  grid->setRowCount(model.rowCount());
  grid->setColumnCount(model.columnCount());
  for (int r = 0; r < model.rowCount(); ++r) {
    for (int c = 0; c < model.columnCount(); ++c) {
      if (showCell(grid, r, c, toQString(model.cell(r, c))) && (r == 0 || c == 0)) {
        QFont bold = grid->item(r, c)->font();
        bold.setBold(true);
        grid->item(r, c)->setFont(bold);
      }
    }
  }
  grid->resizeColumnsToContents();
}

}  // namespace

PlaneCalcWindow::PlaneCalcWindow(workbench::GeometryCommands& geometry, WindowRunner& runner,
                                 QWidget* parent)
    : AuxiliaryWindow("TForm37", "Plane Calculation Control Window (since 2023)", parent, &runner),
      m_geometry(geometry) {
  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu(QStringLiteral("&File"));
  makeMenuItem(file, "Save1", "Save");

  m_planeNumber = makeSpinBox(this, "PlaneNum", 1, 1);
  m_total = readOnlyField(this, "TotalPlane");
  m_total->setMinimumWidth(50);
  QPushButton* add = makeButton(this, "AddPlane", "Add Plane");
  QPushButton* drop = makeButton(this, "DecreasePln", "Decrease Plane");
  QPushButton* define = makeButton(this, "DefinePlane", "Calculate Using Selected Atoms");
  // The perpendicular fit is solved in one step: the cycles of an iterative fit are shown but
  // have nothing to do.
  QSpinBox* cycles = makeSpinBox(this, "cycles", 1, 100);
  cycles->setValue(7);
  cycles->setEnabled(false);
  cycles->setToolTip(QStringLiteral("The plane is found in one step: no cycles are needed."));
  auto* trial = new QLineEdit(QStringLiteral("0"), this);
  trial->setObjectName(QStringLiteral("trial"));
  trial->hide();
  m_previousU = readOnlyField(this, "UPValue");
  m_u = readOnlyField(this, "UValue");
  m_r = readOnlyField(this, "RValue");
  m_rms = readOnlyField(this, "RMS");

  auto* controls = new QGridLayout;
  controls->addWidget(new QLabel(QStringLiteral("Plane Number"), this), 0, 0);
  controls->addWidget(m_planeNumber, 0, 1);
  controls->addWidget(new QLabel(QStringLiteral("Total Number"), this), 0, 2);
  controls->addWidget(m_total, 0, 3);
  controls->addWidget(add, 1, 0, 1, 2);
  controls->addWidget(drop, 1, 2, 1, 2);
  controls->addWidget(define, 2, 0, 1, 4);
  controls->addWidget(new QLabel(QStringLiteral("refinement cycles"), this), 3, 0);
  controls->addWidget(cycles, 3, 1);
  controls->addWidget(new QLabel(QStringLiteral("Previous_U_Value"), this), 4, 0);
  controls->addWidget(m_previousU, 4, 1);
  controls->addWidget(new QLabel(QStringLiteral("U_Value"), this), 4, 2);
  controls->addWidget(m_u, 4, 3);
  controls->addWidget(new QLabel(QStringLiteral("Square-R-Factor (%)"), this), 5, 0);
  controls->addWidget(m_r, 5, 1);
  controls->addWidget(new QLabel(QStringLiteral("RMS"), this), 5, 2);
  controls->addWidget(m_rms, 5, 3);
  controls->addWidget(trial, 6, 0);

  m_atoms = gridOf(this, "StringGrid1");
  m_results = gridOf(this, "StringGrid2");
  m_dihedrals = gridOf(this, "StringGrid3");

  auto* right = new QVBoxLayout;
  right->addLayout(controls);
  right->addWidget(new QLabel(toQString(std::string(workbench::planeFunctionCaption)), this));
  right->addWidget(m_results, 3);
  right->addWidget(new QLabel(QStringLiteral("Dihedral Angles (degrees)"), this));
  right->addWidget(m_dihedrals, 1);
  auto* layout = new QHBoxLayout(this);
  layout->setMenuBar(menu);
  layout->addWidget(m_atoms, 3);
  layout->addLayout(right, 2);

  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_geometry.window().visible) run([this] { m_geometry.hideWindow(); });
  });
  resize(1100, 640);
  refresh();
}

void PlaneCalcWindow::showState() {
  const workbench::PlaneWindow& w = m_geometry.window();
  {
    const QSignalBlocker quiet(m_planeNumber);
    m_planeNumber->setRange(1, w.totalPlanes);
  }
  showValue(m_planeNumber, w.planeNumber);
  showText(m_total, std::to_string(w.totalPlanes));
  showText(m_previousU, w.previousU);
  showText(m_u, w.u);
  showText(m_r, w.rValue);
  showText(m_rms, w.rms);
  showGrid(m_atoms, w.atoms);
  showGrid(m_results, w.results);
  showGrid(m_dihedrals, w.dihedrals);
}

}  // namespace tavo::app
