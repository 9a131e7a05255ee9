// The values of the main window's hidden state controls, with their defaults and ranges.
#pragma once

#include <string>

namespace tavo::workbench {

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
  int zoom = 100;                         // SpinEdit1, 0..300; TrackBar7 (0..200) mirrors it
  int rotationX = 0;                      // SpinEdit2, -360..360
  int rotationY = 0;                      // SpinEdit3, -360..360
  int rotationZ = 0;                      // SpinEdit4, -360..360
  int shiftX = 0;                         // SpinEdit8, -1000..1000
  int shiftY = 0;                         // SpinEdit9, -1000..1000
  int shiftZ = 0;                         // SpinEdit10, -1000..1000
  int rotationTrackX = 0;                 // TrackBar1, -180..180
  int rotationTrackY = 0;                 // TrackBar2, -180..180
  int rotationTrackZ = 0;                 // TrackBar3, -180..180
  int shiftTrackX = 0;                    // TrackBar4, -200..200, hundredths of the extent
  int shiftTrackY = 0;                    // TrackBar5, -200..200
  int shiftTrackZ = 0;                    // TrackBar6, -200..200
  int slab = 20;                          // SpinEdit11, 1..100; TrackBar8 mirrors it
  int shiftStepFactor = 100;              // SpinEdit32, 1..300
  int labelSize = 6;                      // SpinEdit26, 1..50
  int bondThreshold = 11;                 // SpinEdit5 'BndThr', 1..20, tenths
  int peakBondThreshold = 11;             // SpinEdit7 'PkBThr', 1..20, tenths
  int peakThresholdTens = 0;              // SpinEdit6 'PksThr', 0..100
  int peakThresholdUnits = 0;             // SpinEdit27, 0..9
  int peakThresholdTenths = 0;            // SpinEdit28, 0..9
  int peakThresholdHundredths = 0;        // SpinEdit29, 0..9
  std::string peakThresholdText = "0.0";  // Edit8 (e/A3), read-only
  int symmetryCode = 0;                   // SpinEdit19 'Symmetry Code', 0..32

  // Inputs of the editing modes.
  int elementNumber = 1;  // SpinEdit20, 1..elementCount
  int elementNumberMax = 1;
  std::string elementSymbol = "Atm";  // Edit5
  int firstNumber = 1;                // SpinEdit21, 1..firstNumberMax
  int firstNumberMax = 1;
  std::string elementCountText;  // Edit6, read-only
  bool useLetters = false;       // CheckBox37 "ABC"
  int hfixM = 4;                 // SpinEdit22, 1..16
  int hfixN = 3;                 // SpinEdit23, 1..9
  int partNumber = 0;            // SpinEdit24, 0..100
  std::string dfixDistance;      // Edit9
  std::string dfixEsd = "0.03";  // Edit10
  int alignAxis = 1;             // SpinEdit30, 1..3 ("X axis", "Y axis", "Z axis")
  int alignSense = 1;            // SpinEdit31, 0..1 ("Negative", "Positive")

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
  Tens,        // SpinEdit6, 0..100
  Units,       // SpinEdit27, 0..9
  Tenths,      // SpinEdit28, 0..9
  Hundredths,  // SpinEdit29, 0..9
};

/// Which inputs of the editing modes are shown.
struct ModeInputsVisibility {
  bool element = false;      // SpinEdit20, Edit5
  bool renumbering = false;  // Edit6, SpinEdit21, CheckBox37
  bool hfix = false;         // SpinEdit22, SpinEdit23
  bool dfix = false;         // Edit9, Edit10
  bool part = false;         // SpinEdit24
  friend bool operator==(const ModeInputsVisibility&, const ModeInputsVisibility&) = default;
};

}  // namespace tavo::workbench
