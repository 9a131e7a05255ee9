// Distances, angles and the transforms between fractional, Cartesian and view coordinates.
#pragma once

#include <cmath>
#include <optional>
#include <string_view>

#include "geometry/view_frame.h"
#include "model/atom_ref.h"
#include "model/cell_parameters.h"
#include "model/structure_model.h"
#include "model/vec3.h"

namespace tavo::geometry {

using model::degreesPerRadian;

/// Shown when the cell edges of the view frame span no volume, so that view positions cannot be
/// turned back into fractional coordinates.
inline constexpr std::string_view flatViewFrameMessage =
    "The cell of the view frame has no volume: fractional coordinates cannot be computed. "
    "Check the CELL card and open the file again.";

/// The fractional coordinates of an entry of the AtomTable, HydrogenTable or PeakTable.
Fractional fractionalOf(const model::StructureModel& structure, model::AtomRef ref);

/// Cartesian position (Å, not yet relative to the ViewOrigin) of fractional point `f`.
model::Vec3 cartesianOf(const model::CellParameters& cell, const Fractional& f);

/// Component `component` (1 = X, 2 = Y, 3 = Z) of the Cartesian position of entry `index` of
/// table `kind` (1, 2 or 3), in Å.
double toCartesian(const model::StructureModel& structure, model::AtomKind kind, int component,
                   int index);

/// Distance in Å between two view positions.
inline double viewDistance(const model::Vec3& p, const model::Vec3& q) {
  const double dx = p.x - q.x;
  const double dy = p.y - q.y;
  const double dz = p.z - q.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}
/// Distance in Å between the view positions of two entries.
double viewDistance(const model::StructureModel& structure, model::AtomRef first,
                    model::AtomRef second);

/// atan2(√((1 + x)(1 − x)), x) in radians; x is clamped to −1..1 so that rounding never gives
/// a NaN.
double arcCos(double x);

/// The angle A–B–C at B in degrees, from the three view distances; 0 when A or C coincides
/// with B.
double bondAngle(const model::StructureModel& structure, model::AtomRef a, model::AtomRef b,
                 model::AtomRef c);

/// The angle in degrees between vectors p and q; 0 when either has no length.
double vectorAngle(const model::Vec3& p, const model::Vec3& q);
/// The same, empty when either vector has no length (two coincident atoms) or is not finite:
/// such an angle does not exist.
std::optional<double> findVectorAngle(const model::Vec3& p, const model::Vec3& q);
/// The angle in degrees between s1→s2 and s3→s4 of the view positions of four entries.
double vectorAngle(const model::StructureModel& structure, model::AtomRef s1, model::AtomRef s2,
                   model::AtomRef s3, model::AtomRef s4);

/// Solves f1·a′ + f2·b′ + f3·c′ = p with the current cell edges of the frame (Cramer's rule).
/// Pass a view position minus view slot 9 to get its fractional coordinates. Throws UserError
/// (flatViewFrameMessage) when the edges span no volume.
Fractional viewToFractional(const ViewFrame& frame, const model::Vec3& p);
/// Component `component` (1, 2 or 3) of the solution above for p = (x, y, z).
double viewToFractional(const ViewFrame& frame, int component, double x, double y, double z);
/// The fractional coordinates of a view position (the position minus view slot 9, solved).
Fractional fractionalOfViewPosition(const ViewFrame& frame, const model::Vec3& viewPosition);

}  // namespace tavo::geometry
