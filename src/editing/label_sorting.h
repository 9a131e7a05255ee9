// Sorting atom labels read as Element + Numeral + Alphabet, and the grades of displacement
// parameters shown in the atom list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/structure_model.h"

namespace tavo::editing {

/// A label cut into its parts: Element (the first `element` characters), Numeral (the next
/// `numeral`) and Alphabet (the next `alphabet`).
struct LabelParts {
  int element = 0, numeral = 0, alphabet = 0;
  friend bool operator==(const LabelParts&, const LabelParts&) = default;
};

/// The parts of a trimmed label: "C12A" -> C, 12, A; "CL3" -> CL, 3; "N" -> N.
LabelParts parseLabel(std::string_view label);

/// The rank of every ElementTable entry (index 0 unused): 1 for the heaviest atomic weight,
/// equal weights sharing a rank, weights of 0 counting as the smallest.
std::vector<int> elementRanks(const model::OneBased<model::Element>& elements, int elementCount);

/// The sort key of a label: rank * 1000000 + Numeral * 100 + Alphabet value (0 without an
/// Alphabet, 1..26 for a first letter A..Z in either case, -1 for any other character). An
/// Element that is no entry of the table ranks after all of them.
long long labelSortKey(std::string_view label, const model::OneBased<model::Element>& elements,
                       int elementCount, const std::vector<int>& ranks);

/// The new order of the labels (indexes into `labels`), by key; equal keys keep their order.
std::vector<int> sortedOrder(const std::vector<std::string>& labels,
                             const model::OneBased<model::Element>& elements, int elementCount);

/// The grade of a non-H atom's displacement parameters ("Normal", "###nonPos!", ...).
std::string qualityGrade(const model::Atom& atom);
/// The grade of an H atom's Uiso: "Riding" for a riding H with a negative Uiso, "" for a
/// free H with a negative Uiso.
std::string qualityGrade(const model::Hydrogen& hydrogen);

}  // namespace tavo::editing
