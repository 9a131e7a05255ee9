// Equivalent reflections, systematic absences and merging of the observed data as the
// refinement program merges them by default (MERG 2).
#pragma once

#include <vector>

#include "density/refinement_cards.h"
#include "density/reflection.h"
#include "density/structure_factors.h"

namespace tavo::density {

class ReflectionSymmetry {
 public:
  /// `mergeFriedel`: Friedel opposites count as equivalent (always in a centrosymmetric cell).
  ReflectionSymmetry(const std::vector<geometry::SeitzOperator>& operators, bool mergeFriedel);
  /// One member of the reflection's equivalents, the same for all of them: the largest (h, k, l).
  Miller canonical(const Miller& hkl) const;
  /// True when the space group extinguishes the reflection.
  bool absent(const Miller& hkl) const;
  bool mergesFriedel() const { return m_friedel; }

 private:
  std::vector<geometry::SeitzOperator> m_operators;
  bool m_friedel = false;
};

/// A unique reflection after merging; Fo² and σ on the data's scale.
struct MergedReflection {
  Miller hkl;
  double fo2 = 0;
  double sigma = 0;
  int count = 0;         // observations merged into it
  bool observed = true;  // not flagged unobserved by OMIT s
};

struct MergeStatistics {
  int read = 0;                        // reflections read
  int rejected = 0;                    // by OMIT h k l, the 2θ limit of OMIT, or SHEL
  int absent = 0;                      // systematically absent
  int unique = 0;                      // after merging
  int inconsistent = 0;                // equivalents differing by more than 10 σ from their mean
  double rint = 0;                     // Σ|Fo² − mean| / ΣFo² over the merged groups
  double rsigma = 0;                   // Σσ / ΣFo²
  double dMin = 0;                     // the finest resolution among the unique data, Å
  std::vector<Miller> omittedIndices;  // the reflections of OMIT h k l found in the data
};

struct MergedData {
  std::vector<MergedReflection> rows;
  MergeStatistics statistics;
  bool friedelMerged = false;
};

/// Merges equivalent observations as the refinement program does (weights 1/σ²; Friedel
/// opposites merged in a centrosymmetric cell or with MERG 3 and 4), leaving out systematic
/// absences, the reflections of OMIT h k l (and their equivalents), those beyond the 2θ limit of
/// OMIT and outside SHEL.
MergedData mergeReflections(const std::vector<Reflection>& data, const RefinementCards& cards,
                            const ReciprocalMetric& metric);

}  // namespace tavo::density
