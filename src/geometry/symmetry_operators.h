// Symmetry operators: applying an operator of the space group to fractional coordinates, the
// operator as text, and the operator set that a file's LATT and SYMM cards describe.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/view_frame.h"
#include "model/structure_model.h"

namespace tavo::geometry {

/// The longest symmetry code a unit of the expansion carries.
inline constexpr std::size_t symmetryCodeLength = 30;

/// Operator `k` (1-based) of `ops` applied to `p`, plus the lattice translation (ta, tb, tc).
Fractional applyOperator(const model::SymmetryOps& ops, int k, const Fractional& p, int ta, int tb,
                         int tc);

/// The operator as the program shows it: " -X+1/2+1, Y+1/2, -Z+1/2" (a leading blank, upper-case
/// axes, translations in multiples of the translation unit, the lattice translation after each
/// row). Not cut.
std::string operatorText(const model::SymmetryOps& ops, int k, int ta, int tb, int tc);
/// The symmetry code of an expansion unit: operatorText cut to 30 characters.
std::string symmetryCode(const model::SymmetryOps& ops, int k, int ta, int tb, int tc);

/// An operator as a rotation part and a translation in twelfths of a cell edge.
struct SeitzOperator {
  std::array<int, 9> r{1, 0, 0, 0, 1, 0, 0, 0, 1};  // row by row
  std::array<int, 3> t{};                           // twelfths, 0..11 once reduced
  /// The translation reduced into [0, 1).
  SeitzOperator reduced() const;
  friend bool operator==(const SeitzOperator&, const SeitzOperator&) = default;
  friend auto operator<=>(const SeitzOperator&, const SeitzOperator&) = default;
};

/// Reads an operator written as a SYMM card or a CIF triplet writes it: "-X+1/2, Y, 1/2-Z",
/// "x+0.5,-y,z", "-x,-y+1/2,z+1/2" (blanks and case free; translations of twelfths).
/// Nothing when the text is not three rows of the coefficients -1, 0, 1 and such translations.
std::optional<SeitzOperator> parseSymmetryTriplet(std::string_view text);
/// The operator as a lower-case triplet with reduced fractions: "-x+1/2,y+1/2,-z+1/2".
std::string tripletText(const SeitzOperator& op);

/// Operator `k` of `ops` with its translation converted to twelfths and reduced.
SeitzOperator seitzOf(const model::SymmetryOps& ops, int k);
/// Fills opCount, ops and the translation unit from `operators` (the first must be the identity;
/// at most model::maxSymmetryOperators). The translation unit is the coarsest of 1/2, 1/3, 1/4,
/// 1/6, 1/12 that holds every translation.
void fillSymmetryOps(model::SymmetryOps& ops, const std::vector<SeitzOperator>& operators);

/// The centring vectors (in twelfths) of SHELXL's lattice type |latt|: 1 P, 2 I, 3 R obverse,
/// 4 F, 5 A, 6 B, 7 C. The zero vector comes first.
std::vector<std::array<int, 3>> centringVectors(int latt);

/// The full operator set of a LATT number and the SYMM operators (the identity is implied and
/// must not be among them): the identity and the SYMM operators in order; for latt > 0 the same
/// operators again with the inversion at the origin; then all of these shifted by each further
/// centring vector. Every translation is reduced into [0, 1).
std::vector<SeitzOperator> operatorsFromLattSymm(int latt, const std::vector<SeitzOperator>& symm);

/// The LATT and SYMM cards of instruction lines. `latt` is 1 without a LATT card; `faulty`
/// names the first SYMM text that could not be read.
struct LattSymmCards {
  int latt = 1;
  bool hasLatt = false;
  std::vector<SeitzOperator> symm;
  std::vector<std::string> faulty;
  bool any() const { return hasLatt || !symm.empty(); }
};
LattSymmCards readLattSymm(const std::vector<std::string>& instructionLines);

/// True when the two sets hold the same operators (order free, translations reduced).
bool sameOperatorSet(std::vector<SeitzOperator> a, std::vector<SeitzOperator> b);

}  // namespace tavo::geometry
