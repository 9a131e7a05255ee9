// The cards of an instruction file that decide how the refinement program computes structure
// factors and compares them with the data: wavelength, symmetry, scattering factors, dispersion,
// weights, extinction, omitted reflections and the resolution shell.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "density/reflection.h"
#include "geometry/symmetry_operators.h"
#include "model/structure_model.h"

namespace tavo::density {

/// A scatterer type of the SFAC list, in the order of the SFAC cards (the atoms' sfac numbers).
struct ScattererCard {
  std::string symbol;
  /// a1 b1 a2 b2 a3 b3 a4 b4 c of the long SFAC form; empty for the tabulated values.
  std::vector<double> coefficients;
  std::optional<double> fp, fpp;  // f′ and f″ from the long SFAC form or a DISP card
};

/// "WGHT a b c d e f": w = 1 / [σ²(Fo²) + (aP)² + bP + d + e·sinθ/λ], P = f·Fo² + (1 − f)·Fc².
struct WeightCard {
  double a = 0.1, b = 0, c = 0, d = 0, e = 0, f = 1.0 / 3.0;
};

struct RefinementCards {
  double wavelength = 0.71073;                     // Å, the first number of CELL
  std::vector<geometry::SeitzOperator> operators;  // every operator of the cell, identity first
  bool centrosymmetric = false;
  std::vector<ScattererCard> scatterers;
  WeightCard weight;
  std::optional<double> extinction;          // EXTI x
  std::vector<Miller> omitted;               // OMIT h k l
  double omitSigma = -2;                     // OMIT s 2θ: s
  double omitTwoThetaDeg = 180;              // and 2θ(lim)
  std::optional<double> shellMax, shellMin;  // SHEL dmax dmin, Å
  int merge = 2;                             // MERG n
  double overallScale = 1;                   // FVAR 1 (osf)
  std::string hklfLine;                      // the HKLF card as read
  int freeVariableCount = 0;                 // the FVAR values read (osf included)
};

/// The cards of the structure as read. Throws UserError for a card whose numbers do not read.
RefinementCards readRefinementCards(const model::StructureModel& structure);

/// The instruction lines with every continuation ("=" at the end) joined to its card and
/// comments after "!" removed; REM lines left out.
std::vector<std::string> joinedCards(const std::vector<std::string>& lines);

}  // namespace tavo::density
