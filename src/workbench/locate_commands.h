// The locating tool: the atom menu's "Locate", its set-up, the window 'Locating an Atom, Atoms,
// or a Group' (TForm28) with the reading of group files and the placing of an atom with vectors,
// and the window 'Define the Distance?' (TForm34) of Cartesian imports.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/locating.h"
#include "formats/group_file.h"
#include "model/atom_ref.h"
#include "model/vec3.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/locate_requests.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

class AtomEditCommands;
class ModeCommands;
class ViewCommands;

/// 'Locating an Atom, Atoms, or a Group' (TForm28).
struct LocateWindow {
  /// Columns of the four lists: the label, the kind ("1" non-H atom, "2" H atom), the index.
  enum Column : int { Label = 0, Kind, Index };
  bool visible = false;
  text::TextGrid atoms{0, 3};  // StringGrid1 "List of atoms"
  /// StringGrid2..4, the centroid lists Grvty0 (Origin), Grvty1 (Mid(1)), Grvty2 (Mid(2)); each
  /// has at least one row, an empty list one row of empty cells.
  std::array<text::TextGrid, 3> centroids{text::TextGrid(1, 3), text::TextGrid(1, 3),
                                          text::TextGrid(1, 3)};
  int clickedAtomRow = 0;                   // the row of "List of atoms" last clicked
  std::array<int, 3> clickedCentroidRow{};  // the row of each centroid list last clicked
  std::array<bool, 3> centroidChecked{};    // CheckBox7..9 "Grvty0", "Grvty1", "Grvty2"
  bool readFileChecked = false;             // CheckBox5 "Read_A_File"
  bool vectorsChecked = false;              // CheckBox6 "Locate with Vectors"
  bool vectorControlsEnabled = false;       // the lists, Grvty boxes, Edit2, Edit5, SpinEdit20
  std::array<bool, 5> hOptionsChecked{};    // CheckBox1..4, CheckBox10
  std::string vectorLength;                 // Edit2 "Vector_Length (A) ="
  int elementNumber = 1;                    // SpinEdit20, 1..elementNumberMax
  int elementNumberMax = 1;
  std::string elementSymbol;      // Edit5
  std::string hDistance{"0.95"};  // Edit1 "X-H (A) =", not read
};

/// 'Define the Distance?' (TForm34).
struct DistanceWindow {
  bool visible = false;
  std::string center;     // atm_center: the located atom's label
  std::string connected;  // atm_connected: its one neighbour's label
  std::string distance;   // con_dist "Connecting Distance (A) ="
};

/// The captions of the five H options (CheckBox1..4, CheckBox10).
inline constexpr std::array<const char*, 5> locateHOptionCaptions = {
    "Locate 1H (sp2)", "Locate 1H (sp3)", "Locate 2Hs (sp2)", "Locate 2Hs (sp3)",
    "Locate 3Hs (sp3)"};

/// Shown when a group file has more atom lines than the fragment lists hold.
std::string groupTooLargeMessage(int atomLines, int frgMax);

class LocateCommands final : public LocateRequests {
 public:
  explicit LocateCommands(CommandContext context);
  void attachModes(ModeCommands& modes) { m_modes = &modes; }
  void attachAtomEdits(AtomEditCommands& edits) { m_atomEdits = &edits; }
  void attachView(ViewCommands& view) { m_view = &view; }

  const LocateWindow& window() const { return m_window; }
  const DistanceWindow& distanceWindow() const { return m_distance; }
  /// The located atom of the last set-up (None before one).
  model::AtomRef located() const { return m_located; }
  /// The atoms made by the last use of the tool, entry 1 first.
  const std::vector<model::AtomRef>& fragment() const { return m_fragment; }

  /// Locate1Click: the atom menu's "Locate" on the last picked entry. For a Cartesian import
  /// whose located atom has exactly one bonded neighbour, 'Define the Distance?' is shown first.
  void locateFromAtomMenu() override;
  /// SetupLocateClick: fills TForm28 for Selection entry 1 (the located atom), centres the view
  /// on it (after the defined bond length and the turn of its bond onto -X, for the set-up it
  /// was defined for) and shows the window with the Locate mode on.
  void setupLocate() override;

  // 'Define the Distance?'.
  void setDistanceText(std::string text) { m_distance.distance = std::move(text); }
  /// "Apply": the set-up with the typed bond length. ConversionError for a text that is not a
  /// number, UserError for one that is not positive.
  void applyDistance();
  /// "Cancel": the modes and view reset, Rotate, the window hidden; the distance is forgotten.
  void cancelDistance();

  // 'Locating an Atom, Atoms, or a Group'.
  /// "Cancel": the modes and view reset, Rotate, the window hidden.
  void cancel();
  /// "Read_A_File" checked: the open dialog in the groups folder (fragments for a Cartesian
  /// import), then readGroupFile.
  void readGroupByDialog();
  /// Places the group of `file` on the located atom as one undoable edit and leaves it selected
  /// in the Adjust mode. Everything is checked first (numbers, element symbols, frg_max, the
  /// SFAC and UNIT cards an element would be added to): a refused file changes nothing.
  void readGroupFile(const std::filesystem::path& file);
  /// "Locate with Vectors" checked: the H options off, the vector controls on.
  void checkVectors(bool on);
  /// "Grvty0".."Grvty2" (list 0..2) checked: the other two unchecked.
  void checkCentroidList(int list, bool on);
  /// One of the five H options (0..4) checked, or the H box's "Apply": not available.
  void checkHOption(int option);
  void applyH();
  void clickAtomRow(int row);
  /// G1: the row goes to the checked centroid list (Grvty0 with a message when none is).
  void doubleClickAtomRow(int row);
  void clickCentroidRow(int list, int row);
  /// G2: the row leaves the list.
  void doubleClickCentroidRow(int list, int row);
  /// G3: SpinEdit20 of the window, mirrored into the main window's element inputs.
  void setElementNumber(int number);
  void setVectorLength(std::string text) { m_window.vectorLength = std::move(text); }
  /// Button1 "Apply": a new atom `Vector_Length` from the Grvty0 centroid in the direction from
  /// the Grvty1 centroid to the Grvty2 centroid, as one undoable edit. ConversionError for a
  /// length that is not a number, UserError when the two centroids coincide.
  void applyVectors();

  /// The window 'Locating an Atom, Atoms, or a Group' (TForm28), declared: its controls bound
  /// to these commands; "Locate LABEL" is the atom menu's Locate on that entry.
  WindowDeclaration declareWindow();
  /// What the window shows, as lines: its four lists and its fields.
  std::vector<std::string> printLines() const;

 private:
  /// One distance defined for one set-up.
  struct DefinedDistance {
    model::AtomRef center;
    model::AtomRef neighbour;
    double distanceA = 0;  // as measured, rounded to four decimals
  };

  /// The sections of Apply for the current mode, without a step of their own (the locating
  /// edit records one step), and the element recount.
  void runApply();
  /// The Name section on the one peak or atom `ref` with element `element`; returns the entry
  /// it made (`ref` itself when no atom was made).
  model::AtomRef nameOne(model::AtomRef ref, int element);
  /// The elements of the origin and of every atom line in order; empty when one is unknown.
  std::optional<std::vector<editing::GroupElement>> findGroupElements(
      const formats::GroupFile& group) const;
  /// Adds the elements new to SFAC to the element table and the SFAC and UNIT cards.
  void addToSfac(std::vector<editing::GroupElement>& elements);
  /// Names the origin and places the atom lines; returns the atoms of the group.
  std::vector<model::AtomRef> placeGroup(const formats::GroupFile& group,
                                         const std::vector<editing::GroupElement>& elements);
  void fillAtomList();
  void moveAlongBond(const DefinedDistance& defined, double distanceA);
  void resetModesAndRotate();
  /// UserError while symmetry copies are shown: the tool places atoms among the file's own.
  void requireFileEntriesOnly() const;
  void followEntriesMoved();

  CommandContext m_context;
  WorkbenchState& m_state;
  ModeCommands* m_modes = nullptr;
  AtomEditCommands* m_atomEdits = nullptr;
  ViewCommands* m_view = nullptr;
  LocateWindow m_window;
  DistanceWindow m_distance;
  std::optional<DefinedDistance> m_defined;
  model::AtomRef m_located;
  model::Vec3 m_locatedPosition;  // the view position of the located atom after the set-up
  std::vector<model::AtomRef> m_fragment;
};

/// 'Define the Distance?' (TForm34), declared.
WindowDeclaration declareDistanceWindow(LocateCommands& locate);

}  // namespace tavo::workbench
