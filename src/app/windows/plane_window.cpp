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
#include "text/text_grid.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

QLineEdit* readOnlyField(QWidget* parent, const char* objectName) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(objectName));
  edit->setReadOnly(true);
  edit->setMinimumWidth(110);
  return edit;
}

void setText(QLineEdit* edit, const std::string& text) {
  const QString shown = toQString(text);
  if (edit->text() != shown) edit->setText(shown);
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
      const QString text = toQString(model.cell(r, c));
      QTableWidgetItem* item = grid->item(r, c);
      if (item == nullptr) {
        item = new QTableWidgetItem(text);
        if (r == 0 || c == 0) {
          QFont bold = item->font();
          bold.setBold(true);
          item->setFont(bold);
        }
        grid->setItem(r, c, item);
      } else if (item->text() != text) {
        item->setText(text);
      }
    }
  }
  grid->resizeColumnsToContents();
}

}  // namespace

PlaneCalcWindow::PlaneCalcWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm37", "Plane Calculation Control Window (since 2023)", parent),
      m_bench(bench) {
  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu(QStringLiteral("&File"));
  QAction* save = file->addAction(QStringLiteral("Save"));
  save->setObjectName(QStringLiteral("Save1"));
  connect(save, &QAction::triggered, this,
          [this] { m_bench.run([this] { m_bench.geometry().save(); }); });

  m_planeNumber = new QSpinBox(this);
  m_planeNumber->setObjectName(QStringLiteral("PlaneNum"));
  m_planeNumber->setRange(1, 1);
  connect(m_planeNumber, &QSpinBox::valueChanged, this, [this](int value) {
    m_bench.run([this, value] { m_bench.geometry().setPlaneNumber(value); });
  });
  m_total = readOnlyField(this, "TotalPlane");
  m_total->setMinimumWidth(50);
  auto* add = new QPushButton(QStringLiteral("Add Plane"), this);
  add->setObjectName(QStringLiteral("AddPlane"));
  auto* drop = new QPushButton(QStringLiteral("Decrease Plane"), this);
  drop->setObjectName(QStringLiteral("DecreasePln"));
  auto* define = new QPushButton(QStringLiteral("Calculate Using Selected Atoms"), this);
  define->setObjectName(QStringLiteral("DefinePlane"));
  connect(add, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.geometry().addPlane(); }); });
  connect(drop, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.geometry().decreasePlane(); }); });
  connect(define, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.geometry().definePlane(); }); });
  // The perpendicular fit is solved in one step: the cycles of an iterative fit are shown but
  // have nothing to do.
  auto* cycles = new QSpinBox(this);
  cycles->setObjectName(QStringLiteral("cycles"));
  cycles->setRange(1, 100);
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
    if (m_bench.geometry().window().visible) {
      m_bench.run([this] { m_bench.geometry().hideWindow(); });
    }
  });
  resize(1100, 640);
  refresh();
}

void PlaneCalcWindow::showState() {
  const workbench::PlaneWindow& w = m_bench.geometry().window();
  {
    const QSignalBlocker quiet(m_planeNumber);
    m_planeNumber->setRange(1, w.totalPlanes);
    m_planeNumber->setValue(w.planeNumber);
  }
  setText(m_total, std::to_string(w.totalPlanes));
  setText(m_previousU, w.previousU);
  setText(m_u, w.u);
  setText(m_r, w.rValue);
  setText(m_rms, w.rms);
  showGrid(m_atoms, w.atoms);
  showGrid(m_results, w.results);
  showGrid(m_dihedrals, w.dihedrals);
}

}  // namespace tavo::app
