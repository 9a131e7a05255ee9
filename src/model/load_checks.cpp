// Duplicate-label and non-positive-definite checks after a load.
#include "model/load_checks.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "model/dialogs.h"
#include "model/structure_model.h"
#include "text/text.h"

namespace tavo::model {

namespace {

// Pairs i < j of equal labels within one residue among entries 1..count, in the order of the
// double loop over (i, j). SHELXL allows the same label in different residues; all atoms outside
// any residue count as one residue. Equal keys are grouped first, so the cost follows the number
// of pairs, not count².
template <class Table>
void addDuplicatePairs(const Table& table, int count, text::TextGrid& grid, int& pairs) {
  std::vector<std::string> labels(static_cast<std::size_t>(count) + 1);
  std::vector<std::string> keys(static_cast<std::size_t>(count) + 1);
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) {
    const auto at = static_cast<std::size_t>(i);
    labels[at] = text::upper(text::trimLine(table[i].label));
    const Residue& residue = table[i].residue;
    keys[at] = labels[at] + '\n' + residue.chain + ':' + std::to_string(residue.number);
    order.push_back(i);
  }
  const auto key = [&keys](int i) -> const std::string& {
    return keys[static_cast<std::size_t>(i)];
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
  std::vector<std::pair<int, int>> found;
  for (std::size_t start = 0; start < order.size();) {
    std::size_t end = start + 1;
    while (end < order.size() && key(order[end]) == key(order[start]))
      ++end;
    for (std::size_t a = start; a < end; ++a) {
      for (std::size_t b = a + 1; b < end; ++b)
        found.emplace_back(order[a], order[b]);
    }
    start = end;
  }
  std::sort(found.begin(), found.end());
  for (const auto& [i, j] : found) {
    (void)j;
    if (pairs == 0) grid.resize(1, 2);
    ++pairs;
    grid.setRow(pairs, {labels[static_cast<std::size_t>(i)], "Duplicated"});
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
