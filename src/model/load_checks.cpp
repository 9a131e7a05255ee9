// Duplicate-label and non-positive-definite checks after a load.
#include "model/load_checks.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/dialogs.h"
#include "model/structure_model.h"
#include "text/text.h"

namespace tavo::model {

namespace {

// The label as compared: without surrounding blanks or control characters, in any case.
std::string_view comparedLabel(std::string_view label) {
  while (!label.empty() && static_cast<unsigned char>(label.front()) <= 32)
    label.remove_prefix(1);
  while (!label.empty() && static_cast<unsigned char>(label.back()) <= 32)
    label.remove_suffix(1);
  return label;
}

char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameLabel(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return upperAscii(x) == upperAscii(y);
         });
}

std::uint64_t mix(std::uint64_t h, std::uint64_t value) {
  return (h ^ value) * 0x100000001B3ULL;
}

// Pairs i < j of equal labels within one residue among entries 1..count, in the order of the
// double loop over (i, j). SHELXL allows the same label in different residues; all atoms outside
// any residue count as one residue. Entries are grouped by a hash of label and residue first, so
// the cost follows the number of entries and pairs, not count², and no text is copied.
template <class Table>
void addDuplicatePairs(const Table& table, int count, text::TextGrid& grid, int& pairs) {
  struct Entry {
    std::uint64_t hash;
    int index;
  };
  const auto size = static_cast<std::size_t>(std::max(count, 0));
  std::vector<std::uint64_t> hashes(size + 1);
  // The labels first: the residue lies further into each entry, and only entries whose label
  // occurs more than once need it.
  for (int i = 1; i <= count; ++i) {
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (const char c : comparedLabel(table[i].label))
      h = mix(h, static_cast<unsigned char>(upperAscii(c)));
    hashes[static_cast<std::size_t>(i)] = h;
  }
  // Only entries whose label hash occurs more than once can be duplicates: an open-addressing
  // table of hashes finds them in one pass, and only they are sorted, by label and residue.
  std::size_t slots = 16;
  while (slots < 2 * size)
    slots *= 2;
  std::vector<int> slot(slots, 0);  // the first entry with the hash; 0 = free
  std::vector<bool> repeated(size + 1, false);
  for (int i = 1; i <= count; ++i) {
    const std::uint64_t h = hashes[static_cast<std::size_t>(i)];
    std::size_t at = static_cast<std::size_t>(h ^ (h >> 29)) & (slots - 1);
    for (;; at = (at + 1) & (slots - 1)) {
      const int first = slot[at];
      if (first == 0) {
        slot[at] = i;
        break;
      }
      if (hashes[static_cast<std::size_t>(first)] == h) {
        repeated[static_cast<std::size_t>(first)] = true;
        repeated[static_cast<std::size_t>(i)] = true;
        break;
      }
    }
  }
  std::vector<Entry> entries;
  for (int i = 1; i <= count; ++i) {
    if (!repeated[static_cast<std::size_t>(i)]) continue;
    const Residue& residue = table[i].residue;
    std::uint64_t h = mix(hashes[static_cast<std::size_t>(i)], 0x100);  // ends the label
    for (const char c : residue.chain)
      h = mix(h, static_cast<unsigned char>(c));
    h = mix(h, 0x100 + static_cast<std::uint64_t>(static_cast<std::uint32_t>(residue.number)));
    entries.push_back({h, i});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.hash != b.hash ? a.hash < b.hash : a.index < b.index;
  });
  const auto same = [&table](int a, int b) {
    return sameLabel(comparedLabel(table[a].label), comparedLabel(table[b].label)) &&
           table[a].residue.number == table[b].residue.number &&
           table[a].residue.chain == table[b].residue.chain;
  };
  std::vector<std::pair<int, int>> found;
  for (std::size_t start = 0; start < entries.size();) {
    std::size_t end = start + 1;
    while (end < entries.size() && entries[end].hash == entries[start].hash)
      ++end;
    for (std::size_t a = start; a < end; ++a) {
      for (std::size_t b = a + 1; b < end; ++b) {
        if (same(entries[a].index, entries[b].index))
          found.emplace_back(entries[a].index, entries[b].index);
      }
    }
    start = end;
  }
  std::sort(found.begin(), found.end());
  for (const auto& [i, j] : found) {
    (void)j;
    if (pairs == 0) grid.resize(1, 2);
    ++pairs;
    grid.setRow(pairs, {text::upper(comparedLabel(table[i].label)), "Duplicated"});
  }
}

}  // namespace

void checkDuplicateLabels(StructureModel& structure, Dialogs& dialogs) {
  int pairs = 0;
  addDuplicatePairs(structure.atoms, structure.nonHCount, structure.workingGrid, pairs);
  addDuplicatePairs(structure.hydrogens, structure.hCount, structure.workingGrid, pairs);
  if (pairs > 0) dialogs.message(std::to_string(pairs) + std::string(duplicateLabelsMessage));
}

void checkNonPositiveDefinite(StructureModel& structure, Dialogs& dialogs) {
  int found = 0;
  for (int i = 1; i <= structure.nonHCount; ++i) {
    const Atom& a = structure.atoms[i];
    if (a.aniso != 1) continue;
    const double d2 = a.u11 * a.u22 - a.u12 * a.u12;
    const double d3 = 2 * a.u12 * a.u23 * a.u13 + a.u11 * a.u22 * a.u33 - a.u11 * a.u23 * a.u23 -
                      a.u33 * a.u12 * a.u12 - a.u22 * a.u13 * a.u13;
    if (d2 > 0 && d3 > 0) continue;
    if (found == 0) {
      structure.workingGrid.resize(1, 2);
      structure.workingGrid.setRow(0, {"No.", "Non-Positive"});
    }
    ++found;
    structure.workingGrid.setRow(found, {std::to_string(i), text::trimLine(a.label)});
  }
  if (found > 0) {
    dialogs.message(std::string(nonPositiveDefiniteMessageStart) + std::to_string(found) +
                    std::string(nonPositiveDefiniteMessageEnd));
  }
}

void runLoadChecks(StructureModel& structure, Dialogs& dialogs) {
  checkDuplicateLabels(structure, dialogs);
  checkNonPositiveDefinite(structure, dialogs);
}

}  // namespace tavo::model
