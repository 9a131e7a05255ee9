// What a window needs of the program besides its feature: running a command through the
// dispatcher (a UserError shows its message) and operating one declared control of a window,
// the way a script line does.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::workbench {
class Workbench;
}

namespace tavo::app {

class WindowRunner {
 public:
  virtual ~WindowRunner() = default;
  /// Runs `command`; true when it ran to its end (its error has been shown otherwise).
  virtual bool run(const std::function<void()>& command) = 0;
  /// Does in the window `window` what `words` say: the control's name, then its values.
  virtual bool operate(std::string_view window, const std::vector<std::string>& words) = 0;
};

/// The runner of the program: the Workbench's dispatcher and its declared windows.
class WorkbenchRunner final : public WindowRunner {
 public:
  explicit WorkbenchRunner(workbench::Workbench& bench) : m_bench(bench) {}
  bool run(const std::function<void()>& command) override;
  bool operate(std::string_view window, const std::vector<std::string>& words) override;

 private:
  workbench::Workbench& m_bench;
};

}  // namespace tavo::app
