#include "app/windows/density_windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "app/grid_model.h"
#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "workbench/density_commands.h"

namespace tavo::app {

MapPeaksWindow::MapPeaksWindow(workbench::DensityCommands& density, WindowRunner& runner,
                               QWidget* parent)
    : AuxiliaryWindow("MapPeaks", "Map Peaks", parent, &runner), m_density(density) {
  m_level = makeFinishedField(this, "MapLevel", 60);
  m_type = new QComboBox(this);
  m_type->setObjectName(QStringLiteral("MapType"));
  m_type->addItems({QStringLiteral("Fo-Fc"), QStringLiteral("2Fo-Fc"), QStringLiteral("Fo")});
  m_shown = makeCheckBox(this, "ShowMap", "Show Map");
  m_summary = new QLabel(this);
  m_summary->setObjectName(QStringLiteral("MapSummary"));
  m_summary->setWordWrap(true);
  m_peaks = new GridModel(GridModel::Heading::FirstRow, this);
  m_peakTable = makeTable(this, "PeakGrid", m_peaks, true);

  auto* controls = new QGridLayout;
  addLabelled(controls, 0, 0, QStringLiteral("Level (sigma)"), m_level);
  addLabelled(controls, 0, 2, QStringLiteral("Map"), m_type);
  controls->addWidget(m_shown, 0, 4);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(makeButton(this, "Recompute", "Compute Map"));
  buttons->addWidget(makeButton(this, "UseAsQ", "Use as Q-peaks"));
  buttons->addStretch();
  buttons->addWidget(makeButton(this, "Close", "Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(m_summary);
  layout->addWidget(m_peakTable, 1);
  layout->addLayout(buttons);

  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_density.peaksWindow().visible) run([this] { m_density.closeMapPeaksWindow(); });
  });
  resize(640, 520);
  refresh();
}

void MapPeaksWindow::showState() {
  const workbench::MapPeaksWindow& w = m_density.peaksWindow();
  showText(m_level, w.levelText);
  {
    const QSignalBlocker quiet(m_type);
    m_type->setCurrentIndex(w.typeIndex);
  }
  showChecked(m_shown, m_density.mapShown());
  m_summary->setText(toQString(w.summary));
  if (m_peaks->grid() != w.peaks) {
    m_peaks->setGrid(w.peaks);
    m_peakTable->resizeColumnsToContents();
  }
}

AgreementWindow::AgreementWindow(workbench::DensityCommands& density, WindowRunner& runner,
                                 QWidget* parent)
    : AuxiliaryWindow("Agreement", "Agreement with the Data", parent, &runner), m_density(density) {
  m_summary = new GridModel(GridModel::Heading::None, this);
  m_summary->setColumnHeadings({QStringLiteral("Figure"), QStringLiteral("Value")});
  m_worst = new GridModel(GridModel::Heading::FirstRow, this);
  m_omitted = new GridModel(GridModel::Heading::FirstRow, this);
  auto* layout = new QVBoxLayout(this);
  m_tables = {makeTable(this, "SummaryGrid", m_summary, true),
              makeTable(this, "WorstGrid", m_worst, true),
              makeTable(this, "OmittedGrid", m_omitted, true)};
  layout->addWidget(m_tables[0], 2);
  layout->addWidget(new QLabel(QStringLiteral("The worst-fitting reflections"), this));
  layout->addWidget(m_tables[1], 3);
  layout->addWidget(new QLabel(QStringLiteral("Reflections left out"), this));
  layout->addWidget(m_tables[2], 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(makeButton(this, "Recompute", "Compute"));
  buttons->addStretch();
  buttons->addWidget(makeButton(this, "Close", "Close"));
  layout->addLayout(buttons);

  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_density.agreementWindow().visible) run([this] { m_density.closeAgreementWindow(); });
  });
  resize(600, 700);
  refresh();
}

void AgreementWindow::showState() {
  const workbench::AgreementWindow& w = m_density.agreementWindow();
  const std::pair<GridModel*, const text::TextGrid*> grids[] = {
      {m_summary, &w.summary}, {m_worst, &w.worst}, {m_omitted, &w.omitted}};
  for (std::size_t i = 0; i < std::size(grids); ++i) {
    auto [model, grid] = grids[i];
    if (model->grid() == *grid) continue;
    model->setGrid(*grid);
    m_tables[i]->resizeColumnsToContents();
  }
}

}  // namespace tavo::app
