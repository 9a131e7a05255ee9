// Moving a picked group by a symmetry operator of the crystal and a lattice translation: the
// atoms that go along, the search for the placement nearest a target, and the move itself.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "editing/selection.h"
#include "model/atom_ref.h"
#include "model/structure_model.h"
#include "model/vec3.h"

namespace tavo::editing {

/// One placement of a group: operator `op` (1..opCount) and the lattice translation (ta, tb, tc),
/// each -3..3.
struct GroupPlacement {
  int op = 1;
  int ta = 0, tb = 0, tc = 0;
  friend bool operator==(const GroupPlacement&, const GroupPlacement&) = default;
};

/// Shown when the group has nothing to be moved towards.
inline constexpr std::string_view noGroupTargetMessage =
    "Every atom belongs to the group: pick a destination atom (Define Dstntn.) or leave atoms "
    "out of the group.";

/// The entries a group move moves: the picked entries in picking order, then the riding H atoms
/// of picked atoms of the file that were not picked themselves (SHELXL builds a riding H atom
/// from where it stands, so it must not stay behind).
std::vector<model::AtomRef> groupMembers(const model::StructureModel& structure,
                                         const std::vector<model::AtomRef>& picked);

/// The Cartesian position (Å) the group is moved towards: the destination atom (the reversed
/// Selection holding one entry), else the mean position of the atoms 1..nonHCount that are not
/// picked; nothing when there is neither.
std::optional<model::Vec3> groupMoveTarget(const model::StructureModel& structure,
                                           const Selection& selection);

/// The placement that brings the centroid of `picked` nearest to `target` (Cartesian, Å): every
/// operator 1..opCount with every translation -3..3 (ta outermost, tc innermost); the first one
/// met wins a tie.
GroupPlacement bestGroupPlacement(const model::StructureModel& structure,
                                  const std::vector<model::AtomRef>& picked,
                                  const model::Vec3& target);

/// Moves `members` by `placement`: new fractional coordinates, and the Uij of anisotropic atoms
/// turned with the operator. Everything is checked before anything changes: a coordinate that
/// would leave (-5, 5) or a tied coordinate or Uij that would change throws UserError.
void moveGroup(model::StructureModel& structure, const std::vector<model::AtomRef>& members,
               const GroupPlacement& placement);

}  // namespace tavo::editing
