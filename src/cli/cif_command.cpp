// tavo-cli cif: the CIF of a structure from the template, SHELXL's CIF and the .cif_od file.
#include "cli/cif_command.h"

#include <filesystem>
#include <iostream>

#include "cli/arguments.h"
#include "cli/headless_session.h"

namespace tavo::cli {

int runCifCommand(const std::vector<std::string>& args) {
  const Arguments arguments =
      parseArguments(args, {}, {"--program-folder", "--template", "--cif-od"});
  if (arguments.positional.size() != 1) {
    std::cerr << "usage: tavo-cli cif FILE [--template T] [--cif-od F] [--program-folder DIR]\n";
    return 2;
  }
  // Given files are taken from the current directory, before the open changes it.
  workbench::CifSources sources;
  if (const auto file = arguments.option("--template"))
    sources.templateFile = std::filesystem::absolute(*file);
  if (const auto file = arguments.option("--cif-od"))
    sources.cifOdFile = std::filesystem::absolute(*file);
  ConsoleDialogs dialogs;
  NullCanvas canvas;
  HeadlessSession session(dialogs, canvas, programFolderFrom(arguments.option("--program-folder")),
                          SessionUse::Edit);
  workbench::Workbench& bench = session.bench();
  // The CIF is all the command writes: the open writes no check file beside the structure.
  bench.state().readOptions.writeFiles = false;
  const bool opened = session.open(arguments.positional[0]);
  const std::size_t openMessages = dialogs.shown.size();
  const bool written = opened && bench.run([&] { bench.cifCommands().generate(sources); });
  for (std::size_t i = 0; i < dialogs.shown.size(); ++i)
    (i < openMessages ? std::cerr : std::cout) << dialogs.shown[i] << '\n';
  return written ? 0 : 1;
}

}  // namespace tavo::cli
