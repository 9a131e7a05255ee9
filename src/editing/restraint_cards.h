// The cards that the card modes add for SHELXL: HFIX, ANIS, SADI, FLAT, DELU, DFIX, BIND and the
// restraints RIGU, SIMU, ISOR, DANG, EADP and EXYZ, composed from the picked atoms, split into
// lines SHELXL reads, and placed above L.S./CGLS.
#pragma once

#include <string>
#include <vector>

#include "editing/mouse_mode.h"
#include "model/atom_ref.h"
#include "model/structure_model.h"

namespace tavo::editing {

/// The longest line of a card; longer cards continue with " =" on the next line.
inline constexpr std::size_t cardLineWidth = 80;

/// The inputs of the card modes.
struct CardInputs {
  int hfixM = 4;                 // SpinEdit22
  int hfixN = 3;                 // SpinEdit23
  std::string dfixDistance;      // Edit9
  std::string dfixEsd = "0.03";  // Edit10
  // The optional numbers written before the atoms of RIGU (s1 s2), SIMU (s st dmax), ISOR
  // (s st) and DANG (s, after the distance, which is dfixDistance); empty: SHELXL's defaults.
  std::string restraintEsds;  // RestraintEsds
};

/// How many numbers a card mode takes from CardInputs::restraintEsds (0: none).
int restraintEsdCount(MouseMode mode);

/// `card` as lines of at most 80 characters: each full line is cut at the last blank at or
/// before position 78 (position 4 when there is none) and ends in " ="; the next line begins
/// with that blank, as SHELXL wants after "=".
std::vector<std::string> splitCardLines(std::string card);

/// The Uiso factor written on an HFIX card: 1.5 for the methyl and hydroxy groups (AFIX 33, 83,
/// 123, 137, 147), 1.2 for every other group.
double hfixUisoFactor(int m, int n);

/// The lines of the card that mode `mode` makes from `picked`, in picking order. Empty when the
/// mode's picks do not make a card and the Selection stays (DFIX and BIND need exactly two
/// atoms; BIND two non-H atoms). SADI leaves out an odd last atom. Throws UserError, before
/// anything changes, for cards SHELXL would misread: a DFIX or DANG without a number as
/// distance, an esd that is not a number above 0 or more esds than the card takes, FLAT on fewer
/// than four atoms, SADI on fewer than two pairs, DANG on an odd number of atoms, RIGU, SIMU, EADP
/// or EXYZ on a single atom, a peak named in a card.
std::vector<std::string> composeCard(const model::StructureModel& structure, MouseMode mode,
                                     const std::vector<model::AtomRef>& picked,
                                     const CardInputs& inputs);

/// A SAME card and the atom it stands in front of in the atom list.
struct SameCard {
  std::vector<std::string> lines;
  model::AtomRef before;
};

/// SAME restrains the atoms that follow it in the atom list to the geometry of the atoms it
/// names. The picks are the reference atoms, then as many target atoms in the same order; the
/// card names the reference atoms and goes in front of the first target atom. Throws UserError
/// when the picks are not two halves of at least two atoms each, or when the target atoms do
/// not follow one another in the atom list in picking order (SHELXL would compare other atoms).
SameCard composeSameCard(const model::StructureModel& structure,
                         const std::vector<model::AtomRef>& picked);

/// Puts a SAME card into the atom list in front of its target atom (after any card already
/// there), or UserError naming cmd_max when the instruction lines are full.
void insertSameCard(model::StructureModel& structure, const SameCard& card);

/// Inserts `lines` above the L.S./CGLS line in order, all or none: UserError with the reader's
/// L.S. message when the file has no L.S./CGLS line, or naming cmd_max when they do not fit.
void insertCardLines(model::StructureModel& structure, const std::vector<std::string>& lines);

/// The flags a card sets on its atoms: HFIX marks each atom's group as added (-1), ANIS marks
/// each atom anisotropic-to-be (-1).
void flagCardAtoms(model::StructureModel& structure, MouseMode mode,
                   const std::vector<model::AtomRef>& picked);

}  // namespace tavo::editing
