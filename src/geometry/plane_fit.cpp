// Least-squares planes by perpendicular distances.
#include "geometry/plane_fit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "text/errors.h"
#include "text/text.h"

namespace tavo::geometry {

using model::Vec3;

namespace {

Vec3 column(const double v[3][3], int j) {
  return {v[0][j], v[1][j], v[2][j]};
}

/// Variance of the tilt (radians²) of the normal towards unit direction `u` (perpendicular to
/// the normal): σ² Σ (u·eᵢ)² / λᵢ over the in-plane axes
/// (the Gauss-Newton covariance σ²(JᵀJ)⁻¹ of the fit).
double tiltVariance(const PlaneFit& plane, const Vec3& u) {
  double sum = 0;
  for (int i = 0; i < 2; ++i) {
    const double gap = plane.axisEigenvalues[i];
    const double c = model::dot(u, plane.axes[i]);
    if (gap > 0) sum += c * c / gap;
  }
  return *plane.variance * sum;
}

}  // namespace

SymmetricEigen symmetricEigen(const double matrix[3][3]) {
  double a[3][3];
  double v[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      a[i][j] = matrix[i][j];
  for (int sweep = 0; sweep < 64; ++sweep) {
    const double off = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
    const double scale = a[0][0] * a[0][0] + a[1][1] * a[1][1] + a[2][2] * a[2][2] + off;
    if (off <= 1e-30 * scale || off == 0) break;
    for (int p = 0; p < 2; ++p) {
      for (int q = p + 1; q < 3; ++q) {
        if (a[p][q] == 0) continue;
        const double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
        const double t =
            (theta >= 0 ? 1.0 : -1.0) / (std::abs(theta) + std::sqrt(theta * theta + 1));
        const double c = 1 / std::sqrt(t * t + 1);
        const double s = t * c;
        for (int k = 0; k < 3; ++k) {  // A := A·J
          const double akp = a[k][p];
          const double akq = a[k][q];
          a[k][p] = c * akp - s * akq;
          a[k][q] = s * akp + c * akq;
        }
        for (int k = 0; k < 3; ++k) {  // A := Jᵀ·A
          const double apk = a[p][k];
          const double aqk = a[q][k];
          a[p][k] = c * apk - s * aqk;
          a[q][k] = s * apk + c * aqk;
        }
        for (int k = 0; k < 3; ++k) {
          const double vkp = v[k][p];
          const double vkq = v[k][q];
          v[k][p] = c * vkp - s * vkq;
          v[k][q] = s * vkp + c * vkq;
        }
      }
    }
  }
  int order[3] = {0, 1, 2};
  std::sort(order, order + 3, [&](int i, int j) { return a[i][i] < a[j][j]; });
  SymmetricEigen result{};
  for (int k = 0; k < 3; ++k) {
    result.values[k] = a[order[k]][order[k]];
    const Vec3 e = column(v, order[k]);
    result.vectors[k] = (1 / model::length(e)) * e;
  }
  return result;
}

PlaneFit fitPlane(const std::vector<Vec3>& positions) {
  const auto n = positions.size();
  if (n < 3) throw UserError(std::string(tooFewPlaneAtomsMessage));
  PlaneFit plane;
  plane.count = static_cast<int>(n);
  for (const auto& p : positions)
    plane.centroid += p;
  plane.centroid = (1.0 / static_cast<double>(n)) * plane.centroid;
  double scatter[3][3] = {};
  for (const auto& p : positions) {
    const Vec3 r = p - plane.centroid;
    const double c[3] = {r.x, r.y, r.z};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        scatter[i][j] += c[i] * c[j];
  }
  const SymmetricEigen eigen = symmetricEigen(scatter);
  // Positions on a line leave two eigenvalues at rounding level: the middle one measures the
  // spread across the line.
  const double largest = eigen.values[2];
  if (!(largest > 0) || eigen.values[1] <= 1e-10 * largest)
    throw UserError(std::string(collinearPlaneAtomsMessage));
  plane.normal = eigen.vectors[0];
  plane.smallestEigenvalue = std::max(0.0, eigen.values[0]);
  plane.axes[0] = eigen.vectors[2];
  plane.axes[1] = eigen.vectors[1];
  plane.axisEigenvalues[0] = eigen.values[2];
  plane.axisEigenvalues[1] = eigen.values[1];
  plane.d = model::dot(plane.normal, plane.centroid);
  // The sign of an eigenvector is arbitrary: one orientation for every fit of the same atoms.
  const double scale = std::sqrt(largest) + model::length(plane.centroid);
  bool flip = plane.d < 0;
  if (std::abs(plane.d) <= 1e-12 * scale) {
    const Vec3& v = plane.normal;
    const double biggest = std::abs(v.x) >= std::abs(v.y) && std::abs(v.x) >= std::abs(v.z) ? v.x
                           : std::abs(v.y) >= std::abs(v.z)                                 ? v.y
                                                                                            : v.z;
    flip = biggest < 0;
  }
  if (flip) {
    plane.normal = -1.0 * plane.normal;
    plane.d = -plane.d;
  }
  double sum = 0;
  for (const auto& p : positions) {
    const double dev = model::dot(plane.normal, p) - plane.d;
    sum += dev * dev;
  }
  plane.rms = std::sqrt(sum / static_cast<double>(n));
  if (n > 3) plane.variance = sum / static_cast<double>(n - 3);
  plane.deviations.reserve(n);
  for (const auto& p : positions)
    plane.deviations.push_back(planeDistance(plane, p));
  return plane;
}

ValueEsd planeDistance(const PlaneFit& plane, const Vec3& point) {
  ValueEsd result{model::dot(plane.normal, point) - plane.d, std::nullopt};
  if (!plane.variance) return result;
  // The centroid moves along the normal with variance σ²/N; a tilt about each in-plane axis
  // moves the point by its lever arm along the other axis.
  const double count = plane.count;
  const Vec3 r = point - plane.centroid;
  double variance = *plane.variance / std::max(count, 1.0);
  for (int i = 0; i < 2; ++i) {
    const double gap = plane.axisEigenvalues[i];
    const double arm = model::dot(r, plane.axes[i]);
    if (gap > 0) variance += *plane.variance * arm * arm / gap;
  }
  result.esd = std::sqrt(variance);
  return result;
}

std::optional<Vec3> normalEsds(const PlaneFit& plane) {
  if (!plane.variance) return std::nullopt;
  // Cov(n) = σ² Σ eᵢeᵢᵀ/λᵢ over the in-plane axes.
  double sum[3] = {0, 0, 0};
  for (int i = 0; i < 2; ++i) {
    const double gap = plane.axisEigenvalues[i];
    if (!(gap > 0)) continue;
    const Vec3& e = plane.axes[i];
    sum[0] += e.x * e.x / gap;
    sum[1] += e.y * e.y / gap;
    sum[2] += e.z * e.z / gap;
  }
  const double v = *plane.variance;
  return Vec3{std::sqrt(v * sum[0]), std::sqrt(v * sum[1]), std::sqrt(v * sum[2])};
}

std::optional<double> offsetEsd(const PlaneFit& plane) {
  // d = n·centroid: the distance of the origin from the plane has the same esd.
  return planeDistance(plane, Vec3{0, 0, 0}).esd;
}

double acrossPlaneShare(const PlaneFit& plane) {
  const double total =
      plane.smallestEigenvalue + plane.axisEigenvalues[0] + plane.axisEigenvalues[1];
  return total > 0 ? 100 * plane.smallestEigenvalue / total : 0;
}

std::string valueWithEsd(const ValueEsd& value, int plainDecimals) {
  if (!value.esd) return text::formatFixed(value.value, plainDecimals) + "(undefined)";
  const double esd = *value.esd;
  if (!(esd > 0)) return text::formatFixed(value.value, plainDecimals) + "(0)";
  int decimals = 0;
  while (decimals < 6 && std::round(esd * std::pow(10.0, decimals)) < 2)
    ++decimals;
  const double units = std::round(esd * std::pow(10.0, decimals));
  std::string number = text::formatFixed(value.value, decimals);
  if (number == "-0" || number.find_first_not_of("-0.") == std::string::npos) {
    if (number.front() == '-') number.erase(0, 1);  // no "-0.000"
  }
  return number + "(" + text::formatFixed(units, 0) + ")";
}

ValueEsd dihedralAngle(const PlaneFit& first, const PlaneFit& second) {
  const double cosine = std::clamp(std::abs(model::dot(first.normal, second.normal)), 0.0, 1.0);
  const double radians = std::acos(cosine);
  ValueEsd result{radians * 180 / std::numbers::pi, std::nullopt};
  if (!first.variance || !second.variance) return result;
  // Each normal tilts towards the other within the plane the two normals span; for parallel
  // planes any direction counts, so the larger in-plane variance is taken.
  auto towards = [](const PlaneFit& plane, const Vec3& other) {
    Vec3 u = other - model::dot(other, plane.normal) * plane.normal;
    const double length = model::length(u);
    if (length < 1e-12)
      return std::max(tiltVariance(plane, plane.axes[0]), tiltVariance(plane, plane.axes[1]));
    return tiltVariance(plane, (1 / length) * u);
  };
  result.esd = std::sqrt(towards(first, second.normal) + towards(second, first.normal)) * 180 /
               std::numbers::pi;
  return result;
}

}  // namespace tavo::geometry
