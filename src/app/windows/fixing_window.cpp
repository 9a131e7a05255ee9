// The fixing and free-variable window and the HFIX coding rules window.
#include "app/windows/fixing_window.h"

#include <QCheckBox>
#include <QGridLayout>
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
#include "workbench/free_variable_commands.h"

namespace tavo::app {

FixingWindow::FixingWindow(workbench::FreeVariableCommands& freeVariables, WindowRunner& runner,
                           QWidget* parent)
    : AuxiliaryWindow("TForm23", "Handling Fixing Treatments and Free Variables", parent, &runner),
      m_freeVariables(freeVariables),
      m_codeModel(new GridModel(GridModel::Heading::FirstRow, this)),
      m_fvarModel(new GridModel(GridModel::Heading::FirstRow, this)) {
  auto* layout = new QVBoxLayout(this);
  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("File1"));
  makeMenuItem(file, "Print1", "Print");
  makeMenuItem(file, "Exit1", "Exit");
  layout->setMenuBar(menuBar);

  m_fvars = makeTable(this, "FvarGrid", m_fvarModel, false);
  m_codes = makeTable(this, "CodeGrid", m_codeModel, false);
  auto* grids = new QHBoxLayout;
  grids->addWidget(m_fvars, 1);
  grids->addWidget(m_codes, 4);
  layout->addLayout(grids, 1);

  auto* hint = new QLabel(toQString(workbench::fixingHint), this);
  hint->setObjectName(QStringLiteral("HintLabel"));
  layout->addWidget(hint);

  m_label = makeField(this, "LabelEdit", true);
  m_column = makeField(this, "ColumnEdit", true);
  m_code = makeField(this, "CodeEdit");
  m_fvar = makeField(this, "FvarEdit");
  m_valueBox = makeField(this, "ValueBox");
  m_doubleClick = makeCheckBox(this, "DoubleClickBox", "Apply this by double clicking");
  m_applyCode = makeButton(this, "ApplyCodeButton", "Apply This Value to the Selected Cell");
  m_addFvar = makeButton(this, "AddFvarButton", "Add This as a New FVAR");
  m_applyFvar = makeButton(this, "ApplyFvarButton", "Apply This to the Selected");
  m_multiFvars = makeButton(this, "MultiFvarButton", "Multi-Apply (Left Cells with ValueBox)");
  m_multiCodes = makeButton(this, "MultiCodeButton", "Multi-Apply (Right Cells with ValueBox)");

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("FVAR"), this), 0, 0);
  fields->addWidget(m_fvar, 0, 1);
  fields->addWidget(m_addFvar, 0, 2);
  fields->addWidget(m_applyFvar, 0, 3);
  fields->addWidget(new QLabel(QStringLiteral("Atom"), this), 1, 0);
  fields->addWidget(m_label, 1, 1);
  fields->addWidget(m_column, 1, 2);
  fields->addWidget(m_code, 1, 3);
  fields->addWidget(m_applyCode, 1, 4);
  fields->addWidget(m_doubleClick, 2, 0, 1, 2);
  fields->addWidget(new QLabel(QStringLiteral("ValueBox"), this), 2, 2);
  fields->addWidget(m_valueBox, 2, 3);
  fields->addWidget(m_multiFvars, 3, 2);
  fields->addWidget(m_multiCodes, 3, 3);
  layout->addLayout(fields);
  connectControls();
  resize(900, 520);
  refresh();
}

void FixingWindow::connectControls() {
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_freeVariables.window().visible) run([this] { m_freeVariables.closeWindow(); });
  });
  // The code grid's cells are (row, column) with the label column counted as the first code's.
  const auto cell = [this](int viewRow, int column) {
    return std::vector<std::string>{std::to_string(m_codeModel->gridRow(viewRow)),
                                    std::to_string(std::max(column, 1))};
  };
  setTableWords(QStringLiteral("CodeGrid"),
                {[this, cell]() -> std::vector<std::string> {
                   int top = 0, left = 0, bottom = 0, right = 0;
                   if (!selectedBlock(m_codes, top, left, bottom, right)) return {};
                   std::vector<std::string> words = cell(top, left);
                   for (std::string& word : cell(bottom, right))
                     words.push_back(std::move(word));
                   return words;
                 },
                 [cell](const QModelIndex& at) { return cell(at.row(), at.column()); }});
}

void FixingWindow::showState() {
  const workbench::FixingWindow& w = m_freeVariables.window();
  // A new grid drops the view's selection: the cells the window model holds are selected again.
  if (!(w.codeTable == m_codeModel->grid())) {
    m_codeModel->setGrid(w.codeTable);
    m_codes->resizeColumnsToContents();
    const QModelIndex topLeft = m_codeModel->index(w.codes.top - 1, w.codes.left);
    const QModelIndex bottomRight = m_codeModel->index(w.codes.bottom - 1, w.codes.right);
    m_codes->selectionModel()->select(QItemSelection(topLeft, bottomRight),
                                      QItemSelectionModel::ClearAndSelect);
  }
  if (!(w.fvarTable == m_fvarModel->grid())) {
    m_fvarModel->setGrid(w.fvarTable);
    m_fvars->resizeColumnsToContents();
    m_fvars->selectionModel()->select(QItemSelection(m_fvarModel->index(w.fvarTop - 1, 0),
                                                     m_fvarModel->index(w.fvarBottom - 1, 1)),
                                      QItemSelectionModel::ClearAndSelect);
  }
  showText(m_label, w.labelField);
  showText(m_column, w.columnField);
  showText(m_code, w.codeField);
  showText(m_fvar, w.fvarField);
  showText(m_valueBox, w.valueBox);
  showChecked(m_doubleClick, w.doubleClickMode);
  const bool single = !w.doubleClickMode;
  for (QWidget* control : {static_cast<QWidget*>(m_code), static_cast<QWidget*>(m_fvar),
                           static_cast<QWidget*>(m_label), static_cast<QWidget*>(m_column),
                           static_cast<QWidget*>(m_applyCode), static_cast<QWidget*>(m_addFvar),
                           static_cast<QWidget*>(m_applyFvar)}) {
    control->setEnabled(single);
  }
  for (QWidget* control : {static_cast<QWidget*>(m_valueBox), static_cast<QWidget*>(m_multiFvars),
                           static_cast<QWidget*>(m_multiCodes)}) {
    control->setEnabled(!single);
  }
}

HfixRulesWindow::HfixRulesWindow(workbench::FreeVariableCommands& freeVariables,
                                 WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm4", "HFIX Coding Rules", parent, &runner),
      m_freeVariables(freeVariables) {
  auto* layout = new QGridLayout(this);
  m_m = makeSpinBox(this, "SpinEditM", 1, 16);
  m_n = makeSpinBox(this, "SpinEditN", 1, 9);
  m_mText = new QLabel(this);
  m_mText->setObjectName(QStringLiteral("MLabel"));
  m_mText->setWordWrap(true);
  m_nText = new QLabel(this);
  m_nText->setObjectName(QStringLiteral("NLabel"));
  m_nText->setWordWrap(true);
  m_code = new QLabel(this);
  m_code->setObjectName(QStringLiteral("CodeLabel"));
  QPushButton* adopt = makeButton(this, "AdoptButton", "Adopt and Quit");
  layout->addWidget(new QLabel(QStringLiteral("m"), this), 0, 0);
  layout->addWidget(m_m, 0, 1);
  layout->addWidget(m_mText, 0, 2);
  layout->addWidget(new QLabel(QStringLiteral("n"), this), 1, 0);
  layout->addWidget(m_n, 1, 1);
  layout->addWidget(m_nText, 1, 2);
  layout->addWidget(m_code, 2, 0, 1, 2);
  layout->addWidget(adopt, 2, 2, Qt::AlignRight);
  layout->setColumnStretch(2, 1);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_freeVariables.hfixRulesVisible()) run([this] { m_freeVariables.closeHfixRules(); });
  });
  resize(640, 160);
  refresh();
}

void HfixRulesWindow::showState() {
  const workbench::HfixRulesWindow& rules = m_freeVariables.hfixRules();
  showValue(m_m, rules.m);
  showValue(m_n, rules.n);
  m_mText->setText(toQString(rules.mExplanation));
  m_nText->setText(toQString(rules.nExplanation));
  m_code->setText(toQString(rules.codeText));
}

}  // namespace tavo::app
