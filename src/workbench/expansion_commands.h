// The expansion and packing views: Expand and Packing on and off, the yellow unit spin and its
// 'Symmetry Code' field, 'ReExp', 'RePck' and 'Remove', the "Wait!" window and the
// 'Packing View Range' window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/expansion.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

inline constexpr std::string_view noConnectionText = "No Connection Detected!";
inline constexpr std::string_view packingViewText = "Packing View";
/// Shown after the unit count.
inline constexpr std::string_view unitsConnectedMessage =
    " Units Connected!  Change the Yellow SpinButton!";
inline constexpr std::string_view unitsAddedMessage =
    " Units Added!  Change the Yellow SpinButton for Information!";

/// The "Wait!" window (TForm21), shown while a search runs, with how far it has come.
struct WaitWindow {
  bool visible = false;
  int done = 0;   // operators searched
  int total = 0;  // operators to search
};

/// Implemented by the window that shows the "Wait!" window: told of every change, so that it
/// can show the progress and keep the program responsive during a long search.
class WaitWindowPort {
 public:
  virtual ~WaitWindowPort() = default;
  virtual void waitChanged(const WaitWindow& window) = 0;
};

/// The unit controls of the main window.
struct SymmetryUnitControls {
  bool buttonsVisible = true;        // 'ReExp', 'RePck', 'Remove'
  bool unitControlsVisible = false;  // SpinEdit19 and Edit4
  int unitMax = 0;                   // the upper bound of SpinEdit19 (the lower one is 0)
  std::string codeText;              // Edit4 'Symmetry Code'
};

/// The 'Packing View Range' window (TForm14); its fields and spins are the packing range of the
/// view frame.
struct PackingRangeWindow {
  bool visible = false;
};

/// The commands of the symmetry views. A search that fails leaves the view as it was.
class ExpansionCommands {
 public:
  explicit ExpansionCommands(CommandContext context);
  ExpansionCommands(const ExpansionCommands&) = delete;
  ExpansionCommands& operator=(const ExpansionCommands&) = delete;

  /// CheckBox4Click, 'Expand', "Expand Connections" (Ctrl+A): the expansion search on or off.
  void setExpandConnections(bool on);
  /// CheckBox31Click, 'Packing', "Packing View" (Ctrl+P): the packing search on or off.
  void setPackingView(bool on);
  /// SpinEdit19Change: the copies of units 1..value shown (0: none), clamped to the unit list.
  void showUnitsUpTo(int value);
  /// ReExp1Click, "ReExp": the last expansion's unit list read back and its first unit shown.
  void restoreExpansion();
  /// RePck1Click, "RePck": the last packing's unit list read back and every unit shown.
  void restorePacking();
  /// Remove1Click, "Remove": the symmetry copies dropped (the view switched off first).
  void removeCopies();

  // The 'Packing View Range' window.
  void showPackingRange();  // "Packing View Range" (Preferences)
  void exitPackingRange();  // its "Exit": hides it and redraws
  /// Field `field` (1..6 for Edit1..Edit6) typed into.
  void setPackingBoundText(int field, std::string text);
  /// Spin `spin` (1..6 for SpinEdit1..SpinEdit6, -100..100): its field becomes value/10.
  void setPackingBoundSpin(int spin, int value);

  void setWaitPort(WaitWindowPort* port) { m_waitPort = port; }

  const std::vector<model::ExpansionOp>& units() const;
  int shownUnits() const { return m_shownUnits; }
  bool restoredFromExpandList() const { return m_reExpChk == 1; }   // ReExpChk
  bool restoredFromPackingList() const { return m_rePckChk == 1; }  // RePckChk
  /// The expansion is shown: by Expand, or brought back by 'ReExp' (the menu item's check).
  bool expansionShown() const;
  /// The packing is shown: by Packing, or brought back by 'RePck' (the menu item's check).
  bool packingShown() const;
  const SymmetryUnitControls& unitControls() const { return m_controls; }
  const WaitWindow& waitWindow() const { return m_wait; }
  const PackingRangeWindow& packingRangeWindow() const { return m_packingRange; }

 private:
  class Progress;
  void beginSearch(bool expand);
  void setUnits(std::vector<model::ExpansionOp> units);
  /// The common start of ReExp and RePck: reads the unit list of `fileName`, sets `check`, turns
  /// the naming modes off and keeps the list. Nothing when there is no list.
  std::optional<int> restoreUnitList(std::string_view fileName, int& check);
  void appendShownUnits(int shown);
  void showWait(bool visible, int total);
  void off();
  void copiesDropped();
  std::filesystem::path listFile(std::string_view name) const;
  /// Writes the unit list `name` unless the session writes no files; the failure's text, or "".
  std::string writeList(std::string_view name, const std::vector<model::ExpansionOp>& list) const;
  std::string codeOf(int unit) const;

  CommandContext m_context;
  geometry::ExpansionWorkspace m_workspace;
  WaitWindowPort* m_waitPort = nullptr;
  int m_shownUnits = 0;
  int m_reExpChk = 0;
  int m_rePckChk = 0;
  SymmetryUnitControls m_controls;
  WaitWindow m_wait;
  PackingRangeWindow m_packingRange;
};

/// "Packing View Range" (TForm14), declared: the bound fields Edit1..Edit6, their spins
/// SpinEdit1..SpinEdit6 and "Exit".
WindowDeclaration declarePackingRangeWindow(ExpansionCommands& expansion);

}  // namespace tavo::workbench
