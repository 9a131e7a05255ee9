// Edits of atom parameters with every field checked before anything changes.
#include "editing/parameter_edits.h"

#include <cmath>
#include <optional>

#include "model/atom_labels.h"
#include "model/atom_parameters.h"
#include "model/free_variables.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

namespace {

using model::AtomKind;
using model::AtomRef;
using model::StructureModel;

constexpr std::string_view parameterNames[11] = {"",    "x",   "y",   "z",   "sof", "U11",
                                                 "U22", "U33", "U23", "U13", "U12"};

/// The refined coordinates stay inside this bound, so that SHELXL reads them as free values.

const std::string& labelOf(const StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom ? s.atoms[ref.index].label : s.hydrogens[ref.index].label;
}

model::ParameterCodes& codesOf(StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom ? s.atoms[ref.index].codes : s.hydrogens[ref.index].codes;
}

double& valueOf(StructureModel& s, AtomRef ref, int p) {
  return ref.kind == AtomKind::Atom ? model::atomParameter(s.atoms[ref.index], p)
                                    : model::hydrogenParameter(s.hydrogens[ref.index], p);
}

double valueIn(const StructureModel& s, AtomRef ref, int p) {
  if (ref.kind == AtomKind::Atom) return model::atomParameter(s.atoms[ref.index], p);
  const model::Hydrogen& h = s.hydrogens[ref.index];
  const double fields[] = {h.x, h.y, h.z, h.sof, h.uiso};
  return fields[p - 1];
}

/// The parameters an entry has: 1..10 for an anisotropic atom, 1..5 otherwise.
int parameterCount(const StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom && s.atoms[ref.index].aniso == 1 ? 10 : 5;
}

void checkEntry(const StructureModel& s, AtomRef ref) {
  if (ref.kind == AtomKind::Peak) {
    throw UserError("Peak Q" + std::to_string(ref.index) +
                    " has no refinable parameters: name it as an atom first.");
  }
  const int count = ref.kind == AtomKind::Atom ? s.nonHCount : s.hCount;
  if (ref.kind == AtomKind::None || ref.index < 1 || ref.index > count) {
    throw UserError("There is no such atom of the file.");
  }
}

/// Refuses a value that the code would not carry through the file: a refined coordinate outside
/// (-5, 5), a refined value that SHELXL would read as fixed, a fixed one it would read otherwise.
void checkValue(const StructureModel& s, AtomRef ref, int p, double code, double value) {
  const std::string what = std::string(parameterNames[p]) + " of " + labelOf(s, ref);
  if (!std::isfinite(value)) throw UserError("The " + what + " is not a number.");
  if (code == 0 && p <= model::Z && !model::isPlainValue(value)) {
    throw UserError("The " + what + " would be " + text::formatGeneral(value, 8) +
                    ": a refined coordinate must lie between -5 and 5.");
  }
  if (model::isTiedCode(code)) return;  // the free variable gives the value
  // Refined, the value is written as itself; fixed, as value + 10: either way SHELXL reads it
  // back only while it lies strictly inside (-5, 5).
  if (!model::isPlainValue(value)) {
    throw UserError("The " + what + " cannot be " + text::formatGeneral(value, 8) +
                    (code == 0 ? " as a refined value" : " as a fixed value") +
                    ": SHELXL would read it otherwise.");
  }
}

/// Refuses a change of a coordinate that a free variable gives.
void checkCoordinateFree(const StructureModel& s, AtomRef ref, int p, double code) {
  if (model::isTiedCode(code)) {
    throw UserError("The " + std::string(parameterNames[p]) + " of " + labelOf(s, ref) +
                    " is tied to a free variable (code " + text::formatGeneral(code, 8) +
                    "): untie it in Fixing/FVAR before the coordinates are moved.");
  }
}

std::optional<double> optionalNumber(const std::string& field) {
  const std::string t = text::trimLine(field);
  if (t.empty()) return std::nullopt;
  return text::parseDouble(t);
}

/// Moves every entry of the file by `move`, after checking every new coordinate.
template <typename Move>
void moveCoordinates(StructureModel& s, Move move) {
  struct Change {
    AtomRef ref;
    int p;
    double value;
  };
  std::vector<Change> changes;
  for (int kind = 1; kind <= 2; ++kind) {
    const int count = kind == 1 ? s.nonHCount : s.hCount;
    for (int i = 1; i <= count; ++i) {
      const AtomRef ref{static_cast<AtomKind>(kind), i};
      for (int p = model::X; p <= model::Z; ++p) {
        const double code = codesOf(s, ref)[static_cast<std::size_t>(p)];
        const double value = move(p, valueOf(s, ref, p));
        checkCoordinateFree(s, ref, p, code);
        checkValue(s, ref, p, code, value);
        changes.push_back({ref, p, value});
      }
    }
  }
  for (const Change& c : changes)
    valueOf(s, c.ref, c.p) = c.value;
  for (int i = 1; i <= s.peakCount; ++i) {
    model::Peak& q = s.peaks[i];
    q.x = move(1, q.x);
    q.y = move(2, q.y);
    q.z = move(3, q.z);
  }
}

}  // namespace

std::string parameterText(double value) {
  const double rounded = text::roundHalfEven(value * 1e7) / 1e7;
  // Fixed notation without trailing zeros: the shortest text of a value of seven decimals, but a
  // small U reads 0.00008, not 8e-05.
  std::string fixed = text::formatFixed(rounded == 0 ? 0.0 : rounded, 7);
  fixed.erase(fixed.find_last_not_of('0') + 1);
  if (fixed.back() == '.') fixed.pop_back();
  return text::cut(fixed, 10);
}

AtomParameterTexts loadAtomParameters(const StructureModel& s, AtomRef ref) {
  checkEntry(s, ref);
  AtomParameterTexts t;
  const int count = parameterCount(s, ref);
  const model::ParameterCodes& codes =
      ref.kind == AtomKind::Atom ? s.atoms[ref.index].codes : s.hydrogens[ref.index].codes;
  for (int p = 1; p <= 10; ++p) {
    const auto k = static_cast<std::size_t>(p);
    if (p <= count) {
      t.codes[k] = parameterText(codes[k]);
      t.values[k] = parameterText(valueIn(s, ref, p));
    }
  }
  if (ref.kind == AtomKind::Atom) {
    const model::Atom& a = s.atoms[ref.index];
    t.label = a.label;
    t.sfac = std::to_string(a.sfac);
    t.part = std::to_string(a.part);
    t.afix = std::to_string(a.afixGroup);
  } else {
    const model::Hydrogen& h = s.hydrogens[ref.index];
    t.label = h.label;
    t.sfac = std::to_string(h.sfac);
    t.part = std::to_string(h.part);
    t.afix = std::to_string(h.afixGroup);
  }
  return t;
}

double checkedCode(const StructureModel& s, AtomRef ref, int p, double typed) {
  checkEntry(s, ref);
  const double code = model::roundCodeThroughText(typed);
  const std::string& label = labelOf(s, ref);
  if (p > parameterCount(s, ref)) {
    throw UserError(ref.kind == AtomKind::Hydrogen
                        ? "Hydrogen atoms may not be treated anisotropically in Tavo!  The "
                          "process is aborted!"
                        : label + " is isotropic: its " + std::string(parameterNames[p]) +
                              " does not exist (make it anisotropic with ANIS first).");
  }
  const int m = model::freeVariableUsedBy(code);
  const bool tied = m >= 2 && m <= s.fvarCount && model::isUnambiguousCode(code);
  if (code != 0 && code != 10 && !tied) {
    throw UserError("The code " + text::formatGeneral(typed, 8) + " of the " +
                    std::string(parameterNames[p]) + " of " + label +
                    " cannot be set: use 0 (refined), 10 (fixed) or a free variable of 2.." +
                    std::to_string(s.fvarCount) + " such as 21, -31 or 30.5.");
  }
  return code;
}

void storeAtomParameters(StructureModel& s, AtomRef ref, const AtomParameterTexts& t) {
  checkEntry(s, ref);
  const bool hydrogen = ref.kind == AtomKind::Hydrogen;
  const int count = parameterCount(s, ref);
  const std::string oldLabel = labelOf(s, ref);

  // Numbers first: a field that is not one stops the update before anything changes.
  const int sfac = text::parseInt(text::trimLine(t.sfac));
  const int part = text::parseInt(text::trimLine(t.part));
  const int afix = text::parseInt(text::trimLine(t.afix));
  std::array<double, 11> values{};
  std::array<double, 11> codes{};
  for (int p = 1; p <= 10; ++p) {
    const auto k = static_cast<std::size_t>(p);
    const std::optional<double> code = optionalNumber(t.codes[k]);
    const std::optional<double> value = optionalNumber(t.values[k]);
    if (p > count) {
      if ((code && *code != 0) || value) {
        throw UserError(hydrogen ? "Hydrogen atoms may not be treated anisotropically in Tavo!  "
                                   "The process is aborted!"
                                 : oldLabel +
                                       " is isotropic: leave U22..U12 empty (make it "
                                       "anisotropic with ANIS first).");
      }
      continue;
    }
    if (!value) {
      throw ConversionError("'' is not a valid floating point value (the " +
                            std::string(parameterNames[p]) + " of " + oldLabel + ")");
    }
    values[k] = *value;
    codes[k] = checkedCode(s, ref, p, code.value_or(0));
    if (model::isTiedCode(codes[k])) values[k] = model::decodeFreeVariable(codes[k], s.fvar).value;
    checkValue(s, ref, p, codes[k], values[k]);
  }

  // SFAC: an element of the SFAC list, H or D exactly for the H atoms.
  if (sfac < 1 || sfac > s.elementCount) {
    throw UserError("SFAC " + std::to_string(sfac) + " is not an element of the SFAC list (1.." +
                    std::to_string(s.elementCount) + ").");
  }
  const std::string symbol = text::upper(s.symbolOf(sfac));
  if ((symbol == "H" || symbol == "D") != hydrogen) {
    throw UserError(hydrogen
                        ? "An H atom keeps an H or D element: SFAC " + std::to_string(sfac) +
                              " is " + std::string(s.symbolOf(sfac)) + "."
                        : "SFAC " + std::to_string(sfac) + " is " + std::string(s.symbolOf(sfac)) +
                              ": a non-hydrogen atom cannot become an H atom here.");
  }
  if (part < lowestPart || part > highestPart) {
    throw UserError("PART " + std::to_string(part) + " is outside " + std::to_string(lowestPart) +
                    ".." + std::to_string(highestPart) + ".");
  }

  // The riding group: one that exists, with exactly one parent atom.
  const int oldAfix = hydrogen ? s.hydrogens[ref.index].afixGroup : s.atoms[ref.index].afixGroup;
  if (afix != oldAfix) {
    if (afix < 0 || afix > s.ridingGroupCount) {
      throw UserError("AFIX group " + std::to_string(afix) + " does not exist (0.." +
                      std::to_string(s.ridingGroupCount) + ").");
    }
    int parent = 0;
    for (int i = 1; i <= s.nonHCount; ++i) {
      if (afix > 0 && s.atoms[i].afixGroup == afix) parent = i;
    }
    if (hydrogen && afix > 0 && parent == 0) {
      throw UserError("AFIX group " + std::to_string(afix) + " has no parent atom.");
    }
    if (!hydrogen) {
      if (parent != 0) {
        throw UserError("AFIX group " + std::to_string(afix) + " belongs to " +
                        s.atoms[parent].label + ".");
      }
      for (int i = 1; oldAfix > 0 && i <= s.hCount; ++i) {
        if (s.hydrogens[i].afixGroup == oldAfix) {
          throw UserError(oldLabel + " carries the riding H atom " + s.hydrogens[i].label +
                          " of AFIX group " + std::to_string(oldAfix) +
                          ": delete or free its H atoms first.");
        }
      }
    }
  }

  // The label last among the checks: renameAtoms checks it and changes nothing when it refuses.
  const std::string newLabel = text::upper(text::trimLine(t.label));
  if (newLabel != text::upper(oldLabel)) {
    const int count2 = hydrogen ? s.hCount : s.nonHCount;
    for (int i = 1; i <= count2; ++i) {
      const std::string& other = hydrogen ? s.hydrogens[i].label : s.atoms[i].label;
      if (i != ref.index && text::upper(text::trimLine(other)) == newLabel) {
        throw UserError("The name is already in use!  Try again after solving this problem!!");
      }
    }
    model::renameAtoms(s, {model::AtomRename{ref, newLabel}});
  }

  // Everything is checked: store.
  const auto storePart = [&](auto& entry) {
    entry.sfac = sfac;
    if (entry.part != part) {
      entry.part = part;
      entry.partSof.clear();
      entry.partComment.clear();
    }
  };
  if (hydrogen) {
    model::Hydrogen& h = s.hydrogens[ref.index];
    storePart(h);
    if (afix != h.afixGroup && afix == 0) {
      // A riding H atom set free stays where it stood: after its former parent.
      for (int i = 1; i <= s.nonHCount; ++i) {
        if (s.atoms[i].afixGroup == h.afixGroup) h.afterAtom = i;
      }
    }
    h.afixGroup = afix;
  } else {
    model::Atom& a = s.atoms[ref.index];
    storePart(a);
    a.afixGroup = afix;
  }
  for (int p = 1; p <= count; ++p) {
    const auto k = static_cast<std::size_t>(p);
    valueOf(s, ref, p) = values[k];
    codesOf(s, ref)[k] = codes[k];
  }
}

void setParameter(StructureModel& s, const std::vector<AtomRef>& refs, int p, double code,
                  double value) {
  if (p < 1 || p > 10) throw UserError("There is no parameter " + std::to_string(p) + ".");
  std::vector<double> codes;
  for (const AtomRef ref : refs) {
    const double checked = checkedCode(s, ref, p, code);
    const double v =
        model::isTiedCode(checked) ? model::decodeFreeVariable(checked, s.fvar).value : value;
    checkValue(s, ref, p, checked, v);
    codes.push_back(checked);
  }
  for (std::size_t i = 0; i < refs.size(); ++i) {
    codesOf(s, refs[i])[static_cast<std::size_t>(p)] = codes[i];
    valueOf(s, refs[i], p) =
        model::isTiedCode(codes[i]) ? model::decodeFreeVariable(codes[i], s.fvar).value : value;
  }
}

void shiftCoordinates(StructureModel& s, const std::array<int, 3>& cells) {
  moveCoordinates(s, [&](int p, double v) { return v + cells[static_cast<std::size_t>(p - 1)]; });
}

void invertCoordinates(StructureModel& s, const std::array<double, 3>& centre) {
  moveCoordinates(s, [&](int p, double v) { return centre[static_cast<std::size_t>(p - 1)] - v; });
}

}  // namespace tavo::editing
