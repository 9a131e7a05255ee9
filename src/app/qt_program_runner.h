// The program runner of the Qt program: a QProcess in a session (and process group) of its own,
// its output delivered line by line from the event loop, so the window stays responsive.
#pragma once

#include <QObject>
#include <QProcess>

#include <string>

#include "workbench/program_runner.h"

class QTimer;

namespace tavo::workbench {
class Workbench;
}

namespace tavo::app {

class QtProgramRunner final : public QObject, public workbench::ProgramRunner {
  Q_OBJECT
 public:
  /// The listener's calls run through `bench`'s dispatcher, so a failure shows its message and
  /// the windows follow the run.
  QtProgramRunner(workbench::Workbench& bench, QObject* parent = nullptr);
  ~QtProgramRunner() override;

  void start(const workbench::ProgramLaunch& launch, workbench::ProgramListener& listener) override;
  /// SIGTERM to the program's group, SIGKILL after two seconds.
  void stop() override;
  bool running() const override { return m_process != nullptr; }
  /// The process id of the running program (its process group); 0 when none runs.
  qint64 pid() const;

 private:
  void readOutput(bool all);
  void finished(int exitCode, QProcess::ExitStatus exitStatus);
  void failedToStart();
  void deliver(const std::function<void()>& call);

  workbench::Workbench& m_bench;
  workbench::ProgramListener* m_listener = nullptr;
  QProcess* m_process = nullptr;
  QTimer* m_kill = nullptr;
  qint64 m_group = 0;
  bool m_stopped = false;
  std::string m_pending;
};

}  // namespace tavo::app
