// The atom list grid, the values typed into it and its printout.
#include "editing/atom_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "editing/label_sorting.h"
#include "editing/parameter_edits.h"
#include "geometry/anisotropic_transform.h"
#include "model/atom_labels.h"
#include "model/free_variables.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {
namespace {

using model::AtomKind;
using model::AtomRef;
using model::StructureModel;

constexpr std::array<const char*, atomListColumnCount> headings = {
    "No.", "Label", "SFAC", "X",   "Y",    "Z",    "sof",   "U11/Uiso", "U22",
    "U33", "U23",   "U13",  "U12", "PART", "AFIX", "Label", "ANI?",     "POSTV?"};

constexpr std::array<const char*, 11> parameterNames = {"",    "x",   "y",   "z",   "sof", "U11",
                                                        "U22", "U33", "U23", "U13", "U12"};

/// The AFIX code an H atom rides with, as its AFIX card has it ("137", "43"); "0" for a free H
/// atom and for a non-H atom, whose own lines stand under AFIX 0.
std::string afixCodeOf(const StructureModel& s, int afixGroup) {
  if (afixGroup < 1 || afixGroup > s.ridingGroupCount) return "0";
  const std::string& code = s.ridingGroups[afixGroup].afixCode;
  return code.empty() ? "0" : code;
}

std::vector<std::string> atomRow(const model::Atom& a, int number) {
  return {std::to_string(number),
          a.label,
          std::to_string(a.sfac),
          parameterText(a.x),
          parameterText(a.y),
          parameterText(a.z),
          parameterText(a.sof),
          parameterText(a.u11),
          parameterText(a.u22),
          parameterText(a.u33),
          parameterText(a.u23),
          parameterText(a.u13),
          parameterText(a.u12),
          std::to_string(a.part),
          "0",
          a.label,
          std::to_string(a.aniso),
          qualityGrade(a)};
}

std::vector<std::string> hydrogenRow(const StructureModel& s, const model::Hydrogen& h,
                                     int number) {
  return {std::to_string(number),
          h.label,
          std::to_string(h.sfac),
          parameterText(h.x),
          parameterText(h.y),
          parameterText(h.z),
          parameterText(h.sof),
          parameterText(h.uiso),
          "",
          "",
          "",
          "",
          "",
          std::to_string(h.part),
          afixCodeOf(s, h.afixGroup),
          h.label,
          "",
          qualityGrade(h)};
}

std::vector<std::string> rowOf(const StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom ? atomRow(s.atoms[ref.index], ref.index)
                                    : hydrogenRow(s, s.hydrogens[ref.index], ref.index);
}

const std::string& labelOf(const StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom ? s.atoms[ref.index].label : s.hydrogens[ref.index].label;
}

model::ParameterCodes& codesOf(StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom ? s.atoms[ref.index].codes : s.hydrogens[ref.index].codes;
}

/// The value of parameter p (1..10; 5 is Uiso for an H atom).
double& valueOf(StructureModel& s, AtomRef ref, int p) {
  if (ref.kind == AtomKind::Hydrogen) {
    model::Hydrogen& h = s.hydrogens[ref.index];
    double* values[] = {nullptr, &h.x, &h.y, &h.z, &h.sof, &h.uiso};
    return *values[p];
  }
  model::Atom& a = s.atoms[ref.index];
  double* values[] = {nullptr, &a.x,   &a.y,   &a.z,   &a.sof, &a.u11,
                      &a.u22,  &a.u33, &a.u23, &a.u13, &a.u12};
  return *values[p];
}

/// The renaming of columns 1 and 15: the cards follow, the label is stored in upper case.
void rename(StructureModel& s, AtomRef ref, std::string_view value) {
  const std::string newLabel = text::upper(text::trimLine(value));
  if (newLabel == text::upper(text::trimLine(labelOf(s, ref)))) return;
  const int count = ref.kind == AtomKind::Atom ? s.nonHCount : s.hCount;
  for (int i = 1; i <= count; ++i) {
    if (i != ref.index && text::upper(text::trimLine(labelOf(s, {ref.kind, i}))) == newLabel)
      throw UserError(std::string(nameInUseMessage));
  }
  model::renameAtoms(s, {model::AtomRename{ref, newLabel}});
}

/// Stores fields of `texts` through the checks of the parameter windows; the values and codes
/// of every parameter but `parameter` keep their exact numbers (the texts are rounded).
void storeChecked(StructureModel& s, AtomRef ref, const AtomParameterTexts& texts, int parameter) {
  const model::ParameterCodes codes = codesOf(s, ref);
  const int count = ref.kind == AtomKind::Atom ? 10 : 5;
  std::array<double, 11> values{};
  for (int p = 1; p <= count; ++p)
    values[static_cast<std::size_t>(p)] = valueOf(s, ref, p);
  storeAtomParameters(s, ref, texts);
  codesOf(s, ref) = codes;
  for (int p = 1; p <= count; ++p)
    if (p != parameter) valueOf(s, ref, p) = values[static_cast<std::size_t>(p)];
}

/// A typed parameter value; a tied parameter keeps the value of its free variable.
void storeParameter(StructureModel& s, AtomRef ref, int p, std::string_view value) {
  const double typed = text::parseDouble(value);
  const double code = codesOf(s, ref)[static_cast<std::size_t>(p)];
  if (model::isTiedCode(code)) {
    if (std::abs(typed - valueOf(s, ref, p)) < 5e-8) return;
    throw UserError("The " + std::string(parameterNames[static_cast<std::size_t>(p)]) + " of " +
                    labelOf(s, ref) + " is tied to free variable " +
                    std::to_string(model::freeVariableUsedBy(code)) +
                    ": change the free variable, or the code, in the fixing window.");
  }
  AtomParameterTexts texts = loadAtomParameters(s, ref);
  texts.values[static_cast<std::size_t>(p)] = std::string(value);
  storeChecked(s, ref, texts, p);
}

/// cos of the reciprocal angles alpha*, beta*, gamma*.
std::array<double, 3> reciprocalCosines(const model::CellParameters& cell) {
  const double rad = 1 / model::degreesPerRadian;
  const double ca = std::cos(cell.alpha * rad), cb = std::cos(cell.beta * rad),
               cg = std::cos(cell.gamma * rad);
  const double sa = std::sin(cell.alpha * rad), sb = std::sin(cell.beta * rad),
               sg = std::sin(cell.gamma * rad);
  return {(cb * cg - ca) / (sb * sg), (ca * cg - cb) / (sa * sg), (ca * cb - cg) / (sa * sb)};
}

/// Ueq: a third of the trace of U in Cartesian axes.
double equivalentU(const model::CellParameters& cell, const model::Atom& a) {
  const std::array<double, 3> r = geometry::reciprocalLengths(cell);
  const std::array<double, 3> edge = {cell.a, cell.b, cell.c};
  const double rad = 1 / model::degreesPerRadian;
  const double ca = std::cos(cell.alpha * rad), cb = std::cos(cell.beta * rad),
               cg = std::cos(cell.gamma * rad);
  const auto t = [&](int i, int j) { return r[i] * r[j] * edge[i] * edge[j]; };
  return (a.u11 * t(0, 0) + a.u22 * t(1, 1) + a.u33 * t(2, 2) + 2 * a.u23 * t(1, 2) * ca +
          2 * a.u13 * t(0, 2) * cb + 2 * a.u12 * t(0, 1) * cg) /
         3;
}

/// ANI?: 1 gives an isotropic atom the anisotropic U of its Uiso, 0 an anisotropic one its Ueq.
void storeAniso(StructureModel& s, AtomRef ref, std::string_view value) {
  const int aniso = text::parseInt(value);
  if (aniso != 0 && aniso != 1) {
    throw UserError("ANI? of " + labelOf(s, ref) + " is 0 (isotropic) or 1 (anisotropic), not " +
                    std::to_string(aniso) + ".");
  }
  model::Atom& a = s.atoms[ref.index];
  if ((aniso == 1) == (a.aniso == 1)) return;
  const double code = a.codes[model::U11];
  if (code != 0 && code != 10) {
    throw UserError("The U11 of " + a.label +
                    " is tied to a free variable: untie it before ANI? changes.");
  }
  if (aniso == 1) {
    const std::array<double, 3> c = reciprocalCosines(s.cell);
    a.u22 = a.u33 = a.u11;
    a.u23 = a.u11 * c[0];
    a.u13 = a.u11 * c[1];
    a.u12 = a.u11 * c[2];
    ++s.anisoCount;
    if (a.aniso == 0) --s.isoCount;
  } else {
    a.u11 = equivalentU(s.cell, a);
    a.u22 = a.u33 = a.u23 = a.u13 = a.u12 = 0;
    --s.anisoCount;
    ++s.isoCount;
  }
  for (int p = model::U22; p <= model::U12; ++p)
    a.codes[static_cast<std::size_t>(p)] = code;
  a.aniso = aniso;
}

/// The order of two texts of one column: numbers as numbers, labels by their sort key.
struct ColumnOrder {
  const StructureModel& s;
  int column;
  std::vector<int> ranks = elementRanks(s.elements, s.elementCount);

  bool less(const std::string& a, const std::string& b) const {
    if (column == labelColumn || column == secondLabelColumn) {
      const long long ka = labelSortKey(a, s.elements, s.elementCount, ranks);
      const long long kb = labelSortKey(b, s.elements, s.elementCount, ranks);
      if (ka != kb) return ka < kb;
      return text::upper(a) < text::upper(b);
    }
    const std::optional<double> na = text::findDouble(a), nb = text::findDouble(b);
    if (na && nb) return *na < *nb;
    if (na || nb) return na.has_value();  // numbers before empty cells
    return a < b;
  }
};

}  // namespace

std::vector<AtomRef> atomListEntries(const StructureModel& s) {
  std::vector<AtomRef> entries;
  for (int i = 1; i <= s.nonHCount; ++i)
    entries.push_back({AtomKind::Atom, i});
  for (int k = 1; k <= s.hCount; ++k)
    entries.push_back({AtomKind::Hydrogen, k});
  return entries;
}

std::vector<AtomRef> atomListEntries(const StructureModel& s, int column, bool descending) {
  std::vector<AtomRef> entries = atomListEntries(s);
  if (column < 1 || column >= atomListColumnCount) return entries;
  const ColumnOrder order{s, column};
  std::vector<std::string> texts;
  for (const AtomRef ref : entries)
    texts.push_back(rowOf(s, ref)[static_cast<std::size_t>(column)]);
  std::vector<std::size_t> at(entries.size());
  for (std::size_t i = 0; i < at.size(); ++i)
    at[i] = i;
  std::stable_sort(at.begin(), at.end(), [&](std::size_t a, std::size_t b) {
    if (entries[a].kind != entries[b].kind) return entries[a].kind < entries[b].kind;
    return descending ? order.less(texts[b], texts[a]) : order.less(texts[a], texts[b]);
  });
  std::vector<AtomRef> sorted;
  for (const std::size_t i : at)
    sorted.push_back(entries[i]);
  return sorted;
}

text::TextGrid atomListGrid(const StructureModel& s, const std::vector<AtomRef>& entries) {
  text::TextGrid grid(static_cast<int>(entries.size()) + 1, atomListColumnCount);
  grid.setRow(0, {headings.begin(), headings.end()});
  for (std::size_t r = 0; r < entries.size(); ++r)
    grid.setRow(static_cast<int>(r) + 1, rowOf(s, entries[r]));
  return grid;
}

namespace {

/// The AFIX column holds codes: the code shown changes nothing, 0 frees a riding H atom; any other
/// code is HFIX's to give.
void storeAfixCode(StructureModel& s, AtomRef ref, std::string_view value) {
  const int code = text::parseInt(text::trimLine(value));
  const bool hydrogen = ref.kind == AtomKind::Hydrogen;
  const int group = hydrogen ? s.hydrogens[ref.index].afixGroup : 0;
  if (code == text::parseInt(afixCodeOf(s, group))) return;
  if (hydrogen && code == 0) {
    AtomParameterTexts texts = loadAtomParameters(s, ref);
    texts.afix = "0";
    storeChecked(s, ref, texts, 0);
    return;
  }
  throw UserError("AFIX " + std::to_string(code) + " cannot be typed for " + labelOf(s, ref) +
                  ": riding H atoms are made with HFIX, and 0 refines an H atom freely.");
}

}  // namespace

bool storeAtomListCell(StructureModel& s, AtomRef ref, int column, std::string_view value) {
  const bool hydrogen = ref.kind == AtomKind::Hydrogen;
  if (column == labelColumn || column == secondLabelColumn) {
    rename(s, ref, value);
    return true;
  }
  const int lastParameter = hydrogen ? 7 : 12;
  if (column >= 3 && column <= lastParameter) {
    storeParameter(s, ref, column - 2, value);
    return true;
  }
  if (column == afixColumn) {
    storeAfixCode(s, ref, value);
    return true;
  }
  if (column == sfacColumn || column == partColumn) {
    AtomParameterTexts texts = loadAtomParameters(s, ref);
    (column == sfacColumn ? texts.sfac : texts.part) = std::string(value);
    storeChecked(s, ref, texts, 0);
    return true;
  }
  if (column == anisoColumn && !hydrogen) {
    storeAniso(s, ref, value);
    return true;
  }
  return false;
}

void storeAtomListBlock(StructureModel& s, const std::vector<AtomRef>& rows, int left, int right,
                        std::string_view value) {
  if (rows.size() > 1 && left <= secondLabelColumn && right >= secondLabelColumn) {
    throw UserError("One label cannot be given to several atoms: rename them one by one.");
  }
  for (const AtomRef ref : rows) {
    for (int column = std::max(left, 2); column <= right; ++column) {
      const bool hydrogenColumn = (column >= 2 && column <= 7) || column == partColumn ||
                                  column == afixColumn || column == secondLabelColumn;
      if (ref.kind == AtomKind::Hydrogen && !hydrogenColumn) continue;
      storeAtomListCell(s, ref, column, value);
    }
  }
}

std::vector<std::string> atomListPrintLines(const text::TextGrid& grid) {
  std::vector<std::string> lines;
  for (int r = 0; r < grid.rowCount(); ++r) {
    std::string line;
    for (int c = 0; c < grid.columnCount(); ++c) {
      const std::size_t width = c == 0    ? 5
                                : c == 1  ? 7
                                : c == 2  ? 5
                                : c <= 12 ? 10
                                : c <= 16 ? 7
                                          : 10;
      line += text::padRight(text::trimLine(grid.cell(r, c)), width);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace tavo::editing
