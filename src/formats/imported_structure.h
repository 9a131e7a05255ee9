// A structure read from a foreign format, and the fresh instruction file it becomes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/symmetry_operators.h"
#include "model/element_definitions.h"

namespace tavo::formats {

/// One atom of an imported file: fractional coordinates, the element it is, its occupancy as
/// SHELXL's sof (occupancy times site multiplicity over the number of operators) and its U values.
struct ImportedAtom {
  std::string label;
  std::string element;  // "C", "Cl": first letter upper case, second lower case
  double x = 0, y = 0, z = 0;
  double sof = 1.0;
  double uiso = 0.05;
  std::optional<std::array<double, 6>> uaniso;  // U11 U22 U33 U23 U13 U12
  bool elementFromLabel = false;                // no type symbol or element column named it (see
                                                // inferElementsFromLabels)
};

/// What an importer reads: the cell, the symmetry operators (empty: P1), the atoms in file order.
struct ImportedStructure {
  std::string title;
  std::array<double, 6> cell{1, 1, 1, 90, 90, 90};
  double wavelength = 0.71073;
  int z = 1;
  std::vector<geometry::SeitzOperator> operators;  // the full set, identity first; empty = P1
  std::vector<ImportedAtom> atoms;
  std::vector<std::string> skippedLabels;  // rows whose element could not be told
};

/// Room left around a molecule imported without a cell, in Å along each edge of its pseudo-cell.
inline constexpr double pseudoCellMarginA = 10.0;

/// Gives a structure read without a cell (its x, y, z are Cartesian, in Å) a P1 pseudo-cell in
/// which SHELXL reads every coordinate as a refined value: an orthogonal cell whose edges are the
/// molecule's extent along X, Y and Z plus pseudoCellMarginA, rounded up to a whole Å, with the
/// middle of the molecule at (1/2, 1/2, 1/2). Every fractional coordinate then lies inside (0, 1),
/// the interatomic distances are those of the file, and translated copies stay at least
/// pseudoCellMarginA apart. The operators are cleared.
void placeInPseudoCell(ImportedStructure& imported);

/// The element symbol of a type symbol or an element column ("O2-", "FE", "Cl1" -> "O", "Fe",
/// "Cl"); nothing when it names no element.
std::optional<std::string> elementOfSymbol(std::string_view text);

/// Shown when a file gives no atom.
inline constexpr std::string_view noAtomImportedMessage = "There is no atom in this file.";

/// The element symbols an atom label may start with: the elements the definitions table knows
/// (its rows after the peak row), each in its usual case ("Cu").
std::vector<std::string> labelElementSymbols(const model::ElementDefinitions& definitions);

/// The element an atom label names where nothing else does: the longest of `symbols` that the
/// label begins with, case ignored (CU1 and Cu1 are copper, CL1 chlorine, C1A carbon). Nothing
/// when the label begins with no symbol.
std::optional<std::string> elementOfLabel(std::string_view label,
                                          const std::vector<std::string>& symbols);

/// Gives every atom that an importer left to its label (elementFromLabel, no element yet) the
/// element of elementOfLabel; an atom whose label names none is left out and listed in
/// skippedLabels. Every importer's labels go through here. Throws
/// UserError(noAtomImportedMessage) when no atom is left.
void inferElementsFromLabels(ImportedStructure& imported, const std::vector<std::string>& symbols);

/// The LATT number and SYMM operators that describe `operators` (identity first): the centring
/// from the pure translations, the sign from the inversion at the origin, one operator of each
/// coset. A set that is no group gives LATT -1 and every operator but the identity.
struct LattSymm {
  int latt = -1;
  std::vector<geometry::SeitzOperator> symm;
};
LattSymm lattSymmOf(const std::vector<geometry::SeitzOperator>& operators);

/// How many of `operators` map the position onto itself (modulo lattice translations): the
/// number of operators divided by the site multiplicity. At least 1.
int siteSymmetryOrder(const std::vector<geometry::SeitzOperator>& operators, double x, double y,
                      double z);

/// Makes every label one SHELXL reads: at most four letters, digits and the characters ' _ ,
/// unique in the structure. A label that breaks a rule becomes its cleaned form or, if that is
/// still too long, empty or taken, the element followed by the first free number (then by a
/// number and letters, "Cl1A", once the numbers that fit are used). Returns "OLD -> NEW" for each
/// renamed atom. Throws UserError (noFreeLabelMessage) when an element's labels run out.
std::vector<std::string> assignShelxlLabels(ImportedStructure& imported);

/// The refusal of an import whose `element` atoms need more new labels than fit in four
/// characters.
std::string noFreeLabelMessage(std::string_view element);

/// The instruction file of an import: TITL, CELL, ZERR, LATT/SYMM, SFAC, UNIT (the cell contents),
/// L.S., FMAP, PLAN, FVAR, the atoms, HKLF 4 and END.
std::vector<std::string> instructionFileLines(const ImportedStructure& imported);

/// The elements that were taken from labels and are not H, C, N or O, in order of first use.
std::vector<std::string> inferredHeavyElements(const ImportedStructure& imported);

}  // namespace tavo::formats
