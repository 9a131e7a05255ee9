// Finding atoms by label and residue: for the code that names atoms in cards, and the one
// lookup of an atom, H atom or peak by the label a user types.
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

/// Which entries a lookup by label reaches.
enum class LabelScope {
  FileEntries,  // the atoms, H atoms and peaks of the file
  WithCopies,   // and the symmetry copies of the expansion or packing shown, by their labels
};

/// The entry that `label` names, case and surrounding blanks ignored: the first atom, else the
/// first H atom, so labelled; else `Qn` the peak n of the file. `C1_2` is the atom (or H atom)
/// C1 of residue 2. With `WithCopies`, the copies (`C1*1`) are searched after the file's atoms
/// and H atoms of their kind. Empty when there is none.
std::optional<AtomRef> findAtomByLabel(const StructureModel& structure, std::string_view label,
                                       LabelScope scope = LabelScope::FileEntries);

/// The same; UserError "no atom, H atom or peak is labelled LABEL" when there is none.
AtomRef atomByLabel(const StructureModel& structure, std::string_view label,
                    LabelScope scope = LabelScope::FileEntries);

}  // namespace tavo::model
