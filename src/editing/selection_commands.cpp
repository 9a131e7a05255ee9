// Remembering, restoring and reversing the Selection.
#include "editing/selection_commands.h"

#include <algorithm>

#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

using model::AtomKind;
using model::AtomRef;

bool isShownEntry(const model::StructureModel& s, AtomRef ref) {
  switch (ref.kind) {
    case AtomKind::Atom:
      return ref.index >= 1 && ref.index <= s.workingAtomCount;
    case AtomKind::Hydrogen:
      return ref.index >= 1 && ref.index <= s.workingHCount;
    case AtomKind::Peak:
      return ref.index >= 1 && ref.index <= s.workingPeakCount;
    case AtomKind::None:
      break;
  }
  return false;
}

std::vector<AtomRef> complementOf(const model::StructureModel& s,
                                  const std::vector<AtomRef>& excluded) {
  std::vector<AtomRef> result;
  const auto add = [&](AtomKind kind, int last) {
    for (int i = 1; i <= last; ++i) {
      const AtomRef ref{kind, i};
      if (std::find(excluded.begin(), excluded.end(), ref) == excluded.end()) {
        result.push_back(ref);
      }
    }
  };
  add(AtomKind::Atom, s.workingAtomCount);
  add(AtomKind::Hydrogen, s.workingHCount);
  return result;
}

void rememberSelected(model::StructureModel& s, Selection& selection,
                      const std::filesystem::path& file) {
  writeSelectionFile(file, selection.picked);
  selection.remembered = selection.picked;
  selection.clear(s);
}

void rememberUnselected(model::StructureModel& s, Selection& selection,
                        const std::filesystem::path& file) {
  // Checked before anything changes, so a refusal leaves the Selection as it was.
  const std::vector<AtomRef> rest = complementOf(s, selection.picked);
  if (static_cast<int>(rest.size()) > selection.capacity) {
    throw UserError(model::limitExceededMessage("selected atoms", "atm_max", selection.capacity));
  }
  writeSelectionFile(file, rest);
  selection.reversed = selection.picked;
  selection.picked.clear();
  selection.remembered = rest;
  selection.clearReversed(s);
  selection.picked.clear();
}

void reSelect(model::StructureModel& s, Selection& selection, const std::filesystem::path& file) {
  if (std::filesystem::exists(file)) selection.remembered = readSelectionFile(file);
  selection.clear(s);
  for (const AtomRef& ref : selection.remembered) {
    if (isShownEntry(s, ref)) selection.append(s, ref);
  }
}

void reverseSelect(model::StructureModel& s, Selection& selection) {
  if (selection.empty()) return;
  selection.reversed = selection.picked;
  selection.picked.clear();
  const std::vector<AtomRef> rest = complementOf(s, selection.reversed);
  selection.clearReversed(s);
  for (const AtomRef& ref : rest)
    selection.append(s, ref);
}

void clearAll(model::StructureModel& s, Selection& selection) {
  for (AtomKind kind : {AtomKind::Atom, AtomKind::Hydrogen, AtomKind::Peak}) {
    const int last = kind == AtomKind::Atom       ? s.workingAtomCount
                     : kind == AtomKind::Hydrogen ? s.workingHCount
                                                  : s.workingPeakCount;
    auto& flags = s.selected[static_cast<size_t>(kind)];
    for (int i = 1; i <= last && i <= flags.capacity(); ++i) {
      flags[static_cast<size_t>(i)] = 0;
    }
  }
  selection.picked.clear();
  selection.reversed.clear();
  emptyWorkingGrid(s.workingGrid);
}

void emptyWorkingGrid(text::TextGrid& grid) {
  grid = text::TextGrid(1, 2);
}

void stashSelection(const Selection& selection, text::TextGrid& grid) {
  grid = text::TextGrid(selection.count() + 1, 2);
  grid.setRow(0, {std::string(selectionStashMark), std::to_string(selection.count())});
  int row = 1;
  for (const AtomRef& ref : selection.picked) {
    grid.setRow(row++, {std::to_string(model::kindNumber(ref.kind)), std::to_string(ref.index)});
  }
}

bool holdsStash(const text::TextGrid& grid) {
  return grid.rowCount() > 0 && grid.cell(0, 0) == selectionStashMark;
}

void restoreStash(model::StructureModel& s, Selection& selection, const text::TextGrid& grid) {
  if (!holdsStash(grid)) return;
  selection.clear(s);
  for (int row = 1; row < grid.rowCount(); ++row) {
    const AtomRef ref{static_cast<AtomKind>(text::parseInt(grid.cell(row, 0))),
                      text::parseInt(grid.cell(row, 1))};
    if (isShownEntry(s, ref)) selection.append(s, ref);
  }
}

}  // namespace tavo::editing
