#include "app/qt_program_runner.h"

#include <signal.h>
#include <unistd.h>

#include <QTimer>

#include "app/qt_text.h"
#include "workbench/workbench.h"

namespace tavo::app {

QtProgramRunner::QtProgramRunner(workbench::Workbench& bench, QObject* parent)
    : QObject(parent), m_bench(bench) {}

QtProgramRunner::~QtProgramRunner() {
  // The program does not outlive the window: its group is killed.
  if (m_group > 0) ::kill(static_cast<pid_t>(-m_group), SIGKILL);
  if (m_process) {
    m_process->disconnect(this);
    m_process->waitForFinished(2000);
  }
}

qint64 QtProgramRunner::pid() const {
  return m_process ? m_process->processId() : 0;
}

void QtProgramRunner::deliver(const std::function<void()>& call) {
  if (m_listener) m_bench.run(call);
}

void QtProgramRunner::start(const workbench::ProgramLaunch& launch,
                            workbench::ProgramListener& listener) {
  m_listener = &listener;
  m_stopped = false;
  m_pending.clear();
  const std::filesystem::path program = workbench::findExecutable(launch.program);
  if (program.empty()) {
    listener.onFinished({workbench::ProgramEnd::NotStarted, -1,
                         launch.program.string() + " was not found or is not executable"});
    return;
  }
  m_process = new QProcess(this);
  m_process->setProcessChannelMode(QProcess::MergedChannels);
  m_process->setWorkingDirectory(toQString(launch.folder.string()));
  // A session of its own makes the program lead a process group that stop() can signal whole.
  m_process->setChildProcessModifier([] { ::setsid(); });
  QStringList arguments;
  for (const std::string& argument : launch.arguments)
    arguments << toQString(argument);
  connect(m_process, &QProcess::readyReadStandardOutput, this, [this] { readOutput(false); });
  connect(m_process, &QProcess::finished, this, &QtProgramRunner::finished);
  connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) failedToStart();
  });
  m_process->start(toQString(program.string()), arguments);
  m_group = m_process->processId();
}

void QtProgramRunner::readOutput(bool all) {
  if (!m_process) return;
  m_pending += m_process->readAllStandardOutput().toStdString();
  std::vector<std::string> lines = workbench::takeLines(m_pending, all);
  if (!lines.empty()) deliver([this, lines] { m_listener->onOutput(lines); });
}

void QtProgramRunner::finished(int exitCode, QProcess::ExitStatus exitStatus) {
  readOutput(true);
  workbench::ProgramStatus status{workbench::ProgramEnd::Exited, exitCode, ""};
  if (m_stopped) {
    status = {workbench::ProgramEnd::Stopped, -1, ""};
  } else if (exitStatus == QProcess::CrashExit) {
    status = {workbench::ProgramEnd::Crashed, -1, "it ended by a signal"};
  }
  // Whatever the program left behind in its group goes with it.
  if (m_group > 0) ::kill(static_cast<pid_t>(-m_group), SIGKILL);
  m_group = 0;
  if (m_kill) m_kill->stop();
  m_process->deleteLater();
  m_process = nullptr;
  deliver([this, status] { m_listener->onFinished(status); });
}

void QtProgramRunner::failedToStart() {
  if (!m_process) return;
  const std::string reason = toStd(m_process->errorString());
  m_process->deleteLater();
  m_process = nullptr;
  m_group = 0;
  deliver([this, reason] {
    m_listener->onFinished({workbench::ProgramEnd::NotStarted, -1, reason});
  });
}

void QtProgramRunner::stop() {
  if (!m_process || m_group <= 0) return;
  m_stopped = true;
  ::kill(static_cast<pid_t>(-m_group), SIGTERM);
  if (!m_kill) {
    m_kill = new QTimer(this);
    m_kill->setSingleShot(true);
    connect(m_kill, &QTimer::timeout, this, [this] {
      if (m_group > 0) ::kill(static_cast<pid_t>(-m_group), SIGKILL);
    });
  }
  m_kill->start(2000);
}

}  // namespace tavo::app
