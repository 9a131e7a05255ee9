// The rules of the locating tool that need no window: the neighbours that decide whether a bond
// length can be defined, the element of a group atom, and the position placed with vectors.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/view_frame.h"
#include "model/atom_ref.h"
#include "model/element_definitions.h"
#include "model/structure_model.h"
#include "model/vec3.h"

namespace tavo::editing {

/// Shown when a group names an element that neither SFAC nor the element definitions know.
inline constexpr std::string_view groupElementNotFoundMessage =
    "Cannot find the element! Check the naming of atoms!";
/// Shown for the H options of the locating window.
inline constexpr std::string_view locateHNotAvailableMessage = "Sorry!  Not availble as yet!";
/// Shown for a double click on "List of atoms" while no centroid list is chosen.
inline constexpr std::string_view chooseCentroidListMessage = "Select one of Origin/Mid(1)/Mid(2)";
/// Shown when a group has been placed and awaits adjustment.
inline constexpr std::string_view groupAwaitsAdjustMessage =
    "Now in the \"Adjust\" mode!  After or without adjustment, press \"Apply\" to Update";

/// The atoms bonded to `ref` in the bond list: for a non-H atom the other end of its atom-atom
/// bonds, then the H atoms of its H bonds; for an H atom the non-H end of its H bonds; none for a
/// peak.
std::vector<model::AtomRef> bondedNeighbours(const model::StructureModel& structure,
                                             model::AtomRef ref);

/// Where a group atom's element comes from: an ElementTable entry, or a definition row that
/// will become a new SFAC element with symbol `symbol`.
struct GroupElement {
  int element = 0;  // the ElementTable index; 0 when the element is to be added
  int definitionRow = 0;
  std::string symbol;
  friend bool operator==(const GroupElement&, const GroupElement&) = default;
};

/// The element of group symbol `symbol`: the first ElementTable entry whose symbol equals it
/// ignoring case, else the first definition whose written forms list it exactly (the new
/// element is that definition's first form, cut to two characters); empty when neither knows it.
std::optional<GroupElement> findGroupElement(const model::StructureModel& structure,
                                             const model::ElementDefinitions& definitions,
                                             std::string_view symbol);

/// The position placed with vectors: `lengthA` from `g0` in the direction from `g1` to `g2`.
/// Throws UserError when g1 and g2 coincide (no direction) or a value is not finite.
model::Vec3 vectorPosition(const model::Vec3& g0, const model::Vec3& g1, const model::Vec3& g2,
                           double lengthA);

/// Shown when the two centroids that give the direction coincide.
inline constexpr std::string_view coincidentCentroidsMessage =
    "The centroids Mid(1) and Mid(2) coincide: they give no direction for the new atom.";

/// Appends a peak at view position `at` (its fractional coordinates solved in the current frame)
/// after the peaks of the file; returns its index. UserError naming atm_max when the table is
/// full. The working peak count must equal the file's (no copies of an expansion shown).
int appendPeakAt(model::StructureModel& structure, const geometry::ViewFrame& frame,
                 const model::Vec3& at);

}  // namespace tavo::editing
