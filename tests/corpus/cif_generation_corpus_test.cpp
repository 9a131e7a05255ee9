// Every real SHELXL CIF of the corpus merged into the shipped template (with its diffractometer's
// .cif_od where the corpus has the pair) and read back by the strict reader: the cell, formula,
// R factors and atom sites are SHELXL's.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cif/cif_document.h"
#include "cif/cif_merge.h"
#include "model/file_replace.h"
#include "support/temp_folder.h"
#include "text/errors.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

const cif::CifBlock* structureBlock(const cif::CifDocument& doc) {
  for (const cif::CifBlock& block : doc.blocks)
    if (block.findValue("_cell_length_a")) return &block;
  return nullptr;
}

TEST(CifGenerationCorpus, EveryShelxlCifMergesAndReadsBackWithItsValues) {
  const std::vector<fs::path> files = corpusFiles("cif_shelxl");
  if (files.empty()) GTEST_SKIP() << "no corpus beside the checkout";
  const std::vector<std::string> templateLines =
      linesOf(readFileBytes(dataFolder() / "template.cif"));
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    const std::string text = readFileBytes(file);
    cif::CifDocument shelxl;
    try {
      shelxl = cif::parseCifText(text, file.string());
    } catch (const UserError&) {
      continue;  // the generation refuses it before merging (tested with our own files)
    }
    std::vector<cif::CifWorkLine> work = cif::templateWorkLines(templateLines);
    cif::mergeShelxlCif(work, linesOf(text), file.stem().string(), "2026-12-10");
    const fs::path od = corpusFolder() / "cif_od" / (file.stem().string() + ".cif_od");
    if (fs::exists(od)) cif::mergeCifOd(work, linesOf(readFileBytes(od)));

    const std::string output = model::joinLines(cif::outputLines(work));
    cif::CifDocument generated;
    ASSERT_NO_THROW(generated = cif::parseCifText(output, "generated"));
    ASSERT_EQ(generated.blocks.size(), 1u);
    const cif::CifBlock& out = generated.blocks[0];
    const cif::CifBlock* in = structureBlock(shelxl);
    ASSERT_NE(in, nullptr);
    for (const char* tag :
         {"_cell_length_a", "_cell_length_b", "_cell_length_c", "_cell_angle_alpha",
          "_cell_angle_beta", "_cell_angle_gamma", "_cell_volume", "_cell_formula_units_Z",
          "_chemical_formula_sum", "_chemical_formula_weight", "_refine_ls_R_factor_all",
          "_refine_ls_R_factor_gt", "_refine_ls_wR_factor_ref", "_refine_ls_wR_factor_gt",
          "_refine_ls_goodness_of_fit_ref", "_refine_ls_weighting_details",
          "_refine_ls_abs_structure_details", "_shelx_res_file", "_shelx_hkl_file"}) {
      const std::optional<std::string> expected = in->findValue(tag);
      if (expected && *expected != "?") {
        EXPECT_EQ(out.findValue(tag), expected) << tag;
      }
    }
    for (const char* tag : {"_atom_site_label", "_atom_site_aniso_label",
                            "_geom_bond_atom_site_label_1", "_geom_hbond_atom_site_label_D"}) {
      const cif::CifLoop* expected = in->findLoop(tag);
      const cif::CifLoop* written = out.findLoop(tag);
      ASSERT_EQ(written != nullptr, expected != nullptr) << tag;
      if (expected) {
        EXPECT_EQ(written->tags, expected->tags) << tag;
        EXPECT_EQ(written->values, expected->values) << tag;
      }
    }
    if (fs::exists(od)) {
      const cif::CifDocument odDocument = cif::readCifFile(od.string());
      const cif::CifBlock& diffractometer = odDocument.blocks.at(0);
      for (const char* tag : {"_cell_measurement_theta_min", "_exptl_absorpt_correction_T_min",
                              "_exptl_absorpt_process_details", "_diffrn_source"})
        EXPECT_EQ(out.findValue(tag), diffractometer.findValue(tag)) << tag;
    }
  }
}

}  // namespace
}  // namespace tavo::testing
