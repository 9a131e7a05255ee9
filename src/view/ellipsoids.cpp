// Thermal ellipsoids: probability scale, Cartesian U, principal axes and outlines.
#include "view/ellipsoids.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "text/errors.h"

namespace tavo::view {

using model::Vec3;

namespace {

// The share of a trivariate normal distribution within r standard deviations.
double chiThreeCumulative(double r) {
  return std::erf(r / std::numbers::sqrt2) -
         std::sqrt(2 / std::numbers::pi) * r * std::exp(-r * r / 2);
}

double component(const Vec3& v, int i) {
  return i == 0 ? v.x : i == 1 ? v.y : v.z;
}

}  // namespace

double probabilityScale(double probability) {
  if (!(probability > 0 && probability < 1)) {
    throw UserError(std::string(probabilityRangeMessage));
  }
  // The share grows monotonically with r; bisection to the last bit is fast enough.
  double low = 0, high = 40;
  for (int step = 0; step < 200 && high - low > 1e-15; ++step) {
    const double middle = (low + high) / 2;
    (chiThreeCumulative(middle) < probability ? low : high) = middle;
  }
  return (low + high) / 2;
}

double probabilityFraction(double value) {
  const double fraction = value >= 1 ? value / 100 : value;
  if (!(fraction > 0 && fraction < 1)) throw UserError(std::string(probabilityRangeMessage));
  return fraction;
}

EigenSystem symmetricEigen(const Matrix3& m) {
  Matrix3 a = m;
  Matrix3 v{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  for (int sweep = 0; sweep < 50; ++sweep) {
    const double off = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
    const double scale = a[0][0] * a[0][0] + a[1][1] * a[1][1] + a[2][2] * a[2][2];
    if (off <= 1e-30 * scale || off == 0) break;
    for (int p = 0; p < 2; ++p) {
      for (int q = p + 1; q < 3; ++q) {
        if (a[p][q] == 0) continue;
        // The rotation in the (p, q) plane that zeroes a[p][q] (Numerical Recipes, jacobi).
        const double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
        const double t = (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::hypot(theta, 1.0));
        const double c = 1 / std::sqrt(t * t + 1);
        const double s = t * c;
        for (int k = 0; k < 3; ++k) {
          const double akp = a[k][p], akq = a[k][q];
          a[k][p] = c * akp - s * akq;
          a[k][q] = s * akp + c * akq;
        }
        for (int k = 0; k < 3; ++k) {
          const double apk = a[p][k], aqk = a[q][k];
          a[p][k] = c * apk - s * aqk;
          a[q][k] = s * apk + c * aqk;
        }
        for (int k = 0; k < 3; ++k) {
          const double vkp = v[k][p], vkq = v[k][q];
          v[k][p] = c * vkp - s * vkq;
          v[k][q] = s * vkp + c * vkq;
        }
      }
    }
  }
  std::array<int, 3> order{0, 1, 2};
  std::sort(order.begin(), order.end(), [&a](int i, int j) { return a[i][i] < a[j][j]; });
  EigenSystem result;
  for (int k = 0; k < 3; ++k) {
    const int i = order[static_cast<size_t>(k)];
    result.values[static_cast<size_t>(k)] = a[i][i];
    Vec3 vector{v[0][i], v[1][i], v[2][i]};
    int largest = 0;
    for (int j = 1; j < 3; ++j) {
      if (std::fabs(component(vector, j)) > std::fabs(component(vector, largest))) largest = j;
    }
    if (component(vector, largest) < 0) vector = -1.0 * vector;
    result.vectors[static_cast<size_t>(k)] = vector;
  }
  return result;
}

Matrix3 cartesianU(const Vec3& a, const Vec3& b, const Vec3& c, const model::Atom& atom) {
  const double volume = std::fabs(model::dot(a, model::cross(b, c)));
  if (!(volume > 0) || !std::isfinite(volume)) return {};
  const std::array<double, 3> n = {model::length(model::cross(b, c)) / volume,
                                   model::length(model::cross(c, a)) / volume,
                                   model::length(model::cross(a, b)) / volume};
  const Matrix3 u = {{{atom.u11, atom.u12, atom.u13},
                      {atom.u12, atom.u22, atom.u23},
                      {atom.u13, atom.u23, atom.u33}}};
  const std::array<Vec3, 3> edges = {a, b, c};
  // (A N)_ik = edge k's component i times n_k.
  Matrix3 an{};
  for (int i = 0; i < 3; ++i) {
    for (size_t k = 0; k < 3; ++k)
      an[static_cast<size_t>(i)][k] = component(edges[k], i) * n[k];
  }
  Matrix3 result{};
  for (size_t i = 0; i < 3; ++i) {
    for (size_t j = 0; j < 3; ++j) {
      double sum = 0;
      for (size_t k = 0; k < 3; ++k) {
        for (size_t l = 0; l < 3; ++l)
          sum += an[i][k] * u[k][l] * an[j][l];
      }
      result[i][j] = sum;
    }
  }
  return result;
}

Ellipsoid ellipsoidOf(const Matrix3& u, double scale) {
  const EigenSystem eigen = symmetricEigen(u);
  Ellipsoid e;
  e.axes = eigen.vectors;
  e.eigenvalues = eigen.values;
  for (size_t k = 0; k < 3; ++k) {
    const double value = eigen.values[k];
    if (!(value > 0) || !std::isfinite(value)) e.npd = true;
  }
  if (!e.npd) {
    for (size_t k = 0; k < 3; ++k)
      e.radii[k] = scale * std::sqrt(eigen.values[k]);
  }
  return e;
}

Ellipsoid sphereOf(double uiso, double scale) {
  Ellipsoid e;
  e.axes = {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}};
  e.eigenvalues = {uiso, uiso, uiso};
  e.npd = !(uiso > 0) || !std::isfinite(uiso);
  if (!e.npd) e.radii.fill(scale * std::sqrt(uiso));
  return e;
}

std::vector<AtomEllipsoid> atomEllipsoids(const model::StructureModel& structure,
                                          double probability) {
  const double scale = probabilityScale(probability);
  const model::CellParameters& cell = structure.cell;
  std::vector<AtomEllipsoid> result;
  for (int i = 1; i <= structure.nonHCount; ++i) {
    const model::Atom& atom = structure.atoms[i];
    if (atom.aniso != 1) continue;
    result.push_back(
        {atom.label, model::toCartesian(cell, atom.x, atom.y, atom.z),
         ellipsoidOf(cartesianU(cell.aVector, cell.bVector, cell.cVector, atom), scale)});
  }
  return result;
}

Outline outlineOf(const Ellipsoid& e) {
  Outline o;
  for (size_t k = 0; k < 3; ++k) {
    const double r2 = e.radii[k] * e.radii[k];
    o.xx += r2 * e.axes[k].x * e.axes[k].x;
    o.xy += r2 * e.axes[k].x * e.axes[k].y;
    o.yy += r2 * e.axes[k].y * e.axes[k].y;
  }
  return o;
}

OutlineAxes outlineAxes(const Outline& o) {
  const double mean = (o.xx + o.yy) / 2;
  const double half = std::hypot((o.xx - o.yy) / 2, o.xy);
  return {std::sqrt(std::max(mean + half, 0.0)), std::sqrt(std::max(mean - half, 0.0)),
          0.5 * std::atan2(2 * o.xy, o.xx - o.yy)};
}

double outlineReach(const Outline& o, double dx, double dy) {
  // dᵀB⁻¹d with B⁻¹ = adj(B)/det(B).
  const double det = o.xx * o.yy - o.xy * o.xy;
  if (!(det > 0)) return 0;
  const double q = (o.yy * dx * dx - 2 * o.xy * dx * dy + o.xx * dy * dy) / det;
  return q > 0 ? 1 / std::sqrt(q) : 0;
}

}  // namespace tavo::view
