// tavo-cli save: open a file and save it as the workbench's Save does.
#include "cli/save_command.h"

#include <iostream>

#include "cli/arguments.h"
#include "cli/structure_loading.h"
#include "model/instruction_reader.h"
#include "model/instruction_writer.h"
#include "model/load_checks.h"
#include "text/errors.h"

namespace tavo::cli {

int runSaveCommand(const std::vector<std::string>& args) {
  const Arguments arguments = parseArguments(args, {}, {"--program-folder"});
  if (arguments.positional.size() != 1) {
    std::cerr << "usage: tavo-cli save FILE [--program-folder DIR]\n";
    return 2;
  }
  model::StructureModel structure;
  ConsoleDialogs dialogs;
  if (!openStructure(structure, arguments.positional[0],
                     programFolderFrom(arguments.option("--program-folder")), dialogs)) {
    for (const std::string& m : dialogs.shown)
      std::cerr << m << '\n';
    return 1;
  }
  for (const std::string& m : dialogs.shown)
    std::cerr << m << '\n';
  dialogs.shown.clear();
  SystemClock clock;
  try {
    const std::filesystem::path written = model::saveInstructionFile(structure, clock, dialogs);
    model::checkDuplicateLabels(structure, dialogs);
    for (const std::string& m : dialogs.shown)
      std::cerr << m << '\n';
    std::cout << written.string() << '\n';
    return 0;
  } catch (const UserError& e) {
    for (const std::string& m : dialogs.shown)
      std::cerr << m << '\n';
    std::cerr << e.what() << '\n';
    return 1;
  }
}

}  // namespace tavo::cli
