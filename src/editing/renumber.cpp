// Renumbering with numbers or letters.
#include "editing/renumber.h"

#include "text/text.h"

namespace tavo::editing {

using model::AtomKind;
using model::AtomRef;

namespace {

constexpr std::size_t storedLabelLength = 8;

std::vector<AtomRef> atomsOnly(const model::StructureModel& s, const std::vector<AtomRef>& picked) {
  std::vector<AtomRef> atoms;
  for (const AtomRef& ref : picked) {
    if ((ref.kind == AtomKind::Atom && ref.index <= s.nonHCount) ||
        (ref.kind == AtomKind::Hydrogen && ref.index <= s.hCount))
      atoms.push_back(ref);
  }
  return atoms;
}

std::string labelOf(const model::StructureModel& s, AtomRef ref) {
  return text::trimLine(ref.kind == AtomKind::Atom ? s.atoms[ref.index].label
                                                   : s.hydrogens[ref.index].label);
}

RenumberPlan planFor(const model::StructureModel& s, const std::vector<AtomRef>& atoms,
                     const std::vector<std::string>& newLabels) {
  RenumberPlan plan;
  plan.table.resize(static_cast<int>(atoms.size()) + 1, 2);
  plan.table.setRow(0, {"OldName", "NewName"});
  for (std::size_t r = 0; r < atoms.size(); ++r) {
    const std::string label = text::cut(text::trimLine(newLabels[r]), storedLabelLength);
    plan.table.setRow(static_cast<int>(r) + 1, {labelOf(s, atoms[r]), label});
    plan.renames.push_back({atoms[r], label});
  }
  return plan;
}

bool isCapital(char c) {
  return c >= 'A' && c <= 'Z';
}

}  // namespace

RenumberPlan renumberWithNumbers(const model::StructureModel& s, const std::vector<AtomRef>& picked,
                                 const std::string& symbol, int first) {
  const std::vector<AtomRef> atoms = atomsOnly(s, picked);
  std::vector<std::string> labels;
  for (std::size_t r = 0; r < atoms.size(); ++r)
    labels.push_back(text::trimLine(symbol) + std::to_string(first + static_cast<int>(r)));
  return planFor(s, atoms, labels);
}

RenumberPlan renumberWithLetters(const model::StructureModel& s,
                                 const std::vector<AtomRef>& picked) {
  const std::vector<AtomRef> atoms = atomsOnly(s, picked);
  if (atoms.empty()) return planFor(s, atoms, {});
  const std::string firstLabel = text::upper(labelOf(s, atoms.front()));
  // A bare symbol that ends in a letter ("C", "CL") keeps it: the letters follow it.
  std::string base = firstLabel;
  if (!firstLabel.empty() && isCapital(firstLabel.back()) && firstLabel.size() >= 3)
    base.pop_back();
  std::vector<std::string> labels;
  std::vector<std::string> messages;
  for (std::size_t r = 1; r <= atoms.size(); ++r) {
    if (r <= 26) {
      labels.push_back(base + static_cast<char>('A' + r - 1));
    } else {
      messages.emplace_back(lettersExceededMessage);
      labels.push_back(base + std::to_string(r));
    }
  }
  RenumberPlan plan = planFor(s, atoms, labels);
  plan.messages = std::move(messages);
  return plan;
}

}  // namespace tavo::editing
