// U' = R U* Rᵀ in the reciprocal-axis metric: a fractional displacement Δx = N Δu (N = diag of
// the reciprocal edges) has the covariance N U Nᵀ = U*, and an operator x' = R x + t turns it
// into R U* Rᵀ (Grosse-Kunstleve & Adams, J. Appl. Cryst. 35 (2002) 477).
#include "geometry/anisotropic_transform.h"

#include <cmath>
#include <string>

#include "text/errors.h"

namespace tavo::geometry {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

Matrix fullMatrix(const AnisotropicU& u) {
  return {{{u.u11, u.u12, u.u13}, {u.u12, u.u22, u.u23}, {u.u13, u.u23, u.u33}}};
}

}  // namespace

std::array<double, 3> reciprocalLengths(const model::CellParameters& cell) {
  const double ca = std::cos(cell.alpha / model::degreesPerRadian);
  const double cb = std::cos(cell.beta / model::degreesPerRadian);
  const double cg = std::cos(cell.gamma / model::degreesPerRadian);
  const double squared = 1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg;
  const double volume = cell.a * cell.b * cell.c * std::sqrt(squared > 0 ? squared : 0);
  if (!(volume > 0) || !std::isfinite(volume))
    throw UserError(std::string(model::impossibleCellMessage));
  const double sa = std::sin(cell.alpha / model::degreesPerRadian);
  const double sb = std::sin(cell.beta / model::degreesPerRadian);
  const double sg = std::sin(cell.gamma / model::degreesPerRadian);
  return {cell.b * cell.c * sa / volume, cell.a * cell.c * sb / volume,
          cell.a * cell.b * sg / volume};
}

AnisotropicU transformAnisotropicU(const model::CellParameters& cell,
                                   const FractionalRotation& rotation, const AnisotropicU& u) {
  const std::array<double, 3> n = reciprocalLengths(cell);
  const Matrix full = fullMatrix(u);
  Matrix star{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j)
      star[i][j] = full[i][j] * n[i] * n[j];
  }
  const auto r = [&rotation](std::size_t i, std::size_t k) {
    return static_cast<double>(rotation[3 * i + k]);
  };
  Matrix moved{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      double sum = 0;
      for (std::size_t k = 0; k < 3; ++k) {
        for (std::size_t l = 0; l < 3; ++l)
          sum += r(i, k) * star[k][l] * r(j, l);
      }
      moved[i][j] = sum / (n[i] * n[j]);
    }
  }
  return {moved[0][0], moved[1][1], moved[2][2], moved[1][2], moved[0][2], moved[0][1]};
}

}  // namespace tavo::geometry
