// The values of the main window's hidden state controls, with their defaults and ranges.
#pragma once

#include <algorithm>
#include <string>

#include "view/view_state.h"

namespace tavo::workbench {

/// The range and start value of a numeric control: the one source for the widget and for the
/// clamping of the core.
struct ControlRange {
  int minimum = 0;
  int maximum = 0;
  int initial = 0;
  constexpr int clamp(int value) const { return std::clamp(value, minimum, maximum); }
};

inline constexpr ControlRange zoomRange{view::zoomMinimum, view::zoomMaximum, 100};  // SpinEdit1
inline constexpr ControlRange zoomTrackRange{view::zoomTrackMinimum, view::zoomTrackMaximum,
                                             100};  // TrackBar7
inline constexpr ControlRange rotationRange{-view::rotationSpinLimit, view::rotationSpinLimit,
                                            0};  // SpinEdit2..4
inline constexpr ControlRange rotationTrackRange{-view::rotationTrackLimit,
                                                 view::rotationTrackLimit, 0};  // TrackBar1..3
inline constexpr ControlRange shiftRange{-view::shiftSpinLimit, view::shiftSpinLimit,
                                         0};  // SpinEdit8..10
inline constexpr ControlRange shiftTrackRange{-view::shiftTrackLimit, view::shiftTrackLimit,
                                              0};  // TrackBar4..6
inline constexpr ControlRange slabRange{view::slabMinimum, view::slabMaximum,
                                        20};                      // SpinEdit11, TrackBar8
inline constexpr ControlRange shiftStepFactorRange{1, 300, 100};  // SpinEdit32
inline constexpr ControlRange labelSizeRange{1, 50, 6};           // SpinEdit26
inline constexpr ControlRange bondThresholdRange{1, 20, 11};      // SpinEdit5, SpinEdit7
inline constexpr ControlRange peakTensRange{0, 100, 0};           // SpinEdit6
inline constexpr ControlRange peakDigitRange{0, 9, 0};            // SpinEdit27..29
inline constexpr ControlRange symmetryCodeRange{0, 255, 0};  // SpinEdit19: up to the unit count
inline constexpr ControlRange hfixMRange{1, 16, 4};          // SpinEdit22
inline constexpr ControlRange hfixNRange{1, 9, 3};           // SpinEdit23
inline constexpr ControlRange partNumberRange{0, 100, 0};    // SpinEdit24
inline constexpr ControlRange alignAxisRange{1, 3, 1};       // SpinEdit30
inline constexpr ControlRange alignSenseRange{0, 1, 1};      // SpinEdit31

/// The display flags of the main window; every change redraws.
struct DisplayFlags {
  bool showLabels = true;          // CheckBox1 'ShowLab'
  bool showHydrogens = true;       // CheckBox2 'Show Hs'
  bool showPeaks = true;           // CheckBox3 'ShowPks'
  bool expandConnections = false;  // CheckBox4 'Expand'
  bool showCell = false;           // CheckBox29 'ShowCell'
  bool labelAxes = false;          // CheckBox30 'LabAxes'
  bool packingView = false;        // CheckBox31 'Packing'
  bool ellipse = false;            // CheckBox32 'Ellipse'
  bool stereo = false;             // CheckBox33 'Stereo'
  bool hideHydrogenLabels = true;  // CheckBox34 'HideHLb'
  bool expandPeaks = true;         // CheckBox35 'PkExpOn'
  bool expandHydrogens = true;     // CheckBox36 'HExpOn'
  bool spotHydrogens = false;      // CheckBox40 'View Hs'
  bool numericalPositions = true;  // menu "Numerical Positions"
  bool trackingBars = false;       // menu "Tracking Bars"
  friend bool operator==(const DisplayFlags&, const DisplayFlags&) = default;
};

/// The display flags a menu toggle or the view menu (PopupMenu2) switches.
enum class DisplayFlag {
  Labels,              // "Show Labels", CheckBox1
  Hydrogens,           // "Show H Atoms", CheckBox2
  HideHydrogenLabels,  // "Hide H Labels", CheckBox34
  SpotHydrogens,       // "Spot H Atoms", CheckBox40
  Peaks,               // "Show Peaks", CheckBox3
  ExpandHydrogens,     // "Expand H Atoms", CheckBox36
  ExpandPeaks,         // "Expand Peaks", CheckBox35
  Cell,                // "Show Cells", CheckBox29
  Ellipse,             // "Ellipse", CheckBox32
  Stereo,              // "Stereo View", CheckBox33
  ExpandConnections,   // "Expand Connections", CheckBox4
  Packing,             // "Packing View", CheckBox31
  NumericalPositions,  // "Numerical Positions"
  TrackingBars,        // "Tracking Bars"
};

/// The numeric and text controls of the main window (view, thresholds and mode inputs).
struct ControlValues {
  int zoom = zoomRange.initial;                          // SpinEdit1; TrackBar7 mirrors it
  int rotationX = rotationRange.initial;                 // SpinEdit2
  int rotationY = rotationRange.initial;                 // SpinEdit3
  int rotationZ = rotationRange.initial;                 // SpinEdit4
  int shiftX = shiftRange.initial;                       // SpinEdit8
  int shiftY = shiftRange.initial;                       // SpinEdit9
  int shiftZ = shiftRange.initial;                       // SpinEdit10
  int rotationTrackX = rotationTrackRange.initial;       // TrackBar1
  int rotationTrackY = rotationTrackRange.initial;       // TrackBar2
  int rotationTrackZ = rotationTrackRange.initial;       // TrackBar3
  int shiftTrackX = shiftTrackRange.initial;             // TrackBar4, hundredths of the extent
  int shiftTrackY = shiftTrackRange.initial;             // TrackBar5
  int shiftTrackZ = shiftTrackRange.initial;             // TrackBar6
  int slab = slabRange.initial;                          // SpinEdit11; TrackBar8 mirrors it
  int shiftStepFactor = shiftStepFactorRange.initial;    // SpinEdit32
  int labelSize = labelSizeRange.initial;                // SpinEdit26
  int bondThreshold = bondThresholdRange.initial;        // SpinEdit5 'BndThr', tenths
  int peakBondThreshold = bondThresholdRange.initial;    // SpinEdit7 'PkBThr', tenths
  int peakThresholdTens = peakTensRange.initial;         // SpinEdit6 'PksThr'
  int peakThresholdUnits = peakDigitRange.initial;       // SpinEdit27
  int peakThresholdTenths = peakDigitRange.initial;      // SpinEdit28
  int peakThresholdHundredths = peakDigitRange.initial;  // SpinEdit29
  std::string peakThresholdText = "0.0";                 // Edit8 (e/A3), read-only
  int symmetryCode = symmetryCodeRange.initial;          // SpinEdit19 'Symmetry Code'

  // Inputs of the editing modes.
  int elementNumber = 1;  // SpinEdit20, 1..elementCount
  int elementNumberMax = 1;
  std::string elementSymbol = "Atm";  // Edit5
  std::string newLabel;  // NewLabel: the label the next Name gives; empty: the next free number
  int firstNumber = 1;   // SpinEdit21, 1..firstNumberMax
  int firstNumberMax = 1;
  std::string elementCountText;              // Edit6, read-only
  bool useLetters = false;                   // CheckBox37 "ABC"
  int hfixM = hfixMRange.initial;            // SpinEdit22
  int hfixN = hfixNRange.initial;            // SpinEdit23
  int partNumber = partNumberRange.initial;  // SpinEdit24
  std::string dfixDistance;                  // Edit9
  std::string dfixEsd = "0.03";              // Edit10
  std::string restraintEsds;                 // RestraintEsds: RIGU, SIMU, ISOR, DANG esds
  int alignAxis = alignAxisRange.initial;    // SpinEdit30 ("X axis", "Y axis", "Z axis")
  int alignSense = alignSenseRange.initial;  // SpinEdit31 ("Negative", "Positive")

  /// The peak-height threshold T in e/Å³ from SpinEdit6 and SpinEdit27..29. Summed in whole
  /// hundredths first, so that T is the double nearest its decimal value and a peak whose
  /// height is written with the same digits compares equal to it.
  double peakThreshold() const {
    const int hundredths = 1000 * peakThresholdTens + 100 * peakThresholdUnits +
                           10 * peakThresholdTenths + peakThresholdHundredths;
    return hundredths / 100.0;
  }
};

/// The four spin edits of the peak-height threshold 'PksThr'.
enum class PeakThresholdDigit {
  Tens,        // SpinEdit6
  Units,       // SpinEdit27
  Tenths,      // SpinEdit28
  Hundredths,  // SpinEdit29
};

/// Which inputs of the editing modes are shown.
struct ModeInputsVisibility {
  bool element = false;      // SpinEdit20, Edit5
  bool renumbering = false;  // Edit6, SpinEdit21, CheckBox37
  bool hfix = false;         // SpinEdit22, SpinEdit23
  bool dfix = false;         // Edit9, Edit10
  bool part = false;         // SpinEdit24
  bool dang = false;         // Edit9 alone: the DANG distance
  bool esds = false;         // RestraintEsds
  friend bool operator==(const ModeInputsVisibility&, const ModeInputsVisibility&) = default;
};

}  // namespace tavo::workbench
