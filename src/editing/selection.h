// The Selection: the ordered list of picked atoms with its flags, and its remembered and
// reversed companions.
#pragma once

#include <filesystem>
#include <vector>

#include "model/atom_ref.h"
#include "model/structure_model.h"

namespace tavo::editing {

/// Flag values of StructureModel::selected.
inline constexpr std::uint8_t selectedFlag = 1;
inline constexpr std::uint8_t destinationFlag = 2;

/// The first and second atom picked in the Distance mode and their distance in Å.
struct DistanceMemory {
  model::AtomRef first;
  model::AtomRef second;
  double distanceA = 0;
  bool empty() const {
    return first.kind == model::AtomKind::None && second.kind == model::AtomKind::None &&
           first.index == 0 && second.index == 0;
  }
  friend bool operator==(const DistanceMemory&, const DistanceMemory&) = default;
};

/// The Selection lists. The flags of StructureModel::selected follow `picked`.
class Selection {
 public:
  std::vector<model::AtomRef> picked;      // the Selection, in picking order
  std::vector<model::AtomRef> remembered;  // written by MemSelect/MemUnselc, read by ReSelect
  std::vector<model::AtomRef> reversed;    // the MoveGrp destination; scratch of RvrsSlct

  int count() const { return static_cast<int>(picked.size()); }
  bool empty() const { return picked.empty(); }
  bool contains(model::AtomRef ref) const;

  /// Appends `ref` and sets its flag to 1. Throws UserError naming atm_max when the list is
  /// full (`capacity` entries).
  void append(model::StructureModel& structure, model::AtomRef ref);
  /// Removes the last position holding `ref` and clears its flag.
  void remove(model::StructureModel& structure, model::AtomRef ref);
  /// Removes `ref` when its flag is 1, appends it otherwise.
  void toggle(model::StructureModel& structure, model::AtomRef ref);
  /// Clears the flags of the picked entries and empties the list.
  void clear(model::StructureModel& structure);
  /// Clears the flags of the reversed entries and empties that list.
  void clearReversed(model::StructureModel& structure);
  /// Sets the flag of every picked entry to 1 (done before every redraw).
  void flagPicked(model::StructureModel& structure) const;
  /// Empties every list without touching flags (after a load, which resets the flags).
  void forget();

  int capacity = 1000;  // atm_max
};

/// The file that keeps a remembered Selection across runs, in the working folder.
inline constexpr const char* selectionFileName = "selection_mem.txt";

/// Writes `entries` as the count line and one "kind<TAB>index" line each. FileError on failure.
void writeSelectionFile(const std::filesystem::path& file,
                        const std::vector<model::AtomRef>& entries);
/// Reads a selection file written by writeSelectionFile. ConversionError for a bad number,
/// FileError when it cannot be read.
std::vector<model::AtomRef> readSelectionFile(const std::filesystem::path& file);

}  // namespace tavo::editing
