// The cell contents by element.
#include "model/cell_contents.h"

#include "model/structure_model.h"

namespace tavo::model {

std::vector<double> cellContents(const StructureModel& s) {
  std::vector<double> counts(static_cast<std::size_t>(s.elementCount + 1), 0.0);
  const auto add = [&](int sfac, double sof) {
    if (sfac >= 1 && sfac <= s.elementCount) counts[static_cast<std::size_t>(sfac)] += sof;
  };
  // Every atom counts by its own SFAC number, whichever table holds it (a deuterium riding
  // atom, an H atom of an imported file in the AtomTable).
  for (int i = 1; i <= s.nonHCount; ++i)
    add(s.atoms[i].sfac, s.atoms[i].sof);
  for (int i = 1; i <= s.hCount; ++i)
    add(s.hydrogens[i].sfac, s.hydrogens[i].sof);
  const double operators = s.symmetry.opCount;
  for (double& count : counts)
    count *= operators;
  return counts;
}

}  // namespace tavo::model
