// Finding atoms by label and residue.
#include "model/atom_lookup.h"

#include "model/structure_model.h"
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

}  // namespace tavo::model
