// "Refinement Run" (the program's output, its cycles, a progress bar, Cancel, then the summary
// or the error lines), "Refinement History" (the runs, a plot of R1 and wR2, Compare, Restore)
// and "Refinement Program" (the program and its arguments): views of RefinementCommands.
#pragma once

#include <QWidget>

#include <vector>

#include "app/windows/auxiliary_window.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace tavo::workbench {
class RefinementCommands;
struct RefinementRunRecord;
}  // namespace tavo::workbench

namespace tavo::app {

class GridModel;
class WindowRunner;

class RefineRunWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  RefineRunWindow(workbench::RefinementCommands& refinement, WindowRunner& runner, QWidget* parent);
  void showState() override;

 private:
  workbench::RefinementCommands& m_refinement;
  QLabel* m_status = nullptr;           // RunStatus
  QPlainTextEdit* m_console = nullptr;  // ConsolePane
  GridModel* m_cycles = nullptr;        // CycleGrid
  QTableView* m_cycleTable = nullptr;
  QProgressBar* m_progress = nullptr;  // RunProgress
  GridModel* m_summary = nullptr;      // SummaryGrid
  QTableView* m_summaryTable = nullptr;
  QLabel* m_messages = nullptr;  // MessageLines
  QPushButton* m_cancel = nullptr;
  int m_consoleLines = 0;  // lines shown in the console so far
};

/// R1 and wR2 of every run with figures, one point per run, drawn with QPainter.
class RunPlot final : public QWidget {
  Q_OBJECT
 public:
  explicit RunPlot(QWidget* parent);
  void setRuns(std::vector<workbench::RefinementRunRecord> runs);
  QSize sizeHint() const override { return {420, 160}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<workbench::RefinementRunRecord> m_runs;
};

class RefineHistoryWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  RefineHistoryWindow(workbench::RefinementCommands& refinement, WindowRunner& runner,
                      QWidget* parent);
  void showState() override;

 private:
  workbench::RefinementCommands& m_refinement;
  GridModel* m_runs = nullptr;  // RunGrid
  QTableView* m_runTable = nullptr;
  RunPlot* m_plot = nullptr;              // RunPlot
  QLabel* m_comparisonCaption = nullptr;  // ComparisonCaption
  GridModel* m_comparison = nullptr;      // ComparisonGrid
  QTableView* m_comparisonTable = nullptr;
};

class RefineSettingsWindow final : public AuxiliaryWindow {
  Q_OBJECT
 public:
  RefineSettingsWindow(workbench::RefinementCommands& refinement, WindowRunner& runner,
                       QWidget* parent);
  void showState() override;

 private:
  workbench::RefinementCommands& m_refinement;
  QLineEdit* m_program = nullptr;    // ProgramPath
  QLineEdit* m_arguments = nullptr;  // ProgramArguments
  QLabel* m_found = nullptr;         // ProgramFound: where the program is found
};

}  // namespace tavo::app
