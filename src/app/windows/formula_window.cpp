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
#include "app/windows/widget_helpers.h"

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

}  // namespace

FormulaWindow::FormulaWindow(workbench::FormulaCommands& formula, WindowRunner& runner,
                             QWidget* parent)
    : AuxiliaryWindow("TForm3", "Chemical Formula", parent, &runner), m_formula(formula) {
  auto* menu = new QMenuBar(this);
  makeMenuItem(menu, "Exit1", "Exit");

  auto* elements = new QGridLayout;
  elements->setVerticalSpacing(2);
  const std::vector<std::string>& headings = formula.window().elements.row(0);
  for (std::size_t column = 0; column < headings.size(); ++column) {
    elements->addWidget(new QLabel(toQString(headings[column]), this), 0, static_cast<int>(column));
  }
  for (int k = 0; k < workbench::formulaElementRows; ++k) {
    Row& row = m_rows[static_cast<std::size_t>(k)];
    const std::string number = std::to_string(k + 1);
    row.symbol = makeField(this, "Elem" + number, true, 44);
    row.unit = makeField(this, "Unit" + number, false, 80);
    row.percent = makeField(this, "Percent" + number, true, 80);
    elements->addWidget(row.symbol, k + 1, 0);
    elements->addWidget(row.unit, k + 1, 1);
    elements->addWidget(row.percent, k + 1, 2);
  }
  elements->setRowStretch(workbench::formulaElementRows + 1, 1);

  auto* figureGrid = new QGridLayout;
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const int line = static_cast<int>(i);
    figureGrid->addWidget(new QLabel(QString::fromLatin1(figures[i].label), this), line, 0);
    m_figures[i] = makeField(this, figures[i].objectName, true, 90);
    figureGrid->addWidget(m_figures[i], line, 1);
  }
  m_newElement = makeField(this, "NewElem", false, 90);
  figureGrid->addWidget(new QLabel(QStringLiteral("Element"), this),
                        static_cast<int>(figures.size()), 0);
  figureGrid->addWidget(m_newElement, static_cast<int>(figures.size()), 1);
  const std::array<std::pair<const char*, const char*>, 4> buttons = {{
      {"AddElem", "Add Elem"},
      {"DelElem", "Del Elem"},
      {"Calculate", "Calculate"},
      {"Update", "Update"},
  }};
  int line = static_cast<int>(figures.size()) + 1;
  for (const auto& [objectName, caption] : buttons)
    figureGrid->addWidget(makeButton(this, objectName, caption), line++, 0, 1, 2);
  figureGrid->setRowStretch(line, 1);

  auto* layout = new QHBoxLayout(this);
  layout->setMenuBar(menu);
  layout->addLayout(elements);
  layout->addLayout(figureGrid);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_formula.window().visible) run([this] { m_formula.exit(); });
  });
  refresh();
}

void FormulaWindow::showState() {
  const workbench::FormulaWindow& w = m_formula.window();
  for (int k = 1; k <= workbench::formulaElementRows; ++k) {
    const Row& row = m_rows[static_cast<std::size_t>(k - 1)];
    const std::vector<std::string>& texts = w.elements.row(k);
    showText(row.symbol, texts[workbench::FormulaWindow::Symbol]);
    showText(row.unit, texts[workbench::FormulaWindow::Unit]);
    showText(row.percent, texts[workbench::FormulaWindow::WeightPercent]);
    const bool shown = k <= w.shownRows;
    for (QLineEdit* edit : {row.symbol, row.unit, row.percent}) {
      edit->setEnabled(shown);
      edit->setVisible(shown);
    }
  }
  const std::array<const std::string*, 10> texts = {
      &w.formulaWeight, &w.a, &w.b, &w.c, &w.alpha, &w.beta, &w.gamma, &w.volume, &w.density, &w.z};
  for (std::size_t i = 0; i < texts.size(); ++i)
    showText(m_figures[i], *texts[i]);
  showText(m_newElement, w.newElement);
}

QSize FormulaWindow::preferredSize(const QSize& mainSize, int) const {
  return sizeHint().boundedTo(mainSize);
}

}  // namespace tavo::app
