// A copy of what an edit can change in the structure model (everything a save writes, and the
// peaks), taken before the edit so that it can be undone.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/structure_model.h"

namespace tavo::model {

/// The operator set of SymmetryOps (its expansion units aside).
struct SymmetrySnapshot {
  int opCount = 1;
  std::array<std::array<std::int8_t, 12>, maxSymmetryOperators + 1> ops{};
  double translationUnit = 0.5;
  std::string translationUnitText;
  int spaceGroupNumber = 1;
  int settingNumber = 1;
  friend bool operator==(const SymmetrySnapshot&, const SymmetrySnapshot&) = default;
};

/// The used entries of the tables (file counts; generated copies are not kept) and the lines
/// and values the writer writes.
struct StructureSnapshot {
  std::vector<Atom> atoms;  // AtomTable 1..nonHCount
  std::vector<Hydrogen> hydrogens;
  std::vector<Peak> peaks;
  std::vector<RidingGroup> ridingGroups;
  std::vector<double> fvar;       // FV(1)..FV(fvarCount)
  std::vector<Element> elements;  // entries 0..elementCount (0 holds the peak radius)
  CellParameters cell;
  SymmetrySnapshot symmetry;
  std::vector<AtomListCard> atomListCards;
  std::vector<std::string> instructionLines;
  LineMarkers markers;
  std::string hklfLine;
  std::string fvarComment;
  std::vector<std::string> hklfTrailer;
  int anisoCount = 0;
  int isoCount = 0;
  bool noFvar = false;
  friend bool operator==(const StructureSnapshot&, const StructureSnapshot&) = default;
};

/// The snapshot of `structure` now.
StructureSnapshot takeSnapshot(const StructureModel& structure);

/// Puts `snapshot` back: the tables hold its entries (the working counts equal the file counts,
/// so the copies of an expansion are gone), their `selected` flags are cleared, and the lines,
/// markers, cell and symmetry are its own; the elements keep the definition values (weight,
/// radius, colour, the peak radius) they have now. The TITL line (line 0) stays as it is: saves
/// stamp it, and a later save numbers its backup from it. View coordinates are not set.
void restoreSnapshot(StructureModel& structure, const StructureSnapshot& snapshot);

}  // namespace tavo::model
