// Splitting an atom into two disordered halves.
#include "editing/atom_split.h"

#include <algorithm>
#include <cstdlib>

#include "model/atom_labels.h"
#include "model/free_variables.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

namespace {

using model::AtomKind;
using model::AtomRef;
using model::StructureModel;

/// The occupancy of a new free variable: both halves start equal.
constexpr double startingShare = 0.5;
constexpr double splitUiso = 0.05;

void checkRequest(const StructureModel& s, const SplitRequest& r) {
  if (r.source < 1 || r.source > s.nonHCount || s.workingAtomCount != s.nonHCount) {
    throw UserError("There is no atom of the file to split.");
  }
  const model::Atom& atom = s.atoms[r.source];
  const AtomRef self{AtomKind::Atom, r.source};
  model::checkNewLabel(s, r.firstLabel, atom.residue, self);
  model::checkNewLabel(s, r.secondLabel, atom.residue, self);
  if (text::upper(r.firstLabel) == text::upper(r.secondLabel)) {
    throw UserError("The two new atoms need different labels: " + r.firstLabel + ".");
  }
  if (atom.part != 0) {
    throw UserError(atom.label + " is already in PART " + std::to_string(atom.part) +
                    ": split it by hand.");
  }
  if (model::isTiedCode(atom.codes[model::Sof]) || atom.sof <= 0 ||
      !model::isPlainValue(atom.sof)) {
    throw UserError("The occupancy of " + atom.label +
                    " is tied to a free variable or out of range: split it by hand.");
  }
}

model::Atom half(const model::Atom& source, const std::string& label, const model::Vec3& at,
                 int part, double sofCode, double sof) {
  model::Atom a;
  a.label = label;
  a.sfac = source.sfac;
  a.x = at.x;
  a.y = at.y;
  a.z = at.z;
  a.sof = sof;
  a.u11 = splitUiso;
  a.part = part;
  a.residue = source.residue;
  a.codes[model::Sof] = sofCode;
  return a;
}

/// Makes room for one atom after `at`: the later atoms, their view positions and selection
/// flags move up by one, and every reference to them follows. Returns the new index.
PurgeMap insertAfter(StructureModel& s, int at) {
  const int added = s.addAtom();
  s.nonHCount = added;
  PurgeMap map;
  map.newIndex[1].assign(static_cast<std::size_t>(added), 0);
  for (int j = 1; j < added; ++j)
    map.newIndex[1][static_cast<std::size_t>(j)] = j <= at ? j : j + 1;
  for (int j = added; j > at + 1; --j) {
    s.atoms[j] = s.atoms[j - 1];
    s.view[1][j] = s.view[1][j - 1];
    s.selected[1][j] = s.selected[1][j - 1];
  }
  s.selected[1][at + 1] = 0;
  // A free H atom written after the first half now follows the second one.
  for (int k = 1; k <= s.hCount; ++k) {
    int& after = s.hydrogens[k].afterAtom;
    if (after >= at) ++after;
  }
  for (model::AtomListCard& card : s.atomListCards) {
    if (card.before.kind == AtomKind::Atom && card.before.index > at) ++card.before.index;
  }
  for (int kind = 0; kind < 4; ++kind) {
    if (kind == 1) continue;
    const int count = kind == 2 ? s.workingHCount : kind == 3 ? s.workingPeakCount : 0;
    map.newIndex[static_cast<std::size_t>(kind)].resize(static_cast<std::size_t>(count) + 1);
    for (int j = 1; j <= count; ++j)
      map.newIndex[static_cast<std::size_t>(kind)][static_cast<std::size_t>(j)] = j;
  }
  return map;
}

}  // namespace

SplitOutcome splitAtom(StructureModel& s, const SplitRequest& r) {
  checkRequest(s, r);
  SplitOutcome outcome;
  const DeletionPlan plan = planDeletion(s, {AtomRef{AtomKind::Atom, r.source}});
  outcome.ridingHydrogens = plan.ridingHydrogens;
  outcome.namingCards = plan.namingCards;

  // The free variable first: the only step that may still refuse (the table's limit).
  if (s.fvarCount == 0) s.addFvar(1.0);  // the overall scale factor SHELXL expects first
  outcome.freeVariable = s.addFvar(startingShare);
  s.noFvar = false;

  for (const AtomRef& ref : plan.entries) {
    if (ref.kind == AtomKind::Hydrogen) s.hydrogens[ref.index].mark = 1;
  }
  outcome.hydrogensRemoved = purgeMarked(s);

  const model::Atom source = s.atoms[r.source];
  const double p = source.sof;
  const double code = model::joinParameterCode(outcome.freeVariable, p);
  s.atoms[r.source] = half(source, r.firstLabel, r.first, 1, code, p * startingShare);
  outcome.inserted = insertAfter(s, r.source);
  s.atoms[r.source + 1] = half(source, r.secondLabel, r.second, 2, -code, p * (1 - startingShare));
  s.workingAtomCount = s.nonHCount;
  s.anisoCount = s.isoCount = 0;
  for (int j = 1; j <= s.nonHCount; ++j)
    ++(s.atoms[j].aniso == 1 ? s.anisoCount : s.isoCount);
  return outcome;
}

std::string splitNotice(const std::string& sourceLabel, const SplitOutcome& outcome) {
  std::string text;
  if (!outcome.ridingHydrogens.empty()) {
    text += "The H atoms riding on " + sourceLabel + " were removed with it:";
    for (const std::string& h : outcome.ridingHydrogens)
      text += " " + h;
    text += ". Place them again on both halves (HFIX).";
  }
  if (!outcome.namingCards.empty()) {
    if (!text.empty()) text += "\n";
    text += "These cards still name " + sourceLabel + ":";
    for (const std::string& card : outcome.namingCards)
      text += "\n" + card;
  }
  return text;
}

}  // namespace tavo::editing
