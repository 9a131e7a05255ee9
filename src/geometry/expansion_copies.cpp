// Appending the copies of the listed units, their labels and displacement parameters, and the
// centring of the packing view on the cell box.
#include "geometry/expansion_copies.h"

#include <array>
#include <cmath>

#include "geometry/anisotropic_transform.h"
#include "geometry/cell_metrics.h"
#include "geometry/symmetry_operators.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::geometry {

using model::AtomKind;
using model::Vec3;

std::string copyLabel(std::string_view label, int unit) {
  std::string copy = text::cut(text::trimLine(label) + "*", 8);
  return text::cut(copy + std::to_string(unit), 8);
}

std::string expandedCapacityMessage(AtomKind kind, int expMax) {
  const char* what = kind == AtomKind::Atom       ? "number of nonH atoms"
                     : kind == AtomKind::Hydrogen ? "number ofH atoms"
                                                  : "number of peaks";
  return std::string("Sorry, the ") + what + " expanded exceeds the Maximum (" +
         std::to_string(expMax) + ")!!";
}

namespace {

// Appends the copies of one kind. `copyOne(source, target, unit)` fills entry `target` from
// `source`; `count` and `working` are the file and working counts of the kind.
template <class CopyOne>
void appendCopies(model::StructureModel& s, AtomKind kind, int count, int& working,
                  const std::vector<model::ExpansionOp>& units, int shown, model::Dialogs& dialogs,
                  const CopyOne& copyOne) {
  const int last = std::min(shown, static_cast<int>(units.size()));
  auto& selected = s.selected[static_cast<size_t>(kind)];
  for (int n = 1; n <= last; ++n) {
    for (int j = 1; j <= count; ++j) {
      const int target = working + j;
      if (target > s.limits.expMax - 1) {
        dialogs.message(expandedCapacityMessage(kind, s.limits.expMax));
        working += j - 1;
        return;
      }
      copyOne(j, target, n);
      selected[target] = 0;
    }
    working += count;
  }
}

}  // namespace

void turnDisplacement(const model::CellParameters& cell, const model::SymmetryOps& ops, int k,
                      model::Atom& atom) {
  const SeitzOperator op = seitzOf(ops, k);
  const AnisotropicU u{atom.u11, atom.u22, atom.u33, atom.u23, atom.u13, atom.u12};
  AnisotropicU turned;
  try {
    turned = transformAnisotropicU(cell, op.r, u);
  } catch (const UserError&) {
    return;  // a cell without volume: the copy keeps the source's U
  }
  atom.u11 = turned.u11;
  atom.u22 = turned.u22;
  atom.u33 = turned.u33;
  atom.u23 = turned.u23;
  atom.u13 = turned.u13;
  atom.u12 = turned.u12;
}

void AddMolecule(model::StructureModel& s, const ViewFrame& frame,
                 const std::vector<model::ExpansionOp>& units, int shown, model::Dialogs& dialogs) {
  const Vec3 origin = frame.viewOrigin();
  appendCopies(s, AtomKind::Atom, s.nonHCount, s.workingAtomCount, units, shown, dialogs,
               [&](int j, int target, int n) {
                 const model::ExpansionOp& unit = units[static_cast<size_t>(n - 1)];
                 const model::Atom& source = s.atoms[j];
                 const Fractional f =
                     applyOperator(s.symmetry, unit.op, {source.x, source.y, source.z}, unit.ta,
                                   unit.tb, unit.tc);
                 model::Atom copy;
                 copy.label = copyLabel(source.label, n);
                 copy.sfac = source.sfac;
                 copy.x = f.x;
                 copy.y = f.y;
                 copy.z = f.z;
                 copy.sof = source.sof;
                 copy.aniso = source.aniso;
                 copy.u11 = source.u11;
                 copy.u22 = source.u22;
                 copy.u33 = source.u33;
                 copy.u23 = source.u23;
                 copy.u13 = source.u13;
                 copy.u12 = source.u12;
                 if (copy.aniso == 1) turnDisplacement(s.cell, s.symmetry, unit.op, copy);
                 copy.part = source.part;
                 copy.residue = source.residue;
                 copy.unit = n;
                 s.atoms[target] = std::move(copy);
                 s.view[1][target] = cartesianOf(s.cell, f) - origin;
               });
}

void addHydrogenCopies(model::StructureModel& s, const ViewFrame& frame,
                       const std::vector<model::ExpansionOp>& units, int shown,
                       model::Dialogs& dialogs) {
  const Vec3 origin = frame.viewOrigin();
  appendCopies(s, AtomKind::Hydrogen, s.hCount, s.workingHCount, units, shown, dialogs,
               [&](int j, int target, int n) {
                 const model::ExpansionOp& unit = units[static_cast<size_t>(n - 1)];
                 const model::Hydrogen& source = s.hydrogens[j];
                 const Fractional f =
                     applyOperator(s.symmetry, unit.op, {source.x, source.y, source.z}, unit.ta,
                                   unit.tb, unit.tc);
                 model::Hydrogen copy;
                 copy.label = copyLabel(source.label, n);
                 copy.sfac = source.sfac;
                 copy.x = f.x;
                 copy.y = f.y;
                 copy.z = f.z;
                 copy.sof = source.sof;
                 copy.uiso = source.uiso;
                 copy.part = source.part;
                 copy.residue = source.residue;
                 copy.unit = n;
                 s.hydrogens[target] = std::move(copy);
                 s.view[2][target] = cartesianOf(s.cell, f) - origin;
               });
}

void addPeakCopies(model::StructureModel& s, const ViewFrame& frame,
                   const std::vector<model::ExpansionOp>& units, int shown,
                   model::Dialogs& dialogs) {
  const Vec3 origin = frame.viewOrigin();
  appendCopies(s, AtomKind::Peak, s.peakCount, s.workingPeakCount, units, shown, dialogs,
               [&](int j, int target, int n) {
                 const model::ExpansionOp& unit = units[static_cast<size_t>(n - 1)];
                 const model::Peak& source = s.peaks[j];
                 const Fractional f =
                     applyOperator(s.symmetry, unit.op, {source.x, source.y, source.z}, unit.ta,
                                   unit.tb, unit.tc);
                 s.peaks[target] = {f.x, f.y, f.z, source.height, 0};
                 s.view[3][target] = cartesianOf(s.cell, f) - origin;
               });
}

double centreOnCellBox(model::StructureModel& s, ViewFrame& frame) {
  const Vec3 p1 = frame.viewSlots[1];
  const Vec3 p7 = frame.viewSlots[7];
  const Vec3 half = 0.5 * (p7 - p1);
  const Vec3 middle = 0.5 * (p1 + p7);
  for (size_t slot = 1; slot <= 9; ++slot)
    frame.viewSlots[slot] -= middle;
  const int counts[4] = {0, s.workingAtomCount, s.workingHCount, s.workingPeakCount};
  for (size_t kind = 1; kind <= 3; ++kind) {
    for (int i = 1; i <= counts[kind]; ++i)
      s.view[kind][i] -= middle;
  }
  return 3 * model::length(half);
}

}  // namespace tavo::geometry
