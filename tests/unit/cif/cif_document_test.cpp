// The CIF reader: values as written, loops by their headers, and the errors a strict parser finds.
#include "cif/cif_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "text/errors.h"

namespace tavo::cif {
namespace {

TEST(CifDocument, ReadsBlocksItemsTextFieldsAndLoopsByTheirHeaders) {
  const CifDocument doc = readCifFile(
      (std::filesystem::path(TAVO_SOURCE_DIR) / "tests/data/cif/two_blocks.cif").string());
  ASSERT_EQ(doc.blocks.size(), 2u);
  const CifBlock& first = doc.blocks[0];
  EXPECT_EQ(first.name, "first");
  EXPECT_EQ(first.findValue("_CELL_LENGTH_A"), "5.1230(4)");
  EXPECT_EQ(first.findValue("_chemical_name_systematic"), "methyl 4-hydroxybenzoate");
  EXPECT_EQ(first.findValue("_refine_ls_abs_structure_details"),
            " Flack x determined using 1105 quotients\n [(I+)-(I-)]/[(I+)+(I-)]");
  EXPECT_FALSE(first.findValue("_cell_length_b").has_value());
  const CifLoop* atoms = first.findLoop("_atom_site_label");
  ASSERT_NE(atoms, nullptr);
  EXPECT_EQ(atoms->rowCount(), 3u);
  EXPECT_EQ(atoms->findColumn("_atom_site_type_symbol"), 0u);
  const std::size_t label = *atoms->findColumn("_atom_site_label");
  EXPECT_EQ(atoms->at(2, label), "H1 A");
  EXPECT_TRUE(isCifNull(atoms->at(1, 3)));
  EXPECT_TRUE(isCifNull(atoms->at(2, 3)));
  EXPECT_EQ(doc.blocks[1].findValue("_cell_length_a"), "7.0");
}

TEST(CifDocument, RefusesWhatAStrictParserRefuses) {
  const struct {
    const char* text;
    const char* why;
  } cases[] = {
      {"data_a\n_cell_length_a 1\n_cell_length_a 2\n", "a data name given twice"},
      {"data_a\nloop_\n_x\n_y\n1 2 3\n", "a loop with a missing value"},
      {"data_a\n_title 'unterminated\n", "an open quote"},
      {"data_a\n_text\n;\nnever closed\n", "an open text field"},
  };
  for (const auto& c : cases) {
    EXPECT_THROW(parseCifText(c.text, "test.cif"), UserError) << c.why;
  }
}

}  // namespace
}  // namespace tavo::cif
