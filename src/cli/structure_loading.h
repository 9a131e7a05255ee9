// Opening an instruction file for the command-line tool exactly as the workbench opens it.
#pragma once

#include <filesystem>

#include "cli/console_ports.h"
#include "model/element_definitions.h"
#include "model/read_options.h"
#include "model/structure_model.h"

namespace tavo::cli {

/// The program folder of --program-folder, or the current directory.
std::filesystem::path programFolderFrom(const std::optional<std::string>& option);

/// Reads the array limits and element definitions of `programFolder` and opens `file`; with
/// `options.writeFiles` false (a query) nothing is written anywhere.
/// Returns false when the read was abandoned; the reasons are in `dialogs.shown`.
bool openStructure(model::StructureModel& structure, const std::filesystem::path& file,
                   const std::filesystem::path& programFolder, ConsoleDialogs& dialogs,
                   const model::ReadOptions& options = {});

}  // namespace tavo::cli
