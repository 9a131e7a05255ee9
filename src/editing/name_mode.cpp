// The Name edit: new elements and labels for picked atoms, new atoms from picked peaks.
#include "editing/name_mode.h"

#include <algorithm>

#include "geometry/cell_metrics.h"
#include "model/atom_labels.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

using model::AtomKind;
using model::AtomRef;
using model::StructureModel;

namespace {

bool isHydrogenSymbol(const std::string& symbol) {
  return symbol == "H" || symbol == "h";
}

/// The labels in use (trimmed, upper case) in either table, and those given in this Name.
class LabelPool {
 public:
  explicit LabelPool(const StructureModel& s) {
    for (int i = 1; i <= s.nonHCount; ++i)
      m_used.push_back(text::upper(text::trimLine(s.atoms[i].label)));
    for (int i = 1; i <= s.hCount; ++i)
      m_used.push_back(text::upper(text::trimLine(s.hydrogens[i].label)));
  }
  /// The label the user typed, once: checked to be free and then taken.
  void offer(const std::string& typed) { m_typed = text::trimLine(typed); }
  /// symbol + the next number after `count` that no atom holds; `count` moves past it. The
  /// typed label, when there is one, comes first.
  std::string next(const std::string& symbol, int& count) {
    if (!m_typed.empty()) {
      std::string typed = std::move(m_typed);
      m_typed.clear();
      if (std::find(m_used.begin(), m_used.end(), text::upper(typed)) != m_used.end())
        throw UserError("The label " + typed + " is in use already; type another one.");
      m_used.push_back(text::upper(typed));
      return typed;
    }
    std::string candidate;
    do {
      ++count;
      candidate = text::cut(symbol + std::to_string(count), 8);
    } while (std::find(m_used.begin(), m_used.end(), text::upper(candidate)) != m_used.end());
    m_used.push_back(text::upper(candidate));
    return candidate;
  }

 private:
  std::vector<std::string> m_used;
  std::string m_typed;
};

void setCodesFixedSof(model::ParameterCodes& codes) {
  codes.fill(0);
  codes[model::Sof] = 10;
}

void addAtomFromPeak(StructureModel& s, int peak, int element, const std::string& label) {
  const model::Peak& q = s.peaks[peak];
  const model::Vec3 at = s.viewOf({AtomKind::Peak, peak});
  // The new atom goes after the last atom of the file; copies of an expansion are not shown
  // while Name works, so the working count equals the file count here.
  const int i = s.addAtom();
  s.nonHCount = i;
  ++s.isoCount;
  model::Atom& atom = s.atoms[i];
  atom.label = label;
  atom.sfac = element;
  atom.x = q.x;
  atom.y = q.y;
  atom.z = q.z;
  atom.sof = 1.0;
  atom.u11 = 0.05;
  setCodesFixedSof(atom.codes);
  s.viewOf({AtomKind::Atom, i}) = at;
  s.selected[1][i] = 0;
}

void addHydrogenFromPeak(StructureModel& s, int peak, int element, const std::string& label) {
  const model::Peak& q = s.peaks[peak];
  const model::Vec3 at = s.viewOf({AtomKind::Peak, peak});
  const int i = s.addHydrogen();
  s.hCount = i;
  model::Hydrogen& h = s.hydrogens[i];
  h.label = label;
  h.sfac = element;
  h.x = q.x;
  h.y = q.y;
  h.z = q.z;
  h.sof = 1.0;
  h.uiso = 0.05;
  setCodesFixedSof(h.codes);
  s.viewOf({AtomKind::Hydrogen, i}) = at;
  s.selected[2][i] = 0;
}

/// Atom to peak: a new peak where the entry is shown (its fractional position solved from the
/// view), the entry marked for the purge. Returns the peak's index.
int peakInPlaceOf(StructureModel& s, const geometry::ViewFrame& frame, AtomRef ref) {
  const model::Vec3 at = s.viewOf(ref);
  const geometry::Fractional f = geometry::fractionalOfViewPosition(frame, at);
  // Copies of an expansion are not shown while Name works: the working count is the file count.
  const int i = s.addPeak();
  s.peakCount = i;
  model::Peak& q = s.peaks[i];
  q.x = f.x;
  q.y = f.y;
  q.z = f.z;
  s.viewOf({AtomKind::Peak, i}) = at;
  s.selected[static_cast<std::size_t>(ref.kind)][ref.index] = 0;
  if (ref.kind == AtomKind::Atom) {
    s.atoms[ref.index].mark = 1;
  } else {
    s.hydrogens[ref.index].mark = 1;
  }
  return i;
}

}  // namespace

std::vector<std::string> nameSelection(StructureModel& s, Selection& selection, int element,
                                       const std::string& symbol, const geometry::ViewFrame& frame,
                                       bool coordinateImport, const std::string& typedLabel) {
  std::vector<std::string> messages;
  const bool toHydrogen = isHydrogenSymbol(symbol);
  int count = 0;
  for (int i = 1; i <= s.nonHCount; ++i)
    count += s.atoms[i].sfac == element;
  for (int i = 1; i <= s.hCount; ++i)
    count += s.hydrogens[i].sfac == element;

  // Plan every label first: nothing changes when one is refused.
  LabelPool pool(s);
  pool.offer(typedLabel);
  std::vector<model::AtomRename> renames;
  std::vector<std::pair<int, std::string>> newAtoms;  // peak, label
  // Entries of a coordinate import that change between H and non-H: Selection position, label.
  std::vector<std::pair<std::size_t, std::string>> viaPeak;
  for (std::size_t k = 0; k < selection.picked.size(); ++k) {
    const AtomRef ref = selection.picked[k];
    if (ref.kind == AtomKind::Atom && ref.index <= s.nonHCount) {
      if (toHydrogen && coordinateImport) {
        viaPeak.emplace_back(k, pool.next(symbol, count));
      } else if (toHydrogen) {
        messages.emplace_back(renameNonHIntoHMessage);
        s.selected[1][ref.index] = 0;
      } else {
        renames.push_back({ref, pool.next(symbol, count)});
      }
    } else if (ref.kind == AtomKind::Hydrogen && ref.index <= s.hCount) {
      if (coordinateImport) {
        viaPeak.emplace_back(k, pool.next(symbol, count));
      } else {
        messages.emplace_back(renameHMessage);
      }
    } else if (ref.kind == AtomKind::Peak && ref.index <= s.peakCount) {
      newAtoms.emplace_back(ref.index, pool.next(symbol, count));
    }
  }
  for (const auto& [peak, label] : newAtoms)
    model::checkNewLabel(s, label, model::Residue{});
  for (const auto& [position, label] : viaPeak)
    model::checkNewLabel(s, label, model::Residue{});
  model::renameAtoms(s, renames);
  for (const auto& [position, label] : viaPeak) {
    const int peak = peakInPlaceOf(s, frame, selection.picked[position]);
    selection.picked[position] = {AtomKind::Peak, peak};
    newAtoms.emplace_back(peak, label);
  }

  for (const model::AtomRename& rename : renames) {
    s.atoms[rename.atom.index].sfac = element;
    s.selected[1][rename.atom.index] = 0;
  }
  for (const auto& [peak, label] : newAtoms) {
    if (toHydrogen) {
      addHydrogenFromPeak(s, peak, element, label);
    } else {
      addAtomFromPeak(s, peak, element, label);
    }
    s.selected[3][peak] = 0;
    s.peaks[peak].mark = 1;
  }
  return messages;
}

}  // namespace tavo::editing
