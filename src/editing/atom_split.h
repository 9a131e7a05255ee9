// Splitting an atom into two disordered halves: PART 1 and PART 2 with occupancies tied to a new
// free variable, in place of the atom.
#pragma once

#include <string>
#include <vector>

#include "editing/atom_purge.h"
#include "model/structure_model.h"
#include "model/vec3.h"

namespace tavo::editing {

/// Which atom to split, the labels of its two halves and their fractional positions.
struct SplitRequest {
  int source = 0;  // AtomTable index of an atom of the file
  std::string firstLabel, secondLabel;
  model::Vec3 first, second;
};

/// What a split did beyond the two halves.
struct SplitOutcome {
  int freeVariable = 0;                      // the new free variable tying the occupancies
  std::vector<std::string> ridingHydrogens;  // H atoms that rode on the source, removed
  std::vector<std::string> namingCards;      // cards that named the source, left as they were
  PurgeMap hydrogensRemoved;                 // where the H atoms went
  PurgeMap inserted;                         // where the atoms went (the second half inserted)
};

/// Replaces atom `source` by two isotropic halves (Uiso 0.05): the first takes its place in
/// PART 1 with occupancy p·fv(m), the second follows it in PART 2 with p·(1 − fv(m)), where p
/// is the source's occupancy and m a new free variable of value 0.5 (codes 10m+p and −(10m+p)).
/// The H atoms riding on the source go with it. Expansion copies must have been dropped.
/// Throws UserError, with nothing changed, for a label refused by checkNewLabel, two equal
/// labels, a source already in a PART or with its occupancy tied to a free variable.
SplitOutcome splitAtom(model::StructureModel& structure, const SplitRequest& request);

/// The message after a split that removed H atoms or left cards naming the source.
std::string splitNotice(const std::string& sourceLabel, const SplitOutcome& outcome);

}  // namespace tavo::editing
