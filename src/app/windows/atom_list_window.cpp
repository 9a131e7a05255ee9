// The atom list window: the list, the value field and buttons, the sorts and the heading order.
#include "app/windows/atom_list_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "app/grid_model.h"
#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "editing/atom_list.h"
#include "workbench/atom_list_commands.h"

namespace tavo::app {

namespace {

QSpinBox* numberShown(std::string_view objectName, QWidget* parent) {
  QSpinBox* spin = makeSpinBox(parent, objectName, 0, INT_MAX);
  spin->setReadOnly(true);
  spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
  spin->setMaximumWidth(70);
  return spin;
}

}  // namespace

AtomListWindow::AtomListWindow(workbench::AtomListCommands& atomList, WindowRunner& runner,
                               QWidget* parent)
    : AuxiliaryWindow("TForm2", "Atomic Coordinates & Parameters", parent, &runner),
      m_atomList(atomList),
      m_model(new GridModel(GridModel::Heading::FirstRow, this)),
      m_sortModel(new GridModel(GridModel::Heading::None, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(buildMenus());

  m_grid = new QTableView(this);
  m_grid->setObjectName(QStringLiteral("StringGrid1"));
  m_grid->setModel(m_model);
  m_grid->verticalHeader()->hide();
  m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
  // A heading click orders the rows; it does not select the column.
  m_grid->horizontalHeader()->setSectionsClickable(true);
  // Qt before 6.5 makes this one connection of the view by its signature, so it can only be
  // undone that way; later versions make it with member pointers.
  disconnect(m_grid->horizontalHeader(), SIGNAL(sectionPressed(int)), m_grid,
             SLOT(selectColumn(int)));
  disconnect(m_grid->horizontalHeader(), &QHeaderView::sectionPressed, m_grid,
             &QTableView::selectColumn);
  layout->addWidget(m_grid, 1);

  m_sortGrid = new QTableView(this);
  m_sortGrid->setObjectName(QStringLiteral("SortGrid"));
  m_sortGrid->setModel(m_sortModel);
  m_sortGrid->horizontalHeader()->hide();
  m_sortGrid->verticalHeader()->hide();
  m_sortGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_sortGrid->hide();
  layout->addWidget(m_sortGrid, 1);

  auto* controls = new QHBoxLayout;
  m_value = makeField(this, "Edit1");
  m_value->setMinimumWidth(160);
  m_column = numberShown("SpinEdit1", this);
  m_row = numberShown("SpinEdit2", this);
  m_apply = makeButton(this, "Button1", "Apply");
  m_multi = makeCheckBox(this, "CheckBox1", "by Double Clicking or by Multi");
  m_applyMulti = makeButton(this, "Button2", "Apply on MultiCells");
  QPushButton* sortLabels = makeButton(this, "SortLabels", "Sort_nonH_Labels");
  QPushButton* sortHLabels = makeButton(this, "SortHLabels", "Sort_H_Labels");
  QPushButton* update = makeButton(this, "XYZBUpdate", "Update");
  controls->addWidget(new QLabel(QStringLiteral("Value"), this));
  controls->addWidget(m_value);
  controls->addWidget(new QLabel(QStringLiteral("Column"), this));
  controls->addWidget(m_column);
  controls->addWidget(new QLabel(QStringLiteral("Row"), this));
  controls->addWidget(m_row);
  controls->addWidget(m_apply);
  controls->addWidget(m_multi);
  controls->addWidget(m_applyMulti);
  controls->addStretch();
  controls->addWidget(sortLabels);
  controls->addWidget(sortHLabels);
  controls->addWidget(update);
  layout->addLayout(controls);
  connectControls();
  resize(1100, 560);
}

QMenuBar* AtomListWindow::buildMenus() {
  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("File"));
  makeMenuItem(file, "Print1", "Print");
  makeMenuItem(file, "Exit1", "Exit");
  QMenu* sort = menuBar->addMenu(QStringLiteral("Sort"));
  makeMenuItem(sort, "SimplifytheLabelingfromShelxt1", "Simplify the Numbering from SHELXT");
  m_workingGrids =
      makeMenuItem(sort, "WorkingGrids", "Show the Working Grids for the Sort Process");
  m_workingGrids->setCheckable(true);
  return menuBar;
}

void AtomListWindow::connectControls() {
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_atomList.window().visible) run([this] { m_atomList.closeWindow(); });
  });
  // A heading click orders the rows by that column.
  connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    operate({"Heading", std::to_string(column)});
  });
  // The list's cells are (column, row): the block selected runs from the cell clicked first.
  setTableWords(QStringLiteral("StringGrid1"), {[this] { return selectedCells(); },
                                                [this](const QModelIndex& cell) {
                                                  return std::vector<std::string>{
                                                      std::to_string(cell.column()),
                                                      std::to_string(m_model->gridRow(cell.row()))};
                                                }});
}

std::vector<std::string> AtomListWindow::selectedCells() const {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (!selectedBlock(m_grid, top, left, bottom, right)) return {};
  // The cell clicked first is the current one: a block selection keeps it as its corner.
  const QModelIndex current = m_grid->selectionModel()->currentIndex();
  const int column = current.isValid() ? current.column() : left;
  const int row = current.isValid() ? current.row() : top;
  const int far = column == left ? right : left, farRow = row == top ? bottom : top;
  return {std::to_string(column), std::to_string(m_model->gridRow(row)), std::to_string(far),
          std::to_string(m_model->gridRow(farRow))};
}

void AtomListWindow::showState() {
  const workbench::AtomListWindow& w = m_atomList.window();
  if (!(w.grid == m_model->grid())) {
    m_model->setGrid(w.grid);
    m_grid->resizeColumnsToContents();
    if (w.row > 0 && w.column >= 0) {
      m_grid->selectionModel()->select(
          QItemSelection(m_model->index(w.row - 1, w.column),
                         m_model->index(w.bottom - 1, std::max(w.right, w.column))),
          QItemSelectionModel::ClearAndSelect);
    }
  }
  m_grid->horizontalHeader()->setSortIndicatorShown(w.sortColumn > 0);
  m_grid->horizontalHeader()->setSortIndicator(
      w.sortColumn, w.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  if (!(w.sortGrid == m_sortModel->grid())) m_sortModel->setGrid(w.sortGrid);
  m_sortGrid->setVisible(w.sortGridShown);
  m_workingGrids->setChecked(w.sortGridShown);
  showText(m_value, w.value);
  showValue(m_column, w.column);
  showValue(m_row, w.row);
  showChecked(m_multi, w.multi);
  m_apply->setEnabled(!w.multi);
  m_applyMulti->setEnabled(w.multi);
}

}  // namespace tavo::app
