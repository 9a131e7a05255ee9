#include "app/windows/refinement_windows.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "app/grid_model.h"
#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "workbench/refinement_commands.h"

namespace tavo::app {

namespace {

/// Shows `grid`; a growing table (the cycles) keeps its newest row in view.
void showGrid(GridModel* model, QTableView* table, const text::TextGrid& grid, bool newestInView) {
  if (model->grid() == grid) return;
  model->setGrid(grid);
  table->resizeColumnsToContents();
  if (newestInView) table->scrollToBottom();
}

QString joinedLines(const std::vector<std::string>& lines) {
  QStringList joined;
  for (const std::string& line : lines)
    joined << toQString(line);
  return joined.join(QLatin1Char('\n'));
}

}  // namespace

RefineRunWindow::RefineRunWindow(workbench::RefinementCommands& refinement, WindowRunner& runner,
                                 QWidget* parent)
    : AuxiliaryWindow("RefineRun", "Refinement Run", parent, &runner), m_refinement(refinement) {
  m_status = new QLabel(this);
  m_status->setObjectName(QStringLiteral("RunStatus"));
  m_status->setWordWrap(true);
  m_progress = new QProgressBar(this);
  m_progress->setObjectName(QStringLiteral("RunProgress"));
  m_progress->setFormat(QStringLiteral("cycle %v of %m"));
  m_console = makeTextPane(this, "ConsolePane", true);
  m_console->setMaximumBlockCount(20000);
  m_cycles = new GridModel(GridModel::Heading::FirstRow, this);
  m_cycleTable = makeTable(this, "CycleGrid", m_cycles, true);
  m_summary = new GridModel(GridModel::Heading::FirstRow, this);
  m_summaryTable = makeTable(this, "SummaryGrid", m_summary, true);
  m_messages = new QLabel(this);
  m_messages->setObjectName(QStringLiteral("MessageLines"));
  m_messages->setWordWrap(true);
  m_messages->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_messages->setFont(fixedFont());

  auto* buttons = new QHBoxLayout;
  m_cancel = makeButton(this, "Cancel", "Cancel");
  buttons->addWidget(m_cancel);
  buttons->addStretch();
  buttons->addWidget(makeButton(this, "Close", "Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_status);
  layout->addWidget(m_progress);
  layout->addWidget(m_console, 3);
  layout->addWidget(new QLabel(QStringLiteral("Least-squares cycles"), this));
  layout->addWidget(m_cycleTable, 2);
  layout->addWidget(m_summaryTable, 2);
  layout->addWidget(m_messages);
  layout->addLayout(buttons);

  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_refinement.runWindow().visible) run([this] { m_refinement.closeRunWindow(); });
  });
  resize(760, 820);
  refresh();
}

void RefineRunWindow::showState() {
  const workbench::RefinementRunWindow& w = m_refinement.runWindow();
  m_status->setText(toQString(w.status));
  // The console grows by the lines that came since the last refresh.
  const int count = static_cast<int>(w.console.size());
  if (count < m_consoleLines) {
    m_console->clear();
    m_consoleLines = 0;
  }
  for (; m_consoleLines < count; ++m_consoleLines)
    m_console->appendPlainText(toQString(w.console[static_cast<std::size_t>(m_consoleLines)]));
  const bool running = w.phase == workbench::RunPhase::Running;
  m_progress->setMaximum(std::max({w.cyclesPlanned, w.cyclesDone, 1}));
  m_progress->setValue(w.cyclesDone);
  showGrid(m_cycles, m_cycleTable, w.cycles, true);
  showGrid(m_summary, m_summaryTable, w.summary, false);
  m_summaryTable->setVisible(w.phase == workbench::RunPhase::Succeeded);
  m_messages->setText(joinedLines(w.messages));
  m_messages->setStyleSheet(
      w.phase == workbench::RunPhase::Succeeded ? QString() : QStringLiteral("color: #b00000;"));
  m_cancel->setEnabled(running);
}

RunPlot::RunPlot(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("RunPlot"));
  setMinimumHeight(140);
}

void RunPlot::setRuns(std::vector<workbench::RefinementRunRecord> runs) {
  m_runs = std::move(runs);
  update();
}

void RunPlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const QRect area = rect().adjusted(44, 10, -10, -24);
  painter.setPen(Qt::gray);
  painter.drawRect(area);
  double top = 0;
  for (const workbench::RefinementRunRecord& r : m_runs)
    top = std::max({top, r.r1Gt.value_or(0), r.wR2.value_or(0)});
  if (top <= 0 || m_runs.empty()) {
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("No run with figures yet"));
    return;
  }
  top *= 1.1;
  const int n = static_cast<int>(m_runs.size());
  const auto at = [&](int i, double value) {
    const double x =
        n == 1 ? area.center().x() : area.left() + area.width() * static_cast<double>(i) / (n - 1);
    return QPointF(x, area.bottom() - area.height() * value / top);
  };
  painter.setPen(Qt::black);
  painter.drawText(QRect(0, area.top() - 6, 40, 14), Qt::AlignRight, QString::number(top, 'f', 3));
  painter.drawText(QRect(0, area.bottom() - 8, 40, 14), Qt::AlignRight, QStringLiteral("0"));
  for (int i = 0; i < n; ++i)
    painter.drawText(QRectF(at(i, 0).x() - 20, area.bottom() + 4, 40, 14), Qt::AlignCenter,
                     QString::number(i + 1));
  const struct {
    std::optional<double> workbench::RefinementRunRecord::*figure;
    QColor color;
    const char* name;
  } series[] = {{&workbench::RefinementRunRecord::r1Gt, QColor(0, 90, 200), "R1"},
                {&workbench::RefinementRunRecord::wR2, QColor(200, 60, 0), "wR2"}};
  int legend = 0;
  for (const auto& s : series) {
    painter.setPen(QPen(s.color, 2));
    QPainterPath path;
    bool started = false;
    for (int i = 0; i < n; ++i) {
      const std::optional<double>& value = m_runs[static_cast<std::size_t>(i)].*(s.figure);
      if (!value) continue;
      const QPointF p = at(i, *value);
      painter.drawEllipse(p, 3, 3);
      if (started)
        path.lineTo(p);
      else
        path.moveTo(p);
      started = true;
    }
    painter.drawPath(path);
    painter.drawText(area.right() - 50, area.top() + 14 + 14 * legend++,
                     QString::fromLatin1(s.name));
  }
}

RefineHistoryWindow::RefineHistoryWindow(workbench::RefinementCommands& refinement,
                                         WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("RefineHistory", "Refinement History", parent, &runner),
      m_refinement(refinement) {
  m_runs = new GridModel(GridModel::Heading::FirstRow, this);
  m_runTable = makeTable(this, "RunGrid", m_runs, true);
  m_plot = new RunPlot(this);
  m_comparisonCaption = new QLabel(this);
  m_comparisonCaption->setObjectName(QStringLiteral("ComparisonCaption"));
  m_comparisonCaption->setWordWrap(true);
  m_comparison = new GridModel(GridModel::Heading::FirstRow, this);
  m_comparisonTable = makeTable(this, "ComparisonGrid", m_comparison, true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(makeButton(this, "Compare", "Compare"));
  buttons->addWidget(makeButton(this, "Restore", "Restore"));
  buttons->addStretch();
  buttons->addWidget(makeButton(this, "Close", "Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_runTable, 2);
  layout->addWidget(m_plot, 2);
  layout->addWidget(m_comparisonCaption);
  layout->addWidget(m_comparisonTable, 2);
  layout->addLayout(buttons);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_refinement.historyWindow().visible) run([this] { m_refinement.closeHistory(); });
  });
  resize(760, 640);
  refresh();
}

void RefineHistoryWindow::showState() {
  const workbench::RefinementHistoryWindow& w = m_refinement.historyWindow();
  if (m_runs->grid() != w.runs) {
    m_runs->setGrid(w.runs);
    m_runTable->resizeColumnsToContents();
    m_plot->setRuns(m_refinement.history());
  }
  m_comparisonCaption->setText(toQString(w.comparisonCaption));
  if (m_comparison->grid() != w.comparison) {
    m_comparison->setGrid(w.comparison);
    m_comparisonTable->resizeColumnsToContents();
  }
}

RefineSettingsWindow::RefineSettingsWindow(workbench::RefinementCommands& refinement,
                                           WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("RefineSettings", "Refinement Program", parent, &runner),
      m_refinement(refinement) {
  m_program = makeFinishedField(this, "ProgramPath", 360);
  m_arguments = makeFinishedField(this, "ProgramArguments", 360);
  m_found = new QLabel(this);
  m_found->setObjectName(QStringLiteral("ProgramFound"));
  m_found->setWordWrap(true);
  auto* fields = new QGridLayout;
  addLabelled(fields, 0, 0, QStringLiteral("Program"), m_program);
  fields->addWidget(makeButton(this, "Browse", "Browse..."), 0, 2);
  addLabelled(fields, 1, 0, QStringLiteral("Arguments"), m_arguments);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(makeButton(this, "Save", "Save"));
  buttons->addWidget(makeButton(this, "Close", "Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(m_found);
  layout->addWidget(new QLabel(
      QStringLiteral("Refine runs: PROGRAM ARGUMENTS NAME, in the folder of NAME.ins."), this));
  layout->addLayout(buttons);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_refinement.settingsWindow().visible) run([this] { m_refinement.closeSettings(); });
  });
  refresh();
}

void RefineSettingsWindow::showState() {
  const workbench::RefinementSettings& s = m_refinement.settings();
  showText(m_program, s.program);
  showText(m_arguments, s.arguments);
  const std::string program = m_refinement.effectiveProgram();
  const std::filesystem::path found = workbench::findExecutable(program);
  const QString overridden =
      program == s.program ? QString() : QStringLiteral("TAVO_REFINE_PROGRAM names the program. ");
  m_found->setText(overridden + (found.empty()
                                     ? toQString(workbench::programNotFoundMessage(program))
                                     : QStringLiteral("Runs ") + toQString(found.string())));
}

}  // namespace tavo::app
