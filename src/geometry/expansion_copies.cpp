// Appending the copies of the listed units, their labels and displacement parameters, and the
// centring of the packing view on the cell box.
#include "geometry/expansion_copies.h"

#include <array>
#include <cmath>

#include "geometry/cell_metrics.h"
#include "geometry/symmetry_operators.h"
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

// The reciprocal edge lengths a*, b*, c*; zeros for a cell without volume.
std::array<double, 3> reciprocalLengths(const model::CellParameters& cell) {
  const double rad = 1 / model::degreesPerRadian;
  const double ca = std::cos(cell.alpha * rad), cb = std::cos(cell.beta * rad),
               cg = std::cos(cell.gamma * rad);
  const double root = 1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg;
  const double volume = cell.a * cell.b * cell.c * std::sqrt(std::fmax(root, 0));
  if (!(volume > 0)) return {0, 0, 0};
  return {cell.b * cell.c * std::sin(cell.alpha * rad) / volume,
          cell.a * cell.c * std::sin(cell.beta * rad) / volume,
          cell.a * cell.b * std::sin(cell.gamma * rad) / volume};
}

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
  const auto& o = ops.ops[static_cast<size_t>(k)];
  const double r[3][3] = {{1.0 * o[0], 1.0 * o[1], 1.0 * o[2]},
                          {1.0 * o[4], 1.0 * o[5], 1.0 * o[6]},
                          {1.0 * o[8], 1.0 * o[9], 1.0 * o[10]}};
  const std::array<double, 3> n = reciprocalLengths(cell);
  if (n[0] == 0 || n[1] == 0 || n[2] == 0) return;
  // U on the cell axes in fractional units turns as R·U·Rᵀ (the displacement x' = R·x).
  const double u[3][3] = {{atom.u11, atom.u12, atom.u13},
                          {atom.u12, atom.u22, atom.u23},
                          {atom.u13, atom.u23, atom.u33}};
  double f[3][3], turned[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      f[i][j] = u[i][j] * n[static_cast<size_t>(i)] * n[static_cast<size_t>(j)];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      double sum = 0;
      for (int p = 0; p < 3; ++p)
        for (int q = 0; q < 3; ++q)
          sum += r[i][p] * f[p][q] * r[j][q];
      turned[i][j] = sum / (n[static_cast<size_t>(i)] * n[static_cast<size_t>(j)]);
    }
  }
  atom.u11 = turned[0][0];
  atom.u22 = turned[1][1];
  atom.u33 = turned[2][2];
  atom.u23 = turned[1][2];
  atom.u13 = turned[0][2];
  atom.u12 = turned[0][1];
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

void AddHatoms1Click(model::StructureModel& s, const ViewFrame& frame,
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

void AddPeaks1Click(model::StructureModel& s, const ViewFrame& frame,
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
