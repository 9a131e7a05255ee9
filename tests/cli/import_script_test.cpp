// Imports end to end through the built tavo-cli: a file chosen in the Import menu becomes a new
// structure, saved under the name the user gives, line by line as expected, and read back.
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

void copyFixture(const TempFolder& folder, const std::string& name, const std::string& as = "") {
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "tests/data/import" / name,
                folder.path() / (as.empty() ? name : as));
}

/// The saved file without its TITL line, which carries the time of the save.
std::vector<std::string> savedBody(const TempFolder& folder, const std::string& name) {
  std::vector<std::string> lines = model::loadFileLines(folder.path() / name);
  EXPECT_FALSE(lines.empty());
  if (!lines.empty()) {
    EXPECT_TRUE(lines[0].starts_with("TITL mono ")) << lines[0];
    lines.erase(lines.begin());
  }
  return lines;
}

TEST(ImportScript, ACifBlockChosenSavedUnderANewNameAndReadBack) {
  TempFolder folder;
  copyFixture(folder, "two_blocks.cif");
  // A paraben structure is open first: nothing of it may survive the import.
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "paraben.res");
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "answer two_blocks.cif\n"
                              "answer yes\n"
                              "\"CIF\"\n"
                              "answer mono.ins\n"
                              "\"Save *.ins\"\n"
                              "open mono.ins\n"
                              "info\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.out.find("Import the block data_mono?"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("O 2 -> O2"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("Atoms:    3 non-H (2 anisotropic), 1 H, 0 peaks"), std::string::npos)
      << o.out;
  EXPECT_EQ(
      savedBody(folder, "mono.ins"),
      (std::vector<std::string>{
          "CELL 1.54184 10.1234 6.5000 12.0000 90.000 101.500 90.000",
          "ZERR 4 0.0000 0.0000 0.0000 0.000 0.000 0.000", "LATT 1", "SYMM -X,Y+1/2,-Z+1/2",
          "SFAC Cl C O H", "UNIT 4 4 2 4", "REM SPCG       P21/c   14    1", "L.S. 10", "FMAP 2",
          "PLAN 20", "FVAR       1.00000",
          "Cl1   1    0.123400    0.567800    0.901200   11.000000   0.030000   0.031000 =",
          "0.032000   0.001000   0.002000  -0.003000",
          "C1    2    0.200000    0.400000    0.800000   11.000000   0.025000   0.026000 =",
          "0.027000   0.000000   0.001000   0.000000",
          "O2    3    0.000000    0.500000    0.500000   10.500000   0.030000",
          "HO1   4    0.250000    0.450000    0.750000   11.000000   0.040000", "HKLF 4", "END"}));
  // Only the source, the saved file, its backup copy and what the script needs are there.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{"err.txt", "htab_codes_checking.txt", "mono.bak", "mono.ins",
                                      "out.txt", "paraben.res", "script.tavo", "two_blocks.cif"}));
}

TEST(ImportScript, AFileNamedLikeAScratchFileIsReadAndKeptAndACancelledSaveWritesNothing) {
  TempFolder folder;
  copyFixture(folder, "peptide.pdb", "temp.pdb");
  const std::string before = folder.read("temp.pdb");
  const Outcome o = runScript(folder,
                              "answer temp.pdb\n"
                              "\"PDB\"\n"
                              "info\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.out.find("Atoms:    5 non-H"), std::string::npos) << o.out;
  EXPECT_EQ(folder.read("temp.pdb"), before);
  // A save without an answer for its dialog is refused: the import is never written over a file.
  const Outcome saved = runScript(folder, "answer temp.pdb\n\"PDB\"\n\"Save *.ins\"\n");
  EXPECT_NE(saved.status, 0);
  EXPECT_FALSE(fs::exists(folder.path() / "temp.ins"));
}

TEST(ImportScript, HeavyElementsOfUpperCaseLabelsSurviveSaveXyzAndImport) {
  TempFolder folder;
  folder.write("cuna.ins",
               "TITL cuna\nCELL 0.71073 5 6 7 90 90 90\nZERR 1 0 0 0 0 0 0\nLATT -1\n"
               "SFAC C N CU NA\nUNIT 1 1 1 1\nFVAR 1.0\n"
               "CU1 3 0.1 0.1 0.1 11.0 0.03\nNA1 4 0.5 0.5 0.5 11.0 0.03\n"
               "C1 1 0.1 0.3 0.1 11.0 0.03\nN1 2 0.3 0.3 0.1 11.0 0.03\nHKLF 4\nEND\n");
  const Outcome o = runScript(folder,
                              "open cuna.ins\n"
                              "answer cuna.xyz\n"
                              "\"Save XYZ (Label X Y Z)\"\n"
                              "answer cuna.xyz\n"
                              "\"XYZ Coordinates\"\n"
                              "answer back.ins\n"
                              "\"Save *.ins\"\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.out.find("The elements of these atoms were taken from their labels; check them: "
                       "Cu Na\n"),
            std::string::npos)
      << o.out;
  const std::vector<std::string> back = model::loadFileLines(folder.path() / "back.ins");
  EXPECT_NE(std::find(back.begin(), back.end(), "SFAC Cu Na C N"), back.end());
  const auto line = std::find_if(back.begin(), back.end(),
                                 [](const std::string& l) { return l.starts_with("NA1 "); });
  ASSERT_NE(line, back.end());
  EXPECT_TRUE(line->starts_with("NA1   2 ")) << *line;
}

TEST(ImportScript, AnXmolFileImportsAsCartesianCoordinates) {
  // The same file the window's XYZ item reads (the workbench test of the import dialog).
  TempFolder folder;
  copyFixture(folder, "xmol.xyz");
  const Outcome o = runCli(folder, "import xmol.xyz -o xmol.ins");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.err.find("taken from their labels; check them: Cu Na Cl"), std::string::npos)
      << o.err;
  const std::vector<std::string> saved = model::loadFileLines(folder.path() / "xmol.ins");
  EXPECT_NE(std::find(saved.begin(), saved.end(), "SFAC Cu Na Cl O"), saved.end());
  EXPECT_EQ(std::count_if(saved.begin(), saved.end(),
                          [](const std::string& l) { return l.starts_with("NA1   2 "); }),
            1);
}

TEST(ImportScript, ARefusedFileFailsTheScriptAndWritesNothing) {
  TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "paraben.res");
  folder.write("bad.xyz", "8.5 10.2 7.3 90 105\nC1 0 0 0\n");
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "answer bad.xyz\n"
                              "\"XYZ Coordinates\"\n");
  EXPECT_NE(o.status, 0);
  EXPECT_NE(o.out.find("The first line of an XYZ file must hold the cell"), std::string::npos)
      << o.out;
  EXPECT_FALSE(fs::exists(folder.path() / "bad.ins"));
  EXPECT_FALSE(fs::exists(folder.path() / "paraben.ins"));
}

}  // namespace
}  // namespace tavo::testing
