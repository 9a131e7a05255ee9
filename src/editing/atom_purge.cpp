// Deletion plans with riding groups, and the purge of marked entries with the remapping of
// everything that refers to an entry by index.
#include "editing/atom_purge.h"

#include <algorithm>

#include "model/atom_lookup.h"
#include "model/card_relabel.h"
#include "text/text.h"

namespace tavo::editing {

using model::AtomKind;
using model::AtomRef;
using model::StructureModel;

std::vector<AtomRef> atomListOrder(const StructureModel& s) {
  std::vector<AtomRef> order;
  std::vector<bool> placed(static_cast<size_t>(std::max(s.hCount, 0)) + 1, false);
  const auto freeHydrogensAt = [&](int position) {
    for (int k = 1; k <= s.hCount; ++k) {
      const model::Hydrogen& h = s.hydrogens[k];
      const int at = h.afterAtom < 0 || h.afterAtom > s.nonHCount ? s.nonHCount : h.afterAtom;
      if (h.afixGroup == 0 && at == position) {
        order.push_back({AtomKind::Hydrogen, k});
        placed[static_cast<size_t>(k)] = true;
      }
    }
  };
  for (int j = 1; j <= s.nonHCount; ++j) {
    freeHydrogensAt(j - 1);
    order.push_back({AtomKind::Atom, j});
    const int group = s.atoms[j].afixGroup;
    if (group < 1 || group > s.ridingGroupCount) continue;
    for (int k = 1; k <= s.hCount; ++k) {
      if (s.hydrogens[k].afixGroup == group && !placed[static_cast<size_t>(k)]) {
        order.push_back({AtomKind::Hydrogen, k});
        placed[static_cast<size_t>(k)] = true;
      }
    }
  }
  freeHydrogensAt(s.nonHCount);
  for (int k = 1; k <= s.hCount; ++k) {
    if (!placed[static_cast<size_t>(k)]) order.push_back({AtomKind::Hydrogen, k});
  }
  return order;
}

namespace {

bool contains(const std::vector<AtomRef>& refs, AtomRef ref) {
  return std::find(refs.begin(), refs.end(), ref) != refs.end();
}

bool isFileEntry(const StructureModel& s, AtomRef ref) {
  if (ref.index < 1) return false;
  if (ref.kind == AtomKind::Atom) return ref.index <= s.nonHCount;
  if (ref.kind == AtomKind::Hydrogen) return ref.index <= s.hCount;
  return ref.kind == AtomKind::Peak && ref.index <= s.peakCount;
}

std::string labelOf(const StructureModel& s, AtomRef ref) {
  return text::trimLine(ref.kind == AtomKind::Atom ? s.atoms[ref.index].label
                                                   : s.hydrogens[ref.index].label);
}

int& markOf(StructureModel& s, AtomRef ref) {
  if (ref.kind == AtomKind::Atom) return s.atoms[ref.index].mark;
  if (ref.kind == AtomKind::Hydrogen) return s.hydrogens[ref.index].mark;
  return s.peaks[ref.index].mark;
}

/// Compacts one table 1..working count, keeping order; returns old -> new (0 = removed).
template <typename Entry>
std::vector<int> compact(StructureModel& s, model::OneBased<Entry>& table, AtomKind kind,
                         int& fileCount, int& workingCount) {
  std::vector<int> newIndex(static_cast<size_t>(workingCount) + 1, 0);
  const size_t k = static_cast<size_t>(kind);
  int next = 0;
  int removedFromFile = 0;
  for (int i = 1; i <= workingCount; ++i) {
    if (table[i].mark == 1) {
      if (i <= fileCount) ++removedFromFile;
      continue;
    }
    ++next;
    newIndex[static_cast<size_t>(i)] = next;
    if (next != i) {
      table[next] = std::move(table[i]);
      s.view[k][next] = s.view[k][i];
    }
    table[next].mark = 0;
    s.selected[k][next] = 0;
  }
  for (int i = next + 1; i <= workingCount; ++i)
    s.selected[k][i] = 0;
  fileCount -= removedFromFile;
  workingCount = next;
  return newIndex;
}

}  // namespace

DeletionPlan planDeletion(const StructureModel& s, const std::vector<AtomRef>& picked) {
  DeletionPlan plan;
  for (const AtomRef& ref : picked) {
    if (!contains(plan.entries, ref)) plan.entries.push_back(ref);
  }
  // The riding groups that go: those of picked parents and of picked riding H atoms.
  std::vector<int> groups;
  for (const AtomRef& ref : picked) {
    if (!isFileEntry(s, ref)) continue;
    int group = 0;
    if (ref.kind == AtomKind::Atom) group = s.atoms[ref.index].afixGroup;
    if (ref.kind == AtomKind::Hydrogen) group = s.hydrogens[ref.index].afixGroup;
    if (group >= 1 && std::find(groups.begin(), groups.end(), group) == groups.end())
      groups.push_back(group);
  }
  for (int k = 1; k <= s.hCount; ++k) {
    const AtomRef ref{AtomKind::Hydrogen, k};
    const int group = s.hydrogens[k].afixGroup;
    if (group < 1 || contains(plan.entries, ref)) continue;
    if (std::find(groups.begin(), groups.end(), group) == groups.end()) continue;
    plan.entries.push_back(ref);
    plan.ridingHydrogens.push_back(labelOf(s, ref));
  }
  for (const AtomRef& ref : plan.entries) {
    if (!isFileEntry(s, ref) || ref.kind == AtomKind::Peak) continue;
    for (std::string& card : model::cardsNaming(s, labelOf(s, ref), model::residueOf(s, ref))) {
      if (std::find(plan.namingCards.begin(), plan.namingCards.end(), card) ==
          plan.namingCards.end())
        plan.namingCards.push_back(std::move(card));
    }
  }
  return plan;
}

std::string deletionQuestion(const DeletionPlan& plan) {
  std::string question;
  if (!plan.ridingHydrogens.empty()) {
    question += "These riding H atoms are deleted with their group: ";
    for (size_t i = 0; i < plan.ridingHydrogens.size(); ++i)
      question += (i == 0 ? "" : ", ") + plan.ridingHydrogens[i];
    question += ".\n";
  }
  if (!plan.namingCards.empty()) {
    question += "These cards name a deleted atom and will name a missing one:\n";
    for (const std::string& card : plan.namingCards)
      question += card + "\n";
  }
  question += "Delete?";
  return question;
}

AtomRef PurgeMap::map(AtomRef ref) const {
  const size_t k = static_cast<size_t>(ref.kind);
  if (ref.kind == AtomKind::None || ref.index < 1 ||
      static_cast<size_t>(ref.index) >= newIndex[k].size())
    return {};
  const int index = newIndex[k][static_cast<size_t>(ref.index)];
  return index == 0 ? AtomRef{} : AtomRef{ref.kind, index};
}

bool PurgeMap::changed() const {
  for (const std::vector<int>& table : newIndex) {
    for (size_t i = 1; i < table.size(); ++i) {
      if (table[i] != static_cast<int>(i)) return true;
    }
  }
  return false;
}

std::vector<AtomRef> remapped(const PurgeMap& map, const std::vector<AtomRef>& refs) {
  std::vector<AtomRef> kept;
  for (const AtomRef& ref : refs) {
    const AtomRef now = map.map(ref);
    if (now.kind != AtomKind::None) kept.push_back(now);
  }
  return kept;
}

int rigidAfixInForce(const StructureModel& s, int atom) {
  int inForce = 0;
  for (const AtomRef& ref : atomListOrder(s)) {
    for (const model::AtomListCard& card : s.atomListCards) {
      if (card.before != ref || card.lines.empty()) continue;
      const auto words = text::splitWords(card.lines.front());
      if (words.size() >= 2 && text::upper(words[0]) == "AFIX") {
        inForce = text::findInt(words[1]).value_or(inForce);
      }
    }
    if (ref == AtomRef{AtomKind::Atom, atom}) return inForce;
    // A riding group's own closing line (AFIX 0) ends whatever was in force.
    if (ref.kind == AtomKind::Atom) {
      const int group = s.atoms[ref.index].afixGroup;
      if (group >= 1 && group <= s.ridingGroupCount && !s.ridingGroups[group].closingLine.empty())
        inForce = 0;
    }
  }
  return 0;
}

namespace {

// A riding group that goes as a whole inside a rigid group (AFIX 65 in force at its parent)
// leaves its closing AFIX 0 behind as a card of the atom list, before the next entry that
// stays: the same line ended the rigid group, and without it the atoms after the group would
// join the rigid group.
void keepRigidGroupEnd(StructureModel& s, const std::vector<AtomRef>& order, int group) {
  const model::RidingGroup& riding = s.ridingGroups[group];
  if (riding.closingLine.empty()) return;
  for (int k = 1; k <= s.hCount; ++k) {
    if (s.hydrogens[k].afixGroup == group && s.hydrogens[k].mark != 1) return;
  }
  int parent = 0;
  for (int j = 1; j <= s.nonHCount && parent == 0; ++j) {
    if (s.atoms[j].afixGroup == group) parent = j;
  }
  if (parent == 0 || rigidAfixInForce(s, parent) == 0) return;
  auto at = std::find(order.begin(), order.end(), AtomRef{AtomKind::Atom, parent});
  while (at != order.end() &&
         (markOf(s, *at) == 1 || *at == AtomRef{AtomKind::Atom, parent} ||
          (at->kind == AtomKind::Hydrogen && s.hydrogens[at->index].afixGroup == group)))
    ++at;
  const AtomRef before = at == order.end() ? AtomRef{} : *at;
  auto first = std::find_if(s.atomListCards.begin(), s.atomListCards.end(),
                            [&](const model::AtomListCard& card) { return card.before == before; });
  s.atomListCards.insert(first, model::AtomListCard{{riding.closingLine}, before});
}

}  // namespace

PurgeMap purgeMarked(StructureModel& s) {
  // Before anything moves: the groups that lose every H atom, and where each kept card goes.
  std::vector<int> groupsGone;
  for (int k = 1; k <= s.hCount; ++k) {
    const int group = s.hydrogens[k].afixGroup;
    if (s.hydrogens[k].mark == 1 && group >= 1) groupsGone.push_back(group);
  }
  const std::vector<AtomRef> order = atomListOrder(s);
  std::sort(groupsGone.begin(), groupsGone.end());
  groupsGone.erase(std::unique(groupsGone.begin(), groupsGone.end()), groupsGone.end());
  for (const int group : groupsGone) {
    if (group <= s.ridingGroupCount) keepRigidGroupEnd(s, order, group);
  }
  for (model::AtomListCard& card : s.atomListCards) {
    auto at = std::find(order.begin(), order.end(), card.before);
    while (at != order.end() && markOf(s, *at) == 1)
      ++at;
    card.before = at == order.end() ? AtomRef{} : *at;
  }
  // A free H atom placed after a removed atom follows the nearest kept atom before it.
  std::vector<int> keptBefore(static_cast<size_t>(s.nonHCount) + 1, 0);
  for (int j = 1, kept = 0; j <= s.nonHCount; ++j) {
    if (s.atoms[j].mark != 1) ++kept;
    keptBefore[static_cast<size_t>(j)] = kept;
  }
  for (int k = 1; k <= s.hCount; ++k) {
    int& after = s.hydrogens[k].afterAtom;
    if (after >= 1 && after <= s.nonHCount) after = keptBefore[static_cast<size_t>(after)];
  }

  PurgeMap map;
  map.newIndex[1] = compact(s, s.atoms, AtomKind::Atom, s.nonHCount, s.workingAtomCount);
  map.newIndex[2] = compact(s, s.hydrogens, AtomKind::Hydrogen, s.hCount, s.workingHCount);
  map.newIndex[3] = compact(s, s.peaks, AtomKind::Peak, s.peakCount, s.workingPeakCount);

  for (int group : groupsGone) {
    bool stillRidden = false;
    for (int k = 1; k <= s.hCount; ++k)
      stillRidden = stillRidden || s.hydrogens[k].afixGroup == group;
    if (stillRidden) continue;
    for (int j = 1; j <= s.nonHCount; ++j) {
      if (s.atoms[j].afixGroup == group) s.atoms[j].afixGroup = 0;
    }
  }
  for (model::AtomListCard& card : s.atomListCards)
    card.before = map.map(card.before);
  s.anisoCount = s.isoCount = 0;
  for (int j = 1; j <= s.nonHCount; ++j) {
    if (s.atoms[j].aniso == 1) ++s.anisoCount;
    if (s.atoms[j].aniso == 0) ++s.isoCount;
  }
  return map;
}

}  // namespace tavo::editing
