// Sort orders of the atom tables, the reordering that keeps riding groups, free H atoms and
// the cards of the atom list in their places, and the plain numbering of the non-H atoms.
#include "editing/atom_sort.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>

#include "editing/label_sorting.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {
namespace {

using model::AtomKind;
using model::AtomRef;
using model::StructureModel;

/// The stable order of `count` entries by (residue group, label key); residue groups are
/// numbered in the order they first appear.
template <typename Entry>
std::vector<int> sortOrder(const StructureModel& s, const model::OneBased<Entry>& table,
                           int count) {
  const std::vector<int> ranks = elementRanks(s.elements, s.elementCount);
  std::vector<model::Residue> residues;
  struct Key {
    std::size_t group = 0;
    long long label = 0;
  };
  std::vector<Key> keys(static_cast<std::size_t>(count) + 1);
  for (int i = 1; i <= count; ++i) {
    const Entry& entry = table[i];
    auto found = std::find_if(residues.begin(), residues.end(), [&](const model::Residue& r) {
      return model::sameResidue(r, entry.residue);
    });
    if (found == residues.end()) found = residues.insert(residues.end(), entry.residue);
    keys[static_cast<std::size_t>(i)] = {
        static_cast<std::size_t>(found - residues.begin()),
        labelSortKey(entry.label, s.elements, s.elementCount, ranks)};
  }
  std::vector<int> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const Key& ka = keys[static_cast<std::size_t>(a)];
    const Key& kb = keys[static_cast<std::size_t>(b)];
    return ka.group != kb.group ? ka.group < kb.group : ka.label < kb.label;
  });
  return order;
}

bool movesNothing(const std::vector<int>& order) {
  for (std::size_t t = 0; t < order.size(); ++t)
    if (order[t] != static_cast<int>(t) + 1) return false;
  return true;
}

std::vector<int> identity(int count) {
  std::vector<int> map(static_cast<std::size_t>(std::max(count, 0)) + 1);
  std::iota(map.begin(), map.end(), 0);
  return map;
}

/// The map of a reorder of table `kind` by `order`; the other tables map to themselves.
PurgeMap reorderMap(const StructureModel& s, AtomKind kind, const std::vector<int>& order) {
  PurgeMap map;
  map.newIndex[1] = identity(s.workingAtomCount);
  map.newIndex[2] = identity(s.workingHCount);
  map.newIndex[3] = identity(s.workingPeakCount);
  std::vector<int>& moved = map.newIndex[static_cast<std::size_t>(kind)];
  for (std::size_t t = 0; t < order.size(); ++t)
    moved[static_cast<std::size_t>(order[t])] = static_cast<int>(t) + 1;
  return map;
}

/// Moves entries 1..order.size() of `table` and their view coordinates and selection flags.
template <typename Entry>
void reorderTable(StructureModel& s, model::OneBased<Entry>& table, AtomKind kind,
                  const std::vector<int>& order) {
  const auto k = static_cast<std::size_t>(kind);
  std::vector<Entry> entries;
  std::vector<model::Vec3> views;
  std::vector<std::uint8_t> flags;
  for (const int old : order) {
    entries.push_back(table[old]);
    views.push_back(s.view[k][old]);
    flags.push_back(s.selected[k][old]);
  }
  for (std::size_t t = 0; t < order.size(); ++t) {
    const int now = static_cast<int>(t) + 1;
    table[now] = std::move(entries[t]);
    s.view[k][now] = views[t];
    s.selected[k][now] = flags[t];
  }
}

bool isSameCard(std::string_view line) {
  const std::vector<std::string_view> words = text::splitWords(line);
  if (words.empty()) return false;
  const std::string keyword = text::upper(words.front());
  return keyword == "SAME" || keyword.starts_with("SAME_");
}

bool isRigidAfixCard(std::string_view line) {
  const std::vector<std::string_view> words = text::splitWords(line);
  return words.size() >= 2 && text::upper(words[0]) == "AFIX" &&
         text::findInt(words[1]).value_or(0) != 0;
}

std::string notSortedBecause(std::string_view card) {
  return "The labels were not sorted: the card '" + text::trimLine(card) + "'";
}

/// The first entry of `sequence` called `word` (a residue or symmetry suffix aside).
std::optional<AtomRef> findByLabel(const StructureModel& s, const std::vector<AtomRef>& sequence,
                                   std::string_view word) {
  const std::string label = text::upper(word.substr(0, word.find('_')));
  for (const AtomRef ref : sequence) {
    const std::string& own =
        ref.kind == AtomKind::Atom ? s.atoms[ref.index].label : s.hydrogens[ref.index].label;
    if (text::upper(text::trimLine(own)) == label) return ref;
  }
  return std::nullopt;
}

/// The entries of `sequence` from `a` to `b` (either way round), as a sorted set.
std::vector<AtomRef> between(const std::vector<AtomRef>& sequence, AtomRef a, AtomRef b) {
  auto first = std::find(sequence.begin(), sequence.end(), a);
  auto last = std::find(sequence.begin(), sequence.end(), b);
  if (first > last) std::swap(first, last);
  std::vector<AtomRef> range(first, last == sequence.end() ? last : last + 1);
  std::sort(range.begin(), range.end(), [](AtomRef x, AtomRef y) {
    return x.kind != y.kind ? x.kind < y.kind : x.index < y.index;
  });
  return range;
}

}  // namespace

std::vector<int> atomSortOrder(const StructureModel& s) {
  return sortOrder(s, s.atoms, s.nonHCount);
}

std::vector<int> hydrogenSortOrder(const StructureModel& s) {
  return sortOrder(s, s.hydrogens, s.hCount);
}

text::TextGrid sortWorkingGrid(const StructureModel& s, const std::vector<std::string>& labels,
                               const std::vector<int>& order) {
  const std::vector<int> ranks = elementRanks(s.elements, s.elementCount);
  text::TextGrid grid(static_cast<int>(labels.size()), 11);
  for (std::size_t r = 0; r < labels.size(); ++r) {
    const std::string label = text::trimLine(labels[r]);
    const LabelParts parts = parseLabel(label);
    std::string pattern;
    for (const char c : label)
      pattern += c >= '0' && c <= '9' ? '0' : '1';
    const long long key = labelSortKey(label, s.elements, s.elementCount, ranks);
    const std::string numeral = label.substr(static_cast<std::size_t>(parts.element),
                                             static_cast<std::size_t>(parts.numeral));
    long long alphabet = key % 100;
    if (alphabet > 50) alphabet -= 100;  // -1 for a first character that is no letter
    const int row = static_cast<int>(r);
    grid.setRow(row,
                {label, pattern, std::to_string(parts.element), std::to_string(parts.numeral),
                 std::to_string(parts.alphabet), std::to_string((key - alphabet) / 1000000),
                 numeral.empty() ? "0" : numeral, std::to_string(alphabet), std::to_string(key),
                 "done", text::trimLine(labels[static_cast<std::size_t>(order[r] - 1)])});
  }
  return grid;
}

bool onlyRidingHydrogens(const StructureModel& s) {
  for (int k = 1; k <= s.hCount; ++k)
    if (s.hydrogens[k].afixGroup == 0) return false;
  return s.hCount > 0;
}

void checkOrderKeepsCards(const StructureModel& s, AtomKind kind, const std::vector<int>& order) {
  if (movesNothing(order)) return;
  std::vector<std::string> cards;
  for (const std::string& line : s.instructionLines)
    cards.push_back(line);
  for (const model::AtomListCard& c : s.atomListCards)
    cards.insert(cards.end(), c.lines.begin(), c.lines.end());
  if (kind == AtomKind::Atom) {
    for (const model::AtomListCard& c : s.atomListCards) {
      if (c.lines.empty()) continue;
      if (isSameCard(c.lines.front()) || isRigidAfixCard(c.lines.front()))
        throw UserError(notSortedBecause(c.lines.front()) +
                        " applies to the atoms that follow it in the file, and a new order would "
                        "change what it restrains. Sort such a file by hand.");
    }
    for (const std::string& line : s.instructionLines)
      if (isSameCard(line))
        throw UserError(notSortedBecause(line) +
                        " applies to the first atoms of the file, and a new order would change "
                        "what it restrains. Sort such a file by hand.");
  }
  const std::vector<AtomRef> before = atomListOrder(s);
  std::vector<AtomRef> after;
  {
    StructureModel sorted = s;
    kind == AtomKind::Atom ? reorderAtoms(sorted, order) : reorderHydrogens(sorted, order);
    for (AtomRef ref : atomListOrder(sorted)) {
      if (ref.kind == kind) ref.index = order[static_cast<std::size_t>(ref.index - 1)];
      after.push_back(ref);
    }
  }
  for (const std::string& line : cards) {
    const std::vector<std::string_view> words = text::splitWords(line);
    if (words.empty() || text::upper(words.front()).starts_with("REM")) continue;
    for (std::size_t w = 1; w + 1 < words.size(); ++w) {
      if (words[w] != ">" && words[w] != "<") continue;
      const std::optional<AtomRef> from = findByLabel(s, before, words[w - 1]);
      const std::optional<AtomRef> to = findByLabel(s, before, words[w + 1]);
      if (!from || !to) continue;
      if (between(before, *from, *to) != between(after, *from, *to)) {
        throw UserError(notSortedBecause(line) + " names the atoms from " +
                        std::string(words[w - 1]) + " to " + std::string(words[w + 1]) +
                        " in the order of the file, and the new order would put other atoms "
                        "between them. Write the atoms of the card out, then sort.");
      }
    }
  }
}

PurgeMap reorderAtoms(StructureModel& s, const std::vector<int>& order) {
  PurgeMap map = reorderMap(s, AtomKind::Atom, order);
  reorderTable(s, s.atoms, AtomKind::Atom, order);
  const std::vector<int>& moved = map.newIndex[1];
  for (int k = 1; k <= s.hCount; ++k) {
    int& after = s.hydrogens[k].afterAtom;
    if (after >= 1 && after <= s.nonHCount) after = moved[static_cast<std::size_t>(after)];
  }
  return map;
}

PurgeMap reorderHydrogens(StructureModel& s, const std::vector<int>& order) {
  PurgeMap map = reorderMap(s, AtomKind::Hydrogen, order);
  reorderTable(s, s.hydrogens, AtomKind::Hydrogen, order);
  return map;
}

std::vector<model::AtomRename> simplifiedLabels(const StructureModel& s,
                                                const std::vector<int>& order) {
  std::vector<model::AtomRename> renames;
  for (std::size_t t = 0; t < order.size(); ++t) {
    const int old = order[t];
    const std::string label =
        text::upper(s.symbolOf(s.atoms[old].sfac)) + std::to_string(static_cast<int>(t) + 1);
    if (label.size() > model::maxLabelLength) {
      throw UserError("The numbering was not simplified: " + s.atoms[old].label + " would become " +
                      label + ", longer than the four characters SHELXL " + "reads.");
    }
    if (label != text::upper(text::trimLine(s.atoms[old].label)))
      renames.push_back({{AtomKind::Atom, old}, label});
  }
  return renames;
}

}  // namespace tavo::editing
