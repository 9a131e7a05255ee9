#include "density/agreement.h"

#include <algorithm>
#include <cmath>

#include "geometry/symmetry_operators.h"

namespace tavo::density {

namespace {

double weightOf(const WeightCard& w, double fo2, double sigma, double fc2, double stol2) {
  const double p = w.f * std::max(fo2, 0.0) + (1 - w.f) * fc2;
  const double stol = std::sqrt(stol2);
  double weight = 1 / (sigma * sigma + (w.a * p) * (w.a * p) + w.b * p + w.d + w.e * stol);
  if (w.c > 0) weight *= std::exp(w.c * stol2);
  if (w.c < 0) weight *= 1 - std::exp(w.c * stol2);
  return weight;
}

/// Fc² corrected for extinction: Fc²·(1 + 0.001·x·Fc²·λ³ / sin 2θ)^(-1/2).
double extinguished(double fc2, const RefinementCards& cards, double stol2) {
  if (!cards.extinction || *cards.extinction == 0) return fc2;
  const double sinTheta = std::min(1.0, cards.wavelength * std::sqrt(stol2));
  const double sin2Theta = 2 * sinTheta * std::sqrt(std::max(0.0, 1 - sinTheta * sinTheta));
  if (sin2Theta <= 0) return fc2;
  const double lambda3 = cards.wavelength * cards.wavelength * cards.wavelength;
  return fc2 / std::sqrt(1 + 0.001 * *cards.extinction * fc2 * lambda3 / sin2Theta);
}

}  // namespace

Agreement computeAgreement(const StructureFactorCalculator& calculator, const MergedData& data,
                           const RefinementCards& cards, int parameters,
                           const std::function<void(double)>& progress) {
  Agreement result;
  result.merge = data.statistics;
  result.friedelMerged = data.friedelMerged;
  result.parameters = parameters;
  result.f000 = calculator.f000();
  const double scale2 = cards.overallScale != 0 ? cards.overallScale * cards.overallScale : 1.0;
  double r1GtNum = 0, r1GtDen = 0, r1AllNum = 0, r1AllDen = 0, wNum = 0, wDen = 0;
  int used = 0;
  result.fits.reserve(data.rows.size());
  for (const MergedReflection& row : data.rows) {
    if (progress && result.fits.size() % 500 == 0)
      progress(static_cast<double>(result.fits.size()) / static_cast<double>(data.rows.size()));
    ReflectionFit fit;
    fit.hkl = row.hkl;
    fit.fo2 = row.fo2 / scale2;
    fit.sigma = row.sigma / scale2;
    fit.count = row.count;
    fit.observed = row.observed;
    fit.stol2 = calculator.metric().stol2(row.hkl);
    fit.fc = calculator(row.hkl);
    fit.fc2 = extinguished(std::norm(fit.fc), cards, fit.stol2);
    fit.weight = weightOf(cards.weight, fit.fo2, fit.sigma, fit.fc2, fit.stol2);
    fit.strong = fit.fo2 > 2 * fit.sigma;
    const double fo = std::sqrt(std::max(fit.fo2, 0.0)), fc = std::sqrt(fit.fc2);
    result.fcMax = std::max(result.fcMax, fc);
    r1AllNum += std::abs(fo - fc);
    r1AllDen += fo;
    if (fit.strong) {
      r1GtNum += std::abs(fo - fc);
      r1GtDen += fo;
      ++result.reflectionsGt;
    }
    if (fit.observed) {
      const double difference = fit.fo2 - fit.fc2;
      wNum += fit.weight * difference * difference;
      wDen += fit.weight * fit.fo2 * fit.fo2;
      ++used;
    }
    result.fits.push_back(fit);
  }
  result.reflections = static_cast<int>(result.fits.size());
  result.r1Gt = r1GtDen > 0 ? r1GtNum / r1GtDen : 0;
  result.r1All = r1AllDen > 0 ? r1AllNum / r1AllDen : 0;
  result.wR2 = wDen > 0 ? std::sqrt(wNum / wDen) : 0;
  const int freedom = used - parameters;
  result.goof = freedom > 0 ? std::sqrt(wNum / freedom) : 0;
  return result;
}

std::vector<ReflectionFit> worstFits(const Agreement& agreement, std::size_t n) {
  std::vector<ReflectionFit> fits = agreement.fits;
  const std::size_t count = std::min(n, fits.size());
  std::partial_sort(fits.begin(), fits.begin() + static_cast<std::ptrdiff_t>(count), fits.end(),
                    [](const ReflectionFit& a, const ReflectionFit& b) {
                      return std::abs(a.deviation()) > std::abs(b.deviation());
                    });
  fits.resize(count);
  return fits;
}

}  // namespace tavo::density

namespace tavo::density {

Agreement agreementOf(const model::StructureModel& structure, const std::vector<Reflection>& data) {
  const RefinementCards cards = readRefinementCards(structure);
  const StructureFactorCalculator calculator(scatteringModel(structure, cards));
  const MergedData merged = mergeReflections(data, cards, calculator.metric());
  return computeAgreement(calculator, merged, cards, refinedParameterCount(structure, cards));
}

}  // namespace tavo::density
