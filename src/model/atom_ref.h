// How every part of the program refers to an atom: its table and its 1-based index.
#pragma once

namespace tavo::model {

/// 1 = AtomTable (non-H atoms and their generated copies), 2 = HydrogenTable, 3 = PeakTable;
/// None marks "no atom" (for instance the end of the atom list).
enum class AtomKind : int { None = 0, Atom = 1, Hydrogen = 2, Peak = 3 };

struct AtomRef {
  AtomKind kind = AtomKind::None;
  int index = 0;
  friend bool operator==(const AtomRef&, const AtomRef&) = default;
};

inline int kindNumber(AtomKind kind) {
  return static_cast<int>(kind);
}

}  // namespace tavo::model
