// Taking and restoring snapshots of the structure model.
#include "model/structure_snapshot.h"

#include <algorithm>
#include <cassert>

namespace tavo::model {

namespace {

template <typename T>
std::vector<T> entries(const OneBased<T>& table, int first, int last) {
  std::vector<T> out;
  out.reserve(static_cast<std::size_t>(std::max(last - first + 1, 0)));
  for (int i = first; i <= last; ++i)
    out.push_back(table[i]);
  return out;
}

template <typename T>
int putBack(OneBased<T>& table, const std::vector<T>& saved, int first) {
  int i = first;
  for (const T& entry : saved)
    table[i++] = entry;
  return i - 1;
}

/// The SFAC elements of the snapshot with their UNIT numbers. The definition values (weight,
/// radius, colour) and the peak radius of entry 0 belong to the element definitions, which the
/// Preferences may have changed since: an element still in the table keeps its current ones.
void restoreElements(StructureModel& s, const std::vector<Element>& saved) {
  std::vector<Element> current = entries(s.elements, 1, s.elementCount);
  for (std::size_t i = 1; i < saved.size(); ++i) {
    Element element = saved[i];
    for (const Element& now : current) {
      if (now.symbol == element.symbol) {
        element.atomicWeight = now.atomicWeight;
        element.radius = now.radius;
        element.colorCode = now.colorCode;
        break;
      }
    }
    s.elements[static_cast<int>(i)] = element;
  }
  s.elementCount = static_cast<int>(saved.size()) - 1;
}

}  // namespace

StructureSnapshot takeSnapshot(const StructureModel& s) {
  StructureSnapshot snapshot;
  snapshot.atoms = entries(s.atoms, 1, s.nonHCount);
  snapshot.hydrogens = entries(s.hydrogens, 1, s.hCount);
  snapshot.peaks = entries(s.peaks, 1, s.peakCount);
  snapshot.ridingGroups = entries(s.ridingGroups, 1, s.ridingGroupCount);
  snapshot.fvar = entries(s.fvar, 1, s.fvarCount);
  snapshot.elements = entries(s.elements, 0, s.elementCount);
  snapshot.cell = s.cell;
  snapshot.symmetry = {s.symmetry.opCount,          s.symmetry.ops,
                       s.symmetry.translationUnit,  s.symmetry.translationUnitText,
                       s.symmetry.spaceGroupNumber, s.symmetry.settingNumber};
  snapshot.atomListCards = s.atomListCards;
  snapshot.instructionLines = s.instructionLines;
  snapshot.markers = s.markers;
  snapshot.hklfLine = s.hklfLine;
  snapshot.fvarComment = s.fvarComment;
  snapshot.hklfTrailer = s.hklfTrailer;
  snapshot.anisoCount = s.anisoCount;
  snapshot.isoCount = s.isoCount;
  snapshot.noFvar = s.noFvar;
  return snapshot;
}

void restoreSnapshot(StructureModel& s, const StructureSnapshot& snapshot) {
  // The tables were allocated for the file the snapshot was taken of: every count fits.
  assert(static_cast<int>(snapshot.atoms.size()) <= s.atoms.capacity());
  // The flags of every entry in use now and after, generated copies included, are cleared.
  const std::array<int, 4> inUse = {
      0, std::max(s.workingAtomCount, static_cast<int>(snapshot.atoms.size())),
      std::max(s.workingHCount, static_cast<int>(snapshot.hydrogens.size())),
      std::max(s.workingPeakCount, static_cast<int>(snapshot.peaks.size()))};
  for (std::size_t kind = 1; kind < s.selected.size(); ++kind) {
    for (int i = 0; i <= inUse[kind] && i <= s.selected[kind].capacity(); ++i)
      s.selected[kind][i] = 0;
  }
  s.nonHCount = s.workingAtomCount = putBack(s.atoms, snapshot.atoms, 1);
  s.hCount = s.workingHCount = putBack(s.hydrogens, snapshot.hydrogens, 1);
  s.peakCount = s.workingPeakCount = putBack(s.peaks, snapshot.peaks, 1);
  s.ridingGroupCount = putBack(s.ridingGroups, snapshot.ridingGroups, 1);
  s.fvarCount = putBack(s.fvar, snapshot.fvar, 1);
  restoreElements(s, snapshot.elements);
  s.cell = snapshot.cell;
  const SymmetrySnapshot& symmetry = snapshot.symmetry;
  s.symmetry.opCount = symmetry.opCount;
  s.symmetry.ops = symmetry.ops;
  s.symmetry.translationUnit = symmetry.translationUnit;
  s.symmetry.translationUnitText = symmetry.translationUnitText;
  s.symmetry.spaceGroupNumber = symmetry.spaceGroupNumber;
  s.symmetry.settingNumber = symmetry.settingNumber;
  s.atomListCards = snapshot.atomListCards;
  std::string title = s.instructionLines.empty() ? std::string() : s.instructionLines.front();
  s.instructionLines = snapshot.instructionLines;
  if (!title.empty() && !s.instructionLines.empty()) s.instructionLines.front() = std::move(title);
  s.markers = snapshot.markers;
  s.hklfLine = snapshot.hklfLine;
  s.fvarComment = snapshot.fvarComment;
  s.hklfTrailer = snapshot.hklfTrailer;
  s.anisoCount = snapshot.anisoCount;
  s.isoCount = snapshot.isoCount;
  s.noFvar = snapshot.noFvar;
}

}  // namespace tavo::model
