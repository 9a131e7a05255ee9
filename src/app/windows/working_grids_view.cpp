// The F10 working grids view.
#include "app/windows/working_grids_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

#include "workbench/working_grids_panel.h"

namespace tavo::app {

namespace {

QTableView* gridView(const char* objectName, GridModel* model, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setObjectName(QString::fromLatin1(objectName));
  view->setModel(model);
  view->horizontalHeader()->hide();  // row 0 of a working grid is one of its rows
  view->verticalHeader()->hide();    // the grids count their rows from 0, as the lines
  view->verticalHeader()->setDefaultSectionSize(20);
  return view;
}

void showGrid(GridModel* model, QTableView* view, text::TextGrid grid) {
  if (grid == model->grid()) return;
  model->setGrid(std::move(grid));
  view->resizeColumnsToContents();
}

}  // namespace

WorkingGridsView::WorkingGridsView(QWidget* surface)
    : QFrame(surface),
      m_workingModel(new GridModel(GridModel::Heading::None, this)),
      m_wordModel(new GridModel(GridModel::Heading::None, this)),
      m_workingGrid(gridView("WorkingGrid", m_workingModel, this)),
      m_wordTable(gridView("InstructionGrid", m_wordModel, this)) {
  setObjectName(QStringLiteral("WorkingGrids"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(m_workingGrid, 1);
  layout->addWidget(m_wordTable, 3);
  hide();
}

void WorkingGridsView::refresh(const workbench::WorkingGridsPanel& panel) {
  if (!panel.visible()) {
    hide();
    return;
  }
  showGrid(m_workingModel, m_workingGrid, panel.workingGrid());
  showGrid(m_wordModel, m_wordTable, panel.wordTable());
  if (isHidden()) {
    QFrame::show();
    raise();
  }
}

void WorkingGridsView::place(int width, int bottom) {
  const int height = 200;
  setGeometry(0, std::max(0, bottom - height), width, std::min(height, bottom));
}

}  // namespace tavo::app
