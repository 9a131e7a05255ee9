// The CIF generation end to end through the built tavo-cli: `tavo-cli cif` on our sample and on
// the real structure of the corpus that comes with its SHELXL CIF and .cif_od file, and the CIF
// Editor's steps by hand from a run script.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cif/cif_document.h"
#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

/// Our sample structure (paraben's .res under the sample's name) with its SHELXL CIF and, if
/// asked, its .cif_od file.
void copySample(const TempFolder& folder, bool withCifOd = true) {
  const fs::path source = TAVO_SOURCE_DIR;
  fs::copy_file(source / "examples/paraben.res", folder.path() / "cif_sample.res");
  fs::copy_file(source / "tests/data/cif/cif_sample.cif", folder.path() / "cif_sample.cif");
  if (withCifOd) {
    fs::copy_file(source / "tests/data/cif/cif_sample.cif_od", folder.path() / "cif_sample.cif_od");
  }
}

/// The lines of `from` that start with '#', in order.
std::vector<std::string> commentLines(const std::vector<std::string>& from) {
  std::vector<std::string> lines;
  for (const std::string& line : from)
    if (line.starts_with("#")) lines.push_back(line);
  return lines;
}

TEST(CifScript, CifCommandWritesTheCifKeepingTheTemplatesLayout) {
  TempFolder folder;
  copySample(folder);
  const Outcome o = runCli(folder, "cif cif_sample.res");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  const fs::path written = folder.path() / "cif_sample_tavo.cif";
  EXPECT_NE(o.out.find("A new cif file written into a file: " + written.string()),
            std::string::npos);
  const cif::CifBlock block = cif::readCifFile(written.string()).blocks.at(0);
  EXPECT_EQ(block.findValue("_cell_length_c"), "12.3456(11)");
  EXPECT_EQ(block.findValue("_cell_measurement_reflns_used"), "2345");
  // The template's comments survive in their order, but for the placeholders SHELXL's values
  // replaced and the column notes inside the example H-bond loop.
  std::vector<std::string> expected =
      commentLines(model::loadRawFileLines(dataFolder() / "template.cif"));
  std::erase_if(expected, [](const std::string& l) {
    return l.starts_with("#_refine") || l.starts_with("#;") || l.starts_with("# 'Fc") ||
           l.starts_with("# Flack") || l.starts_with("# (Parsons") || l.starts_with("#   ");
  });
  EXPECT_EQ(commentLines(model::loadRawFileLines(written)), expected);
}

TEST(CifScript, CifCommandStopsWithoutShelxlsCifAndTakesTheGivenFiles) {
  TempFolder folder;
  copySample(folder, false);
  fs::rename(folder.path() / "cif_sample.cif", folder.path() / "elsewhere.cif");
  const Outcome missing = runCli(folder, "cif cif_sample.res");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.out.find("does not exit!! It must have a name of \"" +
                             (folder.path() / "cif_sample.cif").string()),
            std::string::npos)
      << missing.out;
  EXPECT_FALSE(fs::exists(folder.path() / "cif_sample_tavo.cif"));

  fs::rename(folder.path() / "elsewhere.cif", folder.path() / "cif_sample.cif");
  folder.write("lab.cif", "# our own\ndata_lab\n_cell_length_a ?\n_diffrn_source ?\n");
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "tests/data/cif/cif_sample.cif_od",
                folder.path() / "run7.od");
  const Outcome given = runCli(folder, "cif cif_sample.res --template lab.cif --cif-od run7.od");
  ASSERT_EQ(given.status, 0) << given.out << given.err;
  EXPECT_EQ(given.out.find("Using the file template.cif"), std::string::npos);
  EXPECT_EQ(model::loadRawFileLines(folder.path() / "cif_sample_tavo.cif"),
            (std::vector<std::string>{"# our own", "data_cif_sample",
                                      "_cell_length_a                     5.1234(5)",
                                      "_diffrn_source                     'micro-focus sealed "
                                      "X-ray tube'"}));
}

TEST(CifScript, CorpusStructureWithItsShelxlCifAndCifOd) {
  const fs::path corpus = corpusFolder();
  const std::string stem = "logbooker_dom1_mC";
  if (corpus.empty() || !fs::exists(corpus / "cif_od" / (stem + ".cif_od")))
    GTEST_SKIP() << "no corpus beside the checkout";
  TempFolder folder;
  fs::copy_file(corpus / "shelxl" / (stem + ".res"), folder.path() / (stem + ".res"));
  fs::copy_file(corpus / "cif_shelxl" / (stem + ".cif"), folder.path() / (stem + ".cif"));
  fs::copy_file(corpus / "cif_od" / (stem + ".cif_od"), folder.path() / (stem + ".cif_od"));
  const Outcome o = runCli(folder, "cif " + stem + ".res");
  ASSERT_EQ(o.status, 0) << o.out << o.err;

  const cif::CifDocument written =
      cif::readCifFile((folder.path() / (stem + "_tavo.cif")).string());
  const cif::CifDocument shelxl =
      cif::readCifFile((corpus / "cif_shelxl" / (stem + ".cif")).string());
  const cif::CifBlock& out = written.blocks.at(0);
  const cif::CifBlock& in = shelxl.blocks.at(0);
  for (const char* tag :
       {"_cell_length_a", "_cell_angle_beta", "_cell_volume", "_chemical_formula_sum",
        "_refine_ls_R_factor_gt", "_refine_ls_wR_factor_ref", "_shelx_hkl_file"})
    EXPECT_EQ(out.findValue(tag), in.findValue(tag)) << tag;
  EXPECT_EQ(out.findLoop("_atom_site_label")->values, in.findLoop("_atom_site_label")->values);
  EXPECT_EQ(out.findValue("_diffrn_source"), "synchrotron");  // from the .cif_od
}

TEST(CifScript, EditorStepsByHandFromARunScript) {
  TempFolder folder;
  copySample(folder, false);
  const Outcome o = runScript(folder,
                              "open cif_sample.res\n"
                              "\"View CIF Generation Window\"\n"
                              "window TForm10 press \"Import_SHELXL97_CIF (*.cif)\"\n");
  EXPECT_NE(o.status, 0);
  EXPECT_NE((o.err + o.out).find("is not enabled yet"), std::string::npos) << o.err;

  const Outcome done = runScript(folder,
                                 "open cif_sample.res\n"
                                 "\"View CIF Generation Window\"\n"
                                 "answer " +
                                     (dataFolder() / "template.cif").string() +
                                     "\n"
                                     "window TForm10 press Import_Template_CIF\n"
                                     "answer cif_sample.cif\n"
                                     "window TForm10 press \"Import_SHELXL97_CIF (*.cif)\"\n"
                                     "window TForm10 double-click 0\n"
                                     "window TForm10 select 2\n"
                                     "window TForm10 press \"Edit Line\"\n"
                                     "window TForm36 set \"  # Our laboratory  \"\n"
                                     "window TForm36 press Update\n"
                                     "answer mine.cif\n"
                                     "window TForm10 press Save_New_CIF\n");
  ASSERT_EQ(done.status, 0) << done.out << done.err;
  const std::vector<std::string> lines = model::loadRawFileLines(folder.path() / "mine.cif");
  const std::vector<std::string> original = model::loadRawFileLines(dataFolder() / "template.cif");
  ASSERT_GT(lines.size(), 3u);
  EXPECT_EQ(lines[0], original[1]);  // the first line left out by the double click
  EXPECT_EQ(lines[1], "# Our laboratory");
  EXPECT_EQ(lines[2], original[3]);
  EXPECT_EQ(cif::readCifFile((folder.path() / "mine.cif").string())
                .blocks.at(0)
                .findValue("_refine_ls_R_factor_gt"),
            "0.0312");
}

}  // namespace
}  // namespace tavo::testing
