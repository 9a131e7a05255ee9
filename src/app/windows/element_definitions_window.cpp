// The element definitions window: shows the core's table; its widgets run the declared controls.
#include "app/windows/element_definitions_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <string>
#include <vector>

#include "app/qt_text.h"
#include "workbench/preference_commands.h"

namespace tavo::app {

ElementDefinitionsWindow::ElementDefinitionsWindow(workbench::PreferenceCommands& preferences,
                                                   WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm17", "Detailed Definition of Elements", parent, &runner),
      m_preferences(preferences),
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

  // A click selects a cell, also the cell already selected (a click on a "Color Code" cell opens
  // the colour chooser each time), so the click says the cell and the selection says nothing.
  setTableWords(m_table->objectName(), {[] { return std::vector<std::string>{}; }, {}});
  connect(m_table, &QTableView::clicked, this, [this](const QModelIndex& index) {
    operate({"set", "StringGrid1", std::to_string(m_model->gridRow(index.row())),
             std::to_string(index.column())});
  });
  // Return in the edit field applies it, as "Apply" does.
  connect(m_editField, &QLineEdit::returnPressed, this, [this] {
    operate({"press", "ApplyButton"});
  });
  connect(this, &AuxiliaryWindow::closed, this,
          [this] { run([this] { m_preferences.closeElementDefinitions(); }); });
  resize(640, 560);
}

void ElementDefinitionsWindow::showState() {
  const workbench::PreferenceCommands& preferences = m_preferences;
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
