// The label rules of SHELXL for a new atom name, and renaming atoms of the tables together with
// every card that names them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/atom_ref.h"
#include "model/residue.h"
#include "model/structure_model.h"

namespace tavo::model {

/// One rename of an atom or H atom of the tables.
struct AtomRename {
  AtomRef atom;
  std::string newLabel;
};

/// The most characters of an atom label that SHELXL reads.
inline constexpr std::size_t maxLabelLength = 4;

/// Refuses (UserError) a new label for an atom of `residue`: empty, longer than four
/// characters, not beginning with a letter, holding a blank, "_", "!" or "=", the name of an
/// instruction or of a peak (Q and a number), or already the label (case ignored) of another non-H
/// or H atom of that residue. `except` is the atom being renamed (its own label is no clash).
void checkNewLabel(const StructureModel& structure, std::string_view newLabel,
                   const Residue& residue, AtomRef except = {});

/// Renames atoms of the AtomTable and HydrogenTable all at once: every new label is checked
/// (checkNewLabel, clashes judged after all renames, so swaps and shifts work; two renames to
/// one label in one residue are refused) before anything changes, then the cards follow
/// (relabelCards) and the tables take the new labels. Returns the number of card lines changed.
/// Throws UserError, with nothing changed, when a label is refused.
int renameAtoms(StructureModel& structure, const std::vector<AtomRename>& renames);

}  // namespace tavo::model
