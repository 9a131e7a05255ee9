// The rules of the locating tool that need no window.
#include "editing/locating.h"

#include <cassert>
#include <cmath>

#include "geometry/cell_metrics.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

using model::AtomKind;
using model::AtomRef;

std::vector<AtomRef> bondedNeighbours(const model::StructureModel& s, AtomRef ref) {
  std::vector<AtomRef> out;
  if (ref.kind == AtomKind::Atom) {
    for (const model::Bond& b : s.bonds.kinds[1]) {
      if (b.first == ref.index) out.push_back({AtomKind::Atom, b.second});
      if (b.second == ref.index) out.push_back({AtomKind::Atom, b.first});
    }
    for (const model::Bond& b : s.bonds.kinds[2]) {
      if (b.first == ref.index) out.push_back({AtomKind::Hydrogen, b.second});
    }
  } else if (ref.kind == AtomKind::Hydrogen) {
    for (const model::Bond& b : s.bonds.kinds[2]) {
      if (b.second == ref.index) out.push_back({AtomKind::Atom, b.first});
    }
  }
  return out;
}

std::optional<GroupElement> findGroupElement(const model::StructureModel& s,
                                             const model::ElementDefinitions& definitions,
                                             std::string_view symbol) {
  const std::string wanted = text::upper(text::trimLine(symbol));
  for (int e = 1; e <= s.elementCount; ++e) {
    if (!wanted.empty() && text::upper(text::trimLine(s.elements[e].symbol)) == wanted)
      return GroupElement{e, 0, s.elements[e].symbol};
  }
  const std::optional<int> row = definitions.findRow(symbol);
  if (!row) return std::nullopt;
  const std::string first =
      text::cut(definitions.table().cell(*row, model::ElementDefinitions::Lab1), 2);
  return GroupElement{0, *row, first};
}

model::Vec3 vectorPosition(const model::Vec3& g0, const model::Vec3& g1, const model::Vec3& g2,
                           double lengthA) {
  const model::Vec3 direction = g2 - g1;
  const double l = model::length(direction);
  if (!std::isfinite(lengthA) || !std::isfinite(l) || !std::isfinite(model::length(g0)))
    throw UserError("The vector length and the centroids must be finite numbers.");
  if (l == 0) throw UserError(std::string(coincidentCentroidsMessage));
  return g0 + (lengthA / l) * direction;
}

int appendPeakAt(model::StructureModel& s, const geometry::ViewFrame& frame,
                 const model::Vec3& at) {
  assert(s.workingPeakCount == s.peakCount);
  const geometry::Fractional f = geometry::fractionalOfViewPosition(frame, at);
  const int k = s.addPeak();
  s.peakCount = k;
  s.peaks[k].x = f.x;
  s.peaks[k].y = f.y;
  s.peaks[k].z = f.z;
  s.viewOf({AtomKind::Peak, k}) = at;
  s.selected[3][k] = 0;
  return k;
}

}  // namespace tavo::editing
