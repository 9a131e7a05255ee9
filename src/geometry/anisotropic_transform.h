// Anisotropic displacement parameters carried through a symmetry operator of the crystal.
#pragma once

#include <array>

#include "model/cell_parameters.h"

namespace tavo::geometry {

/// The six Uij of an anisotropic atom in SHELXL's order and convention (Å², referred to the
/// reciprocal axes: U11 U22 U33 U23 U13 U12).
struct AnisotropicU {
  double u11 = 0, u22 = 0, u33 = 0, u23 = 0, u13 = 0, u12 = 0;
  friend bool operator==(const AnisotropicU&, const AnisotropicU&) = default;
};

/// The rotation part of a symmetry operator on fractional coordinates, row by row (as
/// SeitzOperator::r holds it).
using FractionalRotation = std::array<int, 9>;

/// The reciprocal cell edges a*, b*, c* in 1/Å of a cell given by a, b, c and its angles.
/// Throws UserError (model::impossibleCellMessage) when the cell has no volume.
std::array<double, 3> reciprocalLengths(const model::CellParameters& cell);

/// The Uij of an atom moved by an operator with fractional rotation R: U' = R U* Rᵀ with
/// U*ij = Uij·a*i·a*j, turned back into Uij. Only a, b, c and the angles of `cell` are used.
/// Throws UserError (model::impossibleCellMessage) when the cell has no volume.
AnisotropicU transformAnisotropicU(const model::CellParameters& cell,
                                   const FractionalRotation& rotation, const AnisotropicU& u);

}  // namespace tavo::geometry
