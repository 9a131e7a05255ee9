// Feeds arbitrary bytes to the importers of PDB, XYZ, Cartesian (ABC, XMOL) and FDAT files and
// reads each imported structure back through the instruction-file reader, as an import does:
// every importer refuses with a message or gives atoms, and the reader reads back every atom it
// was given (none is lost on the way).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/coordinate_import.h"
#include "formats/imported_structure.h"
#include "model/dialogs.h"
#include "model/element_definitions.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"
#include "text/errors.h"

namespace {

using tavo::formats::ImportedStructure;

void readBack(ImportedStructure imported, const tavo::model::ElementDefinitions& definitions,
              const std::vector<std::string>& symbols) {
  tavo::formats::inferElementsFromLabels(imported, symbols);
  tavo::formats::assignShelxlLabels(imported);
  const std::vector<std::string> lines = tavo::formats::instructionFileLines(imported);
  tavo::model::CollectingDialogs dialogs;
  tavo::model::StructureModel structure;
  structure.limits.atmMax = 200;
  structure.limits.expMax = 400;
  structure.limits.cmdMax = 200;
  structure.allocate();
  structure.currentFile = "fuzz.ins";
  tavo::model::readStructureFromLines(structure, lines, definitions, dialogs);
  const auto read = static_cast<std::size_t>(structure.nonHCount + structure.hCount);
  if (read != imported.atoms.size()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto definitions =
      tavo::model::ElementDefinitions::load(std::filesystem::path(TAVO_SOURCE_DIR) / "data");
  static const std::vector<std::string> symbols = tavo::formats::labelElementSymbols(definitions);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at <= bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(at, end - at));
    at = end + 1;
  }
  std::vector<std::string> warnings;
  const std::function<ImportedStructure()> importers[] = {
      [&] { return tavo::formats::importPdb(lines, "fuzz.pdb"); },
      [&] { return tavo::formats::importXyz(lines, "fuzz.xyz"); },
      [&] { return tavo::formats::importCartesian(lines, "fuzz.abc"); },
      [&] { return tavo::formats::importFdat(lines, {}, warnings, "fuzz.fdat"); },
  };
  for (const auto& import : importers) {
    try {
      readBack(import(), definitions, symbols);
    } catch (const tavo::UserError&) {
    }
  }
  return 0;
}
