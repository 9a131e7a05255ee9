// A program folder made from the shipped settings files, and opening a file with its settings.
#pragma once

#include <filesystem>

#include "model/structure_model.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace tavo::testing {

/// A temporary folder holding a copy of every settings file of data/.
struct ProgramFolder {
  ProgramFolder();
  TempFolder folder;
  const std::filesystem::path& path() const { return folder.path(); }
};

/// Opens `file` as the open dialog does: the array limits and element definitions of
/// `programFolder`, then the reader. False when the read was refused or abandoned.
bool openWithSettings(model::StructureModel& structure, const std::filesystem::path& file,
                      const std::filesystem::path& programFolder, FakeDialogs& dialogs);

}  // namespace tavo::testing
