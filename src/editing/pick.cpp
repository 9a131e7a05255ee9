// The hit test of the picture.
#include "editing/pick.h"

#include <cmath>

#include "text/text.h"

namespace tavo::editing {

namespace {

struct Range {
  int first = 1;
  int last = 0;
};

Range rangeOf(const model::StructureModel& s, CandidateSet set, model::AtomKind kind) {
  const int file = kind == model::AtomKind::Atom       ? s.nonHCount
                   : kind == model::AtomKind::Hydrogen ? s.hCount
                                                       : s.peakCount;
  const int working = kind == model::AtomKind::Atom       ? s.workingAtomCount
                      : kind == model::AtomKind::Hydrogen ? s.workingHCount
                                                          : s.workingPeakCount;
  switch (set) {
    case CandidateSet::AllShown:
      return {1, working};
    case CandidateSet::FileEntries:
      return {1, file};
    case CandidateSet::FileAtomsAndH:
      return kind == model::AtomKind::Peak ? Range{1, 0} : Range{1, file};
    case CandidateSet::GeneratedCopiesOnly:
      return {file + 1, working};
  }
  return {};
}

}  // namespace

double peakHeight(const model::StructureModel& structure, int index) {
  if (structure.peakCount <= 0) return 0;
  int fileIndex = index % structure.peakCount;
  if (fileIndex == 0) fileIndex = structure.peakCount;
  return structure.peaks[fileIndex].height;
}

PickResult findNearest(const model::StructureModel& structure, const PickGeometry& geometry,
                       ScreenPoint at, const PickOptions& options) {
  const double e = geometry.extentA;
  const double s = geometry.scale;
  const double u = (at.x - geometry.paneWidth / 2.0) * e / s;
  const double v = e * (geometry.paneHeight / 2.0 - at.y) / s;
  const double slabLimit = e * geometry.slab / 20.0;
  PickResult best;
  for (model::AtomKind kind :
       {model::AtomKind::Atom, model::AtomKind::Hydrogen, model::AtomKind::Peak}) {
    const bool isPeak = kind == model::AtomKind::Peak;
    if (isPeak && options.excludePeaks) continue;
    const Range range = rangeOf(structure, options.candidates, kind);
    const auto& flags = structure.selected[static_cast<size_t>(kind)];
    for (int i = range.first; i <= range.last; ++i) {
      const model::Vec3& p = structure.view[static_cast<size_t>(kind)][static_cast<size_t>(i)];
      if (!(std::abs(p.z) < slabLimit)) continue;
      const bool flagged = flags[static_cast<size_t>(i)] == 1;
      if (flagged && (isPeak ? options.skipSelectedPeaks : options.skipSelected)) continue;
      if (isPeak && !(peakHeight(structure, i) > options.peakThreshold)) continue;
      const double d = std::sqrt((u - p.x) * (u - p.x) + (v - p.y) * (v - p.y));
      if (d < best.distanceA) best = {{kind, i}, d};
    }
  }
  return best;
}

int toScreenColumn(const PickGeometry& geometry, double x) {
  return static_cast<int>(text::roundHalfEven(geometry.scale * x / geometry.extentA)) +
         geometry.paneWidth / 2;
}

int toScreenRow(const PickGeometry& geometry, double y) {
  return geometry.paneHeight / 2 -
         static_cast<int>(text::roundHalfEven(geometry.scale * y / geometry.extentA));
}

}  // namespace tavo::editing
