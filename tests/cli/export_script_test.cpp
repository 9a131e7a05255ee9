// Coordinate exports end to end through the built tavo-cli: every format written under the name
// given to its dialog, the Gaussian input from TForm25, and the XYZ file imported back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

TEST(ExportScript, EveryFormatOfParabenAndTheXyzFileReadBack) {
  TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "paraben.res");
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "answer p.abc\n\"Save Cartesian (->DFT etc.)\"\n"
                              "answer p.pdb\n\"Save PDB\"\n"
                              "answer p.xyz\n\"Save XYZ (Label X Y Z)\"\n"
                              "\"Save Gaussian Com (->DFT)\"\n"
                              "window TForm25 SpinEdit3 2\n"
                              "window TForm25 SpinEdit3 42\n"
                              "window TForm25 SpinEdit1 -1\n"
                              "window TForm25 TitleEdit \"paraben anion\"\n"
                              "answer p.com\nwindow TForm25 Save\n"
                              "answer p.xyz\n\"XYZ Coordinates\"\n"
                              "info\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.out.find("head42.inf and tail42.inf do not exist in your Tavo/gaussian folder"),
            std::string::npos);
  const std::vector<std::string> abc = model::loadFileLines(folder.path() / "p.abc");
  ASSERT_EQ(abc.size(), 29u);  // 14 atoms and 15 H atoms, no peaks
  EXPECT_TRUE(abc[0].starts_with("O1      ")) << abc[0];

  const std::vector<std::string> pdb = model::loadFileLines(folder.path() / "p.pdb");
  ASSERT_GT(pdb.size(), 6u);
  EXPECT_EQ(pdb[2].substr(0, 60), "CRYST1   10.612    5.904   14.903  90.00 107.18  90.00 P21/c");
  EXPECT_EQ(pdb.back(), "END");
  EXPECT_NE(std::find(pdb.begin(), pdb.end(), "TER"), pdb.end());

  const std::vector<std::string> xyz = model::loadFileLines(folder.path() / "p.xyz");
  ASSERT_EQ(xyz.size(), 30u);
  EXPECT_EQ(xyz[0], "10.612000  5.904000 14.903000  90.00000 107.18000  90.00000  P21/c  No.14");
  EXPECT_EQ(xyz[1], "O1       0.677422    0.494081    0.987920");

  const std::vector<std::string> com = model::loadRawFileLines(folder.path() / "p.com");
  ASSERT_GT(com.size(), 9u);
  EXPECT_EQ(com[3], "# B3LYP/6-31G(d) SP Pop=NBO");  // job 2 kept when job 42 is missing
  EXPECT_EQ(std::vector<std::string>(com.begin() + 4, com.begin() + 8),
            (std::vector<std::string>{"", "paraben anion", "", "   -1   1"}));
  EXPECT_EQ(com[8], abc[0]);

  // The XYZ file is a new structure again: cell, symmetry and every atom.
  EXPECT_NE(o.out.find("Atoms:    14 non-H (0 anisotropic), 15 H"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("a 10.612  b 5.904  c 14.903"), std::string::npos) << o.out;
}

TEST(ExportScript, TexsanFilesWithoutAListingAreWrittenAndTheMissingDataReported) {
  TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "paraben.res");
  const Outcome o =
      runScript(folder, "open paraben.res\n\"Save texsan.ins/atoms.dat/atoms.pks\"\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.out.find("paraben.lst does not exists! Errors of the parameters will not be included "
                       "in the atoms.dat!!"),
            std::string::npos)
      << o.out;
  EXPECT_EQ(o.out.find("Without Any Errer"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("the listing gives no values and standard uncertainties for O1 O2"),
            std::string::npos)
      << o.out;
  const std::vector<std::string> ins = model::loadRawFileLines(folder.path() / "texsan.ins");
  const std::vector<std::string> res = model::loadFileLines(folder.path() / "paraben.res");
  ASSERT_GT(ins.size(), 12u);
  EXPECT_EQ(ins[0], res[0].substr(0, 50));
  EXPECT_EQ(ins.back(), "END");
  // Every atom of the file is in atoms.dat (five records each) after the four title records.
  const std::vector<std::string> dat = model::loadRawFileLines(folder.path() / "atoms.dat");
  EXPECT_EQ(dat.size(), 4u + 5u * (14u + 15u));
  EXPECT_TRUE(fs::exists(folder.path() / "atoms.pks"));
}

TEST(ExportScript, FragmentsComeOnlyFromAlignedCartesianImports) {
  TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "paraben.res");
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "tests/data/import/fixture.abc",
                folder.path() / "fixture.abc");
  const Outcome fromIns = runScript(folder, "open paraben.res\n\"Save Fragment\"\n");
  EXPECT_NE(fromIns.status, 0);
  EXPECT_NE(fromIns.out.find("Currently, this option is only applicable for jobs initiated by "
                             "importing cartesian coordinates!!"),
            std::string::npos)
      << fromIns.out;
  // Imported but not aligned: no atom lies at the view origin.
  const Outcome notAligned =
      runScript(folder, "answer fixture.abc\n\"Cartesian (<-DFT)\"\n\"Save Fragment\"\n");
  EXPECT_NE(notAligned.status, 0);
  EXPECT_NE(notAligned.out.find("Currently, the atom at the origin should be non-hydrogen atom"),
            std::string::npos)
      << notAligned.out;
}

}  // namespace
}  // namespace tavo::testing
