// The space-group controls of the main window: the choice of a group and setting, the operator
// shown with its extra lattice translation, the group-move preview, and the symmetry a file
// brings when it is opened (its REM SPCG line, else its LATT and SYMM cards).
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "editing/group_move.h"
#include "geometry/space_groups.h"
#include "model/atom_ref.h"
#include "model/rem_spcg.h"
#include "workbench/command_context.h"
#include "workbench/control_values.h"

namespace tavo::workbench {

/// Where the symmetry in use came from, as tavo-cli reports it.
enum class SymmetrySource {
  RemSpcg,          // "REM SPCG": the file's REM SPCG line or the user's choice
  LattSymmMatched,  // "LATT/SYMM matched": a group of the table found from LATT and SYMM
  LattSymm,         // "LATT/SYMM": the operators of LATT and SYMM, no group of the table
};
std::string_view sourceText(SymmetrySource source);

inline constexpr ControlRange groupNumberRange{1, model::highestSpaceGroupNumber, 1};  // SpinEdit12
inline constexpr ControlRange translationRange{geometry::lowestTranslation,
                                               geometry::highestTranslation, 0};  // SpinEdit13..15

/// Shown when a choice cannot be recorded in the file.
inline constexpr std::string_view noLsLineForSpcgMessage =
    "The space group is not recorded in the file: REM SPCG goes above the L.S. or CGLS line, "
    "and the file has none.";

/// The commands of the space-group controls and the symmetry step of every load.
class SymmetryCommands {
 public:
  explicit SymmetryCommands(CommandContext context);
  SymmetryCommands(const SymmetryCommands&) = delete;
  SymmetryCommands& operator=(const SymmetryCommands&) = delete;

  /// The symmetry of a file just read: its REM SPCG line when it names a group (one message
  /// when the file's LATT and SYMM cards describe other operators), else the group of the table
  /// or spcg.inf whose operators the LATT and SYMM cards describe, chosen as the user would
  /// (REM SPCG inserted above L.S., no message), else the operators of the cards themselves.
  void afterRead();

  /// "Space Group" (Params menu): shows or hides the eight controls, then redraws.
  void toggleControls();
  /// SpinEdit12: the group number (1..300); runs the choice.
  void setGroupNumber(int number);
  /// SpinEdit17: the setting (1..the group's settings); runs the choice.
  void setSetting(int setting);
  /// SpinEdit16: the operator shown (1..opCount).
  void setOperatorNumber(int k);
  /// SpinEdit13..15 (axis 1..3): the extra lattice translation (-3..3).
  void setTranslation(int axis, int cells);

  const geometry::SpaceGroupControls& controls() const { return m_controls; }
  SymmetrySource source() const { return m_source; }
  /// Puts the previewed atoms back at their own positions and drops the pending group move.
  void dropGroupMovePreview();
  /// The operator and lattice translation shown (SpinEdit16, SpinEdit13..15).
  editing::GroupPlacement shownPlacement() const;
  /// Shows `placement` in the operator controls, which previews the group move.
  void showPlacement(const editing::GroupPlacement& placement);
  /// The entries that the pending group move shows moved: the Selection and its riding H atoms.
  const std::vector<model::AtomRef>& previewedMembers() const { return m_previewed; }
  /// The pending group move has become the model's: the flag goes, the view stays.
  void groupMoveCommitted();
  /// Run after every command: a pending preview whose Selection was changed or whose mode was
  /// left is put back (the move is "released"), and one that a view reset has wiped is dropped,
  /// so that the picture never shows positions the file will not get.
  void keepGroupMoveInStep();
  /// True when the last preview was released by a change of the Selection or the mode.
  bool groupMoveReleased() const { return m_released; }
  /// The group and setting of the table (or spcg.inf) whose operators are exactly `operators`.
  std::optional<geometry::SpaceGroupCatalogue::Match> findGroup(
      const std::vector<geometry::SeitzOperator>& operators) {
    return catalogue().find(operators);
  }
  /// Chooses group `number` in `setting` as the controls do (REM SPCG written).
  void chooseGroup(int number, int setting) {
    m_context.state.structure.symmetry.spaceGroupNumber = number;
    m_context.state.structure.symmetry.settingNumber = setting;
    choose();
  }

 private:
  void choose();
  /// Writes the REM SPCG line of the choice; `quiet`: no message when there is no L.S. line.
  void recordChoice(bool quiet);
  void showOperator();
  void previewGroupMove();
  /// True while every previewed entry is still drawn at its previewed position.
  bool previewShown() const;
  void chooseFromRemSpcg(const std::vector<geometry::SeitzOperator>& fileOperators);
  bool chooseFromLattSymm(const std::vector<geometry::SeitzOperator>& fileOperators);
  const geometry::SpaceGroupCatalogue& catalogue();

  CommandContext m_context;
  geometry::SpaceGroupControls m_controls;
  SymmetrySource m_source = SymmetrySource::LattSymm;
  std::optional<geometry::SpaceGroupCatalogue> m_catalogue;  // read once per program folder
  std::filesystem::path m_catalogueFolder;
  std::vector<model::AtomRef> m_previewed;           // atoms shown at their previewed positions
  std::vector<model::AtomRef> m_previewedSelection;  // the Selection the preview was made for
  bool m_released = false;
};

}  // namespace tavo::workbench
