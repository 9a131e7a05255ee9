// The cell of the CELL and ZERR cards and its orthogonalisation (x along a, y in the ab plane).
#pragma once

#include <string_view>

#include "model/vec3.h"

namespace tavo::model {

/// Degrees per radian: the one constant of every conversion between degrees and radians.
inline constexpr double degreesPerRadian = 57.295779513082320877;

struct CellParameters {
  double wavelength = 0;                     // Å
  double a = 0, b = 0, c = 0;                // Å
  double alpha = 0, beta = 0, gamma = 0;     // degrees
  double z = 0;                              // ZERR: formula units per cell
  double sa = 0, sb = 0, sc = 0;             // esds of a, b, c
  double salpha = 0, sbeta = 0, sgamma = 0;  // esds of the angles
  Vec3 aVector, bVector, cVector;            // orthogonalisation: the cell edges in Å
  friend bool operator==(const CellParameters&, const CellParameters&) = default;
};

/// The message for a cell whose angles cannot close.
inline constexpr std::string_view impossibleCellMessage =
    "The cell angles of the CELL card do not form a cell.";

/// Computes aVector, bVector, cVector from a, b, c, alpha, beta, gamma. Throws UserError when
/// the angles cannot close (negative square root) or an edge is not positive.
void orthogonalise(CellParameters& cell);

/// x·a-vector + y·b-vector + z·c-vector.
inline Vec3 toCartesian(const CellParameters& cell, double x, double y, double z) {
  return x * cell.aVector + y * cell.bVector + z * cell.cVector;
}

}  // namespace tavo::model
