// The PART components window: a check box for the colours, the grid, Show All and Close.
#include "app/windows/part_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/grid_model.h"
#include "app/windows/widget_helpers.h"
#include "workbench/part_commands.h"

namespace tavo::app {

PartWindow::PartWindow(workbench::PartCommands& parts, WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("Parts", "PART Components", parent, &runner), m_parts(parts) {
  m_coloured = makeCheckBox(this, "PartColours", "Colour PARTs");
  m_grid = new GridModel(GridModel::Heading::FirstRow, this);
  m_table = makeTable(this, "PartGrid", m_grid, true);
  auto* hint = new QLabel(QStringLiteral("Double-click a row to hide or show its atoms."), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(makeButton(this, "ShowAll", "Show All"));
  buttons->addStretch();
  buttons->addWidget(makeButton(this, "Close", "Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_coloured);
  layout->addWidget(m_table, 1);
  layout->addWidget(hint);
  layout->addLayout(buttons);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_parts.windowShown()) run([this] { m_parts.closeWindow(); });
  });
  resize(320, 260);
  refresh();
}

void PartWindow::showState() {
  showChecked(m_coloured, m_parts.display().coloured);
  const text::TextGrid grid = m_parts.grid();
  if (m_grid->grid() != grid) {
    m_grid->setGrid(grid);
    m_table->resizeColumnsToContents();
  }
}

}  // namespace tavo::app
