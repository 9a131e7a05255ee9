// tavo-cli save: open a file and save it through the workbench's Save.
#include "cli/save_command.h"

#include <iostream>

#include "cli/arguments.h"
#include "cli/headless_session.h"

namespace tavo::cli {

int runSaveCommand(const std::vector<std::string>& args) {
  const Arguments arguments = parseArguments(args, {}, {"--program-folder"});
  if (arguments.positional.size() != 1) {
    std::cerr << "usage: tavo-cli save FILE [--program-folder DIR]\n";
    return 2;
  }
  ConsoleDialogs dialogs;
  NullCanvas canvas;
  HeadlessSession session(dialogs, canvas, programFolderFrom(arguments.option("--program-folder")),
                          SessionUse::Edit);
  workbench::Workbench& bench = session.bench();
  const bool saved =
      session.open(arguments.positional[0]) && bench.run([&] { bench.fileCommands().save(); });
  for (const std::string& m : dialogs.shown)
    std::cerr << m << '\n';
  if (!saved) return 1;
  std::cout << bench.structure().currentFile << '\n';
  return 0;
}

}  // namespace tavo::cli
