// Feeds arbitrary bytes to the readers of the program folder's settings files (elems.inf,
// graphics1.inf, array_max.inf): each must read the file or refuse it with a UserError.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "model/array_limits.h"
#include "model/dialogs.h"
#include "model/element_definitions.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "view/graphics_settings.h"

namespace {

std::filesystem::path folderFor(int target) {
  auto folder =
      std::filesystem::temp_directory_path() / ("tavo-fuzz-settings-" + std::to_string(target));
  std::filesystem::create_directories(folder);
  return folder;
}

void write(const std::filesystem::path& file, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int target = data[0] % 3;
  const std::filesystem::path folder = folderFor(target);
  try {
    if (target == 0) {
      write(folder / "elems.inf", data + 1, size - 1);
      const auto definitions = tavo::model::ElementDefinitions::load(folder);
      tavo::model::StructureModel structure;
      structure.limits.elemMax = 8;
      structure.limits.atmMax = 10;
      structure.limits.expMax = 10;
      structure.allocate();
      structure.elementCount = 3;
      structure.elements[1].symbol = "C";
      structure.elements[2].symbol = "Cl";
      structure.elements[3].symbol = "Q";
      definitions.assignElementData(structure);
    } else if (target == 1) {
      write(folder / "graphics1.inf", data + 1, size - 1);
      tavo::view::GraphicsSettings settings;
      tavo::view::loadGraphicsSettings(folder, "graphics1.inf", settings);
    } else {
      write(folder / "array_max.inf", data + 1, size - 1);
      tavo::model::CollectingDialogs dialogs;
      tavo::model::ArrayLimits limits;
      tavo::model::readArrayLimits(folder, limits, dialogs);
    }
  } catch (const tavo::UserError&) {
  }
  return 0;
}
