// The View menu and its pop-up menu, the view controls (zoom, slab, rotation and shift spin
// edits and track bars), the 'Bonds/Peaks Thresholds' panel and the distance list.
#pragma once

#include "editing/pointer_event.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"

namespace tavo::workbench {

class ExpansionCommands;

/// The "Interatomic Distances" window (TForm12): the connections of the last bond detection.
struct DistanceListWindow {
  bool visible = false;
  text::TextGrid grid;  // refilled after every detection while the window is shown
};

/// Shown when DispBond is checked before "Distance" has picked two atoms.
inline constexpr std::string_view selectTwoAtomsMessage =
    "You should select the two atoms using \"Distance\"!";

/// The commands of the view; each control value is clamped to its control's range.
class ViewCommands {
 public:
  explicit ViewCommands(CommandContext context);
  ViewCommands(const ViewCommands&) = delete;
  ViewCommands& operator=(const ViewCommands&) = delete;

  // View menu and the view pop-up menu.
  void setDisplayFlag(DisplayFlag flag, bool on);
  void toggleDisplayFlag(DisplayFlag flag);
  bool displayFlag(DisplayFlag flag) const;
  void initializeViewItems();  // "Initialize View Items", F1
  void initGraph();            // 'InitGrph': modes and view reset
  /// 'InitBnds': bond detection again (the distance list follows), without a redraw.
  void initBonds();
  void showDistances();    // "Show Distances"
  void distancesClosed();  // the distance window was closed
  /// The paint surface got a new size in pixels: the picture is rescaled about the pane centre
  /// and redrawn; orientation, zoom and any expansion or packing stay as they are.
  void resizePane(int width, int height);

  // View controls; each clamps its value to the control's range and redraws.
  void setZoom(int value);                       // SpinEdit1
  void setZoomTrack(int position);               // TrackBar7
  void setSlab(int value);                       // SpinEdit11 and TrackBar8
  void setRotation(int axis, int degrees);       // SpinEdit2..4, axis 1..3
  void setRotationTrack(int axis, int degrees);  // TrackBar1..3, axis 1..3
  void setShift(int axis, int steps);            // SpinEdit8..10: steps of E·F/40000
  void setShiftTrack(int axis, int hundredths);  // TrackBar4..6: hundredths of the extent E
  void setShiftStepFactor(int value);            // SpinEdit32, F (no redraw)

  /// SpinEdit5 'BndThr': bond detection, then redraw.
  void setBondThreshold(int tenths);
  /// SpinEdit7 'PkBThr': bond detection, then redraw.
  void setPeakBondThreshold(int tenths);
  /// SpinEdit6, SpinEdit27..29 'PksThr': rewrites Edit8 with the threshold, then redraws.
  void setPeakThreshold(PeakThresholdDigit digit, int value);
  /// SpinEdit26: redraws with the new label size.
  void setLabelSize(int size);
  /// DispBond: the bond of the two "Distance" atoms; refused (with a message) before there are
  /// two.
  void setDistanceBondShown(bool on);

  const DistanceListWindow& distanceList() const { return m_distanceList; }
  /// The flags 'Expand' and 'Packing' run the searches of the symmetry views.
  void attachExpansion(ExpansionCommands& expansion) { m_expansion = &expansion; }

 private:
  CommandContext m_context;
  ExpansionCommands* m_expansion = nullptr;
  DistanceListWindow m_distanceList;
};

}  // namespace tavo::workbench
