// Reading and writing SHELXL's .fcf files: a small CIF header and one loop of reflections.
#pragma once

#include <filesystem>

#include "density/reflection.h"

namespace tavo::density {

/// The header and the reflection loop of a LIST 4 or LIST 6 .fcf file; the loop's columns are
/// found by their names. Throws FileError when the file cannot be read, and UserError naming
/// the file (and the line) for another list code, a missing column or a malformed row.
FcfData readFcfFile(const std::filesystem::path& file);

/// Writes `data.rows` as a LIST 6 .fcf file laid out as SHELXL writes one (h k l Fo² σ Fc φ),
/// under the header items of `header` (the symmetry loop and the cell only when given), through
/// the program's one replace function. Throws FileError when the file cannot be written.
void writeFcfList6(const std::filesystem::path& file, const FcfData& data, const FcfHeader& header);

}  // namespace tavo::density
