// Opening an instruction file for the command-line tool.
#include "cli/structure_loading.h"

#include "model/array_limits.h"
#include "model/instruction_reader.h"
#include "text/errors.h"

namespace tavo::cli {

namespace {
constexpr std::string_view notTitlMessage =
    "The first line does not start with a TITL line!  Check the file content!";
}

std::filesystem::path programFolderFrom(const std::optional<std::string>& option) {
  return std::filesystem::absolute(option ? std::filesystem::path(*option)
                                          : std::filesystem::current_path());
}

bool openStructure(model::StructureModel& structure, const std::filesystem::path& file,
                   const std::filesystem::path& programFolder, ConsoleDialogs& dialogs,
                   const model::ReadOptions& options) {
  try {
    structure.programFolder = programFolder.string();
    model::readArrayLimits(programFolder, structure.limits, dialogs, options);
    structure.allocate();
    const auto definitions = model::ElementDefinitions::load(programFolder);
    return model::loadInstructionFile(structure, std::filesystem::absolute(file), definitions,
                                      dialogs, notTitlMessage, options);
  } catch (const UserError& e) {
    dialogs.message(e.what());
    return false;
  }
}

}  // namespace tavo::cli
