// Running a program with fork/exec: it leads a process group of its own so that stopping it
// reaches the processes it started too.
#include "workbench/posix_program_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include "text/text.h"

namespace tavo::workbench {

namespace fs = std::filesystem;

fs::path findExecutable(const fs::path& program) {
  if (program.empty()) return {};
  const auto executable = [](const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
  };
  if (program.string().find('/') != std::string::npos)
    return executable(program) ? fs::absolute(program) : fs::path{};
  const char* path = std::getenv("PATH");
  if (!path) return {};
  const std::string folders = path;
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const fs::path folder = folders.substr(start, end - start);
    if (!folder.empty() && executable(folder / program)) return folder / program;
    start = end + 1;
  }
  return {};
}

PosixProgramRunner::PosixProgramRunner(double timeoutSeconds, std::function<void()> tick,
                                       int tickMilliseconds)
    : m_timeoutSeconds(timeoutSeconds),
      m_tick(std::move(tick)),
      m_tickMilliseconds(tickMilliseconds) {}

std::vector<std::string> takeLines(std::string& pending, bool all) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = pending.find('\n'); end != std::string::npos;
       end = pending.find('\n', start)) {
    std::string line = pending.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  pending.erase(0, start);
  if (all && !pending.empty()) lines.push_back(std::exchange(pending, {}));
  return lines;
}

void PosixProgramRunner::deliver(ProgramListener& listener, bool all) {
  const std::vector<std::string> lines = takeLines(m_pending, all);
  if (!lines.empty()) listener.onOutput(lines);
}

int PosixProgramRunner::terminateGroup() {
  ::kill(-m_pid, SIGTERM);
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(static_cast<int>(m_graceSeconds * 1000));
  bool reaped = false;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!reaped && ::waitpid(m_pid, &status, WNOHANG) == m_pid) reaped = true;
    // The group is gone once no process of it is left (the leader reaped, its children ended).
    if (reaped && ::kill(-m_pid, 0) != 0) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::kill(-m_pid, SIGKILL);
  if (!reaped) ::waitpid(m_pid, &status, 0);
  return status;
}

void PosixProgramRunner::start(const ProgramLaunch& launch, ProgramListener& listener) {
  m_stopRequested = false;
  m_pending.clear();
  const fs::path program = findExecutable(launch.program);
  if (program.empty()) {
    listener.onFinished({ProgramEnd::NotStarted, -1,
                         launch.program.string() + " was not found or is not executable"});
    return;
  }
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) {
    listener.onFinished({ProgramEnd::NotStarted, -1, std::strerror(errno)});
    return;
  }
  std::vector<std::string> words{program.string()};
  words.insert(words.end(), launch.arguments.begin(), launch.arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  const std::string folder = launch.folder.string();
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    listener.onFinished({ProgramEnd::NotStarted, -1, std::strerror(errno)});
    return;
  }
  if (pid == 0) {
    // The child: only async-signal-safe calls from here on.
    ::setpgid(0, 0);
    ::dup2(pipeEnds[1], STDOUT_FILENO);
    ::dup2(pipeEnds[1], STDERR_FILENO);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(126);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::setpgid(pid, pid);  // also here, so that a stop right away reaches the group
  ::close(pipeEnds[1]);
  m_pid = pid;
  const int out = pipeEnds[0];
  const auto started = std::chrono::steady_clock::now();
  ProgramEnd end = ProgramEnd::Exited;
  int status = 0;
  bool ended = false;
  char buffer[4096];
  while (!ended) {
    pollfd watched{out, POLLIN, 0};
    const int ready = ::poll(&watched, 1, m_tickMilliseconds);
    if (ready > 0) {
      const ssize_t n = ::read(out, buffer, sizeof buffer);
      if (n > 0) {
        m_pending.append(buffer, static_cast<std::size_t>(n));
        deliver(listener, false);
      } else if (n == 0 || errno != EINTR) {
        // End of output: the program (and whatever held the pipe) closed it.
        ::waitpid(pid, &status, 0);
        ended = true;
      }
    } else if (::waitpid(pid, &status, WNOHANG) == pid) {
      // The program ended while a process it left behind still holds the pipe open.
      ended = true;
    }
    if (ended) break;
    if (m_tick) m_tick();
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const bool late = m_timeoutSeconds > 0 && elapsed > m_timeoutSeconds;
    if (m_stopRequested || late) {
      end = late && !m_stopRequested ? ProgramEnd::TimedOut : ProgramEnd::Stopped;
      status = terminateGroup();
      ended = true;
    }
  }
  // What is still in the pipe, without waiting for a straggler to close it.
  ::fcntl(out, F_SETFL, ::fcntl(out, F_GETFL) | O_NONBLOCK);
  for (ssize_t n = ::read(out, buffer, sizeof buffer); n > 0;
       n = ::read(out, buffer, sizeof buffer))
    m_pending.append(buffer, static_cast<std::size_t>(n));
  ::close(out);
  deliver(listener, true);
  m_pid = 0;
  ProgramStatus result{end, 0, ""};
  if (end == ProgramEnd::Exited) {
    if (WIFEXITED(status)) {
      result.exitCode = WEXITSTATUS(status);
      if (result.exitCode == 127) result.message = program.string() + " could not be run";
    } else if (WIFSIGNALED(status)) {
      result.end = ProgramEnd::Crashed;
      result.exitCode = -1;
      result.message = std::string("ended by signal ") + std::to_string(WTERMSIG(status));
    }
  } else {
    result.exitCode = -1;
  }
  listener.onFinished(result);
}

}  // namespace tavo::workbench
