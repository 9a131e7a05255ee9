// What the window models of the auxiliary windows need of the main window: the structure, the
// dialogs, the program folder and the redraw chain.
#pragma once

#include <filesystem>
#include <functional>

#include "model/dialogs.h"
#include "model/structure_model.h"

namespace tavo::workbench {

struct WindowContext {
  model::StructureModel& structure;
  model::Dialogs& dialogs;
  /// The folder of the settings files (the current directory before the first open).
  std::function<std::filesystem::path()> programFolder;
  /// The chain every change ends with: bond detection first when `bonds`, then the picture.
  std::function<void(bool bonds)> afterChange;
};

}  // namespace tavo::workbench
