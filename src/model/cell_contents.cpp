// The cell contents by element.
#include "model/cell_contents.h"

#include <algorithm>
#include <cmath>

#include "model/structure_model.h"
#include "text/text.h"

namespace tavo::model {

namespace {

/// SHELXL writes an sof with five decimals (0.02083 for 1/48): the sum of n such sofs times the
/// operators may miss a whole number by up to n x operators x 0.5e-5.
constexpr double sofPrecision = 1e-5;

}  // namespace

std::vector<double> cellContents(const StructureModel& s) {
  const auto size = static_cast<std::size_t>(s.elementCount + 1);
  std::vector<double> counts(size, 0.0);
  std::vector<int> atoms(size, 0);
  const auto add = [&](int sfac, double sof) {
    if (sfac < 1 || sfac > s.elementCount) return;
    counts[static_cast<std::size_t>(sfac)] += sof;
    ++atoms[static_cast<std::size_t>(sfac)];
  };
  // Every atom counts by its own SFAC number, whichever table holds it (a deuterium riding
  // atom, an H atom of an imported file in the AtomTable).
  for (int i = 1; i <= s.nonHCount; ++i)
    add(s.atoms[i].sfac, s.atoms[i].sof);
  for (int i = 1; i <= s.hCount; ++i)
    add(s.hydrogens[i].sfac, s.hydrogens[i].sof);
  const double operators = std::max(s.symmetry.opCount, 1);
  for (std::size_t e = 1; e < size; ++e) {
    const double count = counts[e] * operators;
    const double whole = text::roundHalfEven(count);
    const double slack = atoms[e] * operators * sofPrecision + 1e-9;
    counts[e] = std::abs(count - whole) <= slack ? whole : count;
  }
  return counts;
}

}  // namespace tavo::model
