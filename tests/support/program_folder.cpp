// A program folder made from the shipped settings files.
#include "support/program_folder.h"

#include "model/array_limits.h"
#include "model/element_definitions.h"
#include "model/instruction_reader.h"

namespace tavo::testing {

ProgramFolder::ProgramFolder() {
  for (const auto& entry : std::filesystem::directory_iterator(dataFolder())) {
    if (entry.is_regular_file()) {
      std::filesystem::copy_file(entry.path(), folder.path() / entry.path().filename());
    }
  }
}

bool openWithSettings(model::StructureModel& structure, const std::filesystem::path& file,
                      const std::filesystem::path& programFolder, FakeDialogs& dialogs) {
  structure.programFolder = programFolder.string();
  model::readArrayLimits(programFolder, structure.limits, dialogs);
  structure.allocate();
  const auto definitions = model::ElementDefinitions::load(programFolder);
  return model::loadInstructionFile(structure, file, definitions, dialogs,
                                    model::noTitlAtOpenMessage);
}

}  // namespace tavo::testing
