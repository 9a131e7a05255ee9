// Reading the atom list: atoms, riding groups, free H atoms, PART context and cards.
#include "model/atom_list_reader.h"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "model/atom_line.h"
#include "model/atom_parameters.h"
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

// Which SFAC numbers are H or D, looked up once per read rather than once per atom.
class HydrogenElements {
 public:
  explicit HydrogenElements(const StructureModel& structure) {
    m_isHydrogen.push_back(false);
    for (int e = 1; e <= structure.elementCount; ++e)
      m_isHydrogen.push_back(isHydrogenElement(structure, e));
  }
  /// True for an isotropic atom of H or D: it goes to the HydrogenTable.
  bool takes(const AtomLine& atom) const {
    return atom.isotropic() && atom.sfac >= 0 &&
           static_cast<std::size_t>(atom.sfac) < m_isHydrogen.size() &&
           m_isHydrogen[static_cast<std::size_t>(atom.sfac)];
  }

 private:
  std::vector<bool> m_isHydrogen;
};

// The state of one walk over the atom list.
class AtomListWalk {
 public:
  explicit AtomListWalk(StructureModel& structure) : hydrogens(structure), m_structure(structure) {}

  AtomRef addAtom(const AtomLine& line, int ridingGroup) {
    const AtomRef ref =
        hydrogens.takes(line) ? addHydrogen(line, ridingGroup) : addNonHydrogen(line);
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
  const HydrogenElements hydrogens;

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
    for (std::size_t p = 0; p < line.numbers.size(); ++p) {
      atomParameter(atom, static_cast<int>(p) + 1) =
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
    for (std::size_t p = 0; p < 5; ++p) {
      hydrogenParameter(h, static_cast<int>(p) + 1) =
          s.decodeParameter(line.numbers[p], AtomKind::Hydrogen, i, static_cast<Parameter>(p + 1));
    }
    return {AtomKind::Hydrogen, i};
  }

  StructureModel& m_structure;
  std::size_t m_pendingFrom = 0;
  Residue m_residue;
};

// The logical lines of the atom list in order, with the few that a riding block looks ahead to
// held until they are taken. The held lines stay in their slots for the next look ahead, so that
// looking ahead allocates only while a longer block than any before is met.
class AtomListStream {
 public:
  AtomListStream(const StructureModel& structure, const SourceRows& source, int first, int last)
      : m_splitter(structure, source, first, last) {}
  /// The next line into `item`; false after the last.
  bool take(AtomListItem& item) {
    if (m_front == m_count) return m_splitter.next(item);
    std::swap(item, m_ahead[m_front++]);
    if (m_front == m_count) m_front = m_count = 0;
    return true;
  }
  /// The line `k` places ahead of the next one to take; null beyond the last. Valid until the
  /// next call.
  const AtomListItem* peek(std::size_t k) {
    while (m_count - m_front <= k) {
      if (m_count == m_ahead.size()) m_ahead.emplace_back();
      if (!m_splitter.next(m_ahead[m_count])) return nullptr;
      ++m_count;
    }
    return &m_ahead[m_front + k];
  }

 private:
  AtomListSplitter m_splitter;
  std::vector<AtomListItem> m_ahead;  // slots; the held lines are m_front..m_count-1
  std::size_t m_front = 0;
  std::size_t m_count = 0;
};

// The length of the block that follows an AFIX line (the lines up to the next AFIX line or the
// end), when it holds at least one atom and only isotropic H atoms; -1 otherwise.
int ridingBlockLength(const HydrogenElements& hydrogens, AtomListStream& stream) {
  int atoms = 0;
  std::size_t k = 0;
  for (const AtomListItem* item = stream.peek(0); item != nullptr && item->kind != ItemKind::Afix;
       item = stream.peek(++k)) {
    if (item->kind == ItemKind::Frag) return -1;
    if (item->kind != ItemKind::Atom) continue;
    if (!hydrogens.takes(item->atom)) return -1;
    ++atoms;
  }
  return atoms > 0 ? static_cast<int>(k) : -1;
}

}  // namespace

std::string SourceRows::where(int row) const {
  const int line = row >= 0 && row < static_cast<int>(lineNumbers.size())
                       ? lineNumbers[static_cast<std::size_t>(row)]
                       : row + 1;
  return fileName + ", line " + std::to_string(line) + ": ";
}

void readAtomList(StructureModel& structure, const SourceRows& source, int first, int last) {
  AtomListStream stream(structure, source, first, last);
  AtomListWalk walk(structure);
  int parent = 0;  // the non-H atom that a riding group may follow, 0 when none
  AtomListItem item;
  while (stream.take(item)) {
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
        const int length =
            item.number != 0 && parent > 0 ? ridingBlockLength(walk.hydrogens, stream) : -1;
        if (length < 0) {
          // A rigid group, a block that is not riding H atoms, or the AFIX 0 that closes one.
          walk.addCard(item.lines);
          parent = 0;
          break;
        }
        const int group = structure.addRidingGroup();
        RidingGroup& riding = structure.ridingGroups[group];
        riding.afixCode = text::cut(item.afixText.substr(0, item.afixText.find(' ')), 3);
        riding.afixText = item.afixText;
        riding.afixComment = item.comment;
        structure.atoms[parent].afixGroup = group;
        AtomListItem inner;
        for (int k = 0; k < length && stream.take(inner); ++k) {
          if (inner.kind == ItemKind::Part) {
            walk.part = {inner.number, inner.partSof, inner.comment};
          }
          if (inner.kind == ItemKind::Card) walk.addCard(inner.lines);
          if (inner.kind == ItemKind::Atom) walk.addAtom(inner.atom, group);
        }
        const AtomListItem* closing = stream.peek(0);  // the next AFIX line, if any
        const bool closedByZero = closing != nullptr && closing->number == 0;
        riding.closingLine = !closedByZero                ? ""
                             : closing->lines.size() == 1 ? closing->lines.front()
                                                          : "AFIX 0";
        if (closedByZero) stream.take(inner);
        parent = 0;
        break;
      }
    }
  }
}

bool readSolutionAtoms(StructureModel& structure, const SourceRows& source, int first, int hklfRow,
                       int last) {
  AtomListWalk walk(structure);
  std::vector<std::string_view> words;  // reused for every row
  std::string joined;                   // the code of one logical line
  for (int r = first; r <= last; ++r) {
    if (r == hklfRow) continue;
    // One logical line: an anisotropic atom continues on the next row.
    const int start = r;
    RowCode code = splitRow(source.rows[static_cast<std::size_t>(r)]);
    std::string comment = code.comment;
    joined = code.code;
    while (code.continues && r < last && r + 1 != hklfRow) {
      code = splitRow(source.rows[static_cast<std::size_t>(++r)]);
      joined += ' ';
      joined += code.code;
      if (!code.comment.empty()) comment += comment.empty() ? code.comment : " " + code.comment;
    }
    text::splitWords(joined, words, true);
    if (words.size() == 8 && isPeakLabel(words[0])) {
      // A peak line that does not read is refused by its line and field, not passed over.
      const auto number = [&](std::size_t field, const char* name) {
        if (const std::optional<double> value = text::findDouble(words[field])) return *value;
        throw ConversionError(source.where(start) + "peak " + std::string(words[0]) + ", " + name +
                              ": '" + std::string(words[field]) +
                              "' is not a valid floating point value");
      };
      const Peak read{number(2, "x"), number(3, "y"), number(4, "z"), number(7, "height"), 0};
      structure.peaks[structure.addPeak()] = read;
      continue;
    }
    std::optional<AtomLine> atom;
    try {
      atom = parseSolutionAtom(structure, words, source, start);
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
      lines.push_back(source.rawRow(k));
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
  std::vector<std::string_view> words;  // reused for every row
  for (int r = hklfRow + 1; r <= last; ++r) {
    text::splitWords(source.rows[static_cast<std::size_t>(r)], words, true);
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
