// The port through which the workbench runs an outside program (the refinement program): start
// it with arguments in a folder, receive its output (stdout and stderr merged) as lines, stop it
// together with the processes it started, and learn how it ended.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tavo::workbench {

/// What to start.
struct ProgramLaunch {
  std::filesystem::path program;       // a path, or a name looked up on PATH
  std::vector<std::string> arguments;  // after the program's name
  std::filesystem::path folder;        // the working directory of the program
};

/// How a program ended.
enum class ProgramEnd {
  Exited,      // it ended by itself; `exitCode` says how
  Crashed,     // it was killed by a signal it did not get from us
  Stopped,     // we stopped it (Cancel)
  TimedOut,    // we stopped it because it ran longer than allowed
  NotStarted,  // it could not be started; `message` says why
};

struct ProgramStatus {
  ProgramEnd end = ProgramEnd::Exited;
  int exitCode = 0;
  std::string message;  // why it could not be started, or the signal that ended it
  bool succeeded() const { return end == ProgramEnd::Exited && exitCode == 0; }
};

/// Receives what a running program does. The runner calls it on the thread that started it.
class ProgramListener {
 public:
  virtual ~ProgramListener() = default;
  /// Whole lines of output, without their line feeds, in order.
  virtual void onOutput(const std::vector<std::string>& lines) = 0;
  /// The program has ended (after its last output); called once per start.
  virtual void onFinished(const ProgramStatus& status) = 0;
};

/// Runs one program at a time. An implementation may return from start() at once (the Qt
/// program, whose event loop delivers the output) or only once the program has ended (tavo-cli).
class ProgramRunner {
 public:
  virtual ~ProgramRunner() = default;
  /// Starts `launch`; every output line and the end go to `listener`. A program that cannot be
  /// started ends with ProgramEnd::NotStarted through the listener, not by an exception.
  virtual void start(const ProgramLaunch& launch, ProgramListener& listener) = 0;
  /// Stops the running program and every process of its group: SIGTERM, then SIGKILL after a
  /// short grace. The end is reported as ProgramEnd::Stopped. Nothing happens when none runs.
  virtual void stop() = 0;
  virtual bool running() const = 0;
};

/// The program of `launch` looked up as a shell does: a name without '/' is searched on PATH.
/// Empty when it is not found or is not executable.
std::filesystem::path findExecutable(const std::filesystem::path& program);

/// The complete lines at the front of `pending` (a trailing CR dropped), taken out of it; with
/// `all`, the unfinished rest as well.
std::vector<std::string> takeLines(std::string& pending, bool all);

}  // namespace tavo::workbench
