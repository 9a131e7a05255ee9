// What a click on the picture does to the Selection in each editing mode.
#pragma once

#include <string>
#include <vector>

#include "editing/mouse_mode.h"
#include "editing/pick.h"
#include "editing/pointer_event.h"
#include "editing/selection.h"
#include "model/structure_model.h"

namespace tavo::editing {

inline constexpr std::string_view expandedPermissionDeniedMessage =
    "Name/Delete Permission Denied when Expanded To Avoid Confusion!!";
inline constexpr std::string_view partLimitMessage =
    "Maximum allowed number of atoms for this process is now limited as 12 so as not to exceed "
    "the 80-character limitation!";

/// The mode inputs and the state a pick rule reads.
struct PickInputs {
  int elementNumber = 1;       // SpinEdit20
  int hfixM = 4;               // SpinEdit22
  double peakThreshold = 0;    // Edit8
  bool adjustPending = false;  // a located fragment awaits adjustment
};

/// What the window must do after a pick besides redrawing.
struct PickOutcome {
  std::vector<std::string> messages;  // shown in order
  bool showParameterWindow = false;   // Edit: place and refresh "Setting the Parameter"
  bool hideParameterWindow = false;
  bool showDistancesAngles = false;  // Dist/Ang: the read-out is to be shown
  bool hideDistancesAngles = false;
  bool runLocateSetup = false;  // Locate: SetupLocateClick
  bool redraw = true;
};

/// The hit-test options of the editing mode in `flags` for a click with `button`.
PickOptions pickOptionsFor(const ModeFlags& flags, Button button, double peakThreshold);

/// The number of ends of BondList kind-1 bonds equal to atom `index`.
int nonHNeighbourCount(const model::StructureModel& structure, int index);
/// True when an atom with `neighbours` non-H neighbours may take HFIX with this m.
bool hfixAccepts(int m, int neighbours);

/// Applies the pick rule of the editing mode in `flags` to the hit-test result.
PickOutcome applyPickRule(model::StructureModel& structure, Selection& selection,
                          DistanceMemory& distance, const ModeFlags& flags,
                          const PointerEvent& event, const PickResult& nearest,
                          const PickInputs& inputs);

/// √(Δx² + Δy² + Δz²) of two view positions, Å.
double viewDistanceOf(const model::StructureModel& structure, model::AtomRef a, model::AtomRef b);

}  // namespace tavo::editing
