// Atom names inside SHELXL cards: renaming atoms in every card that names them (the instruction
// lines and the cards kept from the atom list) and finding the cards that name an atom.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/residue.h"
#include "model/structure_model.h"

namespace tavo::model {

/// One rename inside the cards: the atom called `oldLabel` in `residue` becomes `newLabel`.
struct LabelRename {
  std::string oldLabel;
  std::string newLabel;
  Residue residue;
  friend bool operator==(const LabelRename&, const LabelRename&) = default;
};

/// True when the first word of a card (its keyword, any residue suffix aside) is one whose
/// parameters may name atoms: ANIS, BIND, BLOC, BOND, CHIV, CONF, CONN, DANG, DELU, DFIX, EADP,
/// EXYZ, FLAT, FREE, HFIX, HTAB, ISOR, MPLA, NCSY, OMIT, RIGU, RTAB, SADI, SAME, SIMU, XNPD.
bool namesAtoms(std::string_view keyword);

/// Renames atoms in every card that names atoms, all renames at once (a swap C1 <-> C2 works):
/// the instruction lines (continuation lines included; TITL, REM and other cards untouched) and
/// the atom-list cards. A word is an atom name when it equals an old label (case ignored), alone
/// or with a suffix: "_n" (residue number), "_CLASS" (residue class), "_$n" (symmetry
/// equivalent, in the card's residue), "_*" (every residue), "_+"/"_-" (a neighbour residue of
/// the same class). Only the label part changes; the suffix stays. A word without a residue
/// suffix names an atom of the card's residue: the one of the card keyword's suffix
/// (SADI_CCF3, DFIX_2, SAME_*), else the residue in force where the card stands (0 above the atom
/// list). A line whose words keep their lengths keeps its layout; otherwise the changed words
/// shift the rest, and a line grown past 80 characters is joined with single blanks and
/// continued with " =" where needed. Returns the number of card lines changed.
/// Throws UserError naming cmd_max when a continuation line does not fit the instruction lines.
int relabelCards(StructureModel& structure, const std::vector<LabelRename>& renames);

/// The cards (each as its lines, joined with "\n") that name the atom `label` of `residue`:
/// what deleting that atom would leave pointing nowhere. In file order: instruction lines first.
std::vector<std::string> cardsNaming(const StructureModel& structure, std::string_view label,
                                     const Residue& residue);

}  // namespace tavo::model
