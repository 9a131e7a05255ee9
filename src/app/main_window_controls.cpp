// The main window's state controls: what a change of each forwards to the Workbench, and how
// each follows the Workbench's state.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>

#include <optional>

#include "app/main_window.h"
#include "app/paint_widget.h"
#include "app/qt_text.h"
#include "app/windows/file_list_window.h"
#include "app/windows/fixing_window.h"
#include "app/windows/formula_window.h"
#include "app/windows/grid_window.h"
#include "app/windows/parameter_windows.h"
#include "app/windows/peak_windows.h"
#include "app/windows/window_set.h"
#include "geometry/distance_list.h"
#include "workbench/control_table.h"

namespace tavo::app {

namespace {

using editing::ModeFlags;
using editing::MouseMode;
using workbench::ControlValues;
using workbench::DisplayFlag;
using workbench::DisplayFlags;
using workbench::PeakThresholdDigit;
using workbench::Workbench;

struct ModeBox {
  const char* objectName;
  std::optional<MouseMode> mode;  // none: "Rotate" (CheckBox10) and "MoveGrp" (CheckBox17)
};

constexpr std::string_view rotateBox = "CheckBox10";

const ModeBox modeBoxes[] = {
    {"CheckBox5", MouseMode::Name},
    {"CheckBox6", MouseMode::Renumber},
    {"CheckBox7", MouseMode::Delete},
    {"CheckBox8", MouseMode::Distance},
    {"CheckBox9", MouseMode::DistAng},
    {"CheckBox10", std::nullopt},
    {"CheckBox11", MouseMode::Hfix},
    {"CheckBox12", MouseMode::Anis},
    {"CheckBox13", MouseMode::Bind},
    {"CheckBox14", MouseMode::Dfix},
    {"CheckBox15", MouseMode::Sadi},
    {"CheckBox16", MouseMode::Flat},
    {"CheckBox17", std::nullopt},
    {"CheckBox18", MouseMode::MoveGroupDefine},
    {"CheckBox19", MouseMode::MoveGroupDestination},
    {"CheckBox20", MouseMode::Same},
    {"CheckBox21", MouseMode::Delu},
    {"CheckBox22", MouseMode::BeIso},
    {"CheckBox23", MouseMode::Param},
    {"CheckBox24", MouseMode::Center},
    {"CheckBox25", MouseMode::Locate},
    {"CheckBox26", MouseMode::Adjust},
    {"CheckBox27", MouseMode::MemSelect},
    {"CheckBox28", MouseMode::Part},
    {"CheckBox38", MouseMode::Adopt},
    {"CheckBox39", MouseMode::Edit},
    {"CheckBox41", MouseMode::MemUnselc},
    {"CheckBox42", MouseMode::AlignVec},
    {"CalcPlane", MouseMode::CalcPlane},
    {"AngV1V2", MouseMode::AngV1V2},
};

bool isChecked(const ModeBox& box, const ModeFlags& flags) {
  if (box.mode) return flags.is(*box.mode);
  return box.objectName == rotateBox ? flags.rotate : flags.moveGroup();
}

/// The mode a click on the box chooses: the items of the mode menu only.
std::optional<MouseMode> chosenBy(const ModeBox& box) {
  if (!box.mode || *box.mode == MouseMode::Center || *box.mode == MouseMode::Locate) return {};
  return box.mode;
}

struct DisplayBox {
  const char* objectName;
  bool DisplayFlags::*flag;
  std::optional<DisplayFlag> toggle;  // none: shown only ('LabAxes' follows 'ShowCell')
};

const DisplayBox displayBoxes[] = {
    {"CheckBox1", &DisplayFlags::showLabels, DisplayFlag::Labels},
    {"CheckBox2", &DisplayFlags::showHydrogens, DisplayFlag::Hydrogens},
    {"CheckBox3", &DisplayFlags::showPeaks, DisplayFlag::Peaks},
    {"CheckBox4", &DisplayFlags::expandConnections, DisplayFlag::ExpandConnections},
    {"CheckBox29", &DisplayFlags::showCell, DisplayFlag::Cell},
    {"CheckBox30", &DisplayFlags::labelAxes, std::nullopt},
    {"CheckBox31", &DisplayFlags::packingView, DisplayFlag::Packing},
    {"CheckBox32", &DisplayFlags::ellipse, DisplayFlag::Ellipse},
    {"CheckBox33", &DisplayFlags::stereo, DisplayFlag::Stereo},
    {"CheckBox34", &DisplayFlags::hideHydrogenLabels, DisplayFlag::HideHydrogenLabels},
    {"CheckBox35", &DisplayFlags::expandPeaks, DisplayFlag::ExpandPeaks},
    {"CheckBox36", &DisplayFlags::expandHydrogens, DisplayFlag::ExpandHydrogens},
    {"CheckBox40", &DisplayFlags::spotHydrogens, DisplayFlag::SpotHydrogens},
};

// Inputs that are plain values read by the modes: a change is stored, nothing else happens.
struct IntInput {
  QSpinBox* MainControls::*box;
  int ControlValues::*value;
};

const IntInput intInputs[] = {
    {&MainControls::firstNumber, &ControlValues::firstNumber},
    {&MainControls::hfixM, &ControlValues::hfixM},
    {&MainControls::hfixN, &ControlValues::hfixN},
    {&MainControls::partNumber, &ControlValues::partNumber},
    {&MainControls::alignAxis, &ControlValues::alignAxis},
    {&MainControls::alignSense, &ControlValues::alignSense},
};

// The spin edits of the thresholds panel whose change the Workbench carries out.
struct CommandInput {
  QSpinBox* MainControls::*box;
  int ControlValues::*value;
  void (*forward)(Workbench& bench, int value);
};

const CommandInput commandInputs[] = {
    {&MainControls::bondThreshold, &ControlValues::bondThreshold,
     [](Workbench& b, int v) { b.viewCommands().setBondThreshold(v); }},
    {&MainControls::peakBondThreshold, &ControlValues::peakBondThreshold,
     [](Workbench& b, int v) { b.viewCommands().setPeakBondThreshold(v); }},
    {&MainControls::peakThresholdTens, &ControlValues::peakThresholdTens,
     [](Workbench& b, int v) { b.viewCommands().setPeakThreshold(PeakThresholdDigit::Tens, v); }},
    {&MainControls::peakThresholdUnits, &ControlValues::peakThresholdUnits,
     [](Workbench& b, int v) { b.viewCommands().setPeakThreshold(PeakThresholdDigit::Units, v); }},
    {&MainControls::peakThresholdTenths, &ControlValues::peakThresholdTenths,
     [](Workbench& b, int v) { b.viewCommands().setPeakThreshold(PeakThresholdDigit::Tenths, v); }},
    {&MainControls::peakThresholdHundredths, &ControlValues::peakThresholdHundredths,
     [](Workbench& b, int v) {
       b.viewCommands().setPeakThreshold(PeakThresholdDigit::Hundredths, v);
     }},
    {&MainControls::labelSize, &ControlValues::labelSize,
     [](Workbench& b, int v) { b.viewCommands().setLabelSize(v); }},
};

struct TextInput {
  QLineEdit* MainControls::*field;
  std::string ControlValues::*value;
};

const TextInput textInputs[] = {
    {&MainControls::dfixDistance, &ControlValues::dfixDistance},
    {&MainControls::dfixEsd, &ControlValues::dfixEsd},
    {&MainControls::restraintEsds, &ControlValues::restraintEsds},
    {&MainControls::newLabel, &ControlValues::newLabel},
};

void setSpin(QSpinBox* box, int value) {
  if (box->value() == value) return;
  const QSignalBlocker quiet(box);
  box->setValue(value);
}

void setSlider(QSlider* bar, int value) {
  if (bar->value() == value) return;
  const QSignalBlocker quiet(bar);
  bar->setValue(value);
}

void setText(QLineEdit* field, const std::string& text) {
  const QString shown = toQString(text);
  if (field->text() != shown) field->setText(shown);
}

}  // namespace

void MainWindow::connectControls() {
  MainControls& c = m_controls;
  const auto onSpin = [this](QSpinBox* box, auto forward) {
    connect(box, &QSpinBox::valueChanged, this,
            [this, forward](int value) { m_bench.run([forward, value] { forward(value); }); });
  };
  const auto onSlider = [this](QSlider* bar, auto forward) {
    connect(bar, &QSlider::valueChanged, this,
            [this, forward](int value) { m_bench.run([forward, value] { forward(value); }); });
  };
  onSpin(c.zoom, [this](int v) { m_bench.viewCommands().setZoom(v); });
  onSlider(c.zoomTrack, [this](int v) { m_bench.viewCommands().setZoomTrack(v); });
  onSpin(c.slab, [this](int v) { m_bench.viewCommands().setSlab(v); });
  onSlider(c.slabTrack, [this](int v) { m_bench.viewCommands().setSlab(v); });
  onSpin(c.shiftStepFactor, [this](int v) { m_bench.viewCommands().setShiftStepFactor(v); });
  onSpin(c.elementNumber, [this](int v) { m_bench.modeCommands().setElementNumber(v); });
  for (int axis = 1; axis <= 3; ++axis) {
    onSpin(c.rotation[axis - 1],
           [this, axis](int v) { m_bench.viewCommands().setRotation(axis, v); });
    onSlider(c.rotationTrack[axis - 1],
             [this, axis](int v) { m_bench.viewCommands().setRotationTrack(axis, v); });
    onSpin(c.shift[axis - 1], [this, axis](int v) { m_bench.viewCommands().setShift(axis, v); });
    onSlider(c.shiftTrack[axis - 1],
             [this, axis](int v) { m_bench.viewCommands().setShiftTrack(axis, v); });
  }
  for (const IntInput& input : intInputs) {
    const IntInput in = input;
    connect(c.*in.box, &QSpinBox::valueChanged, this,
            [this, in](int value) { m_bench.controls().*in.value = value; });
  }
  for (const CommandInput& input : commandInputs) {
    const auto forward = input.forward;
    onSpin(c.*input.box, [this, forward](int v) { forward(m_bench, v); });
  }
  for (const TextInput& input : textInputs) {
    const TextInput in = input;
    connect(c.*in.field, &QLineEdit::textEdited, this,
            [this, in](const QString& text) { m_bench.controls().*in.value = toStd(text); });
  }
  connect(c.useLetters, &QCheckBox::toggled, this,
          [this](bool on) { m_bench.controls().useLetters = on; });
  connect(c.hide, &QPushButton::clicked, this,
          [this] { runMode(&workbench::ModeCommands::showHide); });
  connect(c.apply, &QPushButton::clicked, this,
          [this] { runMode(&workbench::ModeCommands::apply); });
  connect(c.refine, &QPushButton::clicked, this,
          [this] { m_bench.run(workbench::CommandId::Refine); });
  connect(c.clearSelection, &QPushButton::clicked, this,
          [this] { runMode(&workbench::ModeCommands::clearSelection); });
  connect(c.reSelect, &QPushButton::clicked, this,
          [this] { runMode(&workbench::ModeCommands::reSelect); });
  connect(c.reverseSelect, &QPushButton::clicked, this,
          [this] { runMode(&workbench::ModeCommands::reverseSelect); });
  connect(c.initGraph, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.viewCommands().initGraph(); }); });
  // The controls scripts also reach run the row of their objectName in the controls table.
  const auto byName = [this](const QObject* widget, std::string value) {
    m_bench.run([this, name = toStd(widget->objectName()), value] {
      workbench::setControl(m_bench, name, value);
    });
  };
  for (QPushButton* pressed : {c.initBonds, c.clearSelectionMemory}) {
    connect(pressed, &QPushButton::clicked, this, [byName, pressed] { byName(pressed, "1"); });
  }
  connect(c.distanceBond, &QCheckBox::toggled, this,
          [byName, box = c.distanceBond](bool on) { byName(box, on ? "1" : "0"); });
  connect(c.movePeaks, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.peaks().movePeaks(); }); });
  connect(c.updateGroupMove, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.groupMove().commitMove(); }); });
  connect(c.undoGroupMove, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.groupMove().dropMove(); }); });
}

void MainWindow::connectWindows() {
  FileListWindow* files = m_windows->fileList();
  connect(files, &FileListWindow::fileClicked, this, [this](const QString& name) {
    m_bench.run([this, name] { m_bench.fileCommands().selectInFileList(toStd(name)); });
  });
  connect(files, &FileListWindow::fileDoubleClicked, this, [this](const QString& name) {
    m_bench.run([this, name] { m_bench.fileCommands().openFromFileList(toStd(name)); });
  });
  connect(m_windows->distanceList(), &AuxiliaryWindow::closed, this, [this] {
    m_bench.viewCommands().distancesClosed();
    m_windows->forgetShown(m_windows->distanceList());
  });
}

void MainWindow::connectFlagBoxes() {
  for (const ModeBox& entry : modeBoxes) {
    QCheckBox* box = m_controls.flagBox(QString::fromLatin1(entry.objectName));
    const std::optional<MouseMode> mode = chosenBy(entry);
    const bool isRotate = entry.objectName == rotateBox;
    connect(box, &QCheckBox::clicked, this, [this, mode, isRotate] {
      if (mode)
        m_bench.run([this, mode] { m_bench.modeCommands().chooseMode(*mode); });
      else if (isRotate)
        runMode(&workbench::ModeCommands::chooseRotate);
      else
        stateChanged();  // a sub-flag follows its mode; show the state back
    });
  }
  for (const DisplayBox& entry : displayBoxes) {
    QCheckBox* box = m_controls.flagBox(QString::fromLatin1(entry.objectName));
    const std::optional<DisplayFlag> toggle = entry.toggle;
    box->setEnabled(toggle.has_value());
    if (!toggle) continue;
    connect(box, &QCheckBox::clicked, this, [this, toggle](bool on) {
      m_bench.run([this, toggle, on] { m_bench.viewCommands().setDisplayFlag(*toggle, on); });
    });
  }
}

void MainWindow::refreshFlagBoxes() {
  for (const ModeBox& entry : modeBoxes) {
    m_controls.flagBox(QString::fromLatin1(entry.objectName))
        ->setChecked(isChecked(entry, m_bench.modes()));
  }
  for (const DisplayBox& entry : displayBoxes) {
    m_controls.flagBox(QString::fromLatin1(entry.objectName))
        ->setChecked(m_bench.display().*entry.flag);
  }
}

void MainWindow::refreshPanels() {
  const workbench::MainWindowState& state = m_bench.window();
  const workbench::DisplayFlags& display = m_bench.display();
  MainControls& c = m_controls;
  c.mouseRotation->setVisible(state.mouseRotationPanelVisible);
  c.modeCaption->setText(toQString(state.modeCaption));
  c.modeCaption->setVisible(!state.mouseRotationPanelVisible);
  c.applyPanel->setVisible(state.applyPanelVisible);
  c.hide->setText(toQString(state.showHideCaption));
  c.numericBar->setVisible(display.numericalPositions);
  c.trackBar->setVisible(display.trackingBars);
  for (size_t axis = 0; axis < 3; ++axis) {
    c.rotationTrackBox[axis]->setVisible(!state.rotateItemChecked);
    c.rotationTrack[axis]->setEnabled(state.rotationTrackBarsEnabled);
  }
  c.trackBar->adjustSize();
  c.elementNumber->setVisible(state.inputs.element);
  c.elementSymbol->setVisible(state.inputs.element);
  c.newLabel->setVisible(state.checkedModeItem == editing::MouseMode::Name);
  for (QWidget* each :
       std::initializer_list<QWidget*>{c.elementCount, c.firstNumber, c.useLetters}) {
    each->setVisible(state.inputs.renumbering);
  }
  c.hfixM->setVisible(state.inputs.hfix);
  c.hfixN->setVisible(state.inputs.hfix);
  c.dfixDistance->setVisible(state.inputs.dfix || state.inputs.dang);
  c.dfixEsd->setVisible(state.inputs.dfix);
  c.restraintEsds->setVisible(state.inputs.esds);
  c.partNumber->setVisible(state.inputs.part);
  const bool anyInput = state.inputs != workbench::ModeInputsVisibility{};
  c.modeInputs->setVisible(anyInput);
  if (anyInput) c.modeInputs->adjustSize();
}

void MainWindow::refreshControlValues() {
  const ControlValues& v = m_bench.controls();
  MainControls& c = m_controls;
  setSpin(c.zoom, v.zoom);
  setSlider(c.zoomTrack, v.zoom);
  setSpin(c.slab, v.slab);
  setSlider(c.slabTrack, v.slab);
  const std::array<int, 3> rotations = {v.rotationX, v.rotationY, v.rotationZ};
  const std::array<int, 3> rotationTracks = {v.rotationTrackX, v.rotationTrackY, v.rotationTrackZ};
  const std::array<int, 3> shifts = {v.shiftX, v.shiftY, v.shiftZ};
  const std::array<int, 3> shiftTracks = {v.shiftTrackX, v.shiftTrackY, v.shiftTrackZ};
  for (size_t axis = 0; axis < 3; ++axis) {
    setSpin(c.rotation[axis], rotations[axis]);
    setSlider(c.rotationTrack[axis], rotationTracks[axis]);
    setSpin(c.shift[axis], shifts[axis]);
    setSlider(c.shiftTrack[axis], shiftTracks[axis]);
  }
  setSpin(c.shiftStepFactor, v.shiftStepFactor);
  {
    const QSignalBlocker quiet(c.elementNumber);
    c.elementNumber->setRange(1, std::max(1, v.elementNumberMax));
    c.elementNumber->setValue(v.elementNumber);
  }
  {
    const QSignalBlocker quiet(c.firstNumber);
    c.firstNumber->setRange(1, std::max(1, v.firstNumberMax));
  }
  for (const IntInput& input : intInputs)
    setSpin(c.*input.box, v.*input.value);
  for (const CommandInput& input : commandInputs)
    setSpin(c.*input.box, v.*input.value);
  for (const TextInput& input : textInputs)
    setText(c.*input.field, v.*input.value);
  setText(c.elementSymbol, v.elementSymbol);
  setText(c.elementCount, v.elementCountText);
  setText(c.peakThresholdText, v.peakThresholdText);
  {
    const QSignalBlocker quiet(c.useLetters);
    c.useLetters->setChecked(v.useLetters);
  }
  // A refused DispBond (no two "Distance" atoms yet) is unchecked again.
  const QSignalBlocker quiet(c.distanceBond);
  c.distanceBond->setChecked(m_bench.state().showDistanceBond);
}

void MainWindow::refreshWindows() {
  m_windows->refresh([this](AuxiliaryWindow& window, const workbench::WindowDeclaration& d) {
    placeWindow(window, d);
  });
}

void MainWindow::placeWindow(AuxiliaryWindow& window, const workbench::WindowDeclaration& d) {
  using workbench::Placement;
  if (d.placement == Placement::AsCreated) return;
  if (d.placement == Placement::AtPoint) {
    // Below the point of the picture it belongs to (a click), centred on it.
    const auto [x, y] = d.atPoint();
    const QPoint at = m_paint->mapToGlobal(QPoint(x, y));
    window.move(at.x() - window.width() / 2, at.y());
    return;
  }
  if (d.placement == Placement::Help) {
    window.placeAsHelpOver(*this, m_paint->height());
    return;
  }
  const QSize size = window.preferredSize(this->size(), m_paint->height());
  if (d.placement == Placement::BesidePicture) {
    window.resize(size);
    window.placeBesidePicture(*this, *m_surface);
  } else {
    window.resize(size);
    window.placeCentredOver(*this);
  }
}

}  // namespace tavo::app
