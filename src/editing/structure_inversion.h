// Inverting a structure through a centre: which origin keeps its space group, or which space
// group (the enantiomorph) its inverse lies in, and the SYMM cards of that group.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "geometry/symmetry_operators.h"

namespace tavo::editing {

/// How the inverse of a structure is described.
struct InversionPlan {
  enum class Kind {
    SameGroup,     // x' = c - x keeps every operator of the group
    Enantiomorph,  // x' = 1 - x lies in the group of `invertedOperators`
  };
  Kind kind = Kind::SameGroup;
  /// The centre c of x' = c - x in twelfths, each in 1..12 (12 stands for 1: x' = 1 - x).
  std::array<int, 3> originTwelfths{12, 12, 12};
  /// The operators after x' = 1 - x (each translation negated): the enantiomorph's.
  std::vector<geometry::SeitzOperator> invertedOperators;
};

/// The operators of the structure x' = c - x when the structure had `op`: the rotation kept,
/// the translation -t + (I - R)c (c in twelfths).
geometry::SeitzOperator invertedOperator(const geometry::SeitzOperator& op,
                                         const std::array<int, 3>& originTwelfths);

/// The inversion of a structure whose space group has `operators`: the group itself when an
/// origin c (a multiple of 1/12 on each axis, 1 - x preferred) makes the inverted operators the
/// same set; else the enantiomorph with x' = 1 - x.
InversionPlan planInversion(const std::vector<geometry::SeitzOperator>& operators);

/// The instruction lines with every SYMM card whose operator changes under x' = 1 - x written
/// anew ("SYMM -Y, X, Z+3/4", a comment after "!" kept); lines that do not change stay as they
/// are. Nothing when such a card is continued on a further line or cannot be read.
std::optional<std::vector<std::string>> invertedSymmCards(const std::vector<std::string>& lines);

}  // namespace tavo::editing
