// The label rules of SHELXL for a new atom name, and renaming atoms with their cards.
#include "model/atom_labels.h"

#include <algorithm>

#include "model/atom_lookup.h"
#include "model/card_relabel.h"
#include "model/shelxl_instructions.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

bool sameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && text::upper(a) == text::upper(b);
}

bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool usedElsewhere(const StructureModel& structure, std::string_view label, const Residue& residue,
                   AtomRef except) {
  for (int i = 1; i <= structure.nonHCount; ++i) {
    const Atom& atom = structure.atoms[i];
    if (AtomRef{AtomKind::Atom, i} != except && sameResidue(atom.residue, residue) &&
        sameText(text::trimLine(atom.label), label))
      return true;
  }
  for (int i = 1; i <= structure.hCount; ++i) {
    const Hydrogen& h = structure.hydrogens[i];
    if (AtomRef{AtomKind::Hydrogen, i} != except && sameResidue(h.residue, residue) &&
        sameText(text::trimLine(h.label), label))
      return true;
  }
  return false;
}

std::string residueText(const Residue& residue) {
  return residue.number == 0 ? "outside any residue" : "in residue " + resiCard(residue).substr(5);
}

/// The form of a label alone (length, characters); UserError when it cannot be one.
void checkLabelForm(const std::string& label) {
  const std::string quoted = "'" + label + "'";
  if (label.empty()) throw UserError("An atom needs a label: the new label is empty.");
  if (label.size() > maxLabelLength) {
    throw UserError("The label " + quoted +
                    " is longer than four characters, the most SHELXL reads of an atom name.");
  }
  if (!isLetter(label.front()) || label.find_first_of(" _!=\t") != std::string::npos) {
    throw UserError("The label " + quoted +
                    " cannot name an atom: a label begins with a letter and holds no blank, "
                    "'_', '!' or '='.");
  }
  if (isPeakLabel(label)) {
    throw UserError("The label " + quoted +
                    " is the name of a difference-map peak (Q and a number) and cannot name an "
                    "atom.");
  }
  if (isInstructionName(label)) {
    throw UserError("The label " + quoted +
                    " is the name of a SHELXL instruction and cannot name an atom.");
  }
}

std::string inUseMessage(const std::string& label, const Residue& residue) {
  return "The label '" + label + "' is already used " + residueText(residue) +
         " (labels are compared without regard to case, among non-H and H atoms alike).";
}

}  // namespace

void checkNewLabel(const StructureModel& structure, std::string_view newLabel,
                   const Residue& residue, AtomRef except) {
  const std::string label = text::trimLine(newLabel);
  checkLabelForm(label);
  if (usedElsewhere(structure, label, residue, except))
    throw UserError(inUseMessage(label, residue));
}

int renameAtoms(StructureModel& structure, const std::vector<AtomRename>& renames) {
  struct Planned {
    AtomRef atom;
    std::string oldLabel, newLabel;
    Residue residue;
  };
  std::vector<Planned> planned;
  for (const AtomRename& rename : renames) {
    const bool atom = rename.atom.kind == AtomKind::Atom && rename.atom.index >= 1 &&
                      rename.atom.index <= structure.nonHCount;
    const bool hydrogen = rename.atom.kind == AtomKind::Hydrogen && rename.atom.index >= 1 &&
                          rename.atom.index <= structure.hCount;
    if (!atom && !hydrogen) throw UserError("Only atoms and H atoms of the file can be renamed.");
    const std::string& old = atom ? structure.atoms[rename.atom.index].label
                                  : structure.hydrogens[rename.atom.index].label;
    const std::string label = text::trimLine(rename.newLabel);
    checkLabelForm(label);
    planned.push_back({rename.atom, text::trimLine(old), label, residueOf(structure, rename.atom)});
  }
  // Clashes as the tables will be: with an atom that keeps its label, or between two renames.
  const auto renamedAtom = [&](AtomRef ref) {
    return std::find_if(planned.begin(), planned.end(),
                        [&](const Planned& p) { return p.atom == ref; }) != planned.end();
  };
  for (std::size_t i = 0; i < planned.size(); ++i) {
    const Planned& p = planned[i];
    for (std::size_t j = 0; j < i; ++j) {
      if (sameResidue(planned[j].residue, p.residue) && sameText(planned[j].newLabel, p.newLabel))
        throw UserError(inUseMessage(p.newLabel, p.residue));
    }
    const auto clash = [&](AtomRef ref, const std::string& label, const Residue& residue) {
      return !renamedAtom(ref) && sameResidue(residue, p.residue) &&
             sameText(text::trimLine(label), p.newLabel);
    };
    for (int k = 1; k <= structure.nonHCount; ++k) {
      if (clash({AtomKind::Atom, k}, structure.atoms[k].label, structure.atoms[k].residue))
        throw UserError(inUseMessage(p.newLabel, p.residue));
    }
    for (int k = 1; k <= structure.hCount; ++k) {
      if (clash({AtomKind::Hydrogen, k}, structure.hydrogens[k].label,
                structure.hydrogens[k].residue))
        throw UserError(inUseMessage(p.newLabel, p.residue));
    }
  }
  std::vector<LabelRename> cardRenames;
  for (const Planned& p : planned)
    cardRenames.push_back({p.oldLabel, p.newLabel, p.residue});
  const int changed = relabelCards(structure, cardRenames);
  for (const Planned& p : planned) {
    if (p.atom.kind == AtomKind::Atom)
      structure.atoms[p.atom.index].label = p.newLabel;
    else
      structure.hydrogens[p.atom.index].label = p.newLabel;
  }
  return changed;
}

}  // namespace tavo::model
