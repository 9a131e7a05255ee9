// The chemical formula of the SFAC and UNIT cards: the mass of the cell contents, formula
// weight, volume and density, and the rewriting of the SFAC and UNIT lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

class StructureModel;

/// Avogadro's constant (exact since 2019), per mol.
inline constexpr double avogadroConstant = 6.02214076e23;

/// The figures of a cell whose contents are given by UNIT numbers.
struct FormulaFigures {
  double cellMass = 0;                // W: Σ atomic weight x UNIT number, g/mol per cell
  std::vector<double> weightPercent;  // entry e for element e (1..elementCount); 0 unused
  double formulaWeight = 0;           // W / Z; 0 when Z is not positive
  double volume = 0;                  // Å³
  double density = 0;                 // g/cm³
};

/// The figures for `unitNumbers` (entry e for element e, 1..elementCount) with the atomic
/// weights of the elements and the cell and Z of `structure`.
FormulaFigures formulaFigures(const StructureModel& structure,
                              const std::vector<double>& unitNumbers);

/// A UNIT number as the UNIT card shows it: a whole number as an integer ("24"), any other in
/// fixed notation with three decimals ("2.500"). A number within rounding noise of a whole one
/// (35.9999999 from occupancies tied to free variables) is whole.
std::string unitNumberText(double number);

/// The lines of a card named `name` with `words`, continued with " =" so that no line is longer
/// than SHELXL's 80 characters.
std::vector<std::string> cardLines(std::string_view name, const std::vector<std::string>& words);

/// Where a card stands in the instruction lines: its first line and how many lines it takes
/// (continuation lines included).
struct CardLines {
  int first = 0;
  int count = 0;
};

/// Every card named `name` (SFAC, UNIT) in the instruction lines as they are now.
std::vector<CardLines> findCards(const StructureModel& structure, std::string_view name);

/// Why the SFAC line cannot be rewritten from the element list ("" when it can): there is no
/// SFAC card, or several, or a long-form card with scattering factors, which rewriting would
/// turn into duplicates or lose.
std::string sfacRewriteRefusal(const StructureModel& structure);
/// Why the UNIT line cannot be rewritten ("" when it can): no UNIT card, or several.
std::string unitRewriteRefusal(const StructureModel& structure);

/// Rewrites the SFAC card as "SFAC" and the element symbols. Throws UserError with the refusal.
void rewriteSfacCard(StructureModel& structure);
/// Rewrites the UNIT card as "UNIT" and the UNIT number texts of the elements. Throws UserError
/// with the refusal.
void rewriteUnitCard(StructureModel& structure);

}  // namespace tavo::model
