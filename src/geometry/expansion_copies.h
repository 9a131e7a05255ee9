// The symmetry copies of the expansion and packing views: appending the copies of the listed
// units after the atoms of the file, their labels, and the centring of a packing view.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/view_frame.h"
#include "model/atom_ref.h"
#include "model/dialogs.h"
#include "model/structure_model.h"

namespace tavo::geometry {

/// The label of a copy in unit `unit`: the label trimmed, "*" appended, cut to 8 characters,
/// the unit number appended, cut to 8 again (C12 in unit 3: "C12*3"; an 8-character label stays).
std::string copyLabel(std::string_view label, int unit);

/// "Sorry, the number of nonH atoms expanded exceeds the Maximum (10000)!!" and its H-atom
/// ("number ofH atoms") and peak forms, for kinds Atom, Hydrogen and Peak.
std::string expandedCapacityMessage(model::AtomKind kind, int expMax);

/// Appends the copies of units 1..`shown` of `units` for one kind after its working count,
/// unit after unit, each unit's copies in the order of their source entries: the transformed
/// fractional position, label, sfac, displacement parameters (anisotropic U turned with the
/// operator), part, unit number, view position (Cartesian minus the ViewOrigin of `frame`, which
/// must be freshly reset) and selected = 0. A copy whose index would exceed exp_max - 1 shows the
/// capacity message; the copies before it stay and nothing more of this kind is appended.
void AddMolecule(model::StructureModel& structure, const ViewFrame& frame,
                 const std::vector<model::ExpansionOp>& units, int shown, model::Dialogs& dialogs);
/// The same for the H atoms (AddHatoms1Click) and for the peaks (AddPeaks1Click).
void addHydrogenCopies(model::StructureModel& structure, const ViewFrame& frame,
                       const std::vector<model::ExpansionOp>& units, int shown,
                       model::Dialogs& dialogs);
void addPeakCopies(model::StructureModel& structure, const ViewFrame& frame,
                   const std::vector<model::ExpansionOp>& units, int shown,
                   model::Dialogs& dialogs);

/// The anisotropic U of `atom` (SHELXL's U11..U12 on the cell axes) turned by operator `k`.
void turnDisplacement(const model::CellParameters& cell, const model::SymmetryOps& ops, int k,
                      model::Atom& atom);

/// Centres the picture on the cell box: subtracts the midpoint of view slots 1 and 7 from view
/// slots 1..9 and from the view positions of every shown entry (1..working count of each kind).
/// Returns the view extent the box asks for, 3·|P7 - P1|/2.
double centreOnCellBox(model::StructureModel& structure, ViewFrame& frame);

}  // namespace tavo::geometry
