// "Save CIF (current model)": the atom sites of the file with occupancies from the site
// symmetry, U values (Ueq, riding multiples), unique labels, and no generated copies.
#include <algorithm>

#include "model/file_lines.h"
#include "workbench/command_table.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandId;

// P-1 in an orthogonal cell: FE1 half on the inversion centre, C1 in two residues, a riding H
// at 1.5 Ueq of its anisotropic parent.
constexpr const char* fixture =
    "TITL fixture in P-1\n"
    "CELL 0.71073 5.0 6.0 7.0 90 90 90\n"
    "ZERR 2 0.001 0.001 0.001 0 0 0\n"
    "LATT 1\n"
    "SFAC C H FE\n"
    "UNIT 4 4 1\n"
    "L.S. 4\n"
    "FMAP 2\n"
    "PLAN 5\n"
    "FVAR 1.0\n"
    "FE1 3 0.000000 0.000000 0.000000 10.50000 0.02000\n"
    "RESI 1 ABC\n"
    "C1 1 0.100000 0.200000 0.300000 11.00000 0.02000 0.03000 =\n"
    "   0.04000 0.00500 0.00400 0.00300\n"
    "AFIX 43\n"
    "H1 2 0.150000 0.250000 0.350000 11.00000 -1.50000\n"
    "AFIX 0\n"
    "RESI 2 ABC\n"
    "C1 1 0.400000 0.200000 0.300000 11.00000 0.05000\n"
    "RESI 0\n"
    "HKLF 4\n"
    "END\n";

TEST_F(WorkbenchScenario, ModelCifWritesTheSitesOfTheFileOnly) {
  ASSERT_TRUE(openAs(work.write("fixture.ins", fixture), workbench::OpenedFrom::Batch))
      << ::testing::PrintToString(dialogs.shown);
  // Copies shown in the picture are not sites of the model.
  ASSERT_TRUE(bench->run(CommandId::ExpandConnections));
  ASSERT_GT(bench->structure().workingAtomCount, bench->structure().nonHCount);
  dialogs.nextFile = work.path() / "fixture.cif";
  ASSERT_TRUE(bench->run(CommandId::SaveModelCif)) << ::testing::PrintToString(dialogs.shown);

  const std::vector<std::string> lines = model::loadFileLines(work.path() / "fixture.cif");
  const auto at = std::find(lines.begin(), lines.end(), "_atom_site_disorder_group");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(std::vector<std::string>(at + 1, at + 6),
            (std::vector<std::string>{
                "FE1 Fe 0.000000 0.000000 0.000000 0.02000 Uiso 1.0000 2 d .",
                "C1_1 C 0.100000 0.200000 0.300000 0.03000 Uani 1.0000 1 d .",
                "C1_2 C 0.400000 0.200000 0.300000 0.05000 Uiso 1.0000 1 d .",
                "H1 H 0.150000 0.250000 0.350000 0.04500 Uiso 1.0000 1 calc .",
                "",
            }));
  EXPECT_NE(
      std::find(lines.begin(), lines.end(), "C1_1 0.02000 0.03000 0.04000 0.00500 0.00400 0.00300"),
      lines.end());
  for (const char* line : {"_cell_length_a                    5.000(1)",
                           "_cell_angle_gamma                 90.000", "2 '-x,-y,-z'"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
}

}  // namespace
}  // namespace tavo::testing
