// The expansion search (plain reference and cell list) and the packing search.
#include "geometry/expansion.h"

#include <algorithm>
#include <cmath>

#include "geometry/bonds.h"
#include "geometry/cell_metrics.h"
#include "geometry/symmetry_operators.h"
#include "text/text.h"

namespace tavo::geometry {

using model::Vec3;

int unitCapacity(const model::ArrayLimits& limits) {
  return std::clamp(limits.symMax - 1, 0, maxListedUnits);
}

model::ExpansionOp makeUnit(const model::SymmetryOps& ops, int k, int ta, int tb, int tc) {
  return {k, ta, tb, tc, symmetryCode(ops, k, ta, tb, tc)};
}

std::string packingCapacityMessage(const model::ArrayLimits& limits) {
  const int capacity = unitCapacity(limits);
  return "The packing range holds more copies than the " + std::to_string(capacity) +
         " units a view can hold (sym_max - 1 with sym_max = " + std::to_string(limits.symMax) +
         ", and never more than 255): only the first " + std::to_string(capacity) +
         " are shown. Raise sym_max in array_max.inf in the program folder, or narrow the range.";
}

namespace {

constexpr int translationReach = 2;
constexpr double boundLimit = 1e6;  // lattice translations -2..2 along each axis

// The view position of a fractional point in a freshly reset view: the expression of the view
// reset, so that the plain and the cell-list search compare the very same numbers.
inline Vec3 viewPositionOf(const model::CellParameters& cell, const Fractional& f,
                           const Vec3& origin) {
  return cartesianOf(cell, f) - origin;
}

Fractional fractionalOfAtom(const model::Atom& atom) {
  return {atom.x, atom.y, atom.z};
}

Vec3 viewOrigin(const model::StructureModel& s) {
  return cartesianOf(s.cell, structureCentroid(s));
}

int expansionCapacity(const model::StructureModel& s) {
  return std::min(maxExpansionUnits, unitCapacity(s.limits));
}

bool isIdentityCandidate(int k, int ta, int tb, int tc) {
  return k == 1 && ta == 0 && tb == 0 && tc == 0;
}

struct Box {
  Vec3 low{INFINITY, INFINITY, INFINITY};
  Vec3 high{-INFINITY, -INFINITY, -INFINITY};
  void add(const Vec3& p) {
    low = {std::fmin(low.x, p.x), std::fmin(low.y, p.y), std::fmin(low.z, p.z)};
    high = {std::fmax(high.x, p.x), std::fmax(high.y, p.y), std::fmax(high.z, p.z)};
  }
  Box widened(double by) const { return {low - Vec3{by, by, by}, high + Vec3{by, by, by}}; }
  bool holds(const Vec3& p) const {
    return p.x >= low.x && p.x <= high.x && p.y >= low.y && p.y <= high.y && p.z >= low.z &&
           p.z <= high.z;
  }
  bool meets(const Box& o, const Vec3& shift) const {
    return o.low.x + shift.x <= high.x && o.high.x + shift.x >= low.x &&
           o.low.y + shift.y <= high.y && o.high.y + shift.y >= low.y &&
           o.low.z + shift.z <= high.z && o.high.z + shift.z >= low.z;
  }
};

}  // namespace

std::vector<model::ExpansionOp> expansionUnitsPlain(const model::StructureModel& s,
                                                    int bondFactor) {
  std::vector<model::ExpansionOp> units;
  const int n = s.nonHCount;
  const int capacity = expansionCapacity(s);
  if (n == 0 || capacity == 0) return units;
  const Vec3 origin = viewOrigin(s);
  std::vector<Vec3> positions(static_cast<size_t>(n) + 1);
  std::vector<Vec3> copy(static_cast<size_t>(n) + 1);
  for (int j = 1; j <= n; ++j)
    positions[static_cast<size_t>(j)] =
        viewPositionOf(s.cell, fractionalOfAtom(s.atoms[j]), origin);
  for (int k = 1; k <= s.symmetry.opCount; ++k) {
    for (int ta = -translationReach; ta <= translationReach; ++ta) {
      for (int tb = -translationReach; tb <= translationReach; ++tb) {
        for (int tc = -translationReach; tc <= translationReach; ++tc) {
          if (isIdentityCandidate(k, ta, tb, tc)) continue;
          for (int i = 1; i <= n; ++i) {
            copy[static_cast<size_t>(i)] = viewPositionOf(
                s.cell, applyOperator(s.symmetry, k, fractionalOfAtom(s.atoms[i]), ta, tb, tc),
                origin);
          }
          bool bonded = false;
          for (int i = 1; i <= n && !bonded; ++i) {
            const double ri = elementRadius(s, s.atoms[i].sfac);
            for (int j = 1; j <= n && !bonded; ++j) {
              bonded =
                  viewDistance(copy[static_cast<size_t>(i)], positions[static_cast<size_t>(j)]) <
                  bondLimit(bondFactor, ri, elementRadius(s, s.atoms[j].sfac));
            }
          }
          if (!bonded) continue;
          if (static_cast<int>(units.size()) == capacity) return units;
          units.push_back(makeUnit(s.symmetry, k, ta, tb, tc));
        }
      }
    }
  }
  return units;
}

std::vector<model::ExpansionOp> expansionUnits(const model::StructureModel& s, int bondFactor,
                                               ExpansionWorkspace& w, SearchProgress* progress) {
  std::vector<model::ExpansionOp> units;
  const int n = s.nonHCount;
  const int capacity = expansionCapacity(s);
  if (n == 0 || capacity == 0) return units;
  const auto size = static_cast<size_t>(n) + 1;
  const Vec3 origin = viewOrigin(s);
  w.positions.resize(size);
  w.radii.resize(size);
  w.rotated.resize(size);
  double lowRadius = INFINITY, highRadius = -INFINITY;
  Box unitBox;
  for (int j = 1; j <= n; ++j) {
    const auto at = static_cast<size_t>(j);
    w.positions[at] = viewPositionOf(s.cell, fractionalOfAtom(s.atoms[j]), origin);
    w.radii[at] = elementRadius(s, s.atoms[j].sfac);
    lowRadius = std::fmin(lowRadius, w.radii[at]);
    highRadius = std::fmax(highRadius, w.radii[at]);
    unitBox.add(w.positions[at]);
  }
  // The limit is linear in the radius sum: the largest one lies at an extreme.
  const double reach = std::fmax(bondLimit(bondFactor, highRadius, highRadius),
                                 bondLimit(bondFactor, lowRadius, lowRadius));
  if (!(reach > 0) || !std::isfinite(reach)) return units;  // no distance is below the limit
  w.grid.build(w.positions.data(), n, reach);
  w.slotRadii.resize(static_cast<size_t>(w.grid.size()));
  for (int slot = 0; slot < w.grid.size(); ++slot)
    w.slotRadii[static_cast<size_t>(slot)] = w.radii[static_cast<size_t>(w.grid.item(slot))];
  // Copies are placed from their rotated positions plus the Cartesian translation, which may
  // differ from the exact expression by rounding: the margin keeps every atom that the exact
  // position could bring within reach.
  const double margin = 1e-6 + 1e-9 * reach;
  const Box reachBox = unitBox.widened(reach + margin);
  const model::CellParameters& cell = s.cell;
  for (int k = 1; k <= s.symmetry.opCount; ++k) {
    Box rotatedBox;
    for (int i = 1; i <= n; ++i) {
      const auto at = static_cast<size_t>(i);
      w.rotated[at] = viewPositionOf(
          cell, applyOperator(s.symmetry, k, fractionalOfAtom(s.atoms[i]), 0, 0, 0), origin);
      rotatedBox.add(w.rotated[at]);
    }
    for (int ta = -translationReach; ta <= translationReach; ++ta) {
      for (int tb = -translationReach; tb <= translationReach; ++tb) {
        for (int tc = -translationReach; tc <= translationReach; ++tc) {
          if (isIdentityCandidate(k, ta, tb, tc)) continue;
          const Vec3 shift = model::toCartesian(cell, ta, tb, tc);
          if (!reachBox.meets(rotatedBox, shift)) continue;
          bool bonded = false;
          for (int i = 1; i <= n && !bonded; ++i) {
            const auto at = static_cast<size_t>(i);
            if (!reachBox.holds(w.rotated[at] + shift)) continue;
            const Vec3 p = viewPositionOf(
                cell, applyOperator(s.symmetry, k, fractionalOfAtom(s.atoms[i]), ta, tb, tc),
                origin);
            const double ri = w.radii[at];
            w.grid.forEachNear(p, [&](int, const Vec3& q, int slot) {
              if (!bonded &&
                  viewDistance(p, q) <
                      bondLimit(bondFactor, ri, w.slotRadii[static_cast<size_t>(slot)])) {
                bonded = true;
              }
            });
          }
          if (!bonded) continue;
          if (static_cast<int>(units.size()) == capacity) return units;
          units.push_back(makeUnit(s.symmetry, k, ta, tb, tc));
        }
      }
    }
    if (progress != nullptr) progress->advanced(k, s.symmetry.opCount);
  }
  return units;
}

PackingBounds packingBounds(const PackingRange& range) {
  PackingBounds bounds{};
  for (size_t k = 0; k < bounds.size(); ++k)
    bounds[k] = text::parseDouble(range.boundTexts[k]);
  return bounds;
}

PackingUnits packingUnits(const model::SymmetryOps& ops, const Fractional& centroid,
                          const PackingBounds& b, int capacity, SearchProgress* progress) {
  PackingUnits result;
  // A typed bound far beyond the spins' -10..10 is held where whole numbers still hold it.
  const auto rounded = [](double v) {
    if (std::isnan(v)) return 0;  // no point lies inside a bound that is not a number
    return static_cast<int>(std::clamp(text::roundHalfEven(v), -boundLimit, boundLimit));
  };
  const auto from = [&](double low) { return rounded(low) - 2; };
  const auto to = [&](double high) { return rounded(high) + 2; };
  const auto inside = [](double v, double low, double high) { return low < v && v < high; };
  for (int k = 1; k <= ops.opCount; ++k) {
    for (int ta = from(b[0]); ta <= to(b[1]); ++ta) {
      for (int tb = from(b[2]); tb <= to(b[3]); ++tb) {
        for (int tc = from(b[4]); tc <= to(b[5]); ++tc) {
          if (isIdentityCandidate(k, ta, tb, tc)) continue;
          const Fractional p = applyOperator(ops, k, centroid, ta, tb, tc);
          if (!inside(p.x, b[0], b[1]) || !inside(p.y, b[2], b[3]) || !inside(p.z, b[4], b[5]))
            continue;
          if (static_cast<int>(result.units.size()) >= capacity) {
            result.full = true;
            return result;
          }
          result.units.push_back(makeUnit(ops, k, ta, tb, tc));
        }
      }
    }
    if (progress != nullptr) progress->advanced(k, ops.opCount);
  }
  return result;
}

}  // namespace tavo::geometry
