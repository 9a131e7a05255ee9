// Reading the atoms, cell and symmetry of a CIF data block.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "cif/cif_document.h"
#include "formats/imported_structure.h"

namespace tavo::formats {

/// Shown when no data block of a CIF holds an atom loop with fractional coordinates.
inline constexpr std::string_view noAtomBlockMessage =
    "There is no data block with atom sites (_atom_site_label with _atom_site_fract_x, y and z) "
    "in this CIF.";

/// Asked for each data block with atoms when there are several; yes takes that block.
std::string chooseBlockQuestion(std::string_view blockName);

/// The structure of one data block: the cell, the operators of _space_group_symop_operation_xyz
/// (or _symmetry_equiv_pos_as_xyz), the atom sites by their loop's tags with the element from
/// _atom_site_type_symbol (else the label), occupancy turned into SHELXL's sof with the site
/// multiplicity, Uiso and the Uij of the aniso loop. Throws UserError naming what is missing.
ImportedStructure importCifBlock(const cif::CifBlock& block);

/// The structure of a CIF text: its one block with atoms or, with several, the first that
/// `acceptBlock` takes (none taken: UserError). Throws UserError for a syntax error.
ImportedStructure importCif(std::string_view text, std::string_view sourceName,
                            const std::function<bool(const std::string&)>& acceptBlock);

}  // namespace tavo::formats
