// Duplicate-label and non-positive-definite checks after a load.
#include "model/load_checks.h"

#include <string>

#include "model/dialogs.h"
#include "model/structure_model.h"
#include "text/text.h"

namespace tavo::model {

namespace {

// Pairs i < j of equal labels among entries 1..count, in the order of the double loop.
template <class Table>
void addDuplicatePairs(const Table& table, int count, text::TextGrid& grid, int& pairs) {
  std::vector<std::string> keys;
  keys.reserve(static_cast<std::size_t>(count) + 1);
  keys.emplace_back();
  for (int i = 1; i <= count; ++i)
    keys.push_back(text::upper(text::trimLine(table[i].label)));
  for (int i = 1; i <= count; ++i) {
    for (int j = i + 1; j <= count; ++j) {
      if (keys[static_cast<std::size_t>(i)] != keys[static_cast<std::size_t>(j)]) continue;
      if (pairs == 0) grid.resize(1, 2);
      ++pairs;
      grid.setRow(pairs, {keys[static_cast<std::size_t>(i)], "Duplicated"});
    }
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
