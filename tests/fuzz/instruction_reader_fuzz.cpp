// Feeds arbitrary bytes to the instruction-file reader: it must refuse or read, never crash.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/array_limits.h"
#include "model/dialogs.h"
#include "model/element_definitions.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"
#include "text/errors.h"

namespace {

const std::filesystem::path& workFolder() {
  static const std::filesystem::path folder = [] {
    auto f = std::filesystem::temp_directory_path() / "tavo-fuzz-reader";
    std::filesystem::create_directories(f);
    return f;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto definitions =
      tavo::model::ElementDefinitions::load(std::filesystem::path(TAVO_SOURCE_DIR) / "data");
  const std::filesystem::path file = workFolder() / "fuzz.ins";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  tavo::model::CollectingDialogs dialogs;
  tavo::model::StructureModel structure;
  structure.limits.atmMax = 200;
  structure.limits.expMax = 400;
  structure.limits.cmdMax = 200;
  structure.allocate();
  structure.programFolder = workFolder().string();
  try {
    tavo::model::loadInstructionFile(structure, file, definitions, dialogs, "no TITL");
  } catch (const tavo::UserError&) {
  }
  return 0;
}
