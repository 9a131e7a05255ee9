// Distances, angles and coordinate transforms of the view frame.
#include "geometry/cell_metrics.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "text/errors.h"

namespace tavo::geometry {

using model::AtomKind;
using model::AtomRef;
using model::Vec3;

Fractional fractionalOf(const model::StructureModel& structure, AtomRef ref) {
  switch (ref.kind) {
    case AtomKind::Atom: {
      const model::Atom& a = structure.atoms[ref.index];
      return {a.x, a.y, a.z};
    }
    case AtomKind::Hydrogen: {
      const model::Hydrogen& h = structure.hydrogens[ref.index];
      return {h.x, h.y, h.z};
    }
    case AtomKind::Peak: {
      const model::Peak& p = structure.peaks[ref.index];
      return {p.x, p.y, p.z};
    }
    case AtomKind::None:
      break;
  }
  return {};
}

Vec3 cartesianOf(const model::CellParameters& cell, const Fractional& f) {
  return model::toCartesian(cell, f.x, f.y, f.z);
}

double toCartesian(const model::StructureModel& structure, AtomKind kind, int component,
                   int index) {
  const Vec3 p = cartesianOf(structure.cell, fractionalOf(structure, {kind, index}));
  return component == 1 ? p.x : component == 2 ? p.y : p.z;
}

double viewDistance(const model::StructureModel& structure, AtomRef first, AtomRef second) {
  return viewDistance(structure.viewOf(first), structure.viewOf(second));
}

double arcCos(double x) {
  const double c = std::clamp(x, -1.0, 1.0);
  return std::atan2(std::sqrt((1 + c) * (1 - c)), c);
}

double bondAngle(const model::StructureModel& structure, AtomRef a, AtomRef b, AtomRef c) {
  const double p = viewDistance(structure, a, b);
  const double q = viewDistance(structure, b, c);
  const double r = viewDistance(structure, a, c);
  if (p == 0 || q == 0) return 0;
  return arcCos((p * p + q * q - r * r) / (2 * p * q)) * degreesPerRadian;
}

double vectorAngle(const Vec3& p, const Vec3& q) {
  return findVectorAngle(p, q).value_or(0);
}

std::optional<double> findVectorAngle(const Vec3& p, const Vec3& q) {
  const double lengths = model::length(p) * model::length(q);
  if (!(lengths > 0) || !std::isfinite(lengths)) return std::nullopt;
  return arcCos(model::dot(p, q) / lengths) * degreesPerRadian;
}

double vectorAngle(const model::StructureModel& structure, AtomRef s1, AtomRef s2, AtomRef s3,
                   AtomRef s4) {
  return vectorAngle(structure.viewOf(s2) - structure.viewOf(s1),
                     structure.viewOf(s4) - structure.viewOf(s3));
}

namespace {

// det[u v w] with u, v, w as columns.
double determinant(const Vec3& u, const Vec3& v, const Vec3& w) {
  return u.x * (v.y * w.z - w.y * v.z) - v.x * (u.y * w.z - w.y * u.z) +
         w.x * (u.y * v.z - v.y * u.z);
}

}  // namespace

Fractional viewToFractional(const ViewFrame& frame, const Vec3& p) {
  const Vec3 a = frame.edgeA();
  const Vec3 b = frame.edgeB();
  const Vec3 c = frame.edgeC();
  const double d = determinant(a, b, c);
  // A rigid motion keeps the volume; a (near) zero one means no cell was ever set up.
  const double scale = model::length(a) * model::length(b) * model::length(c);
  if (!(std::abs(d) > 1e-9 * scale) || !std::isfinite(d)) {
    throw UserError(std::string(flatViewFrameMessage));
  }
  return {determinant(p, b, c) / d, determinant(a, p, c) / d, determinant(a, b, p) / d};
}

double viewToFractional(const ViewFrame& frame, int component, double x, double y, double z) {
  const Fractional f = viewToFractional(frame, Vec3{x, y, z});
  return component == 1 ? f.x : component == 2 ? f.y : f.z;
}

Fractional fractionalOfViewPosition(const ViewFrame& frame, const Vec3& viewPosition) {
  return viewToFractional(frame, viewPosition - frame.viewSlots[fractionalOriginSlot]);
}

}  // namespace tavo::geometry
