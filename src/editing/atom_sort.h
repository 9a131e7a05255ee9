// Sorting the AtomTable and the HydrogenTable by label, and the plain numbering of the non-H
// atoms that tidies a structure-solution file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editing/atom_purge.h"
#include "model/atom_labels.h"
#include "model/structure_model.h"
#include "text/text_grid.h"

namespace tavo::editing {

inline constexpr std::string_view labelRuleMessage =
    "Labels must consist of Element+Numeral+Alphabet! Adopt this rule!";
inline constexpr std::string_view onlyRidingHydrogensMessage =
    "The sorting does not make sense only with Hs of AFIX!";

/// The new order of AtomTable entries 1..nonHCount (element t - 1 is the old index of the new
/// entry t): by label key (heavier elements, then number, then letter), stable. The atoms of one
/// residue stay together, residues in the order they first appear, so that each RESI card keeps
/// its atoms.
std::vector<int> atomSortOrder(const model::StructureModel& structure);
/// The same for HydrogenTable entries 1..hCount.
std::vector<int> hydrogenSortOrder(const model::StructureModel& structure);

/// The working grid of a sort (11 columns, one row per entry of `labels`): the label, its digit
/// pattern, the lengths of Element, Numeral and Alphabet, the element rank, the Numeral, the
/// Alphabet value, the key, "done", and in column 10 the labels in their new `order` (1-based
/// indexes into `labels`).
text::TextGrid sortWorkingGrid(const model::StructureModel& structure,
                               const std::vector<std::string>& labels,
                               const std::vector<int>& order);

/// True when every H atom rides on a parent (there is at least one H atom).
bool onlyRidingHydrogens(const model::StructureModel& structure);

/// Refuses (UserError) a new order of the entries of table `kind` (Atom or Hydrogen) that
/// would change what a card means: a card naming a range of the atom list ("RIGU C1 > C9")
/// whose range would hold other atoms, and, for the non-H atoms, SAME and a rigid-group AFIX in
/// the atom list, which apply to the atoms that follow them. An order that moves nothing is
/// always accepted.
void checkOrderKeepsCards(const model::StructureModel& structure, model::AtomKind kind,
                          const std::vector<int>& order);

/// Puts the AtomTable entries 1..nonHCount into `order` with their view coordinates and
/// `selected` flags. A riding group goes with its parent, a free H atom keeps its place after the
/// atom it followed, and the cards of the atom list keep their places in the list. Returns where
/// each entry went (the other tables map to themselves).
PurgeMap reorderAtoms(model::StructureModel& structure, const std::vector<int>& order);
/// The same for HydrogenTable entries 1..hCount.
PurgeMap reorderHydrogens(model::StructureModel& structure, const std::vector<int>& order);

/// The renames of "Simplify the Numbering": the atom that becomes entry t of `order` is called
/// by its element symbol and t (CU1, CL2, C3, ...). Throws UserError, before anything changes,
/// when such a label would be longer than four characters.
std::vector<model::AtomRename> simplifiedLabels(const model::StructureModel& structure,
                                                const std::vector<int>& order);

}  // namespace tavo::editing
