// The element definitions window: shows the Workbench's table and forwards clicks.
#include "app/windows/element_definitions_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "workbench/preference_commands.h"
#include "workbench/workbench.h"

namespace tavo::app {

ElementDefinitionsWindow::ElementDefinitionsWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm17", "Detailed Definition of Elements", parent),
      m_bench(bench),
      m_model(new GridModel(GridModel::Heading::FirstRow, this)),
      m_table(new QTableView(this)),
      m_editField(new QLineEdit(this)),
      m_apply(new QPushButton(QStringLiteral("Apply"), this)),
      m_add(new QPushButton(QStringLiteral("Add"), this)) {
  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("File"));
  QAction* save = file->addAction(QStringLiteral("Save Settings"));
  save->setObjectName(QStringLiteral("SaveSettings1"));
  QAction* exit = file->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("Exit1"));

  m_table->setObjectName(QStringLiteral("StringGrid1"));
  m_table->setModel(m_model);
  m_table->verticalHeader()->hide();
  m_table->verticalHeader()->setDefaultSectionSize(22);
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_editField->setObjectName(QStringLiteral("Edit1"));
  m_apply->setObjectName(QStringLiteral("ApplyButton"));
  m_apply->setDefault(true);
  m_add->setObjectName(QStringLiteral("AddButton"));

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menuBar);
  layout->addWidget(m_table);
  auto* editRow = new QHBoxLayout;
  editRow->addWidget(m_editField, 1);
  editRow->addWidget(m_apply);
  editRow->addWidget(m_add);
  layout->addLayout(editRow);

  connect(m_table, &QTableView::clicked, this, [this](const QModelIndex& index) {
    const int row = m_model->gridRow(index.row());
    const int column = index.column();
    run([row, column](auto& p) { p.selectElementCell(row, column); });
  });
  connect(m_editField, &QLineEdit::textEdited, this,
          [this](const QString& text) { m_bench.preferences().setElementEditText(toStd(text)); });
  const auto apply = [this] { run([](auto& p) { p.applyElementEdit(); }); };
  connect(m_apply, &QPushButton::clicked, this, apply);
  connect(m_editField, &QLineEdit::returnPressed, this, apply);
  connect(m_add, &QPushButton::clicked, this, [this] { run([](auto& p) { p.addElementRow(); }); });
  connect(save, &QAction::triggered, this,
          [this] { run([](auto& p) { p.saveElementDefinitions(); }); });
  connect(exit, &QAction::triggered, this, &QWidget::close);
  connect(this, &AuxiliaryWindow::closed, this,
          [this] { run([](auto& p) { p.closeElementDefinitions(); }); });
  resize(640, 560);
}

void ElementDefinitionsWindow::run(
    const std::function<void(workbench::PreferenceCommands&)>& command) {
  m_bench.run([this, &command] { command(m_bench.preferences()); });
}

void ElementDefinitionsWindow::showState() {
  const workbench::PreferenceCommands& preferences = m_bench.preferences();
  const text::TextGrid& table = preferences.elementDefinitions().table();
  if (!(table == m_model->grid())) {
    const QModelIndex current = m_table->currentIndex();
    m_model->setGrid(table);
    m_table->setCurrentIndex(current);
  }
  const QString editText = toQString(preferences.elementEditText());
  if (m_editField->text() != editText) m_editField->setText(editText);
}

}  // namespace tavo::app
