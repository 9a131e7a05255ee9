// How well the model agrees with the data: R1 (for Fo > 4σ(Fo) and for all data), wR2 with the
// file's weights, the goodness of fit, and each reflection's fit.
#pragma once

#include <complex>
#include <functional>
#include <vector>

#include "density/reflection_symmetry.h"
#include "density/structure_factors.h"
#include "model/structure_model.h"

namespace tavo::density {

/// One unique reflection compared with the model, Fo² and σ on the absolute scale.
struct ReflectionFit {
  Miller hkl;
  double fo2 = 0;
  double sigma = 0;
  double fc2 = 0;           // with extinction
  std::complex<double> fc;  // F of the model, absolute scale, no extinction
  double weight = 0;
  double stol2 = 0;      // (sinθ/λ)²
  int count = 0;         // observations merged into it
  bool observed = true;  // not flagged unobserved by OMIT s (used in wR2, GooF and maps)
  bool strong = false;   // Fo > 4σ(Fo)
  /// (Fo² − Fc²) / σ(Fo²).
  double deviation() const { return sigma > 0 ? (fo2 - fc2) / sigma : 0; }
};

struct Agreement {
  double r1Gt = 0, r1All = 0, wR2 = 0, goof = 0;
  int reflections = 0;    // unique reflections compared
  int reflectionsGt = 0;  // of them with Fo > 4σ(Fo)
  int parameters = 0;     // refined parameters (estimated from the model's codes)
  double f000 = 0;
  double fcMax = 0;
  MergeStatistics merge;
  bool friedelMerged = false;
  std::vector<ReflectionFit> fits;
};

/// Compares the merged data with the calculator's model. The data are put on the absolute scale
/// by the overall scale factor (FVAR 1); EXTI corrects Fc²; WGHT gives the weights.
/// `progress` (when given) is told the fraction done every few hundred reflections; it may
/// throw to abandon the computation.
Agreement computeAgreement(const StructureFactorCalculator& calculator, const MergedData& data,
                           const RefinementCards& cards, int parameters,
                           const std::function<void(double)>& progress = {});

/// The parameters the refinement program refines for the model: free coordinates, occupancies
/// and displacement parameters (less those that a special position fixes), the free variables,
/// EXTI and one torsion per rotating riding group.
int refinedParameterCount(const model::StructureModel& structure, const RefinementCards& cards);

/// The `n` reflections whose Fo² and Fc² differ most in units of σ, worst first.
std::vector<ReflectionFit> worstFits(const Agreement& agreement, std::size_t n);

/// The structure's data merged and compared with its model in one call.
Agreement agreementOf(const model::StructureModel& structure, const std::vector<Reflection>& data);

}  // namespace tavo::density
