// tavo-cli export and import end to end: each export writes what the File menu item writes in a
// run script, the CIF of the current model reads back with its cell, operators and sites, and
// an import is saved as a new instruction file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cif/cif_document.h"
#include "model/cell_parameters.h"
#include "model/file_lines.h"
#include "model/free_variables.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

TEST(ExportCommand, WritesWhatTheMenuItemWritesForEveryFormat) {
  TempFolder folder;
  copyExample(folder, "examples/paraben.res");
  struct Case {
    const char* to;
    const char* caption;
  };
  const Case cases[] = {{"cartesian", "Save Cartesian (->DFT etc.)"},
                        {"pdb", "Save PDB"},
                        {"xyz", "Save XYZ (Label X Y Z)"},
                        {"cif", "Save CIF (current model)"}};
  std::string script = "open paraben.res\n";
  for (const Case& c : cases)
    script += "answer menu." + std::string(c.to) + "\n\"" + c.caption + "\"\n";
  script += "\"Save Gaussian Com (->DFT)\"\nanswer menu.gaussian\nwindow TForm25 Save\n";
  const Outcome menu = runScript(folder, script);
  ASSERT_EQ(menu.status, 0) << menu.out << menu.err;
  for (const char* to : {"cartesian", "pdb", "xyz", "cif", "gaussian"}) {
    SCOPED_TRACE(to);
    const std::string out = std::string("cli.") + to;
    const Outcome o = runCli(folder, "export paraben.res --to " + std::string(to) + " -o " + out);
    ASSERT_EQ(o.status, 0) << o.out << o.err;
    EXPECT_EQ(o.out, (folder.path() / out).string() + "\n");
    EXPECT_EQ(folder.read(out), folder.read(std::string("menu.") + to));
  }
  // The PDB's H atoms are bonded to their own parents: H1 (HETATM 15) to O1, H2 (16) to C2 (5).
  const std::vector<std::string> pdb = model::loadFileLines(folder.path() / "cli.pdb");
  for (const char* conect : {"CONECT    1    7   15", "CONECT   15    1", "CONECT   16    5"}) {
    EXPECT_NE(std::find(pdb.begin(), pdb.end(), conect), pdb.end()) << conect;
  }
}

TEST(ExportCommand, CifOfTheModelReadsBackWithCellOperatorsAndSites) {
  TempFolder folder;
  copyExample(folder, "examples/paraben.res");
  const Outcome o = runCli(folder, "export paraben.res --to cif -o model.cif");
  ASSERT_EQ(o.status, 0) << o.err;
  // Nothing but the CIF is written (no HTAB check file beside the structure read).
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"err.txt", "model.cif", "out.txt", "paraben.res"}));
  const cif::CifDocument document = cif::readCifFile((folder.path() / "model.cif").string());
  ASSERT_EQ(document.blocks.size(), 1u);
  const cif::CifBlock& block = document.blocks[0];
  EXPECT_EQ(block.findValue("_cell_length_a"), "10.612(2)");
  EXPECT_EQ(block.findValue("_cell_angle_beta"), "107.18(2)");
  EXPECT_EQ(block.findValue("_space_group_IT_number"), "14");
  const cif::CifLoop* symmetry = block.findLoop("_space_group_symop_operation_xyz");
  ASSERT_NE(symmetry, nullptr);
  EXPECT_EQ(symmetry->rowCount(), 4u);
  const cif::CifLoop* sites = block.findLoop("_atom_site_label");
  ASSERT_NE(sites, nullptr);
  ASSERT_EQ(sites->rowCount(), 29u);  // 14 atoms and 15 H atoms, no peaks
  const std::size_t occupancy = *sites->findColumn("_atom_site_occupancy");
  const std::size_t u = *sites->findColumn("_atom_site_U_iso_or_equiv");
  // C8A of PART 1 with sof 21 (free variable 2 = 0.63412); H1 riding on O1 at 1.5 Ueq.
  EXPECT_EQ(sites->at(10, 0), "C8A");
  EXPECT_EQ(sites->at(10, occupancy), "0.6341");
  EXPECT_EQ(sites->at(14, 0), "H1");
  EXPECT_EQ(sites->at(0, u), "0.05312");
  EXPECT_EQ(sites->at(14, u), "0.07968");
  const cif::CifLoop* aniso = block.findLoop("_atom_site_aniso_label");
  ASSERT_NE(aniso, nullptr);
  EXPECT_EQ(aniso->rowCount(), 14u);
}

TEST(ExportCommand, RefusesWhatItCannotWrite) {
  TempFolder folder;
  copyExample(folder, "examples/paraben.res");
  fs::create_directory(folder.path() / "texsan");
  struct Case {
    const char* arguments;
    int status;
    const char* said;
  };
  const Case cases[] = {
      {"export paraben.res --to mol2 -o p.mol2", 1, "--to takes cartesian"},
      {"export paraben.res --to pdb", 2, "usage: tavo-cli export"},
      {"export missing.res --to pdb -o p.pdb", 1, "missing.res"},
      {"export paraben.res --to texsan -o nofolder", 1, "-o names their folder"},
      {"import paraben.res -o p.ins", 2, "give --from"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const Outcome o = runCli(folder, c.arguments);
    EXPECT_EQ(o.status, c.status) << o.out << o.err;
    EXPECT_NE(o.err.find(c.said), std::string::npos) << o.err;
  }
  EXPECT_FALSE(fs::exists(folder.path() / "p.pdb"));
  // texsan writes its three files into the folder given; the listing's absence is reported.
  const Outcome texsan = runCli(folder, "export paraben.res --to texsan -o texsan");
  EXPECT_EQ(texsan.status, 0) << texsan.err;
  EXPECT_NE(texsan.err.find("paraben.lst does not exists!"), std::string::npos) << texsan.err;
  for (const char* name : {"texsan.ins", "atoms.dat", "atoms.pks"}) {
    EXPECT_TRUE(fs::exists(folder.path() / "texsan" / name)) << name;
    EXPECT_FALSE(fs::exists(folder.path() / name)) << name;
  }
}

TEST(ImportCommand, SavesTheChosenBlockAsANewInstructionFile) {
  TempFolder folder;
  copyExample(folder, "tests/data/import/two_blocks.cif");
  const std::string source = folder.read("two_blocks.cif");
  const Outcome first = runCli(folder, "import two_blocks.cif -o mono.ins");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, (folder.path() / "mono.ins").string() + "\n");
  const Outcome second = runCli(folder, "import two_blocks.cif --block second -o iron");
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(folder.read("two_blocks.cif"), source) << "the imported file is left as it was";

  const std::vector<std::string> mono = model::loadFileLines(folder.path() / "mono.ins");
  ASSERT_FALSE(mono.empty());
  EXPECT_NE(std::find(mono.begin(), mono.end(),
                      "CELL 1.54184 10.1234 6.5000 12.0000 90.000 "
                      "101.500 90.000"),
            mono.end());
  const std::vector<std::string> iron = model::loadFileLines(folder.path() / "iron.ins");
  EXPECT_TRUE(std::any_of(iron.begin(), iron.end(),
                          [](const std::string& line) { return line.starts_with("Fe1 "); }));
  EXPECT_FALSE(std::any_of(iron.begin(), iron.end(),
                           [](const std::string& line) { return line.starts_with("Cl1 "); }));
  // An export reads a foreign file as the import does.
  const Outcome xyz = runCli(folder, "export two_blocks.cif --block second --to xyz -o iron.xyz");
  ASSERT_EQ(xyz.status, 0) << xyz.err;
  const std::vector<std::string> ironXyz = model::loadFileLines(folder.path() / "iron.xyz");
  ASSERT_EQ(ironXyz.size(), 2u);
  EXPECT_EQ(ironXyz[1], "Fe1       0.000000    0.000000    0.000000");
  // A .xyz file that starts with its atom count is an XMOL file of Cartesian coordinates.
  folder.write("water.xyz", "3\nwater\nO 0.0 0.0 0.0\nH 0.96 0.0 0.0\nH -0.24 0.93 0.0\n");
  const Outcome water = runCli(folder, "import water.xyz -o water.ins");
  ASSERT_EQ(water.status, 0) << water.err;
  const std::vector<std::string> saved = model::loadFileLines(folder.path() / "water.ins");
  EXPECT_NE(std::find(saved.begin(), saved.end(),
                      "H1    2    0.450000    0.542273    0.500000   11.000000   0.050000"),
            saved.end())
      << "in a pseudo-cell of 12 x 11 x 10 A with the molecule in its middle";
  // The saved file opens again as the structure imported.
  const Outcome info = runCli(folder, "info mono.ins");
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("a 10.1234  b 6.5  c 12"), std::string::npos) << info.out;
}

/// The Cartesian positions of the atoms of a saved instruction file, each coordinate decoded as
/// SHELXL decodes it (v = 10·m + p: m = 0 the value, m = ±1 fixed at p); a tied one fails.
std::vector<model::Vec3> positionsAsShelxlReadsThem(const std::vector<std::string>& lines) {
  model::CellParameters cell;
  std::vector<model::Vec3> positions;
  bool inAtoms = false;
  for (const std::string& line : lines) {
    const std::vector<std::string_view> words = text::splitWords(line);
    if (words.empty()) continue;
    if (words[0] == "CELL" && words.size() == 8) {
      double* const fields[] = {&cell.a, &cell.b, &cell.c, &cell.alpha, &cell.beta, &cell.gamma};
      for (std::size_t k = 0; k < 6; ++k)
        *fields[k] = text::parseDouble(words[k + 2]);
      model::orthogonalise(cell);
    } else if (words[0] == "FVAR") {
      inAtoms = true;
    } else if (words[0] == "HKLF") {
      break;
    } else if (inAtoms && words.size() >= 5) {
      double xyz[3] = {};
      for (std::size_t k = 0; k < 3; ++k) {
        const model::ParameterCode code =
            model::splitParameterCode(text::parseDouble(words[k + 2]));
        EXPECT_LE(std::abs(code.multiple), 1) << line;
        xyz[k] = code.multiple == 0 ? text::parseDouble(words[k + 2]) : code.remainder;
      }
      positions.push_back(model::toCartesian(cell, xyz[0], xyz[1], xyz[2]));
    }
  }
  return positions;
}

TEST(ImportCommand, AMoleculeWithoutACellKeepsItsGeometryAsShelxlReadsTheSavedFile) {
  // Atoms up to 12 Å from the origin, spread over more than 20 Å: in a cell of 1 Å they would be
  // written as numbers SHELXL takes for fixed values elsewhere.
  const model::Vec3 atoms[] = {
      {-7.5, 3.2, 1.0}, {6.8, -2.1, 0.4}, {0.0, 9.5, -4.2}, {12.3, 11.1, 8.0}, {-3.3, -8.8, 5.5}};
  const char* elements[] = {"N", "C", "O", "Cl", "C"};
  std::string xmol = "5\nspread out\n";
  std::string pdb = "REMARK   no CRYST1 record\n";
  for (std::size_t i = 0; i < 5; ++i) {
    const model::Vec3& p = atoms[i];
    xmol += std::string(elements[i]) + " " + text::formatFixed(p.x, 3) + " " +
            text::formatFixed(p.y, 3) + " " + text::formatFixed(p.z, 3) + "\n";
    const std::string name = text::padRight(std::string(elements[i]) + std::to_string(i + 1), 4);
    pdb += "HETATM" + text::padLeft(std::to_string(i + 1), 5) + " " + name + " UNK     1    " +
           text::padLeft(text::formatFixed(p.x, 3), 8) +
           text::padLeft(text::formatFixed(p.y, 3), 8) +
           text::padLeft(text::formatFixed(p.z, 3), 8) + "  1.00  0.00          " +
           text::padLeft(elements[i], 2) + "\n";
  }
  TempFolder folder;
  folder.write("spread.xyz", xmol);
  folder.write("spread.pdb", pdb);
  for (const char* name : {"spread.xyz", "spread.pdb"}) {
    SCOPED_TRACE(name);
    const Outcome o = runCli(folder, std::string("import ") + name + " -o out.ins");
    ASSERT_EQ(o.status, 0) << o.err;
    const std::vector<model::Vec3> saved =
        positionsAsShelxlReadsThem(model::loadFileLines(folder.path() / "out.ins"));
    ASSERT_EQ(saved.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
      for (std::size_t j = i + 1; j < 5; ++j) {
        EXPECT_NEAR(model::length(saved[i] - saved[j]), model::length(atoms[i] - atoms[j]), 1e-4)
            << i << "-" << j;
      }
    }
  }
}

TEST(ExportScript, EditedGaussianCoordinatesAndAnAlignedFragmentAreSaved) {
  TempFolder folder;
  copyExample(folder, "tests/data/import/fixture.abc");
  // The coordinate list of TForm25 is edited like the head and tail; a Cartesian import with
  // an atom centred at the view origin (Align Vector on one atom) saves as a fragment.
  const Outcome o = runScript(folder,
                              "answer fixture.abc\n\"Cartesian (<-DFT)\"\n"
                              "\"Save Gaussian Com (->DFT)\"\n"
                              "window TForm25 CoordinatesMemo \"C1 0 0 0\"\n"
                              "answer f.com\nwindow TForm25 Save\n"
                              "mode Align Vector\npick C1\napply\n"
                              "answer fragment.txt\n\"Save Fragment\"\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  const std::vector<std::string> com = model::loadRawFileLines(folder.path() / "f.com");
  const auto charge = std::find(com.begin(), com.end(), "   0   1");
  ASSERT_NE(charge, com.end());
  EXPECT_EQ(*(charge + 1), "C1 0 0 0");
  EXPECT_EQ(*(charge + 2), "");
  EXPECT_TRUE(fs::is_directory(runProgramFolder() / "fragments")) << "where the dialog opened";
  EXPECT_EQ(model::loadRawFileLines(folder.path() / "fragment.txt"),
            (std::vector<std::string>{"2   1", "0  C      0.00000      0.00000      0.00000",
                                      // six fractional decimals in a 12 Å pseudo-cell
                                      "1  O      1.23401     -0.56700      2.00000",
                                      "2  H      0.50000      0.90000     -0.10000"}));
}

}  // namespace
}  // namespace tavo::testing
