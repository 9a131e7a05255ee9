// The cell contents counted from the atoms (sof x operators with centring) against the UNIT
// cards that SHELXL users wrote, on real files whose atom list is complete.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "geometry/symmetry_operators.h"
#include "model/cell_contents.h"
#include "model/structure_model.h"
#include "support/fake_dialogs.h"
#include "support/program_folder.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

// Files whose atom list is complete (every H atom placed, no element left over): their users'
// UNIT numbers are the cell contents, in P2(1), P2(1)2(1)2(1), P2(1)/c, P2(1)/n, C2/m, I2/a,
// P-4, P-31c, R-3c and Fm-3m.
TEST(CellContentsOnRealFiles, CompleteStructuresGiveTheirUnitCards) {
  const fs::path corpus = corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  const char* const files[] = {
      "chmpy_acetic_acid_minimal.res",
      "hikari_exp_353_free_H_crlf.res",
      "hikari_NaCl_Fm-3m.res",
      "logbooker_dom1_mC.res",
      "nosphera2_FK_dppmAu2Br2_I2a.ins",
      "nosphera2_sucrose_aniso_H.res",
      "shelxfile_014EP-4_P-4_twin_resi.res",
      "shelxfile_2240189_R-3c_htab.res",
      "shelxfile_jkd77_P21n_htab.res",
      "shelxfile_p-31c_rem_before_titl.res",
      "structurefinder_051a_p21c.res",
      "xharpy_L-Ala_iam.res",
  };
  ProgramFolder program;
  for (const char* name : files) {
    SCOPED_TRACE(name);
    const fs::path original = corpus / "shelxl" / name;
    if (!fs::exists(original)) continue;
    // Nothing is written beside a corpus file: the reader works on a copy.
    TempFolder work;
    const fs::path copy = work.path() / name;
    fs::copy_file(original, copy);
    model::StructureModel s;
    FakeDialogs dialogs;
    ASSERT_TRUE(openWithSettings(s, copy, program.path(), dialogs));
    const geometry::LattSymmCards cards = geometry::readLattSymm(s.instructionLines);
    geometry::fillSymmetryOps(s.symmetry, geometry::operatorsFromLattSymm(cards.latt, cards.symm));
    const std::vector<double> counts = model::cellContents(s);
    for (int e = 1; e <= s.elementCount; ++e) {
      EXPECT_NEAR(counts[static_cast<std::size_t>(e)], s.elements[e].unitCount, 0.001)
          << s.elements[e].symbol;
    }
  }
}

}  // namespace
}  // namespace tavo::testing
