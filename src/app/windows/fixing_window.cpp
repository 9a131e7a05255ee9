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
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

QLineEdit* field(const char* objectName, QWidget* parent, bool readOnly = false) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(objectName));
  edit->setReadOnly(readOnly);
  return edit;
}

QPushButton* button(const char* objectName, std::string_view caption, QWidget* parent) {
  auto* b = new QPushButton(toQString(caption), parent);
  b->setObjectName(QString::fromLatin1(objectName));
  return b;
}

QTableView* table(const char* objectName, GridModel* model, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setObjectName(QString::fromLatin1(objectName));
  view->setModel(model);
  view->verticalHeader()->hide();
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::ContiguousSelection);
  return view;
}

void setText(QLineEdit* edit, const std::string& text) {
  const QString shown = toQString(text);
  if (edit->text() == shown) return;
  const QSignalBlocker quiet(edit);
  edit->setText(shown);
}

// The rows and columns that the selected cells of `view` span; false when none is selected.
bool selectedBlock(const QTableView* view, int& top, int& left, int& bottom, int& right) {
  const QModelIndexList cells = view->selectionModel()->selectedIndexes();
  if (cells.isEmpty()) return false;
  top = left = INT_MAX;
  bottom = right = -1;
  for (const QModelIndex& cell : cells) {
    top = std::min(top, cell.row());
    bottom = std::max(bottom, cell.row());
    left = std::min(left, cell.column());
    right = std::max(right, cell.column());
  }
  return true;
}

}  // namespace

FixingWindow::FixingWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm23", "Handling Fixing Treatments and Free Variables", parent),
      m_bench(bench),
      m_codeModel(new GridModel(GridModel::Heading::FirstRow, this)),
      m_fvarModel(new GridModel(GridModel::Heading::FirstRow, this)) {
  auto* layout = new QVBoxLayout(this);
  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("File1"));
  m_print = file->addAction(QStringLiteral("Print"));
  m_print->setObjectName(QStringLiteral("Print1"));
  m_exit = file->addAction(QStringLiteral("Exit"));
  m_exit->setObjectName(QStringLiteral("Exit1"));
  layout->setMenuBar(menuBar);

  m_fvars = table("FvarGrid", m_fvarModel, this);
  m_codes = table("CodeGrid", m_codeModel, this);
  auto* grids = new QHBoxLayout;
  grids->addWidget(m_fvars, 1);
  grids->addWidget(m_codes, 4);
  layout->addLayout(grids, 1);

  auto* hint = new QLabel(toQString(workbench::fixingHint), this);
  hint->setObjectName(QStringLiteral("HintLabel"));
  layout->addWidget(hint);

  m_label = field("LabelEdit", this, true);
  m_column = field("ColumnEdit", this, true);
  m_code = field("CodeEdit", this);
  m_fvar = field("FvarEdit", this);
  m_valueBox = field("ValueBox", this);
  m_doubleClick = new QCheckBox(QStringLiteral("Apply this by double clicking"), this);
  m_doubleClick->setObjectName(QStringLiteral("DoubleClickBox"));
  m_applyCode = button("ApplyCodeButton", "Apply This Value to the Selected Cell", this);
  m_addFvar = button("AddFvarButton", "Add This as a New FVAR", this);
  m_applyFvar = button("ApplyFvarButton", "Apply This to the Selected", this);
  m_multiFvars = button("MultiFvarButton", "Multi-Apply (Left Cells with ValueBox)", this);
  m_multiCodes = button("MultiCodeButton", "Multi-Apply (Right Cells with ValueBox)", this);

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
  auto run = [this](auto command) {
    return [this, command] {
      if (m_refreshing) return;
      m_bench.run([this, command] { command(m_bench.freeVariables()); });
    };
  };
  using Commands = workbench::FreeVariableCommands;
  connect(m_print, &QAction::triggered, this, run([](Commands& c) { c.print(); }));
  connect(m_exit, &QAction::triggered, this, run([](Commands& c) { c.closeWindow(); }));
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.freeVariables().window().visible) {
      m_bench.run([this] { m_bench.freeVariables().closeWindow(); });
    }
  });
  connect(m_applyCode, &QPushButton::clicked, this, run([](Commands& c) { c.applyCode(); }));
  connect(m_addFvar, &QPushButton::clicked, this, run([](Commands& c) { c.addFreeVariable(); }));
  connect(m_applyFvar, &QPushButton::clicked, this,
          run([](Commands& c) { c.changeFreeVariable(); }));
  connect(m_multiFvars, &QPushButton::clicked, this,
          run([](Commands& c) { c.multiApplyFreeVariables(); }));
  connect(m_multiCodes, &QPushButton::clicked, this, run([](Commands& c) { c.multiApplyCodes(); }));
  connect(m_doubleClick, &QCheckBox::toggled, this, [this](bool on) {
    if (!m_refreshing) m_bench.run([this, on] { m_bench.freeVariables().setDoubleClickMode(on); });
  });
  const auto typed = [this](QLineEdit* edit, void (Commands::*set)(std::string)) {
    connect(edit, &QLineEdit::textEdited, this,
            [this, set](const QString& text) { (m_bench.freeVariables().*set)(toStd(text)); });
  };
  typed(m_code, &Commands::setCodeField);
  typed(m_fvar, &Commands::setFvarField);
  typed(m_valueBox, &Commands::setValueBox);
  connect(m_codes->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { selectCodes(); });
  connect(m_fvars->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { selectFvars(); });
  connect(m_codes, &QTableView::doubleClicked, this, [this](const QModelIndex& at) {
    if (m_refreshing) return;
    const int row = m_codeModel->gridRow(at.row());
    const int column = std::max(at.column(), 1);
    m_bench.run([this, row, column] { m_bench.freeVariables().doubleClickCode(row, column); });
  });
  connect(m_fvars, &QTableView::doubleClicked, this, [this](const QModelIndex& at) {
    if (m_refreshing) return;
    const int row = m_fvarModel->gridRow(at.row());
    m_bench.run([this, row] { m_bench.freeVariables().doubleClickFreeVariable(row); });
  });
}

void FixingWindow::selectCodes() {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (m_refreshing || !selectedBlock(m_codes, top, left, bottom, right)) return;
  m_bench.run([&] {
    m_bench.freeVariables().selectCodes(m_codeModel->gridRow(top), std::max(left, 1),
                                        m_codeModel->gridRow(bottom), std::max(right, 1));
  });
}

void FixingWindow::selectFvars() {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (m_refreshing || !selectedBlock(m_fvars, top, left, bottom, right)) return;
  m_bench.run([&] {
    m_bench.freeVariables().selectFvars(m_fvarModel->gridRow(top), m_fvarModel->gridRow(bottom));
  });
}

void FixingWindow::refresh() {
  const workbench::FixingWindow& w = m_bench.freeVariables().window();
  m_refreshing = true;
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
  setText(m_label, w.labelField);
  setText(m_column, w.columnField);
  setText(m_code, w.codeField);
  setText(m_fvar, w.fvarField);
  setText(m_valueBox, w.valueBox);
  m_doubleClick->setChecked(w.doubleClickMode);
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
  m_refreshing = false;
}

HfixRulesWindow::HfixRulesWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm4", "HFIX Coding Rules", parent), m_bench(bench) {
  auto* layout = new QGridLayout(this);
  m_m = new QSpinBox(this);
  m_m->setObjectName(QStringLiteral("SpinEditM"));
  m_m->setRange(1, 16);
  m_n = new QSpinBox(this);
  m_n->setObjectName(QStringLiteral("SpinEditN"));
  m_n->setRange(1, 9);
  m_mText = new QLabel(this);
  m_mText->setObjectName(QStringLiteral("MLabel"));
  m_mText->setWordWrap(true);
  m_nText = new QLabel(this);
  m_nText->setObjectName(QStringLiteral("NLabel"));
  m_nText->setWordWrap(true);
  m_code = new QLabel(this);
  m_code->setObjectName(QStringLiteral("CodeLabel"));
  auto* adopt = new QPushButton(QStringLiteral("Adopt and Quit"), this);
  adopt->setObjectName(QStringLiteral("AdoptButton"));
  layout->addWidget(new QLabel(QStringLiteral("m"), this), 0, 0);
  layout->addWidget(m_m, 0, 1);
  layout->addWidget(m_mText, 0, 2);
  layout->addWidget(new QLabel(QStringLiteral("n"), this), 1, 0);
  layout->addWidget(m_n, 1, 1);
  layout->addWidget(m_nText, 1, 2);
  layout->addWidget(m_code, 2, 0, 1, 2);
  layout->addWidget(adopt, 2, 2, Qt::AlignRight);
  layout->setColumnStretch(2, 1);
  connect(m_m, &QSpinBox::valueChanged, this,
          [this](int m) { m_bench.run([this, m] { m_bench.freeVariables().setHfixM(m); }); });
  connect(m_n, &QSpinBox::valueChanged, this,
          [this](int n) { m_bench.run([this, n] { m_bench.freeVariables().setHfixN(n); }); });
  connect(adopt, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.freeVariables().adoptHfixRules(); }); });
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.freeVariables().hfixRulesVisible()) {
      m_bench.run([this] { m_bench.freeVariables().closeHfixRules(); });
    }
  });
  resize(640, 160);
  refresh();
}

void HfixRulesWindow::refresh() {
  const workbench::HfixRulesWindow& rules = m_bench.freeVariables().hfixRules();
  {
    const QSignalBlocker quiet(m_m);
    m_m->setValue(rules.m);
  }
  {
    const QSignalBlocker quiet(m_n);
    m_n->setValue(rules.n);
  }
  m_mText->setText(toQString(rules.mExplanation));
  m_nText->setText(toQString(rules.nExplanation));
  m_code->setText(toQString(rules.codeText));
}

}  // namespace tavo::app
