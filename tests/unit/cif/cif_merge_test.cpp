// The merge of SHELXL's CIF and the .cif_od file into the template: the shipped template with
// our SHELXL-style sample read back by the strict parser, and the rules one small case each.
#include "cif/cif_merge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cif/cif_document.h"
#include "model/file_replace.h"

namespace tavo::cif {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::vector<std::string> fileLines(const std::string& relative) {
  std::ifstream in(std::filesystem::path(TAVO_SOURCE_DIR) / relative);
  std::ostringstream text;
  text << in.rdbuf();
  return splitLines(text.str());
}

std::size_t countLines(const std::vector<std::string>& lines, std::string_view text) {
  return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), text));
}

struct Merged {
  std::vector<CifWorkLine> work;
  std::vector<std::string> messages;
  std::vector<std::string> lines;
};

Merged merge(const std::vector<std::string>& templateLines, const std::vector<std::string>& source,
             std::string_view stem = "sample") {
  Merged m{templateWorkLines(templateLines), {}, {}};
  m.messages = mergeShelxlCif(m.work, source, stem, "2026-12-10");
  m.lines = outputLines(m.work);
  return m;
}

TEST(CifMerge, ShippedTemplateWithSampleReadsBackWithShelxlValues) {
  const std::vector<std::string> source = fileLines("tests/data/cif/cif_sample.cif");
  Merged m = merge(fileLines("data/template.cif"), source, "cif_sample");
  mergeCifOd(m.work, fileLines("tests/data/cif/cif_sample.cif_od"));
  m.lines = outputLines(m.work);
  const std::string text = model::joinLines(m.lines);

  const CifDocument out = parseCifText(text, "generated");
  const CifDocument shelxl = parseCifText(model::joinLines(source), "sample");
  ASSERT_EQ(out.blocks.size(), 1u);
  const CifBlock& b = out.blocks[0];
  const CifBlock& s = shelxl.blocks[0];
  EXPECT_EQ(b.name, "cif_sample");
  for (const char* tag :
       {"_cell_length_a", "_cell_length_b", "_cell_length_c", "_cell_angle_beta", "_cell_volume",
        "_chemical_formula_sum", "_refine_ls_R_factor_gt", "_refine_ls_wR_factor_ref",
        "_refine_ls_goodness_of_fit_ref", "_refine_ls_abs_structure_details",
        "_refine_ls_extinction_expression", "_refine_ls_weighting_details", "_shelx_res_file",
        "_shelx_hkl_file", "_refine_ls_abs_structure_Flack", "_diffrn_reflns_theta_max"})
    EXPECT_EQ(b.findValue(tag), s.findValue(tag)) << tag;
  const CifLoop* atoms = b.findLoop("_atom_site_label");
  ASSERT_NE(atoms, nullptr);
  EXPECT_EQ(atoms->values, s.findLoop("_atom_site_label")->values);
  EXPECT_EQ(b.findLoop("_geom_hbond_atom_site_label_D")->values,
            s.findLoop("_geom_hbond_atom_site_label_D")->values);
  EXPECT_EQ(b.findLoop("_geom_torsion_atom_site_label_1"), nullptr);

  // Layout: values from column 36, the date as yyyy-mm-dd, SHELXL's "mixed" kept, the old
  // threshold rewritten; the laboratory's lines and comments survive; "?" left the template's.
  EXPECT_EQ(countLines(m.lines, "_cell_length_a                     5.1234(5)"), 1u);
  EXPECT_EQ(countLines(m.lines, "_audit_creation_date             2026-12-10"), 1u);
  EXPECT_EQ(b.findValue("_refine_ls_hydrogen_treatment"), "mixed");
  EXPECT_EQ(b.findValue("_reflns_threshold_expression"), "I>2\\s(I)");
  EXPECT_EQ(b.findValue("_exptl_crystal_density_method"), "not measured");
  EXPECT_EQ(b.findValue("_exptl_crystal_density_meas"), "?");
  // The shipped placeholders nobody filled in are unknown, for checkCIF to ask for.
  EXPECT_EQ(b.findValue("_audit_contact_author_name"), "?");
  EXPECT_EQ(b.findValue("_exptl_crystal_colour"), "?");
  EXPECT_EQ(b.findValue("_audit_contact_author_address"), "?");
  EXPECT_EQ(b.findValue("_publ_section_references"),
            "Sheldrick, G. M. (2015). Acta Cryst. A71, 3-8.\n"
            "Sheldrick, G. M. (2015). Acta Cryst. C71, 3-8.");
  for (const std::string& line : m.lines) {
    if (line.empty() || line[0] != '#') {
      EXPECT_EQ(line.find("LAB:"), std::string::npos) << line;
    }
  }
  EXPECT_EQ(countLines(m.lines, "# Contact author (LAB)"), 1u);
  // The diffractometer's values, a text field whole; its "?" left the template's text.
  EXPECT_EQ(b.findValue("_cell_measurement_theta_min"), "3.1000");
  EXPECT_EQ(b.findValue("_exptl_absorpt_process_details"),
            "Collector 1.2: empirical absorption correction\nwith spherical harmonics.");
  EXPECT_EQ(b.findValue("_diffrn_source_type"), "?");
  EXPECT_EQ(countLines(m.lines, "_exptl_absorpt_correction_T_min    0.91234"), 1u);
  // One message: the torsion loop SHELXL did not write, left out with its "loop_" line.
  ASSERT_EQ(m.messages.size(), 1u);
  EXPECT_NE(m.messages[0].find("<<_geom_torsion_atom_site_label_1>> is not foudn"),
            std::string::npos);
  EXPECT_EQ(countLines(m.lines, "loop_"), 7u);

  // Generating twice from the template gives the same lines.
  EXPECT_EQ(merge(fileLines("data/template.cif"), source, "cif_sample").lines,
            merge(fileLines("data/template.cif"), source, "cif_sample").lines);
}

TEST(CifMerge, ItemsShelxlDoesNotWriteForTheStructureAreLeftOut) {
  // A centrosymmetric structure without extinction or embedded files.
  const std::vector<std::string> source = {"data_x",
                                           "_cell_length_a 5.0",
                                           "_chemical_formula_sum 'C2 H6 O'",
                                           "_refine_ls_extinction_method none",
                                           "_refine_ls_extinction_coef .",
                                           "_refine_ls_weighting_details",
                                           " 'w=1/[\\s^2^(Fo^2^)]'"};
  const Merged m = merge(fileLines("data/template.cif"), source);
  const CifBlock b = parseCifText(model::joinLines(m.lines), "out").blocks[0];
  for (const char* tag : {"_refine_ls_abs_structure_Flack", "_chemical_absolute_configuration",
                          "_shelx_res_file", "_shelx_hkl_checksum"})
    EXPECT_FALSE(b.findValue(tag)) << tag;
  EXPECT_EQ(b.findValue("_refine_ls_extinction_coef"), ".");
  for (const std::string& line : m.lines) {
    EXPECT_EQ(line.find("#_refine_ls_extinction_expression"), std::string::npos);
    EXPECT_EQ(line.find("Flack x determined"), std::string::npos);
  }
  EXPECT_FALSE(b.findLoop("_atom_site_label"));
  EXPECT_EQ(
      std::count(m.messages.begin(), m.messages.end(), std::string(embeddedFilesMissingMessage)),
      1);
}

TEST(CifMerge, RulesOnSmallTemplates) {
  const struct {
    const char* name;
    std::vector<std::string> templateLines;
    std::vector<std::string> source;
    std::vector<std::string> expected;  // the output lines
    std::vector<std::string> messages;
  } cases[] = {
      {"sum and moiety filled without an iupac line",
       {"data_t", "_chemical_formula_moiety ?", "_chemical_formula_sum ?"},
       {"data_s", "_chemical_formula_sum", " 'C4 H4 O4'"},
       {"data_sample", "_chemical_formula_moiety         'C4 H4 O4'",
        "_chemical_formula_sum            'C4 H4 O4'"},
       {}},
      {"no formula in SHELXL's CIF",
       {"data_t", "_chemical_formula_sum ?"},
       {"data_s", "_cell_length_a 5"},
       {"data_sample", "_chemical_formula_sum            Check_it_out"},
       {}},
      {"a single blank after the name, and a ? that keeps the template's value",
       {"data_t", "_cell_length_b 7", "_cell_length_c ?"},
       {"data_s", "_cell_length_b ?", "_cell_length_c 9.1(2)"},
       {"data_sample", "_cell_length_b 7", "_cell_length_c                     9.1(2)"},
       {}},
      {"block names and misspelt names",
       {"data_global", "_symetry_cell_setting ?", "data_t", "_cell_length_a ?"},
       {"data_s", "_cell_length_a 5"},
       {"data_global", "_symmetry_cell_setting ?", "data_my_file__2_",
        "_cell_length_a                     5"},
       {}},
      {"no weighting scheme in SHELXL's CIF",
       {"data_t", "_refine_ls_weighting_details", " ?"},
       {"data_s"},
       {"data_sample",
        "_refine_ls_weighting_details       Weighting_scheme_seems_missing_in_your_CIF"},
       {"The field <<_refine_ls_weighting_details>> is missing!"}},
      {"details of the absolute structure inserted after the extinction items",
       {"data_t", "_refine_ls_extinction_method ?", "_refine_ls_extinction_coef ?", "_x ?"},
       {"data_s", "_refine_ls_extinction_coef .", "_refine_ls_abs_structure_details", ";",
        " line 1", " line 2", ";"},
       {"data_sample", "_refine_ls_extinction_method ?", "_refine_ls_extinction_coef         .",
        "_refine_ls_abs_structure_details", ";", " line 1", " line 2", ";", "_x ?"},
       {}},
      {"the template's placeholders are unknown unless the laboratory filled them in",
       {"data_t", "_exptl_crystal_colour             'LAB: colour, e.g. colourless'",
        "_exptl_crystal_description       block", "_diffrn_detector  \"LAB: detector\"",
        "_audit_contact_author_address", ";", "LAB: department", "  LAB: institution", ";",
        "_publ_section_references", ";", "Sheldrick, G. M. (2015).", "LAB: further references",
        ";"},
       {"data_s", "_exptl_crystal_colour ?", "_exptl_crystal_description ?"},
       {"data_sample", "_exptl_crystal_colour             ?",
        "_exptl_crystal_description       block", "_diffrn_detector  ?",
        "_audit_contact_author_address      ?", "_publ_section_references", ";",
        "Sheldrick, G. M. (2015).", ";"},
       {}},
      {"no place for the extinction expression",
       {"data_t", "_x ?"},
       {"data_s", "_refine_ls_extinction_expression", " 'Fc^*^=kFc'"},
       {"data_sample", "_x ?"},
       {std::string(extinctionPairMissingMessage)}},
  };
  for (const auto& c : cases) {
    const std::string stem = std::string(c.name).starts_with("block") ? "my file (2)" : "sample";
    const Merged m = merge(c.templateLines, c.source, stem);
    EXPECT_EQ(m.lines, c.expected) << c.name;
    EXPECT_EQ(m.messages, c.messages) << c.name;
  }
}

TEST(CifMerge, OmitMarksLeaveLinesOut) {
  const std::vector<CifWorkLine> work = {
      {"", "a"}, {" OMIT ", "b"}, {"TAVO", "c"}, {"SHELX", "d"}, {"OMITTED", "e"}};
  EXPECT_EQ(outputLines(work), (std::vector<std::string>{"a", "c", "d", "e"}));
}

}  // namespace
}  // namespace tavo::cif
