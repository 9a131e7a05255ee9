// The hit test of the picture.
#include "editing/pick.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

/// The point of the view plane under pixel `at` (Å) and the slab's half depth.
struct Probe {
  double u = 0, v = 0;
  double slabLimit = 0;
};

Probe probeAt(const PickGeometry& geometry, ScreenPoint at) {
  const double e = geometry.extentA;
  const double s = geometry.scale;
  return {(at.x - geometry.paneWidth / 2.0) * e / s, e * (geometry.paneHeight / 2.0 - at.y) / s,
          e * geometry.slab / 20.0};
}

/// The distance in the view plane from the probe to entry `i` of `kind`, or empty when the
/// entry lies outside the slab or the options skip it; the candidate range is the caller's.
std::optional<double> candidateDistance(const model::StructureModel& structure, const Probe& probe,
                                        const PickOptions& options, model::AtomKind kind, int i) {
  const bool isPeak = kind == model::AtomKind::Peak;
  const model::Vec3& p = structure.view[static_cast<size_t>(kind)][static_cast<size_t>(i)];
  if (!(std::abs(p.z) < probe.slabLimit)) return std::nullopt;
  const bool flagged = structure.selected[static_cast<size_t>(kind)][static_cast<size_t>(i)] == 1;
  if (flagged && (isPeak ? options.skipSelectedPeaks : options.skipSelected)) return std::nullopt;
  if (isPeak && !(peakHeight(structure, i) > options.peakThreshold)) return std::nullopt;
  if (!isPeak && !options.hiddenParts.empty()) {
    const int part =
        kind == model::AtomKind::Atom ? structure.atoms[i].part : structure.hydrogens[i].part;
    if (std::find(options.hiddenParts.begin(), options.hiddenParts.end(), part) !=
        options.hiddenParts.end())
      return std::nullopt;
  }
  return std::sqrt((probe.u - p.x) * (probe.u - p.x) + (probe.v - p.y) * (probe.v - p.y));
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
  const Probe probe = probeAt(geometry, at);
  PickResult best;
  for (model::AtomKind kind :
       {model::AtomKind::Atom, model::AtomKind::Hydrogen, model::AtomKind::Peak}) {
    if (kind == model::AtomKind::Peak && options.excludePeaks) continue;
    const Range range = rangeOf(structure, options.candidates, kind);
    for (int i = range.first; i <= range.last; ++i) {
      const std::optional<double> d = candidateDistance(structure, probe, options, kind, i);
      if (d && *d < best.distanceA) best = {{kind, i}, *d};
    }
  }
  return best;
}

PickResult findNearestPreferring(const model::StructureModel& structure,
                                 const PickGeometry& geometry, ScreenPoint at,
                                 const PickOptions& options, model::AtomRef preferred) {
  const bool kindAllowed = preferred.kind != model::AtomKind::None &&
                           !(preferred.kind == model::AtomKind::Peak && options.excludePeaks);
  if (kindAllowed) {
    const Range range = rangeOf(structure, options.candidates, preferred.kind);
    if (preferred.index >= range.first && preferred.index <= range.last) {
      const std::optional<double> d = candidateDistance(structure, probeAt(geometry, at), options,
                                                        preferred.kind, preferred.index);
      if (d && *d < PickResult::pickToleranceA) return {preferred, *d};
    }
  }
  return findNearest(structure, geometry, at, options);
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
