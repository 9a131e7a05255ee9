// The parameters of single atoms as the parameter windows edit them: every field of one atom,
// one refinable parameter of several atoms, and the whole-structure shift and inversion of the
// coordinates. Every edit checks all it is given before it changes anything.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/atom_ref.h"
#include "model/structure_model.h"

namespace tavo::editing {

/// The PART numbers an atom may be given.
inline constexpr int lowestPart = -99;
inline constexpr int highestPart = 99;

/// A real value as the parameter windows show it: rounded to 7 decimals, in fixed notation
/// without trailing zeros (never an exponent), cut to 10 characters.
std::string parameterText(double value);

/// The fields of one atom or H atom: values and free-variable codes of parameters 1..10
/// (index 0 unused; U22..U12 empty for an isotropic atom and an H atom), label, SFAC number,
/// PART and riding group.
struct AtomParameterTexts {
  std::array<std::string, 11> values;
  std::array<std::string, 11> codes;
  std::string label, sfac, part, afix;
  friend bool operator==(const AtomParameterTexts&, const AtomParameterTexts&) = default;
};

/// The fields of AtomTable (kind Atom) or HydrogenTable (kind Hydrogen) entry `ref`.
AtomParameterTexts loadAtomParameters(const model::StructureModel& structure, model::AtomRef ref);

/// Stores the fields of `texts` into `ref`: label (renamed with its cards, upper case), SFAC
/// number, PART, riding group, values and codes. Every field is checked first; a field that is
/// not a number throws ConversionError, a refused one UserError, and nothing changes then.
void storeAtomParameters(model::StructureModel& structure, model::AtomRef ref,
                         const AtomParameterTexts& texts);

/// Parameter `p` (1..10) of every atom of `refs` takes `code` and `value` (a tied code takes the
/// value of its free variable). Throws UserError, with nothing changed, for a peak, an H atom or
/// isotropic atom given U22..U12, a code other than 0, 10 or a free variable 2..fvarCount, or a
/// value that the code cannot carry.
void setParameter(model::StructureModel& structure, const std::vector<model::AtomRef>& refs, int p,
                  double code, double value);

/// Adds whole cells to x, y, z of every atom, H atom and peak of the file. Throws UserError, with
/// nothing changed, when a coordinate is tied to a free variable or a refined one would leave
/// (-5, 5).
void shiftCoordinates(model::StructureModel& structure, const std::array<int, 3>& cells);

/// x' = c - x on every axis for every atom, H atom and peak of the file (`centre` is c; U values
/// are unchanged by an inversion). Throws UserError as shiftCoordinates does.
void invertCoordinates(model::StructureModel& structure, const std::array<double, 3>& centre);

/// The free-variable code of parameter `p` of `ref` typed as `typed`, checked: 0, 10, or a
/// free variable of 2..fvarCount (|code| > 20); U22..U12 only for anisotropic atoms. Throws
/// UserError naming the atom.
double checkedCode(const model::StructureModel& structure, model::AtomRef ref, int p, double typed);

}  // namespace tavo::editing
