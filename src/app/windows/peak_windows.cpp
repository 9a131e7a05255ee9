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
#include "app/windows/widget_helpers.h"
#include "workbench/global_edition_commands.h"
#include "workbench/peak_commands.h"

namespace tavo::app {

PeakListWindow::PeakListWindow(workbench::PeakCommands& peaks, WindowRunner& runner,
                               QWidget* parent)
    : AuxiliaryWindow("TForm9", "Showing and Handling Peaks", parent, &runner),
      m_peaks(peaks),
      m_model(new GridModel(GridModel::Heading::FirstRow, this)) {
  auto* layout = new QVBoxLayout(this);
  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("File"));
  makeMenuItem(file, "Print1", "Print");
  makeMenuItem(file, "Exit3", "Exit");
  layout->setMenuBar(menuBar);
  m_grid = makeTable(this, "StringGrid1", m_model, true);
  layout->addWidget(m_grid, 1);
  auto* controls = new QHBoxLayout;
  m_current = makeSpinBox(this, "SpinEdit1", 0, 99);
  m_currentText = makeField(this, "Edit1", true);
  controls->addWidget(m_current);
  controls->addWidget(m_currentText);
  controls->addWidget(makeButton(this, "Button1", "Delete This"));
  controls->addWidget(makeButton(this, "Button2", "Delete Over MultiCells"));
  layout->addLayout(controls);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_peaks.window().visible) run([this] { m_peaks.closeList(); });
  });
  resize(640, 480);
}

void PeakListWindow::showState() {
  const workbench::PeakListWindow& w = m_peaks.window();
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
  {
    const QSignalBlocker quiet(m_current);
    m_current->setRange(count > 0 ? 1 : 0, count);
  }
  showValue(m_current, w.currentPeak);
  showText(m_currentText, w.currentText);
}

GlobalEditionWindow::GlobalEditionWindow(workbench::GlobalEditionCommands& globalEdition,
                                         WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm27", "Global Edition", parent, &runner),
      m_globalEdition(globalEdition),
      m_atomModel(new GridModel(GridModel::Heading::None, this)),
      m_selectedModel(new GridModel(GridModel::Heading::None, this)) {
  auto* layout = new QHBoxLayout(this);
  auto* lists = new QGridLayout;
  lists->addWidget(new QLabel(QStringLiteral("List of Atoms"), this), 0, 0);
  lists->addWidget(new QLabel(QStringLiteral("Selcted Atoms"), this), 0, 1);
  m_atoms = makeTable(this, "StringGrid1", m_atomModel, true);
  m_selected = makeTable(this, "StringGrid2", m_selectedModel, true);
  m_atoms->horizontalHeader()->hide();
  m_selected->horizontalHeader()->hide();
  lists->addWidget(m_atoms, 1, 0);
  lists->addWidget(m_selected, 1, 1);
  lists->addWidget(makeButton(this, "MultiSelection", "Multi-Selection"), 2, 0);
  lists->addWidget(makeButton(this, "MultiRemoval", "Multi-Removal"), 2, 1);
  layout->addLayout(lists, 1);

  auto* options = new QGridLayout;
  for (int k = 0; k < editing::globalOptionCount; ++k) {
    const std::string_view name = editing::globalOptionNames[k];
    m_options[static_cast<std::size_t>(k)] = new QRadioButton(toQString(name), this);
    m_options[static_cast<std::size_t>(k)]->setObjectName(toQString(name));
    options->addWidget(m_options[static_cast<std::size_t>(k)], k, 0);
  }
  m_population = makeField(this, "Edit1");
  m_uiso = makeField(this, "Edit2");
  m_code = makeField(this, "Edit3");
  m_parameter = makeSpinBox(this, "SpinEdit1", 1, 10);
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
  options->addWidget(makeButton(this, "Button4", "Apply"), 16, 0, 1, 3);
  layout->addLayout(options);
  connectControls();
  resize(620, 560);
}

void GlobalEditionWindow::connectControls() {
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_globalEdition.window().visible) run([this] { m_globalEdition.closeWindow(); });
  });
  // Both lists number their rows from 1, as their controls take them.
  for (QTableView* list : {m_atoms, m_selected}) {
    setTableWords(list->objectName(),
                  {[list]() -> std::vector<std::string> {
                     int top = 0, left = 0, bottom = 0, right = 0;
                     if (!selectedBlock(list, top, left, bottom, right)) return {};
                     return {std::to_string(top + 1), std::to_string(bottom + 1)};
                   },
                   [](const QModelIndex& at) {
                     return std::vector<std::string>{std::to_string(at.row() + 1)};
                   }});
  }
}

void GlobalEditionWindow::showState() {
  const workbench::GlobalEditionWindow& w = m_globalEdition.window();
  if (!(w.atomList == m_atomModel->grid())) {
    m_atomModel->setGrid(w.atomList);
    m_atoms->resizeColumnsToContents();
  }
  if (!(w.selectedList == m_selectedModel->grid())) {
    m_selectedModel->setGrid(w.selectedList);
    m_selected->resizeColumnsToContents();
  }
  m_options[static_cast<std::size_t>(w.option)]->setChecked(true);
  showText(m_population, w.population);
  showText(m_uiso, w.uiso);
  showText(m_code, w.code);
  showValue(m_parameter, w.parameter);
  m_parameterName->setText(toQString(editing::globalParameterNames[w.parameter]));
  m_population->setEnabled(w.populationEnabled());
  m_uiso->setEnabled(w.uisoEnabled());
  m_code->setEnabled(w.codeEnabled());
  m_parameter->setEnabled(w.codeEnabled());
}

}  // namespace tavo::app
