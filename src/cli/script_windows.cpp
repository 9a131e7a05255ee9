// The auxiliary windows in a run script: one loop over the window declarations.
#include "cli/script_windows.h"

#include <ostream>

#include "text/errors.h"
#include "workbench/workbench.h"

namespace tavo::cli {

void runWindowCommand(workbench::Workbench& bench, const std::vector<std::string>& words,
                      std::ostream& out) {
  if (words.size() < 3) throw UserError("window takes a window name and what to do in it");
  std::vector<std::string> printed;
  const std::vector<std::string> rest(words.begin() + 2, words.end());
  if (!bench.operateWindow(words[1], rest, &printed)) throw UserError("the command failed");
  for (const std::string& line : printed)
    out << line << '\n';
}

}  // namespace tavo::cli
