// The state controls of the main window, laid over the paint surface under their given names.
#pragma once

#include <QString>

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QWidget;

namespace tavo::app {

/// The widgets only; MainWindow binds them to the Workbench. Every widget is a child of the
/// surface it is laid over and is positioned by `place`.
struct MainControls {
  // Along the bottom edge: the numeric view controls.
  QFrame* numericBar = nullptr;
  QSpinBox* zoom = nullptr;             // SpinEdit1
  std::array<QSpinBox*, 3> rotation{};  // SpinEdit2..4
  QSpinBox* slab = nullptr;             // SpinEdit11
  std::array<QSpinBox*, 3> shift{};     // SpinEdit8..10
  QSpinBox* shiftStepFactor = nullptr;  // SpinEdit32
  // The track bars shown instead by "Tracking Bars".
  QFrame* trackBar = nullptr;
  std::array<QSlider*, 3> rotationTrack{};     // TrackBar1..3
  std::array<QWidget*, 3> rotationTrackBox{};  // each rotation track bar with its caption
  std::array<QSlider*, 3> shiftTrack{};        // TrackBar4..6
  QSlider* zoomTrack = nullptr;                // TrackBar7
  QSlider* slabTrack = nullptr;                // TrackBar8

  // Top-right corner.
  QPushButton* hide = nullptr;      // 'Hide' / 'Show'
  QLabel* mouseRotation = nullptr;  // magenta panel 'Mouse Rotation'
  QLabel* modeCaption = nullptr;    // the mode label replacing it

  // The Apply panel under the corner.
  QFrame* applyPanel = nullptr;
  QPushButton* apply = nullptr;
  QPushButton* refine = nullptr;  // RefineButton: the menu item "Refine"
  QPushButton* clearSelection = nullptr;
  QPushButton* reSelect = nullptr;
  QPushButton* reverseSelect = nullptr;
  QPushButton* clearSelectionMemory = nullptr;  // SelMemClear: forgets the stashed Selection
  QPushButton* movePeaks = nullptr;
  QPushButton* updateGroupMove = nullptr;
  QPushButton* undoGroupMove = nullptr;
  QPushButton* reExpand = nullptr;
  QPushButton* rePack = nullptr;
  QPushButton* remove = nullptr;
  QSpinBox* alignAxis = nullptr;      // SpinEdit30
  QSpinBox* alignSense = nullptr;     // SpinEdit31
  QCheckBox* distanceBond = nullptr;  // DispBond: the bond of the two "Distance" atoms

  // The inputs of the editing modes (top-left).
  QFrame* modeInputs = nullptr;
  QSpinBox* elementNumber = nullptr;   // SpinEdit20
  QLineEdit* elementSymbol = nullptr;  // Edit5
  QLineEdit* newLabel = nullptr;       // NewLabel: the label Name gives, typed
  QSpinBox* firstNumber = nullptr;     // SpinEdit21
  QLineEdit* elementCount = nullptr;   // Edit6
  QCheckBox* useLetters = nullptr;     // CheckBox37 "ABC"
  QSpinBox* hfixM = nullptr;           // SpinEdit22
  QSpinBox* hfixN = nullptr;           // SpinEdit23
  QSpinBox* partNumber = nullptr;      // SpinEdit24
  QLineEdit* dfixDistance = nullptr;   // Edit9
  QLineEdit* dfixEsd = nullptr;        // Edit10
  QLineEdit* restraintEsds = nullptr;  // RestraintEsds (RIGU, SIMU, ISOR, DANG)

  // Expansion units.
  QSpinBox* symmetryUnit = nullptr;   // SpinEdit19
  QLineEdit* symmetryCode = nullptr;  // Edit4 'Symmetry Code'

  // The thresholds panel (F2).
  QFrame* thresholds = nullptr;                 // 'Bonds/Peaks Thresholds'
  QSpinBox* bondThreshold = nullptr;            // SpinEdit5 'BndThr'
  QSpinBox* peakBondThreshold = nullptr;        // SpinEdit7 'PkBThr'
  QSpinBox* peakThresholdTens = nullptr;        // SpinEdit6 'PksThr'
  QSpinBox* peakThresholdUnits = nullptr;       // SpinEdit27
  QSpinBox* peakThresholdTenths = nullptr;      // SpinEdit28
  QSpinBox* peakThresholdHundredths = nullptr;  // SpinEdit29
  QLineEdit* peakThresholdText = nullptr;       // Edit8
  QSpinBox* labelSize = nullptr;                // SpinEdit26

  // The maintenance view: the flags as check boxes.
  QGroupBox* mouseOnGraphics = nullptr;    // 'Mouse On Graphics', CheckBox5...
  QGroupBox* generalTreatments = nullptr;  // 'General Treatments', CheckBox1...
  QPushButton* initGraph = nullptr;        // 'InitGrph'
  QPushButton* initBonds = nullptr;        // 'InitBnds': bond detection, no redraw

  /// Builds every control as a child of `surface`, hidden where the window starts hidden.
  void build(QWidget* surface);
  /// Lays the visible panels along the edges of a surface of `width` x `height` pixels.
  void place(int width, int height);
  /// The check box named `objectName` in one of the two group boxes; null when absent.
  QCheckBox* flagBox(const QString& objectName) const;
};

}  // namespace tavo::app
