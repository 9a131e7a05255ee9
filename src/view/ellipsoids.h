// Thermal ellipsoids: the probability surfaces of anisotropic displacement parameters, turned
// Cartesian (or into the view frame), their principal axes, and their outline as seen along z.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/structure_model.h"
#include "model/vec3.h"

namespace tavo::view {

/// A 3×3 matrix of doubles, row by row.
using Matrix3 = std::array<std::array<double, 3>, 3>;

/// Shown when a probability is not between 0 and 100 %.
inline constexpr std::string_view probabilityRangeMessage =
    "The probability of the ellipsoids must lie between 0 and 100 %.";

/// The radius, in standard deviations, of the surface of a trivariate normal distribution that
/// holds `probability` (0 < p < 1) of it: the root of the chi-square distribution with three
/// degrees of freedom (1.5382 for 50 %). Throws UserError (probabilityRangeMessage) outside.
double probabilityScale(double probability);

/// A probability given as a fraction (0.5) or in percent (50): values from 1 on are percent.
/// Throws UserError (probabilityRangeMessage) when the result is not within 0..1 exclusive.
double probabilityFraction(double value);

/// The eigenvalues of a symmetric matrix in ascending order and their unit eigenvectors; each
/// vector's largest component is positive. Found by cyclic Jacobi rotations.
struct EigenSystem {
  std::array<double, 3> values{};
  std::array<model::Vec3, 3> vectors{};
};
EigenSystem symmetricEigen(const Matrix3& m);

/// The Uij of SHELXL (referred to the reciprocal axes) as a Cartesian tensor in the frame in
/// which the cell edges are `a`, `b`, `c`: U = A N U N Aᵀ with A = [a b c] and
/// N = diag(a*, b*, c*) taken from the same edges. A flat cell gives a zero matrix.
Matrix3 cartesianU(const model::Vec3& a, const model::Vec3& b, const model::Vec3& c,
                   const model::Atom& atom);

/// An ellipsoid at one probability: its principal axes (unit vectors, radii ascending) and the
/// radii in Å. A matrix that is not positive definite gives `npd` and zero radii.
struct Ellipsoid {
  std::array<model::Vec3, 3> axes{};
  std::array<double, 3> radii{};        // Å
  std::array<double, 3> eigenvalues{};  // Å²
  bool npd = false;
};
Ellipsoid ellipsoidOf(const Matrix3& u, double scale);
/// A sphere of radius scale·√uiso (npd when uiso is not positive).
Ellipsoid sphereOf(double uiso, double scale);

/// The ellipsoid of one anisotropic atom of the file, in Cartesian Å (a along x, b in the xy
/// plane).
struct AtomEllipsoid {
  std::string label;
  model::Vec3 centre;
  Ellipsoid ellipsoid;
};
/// Every anisotropic atom of the file (AtomTable entries 1..nonHCount with aniso 1), in file
/// order, at `probability` (0 < p < 1; UserError otherwise).
std::vector<AtomEllipsoid> atomEllipsoids(const model::StructureModel& structure,
                                          double probability);

/// The 2×2 matrix B of the outline an ellipsoid casts along z (its points x with xᵀB⁻¹x = 1),
/// from its axes and radii: the xy block of Σ rᵢ² eᵢeᵢᵀ. This is the exact silhouette of the
/// projected quadric (the Schur complement of the inverse is the inverse of this block).
struct Outline {
  double xx = 0, xy = 0, yy = 0;
};
Outline outlineOf(const Ellipsoid& e);

/// Semi-axes and direction of an outline: `major` ≥ `minor`, `angleRad` of the major axis from x.
struct OutlineAxes {
  double major = 0, minor = 0, angleRad = 0;
};
OutlineAxes outlineAxes(const Outline& o);

/// How far from the centre, along the direction (dx, dy), the outline lies: t such that
/// t·(dx, dy) is on it. Zero for a degenerate outline or direction.
double outlineReach(const Outline& o, double dx, double dy);

}  // namespace tavo::view
