// What the picture reads besides the structure, the view and the graphics settings: the display
// toggles, the main-window controls it uses and the state of the measuring mouse modes.
#pragma once

#include <span>

#include "model/atom_ref.h"
#include "view/map_overlay.h"

namespace tavo::view {

struct PartDisplay;

/// The mouse modes that change the picture; every other mode draws like None.
enum class PictureMode { None, Part, Distance, AngV1V2, AlignVec, Sadi };

struct RenderOptions {
  bool showLabels = true;      // CheckBox1 "ShowLab"
  bool showHs = true;          // CheckBox2 "Show Hs"
  bool hideHLabels = true;     // CheckBox34 "HideHLb"
  bool viewHs = false;         // CheckBox40 "View Hs"
  bool showPeaks = true;       // CheckBox3 "ShowPks"
  bool showCell = false;       // CheckBox29 "ShowCell"
  bool labelAxes = false;      // CheckBox30 "LabAxes"
  bool ellipse = false;        // CheckBox32 "Ellipse"
  bool stereo = false;         // CheckBox33 "Stereo"
  bool displayBond = false;    // "DispBond" check box
  int labelSize = 6;           // SpinEdit26, 1..50
  int ellipsePair = 1;         // SpinEdit25: 1 = U11/U22, 2 = U22/U33, 3 = U33/U11
  int ellipseSizeFactor = 25;  // SpinEdit1 of "Parameters for Drawing Ellipes", 1..100
  int alignAxis = 1;           // SpinEdit30: 1 = X, 2 = Y, 3 = Z
  int alignSense = 1;          // SpinEdit31: 1 = Positive, 0 = Negative
  double peakThreshold = 0;    // T, e/Å³: a peak is drawn only when its height exceeds it
  PictureMode mode = PictureMode::None;
  std::span<const model::AtomRef> selection;  // the Selection, in picking order
  double measuredDistance = 0;                // the distance kept by the Distance mode, Å
  model::AtomRef displayedBond[2];            // the displayed-bond pair; kind None when unset
  const MapOverlay* map = nullptr;            // the contour mesh of the map shown; none when null
  const PartDisplay* parts = nullptr;  // PART colours, hidden parts, residue labels; none when null
  // The thermal-ellipsoid style ("Thermal Ellipsoids" and the ellipse parameters window).
  bool ellipsoids = false;            // atoms as probability surfaces of their U, not balls
  double ellipsoidProbability = 0.5;  // the share of the distribution each surface holds
  bool principalEllipses = true;      // the front halves of the three principal ellipses
  bool octantShading = false;         // the octant towards the viewer filled darker
  // A picture for a file: the background is left clear (transparent where the file allows).
  bool clearBackground = false;
};

/// What a picture leaves for the caller to keep.
struct PictureResult {
  /// The displayed bond's length when it was drawn; it becomes the measured distance.
  bool displayedBondDrawn = false;
  double displayedBondDistance = 0;
};

}  // namespace tavo::view
