// The Apply frame: which mode sections run, in which order, and the element recount that ends
// every Apply.
#pragma once

#include <vector>

#include "editing/mouse_mode.h"
#include "model/structure_model.h"

namespace tavo::editing {

/// The sections of Apply in their fixed order.
enum class ApplySection {
  Adopt,
  MoveGroup,
  Center,  // the centring of Center and AlignVec
  BeIso,
  Param,
  Adjust,
  Part,
  Cards,  // HFIX, ANIS, SADI, FLAT, SAME, DELU, RIGU, SIMU, ISOR, DANG, EADP, EXYZ
  Dfix,
  Bind,
  Name,
  RenumberNumbers,
  RenumberLetters,
  Purge,
  Memory,  // MemSelect and MemUnselc
  CalcPlane,
  AlignRotation,
};

/// The sections that run for these flags (normally one mode, so one or two sections).
/// `globalDelete` is the "Delete" option of the Global Edition window.
std::vector<ApplySection> applySections(const ModeFlags& flags, bool useLetters, bool globalDelete);

/// Sets every element's UNIT number to the cell contents, SHELXL's convention: over the atoms
/// and H atoms of the file (not the copies of an expansion), the sum of sof x the number of
/// symmetry operators with centring. An element without atoms gets 0; the UNIT card among the
/// instruction lines is left as it is.
void recountElements(model::StructureModel& structure);

}  // namespace tavo::editing
