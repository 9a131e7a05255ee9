// Orthogonalisation of the cell.
#include "model/cell_parameters.h"

#include <cmath>
#include <string>

#include "text/errors.h"

namespace tavo::model {

void orthogonalise(CellParameters& cell) {
  const double alphaRad = cell.alpha / degreesPerRadian;
  const double betaRad = cell.beta / degreesPerRadian;
  const double gammaRad = cell.gamma / degreesPerRadian;
  const double sinGamma = std::sin(gammaRad);
  if (!(cell.a > 0 && cell.b > 0 && cell.c > 0) || std::abs(sinGamma) < 1e-12) {
    throw UserError(std::string(impossibleCellMessage));
  }
  cell.aVector = {cell.a, 0, 0};
  cell.bVector = {cell.b * std::cos(gammaRad), cell.b * sinGamma, 0};
  const double cx = cell.c * std::cos(betaRad);
  const double cy =
      cell.c * (std::cos(alphaRad) - std::cos(betaRad) * std::cos(gammaRad)) / sinGamma;
  const double czSquared = cell.c * cell.c - cx * cx - cy * cy;
  if (!(czSquared > 0)) throw UserError(std::string(impossibleCellMessage));
  cell.cVector = {cx, cy, std::sqrt(czSquared)};
}

}  // namespace tavo::model
