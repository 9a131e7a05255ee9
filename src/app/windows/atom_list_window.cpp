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
#include "editing/atom_list.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

QPushButton* button(const char* objectName, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(objectName));
  return b;
}

QSpinBox* numberField(const char* objectName, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(objectName));
  spin->setReadOnly(true);
  spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
  spin->setRange(0, INT_MAX);
  spin->setMaximumWidth(70);
  return spin;
}

}  // namespace

AtomListWindow::AtomListWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm2", "Atomic Coordinates & Parameters", parent),
      m_bench(bench),
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
  m_value = new QLineEdit(this);
  m_value->setObjectName(QStringLiteral("Edit1"));
  m_value->setMinimumWidth(160);
  m_column = numberField("SpinEdit1", this);
  m_row = numberField("SpinEdit2", this);
  m_apply = button("Button1", "Apply", this);
  m_multi = new QCheckBox(QStringLiteral("by Double Clicking or by Multi"), this);
  m_multi->setObjectName(QStringLiteral("CheckBox1"));
  m_applyMulti = button("Button2", "Apply on MultiCells", this);
  m_sortLabels = button("SortLabels", "Sort_nonH_Labels", this);
  m_sortHLabels = button("SortHLabels", "Sort_H_Labels", this);
  m_update = button("XYZBUpdate", "Update", this);
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
  controls->addWidget(m_sortLabels);
  controls->addWidget(m_sortHLabels);
  controls->addWidget(m_update);
  layout->addLayout(controls);
  connectControls();
  resize(1100, 560);
}

QMenuBar* AtomListWindow::buildMenus() {
  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("File"));
  m_print = file->addAction(QStringLiteral("Print"));
  m_print->setObjectName(QStringLiteral("Print1"));
  m_exit = file->addAction(QStringLiteral("Exit"));
  m_exit->setObjectName(QStringLiteral("Exit1"));
  QMenu* sort = menuBar->addMenu(QStringLiteral("Sort"));
  m_simplify = sort->addAction(QStringLiteral("Simplify the Numbering from SHELXT"));
  m_simplify->setObjectName(QStringLiteral("SimplifytheLabelingfromShelxt1"));
  m_workingGrids = sort->addAction(QStringLiteral("Show the Working Grids for the Sort Process"));
  m_workingGrids->setObjectName(QStringLiteral("WorkingGrids"));
  m_workingGrids->setCheckable(true);
  return menuBar;
}

template <typename Command>
void AtomListWindow::run(Command command) {
  if (m_refreshing) return;
  m_bench.run([this, command] { command(m_bench.atomList()); });
}

void AtomListWindow::connectControls() {
  using Commands = workbench::AtomListCommands;
  const auto on = [this](auto command) { return [this, command] { run(command); }; };
  connect(m_print, &QAction::triggered, this, on([](Commands& c) { c.print(); }));
  connect(m_exit, &QAction::triggered, this, on([](Commands& c) { c.closeWindow(); }));
  connect(m_simplify, &QAction::triggered, this, on([](Commands& c) { c.simplifyNumbering(); }));
  connect(m_workingGrids, &QAction::triggered, this, on([](Commands& c) { c.toggleSortGrid(); }));
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.atomList().window().visible) run([](Commands& c) { c.closeWindow(); });
  });
  connect(m_apply, &QPushButton::clicked, this, on([](Commands& c) { c.apply(); }));
  connect(m_applyMulti, &QPushButton::clicked, this, on([](Commands& c) { c.applyMulti(); }));
  connect(m_sortLabels, &QPushButton::clicked, this, on([](Commands& c) { c.sortLabels(); }));
  connect(m_sortHLabels, &QPushButton::clicked, this,
          on([](Commands& c) { c.sortHydrogenLabels(); }));
  connect(m_update, &QPushButton::clicked, this, on([](Commands& c) { c.refresh(); }));
  connect(m_multi, &QCheckBox::toggled, this,
          [this](bool checked) { run([checked](Commands& c) { c.setMulti(checked); }); });
  connect(m_value, &QLineEdit::textEdited, this, [this](const QString& text) {
    run([value = toStd(text)](Commands& c) { c.setValue(value); });
  });
  connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int column) { run([column](Commands& c) { c.sortByColumn(column); }); });
  connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    const int row = m_model->gridRow(index.row());
    const int column = index.column();
    run([column, row](Commands& c) { c.doubleClick(column, row); });
  });
  connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { selectCells(); });
}

void AtomListWindow::selectCells() {
  const QModelIndexList cells = m_grid->selectionModel()->selectedIndexes();
  if (m_refreshing || cells.isEmpty()) return;
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (const QModelIndex& cell : cells) {
    left = std::min(left, cell.column());
    right = std::max(right, cell.column());
    top = std::min(top, cell.row());
    bottom = std::max(bottom, cell.row());
  }
  // The cell clicked first is the current one: a block selection keeps it as its corner.
  const QModelIndex current = m_grid->selectionModel()->currentIndex();
  const int column = current.isValid() ? current.column() : left;
  const int row = current.isValid() ? current.row() : top;
  const int far = column == left ? right : left, farRow = row == top ? bottom : top;
  const auto to = [this](int viewRow) { return m_model->gridRow(viewRow); };
  run([=](workbench::AtomListCommands& c) { c.selectCells(column, to(row), far, to(farRow)); });
}

void AtomListWindow::refresh() {
  const workbench::AtomListWindow& w = m_bench.atomList().window();
  m_refreshing = true;
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
  if (m_value->text() != toQString(w.value)) {
    const QSignalBlocker quiet(m_value);
    m_value->setText(toQString(w.value));
  }
  m_column->setValue(w.column);
  m_row->setValue(w.row);
  {
    const QSignalBlocker quiet(m_multi);
    m_multi->setChecked(w.multi);
  }
  m_apply->setEnabled(!w.multi);
  m_applyMulti->setEnabled(w.multi);
  m_refreshing = false;
}

}  // namespace tavo::app
