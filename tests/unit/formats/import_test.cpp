// The importers: elements, symmetry, occupancies and columns as the formats define them, and the
// instruction file an import becomes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "formats/cif_import.h"
#include "formats/coordinate_import.h"
#include "formats/imported_structure.h"
#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "support/temp_folder.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::formats {
namespace {

namespace fs = std::filesystem;

fs::path fixture(std::string_view name) {
  return fs::path(TAVO_SOURCE_DIR) / "tests/data/import" / name;
}

std::vector<std::string> fixtureLines(std::string_view name) {
  return model::loadRawFileLines(fixture(name));
}

std::vector<geometry::SeitzOperator> ops(std::initializer_list<std::string_view> texts) {
  std::vector<geometry::SeitzOperator> result;
  for (std::string_view text : texts)
    result.push_back(*geometry::parseSymmetryTriplet(text));
  return result;
}

/// The symbols of the shipped elems.inf.
const std::vector<std::string>& shippedSymbols() {
  static const std::vector<std::string> symbols =
      labelElementSymbols(model::ElementDefinitions::load(fs::path(TAVO_SOURCE_DIR) / "data"));
  return symbols;
}

ImportedStructure withLabelElements(ImportedStructure imported) {
  inferElementsFromLabels(imported, shippedSymbols());
  return imported;
}

TEST(ImportElements, LabelsTakeTheLongestSymbolTheTableKnows) {
  struct Case {
    std::string_view label;
    std::optional<std::string> element;
    const char* why;
  };
  const Case cases[] = {
      {"CU1", "Cu", "upper case: copper, not carbon"},
      {"Cu1", "Cu", "written as the symbol"},
      {"cu1", "Cu", "lower case too"},
      {"NA1", "Na", "sodium, not nitrogen"},
      {"CO1", "Co", "cobalt"},
      {"NI1", "Ni", "nickel"},
      {"CL1", "Cl", "chlorine"},
      {"BR1", "Br", "bromine"},
      {"OS1", "Os", "osmium"},
      {"C1A", "C", "a digit after one letter"},
      {"CN1", "C", "CN is no element: the one-letter prefix"},
      {"OX", "O", "OX is no element"},
      {"S", "S", "a bare symbol"},
      {"H1A", "H", "hydrogen"},
      {"HO1", "H", "a hydroxyl H, not holmium"},
      {"HG2", "H", "a methyl H, not mercury"},
      {"Hg1", "Hg", "mercury written as its symbol"},
      {"D1", "D", "deuterium is in the table"},
      {"1C", std::nullopt, "begins with a digit"},
      {"Q1", std::nullopt, "the peak row names no element"},
      {"X1", std::nullopt, "no symbol starts with X"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(elementOfLabel(c.label, shippedSymbols()), c.element) << c.label;
  }
  // A row added to the definitions is a symbol labels may name.
  EXPECT_EQ(elementOfLabel("XE1", {"X", "Xe"}), "Xe");
  EXPECT_EQ(elementOfSymbol("O2-"), "O");
  EXPECT_EQ(elementOfSymbol("FE3+"), "Fe");
  EXPECT_EQ(elementOfSymbol("Cl"), "Cl");
  EXPECT_EQ(elementOfSymbol("D"), "D");
  EXPECT_EQ(elementOfSymbol("X"), std::nullopt);
}

TEST(ImportElements, InferenceFillsOnlyLabelAtomsAndLeavesOutTheUnknown) {
  ImportedStructure s;
  s.atoms = {{"CU1", "", 0, 0, 0, 1, 0.05, std::nullopt, true},
             {"CA1", "C", 0, 0, 0, 1, 0.05, std::nullopt, false},  // typed: stays carbon
             {"9X", "", 0, 0, 0, 1, 0.05, std::nullopt, true},
             {"NA2", "", 0, 0, 0, 1, 0.05, std::nullopt, true}};
  inferElementsFromLabels(s, shippedSymbols());
  ASSERT_EQ(s.atoms.size(), 3u);
  EXPECT_EQ(s.atoms[0].element, "Cu");
  EXPECT_EQ(s.atoms[1].element, "C");
  EXPECT_EQ(s.atoms[2].element, "Na");
  EXPECT_EQ(s.skippedLabels, std::vector<std::string>{"9X"});
  EXPECT_EQ(inferredHeavyElements(s), (std::vector<std::string>{"Cu", "Na"}));

  ImportedStructure none;
  none.atoms = {{"9X", "", 0, 0, 0, 1, 0.05, std::nullopt, true}};
  try {
    inferElementsFromLabels(none, shippedSymbols());
    FAIL() << "a file without a known element was imported";
  } catch (const UserError& e) {
    EXPECT_STREQ(e.what(), "There is no atom in this file.");
  }
}

TEST(ImportSymmetry, LattAndSymmOfFullOperatorSets) {
  struct Case {
    std::vector<geometry::SeitzOperator> operators;
    int latt;
    std::vector<std::string> symm;
  };
  const std::vector<Case> cases = {
      {{}, -1, {}},
      {ops({"x,y,z", "-x,y+1/2,-z"}), -1, {"-x,y+1/2,-z"}},
      {ops({"x,y,z", "-x,y+1/2,-z+1/2", "-x,-y,-z", "x,-y+1/2,z+1/2"}), 1, {"-x,y+1/2,-z+1/2"}},
      {ops({"x,y,z", "-x,y,-z+1/2", "x+1/2,y+1/2,z", "-x+1/2,y+1/2,-z+1/2", "-x,-y,-z",
            "x,-y,z+1/2", "-x+1/2,-y+1/2,-z", "x+1/2,-y+1/2,z+1/2"}),
       7,
       {"-x,y,-z+1/2"}},
      // Not a group: every operator but the identity is kept, without inversion.
      {ops({"x,y,z", "y,x,z", "-x,-y,-z"}), -1, {"y,x,z", "-x,-y,-z"}},
  };
  for (const Case& c : cases) {
    const LattSymm result = lattSymmOf(c.operators);
    EXPECT_EQ(result.latt, c.latt);
    std::vector<std::string> symm;
    for (const auto& op : result.symm)
      symm.push_back(geometry::tripletText(op));
    EXPECT_EQ(symm, c.symm);
  }
}

TEST(CifImport, ColumnsByTagQuotedLabelsSpecialPositionsUijAndTheChosenBlock) {
  const std::string text = testing::readFileBytes(fixture("two_blocks.cif"));
  std::vector<std::string> asked;
  const ImportedStructure s = importCif(text, "two_blocks.cif", [&](const std::string& block) {
    asked.push_back(block);
    return true;
  });
  EXPECT_EQ(asked, std::vector<std::string>{"mono"});  // the global block has no atoms
  EXPECT_EQ(s.cell, (std::array<double, 6>{10.1234, 6.5, 12.0, 90, 101.5, 90}));
  EXPECT_EQ(s.z, 4);
  EXPECT_DOUBLE_EQ(s.wavelength, 1.54184);
  EXPECT_EQ(s.operators.size(), 4u);
  ASSERT_EQ(s.atoms.size(), 4u);
  EXPECT_EQ(s.atoms[0].label, "Cl1");
  EXPECT_EQ(s.atoms[0].element, "Cl");
  EXPECT_DOUBLE_EQ(s.atoms[0].x, 0.1234);
  ASSERT_TRUE(s.atoms[0].uaniso.has_value());
  EXPECT_EQ(*s.atoms[0].uaniso, (std::array<double, 6>{0.03, 0.031, 0.032, 0.001, 0.002, -0.003}));
  EXPECT_DOUBLE_EQ(s.atoms[0].sof, 1.0);
  EXPECT_EQ(s.atoms[2].label, "O 2");
  EXPECT_DOUBLE_EQ(s.atoms[2].sof, 0.5);  // on an inversion centre of P21/c
  EXPECT_DOUBLE_EQ(s.atoms[2].uiso, 0.03);
  EXPECT_FALSE(s.atoms[2].uaniso.has_value());
  EXPECT_EQ(s.atoms[3].element, "H");  // HO1 is typed H, not holmium
  EXPECT_FALSE(s.atoms[3].elementFromLabel);

  const ImportedStructure second = withLabelElements(importCif(
      text, "two_blocks.cif", [](const std::string& block) { return block == "second"; }));
  ASSERT_EQ(second.atoms.size(), 1u);
  EXPECT_EQ(second.atoms[0].element, "Fe");
  EXPECT_TRUE(second.atoms[0].elementFromLabel);
  EXPECT_DOUBLE_EQ(second.atoms[0].sof, 0.5);  // occupancy 0.5 at a general position of P1
  EXPECT_THROW(importCif(text, "two_blocks.cif", [](const std::string&) { return false; }),
               UserError);
}

TEST(CifImport, SofComesFromTheOperatorsWhateverAMultiplicityColumnSays) {
  // SHELXL-97 writes the site-symmetry order as "multiplicity" (1 for a general position), the
  // dictionary means the number of equivalent sites (2 for a general position of P-1).
  const std::string text =
      "data_x\n_cell_length_a 5\n_cell_length_b 6\n_cell_length_c 7\n_cell_angle_alpha 90\n"
      "_cell_angle_beta 90\n_cell_angle_gamma 90\n"
      "loop_\n_symmetry_equiv_pos_as_xyz\n'x, y, z'\n'-x, -y, -z'\n"
      "loop_\n_atom_site_label\n_atom_site_fract_x\n_atom_site_fract_y\n_atom_site_fract_z\n"
      "_atom_site_occupancy\n_atom_site_symmetry_multiplicity\n"
      "C1 0.1 0.2 0.3 1 1\nC2 0.2 0.3 0.4 1 2\nFe1 0 0 0 1 1\nFe2 0.5 0.5 0.5 1 2\n";
  const ImportedStructure s = importCif(text, "x.cif", [](const std::string&) { return true; });
  ASSERT_EQ(s.atoms.size(), 4u);
  EXPECT_DOUBLE_EQ(s.atoms[0].sof, 1.0);
  EXPECT_DOUBLE_EQ(s.atoms[1].sof, 1.0);
  EXPECT_DOUBLE_EQ(s.atoms[2].sof, 0.5);  // on an inversion centre
  EXPECT_DOUBLE_EQ(s.atoms[3].sof, 0.5);
}

TEST(CifImport, MissingCellOrAtomsAndUnreadableOperatorsAreReported) {
  const std::string cell =
      "data_x\n_cell_length_a 5\n_cell_length_b 5\n_cell_length_c 5\n_cell_angle_alpha 90\n"
      "_cell_angle_beta 90\n";
  const std::string atoms =
      "loop_\n_atom_site_label\n_atom_site_fract_x\n_atom_site_fract_y\n_atom_site_fract_z\n"
      "C1 0 0 0\n";
  const auto any = [](const std::string&) { return true; };
  try {
    importCif(cell + atoms, "x.cif", any);
    FAIL() << "a cell without gamma was imported";
  } catch (const UserError& e) {
    EXPECT_STREQ(e.what(), "data_x: _cell_angle_gamma is missing.");
  }
  EXPECT_THROW(importCif(cell + "_cell_angle_gamma 90\n", "x.cif", any), UserError);
  EXPECT_THROW(
      importCif(cell + "_cell_angle_gamma 90\n_symmetry_equiv_pos_as_xyz 'x,y,q'\n" + atoms,
                "x.cif", any),
      UserError);
  const ImportedStructure s = importCif(cell + "_cell_angle_gamma 90.0(3)\n" + atoms, "x.cif", any);
  EXPECT_EQ(s.cell[5], 90.0);
  EXPECT_EQ(s.operators.size(), 1u);
}

TEST(PdbImport, ReadsRecordsByColumnsUpToTheFirstModelsEnd) {
  const ImportedStructure s = importPdb(fixtureLines("peptide.pdb"));
  // Read alike by gemmi: N, CA (carbon), CD1 (carbon), CA (calcium), HO1 (hydrogen), O.
  ASSERT_EQ(s.atoms.size(), 6u);
  std::vector<std::string> elements;
  for (const ImportedAtom& atom : s.atoms)
    elements.push_back(atom.element);
  EXPECT_EQ(elements, (std::vector<std::string>{"N", "C", "C", "Ca", "H", "O"}));
  EXPECT_EQ(s.atoms[1].label, "CA");
  EXPECT_EQ(s.cell, (std::array<double, 6>{10, 12, 15, 90, 90, 90}));
  EXPECT_DOUBLE_EQ(s.atoms[0].x, 0.1);
  EXPECT_DOUBLE_EQ(s.atoms[0].y, 0.2);
  EXPECT_DOUBLE_EQ(s.atoms[0].z, 0.3);
  EXPECT_DOUBLE_EQ(s.atoms[2].sof, 0.5);
  EXPECT_EQ(s.operators.size(), 1u);  // P 1
}

TEST(PdbImport, WithoutCellTheAtomsGetAPseudoCell) {
  // A lone atom sits in the middle of a cell of the margin; "CRYST1 1 1 1" is no cell either.
  const ImportedStructure s = withLabelElements(
      importPdb({"CRYST1    1.000    1.000    1.000  90.00  90.00  90.00 P 1           1",
                 "HETATM    1 CL1  UNK     1       1.250  -2.500   3.000  1.00  0.00"}));
  ASSERT_EQ(s.atoms.size(), 1u);
  EXPECT_EQ(s.atoms[0].element, "Cl");
  EXPECT_EQ(s.cell, (std::array<double, 6>{10, 10, 10, 90, 90, 90}));
  EXPECT_TRUE(s.operators.empty());
  EXPECT_DOUBLE_EQ(s.atoms[0].x, 0.5);
  EXPECT_DOUBLE_EQ(s.atoms[0].y, 0.5);
  EXPECT_THROW(importPdb({"REMARK nothing", "END"}), UserError);
}

TEST(CoordinateImport, XyzCartesianAndFdat) {
  const ImportedStructure xyz = withLabelElements(importXyz(fixtureLines("fixture.xyz")));
  EXPECT_EQ(xyz.cell, (std::array<double, 6>{8.5, 10.2, 7.3, 90, 105, 90}));
  ASSERT_EQ(xyz.atoms.size(), 3u);
  EXPECT_EQ(xyz.atoms[1].element, "Cl");
  // HO1 is the H atom of a hydroxyl, not holmium: a heavy element beginning with H needs its
  // second letter small.
  EXPECT_EQ(xyz.atoms[2].element, "H");
  EXPECT_EQ(inferredHeavyElements(xyz), (std::vector<std::string>{"Cl"}));
  EXPECT_THROW(importXyz({"8.5 10.2 7.3 90 105", "C1 0 0 0"}), UserError);

  const ImportedStructure abc = importCartesian(fixtureLines("fixture.abc"));
  ASSERT_EQ(abc.atoms.size(), 3u);
  // Extents 1.234, 1.467 and 2.1 Å plus the margin, rounded up; the molecule's middle at 1/2.
  EXPECT_EQ(abc.cell, (std::array<double, 6>{12, 12, 13, 90, 90, 90}));
  EXPECT_NEAR(abc.atoms[0].x, 0.5 + (1.234 - 0.617) / 12, 1e-12);
  EXPECT_NEAR(abc.atoms[0].y, 0.5 + (-0.567 - 0.1665) / 12, 1e-12);
  EXPECT_NEAR(abc.atoms[2].z, 0.5 + (-0.1 - 0.95) / 13, 1e-12);
  EXPECT_THROW(importCartesian({"C1 0.1 abc 0.3"}), ConversionError);
  EXPECT_EQ(importCartesian({"2", "water fragment", "O 0 0 0", "H 0.96 0 0"}).atoms.size(), 2u);

  std::vector<std::string> warnings;
  const ImportedStructure fdat = importFdat(fixtureLines("fixture.fdat"), {}, warnings);
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(fdat.title, "FIXTUR");
  // The cell by the file's decimal counts: a 4.800 Å edge stays 4.8 Å.
  EXPECT_EQ(fdat.cell, (std::array<double, 6>{4.8, 12.681, 13.502, 90, 80.181, 120}));
  EXPECT_EQ(fdat.operators.size(), 2u);  // P-1
  ASSERT_EQ(fdat.atoms.size(), 3u);
  EXPECT_EQ(fdat.atoms[0].label, "C1");
  EXPECT_DOUBLE_EQ(fdat.atoms[0].x, 0.12345);
  EXPECT_DOUBLE_EQ(fdat.atoms[0].z, 0.34567);
  EXPECT_DOUBLE_EQ(fdat.atoms[2].y, -0.2);
}

TEST(ImportedInstructions, FreshLinesWithCellSymmetryContentsAndAtoms) {
  ImportedStructure s;
  s.title = "test";
  s.cell = {10, 6.5, 12, 90, 101.5, 90};
  s.z = 4;
  s.operators = ops({"x,y,z", "-x,y+1/2,-z+1/2", "-x,-y,-z", "x,-y+1/2,z+1/2"});
  s.atoms = {{"O 2", "O", 0, 0.5, 0.5, 0.5, 0.03, std::nullopt, false},
             {"C10A1", "C", 0.1, 0.2, 0.3, 1, 0.05, std::array<double, 6>{1, 2, 3, 4, 5, 6}, false},
             {"C1", "C", 0.2, 0.2, 0.3, 1, 0.05, std::nullopt, false}};
  EXPECT_EQ(assignShelxlLabels(s), (std::vector<std::string>{"O 2 -> O2", "C10A1 -> C2"}));
  EXPECT_EQ(instructionFileLines(s),
            (std::vector<std::string>{
                "TITL test", "CELL 0.71073 10.0000 6.5000 12.0000 90.000 101.500 90.000",
                "ZERR 4 0.0000 0.0000 0.0000 0.000 0.000 0.000", "LATT 1", "SYMM -X,Y+1/2,-Z+1/2",
                "SFAC O C", "UNIT 2 8", "L.S. 10", "FMAP 2", "PLAN 20", "FVAR 1.00000",
                "O2    1  0.000000  0.500000  0.500000  10.50000   0.03000",
                "C2    2  0.100000  0.200000  0.300000  11.00000   1.00000   2.00000 =",
                "       3.00000   4.00000   5.00000   6.00000",
                "C1    2  0.200000  0.200000  0.300000  11.00000   0.05000", "HKLF 4", "END"}));
}

TEST(ImportedLabels, NewLabelsFitFourCharactersUntilNoneAreLeft) {
  struct Case {
    const char* element;
    std::size_t atoms;
    const char* last;  // the label of the last atom
    const char* why;
  };
  const Case cases[] = {
      {"Cl", 101, "Cl1B", "after Cl99 a digit and a letter: Cl1A, then Cl1B"},
      {"C", 1000, "C1A", "after C999 the first lettered label"},
      {"Cl", 99 + 9 * 26, "Cl9Z", "the last label an element of two letters can take"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    ImportedStructure s;
    for (std::size_t i = 0; i < c.atoms; ++i)
      s.atoms.push_back({"toolong", c.element, 0, 0, 0, 1, 0.05, std::nullopt, false});
    EXPECT_EQ(assignShelxlLabels(s).size(), c.atoms);
    std::set<std::string> labels;
    for (const ImportedAtom& atom : s.atoms) {
      EXPECT_LE(atom.label.size(), 4u) << atom.label;
      labels.insert(text::upper(atom.label));
    }
    EXPECT_EQ(labels.size(), c.atoms) << "labels are unique";
    EXPECT_EQ(s.atoms.back().label, c.last);
  }
  // One Cl atom more than the labels (the first keeps "Cl"): refused with a message, not a
  // search without end.
  ImportedStructure full;
  for (std::size_t i = 0; i < 1 + 99 + 9 * 26 + 1; ++i)
    full.atoms.push_back({"Cl", "Cl", 0, 0, 0, 1, 0.05, std::nullopt, false});
  try {
    assignShelxlLabels(full);
    ADD_FAILURE() << "no refusal";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()),
              "The import needs more new labels for the Cl atoms than four characters can hold; "
              "shorten or rename some of their labels in the file and import it again.");
  }
}

TEST(ImportedInstructions, EveryNumberStandsAfterABlankWhateverItsWidth) {
  ImportedStructure s;
  s.title = "wide";
  s.atoms = {
      {"C1", "C", -10.5, 123.25, -1234.5, 1, 0.05, std::nullopt, false},
      {"C2", "C", 0.5, 0.5, 0.5, 1, 0.05, std::array<double, 6>{-10, 100, 1, 1, 1, 1}, false}};
  const std::vector<std::string> lines = instructionFileLines(s);
  const auto c1 = std::find_if(lines.begin(), lines.end(),
                               [](const std::string& line) { return line.starts_with("C1 "); });
  ASSERT_NE(c1, lines.end());
  EXPECT_EQ(*c1, "C1    1 -10.500000 123.250000 -1234.500000  11.00000   0.05000");
  EXPECT_EQ(*(c1 + 1), "C2    1  0.500000  0.500000  0.500000  11.00000 -10.00000 100.00000 =");
}

}  // namespace
}  // namespace tavo::formats
