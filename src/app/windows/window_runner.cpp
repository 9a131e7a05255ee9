// The program's window runner: the Workbench does the work.
#include "app/windows/window_runner.h"

#include "workbench/workbench.h"

namespace tavo::app {

bool WorkbenchRunner::run(const std::function<void()>& command) {
  return m_bench.run(command);
}

bool WorkbenchRunner::operate(std::string_view window, const std::vector<std::string>& words) {
  return m_bench.operateWindow(window, words);
}

}  // namespace tavo::app
