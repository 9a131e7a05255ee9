// The hit test: which atom, H atom or peak a click on the picture is nearest to.
#pragma once

#include <span>

#include "editing/pointer_event.h"
#include "model/atom_ref.h"
#include "model/structure_model.h"

namespace tavo::editing {

/// The projection of the picture as the hit test needs it.
struct PickGeometry {
  int paneWidth = 1;   // W, pixels
  int paneHeight = 1;  // H, pixels
  int scale = 1;       // S = min(W, H)
  double extentA = 1;  // E, Å across S pixels
  int slab = 20;       // D, 1..100: |z| < E·D/20 is inside
};

/// Which entries a click can hit.
enum class CandidateSet {
  AllShown,             // 1..working counts of every kind
  FileEntries,          // 1..file counts of every kind
  FileAtomsAndH,        // 1..file counts of atoms and H atoms, no peaks
  GeneratedCopiesOnly,  // above the file counts up to the working counts
};

/// Options of one hit test besides the candidate set.
struct PickOptions {
  CandidateSet candidates = CandidateSet::AllShown;
  double peakThreshold = 0;   // a peak is a candidate only when its height is greater
  bool skipSelected = false;  // skip atoms and H atoms whose flag is 1
  bool skipSelectedPeaks = false;
  bool excludePeaks = false;
  std::span<const int> hiddenParts;  // atoms and H atoms of these PARTs are not drawn: no hit
};

/// The nearest candidate and its distance in the view plane (Å); distanceA is 1000 and ref
/// None when there is no candidate.
struct PickResult {
  model::AtomRef ref;
  double distanceA = 1000;
  /// Nearer than 0.3 Å.
  bool hit() const { return ref.kind != model::AtomKind::None && distanceA < pickToleranceA; }
  /// Farther than 0.3 Å (or nothing to hit); exactly 0.3 Å is neither.
  bool miss() const { return ref.kind == model::AtomKind::None || distanceA > pickToleranceA; }
  static constexpr double pickToleranceA = 0.3;
};

/// The height of peak `index`, taking a generated copy's height from its file peak.
double peakHeight(const model::StructureModel& structure, int index);

/// Finds the candidate nearest to `at`: atoms, then H atoms, then peaks, each by ascending
/// index; a later candidate wins only when strictly nearer.
PickResult findNearest(const model::StructureModel& structure, const PickGeometry& geometry,
                       ScreenPoint at, const PickOptions& options);

/// The hit test of a click at `at` that prefers `preferred`: `preferred` is the result when it
/// is a candidate of `options` within the pick tolerance of `at`, whatever else is drawn at
/// that spot (an atom hidden behind another in this view); otherwise, and for a None
/// `preferred`, the result of findNearest.
PickResult findNearestPreferring(const model::StructureModel& structure,
                                 const PickGeometry& geometry, ScreenPoint at,
                                 const PickOptions& options, model::AtomRef preferred);

/// Pixel column and row of a view position (the projection of the renderer).
int toScreenColumn(const PickGeometry& geometry, double x);
int toScreenRow(const PickGeometry& geometry, double y);

}  // namespace tavo::editing
