// The peak list window and the Global Edition window.
#include "app/windows/peak_windows.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "app/grid_model.h"
#include "app/qt_text.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

QTableView* table(const char* objectName, GridModel* model, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setObjectName(QString::fromLatin1(objectName));
  view->setModel(model);
  view->verticalHeader()->hide();
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::ContiguousSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  return view;
}

QPushButton* button(const char* objectName, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(objectName));
  return b;
}

QLineEdit* field(const char* objectName, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(objectName));
  return edit;
}

void setText(QLineEdit* edit, const std::string& text) {
  const QString shown = toQString(text);
  if (edit->text() == shown) return;
  const QSignalBlocker quiet(edit);
  edit->setText(shown);
}

// The first and last view rows of the selection of `view`; false when nothing is selected.
bool selectedRows(const QTableView* view, int& top, int& bottom) {
  const QModelIndexList cells = view->selectionModel()->selectedIndexes();
  if (cells.isEmpty()) return false;
  top = INT_MAX;
  bottom = -1;
  for (const QModelIndex& cell : cells) {
    top = std::min(top, cell.row());
    bottom = std::max(bottom, cell.row());
  }
  return true;
}

}  // namespace

PeakListWindow::PeakListWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm9", "Showing and Handling Peaks", parent),
      m_bench(bench),
      m_model(new GridModel(GridModel::Heading::FirstRow, this)) {
  auto* layout = new QVBoxLayout(this);
  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("File"));
  QAction* print = file->addAction(QStringLiteral("Print"));
  print->setObjectName(QStringLiteral("Print1"));
  QAction* exit = file->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("Exit3"));
  layout->setMenuBar(menuBar);
  m_grid = table("StringGrid1", m_model, this);
  layout->addWidget(m_grid, 1);
  auto* controls = new QHBoxLayout;
  m_current = new QSpinBox(this);
  m_current->setObjectName(QStringLiteral("SpinEdit1"));
  m_currentText = field("Edit1", this);
  m_currentText->setReadOnly(true);
  auto* deleteThis = button("Button1", "Delete This", this);
  auto* deleteBlock = button("Button2", "Delete Over MultiCells", this);
  controls->addWidget(m_current);
  controls->addWidget(m_currentText);
  controls->addWidget(deleteThis);
  controls->addWidget(deleteBlock);
  layout->addLayout(controls);

  auto run = [this](auto command) {
    return [this, command] {
      if (!m_refreshing) m_bench.run([this, command] { command(m_bench.peaks()); });
    };
  };
  using Commands = workbench::PeakCommands;
  connect(print, &QAction::triggered, this, run([](Commands& c) { c.print(); }));
  connect(exit, &QAction::triggered, this, run([](Commands& c) { c.closeList(); }));
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.peaks().window().visible) m_bench.run([this] { m_bench.peaks().closeList(); });
  });
  connect(deleteThis, &QPushButton::clicked, this, run([](Commands& c) { c.deleteThis(); }));
  connect(deleteBlock, &QPushButton::clicked, this,
          run([](Commands& c) { c.deleteOverMultiCells(); }));
  connect(m_grid, &QTableView::doubleClicked, this, run([](Commands& c) { c.deleteThis(); }));
  connect(m_current, &QSpinBox::valueChanged, this, [this](int peak) {
    if (!m_refreshing) m_bench.run([this, peak] { m_bench.peaks().setCurrentPeak(peak); });
  });
  connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { selectRows(); });
  resize(640, 480);
}

void PeakListWindow::selectRows() {
  int top = 0, bottom = 0;
  if (m_refreshing || !selectedRows(m_grid, top, bottom)) return;
  m_bench.run([&] { m_bench.peaks().selectRows(m_model->gridRow(top), m_model->gridRow(bottom)); });
}

void PeakListWindow::showState() {
  const workbench::PeakListWindow& w = m_bench.peaks().window();
  m_refreshing = true;
  if (!(w.grid == m_model->grid())) {
    m_model->setGrid(w.grid);
    m_grid->resizeColumnsToContents();
    if (w.top > 0) {
      m_grid->selectionModel()->select(
          QItemSelection(m_model->index(w.top - 1, 0), m_model->index(w.bottom - 1, 7)),
          QItemSelectionModel::ClearAndSelect);
    }
  }
  const int count = std::max(w.grid.rowCount() - 1, 0);
  m_current->setRange(count > 0 ? 1 : 0, count);
  m_current->setValue(w.currentPeak);
  setText(m_currentText, w.currentText);
  m_refreshing = false;
}

GlobalEditionWindow::GlobalEditionWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm27", "Global Edition", parent),
      m_bench(bench),
      m_atomModel(new GridModel(GridModel::Heading::None, this)),
      m_selectedModel(new GridModel(GridModel::Heading::None, this)) {
  auto* layout = new QHBoxLayout(this);
  auto* lists = new QGridLayout;
  lists->addWidget(new QLabel(QStringLiteral("List of Atoms"), this), 0, 0);
  lists->addWidget(new QLabel(QStringLiteral("Selcted Atoms"), this), 0, 1);
  m_atoms = table("StringGrid1", m_atomModel, this);
  m_selected = table("StringGrid2", m_selectedModel, this);
  m_atoms->horizontalHeader()->hide();
  m_selected->horizontalHeader()->hide();
  lists->addWidget(m_atoms, 1, 0);
  lists->addWidget(m_selected, 1, 1);
  auto* multiSelection = button("MultiSelection", "Multi-Selection", this);
  auto* multiRemoval = button("MultiRemoval", "Multi-Removal", this);
  lists->addWidget(multiSelection, 2, 0);
  lists->addWidget(multiRemoval, 2, 1);
  layout->addLayout(lists, 1);

  auto* options = new QGridLayout;
  for (int k = 0; k < editing::globalOptionCount; ++k) {
    const std::string_view name = editing::globalOptionNames[k];
    m_options[static_cast<std::size_t>(k)] = new QRadioButton(toQString(name), this);
    m_options[static_cast<std::size_t>(k)]->setObjectName(toQString(name));
    options->addWidget(m_options[static_cast<std::size_t>(k)], k, 0);
  }
  m_population = field("Edit1", this);
  m_uiso = field("Edit2", this);
  m_code = field("Edit3", this);
  m_parameter = new QSpinBox(this);
  m_parameter->setObjectName(QStringLiteral("SpinEdit1"));
  m_parameter->setRange(1, 10);
  m_parameterName = new QLabel(this);
  options->addWidget(new QLabel(QStringLiteral("Population"), this), 1, 1);
  options->addWidget(m_population, 1, 2);
  options->addWidget(new QLabel(QStringLiteral("Uiso="), this), 12, 1);
  options->addWidget(m_uiso, 12, 2);
  options->addWidget(new QLabel(QStringLiteral("Definition="), this), 13, 1);
  options->addWidget(m_code, 13, 2);
  options->addWidget(new QLabel(QStringLiteral("(not a FVAR itself)"), this), 14, 2);
  options->addWidget(m_parameter, 15, 1);
  options->addWidget(m_parameterName, 15, 2);
  auto* apply = button("Button4", "Apply", this);
  options->addWidget(apply, 16, 0, 1, 3);
  layout->addLayout(options);

  connect(multiSelection, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.globalEdition().multiSelection(); }); });
  connect(multiRemoval, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.globalEdition().multiRemoval(); }); });
  connect(apply, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.globalEdition().apply(); }); });
  connectControls();
  resize(620, 560);
}

void GlobalEditionWindow::connectControls() {
  using Commands = workbench::GlobalEditionCommands;
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.globalEdition().window().visible)
      m_bench.run([this] { m_bench.globalEdition().closeWindow(); });
  });
  connect(m_atoms, &QTableView::doubleClicked, this, [this](const QModelIndex& at) {
    m_bench.run([this, row = at.row()] { m_bench.globalEdition().addRow(row); });
  });
  connect(m_selected, &QTableView::doubleClicked, this, [this](const QModelIndex& at) {
    m_bench.run([this, row = at.row()] { m_bench.globalEdition().removeRow(row); });
  });
  connect(m_atoms->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    int top = 0, bottom = 0;
    if (m_refreshing || !selectedRows(m_atoms, top, bottom)) return;
    m_bench.run([&] { m_bench.globalEdition().selectAtomRows(top, bottom); });
  });
  connect(m_selected->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    int top = 0, bottom = 0;
    if (m_refreshing || !selectedRows(m_selected, top, bottom)) return;
    m_bench.run([&] { m_bench.globalEdition().selectSelectedRows(top, bottom); });
  });
  for (int k = 0; k < editing::globalOptionCount; ++k) {
    connect(m_options[static_cast<std::size_t>(k)], &QRadioButton::toggled, this,
            [this, k](bool on) {
              if (!on || m_refreshing) return;
              m_bench.run([this, k] {
                m_bench.globalEdition().chooseOption(static_cast<editing::GlobalOption>(k));
              });
            });
  }
  const auto typed = [this](QLineEdit* edit, void (Commands::*set)(std::string)) {
    connect(edit, &QLineEdit::textEdited, this,
            [this, set](const QString& text) { (m_bench.globalEdition().*set)(toStd(text)); });
  };
  typed(m_population, &Commands::setPopulation);
  typed(m_uiso, &Commands::setUiso);
  typed(m_code, &Commands::setCode);
  connect(m_parameter, &QSpinBox::valueChanged, this, [this](int p) {
    if (!m_refreshing) m_bench.run([this, p] { m_bench.globalEdition().setParameter(p); });
  });
}

void GlobalEditionWindow::showState() {
  const workbench::GlobalEditionWindow& w = m_bench.globalEdition().window();
  m_refreshing = true;
  if (!(w.atomList == m_atomModel->grid())) {
    m_atomModel->setGrid(w.atomList);
    m_atoms->resizeColumnsToContents();
  }
  if (!(w.selectedList == m_selectedModel->grid())) {
    m_selectedModel->setGrid(w.selectedList);
    m_selected->resizeColumnsToContents();
  }
  m_options[static_cast<std::size_t>(w.option)]->setChecked(true);
  setText(m_population, w.population);
  setText(m_uiso, w.uiso);
  setText(m_code, w.code);
  m_parameter->setValue(w.parameter);
  m_parameterName->setText(toQString(editing::globalParameterNames[w.parameter]));
  m_population->setEnabled(w.populationEnabled());
  m_uiso->setEnabled(w.uisoEnabled());
  m_code->setEnabled(w.codeEnabled());
  m_parameter->setEnabled(w.codeEnabled());
  m_refreshing = false;
}

}  // namespace tavo::app
