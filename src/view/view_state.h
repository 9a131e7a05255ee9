// The view state of the molecule picture: pane size and scale, zoom, depth slab, and the
// rotations and shifts applied directly to the stored view coordinates.
#pragma once

#include <functional>

#include "geometry/view_frame.h"
#include "model/atom_ref.h"
#include "model/cell_parameters.h"
#include "model/dialogs.h"
#include "model/structure_model.h"

namespace tavo::view {

using model::degreesPerRadian;

enum class Axis : int { X = 0, Y = 1, Z = 2 };

/// Mouse button of the current press on the pane.
enum class MouseButton : int { Left = 1, Right = 2 };

/// What a drag on the pane does: rotate, shift (Shift key), zoom or depth (Alt key), or the
/// Ctrl gesture of the mouse modes.
enum class Gesture : int { Rotate = 0, Shift = 1, Zoom = 2, Control = 3 };

/// Everything a rotation or shift moves, and what follows a step. Built by the Workbench for
/// each command.
struct ViewScene {
  model::StructureModel& structure;
  geometry::ViewFrame& frame;
  model::Clock& clock;           // the pause after each step
  std::function<void()> redraw;  // the full picture (DrawMolecule); may be empty in tests
  bool adjustMode = false;       // "Adjust" mouse mode: atoms and H atoms with selected == 1 stay
};

/// Pixel geometry of the pane being drawn.
struct PaneGeometry {
  int paneWidth = 0;   // W
  int paneHeight = 0;  // H
  int scale = 0;       // S: pixels that correspond to the extent
  friend bool operator==(const PaneGeometry&, const PaneGeometry&) = default;
};

/// A pane rectangle in the main window's client coordinates, pixels.
struct PaneRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const PaneRect&, const PaneRect&) = default;
};

/// The two stereo panes: each `separation` wide, as tall as the main pane, meeting at its
/// centre.
struct StereoLayout {
  PaneRect left;
  PaneRect right;
  friend bool operator==(const StereoLayout&, const StereoLayout&) = default;
};
StereoLayout stereoLayout(const PaneRect& mainPane, int stereoSeparation);

/// "nonH-Bond Width" and "nonH Ball Size" when stereo is switched on (halved, at least
/// `minimum`) and off (doubled).
int stereoOnSize(int value, int minimum);
int stereoOffSize(int value);

/// Pause after a step in ms: Round(√entryCount·delayE·(√(x·delayB) + 5)).
int redrawDelay(int entryCount, double x, double delayB, double delayE);

/// Pixel sizes of one picture, derived from the extent; each rounded half to even and kept
/// within 0..255.
struct PictureSizes {
  int labelFont = 0;      // Round(labelSize/5·36/√E)
  int ballRadius = 0;     // r = Round(B/√E)
  int labelOffset = 0;    // d = Round(B/√E + 2)
  int axisLabelFont = 0;  // Round(64/√E)
  friend bool operator==(const PictureSizes&, const PictureSizes&) = default;
};

/// Delay parameters of the sources of a motion.
struct DelayParameters {
  double delayB = 1.0;
  double delayE = 1.2;
};
inline constexpr DelayParameters rotationControlDelay{1.0, 1.2};  // track bars; spin edits X, Y
inline constexpr DelayParameters rotationSpinZDelay{0.8, 1.6};    // SpinEdit4
inline constexpr DelayParameters mouseRotationDelay{0.8, 1.0};
inline constexpr DelayParameters shiftDelay{0.8, 1.0};

/// Ranges of the view controls.
inline constexpr int zoomMinimum = 0, zoomMaximum = 300;            // SpinEdit1
inline constexpr int zoomTrackMinimum = 0, zoomTrackMaximum = 200;  // TrackBar7
inline constexpr int slabMinimum = 1, slabMaximum = 100;            // SpinEdit11, TrackBar8
inline constexpr int rotationTrackLimit = 180;                      // TrackBar1..3: ±180
inline constexpr int rotationSpinLimit = 360;                       // SpinEdit2..4: ±360
inline constexpr int shiftTrackLimit = 200;                         // TrackBar4..6: ±200
inline constexpr int shiftSpinLimit = 1000;                         // SpinEdit8..10: ±1000

/// One instance, owned by the Workbench. Fields follow the picture's own vocabulary: H, W, S
/// are pixels, E is Å, angles are radians.
struct ViewState {
  // Pane and scale.
  int paneHeight = 0;       // H
  int paneWidth = 0;        // W
  int scale = 0;            // S = min(H, W) for the main pane, the pane width for a stereo pane
  double extent = 1.0;      // E, Å drawn across S pixels
  double baseExtent = 1.0;  // E0, the extent of the last reset

  // The next motion.
  double stepAngle = 0;      // θ of the next X/Y/Z rotation, radians
  double dragDirection = 0;  // φ of the in-plane-axis rotation, radians
  double dragAngle = 0;      // ψ of the in-plane-axis rotation, radians
  double stepShift = 0;      // Å of the next X/Y/Z shift

  // Last positions of the rotation and shift controls (track bar and spin edit of an axis share
  // one value, so moving one after the other turns only by the difference).
  int prevRotX = 0, prevRotY = 0, prevRotZ = 0;
  int prevShiftX = 0, prevShiftY = 0, prevShiftZ = 0;

  // The pause after a step.
  double delayB = 1.0;
  double delayE = 1.2;
  int delay = 0;  // ms

  // Mouse gestures (Rotate mouse mode).
  bool dragging = false;
  MouseButton button = MouseButton::Left;
  Gesture gesture = Gesture::Rotate;
  double lastMouseX = 0, lastMouseY = 0;
  double mouseDX = 0, mouseDY = 0;

  // Control values.
  int zoom = 100;             // SpinEdit1 / TrackBar7 (mirrored)
  int slab = 20;              // SpinEdit11 / TrackBar8 (mirrored), D; every reset sets 10
  int rotationTrackX = 0;     // TrackBar1, degrees
  int rotationTrackY = 0;     // TrackBar2
  int rotationTrackZ = 0;     // TrackBar3
  int rotationSpinX = 0;      // SpinEdit2, degrees
  int rotationSpinY = 0;      // SpinEdit3
  int rotationSpinZ = 0;      // SpinEdit4
  int shiftTrackX = 0;        // TrackBar4, hundredths of the extent
  int shiftTrackY = 0;        // TrackBar5
  int shiftTrackZ = 0;        // TrackBar6
  int shiftSpinX = 0;         // SpinEdit8, steps of E·F/40000
  int shiftSpinY = 0;         // SpinEdit9
  int shiftSpinZ = 0;         // SpinEdit10
  int shiftStepFactor = 100;  // SpinEdit32, F

  // Projection.
  /// Pixel column of view x: Round(S·x/E) + (W div 2), clamped to 16 bits.
  int toScreenX(double x) const;
  /// Pixel row of view y: (H div 2) − Round(S·y/E), clamped to 16 bits (rows grow downwards).
  int toScreenY(double y) const;
  /// True when view depth z lies inside the slab: |z| < E·D/20.
  bool inSlab(double z) const;
  /// Å between pane point (px, py) mapped back into the view plane and the entry's view x, y.
  double pickDistance(const model::StructureModel& structure, model::AtomRef ref, double px,
                      double py) const;

  /// The sizes of a picture at the current extent for "nonH Ball Size" `ballSize` and the label
  /// size `labelSize` (SpinEdit26).
  PictureSizes pictureSizes(int ballSize, int labelSize) const;

  PaneGeometry paneGeometry() const { return {paneWidth, paneHeight, scale}; }
  void setPaneGeometry(const PaneGeometry& pane);
  /// H, W := the main pane's size; S := min(H, W).
  void setMainPane(int width, int height);

  // Resets.
  /// The view-control reset: previous positions and controls 0, slab 10, the main pane size,
  /// the mouse position at the pane centre. Selection and displayed bond are the caller's.
  void InitGraphics(int mainPaneWidth, int mainPaneHeight);
  /// The view-coordinate reset of the frame followed by the fit of the extent.
  void DetectMaxMin(model::StructureModel& structure, geometry::ViewFrame& frame,
                    bool showHydrogens, bool showPeaks, bool moveGroupMode);
  /// E := 1.1·(the largest 2·distance from the view origin) of the non-H atoms, of the H atoms
  /// when shown and of the peaks when shown; E0 := E; zoom := 100. With nothing to measure the
  /// cell box is used, and 1 Å when that is empty too.
  void fitExtent(const model::StructureModel& structure, const geometry::ViewFrame& frame,
                 bool showHydrogens, bool showPeaks);

  // Zoom and slab.
  /// E := E0·1.06^(100 − v) for zoom value v (either control); no redraw.
  void setZoom(int value);
  /// A change of SpinEdit1 or TrackBar7 (ZoomChange): setZoom, then redraw.
  void changeZoom(const ViewScene& scene, int value);
  /// A change of SpinEdit11 or TrackBar8 (SlabChange): D := value, then redraw.
  void changeSlab(const ViewScene& scene, int value);

  // Rotation and shift steps (motion, redraw, pause).
  /// One step of stepAngle about the view axis (RXClick, RYClick, RZClick).
  void rotateAboutX(const ViewScene& scene);
  void rotateAboutY(const ViewScene& scene);
  void rotateAboutZ(const ViewScene& scene);
  /// One step of dragAngle about the axis in the view plane across the drag direction
  /// (RotateMClick).
  void rotateInDragPlane(const ViewScene& scene);
  /// The Y rotation by −stepAngle; no redraw, no pause (stereo drawing; RotYStereo1Click).
  void turnForStereoPair(model::StructureModel& structure, geometry::ViewFrame& frame,
                         bool adjustMode) const;
  /// One step of stepShift along the view axis (SXClick, SYClick, SZClick).
  void shiftAlongX(const ViewScene& scene);
  void shiftAlongY(const ViewScene& scene);
  void shiftAlongZ(const ViewScene& scene);

  // Control handlers.
  void RotateX(const ViewScene& scene, int position);  // TrackBar1
  void RotateY(const ViewScene& scene, int position);  // TrackBar2
  void RotateZ(const ViewScene& scene, int position);  // TrackBar3
  void SpinX(const ViewScene& scene, int value);       // SpinEdit2
  void SpinY(const ViewScene& scene, int value);       // SpinEdit3
  void SpinZ(const ViewScene& scene, int value);       // SpinEdit4
  /// TrackBar4..6: stepShift := (p − prevShift)·E/100, then the shift.
  void ShiftTrack(const ViewScene& scene, Axis axis, int position);
  /// SpinEdit8..10: stepShift := (p − prevShift)·E·F/40000, then the shift.
  void ShiftSpin(const ViewScene& scene, Axis axis, int value);

  // Mouse gestures on the pane (Rotate mouse mode).
  void mouseDown(MouseButton pressed, Gesture kind, double x, double y);
  /// One move while dragging; `mainPaneWidth` is W1, `mouseSpeed` the "Mouse Speed" setting.
  void mouseMove(const ViewScene& scene, double x, double y, int mainPaneWidth, int mouseSpeed);
  void mouseUp();
};

// The rigid motions themselves: every non-H atom 1..workingAtomCount and H atom
// 1..workingHCount (except those with selected == 1 while `adjustMode`), every peak
// 1..workingPeakCount, and view slots 1..9.

/// Rotation by `angleRad` about a view axis.
void rotateView(model::StructureModel& structure, geometry::ViewFrame& frame, Axis axis,
                double angleRad, bool adjustMode);
/// Rotation by `angleRad` (ψ) about the in-plane axis (sin φ, cos φ, 0), φ = `directionRad`.
void rotateViewInPlane(model::StructureModel& structure, geometry::ViewFrame& frame,
                       double directionRad, double angleRad, bool adjustMode);
/// Shift by `shiftA` Å along a view axis.
void shiftView(model::StructureModel& structure, geometry::ViewFrame& frame, Axis axis,
               double shiftA, bool adjustMode);

}  // namespace tavo::view
