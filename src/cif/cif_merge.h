// The CIF of a structure made from the laboratory's template: values, whole text fields and whole
// loops of SHELXL's CIF and of the diffractometer's .cif_od written into a copy of the template's
// lines, which keep their layout, comments and order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo::cif {

/// Marks of the work lines.
inline constexpr std::string_view markShelx = "SHELX";
inline constexpr std::string_view markRigaku = "Rigaku";
inline constexpr std::string_view markCheck = "Check";
inline constexpr std::string_view markInserted = "temp_read";
inline constexpr std::string_view markUser = "TAVO";
inline constexpr std::string_view markOmit = "OMIT";

/// One line of the CIF being made, with its mark.
struct CifWorkLine {
  std::string mark;
  std::string text;
  bool operator==(const CifWorkLine&) const = default;
};

/// Given messages of the merge.
inline constexpr std::string_view weightingMissingPrefix = "The field <<";
inline constexpr std::string_view weightingMissingSuffix = ">> is missing!";
inline constexpr std::string_view weightingPlaceholder =
    "Weighting_scheme_seems_missing_in_your_CIF";
inline constexpr std::string_view extinctionPairMissingMessage =
    "_refine_ls_extinction cards are missing in your template!";
inline constexpr std::string_view embeddedFilesMissingMessage =
    "The template.cif file does not contain the _shelx_hkl_file code!";

/// The template's lines as work lines, all unmarked.
std::vector<CifWorkLine> templateWorkLines(const std::vector<std::string>& lines);

/// Merges SHELXL's CIF (`source`, lines as read) into `work`: the creation date `isoDate`
/// (yyyy-mm-dd), the formula, the single values, the text fields, the loops, the embedded .res
/// and .hkl files, and the block name made from `fileStem`. Takes the first data block that has
/// a cell. Returns the messages for the user (loops missing from SHELXL's CIF and the like).
std::vector<std::string> mergeShelxlCif(std::vector<CifWorkLine>& work,
                                        const std::vector<std::string>& source,
                                        std::string_view fileStem, std::string_view isoDate);

/// Merges the diffractometer's values of a .cif_od file (`source`, lines as read) into `work`.
/// A "?" of the file leaves the template's value.
void mergeCifOd(std::vector<CifWorkLine>& work, const std::vector<std::string>& source);

/// How the shipped template marks a value for the laboratory to fill in ('LAB: colour, ...').
inline constexpr std::string_view laboratoryPlaceholderPrefix = "LAB:";

/// Whether a value or a line of a text field is such a placeholder (quotes and leading blanks
/// aside).
bool isLaboratoryPlaceholder(std::string_view text);

/// The texts of the lines that are not marked "OMIT", in order, with every value still holding
/// the template's placeholder written as "?" (unknown, as SHELXL writes it, so that a check of
/// the CIF asks for it): a text field keeps its other lines and is "?" when none are left.
std::vector<std::string> outputLines(const std::vector<CifWorkLine>& work);

/// "data_" + `fileStem` with every character a block name should not hold replaced by "_".
std::string blockNameFor(std::string_view fileStem);

}  // namespace tavo::cif
