// Reading SHELXL's reflection files: the HKLF card, the HKLF 4 .hkl file (also as embedded in a
// CIF) and the files that lie beside a structure file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "density/reflection.h"

namespace tavo::density {

/// The HKLF card "HKLF n [s [r11 .. r33 [wt [m]]]]", as kept in the model's HKLF line; an empty
/// line is HKLF 4 with the defaults. Throws UserError for a line that is not an HKLF card, a word
/// that is not a number, more than thirteen numbers, or a matrix whose determinant is not
/// positive (SHELXL refuses such a matrix too).
HklfCard parseHklfCard(std::string_view line);

/// The reflections of an HKLF 4 text: fixed columns 3I4,2F8.2 and an optional I4 batch number,
/// up to the first row whose indices are all 0 (a blank row reads as such) or the end. Fo² and σ
/// are multiplied by the card's scale and the indices transformed by its matrix. Throws
/// UserError naming `sourceName` and the line for a malformed row, for indices that the matrix
/// does not turn into whole numbers, and for an HKLF type other than 4.
std::vector<Reflection> parseHklText(std::string_view text, const HklfCard& card,
                                     std::string_view sourceName);

/// parseHklText on the contents of `file` (named by its file name in messages). Throws
/// FileError when the file cannot be read.
std::vector<Reflection> readHklFile(const std::filesystem::path& file, const HklfCard& card);

/// The instruction and reflection files that SHELXL embeds in the CIF it writes, from the first
/// data block that carries either.
struct EmbeddedShelxFiles {
  std::string blockName;           // empty when no block carries either file
  std::optional<std::string> res;  // _shelx_res_file or _iucr_refine_instructions_details
  std::optional<std::string> hkl;  // _shelx_hkl_file or _iucr_refine_reflections_details
};

/// The embedded .res and .hkl texts of `cif` (both empty when no block has them). Throws
/// UserError when the CIF cannot be read or parsed.
EmbeddedShelxFiles findEmbeddedShelxFiles(const std::filesystem::path& cif);

/// The file with the stem of `structureFile` and `extension` (".hkl" or "hkl") in the same
/// folder, tried as given and then in upper case; empty when neither exists.
std::optional<std::filesystem::path> findBeside(const std::filesystem::path& structureFile,
                                                std::string_view extension);

}  // namespace tavo::density
