// Finding atoms by label and residue.
#include "model/atom_lookup.h"

#include <string>
#include <utility>

#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

const Residue noResidue{};

template <class Entry>
bool matches(const Entry& entry, std::string_view upperLabel, int residueNumber,
             std::string_view chain) {
  return entry.residue.number == residueNumber && entry.residue.chain == chain &&
         text::upper(text::trimLine(entry.label)) == upperLabel;
}

/// `LABEL_N` split into the label and residue N; empty when `label` names no residue number.
std::optional<std::pair<std::string_view, int>> residueSuffix(std::string_view label) {
  const std::size_t underscore = label.rfind('_');
  if (underscore == std::string_view::npos || underscore == 0) return std::nullopt;
  const std::optional<int> number = text::findInt(label.substr(underscore + 1));
  if (!number) return std::nullopt;
  return std::pair{label.substr(0, underscore), *number};
}

}  // namespace

const Residue& residueOf(const StructureModel& structure, AtomRef ref) {
  if (ref.kind == AtomKind::Atom && ref.index >= 1 && ref.index <= structure.workingAtomCount) {
    return structure.atoms[ref.index].residue;
  }
  if (ref.kind == AtomKind::Hydrogen && ref.index >= 1 && ref.index <= structure.workingHCount) {
    return structure.hydrogens[ref.index].residue;
  }
  return noResidue;
}

int residueNumberOf(const StructureModel& structure, AtomRef ref) {
  return residueOf(structure, ref).number;
}

std::optional<AtomRef> findAtomInResidue(const StructureModel& structure, std::string_view label,
                                         int residueNumber, std::string_view chain) {
  const std::string wanted = text::upper(text::trimLine(label));
  for (int i = 1; i <= structure.nonHCount; ++i) {
    if (matches(structure.atoms[i], wanted, residueNumber, chain))
      return AtomRef{AtomKind::Atom, i};
  }
  for (int i = 1; i <= structure.hCount; ++i) {
    if (matches(structure.hydrogens[i], wanted, residueNumber, chain)) {
      return AtomRef{AtomKind::Hydrogen, i};
    }
  }
  return std::nullopt;
}

std::optional<AtomRef> findAtomByLabel(const StructureModel& structure, std::string_view label,
                                       LabelScope scope) {
  const std::string trimmed = text::trimLine(label);
  if (const auto inResidue = residueSuffix(trimmed))
    return findAtomInResidue(structure, inResidue->first, inResidue->second);
  const std::string wanted = text::upper(trimmed);
  const bool copies = scope == LabelScope::WithCopies;
  const int atoms = copies ? structure.workingAtomCount : structure.nonHCount;
  for (int i = 1; i <= atoms; ++i) {
    if (text::upper(text::trimLine(structure.atoms[i].label)) == wanted)
      return AtomRef{AtomKind::Atom, i};
  }
  const int hydrogens = copies ? structure.workingHCount : structure.hCount;
  for (int i = 1; i <= hydrogens; ++i) {
    if (text::upper(text::trimLine(structure.hydrogens[i].label)) == wanted)
      return AtomRef{AtomKind::Hydrogen, i};
  }
  if (wanted.size() > 1 && wanted[0] == 'Q') {
    const std::optional<int> number = text::findInt(wanted.substr(1));
    if (number && *number >= 1 && *number <= structure.peakCount)
      return AtomRef{AtomKind::Peak, *number};
  }
  return std::nullopt;
}

AtomRef atomByLabel(const StructureModel& structure, std::string_view label, LabelScope scope) {
  if (const std::optional<AtomRef> found = findAtomByLabel(structure, label, scope)) return *found;
  throw UserError("no atom, H atom or peak is labelled " + std::string(label));
}

}  // namespace tavo::model
