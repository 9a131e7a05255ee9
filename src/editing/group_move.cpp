// The group move: its members, the search of the placement and the move with the Uij turned.
#include "editing/group_move.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "editing/atom_edits.h"
#include "geometry/anisotropic_transform.h"
#include "geometry/cell_metrics.h"
#include "geometry/symmetry_operators.h"
#include "model/free_variables.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

using model::AtomKind;
using model::AtomRef;
using model::StructureModel;

namespace {

constexpr int farthestTranslation = 3;

bool isFileAtom(const StructureModel& s, AtomRef ref) {
  return ref.kind == AtomKind::Atom && ref.index >= 1 && ref.index <= s.nonHCount;
}

geometry::AnisotropicU anisotropicUOf(const model::Atom& atom) {
  return {atom.u11, atom.u22, atom.u33, atom.u23, atom.u13, atom.u12};
}

// The Uij of an anisotropic atom after the move; refuses a tied Uij that would change, since the
// file would keep its code and SHELXL the old value.
geometry::AnisotropicU turnedU(const StructureModel& s, const model::Atom& atom,
                               const geometry::FractionalRotation& rotation) {
  const geometry::AnisotropicU before = anisotropicUOf(atom);
  const geometry::AnisotropicU after = geometry::transformAnisotropicU(s.cell, rotation, before);
  const std::array<double, 6> oldValues{before.u11, before.u22, before.u33,
                                        before.u23, before.u13, before.u12};
  const std::array<double, 6> newValues{after.u11, after.u22, after.u33,
                                        after.u23, after.u13, after.u12};
  const char* names[] = {"U11", "U22", "U33", "U23", "U13", "U12"};
  for (std::size_t i = 0; i < 6; ++i) {
    const double code = atom.codes[static_cast<std::size_t>(model::U11) + i];
    if (model::isTiedCode(code) && std::abs(newValues[i] - oldValues[i]) > 1e-9) {
      throw UserError("The " + std::string(names[i]) + " of " + text::trimLine(atom.label) +
                      " is tied to a free variable and would keep its old value in the file "
                      "while the atom turns: untie it first. Nothing was moved.");
    }
  }
  return after;
}

void setPosition(StructureModel& s, AtomRef ref, const geometry::Fractional& p) {
  const auto put = [&p](auto& entry) {
    entry.x = p.x;
    entry.y = p.y;
    entry.z = p.z;
  };
  if (ref.kind == AtomKind::Atom) put(s.atoms[ref.index]);
  if (ref.kind == AtomKind::Hydrogen) put(s.hydrogens[ref.index]);
  if (ref.kind == AtomKind::Peak) put(s.peaks[ref.index]);
}

}  // namespace

std::vector<AtomRef> groupMembers(const StructureModel& s, const std::vector<AtomRef>& picked) {
  std::vector<AtomRef> members = picked;
  const auto has = [&members](AtomRef ref) {
    return std::find(members.begin(), members.end(), ref) != members.end();
  };
  for (const AtomRef& ref : picked) {
    if (!isFileAtom(s, ref)) continue;
    const int group = s.atoms[ref.index].afixGroup;
    for (int h = 1; group >= 1 && h <= s.hCount; ++h) {
      const AtomRef rider{AtomKind::Hydrogen, h};
      if (s.hydrogens[h].afixGroup == group && !has(rider)) members.push_back(rider);
    }
  }
  return members;
}

std::optional<model::Vec3> groupMoveTarget(const StructureModel& s, const Selection& selection) {
  if (selection.reversed.size() == 1) {
    return geometry::cartesianOf(s.cell, geometry::fractionalOf(s, selection.reversed.front()));
  }
  geometry::Fractional sum;
  int count = 0;
  for (int i = 1; i <= s.nonHCount; ++i) {
    if (selection.contains({AtomKind::Atom, i})) continue;
    sum.x += s.atoms[i].x;
    sum.y += s.atoms[i].y;
    sum.z += s.atoms[i].z;
    ++count;
  }
  if (count == 0) return std::nullopt;
  return geometry::cartesianOf(s.cell, {sum.x / count, sum.y / count, sum.z / count});
}

GroupPlacement bestGroupPlacement(const StructureModel& s, const std::vector<AtomRef>& picked,
                                  const model::Vec3& target) {
  GroupPlacement best;
  if (picked.empty()) return best;
  // The operators are affine, so the centroid of the moved group is the moved centroid.
  geometry::Fractional centroid;
  for (const AtomRef& ref : picked) {
    const geometry::Fractional f = geometry::fractionalOf(s, ref);
    centroid.x += f.x;
    centroid.y += f.y;
    centroid.z += f.z;
  }
  const double n = static_cast<double>(picked.size());
  centroid = {centroid.x / n, centroid.y / n, centroid.z / n};
  double bestDistance = 1000.0;
  for (int k = 1; k <= s.symmetry.opCount; ++k) {
    const geometry::Fractional turned = geometry::applyOperator(s.symmetry, k, centroid, 0, 0, 0);
    for (int ta = -farthestTranslation; ta <= farthestTranslation; ++ta) {
      for (int tb = -farthestTranslation; tb <= farthestTranslation; ++tb) {
        for (int tc = -farthestTranslation; tc <= farthestTranslation; ++tc) {
          const model::Vec3 at =
              geometry::cartesianOf(s.cell, {turned.x + ta, turned.y + tb, turned.z + tc});
          const double distance = model::length(at - target);
          if (distance < bestDistance) {
            bestDistance = distance;
            best = {k, ta, tb, tc};
          }
        }
      }
    }
  }
  return best;
}

void moveGroup(StructureModel& s, const std::vector<AtomRef>& members,
               const GroupPlacement& placement) {
  const geometry::FractionalRotation rotation = geometry::seitzOf(s.symmetry, placement.op).r;
  std::vector<geometry::Fractional> positions;
  std::vector<std::optional<geometry::AnisotropicU>> displacements;
  for (const AtomRef& ref : members) {
    positions.push_back(geometry::applyOperator(s.symmetry, placement.op,
                                                geometry::fractionalOf(s, ref), placement.ta,
                                                placement.tb, placement.tc));
    checkNewPosition(s, ref, positions.back());
    const bool anisotropic = ref.kind == AtomKind::Atom && s.atoms[ref.index].aniso == 1;
    displacements.push_back(anisotropic ? std::optional(turnedU(s, s.atoms[ref.index], rotation))
                                        : std::nullopt);
  }
  for (std::size_t i = 0; i < members.size(); ++i) {
    setPosition(s, members[i], positions[i]);
    if (!displacements[i]) continue;
    model::Atom& atom = s.atoms[members[i].index];
    const geometry::AnisotropicU& u = *displacements[i];
    atom.u11 = u.u11;
    atom.u22 = u.u22;
    atom.u33 = u.u33;
    atom.u23 = u.u23;
    atom.u13 = u.u13;
    atom.u12 = u.u12;
  }
}

}  // namespace tavo::editing
