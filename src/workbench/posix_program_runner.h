// The program runner of tavo-cli and the tests: fork and exec in a process group of its own, the
// output read through a pipe with poll, and start() returning once the program has ended.
#pragma once

#include <functional>
#include <string>

#include "workbench/program_runner.h"

namespace tavo::workbench {

class PosixProgramRunner final : public ProgramRunner {
 public:
  /// `timeoutSeconds` > 0 stops a program that runs longer (ProgramEnd::TimedOut). `tick`, when
  /// given, is called about every `tickMilliseconds` while the program runs: it may call stop().
  explicit PosixProgramRunner(double timeoutSeconds = 0, std::function<void()> tick = {},
                              int tickMilliseconds = 50);
  void setTimeout(double seconds) { m_timeoutSeconds = seconds; }
  /// Seconds between SIGTERM and SIGKILL.
  void setGrace(double seconds) { m_graceSeconds = seconds; }

  void start(const ProgramLaunch& launch, ProgramListener& listener) override;
  void stop() override { m_stopRequested = true; }
  bool running() const override { return m_pid > 0; }
  /// The process id of the running program (its process group); 0 when none runs.
  int pid() const { return m_pid; }

 private:
  /// Sends SIGTERM to the group, waits for the leader up to the grace, then SIGKILL.
  int terminateGroup();
  void deliver(ProgramListener& listener, bool all);

  double m_timeoutSeconds = 0;
  double m_graceSeconds = 2;
  std::function<void()> m_tick;
  int m_tickMilliseconds = 50;
  bool m_stopRequested = false;
  int m_pid = 0;
  std::string m_pending;  // output read but not yet ended by a line feed
};

}  // namespace tavo::workbench
