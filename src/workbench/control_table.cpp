// The controls of the main window by objectName, each with the command its change runs.
#include "workbench/control_table.h"

#include <algorithm>
#include <array>
#include <string>

#include "text/errors.h"
#include "text/text.h"
#include "workbench/workbench.h"

namespace tavo::workbench {

namespace {

using IntSetter = void (*)(Workbench& bench, int value);

struct IntControl {
  std::string_view objectName;
  IntSetter set;
};

// Plain inputs that a mode reads later are stored in their range; the others run their command.
template <int ControlValues::*field, const ControlRange& range>
void store(Workbench& bench, int value) {
  bench.controls().*field = range.clamp(value);
}

const std::array<IntControl, 49> intControls = {{
    {"SpinEdit1", [](Workbench& b, int v) { b.viewCommands().setZoom(v); }},
    {"TrackBar7", [](Workbench& b, int v) { b.viewCommands().setZoomTrack(v); }},
    {"SpinEdit2", [](Workbench& b, int v) { b.viewCommands().setRotation(1, v); }},
    {"SpinEdit3", [](Workbench& b, int v) { b.viewCommands().setRotation(2, v); }},
    {"SpinEdit4", [](Workbench& b, int v) { b.viewCommands().setRotation(3, v); }},
    {"TrackBar1", [](Workbench& b, int v) { b.viewCommands().setRotationTrack(1, v); }},
    {"TrackBar2", [](Workbench& b, int v) { b.viewCommands().setRotationTrack(2, v); }},
    {"TrackBar3", [](Workbench& b, int v) { b.viewCommands().setRotationTrack(3, v); }},
    {"SpinEdit8", [](Workbench& b, int v) { b.viewCommands().setShift(1, v); }},
    {"SpinEdit9", [](Workbench& b, int v) { b.viewCommands().setShift(2, v); }},
    {"SpinEdit10", [](Workbench& b, int v) { b.viewCommands().setShift(3, v); }},
    {"TrackBar4", [](Workbench& b, int v) { b.viewCommands().setShiftTrack(1, v); }},
    {"TrackBar5", [](Workbench& b, int v) { b.viewCommands().setShiftTrack(2, v); }},
    {"TrackBar6", [](Workbench& b, int v) { b.viewCommands().setShiftTrack(3, v); }},
    {"SpinEdit11", [](Workbench& b, int v) { b.viewCommands().setSlab(v); }},
    {"TrackBar8", [](Workbench& b, int v) { b.viewCommands().setSlab(v); }},
    {"SpinEdit32", [](Workbench& b, int v) { b.viewCommands().setShiftStepFactor(v); }},
    {"SpinEdit5", [](Workbench& b, int v) { b.viewCommands().setBondThreshold(v); }},
    {"SpinEdit7", [](Workbench& b, int v) { b.viewCommands().setPeakBondThreshold(v); }},
    {"SpinEdit6",
     [](Workbench& b, int v) { b.viewCommands().setPeakThreshold(PeakThresholdDigit::Tens, v); }},
    {"SpinEdit27",
     [](Workbench& b, int v) { b.viewCommands().setPeakThreshold(PeakThresholdDigit::Units, v); }},
    {"SpinEdit28",
     [](Workbench& b, int v) { b.viewCommands().setPeakThreshold(PeakThresholdDigit::Tenths, v); }},
    {"SpinEdit29",
     [](Workbench& b, int v) {
       b.viewCommands().setPeakThreshold(PeakThresholdDigit::Hundredths, v);
     }},
    {"SpinEdit26", [](Workbench& b, int v) { b.viewCommands().setLabelSize(v); }},
    {"SpinEdit25", [](Workbench& b, int v) { b.preferences().setEllipsePair(v); }},
    {"SpinEdit20", [](Workbench& b, int v) { b.modeCommands().setElementNumber(v); }},
    {"SpinEdit21",
     [](Workbench& b, int v) {
       ControlValues& c = b.controls();
       c.firstNumber = ControlRange{1, std::max(c.firstNumberMax, 1), 1}.clamp(v);
     }},
    {"SpinEdit22", store<&ControlValues::hfixM, hfixMRange>},
    {"SpinEdit23", store<&ControlValues::hfixN, hfixNRange>},
    {"SpinEdit24", store<&ControlValues::partNumber, partNumberRange>},
    {"SpinEdit30", store<&ControlValues::alignAxis, alignAxisRange>},
    {"SpinEdit31", store<&ControlValues::alignSense, alignSenseRange>},
    {"SpinEdit19", [](Workbench& b, int v) { b.expansionCommands().showUnitsUpTo(v); }},
    // The buttons of the symmetry views: a non-zero value presses them.
    {"ReExp", [](Workbench& b, int v) { if (v != 0) b.expansionCommands().restoreExpansion(); }},
    {"RePck", [](Workbench& b, int v) { if (v != 0) b.expansionCommands().restorePacking(); }},
    {"Remove", [](Workbench& b, int v) { if (v != 0) b.expansionCommands().removeCopies(); }},
    {"CheckBox37", [](Workbench& b, int v) { b.controls().useLetters = v != 0; }},
    {"MovePks", [](Workbench& b, int v) { if (v != 0) b.peaks().movePeaks(); }},
    {"UpdtGMv", [](Workbench& b, int v) { if (v != 0) b.groupMove().commitMove(); }},
    {"UndoGMv", [](Workbench& b, int v) { if (v != 0) b.groupMove().dropMove(); }},
    {"DispBond", [](Workbench& b, int v) { b.viewCommands().setDistanceBondShown(v != 0); }},
    {"InitBnds", [](Workbench& b, int v) { if (v != 0) b.viewCommands().initBonds(); }},
    {"SelMemClear", [](Workbench& b, int v) { if (v != 0) b.modeCommands().clearWorkingGrid(); }},
    // The space-group controls.
    {"SpinEdit12", [](Workbench& b, int v) { b.symmetryCommands().setGroupNumber(v); }},
    {"SpinEdit17", [](Workbench& b, int v) { b.symmetryCommands().setSetting(v); }},
    {"SpinEdit16", [](Workbench& b, int v) { b.symmetryCommands().setOperatorNumber(v); }},
    {"SpinEdit13", [](Workbench& b, int v) { b.symmetryCommands().setTranslation(1, v); }},
    {"SpinEdit14", [](Workbench& b, int v) { b.symmetryCommands().setTranslation(2, v); }},
    {"SpinEdit15", [](Workbench& b, int v) { b.symmetryCommands().setTranslation(3, v); }},
}};

struct FlagBox {
  std::string_view objectName;
  DisplayFlag flag;
};

// The check boxes of 'General Treatments' that switch a display flag ('LabAxes' follows
// 'ShowCell' and is not set on its own).
constexpr std::array<FlagBox, 12> flagBoxes = {{
    {"CheckBox1", DisplayFlag::Labels},
    {"CheckBox2", DisplayFlag::Hydrogens},
    {"CheckBox3", DisplayFlag::Peaks},
    {"CheckBox4", DisplayFlag::ExpandConnections},
    {"CheckBox29", DisplayFlag::Cell},
    {"CheckBox31", DisplayFlag::Packing},
    {"CheckBox32", DisplayFlag::Ellipse},
    {"CheckBox33", DisplayFlag::Stereo},
    {"CheckBox34", DisplayFlag::HideHydrogenLabels},
    {"CheckBox35", DisplayFlag::ExpandPeaks},
    {"CheckBox36", DisplayFlag::ExpandHydrogens},
    {"CheckBox40", DisplayFlag::SpotHydrogens},
}};

struct TextControl {
  std::string_view objectName;
  std::string ControlValues::*field;
};

constexpr std::array<TextControl, 4> textControls = {{
    {"Edit9", &ControlValues::dfixDistance},
    {"Edit10", &ControlValues::dfixEsd},
    {"RestraintEsds", &ControlValues::restraintEsds},
    {"NewLabel", &ControlValues::newLabel},
}};

int switchValue(std::string_view value) {
  const std::string word = text::upper(value);
  if (word == "YES" || word == "ON" || word == "TRUE") return 1;
  if (word == "NO" || word == "OFF" || word == "FALSE") return 0;
  return text::parseInt(value);
}

}  // namespace

void setControl(Workbench& bench, std::string_view objectName, std::string_view value) {
  for (const IntControl& control : intControls) {
    if (control.objectName == objectName) {
      control.set(bench, switchValue(value));
      return;
    }
  }
  for (const FlagBox& box : flagBoxes) {
    if (box.objectName == objectName) {
      bench.viewCommands().setDisplayFlag(box.flag, switchValue(value) != 0);
      return;
    }
  }
  for (const TextControl& control : textControls) {
    if (control.objectName == objectName) {
      bench.controls().*control.field = std::string(value);
      return;
    }
  }
  throw UserError("There is no control named " + std::string(objectName) + " in the main window.");
}

}  // namespace tavo::workbench
