// The edits of the Global Edition window.
#include "editing/global_edition.h"

#include <cmath>
#include <set>
#include <string>

#include "editing/atom_purge.h"
#include "model/atom_parameters.h"
#include "model/free_variables.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

namespace {

using model::AtomKind;
using model::AtomRef;

model::ParameterCodes& codesOf(model::StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom ? s.atoms[ref.index].codes : s.hydrogens[ref.index].codes;
}

double& valueOf(model::StructureModel& s, AtomRef ref, int p) {
  return ref.kind == AtomKind::Atom ? model::atomParameter(s.atoms[ref.index], p)
                                    : model::hydrogenParameter(s.hydrogens[ref.index], p);
}

std::string labelOf(const model::StructureModel& s, AtomRef ref) {
  return text::trimLine(ref.kind == AtomKind::Atom ? s.atoms[ref.index].label
                                                   : s.hydrogens[ref.index].label);
}

// Throws when a listed atom has parameter `p` tied to a free variable: its value would be
// written as the code, so a new value would be lost.
void refuseTied(model::StructureModel& s, const std::vector<AtomRef>& refs, int p,
                std::string_view what) {
  std::string tied;
  for (const AtomRef& ref : refs) {
    if (!model::isTiedCode(codesOf(s, ref)[static_cast<std::size_t>(p)])) continue;
    tied += (tied.empty() ? "" : ", ") + labelOf(s, ref);
  }
  if (!tied.empty()) {
    throw UserError("The " + std::string(what) + " of " + tied +
                    " is tied to a free variable and keeps its value: untie it in Fixing/FVAR "
                    "first. Nothing was changed.");
  }
}

// Throws when parameter p of `ref`, refined (written as itself) or fixed (written as value + 10),
// would be written as a number SHELXL reads otherwise: its value lies outside (-5, 5).
void checkWrittenValue(model::StructureModel& s, AtomRef ref, int p, bool fixed) {
  const double value = valueOf(s, ref, p);
  if (model::isPlainValue(value)) return;
  const char* names[] = {"", "x", "y", "z", "sof", "U11", "U22", "U33", "U23", "U13", "U12"};
  const std::string what = fixed           ? "a fixed value"
                           : p <= model::Z ? "a refined coordinate"
                                           : "a refined value";
  throw UserError("The " + std::string(names[p]) + " of " + labelOf(s, ref) + " is " +
                  text::formatGeneral(value, 6) + ": " + what +
                  " must lie between -5 and 5. Nothing was changed.");
}

}  // namespace

std::optional<GlobalOption> findGlobalOption(std::string_view name) {
  for (int k = 0; k < globalOptionCount; ++k) {
    if (globalOptionNames[k] == name) return static_cast<GlobalOption>(k);
  }
  return std::nullopt;
}

void checkGlobalRows(const model::StructureModel& s, const std::vector<AtomRef>& refs) {
  for (const AtomRef& ref : refs) {
    const bool atom = ref.kind == AtomKind::Atom && ref.index >= 1 && ref.index <= s.nonHCount;
    const bool hydrogen = ref.kind == AtomKind::Hydrogen && ref.index >= 1 && ref.index <= s.hCount;
    if (!atom && !hydrogen) {
      throw UserError("The row " + std::to_string(model::kindNumber(ref.kind)) + " " +
                      std::to_string(ref.index) +
                      " of Selected Atoms names no atom of the structure.");
    }
  }
}

void setGlobalCodes(model::StructureModel& s, const std::vector<AtomRef>& refs,
                    GlobalOption option) {
  checkGlobalRows(s, refs);
  int first = 0, last = 0;
  double code = 0;
  switch (option) {
    case GlobalOption::FixXyz:
    case GlobalOption::UnfixXyz:
      first = model::X, last = model::Z;
      break;
    case GlobalOption::FixPopulation:
    case GlobalOption::UnfixPopulation:
      first = last = model::Sof;
      break;
    case GlobalOption::FixU11:
    case GlobalOption::UnfixU11:
      first = last = model::U11;
      break;
    case GlobalOption::FixAllUij:
    case GlobalOption::UnfixAllUij:
      first = model::U11, last = model::U12;
      break;
    default:
      throw UserError("This option sets no codes.");
  }
  const bool fix = option == GlobalOption::FixXyz || option == GlobalOption::FixPopulation ||
                   option == GlobalOption::FixU11 || option == GlobalOption::FixAllUij;
  if (fix) code = 10;
  // H atoms and isotropic atoms have no U22..U12.
  const auto topOf = [&](const AtomRef& ref) {
    const bool aniso = ref.kind == AtomKind::Atom && s.atoms[ref.index].aniso == 1;
    return aniso ? last : std::min(last, static_cast<int>(model::U11));
  };
  for (const AtomRef& ref : refs) {
    for (int p = first; p <= topOf(ref); ++p)
      checkWrittenValue(s, ref, p, fix);
  }
  for (const AtomRef& ref : refs) {
    for (int p = first; p <= topOf(ref); ++p)
      codesOf(s, ref)[static_cast<std::size_t>(p)] = code;
  }
}

void setGlobalPopulation(model::StructureModel& s, const std::vector<AtomRef>& refs, double sof) {
  checkGlobalRows(s, refs);
  refuseTied(s, refs, model::Sof, "occupancy");
  for (const AtomRef& ref : refs)
    valueOf(s, ref, model::Sof) = sof;
}

int releaseRidingGroups(model::StructureModel& s, const std::vector<AtomRef>& refs) {
  checkGlobalRows(s, refs);
  std::set<int> groups;
  for (const AtomRef& ref : refs) {
    const int group = ref.kind == AtomKind::Atom ? s.atoms[ref.index].afixGroup
                                                 : s.hydrogens[ref.index].afixGroup;
    if (group >= 1) groups.insert(group);
  }
  const auto parentOf = [&](int group) {
    for (int j = 1; j <= s.nonHCount; ++j) {
      if (s.atoms[j].afixGroup == group) return j;
    }
    return 0;
  };
  for (const int group : groups) {
    const int parent = parentOf(group);
    const int rigid = parent > 0 ? rigidAfixInForce(s, parent) : 0;
    if (rigid != 0) {
      throw UserError("The H atoms riding on " + labelOf(s, {AtomKind::Atom, parent}) +
                      " stand inside the rigid group of AFIX " + std::to_string(rigid) +
                      ": released they would join it. Nothing was released.");
    }
  }
  int released = 0;
  for (const int group : groups) {
    const int parent = parentOf(group);
    for (int k = 1; k <= s.hCount; ++k) {
      model::Hydrogen& h = s.hydrogens[k];
      if (h.afixGroup != group) continue;
      h.afixGroup = 0;
      // Written straight after its former parent, so that a negative Uiso still refers to it.
      h.afterAtom = parent > 0 ? parent : -1;
      ++released;
    }
    if (parent > 0) s.atoms[parent].afixGroup = 0;
  }
  return released;
}

bool makeGlobalIsotropic(model::StructureModel& s, const std::vector<AtomRef>& refs, double uiso) {
  checkGlobalRows(s, refs);
  refuseTied(s, refs, model::U11, "Uiso (U11)");
  bool anyAtom = false;
  for (const AtomRef& ref : refs) {
    if (ref.kind == AtomKind::Hydrogen) {
      s.hydrogens[ref.index].uiso = uiso;
      continue;
    }
    anyAtom = true;
    model::Atom& atom = s.atoms[ref.index];
    if (atom.aniso == 1) --s.anisoCount;
    if (atom.aniso != 0) ++s.isoCount;
    atom.aniso = 0;
    atom.u11 = uiso;
    atom.u22 = atom.u33 = atom.u23 = atom.u13 = atom.u12 = 0;
    for (int p = model::U22; p <= model::U12; ++p)
      atom.codes[static_cast<std::size_t>(p)] = 0;
  }
  return anyAtom;
}

void setGlobalFreeVariable(model::StructureModel& s, const std::vector<AtomRef>& refs, double code,
                           int parameter) {
  checkGlobalRows(s, refs);
  if (parameter < model::X || parameter > model::U12) {
    throw UserError("The parameter number must lie between 1 and 10.");
  }
  if (std::abs(model::splitParameterCode(code).multiple) > s.fvarCount)
    throw UserError(std::string(defineFvarFirstMessage));
  code = model::roundCodeThroughText(code);
  const bool tied = model::freeVariableUsedBy(code) >= 2 && model::isUnambiguousCode(code);
  if (code != 0 && code != 10 && !tied) {
    throw UserError("The code " + text::formatGeneral(code, 8) +
                    " cannot be set: use 0 (refined), 10 (fixed) or a free variable such as 21, "
                    "-31 or 30.5.");
  }
  for (const AtomRef& ref : refs) {
    if (parameter <= model::U11) continue;
    if (ref.kind == AtomKind::Hydrogen) throw UserError(std::string(hydrogenAnisotropicMessage));
    if (s.atoms[ref.index].aniso != 1) {
      throw UserError(labelOf(s, ref) +
                      " is isotropic: only its Uiso (U11) can be coded. "
                      "Nothing was changed.");
    }
  }
  if (code == 0 || code == 10) {
    for (const AtomRef& ref : refs)
      checkWrittenValue(s, ref, parameter, code == 10);
  }
  const double value = model::decodeFreeVariable(code, s.fvar).value;
  for (const AtomRef& ref : refs) {
    codesOf(s, ref)[static_cast<std::size_t>(parameter)] = code;
    if (tied) valueOf(s, ref, parameter) = value;
  }
}

}  // namespace tavo::editing
