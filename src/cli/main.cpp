// tavo-cli: batch commands over the workbench core.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cif_command.h"
#include "cli/density_command.h"
#include "cli/format_commands.h"
#include "cli/info_command.h"
#include "cli/planes_command.h"
#include "cli/refine_command.h"
#include "cli/run_command.h"
#include "cli/save_command.h"
#include "text/errors.h"
#ifdef TAVO_WITH_PICTURES
#include "cli/render_command.h"
#endif

namespace {

constexpr const char* usage =
    "usage:\n"
    "  tavo-cli info FILE [--json] [--expand] [--packing A0 A1 B0 B1 C0 C1]\n"
    "                [--program-folder DIR]\n"
    "  tavo-cli save FILE [--program-folder DIR]\n"
    "  tavo-cli run SCRIPT [--program-folder DIR]\n"
    "  tavo-cli cif FILE [--template T] [--cif-od F] [--program-folder DIR]\n"
    "  tavo-cli export FILE --to cartesian|pdb|xyz|gaussian|cif|texsan -o OUT\n"
    "                [--from FORMAT] [--block NAME] [--charge N] [--multiplicity M]\n"
    "                [--title TEXT] [--job N] [--program-folder DIR]\n"
    "  tavo-cli import FILE -o OUT.ins [--from cif|fdat|xyz|cartesian|pdb] [--block NAME]\n"
    "                [--program-folder DIR]\n"
    "  tavo-cli fcalc FILE [--hkl F] [--json] [--fcf-out OUT.fcf] [--program-folder DIR]\n"
    "  tavo-cli map FILE [--fcf F | --hkl F] [--type fo-fc|2fo-fc|fo] [--peaks N] [--json]\n"
    "                [--program-folder DIR]\n"
    "  tavo-cli refine FILE [--program PATH] [--timeout S] [--json] [--program-folder DIR]\n"
    "  tavo-cli planes FILE LABEL... [/ LABEL...]... [--expand] [--packing A0 A1 B0 B1 C0 C1]\n"
    "                [--program-folder DIR]\n"
#ifdef TAVO_WITH_PICTURES
    "  tavo-cli render FILE -o PICTURE [--width W] [--height H] [--expand N]\n"
    "                [--packing A0 A1 B0 B1 C0 C1] [--program-folder DIR]\n"
#endif
    ;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << usage;
    return 2;
  }
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  try {
    if (command == "info") return tavo::cli::runInfoCommand(args);
    if (command == "save") return tavo::cli::runSaveCommand(args);
    if (command == "run") return tavo::cli::runScriptCommand(args);
    if (command == "cif") return tavo::cli::runCifCommand(args);
    if (command == "export") return tavo::cli::runExportCommand(args);
    if (command == "import") return tavo::cli::runImportCommand(args);
    if (command == "refine") return tavo::cli::runRefineCommand(args);
    if (command == "planes") return tavo::cli::runPlanesCommand(args);
    if (command == "fcalc") return tavo::cli::runFcalcCommand(args);
    if (command == "map") return tavo::cli::runMapCommand(args);
#ifdef TAVO_WITH_PICTURES
    if (command == "render") return tavo::cli::runRenderCommand(args);
#endif
  } catch (const tavo::UserError& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  std::cerr << usage;
  return 2;
}
