// Construction and placement of the main window's state controls.
#include "app/main_controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "workbench/control_values.h"

namespace tavo::app {

namespace {

struct NamedCaption {
  const char* objectName;
  const char* caption;
};

// The mode flags as check boxes of 'Mouse On Graphics'.
constexpr NamedCaption modeBoxes[] = {
    {"CheckBox5", "Name"},      {"CheckBox6", "Renumber"},   {"CheckBox7", "Delete"},
    {"CheckBox8", "Distance"},  {"CheckBox9", "Dist/Ang"},   {"CheckBox10", "Rotate"},
    {"CheckBox11", "HFIX"},     {"CheckBox12", "ANIS"},      {"CheckBox13", "BIND"},
    {"CheckBox14", "DFIX"},     {"CheckBox15", "SADI"},      {"CheckBox16", "FLAT"},
    {"CheckBox17", "MoveGrp"},  {"CheckBox18", "Grp"},       {"CheckBox19", "Dst"},
    {"CheckBox20", "SAME"},     {"CheckBox21", "DELU"},      {"CheckBox22", "BeISO"},
    {"CheckBox23", "PARAM"},    {"CheckBox24", "Center"},    {"CheckBox25", "Locate"},
    {"CheckBox26", "Adjust"},   {"CheckBox27", "MemSelect"}, {"CheckBox28", "PART"},
    {"CheckBox38", "Adopt"},    {"CheckBox39", "Edit"},      {"CheckBox41", "MemUnselc"},
    {"CheckBox42", "AlignVec"}, {"CalcPlane", "CalcPlane"},  {"AngV1V2", "AngV1V2"},
};

// The display flags as check boxes of 'General Treatments'.
constexpr NamedCaption displayBoxes[] = {
    {"CheckBox1", "ShowLab"},  {"CheckBox2", "Show Hs"},   {"CheckBox3", "ShowPks"},
    {"CheckBox4", "Expand"},   {"CheckBox29", "ShowCell"}, {"CheckBox30", "LabAxes"},
    {"CheckBox31", "Packing"}, {"CheckBox32", "Ellipse"},  {"CheckBox33", "Stereo"},
    {"CheckBox34", "HideHLb"}, {"CheckBox35", "PkExpOn"},  {"CheckBox36", "HExpOn"},
    {"CheckBox40", "View Hs"},
};

QSpinBox* spin(QWidget* parent, const char* name, const workbench::ControlRange& range) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(range.minimum, range.maximum);
  box->setValue(range.initial);
  box->setKeyboardTracking(false);  // a typed number takes effect once, not per digit
  return box;
}

QSlider* slider(QWidget* parent, const char* name, const workbench::ControlRange& range) {
  auto* bar = new QSlider(Qt::Horizontal, parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setRange(range.minimum, range.maximum);
  bar->setValue(range.initial);
  bar->setMinimumWidth(90);
  return bar;
}

QLineEdit* edit(QWidget* parent, const char* name, const char* text, int width) {
  auto* field = new QLineEdit(QString::fromLatin1(text), parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setFixedWidth(width);
  return field;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
  auto* result = new QPushButton(QString::fromLatin1(caption), parent);
  result->setObjectName(QString::fromLatin1(name));
  return result;
}

QFrame* panel(QWidget* surface, const char* name) {
  auto* frame = new QFrame(surface);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setAutoFillBackground(true);
  return frame;
}

void addLabelled(QBoxLayout* layout, const char* caption, QWidget* widget) {
  if (caption != nullptr) {
    layout->addWidget(new QLabel(QString::fromLatin1(caption), widget->parentWidget()));
  }
  layout->addWidget(widget);
}

QGroupBox* checkBoxGroup(QWidget* surface, const char* name, const char* caption,
                         const NamedCaption* boxes, int count, int columns) {
  auto* group = new QGroupBox(QString::fromLatin1(caption), surface);
  group->setObjectName(QString::fromLatin1(name));
  group->setAutoFillBackground(true);
  auto* grid = new QGridLayout(group);
  for (int i = 0; i < count; ++i) {
    auto* box = new QCheckBox(QString::fromLatin1(boxes[i].caption), group);
    box->setObjectName(QString::fromLatin1(boxes[i].objectName));
    grid->addWidget(box, i / columns, i % columns);
  }
  group->adjustSize();
  group->hide();
  return group;
}

}  // namespace

void MainControls::build(QWidget* surface) {
  numericBar = panel(surface, "NumericPositions");
  auto* numbers = new QHBoxLayout(numericBar);
  numbers->setContentsMargins(4, 2, 4, 2);
  zoom = spin(numericBar, "SpinEdit1", workbench::zoomRange);
  addLabelled(numbers, "Zoom", zoom);
  const char* rotationNames[] = {"SpinEdit2", "SpinEdit3", "SpinEdit4"};
  const char* rotationCaptions[] = {"RotX", "RotY", "RotZ"};
  for (int axis = 0; axis < 3; ++axis) {
    rotation[axis] = spin(numericBar, rotationNames[axis], workbench::rotationRange);
    addLabelled(numbers, rotationCaptions[axis], rotation[axis]);
  }
  slab = spin(numericBar, "SpinEdit11", workbench::slabRange);
  addLabelled(numbers, "Slab", slab);
  const char* shiftNames[] = {"SpinEdit8", "SpinEdit9", "SpinEdit10"};
  const char* shiftCaptions[] = {"ShiftX", "ShiftY", "ShiftZ"};
  for (int axis = 0; axis < 3; ++axis) {
    shift[axis] = spin(numericBar, shiftNames[axis], workbench::shiftRange);
    addLabelled(numbers, shiftCaptions[axis], shift[axis]);
  }
  shiftStepFactor = spin(numericBar, "SpinEdit32", workbench::shiftStepFactorRange);
  addLabelled(numbers, "Step", shiftStepFactor);
  numericBar->adjustSize();

  trackBar = panel(surface, "TrackingBars");
  auto* tracks = new QHBoxLayout(trackBar);
  tracks->setContentsMargins(4, 2, 4, 2);
  zoomTrack = slider(trackBar, "TrackBar7", workbench::zoomTrackRange);
  addLabelled(tracks, "Zoom", zoomTrack);
  const char* rotationTrackNames[] = {"TrackBar1", "TrackBar2", "TrackBar3"};
  for (int axis = 0; axis < 3; ++axis) {
    // Caption and bar in one box, so that hiding the bar (Rotate mode) hides its caption.
    rotationTrackBox[axis] = new QWidget(trackBar);
    auto* pair = new QHBoxLayout(rotationTrackBox[axis]);
    pair->setContentsMargins(0, 0, 0, 0);
    rotationTrack[axis] =
        slider(rotationTrackBox[axis], rotationTrackNames[axis], workbench::rotationTrackRange);
    addLabelled(pair, rotationCaptions[axis], rotationTrack[axis]);
    tracks->addWidget(rotationTrackBox[axis]);
  }
  slabTrack = slider(trackBar, "TrackBar8", workbench::slabRange);
  addLabelled(tracks, "Slab", slabTrack);
  const char* shiftTrackNames[] = {"TrackBar4", "TrackBar5", "TrackBar6"};
  for (int axis = 0; axis < 3; ++axis) {
    shiftTrack[axis] = slider(trackBar, shiftTrackNames[axis], workbench::shiftTrackRange);
    addLabelled(tracks, shiftCaptions[axis], shiftTrack[axis]);
  }
  trackBar->adjustSize();
  trackBar->hide();

  hide = button(surface, "ShowHide", "Hide");
  hide->setFixedSize(56, 26);
  mouseRotation = new QLabel(QStringLiteral("Mouse Rotation"), surface);
  mouseRotation->setObjectName(QStringLiteral("MouseRotation"));
  mouseRotation->setAlignment(Qt::AlignCenter);
  mouseRotation->setStyleSheet(QStringLiteral("background-color: magenta; color: black;"));
  mouseRotation->setFixedSize(120, 26);
  modeCaption = new QLabel(surface);
  modeCaption->setObjectName(QStringLiteral("ModeCaption"));
  modeCaption->setAlignment(Qt::AlignCenter);
  modeCaption->setStyleSheet(QStringLiteral("background-color: yellow; color: black;"));
  modeCaption->setFixedSize(120, 26);
  modeCaption->hide();

  applyPanel = panel(surface, "ApplyPanel");
  auto* applyColumn = new QVBoxLayout(applyPanel);
  applyColumn->setContentsMargins(4, 4, 4, 4);
  applyColumn->setSpacing(2);
  apply = button(applyPanel, "ApplyButton", "Apply");
  refine = button(applyPanel, "RefineButton", "Refine");
  refine->setToolTip(
      QStringLiteral("Save the .ins, run the refinement program and open the new .res (Ctrl+L)"));
  clearSelection = button(applyPanel, "ClearButton", "ClearSel");
  reSelect = button(applyPanel, "ReSelect", "ReSelect");
  reverseSelect = button(applyPanel, "ReverseSelect", "RvrsSlct");
  clearSelectionMemory = button(applyPanel, "SelMemClear", "SelMemClr");
  clearSelectionMemory->setToolTip(QStringLiteral("Forget the Selection kept while Rotate is on"));
  movePeaks = button(applyPanel, "MovePks", "MovePks");
  updateGroupMove = button(applyPanel, "UpdtGMv", "UpdtGMv");
  undoGroupMove = button(applyPanel, "UndoGMv", "UndoGMv");
  reExpand = button(applyPanel, "ReExp", "ReExp");
  rePack = button(applyPanel, "RePck", "RePck");
  remove = button(applyPanel, "Remove", "Remove");
  for (QPushButton* each :
       {apply, refine, clearSelection, reSelect, reverseSelect, clearSelectionMemory, movePeaks,
        updateGroupMove, undoGroupMove, reExpand, rePack, remove}) {
    applyColumn->addWidget(each);
  }
  alignAxis = spin(applyPanel, "SpinEdit30", workbench::alignAxisRange);
  alignAxis->setPrefix(QStringLiteral("Axis "));
  alignAxis->setToolTip(QStringLiteral("AlignVec: 1 = X axis, 2 = Y axis, 3 = Z axis"));
  alignSense = spin(applyPanel, "SpinEdit31", workbench::alignSenseRange);
  alignSense->setPrefix(QStringLiteral("Sense "));
  alignSense->setToolTip(QStringLiteral("AlignVec: 1 = Positive, 0 = Negative"));
  applyColumn->addWidget(alignAxis);
  applyColumn->addWidget(alignSense);
  distanceBond = new QCheckBox(QStringLiteral("DispBond"), applyPanel);
  distanceBond->setObjectName(QStringLiteral("DispBond"));
  distanceBond->setToolTip(QStringLiteral("Draw the bond between the two atoms of \"Distance\""));
  applyColumn->addWidget(distanceBond);
  applyPanel->adjustSize();

  modeInputs = panel(surface, "ModeInputs");
  auto* inputs = new QHBoxLayout(modeInputs);
  inputs->setContentsMargins(4, 2, 4, 2);
  elementNumber = spin(modeInputs, "SpinEdit20", {1, 1, 1});
  elementSymbol = edit(modeInputs, "Edit5", "Atm", 40);
  elementSymbol->setReadOnly(true);
  newLabel = edit(modeInputs, "NewLabel", "", 60);
  newLabel->setPlaceholderText(QStringLiteral("new label"));
  newLabel->setToolTip(
      QStringLiteral("The label the next Apply gives the first picked atom or peak; empty: the "
                     "element and the next free number"));
  elementCount = edit(modeInputs, "Edit6", "", 40);
  elementCount->setReadOnly(true);
  firstNumber = spin(modeInputs, "SpinEdit21", {1, 1, 1});
  useLetters = new QCheckBox(QStringLiteral("ABC"), modeInputs);
  useLetters->setObjectName(QStringLiteral("CheckBox37"));
  hfixM = spin(modeInputs, "SpinEdit22", workbench::hfixMRange);
  hfixN = spin(modeInputs, "SpinEdit23", workbench::hfixNRange);
  partNumber = spin(modeInputs, "SpinEdit24", workbench::partNumberRange);
  dfixDistance = edit(modeInputs, "Edit9", "", 60);
  dfixDistance->setPlaceholderText(QStringLiteral("distance"));
  dfixEsd = edit(modeInputs, "Edit10", "0.03", 50);
  restraintEsds = edit(modeInputs, "RestraintEsds", "", 110);
  restraintEsds->setPlaceholderText(QStringLiteral("esds: default"));
  restraintEsds->setToolTip(
      QStringLiteral("Optional numbers before the atoms: RIGU s1 s2, SIMU s st dmax, ISOR s st, "
                     "DANG s (the distance goes into the field on the left)"));
  for (QWidget* each : std::initializer_list<QWidget*>{
           elementNumber, elementSymbol, newLabel, elementCount, firstNumber, useLetters, hfixM,
           hfixN, partNumber, dfixDistance, dfixEsd, restraintEsds}) {
    inputs->addWidget(each);
    each->hide();
  }

  symmetryUnit = spin(surface, "SpinEdit19", workbench::symmetryCodeRange);
  symmetryUnit->setStyleSheet(QStringLiteral("background-color: yellow;"));
  symmetryUnit->hide();
  symmetryCode = edit(surface, "Edit4", "", 220);
  symmetryCode->setReadOnly(true);
  symmetryCode->setToolTip(QStringLiteral("Symmetry Code"));
  symmetryCode->hide();

  thresholds = panel(surface, "BondsPeaksThresholds");
  auto* limits = new QGridLayout(thresholds);
  limits->addWidget(new QLabel(QStringLiteral("Bonds/Peaks Thresholds"), thresholds), 0, 0, 1, 5);
  bondThreshold = spin(thresholds, "SpinEdit5", workbench::bondThresholdRange);
  peakBondThreshold = spin(thresholds, "SpinEdit7", workbench::bondThresholdRange);
  peakThresholdTens = spin(thresholds, "SpinEdit6", workbench::peakTensRange);
  peakThresholdUnits = spin(thresholds, "SpinEdit27", workbench::peakDigitRange);
  peakThresholdTenths = spin(thresholds, "SpinEdit28", workbench::peakDigitRange);
  peakThresholdHundredths = spin(thresholds, "SpinEdit29", workbench::peakDigitRange);
  peakThresholdText = edit(thresholds, "Edit8", "0.0", 60);
  peakThresholdText->setReadOnly(true);
  labelSize = spin(thresholds, "SpinEdit26", workbench::labelSizeRange);
  limits->addWidget(new QLabel(QStringLiteral("BndThr"), thresholds), 1, 0);
  limits->addWidget(bondThreshold, 1, 1);
  limits->addWidget(new QLabel(QStringLiteral("PkBThr"), thresholds), 1, 2);
  limits->addWidget(peakBondThreshold, 1, 3);
  // The four digits of the peak-height threshold on one row, tens first.
  limits->addWidget(new QLabel(QStringLiteral("PksThr"), thresholds), 2, 0);
  limits->addWidget(peakThresholdTens, 2, 1);
  limits->addWidget(peakThresholdUnits, 2, 2);
  limits->addWidget(peakThresholdTenths, 2, 3);
  limits->addWidget(peakThresholdHundredths, 2, 4);
  limits->addWidget(new QLabel(QStringLiteral("(e/A3)"), thresholds), 3, 0);
  limits->addWidget(peakThresholdText, 3, 1, 1, 2);
  limits->addWidget(new QLabel(QStringLiteral("Label size"), thresholds), 4, 0);
  limits->addWidget(labelSize, 4, 1);
  thresholds->adjustSize();
  thresholds->hide();

  mouseOnGraphics = checkBoxGroup(surface, "MouseOnGraphics", "Mouse On Graphics", modeBoxes,
                                  static_cast<int>(std::size(modeBoxes)), 3);
  generalTreatments = checkBoxGroup(surface, "GeneralTreatments", "General Treatments",
                                    displayBoxes, static_cast<int>(std::size(displayBoxes)), 2);
  initGraph = button(generalTreatments, "InitGrph", "InitGrph");
  initBonds = button(generalTreatments, "InitBnds", "InitBnds");
  static_cast<QGridLayout*>(generalTreatments->layout())->addWidget(initGraph, 7, 0);
  static_cast<QGridLayout*>(generalTreatments->layout())->addWidget(initBonds, 7, 1);
  generalTreatments->adjustSize();
}

void MainControls::place(int width, int height) {
  constexpr int margin = 4;
  hide->move(width - hide->width() - margin, margin);
  mouseRotation->move(hide->x() - mouseRotation->width() - margin, margin);
  modeCaption->move(mouseRotation->pos());
  applyPanel->move(width - applyPanel->width() - margin, hide->y() + hide->height() + margin);
  modeInputs->adjustSize();
  modeInputs->move(margin, margin);
  symmetryUnit->move(margin, modeInputs->y() + modeInputs->height() + margin);
  symmetryCode->move(symmetryUnit->x() + symmetryUnit->width() + margin, symmetryUnit->y());
  numericBar->move(0, height - numericBar->height());
  trackBar->move(0, height - trackBar->height());
}

QCheckBox* MainControls::flagBox(const QString& objectName) const {
  for (QGroupBox* group : {mouseOnGraphics, generalTreatments}) {
    if (auto* box = group->findChild<QCheckBox*>(objectName)) return box;
  }
  return nullptr;
}

}  // namespace tavo::app
