#include "density/reflection_symmetry.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tavo::density {

namespace {

Miller turned(const geometry::SeitzOperator& op, const Miller& m) {
  const auto& r = op.r;
  return {m.h * r[0] + m.k * r[3] + m.l * r[6], m.h * r[1] + m.k * r[4] + m.l * r[7],
          m.h * r[2] + m.k * r[5] + m.l * r[8]};
}

Miller negated(const Miller& m) {
  return {-m.h, -m.k, -m.l};
}

bool isInversion(const geometry::SeitzOperator& op) {
  return op.r == std::array<int, 9>{-1, 0, 0, 0, -1, 0, 0, 0, -1};
}

}  // namespace

ReflectionSymmetry::ReflectionSymmetry(const std::vector<geometry::SeitzOperator>& operators,
                                       bool mergeFriedel)
    : m_operators(operators), m_friedel(mergeFriedel) {
  if (std::any_of(operators.begin(), operators.end(), isInversion)) m_friedel = true;
}

Miller ReflectionSymmetry::canonical(const Miller& hkl) const {
  Miller best = hkl;
  for (const geometry::SeitzOperator& op : m_operators) {
    const Miller m = turned(op, hkl);
    best = std::max(best, m);
    if (m_friedel) best = std::max(best, negated(m));
  }
  return best;
}

bool ReflectionSymmetry::absent(const Miller& hkl) const {
  for (const geometry::SeitzOperator& op : m_operators) {
    if (turned(op, hkl) != hkl) continue;
    const int shift = hkl.h * op.t[0] + hkl.k * op.t[1] + hkl.l * op.t[2];
    if (shift % 12 != 0) return true;
  }
  return false;
}

namespace {

struct Group {
  double sumWeight = 0, sumWeighted = 0, sumInverseVariance = 0, sumSigma = 0;
  std::vector<double> values;
};

bool outsideLimits(const Miller& hkl, const RefinementCards& cards,
                   const ReciprocalMetric& metric) {
  const double stol2 = metric.stol2(hkl);
  const double d = stol2 > 0 ? 0.5 / std::sqrt(stol2) : 1e9;
  if (cards.shellMax && d > *cards.shellMax) return true;
  if (cards.shellMin && d < *cards.shellMin) return true;
  if (cards.omitTwoThetaDeg < 180) {
    const double sinTheta = cards.wavelength * std::sqrt(stol2);
    const double limit = std::sin(cards.omitTwoThetaDeg * std::acos(-1.0) / 360.0);
    if (sinTheta > limit) return true;
  }
  return false;
}

}  // namespace

MergedData mergeReflections(const std::vector<Reflection>& data, const RefinementCards& cards,
                            const ReciprocalMetric& metric) {
  MergedData result;
  const ReflectionSymmetry symmetry(cards.operators, cards.centrosymmetric || cards.merge >= 3);
  result.friedelMerged = symmetry.mergesFriedel();
  std::vector<Miller> omitted;
  for (const Miller& m : cards.omitted)
    omitted.push_back(symmetry.canonical(m));
  std::sort(omitted.begin(), omitted.end());
  MergeStatistics& stats = result.statistics;
  std::map<Miller, Group> groups;
  for (const Reflection& r : data) {
    ++stats.read;
    const Miller key = symmetry.canonical(r.hkl);
    if (std::binary_search(omitted.begin(), omitted.end(), key)) {
      ++stats.rejected;
      if (std::find(stats.omittedIndices.begin(), stats.omittedIndices.end(), key) ==
          stats.omittedIndices.end())
        stats.omittedIndices.push_back(key);
      continue;
    }
    if (outsideLimits(r.hkl, cards, metric)) {
      ++stats.rejected;
      continue;
    }
    if (symmetry.absent(r.hkl)) {
      ++stats.absent;
      continue;
    }
    Group& g = groups[key];
    // Equivalents are averaged with weights max(Fo², 3σ)/σ²; the uncertainty of the mean
    // comes from the individual σ (or the spread, when that is larger).
    const double sigma = r.sigma > 0 ? r.sigma : 1e-6;
    const double weight = std::max(r.fo2, 3 * sigma) / (sigma * sigma);
    g.sumWeight += weight;
    g.sumWeighted += weight * r.fo2;
    g.sumInverseVariance += 1 / (sigma * sigma);
    g.sumSigma += sigma;
    g.values.push_back(r.fo2);
  }
  double deviations = 0, total = 0, sigmaSum = 0;
  result.rows.reserve(groups.size());
  for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
    const Group& g = it->second;
    MergedReflection row;
    row.hkl = it->first;
    row.fo2 = g.sumWeighted / g.sumWeight;
    row.sigma = 1 / std::sqrt(g.sumInverseVariance);
    row.count = static_cast<int>(g.values.size());
    if (row.count > 1) {
      double mean = 0;
      for (double v : g.values)
        mean += v / row.count;
      double spread = 0;
      for (double v : g.values) {
        deviations += std::abs(v - row.fo2);
        total += std::abs(v);
        spread += (v - mean) * (v - mean);
        if (std::abs(v - row.fo2) > 10 * g.sumSigma / row.count) ++stats.inconsistent;
      }
      spread = std::sqrt(spread / (row.count * (row.count - 1)));
      row.sigma = std::max(row.sigma, spread);
    }
    // OMIT s: below s/2·σ a reflection is flagged unobserved (s > 0) or raised to s/2·σ.
    const double floor = 0.5 * cards.omitSigma * row.sigma;
    if (row.fo2 < floor) {
      if (cards.omitSigma > 0)
        row.observed = false;
      else
        row.fo2 = floor;
    }
    sigmaSum += row.sigma;
    result.rows.push_back(row);
    const double stol2 = metric.stol2(row.hkl);
    if (stol2 > 0) {
      const double d = 0.5 / std::sqrt(stol2);
      stats.dMin = stats.dMin == 0 ? d : std::min(stats.dMin, d);
    }
  }
  stats.unique = static_cast<int>(result.rows.size());
  stats.rint = total > 0 ? deviations / total : 0;
  double fo2Sum = 0;
  for (const MergedReflection& row : result.rows)
    fo2Sum += std::abs(row.fo2);
  stats.rsigma = fo2Sum > 0 ? sigmaSum / fo2Sum : 0;
  return result;
}

}  // namespace tavo::density
