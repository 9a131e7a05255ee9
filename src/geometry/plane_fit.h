// Least-squares planes through atoms in Cartesian ångströms, fitted by perpendicular
// distances, with deviations, dihedral angles and their standard uncertainties.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/vec3.h"

namespace tavo::geometry {

/// Shown when fewer than three positions are given.
inline constexpr std::string_view tooFewPlaneAtomsMessage =
    "At least 3 atoms should be selected to conduct plane calculation!";
/// Shown when the positions lie on one line (or coincide), so that no plane is defined.
inline constexpr std::string_view collinearPlaneAtomsMessage =
    "The selected atoms lie on one line: they define no plane.";

/// A value with its standard uncertainty; the esd is empty where the fit leaves no degrees of
/// freedom (three atoms define the plane exactly).
struct ValueEsd {
  double value = 0;
  std::optional<double> esd;
};

/// The plane n·r = d with unit normal n (Cartesian, Å), fitted so that the sum of the squared
/// perpendicular distances is least.
struct PlaneFit {
  model::Vec3 normal;    ///< unit normal, the eigenvector of the smallest scatter eigenvalue
  model::Vec3 centroid;  ///< mean of the positions; the plane passes through it
  double d = 0;          ///< n·centroid, Å
  int count = 0;         ///< N, the number of positions fitted
  double rms = 0;        ///< √(Σ deviation² / N), Å
  /// σ² of the unit-weight perpendicular distances, Σ dev² / (N − 3); empty for N = 3.
  std::optional<double> variance;
  /// Signed distances of the fitted positions from the plane, Å, in input order.
  std::vector<ValueEsd> deviations;
  /// In-plane eigenvectors and eigenvalues of the scatter matrix (largest first) and the
  /// smallest eigenvalue, kept for the esds of tilts.
  model::Vec3 axes[2];
  double axisEigenvalues[2] = {0, 0};
  double smallestEigenvalue = 0;
};

/// Fits the plane through `positions` (Å). Throws UserError with tooFewPlaneAtomsMessage for
/// fewer than three positions and collinearPlaneAtomsMessage when they lie on a line. The normal
/// points away from the origin (d > 0); for a plane through the origin its largest component is
/// positive.
PlaneFit fitPlane(const std::vector<model::Vec3>& positions);

/// The esds of the three components of the unit normal; empty when the fit has none.
std::optional<model::Vec3> normalEsds(const PlaneFit& plane);

/// The esd of d, the distance of the plane from the origin; empty when the fit has none.
std::optional<double> offsetEsd(const PlaneFit& plane);

/// Σ deviation² / Σ |position − centroid|² in percent: the share of the scatter of the
/// positions that lies across the plane (0 for a perfect plane).
double acrossPlaneShare(const PlaneFit& plane);

/// A value with its esd in the crystallographic form "1.234(5)": as many decimals as give the
/// esd two to nineteen units in the last place (at most six). Without an esd the value has
/// `plainDecimals` decimals and "(undefined)" follows; an esd of zero is written "(0)" after
/// `plainDecimals` decimals.
std::string valueWithEsd(const ValueEsd& value, int plainDecimals);

/// Signed distance (Å) of `point` from the plane, with its esd from the fit (the point's own
/// coordinates taken as exact): empty when the fit has no esds.
ValueEsd planeDistance(const PlaneFit& plane, const model::Vec3& point);

/// The angle in degrees (0..90) between two planes, with its esd from both fits (empty when
/// either has none).
ValueEsd dihedralAngle(const PlaneFit& first, const PlaneFit& second);

/// The eigenvalues (ascending) and unit eigenvectors of a symmetric 3 × 3 matrix, by Jacobi
/// rotations.
struct SymmetricEigen {
  double values[3];
  model::Vec3 vectors[3];
};
SymmetricEigen symmetricEigen(const double matrix[3][3]);

}  // namespace tavo::geometry
