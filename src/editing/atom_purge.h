// Deleting atoms: which entries a deletion takes with it (riding H atoms go with their group),
// the purge that compacts the tables, and where every kept entry went.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/atom_ref.h"
#include "model/structure_model.h"

namespace tavo::editing {

/// What deleting a Selection removes beyond the picked entries, and the cards that would be left
/// naming a removed atom. Empty lists: nothing to confirm.
struct DeletionPlan {
  std::vector<model::AtomRef> entries;       // every entry to remove, picked ones first
  std::vector<std::string> ridingHydrogens;  // labels of H atoms removed with their group
  std::vector<std::string> namingCards;      // cards naming a removed atom, lines joined by "\n"
  bool needsConfirmation() const { return !ridingHydrogens.empty() || !namingCards.empty(); }
};

/// The entries deleting `picked` removes: a non-H atom takes the H atoms riding on it, and an H
/// atom of a riding group takes the whole group (SHELXL needs every H atom of an AFIX mn group
/// after its parent). The cards listed are those naming a removed atom or H atom.
DeletionPlan planDeletion(const model::StructureModel& structure,
                          const std::vector<model::AtomRef>& picked);

/// The question asked before a deletion that goes beyond the picked atoms or leaves cards
/// naming a removed atom.
std::string deletionQuestion(const DeletionPlan& plan);

/// The AFIX number that atom list cards (a rigid group's AFIX 66, AFIX 65) have in force where
/// AtomTable entry `atom` is written; 0 when none is, or a riding group's AFIX 0 ended it.
int rigidAfixInForce(const model::StructureModel& structure, int atom);

/// The atoms and H atoms of the file in the order the writer puts them in the atom list: free H
/// atoms before the atom they follow, each atom, then the H atoms riding on it; H atoms of a
/// group without parent last. Cards of the atom list stand before one of these.
std::vector<model::AtomRef> atomListOrder(const model::StructureModel& structure);

/// Where each entry went in a purge: newIndex[kind][old] is the new index, 0 when removed.
struct PurgeMap {
  std::array<std::vector<int>, 4> newIndex;
  /// The entry `ref` is now, or None when it was removed. Entries the purge did not know
  /// (beyond its working counts) map to None.
  model::AtomRef map(model::AtomRef ref) const;
  /// True when some entry moved or went.
  bool changed() const;
};

/// Removes every entry with `mark` = 1 from the AtomTable, HydrogenTable and PeakTable, keeping
/// the order of the others (file entries and generated copies alike) with their view
/// coordinates; `mark` and `selected` are 0 afterwards. A parent whose riding H atoms are all
/// gone no longer carries its group; the cards of the atom list kept before a removed atom stand
/// before the next kept one; free H atoms keep their place after the nearest kept atom; the
/// counts (file, working, aniso, iso) follow.
PurgeMap purgeMarked(model::StructureModel& structure);

/// `refs` with each entry remapped; removed entries are left out.
std::vector<model::AtomRef> remapped(const PurgeMap& map, const std::vector<model::AtomRef>& refs);

}  // namespace tavo::editing
