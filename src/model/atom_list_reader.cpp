// Reading the atom list: atoms, riding groups, free H atoms, PART context and cards.
#include "model/atom_list_reader.h"

#include <optional>
#include <string_view>

#include "model/atom_line.h"
#include "model/residue.h"
#include "model/shelxl_instructions.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

struct PartState {
  int part = 0;
  std::string sof;
  std::string comment;
};

bool isHydrogenElement(const StructureModel& structure, int sfac) {
  const std::string symbol = text::upper(text::trimLine(structure.symbolOf(sfac)));
  return symbol == "H" || symbol == "D";
}

bool goesToHydrogenTable(const StructureModel& structure, const AtomLine& atom) {
  return atom.isotropic() && isHydrogenElement(structure, atom.sfac);
}

// The state of one walk over the atom list.
class AtomListWalk {
 public:
  explicit AtomListWalk(StructureModel& structure) : m_structure(structure) {}

  AtomRef addAtom(const AtomLine& line, int ridingGroup) {
    const AtomRef ref = goesToHydrogenTable(m_structure, line) ? addHydrogen(line, ridingGroup)
                                                               : addNonHydrogen(line);
    // The cards read since the last atom stand before this one.
    auto& cards = m_structure.atomListCards;
    for (std::size_t k = m_pendingFrom; k < cards.size(); ++k)
      cards[k].before = ref;
    m_pendingFrom = cards.size();
    return ref;
  }

  void addCard(std::vector<std::string> lines) {
    // A RESI card puts the atoms below it into its residue, up to the next RESI card.
    if (const auto residue = parseResiCard(splitRow(lines.front()).code)) m_residue = *residue;
    m_structure.atomListCards.push_back({std::move(lines), AtomRef{}});
  }

  PartState part;

 private:
  AtomRef addNonHydrogen(const AtomLine& line) {
    StructureModel& s = m_structure;
    const int i = s.addAtom();
    Atom& atom = s.atoms[i];
    atom.label = line.label;
    atom.sfac = line.sfac;
    atom.comment = line.comment;
    atom.part = part.part;
    atom.partSof = part.sof;
    atom.partComment = part.comment;
    atom.residue = m_residue;
    double* fields[] = {nullptr,   &atom.x,   &atom.y,   &atom.z,   &atom.sof, &atom.u11,
                        &atom.u22, &atom.u33, &atom.u23, &atom.u13, &atom.u12};
    for (std::size_t p = 0; p < line.numbers.size(); ++p) {
      *fields[p + 1] =
          s.decodeParameter(line.numbers[p], AtomKind::Atom, i, static_cast<Parameter>(p + 1));
    }
    atom.aniso = line.isotropic() ? 0 : 1;
    ++(line.isotropic() ? s.isoCount : s.anisoCount);
    return {AtomKind::Atom, i};
  }

  AtomRef addHydrogen(const AtomLine& line, int ridingGroup) {
    StructureModel& s = m_structure;
    const int i = s.addHydrogen();
    Hydrogen& h = s.hydrogens[i];
    h.label = line.label;
    h.sfac = line.sfac;
    h.comment = line.comment;
    h.part = part.part;
    h.partSof = part.sof;
    h.partComment = part.comment;
    h.residue = m_residue;
    h.afixGroup = ridingGroup;
    h.afterAtom = s.workingAtomCount;
    double* fields[] = {nullptr, &h.x, &h.y, &h.z, &h.sof, &h.uiso};
    for (std::size_t p = 0; p < 5; ++p) {
      *fields[p + 1] =
          s.decodeParameter(line.numbers[p], AtomKind::Hydrogen, i, static_cast<Parameter>(p + 1));
    }
    return {AtomKind::Hydrogen, i};
  }

  StructureModel& m_structure;
  std::size_t m_pendingFrom = 0;
  Residue m_residue;
};

// The end of the block of an AFIX line at `afix`: the index of the next AFIX item (or the end),
// when the block holds at least one atom and only isotropic H atoms; -1 otherwise.
int ridingBlockEnd(const StructureModel& structure, const std::vector<AtomListItem>& items,
                   std::size_t afix) {
  int atoms = 0;
  std::size_t j = afix + 1;
  for (; j < items.size() && items[j].kind != ItemKind::Afix; ++j) {
    if (items[j].kind == ItemKind::Frag) return -1;
    if (items[j].kind != ItemKind::Atom) continue;
    if (!goesToHydrogenTable(structure, items[j].atom)) return -1;
    ++atoms;
  }
  return atoms > 0 ? static_cast<int>(j) : -1;
}

}  // namespace

std::string SourceRows::where(int row) const {
  const int line = row >= 0 && row < static_cast<int>(lineNumbers.size())
                       ? lineNumbers[static_cast<std::size_t>(row)]
                       : row + 1;
  return fileName + ", line " + std::to_string(line) + ": ";
}

void readAtomList(StructureModel& structure, const SourceRows& source, int first, int last) {
  const std::vector<AtomListItem> items = splitAtomList(structure, source, first, last);
  AtomListWalk walk(structure);
  int parent = 0;  // the non-H atom that a riding group may follow, 0 when none
  for (std::size_t i = 0; i < items.size(); ++i) {
    const AtomListItem& item = items[i];
    switch (item.kind) {
      case ItemKind::Fvar:
        break;
      case ItemKind::Part:
        walk.part = {item.number, item.partSof, item.comment};
        break;
      case ItemKind::Card:
        walk.addCard(item.lines);
        break;
      case ItemKind::Frag:
        walk.addCard(item.lines);
        parent = 0;
        break;
      case ItemKind::Atom: {
        const AtomRef ref = walk.addAtom(item.atom, 0);
        parent = ref.kind == AtomKind::Atom ? ref.index : 0;
        break;
      }
      case ItemKind::Afix: {
        const int end = item.number != 0 && parent > 0 ? ridingBlockEnd(structure, items, i) : -1;
        if (end < 0) {
          // A rigid group, a block that is not riding H atoms, or the AFIX 0 that closes one.
          walk.addCard(item.lines);
          parent = 0;
          break;
        }
        const int group = structure.addRidingGroup();
        RidingGroup& riding = structure.ridingGroups[group];
        riding.afixCode = text::cut(text::splitWords(item.afixText).front(), 3);
        riding.afixText = item.afixText;
        riding.afixComment = item.comment;
        structure.atoms[parent].afixGroup = group;
        for (std::size_t j = i + 1; j < static_cast<std::size_t>(end); ++j) {
          const AtomListItem& inner = items[j];
          if (inner.kind == ItemKind::Part)
            walk.part = {inner.number, inner.partSof, inner.comment};
          if (inner.kind == ItemKind::Card) walk.addCard(inner.lines);
          if (inner.kind == ItemKind::Atom) walk.addAtom(inner.atom, group);
        }
        i = static_cast<std::size_t>(end) - 1;
        const bool closedByZero = static_cast<std::size_t>(end) < items.size() &&
                                  items[static_cast<std::size_t>(end)].number == 0;
        const AtomListItem* closing =
            closedByZero ? &items[static_cast<std::size_t>(end)] : nullptr;
        riding.closingLine = closing == nullptr           ? ""
                             : closing->lines.size() == 1 ? closing->lines.front()
                                                          : "AFIX 0";
        if (closedByZero) ++i;
        parent = 0;
        break;
      }
    }
  }
}

bool readSolutionAtoms(StructureModel& structure, const SourceRows& source, int first, int hklfRow,
                       int last) {
  AtomListWalk walk(structure);
  for (int r = first; r <= last; ++r) {
    if (r == hklfRow) continue;
    // One logical line: an anisotropic atom continues on the next row.
    const int start = r;
    RowCode code = splitRow(source.rows[static_cast<std::size_t>(r)]);
    std::string joined = code.code;
    std::string comment = code.comment;
    while (code.continues && r < last && r + 1 != hklfRow) {
      code = splitRow(source.rows[static_cast<std::size_t>(++r)]);
      joined += " " + code.code;
      if (!code.comment.empty()) comment += comment.empty() ? code.comment : " " + code.comment;
    }
    const auto words = text::splitWords(joined);
    if (words.size() == 8 && isPeakLabel(words[0])) {
      const int k = structure.addPeak();
      Peak& peak = structure.peaks[k];
      peak.x = text::parseDouble(words[2]);
      peak.y = text::parseDouble(words[3]);
      peak.z = text::parseDouble(words[4]);
      peak.height = text::parseDouble(words[7]);
      continue;
    }
    std::optional<AtomLine> atom;
    try {
      atom = parseSolutionAtom(structure, words, source.where(start));
    } catch (const ConversionError&) {
      // Text after HKLF that merely looks like an atom is no part of the structure.
      if (start < hklfRow) throw;
    }
    if (atom) {
      atom->comment = comment;
      walk.addAtom(*atom, 0);
      continue;
    }
    if (start >= hklfRow) continue;
    std::vector<std::string> lines;
    for (int k = start; k <= r; ++k)
      lines.push_back(source.raw[static_cast<std::size_t>(k)]);
    walk.addCard(std::move(lines));
  }
  if (structure.workingAtomCount > 0 || structure.workingPeakCount == 0) return false;
  int heaviest = 1;
  for (int e = 2; e <= structure.elementCount; ++e) {
    if (structure.elements[e].atomicWeight > structure.elements[heaviest].atomicWeight)
      heaviest = e;
  }
  const int i = structure.addAtom();
  Atom& atom = structure.atoms[i];
  const Peak peak = structure.peaks[1];
  atom.label = text::cut(text::trimLine(structure.elements[heaviest].symbol) + "1", 8);
  atom.sfac = heaviest;
  atom.x = peak.x;
  atom.y = peak.y;
  atom.z = peak.z;
  atom.sof = 1.0;
  atom.codes[Sof] = 10;
  atom.u11 = 0.05;
  ++structure.isoCount;
  for (int k = 1; k < structure.workingPeakCount; ++k)
    structure.peaks[k] = structure.peaks[k + 1];
  --structure.workingPeakCount;
  for (AtomListCard& card : structure.atomListCards) {
    if (card.before.kind == AtomKind::None) card.before = {AtomKind::Atom, i};
  }
  return true;
}

void readPeaks(StructureModel& structure, const SourceRows& source, int hklfRow) {
  const int last = static_cast<int>(source.rows.size()) - 1;
  structure.rows.firstPeakRow = 0;
  structure.rows.lastRow = last;
  for (int r = hklfRow + 1; r <= last; ++r) {
    const std::string blanks = tabsToBlanks(source.rows[static_cast<std::size_t>(r)]);
    const auto words = text::splitWords(blanks);
    // Peak lines: Q label, SFAC, x y z ... and the height last; other rows are passed over.
    if (words.size() < 5 || !isPeakLabel(words[0])) continue;
    const auto x = text::findDouble(words[2]);
    const auto y = text::findDouble(words[3]);
    const auto z = text::findDouble(words[4]);
    const auto height = text::findDouble(words.back());
    if (!x || !y || !z || !height) continue;
    if (structure.rows.firstPeakRow == 0) structure.rows.firstPeakRow = r;
    const int k = structure.addPeak();
    structure.peaks[k] = Peak{*x, *y, *z, *height, 0};
  }
}

}  // namespace tavo::model
