// The expansion search by cell list gives the units of the plain loops, in order, on every real
// SHELXL file of the corpus and of the repository, under the operators of its LATT/SYMM cards.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "geometry/expansion.h"
#include "geometry/symmetry_operators.h"
#include "model/structure_model.h"
#include "support/fake_dialogs.h"
#include "support/program_folder.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> instructionFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  if (folder.empty() || !fs::is_directory(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".ins" || extension == ".res") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(ExpansionOnRealFiles, CellListAndPlainLoopsAgree) {
  std::vector<fs::path> files = instructionFiles(fs::path(TAVO_SOURCE_DIR) / "tests/data/shelxl");
  const fs::path corpus = corpusFolder();
  if (!corpus.empty()) {
    const std::vector<fs::path> more = instructionFiles(corpus / "shelxl");
    files.insert(files.end(), more.begin(), more.end());
  }
  ProgramFolder program;
  int withUnits = 0;
  for (const fs::path& original : files) {
    SCOPED_TRACE(original.filename().string());
    // Nothing is written beside a corpus file: the reader works on a copy.
    TempFolder work;
    const fs::path copy = work.path() / original.filename();
    fs::copy_file(original, copy);
    model::StructureModel s;
    FakeDialogs dialogs;
    if (!openWithSettings(s, copy, program.path(), dialogs) || s.nonHCount == 0) continue;
    const geometry::LattSymmCards cards = geometry::readLattSymm(s.instructionLines);
    geometry::fillSymmetryOps(s.symmetry, geometry::operatorsFromLattSymm(cards.latt, cards.symm));
    for (const int factor : {11, 15}) {
      geometry::ExpansionWorkspace workspace;
      const auto grid = geometry::expansionUnits(s, factor, workspace);
      const auto plain = geometry::expansionUnitsPlain(s, factor);
      ASSERT_EQ(grid.size(), plain.size()) << "factor " << factor;
      for (size_t k = 0; k < grid.size(); ++k) {
        EXPECT_EQ(grid[k].op, plain[k].op);
        EXPECT_EQ(grid[k].ta, plain[k].ta);
        EXPECT_EQ(grid[k].tb, plain[k].tb);
        EXPECT_EQ(grid[k].tc, plain[k].tc);
        EXPECT_EQ(grid[k].text, plain[k].text);
      }
      if (!grid.empty()) ++withUnits;
    }
  }
  EXPECT_GT(withUnits, 0);
}

}  // namespace
}  // namespace tavo::testing
