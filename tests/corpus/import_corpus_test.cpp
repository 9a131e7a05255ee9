// The importers on the real FDAT and XYZ files of the corpus (CIF and PDB files are compared with
// gemmi by tests/oracle/import_with_cli.py): every atom record read, the cell and the group
// taken over, and the instruction file they become read by our own reader.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/coordinate_import.h"
#include "formats/imported_structure.h"
#include "model/dialogs.h"
#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"
#include "support/temp_folder.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

/// The instruction lines of an import read back by the reader: the atom counts it gives.
std::pair<int, int> readBack(formats::ImportedStructure imported) {
  formats::assignShelxlLabels(imported);
  model::StructureModel structure;
  structure.limits = model::ArrayLimits{};
  structure.currentFile = (fs::temp_directory_path() / "imported.ins").string();
  model::CollectingDialogs dialogs;
  model::readStructureFromLines(structure, formats::instructionFileLines(imported),
                                model::ElementDefinitions::load(dataFolder()), dialogs);
  return {structure.nonHCount, structure.hCount};
}

const std::vector<std::string>& shippedSymbols() {
  static const std::vector<std::string> symbols =
      formats::labelElementSymbols(model::ElementDefinitions::load(dataFolder()));
  return symbols;
}

int hydrogenCount(const formats::ImportedStructure& s) {
  int n = 0;
  for (const auto& atom : s.atoms)
    n += atom.element == "H" ? 1 : 0;
  return n;
}

TEST(ImportOnRealFiles, FdatEntriesGiveTheirAtomsCellAndGroup) {
  const std::vector<fs::path> files = corpusFiles("fdat");
  if (files.empty()) GTEST_SKIP() << "no corpus";
  for (const fs::path& file : files) {
    const std::vector<std::string> lines = model::loadRawFileLines(file);
    std::vector<std::string> warnings;
    formats::ImportedStructure s = formats::importFdat(lines, {}, warnings);
    formats::inferElementsFromLabels(s, shippedSymbols());
    EXPECT_FALSE(s.atoms.empty()) << file;
    if (file.filename() == "aten_csd_dmim-ntf2.fdat") {
      // PADDEE, counted by hand: S4 F12 O8 N6 C14 H18, the cell with three decimals.
      EXPECT_EQ(s.atoms.size(), 62u);
      EXPECT_EQ(hydrogenCount(s), 18);
      EXPECT_EQ(s.cell, (std::array<double, 6>{8.535, 12.681, 13.502, 88.059, 80.181, 79.768}));
    }
    EXPECT_TRUE(warnings.empty()) << file;
    EXPECT_GT(s.operators.size(), 1u) << file;  // C2/m and P-1, not P1
    const auto [nonH, h] = readBack(s);
    EXPECT_EQ(nonH + h, static_cast<int>(s.atoms.size())) << file;
    EXPECT_EQ(h, hydrogenCount(s)) << file;
  }
}

TEST(ImportOnRealFiles, XmolFilesImportAsCartesianCoordinates) {
  const std::vector<fs::path> files = corpusFiles("xyz");
  if (files.empty()) GTEST_SKIP() << "no corpus";
  for (const fs::path& file : files) {
    if (file.extension() != ".xyz") continue;
    const std::vector<std::string> lines = model::loadRawFileLines(file);
    formats::ImportedStructure s = formats::importCartesian(lines);
    formats::inferElementsFromLabels(s, shippedSymbols());
    EXPECT_EQ(static_cast<int>(s.atoms.size()), text::parseInt(lines[0])) << file;
    EXPECT_TRUE(s.skippedLabels.empty()) << file;
    const auto [nonH, h] = readBack(s);
    EXPECT_EQ(nonH + h, static_cast<int>(s.atoms.size())) << file;
  }
}

}  // namespace
}  // namespace tavo::testing
