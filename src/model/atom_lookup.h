// Finding atoms by label and residue, for the code that names atoms in cards.
#pragma once

#include <optional>
#include <string_view>

#include "model/atom_ref.h"
#include "model/residue.h"

namespace tavo::model {

class StructureModel;

/// The residue of an atom or H atom; residue 0 for a peak, None or an index out of range.
const Residue& residueOf(const StructureModel& structure, AtomRef ref);

/// The residue number of an atom or H atom (0 outside any residue, for peaks and None).
int residueNumberOf(const StructureModel& structure, AtomRef ref);

/// The first atom (AtomTable 1..nonHCount, then HydrogenTable 1..hCount) whose label, trimmed
/// and case ignored, equals `label` and which stands in residue `residueNumber` (chain `chain`);
/// residue 0 is the atoms outside any residue. Empty when there is none.
std::optional<AtomRef> findAtomInResidue(const StructureModel& structure, std::string_view label,
                                         int residueNumber, std::string_view chain = {});

}  // namespace tavo::model
