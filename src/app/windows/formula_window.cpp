// The Chemical Formula window: shows the window model and forwards typing and buttons.
#include "app/windows/formula_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

struct Figure {
  const char* objectName;
  const char* label;
};

constexpr std::array<Figure, 10> figures = {{
    {"FormulaWeight", "fw"},
    {"CellA", "a="},
    {"CellB", "b="},
    {"CellC", "c="},
    {"CellAlpha", "alpha="},
    {"CellBeta", "beta="},
    {"CellGamma", "gamma="},
    {"Volume", "V="},
    {"Density", "d="},
    {"Z", "Z="},
}};

QLineEdit* field(QWidget* parent, const QString& objectName, bool readOnly, int width) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(objectName);
  edit->setReadOnly(readOnly);
  edit->setFixedWidth(width);
  return edit;
}

void setText(QLineEdit* edit, const std::string& text) {
  const QString shown = toQString(text);
  if (edit->text() == shown) return;
  const QSignalBlocker quiet(edit);
  edit->setText(shown);
}

}  // namespace

FormulaWindow::FormulaWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm3", "Chemical Formula", parent), m_bench(bench) {
  auto* menu = new QMenuBar(this);
  QAction* exit = menu->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("Exit1"));

  auto* elements = new QGridLayout;
  elements->setVerticalSpacing(2);
  const std::vector<std::string>& headings = bench.formulaCommands().window().elements.row(0);
  for (std::size_t column = 0; column < headings.size(); ++column) {
    elements->addWidget(new QLabel(toQString(headings[column]), this), 0, static_cast<int>(column));
  }
  for (int k = 0; k < workbench::formulaElementRows; ++k) {
    Row& row = m_rows[static_cast<std::size_t>(k)];
    row.symbol = field(this, QStringLiteral("Elem%1").arg(k + 1), true, 44);
    row.unit = field(this, QStringLiteral("Unit%1").arg(k + 1), false, 80);
    row.percent = field(this, QStringLiteral("Percent%1").arg(k + 1), true, 80);
    elements->addWidget(row.symbol, k + 1, 0);
    elements->addWidget(row.unit, k + 1, 1);
    elements->addWidget(row.percent, k + 1, 2);
    connect(row.unit, &QLineEdit::textEdited, this, [this, k](const QString& text) {
      m_bench.formulaCommands().setUnitText(k + 1, toStd(text));
    });
  }
  elements->setRowStretch(workbench::formulaElementRows + 1, 1);

  auto* figureGrid = new QGridLayout;
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const int line = static_cast<int>(i);
    figureGrid->addWidget(new QLabel(QString::fromLatin1(figures[i].label), this), line, 0);
    m_figures[i] = field(this, QString::fromLatin1(figures[i].objectName), true, 90);
    figureGrid->addWidget(m_figures[i], line, 1);
  }
  m_newElement = field(this, QStringLiteral("NewElem"), false, 90);
  figureGrid->addWidget(new QLabel(QStringLiteral("Element"), this),
                        static_cast<int>(figures.size()), 0);
  figureGrid->addWidget(m_newElement, static_cast<int>(figures.size()), 1);
  connect(m_newElement, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_bench.formulaCommands().setNewElementText(toStd(text));
  });
  const std::array<std::pair<const char*, void (workbench::FormulaCommands::*)()>, 4> buttons = {{
      {"Add Elem", &workbench::FormulaCommands::addElement},
      {"Del Elem", &workbench::FormulaCommands::deleteElement},
      {"Calculate", &workbench::FormulaCommands::calculate},
      {"Update", &workbench::FormulaCommands::update},
  }};
  int line = static_cast<int>(figures.size()) + 1;
  for (const auto& [caption, command] : buttons) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(caption).remove(QLatin1Char(' ')));
    figureGrid->addWidget(button, line++, 0, 1, 2);
    connect(button, &QPushButton::clicked, this, [this, command = command] { run(command); });
  }
  figureGrid->setRowStretch(line, 1);

  auto* layout = new QHBoxLayout(this);
  layout->setMenuBar(menu);
  layout->addLayout(elements);
  layout->addLayout(figureGrid);
  connect(exit, &QAction::triggered, this, &QWidget::close);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.formulaCommands().window().visible) run(&workbench::FormulaCommands::exit);
  });
  refresh();
}

void FormulaWindow::run(void (workbench::FormulaCommands::*command)()) {
  m_bench.run([this, command] { (m_bench.formulaCommands().*command)(); });
}

void FormulaWindow::refresh() {
  const workbench::FormulaWindow& w = m_bench.formulaCommands().window();
  for (int k = 1; k <= workbench::formulaElementRows; ++k) {
    const Row& row = m_rows[static_cast<std::size_t>(k - 1)];
    const std::vector<std::string>& texts = w.elements.row(k);
    setText(row.symbol, texts[workbench::FormulaWindow::Symbol]);
    setText(row.unit, texts[workbench::FormulaWindow::Unit]);
    setText(row.percent, texts[workbench::FormulaWindow::WeightPercent]);
    const bool shown = k <= w.shownRows;
    for (QLineEdit* edit : {row.symbol, row.unit, row.percent}) {
      edit->setEnabled(shown);
      edit->setVisible(shown);
    }
  }
  const std::array<const std::string*, 10> texts = {
      &w.formulaWeight, &w.a, &w.b, &w.c, &w.alpha, &w.beta, &w.gamma, &w.volume, &w.density, &w.z};
  for (std::size_t i = 0; i < texts.size(); ++i)
    setText(m_figures[i], *texts[i]);
  setText(m_newElement, w.newElement);
}

QSize FormulaWindow::preferredSize(const QSize& mainSize, int) const {
  return sizeHint().boundedTo(mainSize);
}

}  // namespace tavo::app
