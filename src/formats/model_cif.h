// The current model as a CIF: cell, symmetry operators and atom sites with their U values, so
// that other programs can regrow the crystal from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/structure_model.h"

namespace tavo::formats {

/// The space group of the model when a group of the table is known ("P21/c", 14).
struct ModelCifGroup {
  std::string name;
  int number = 0;
};

/// A CIF value as written in a loop or after a tag: unquoted when it can be, else in single
/// (or double) quotes; "?" for an empty text.
std::string cifValue(std::string_view text);

/// Ueq of anisotropic Uij (SHELXL's U11 U22 U33 U23 U13 U12) in `cell`: a third of the trace of
/// the Cartesian tensor. Throws UserError when the cell has no volume.
double equivalentU(const model::CellParameters& cell, const std::array<double, 6>& u);

/// The Uiso of an H atom of the file: its own, or for a riding H (negative Uiso) that factor
/// times the Ueq of its parent (the atom carrying its AFIX group, else the atom it follows);
/// nothing when that atom is missing. Throws UserError when the cell has no volume.
std::optional<double> riderUiso(const model::StructureModel& structure, const model::Hydrogen& h);

/// The data block `blockName` of the atoms and H atoms of the file (no generated copies, no
/// peaks): cell with its esds and Z, the symmetry operators of the model (and the group when
/// `group` is given), every atom site with its element, fractional coordinates, U (Ueq for an
/// anisotropic atom, a riding H atom's multiple of its parent's Ueq), adp type, occupancy
/// (sof times the site-symmetry order) and PART as disorder group, and the Uij of the
/// anisotropic atoms. Labels within a residue carry "_" and the residue number, as SHELXL's CIF
/// writes them.
std::vector<std::string> modelCifLines(const model::StructureModel& structure,
                                       std::string_view blockName,
                                       const std::optional<ModelCifGroup>& group);

}  // namespace tavo::formats
