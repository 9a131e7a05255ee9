// The mouse modes of the picture: their flags, menu items and captions, and the switch rules.
#pragma once

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace tavo::editing {

/// The editing modes a user can choose from the mode menu (PopupMenu3), in menu order.
/// Rotate is not one of them: it is a quasi-mode held in ModeFlags::rotate.
enum class MouseMode {
  Name,
  Renumber,
  Delete,
  Distance,
  DistAng,
  MemSelect,
  MemUnselc,
  AlignVec,
  CalcPlane,
  AngV1V2,
  MoveGroupDefine,
  MoveGroupDestination,
  Edit,
  Param,
  Adopt,
  Adjust,
  Anis,
  BeIso,
  Hfix,
  Part,
  Dfix,
  Sadi,
  Flat,
  Same,
  Delu,
  Bind,
  // Restraints of the refinement beyond the cards above.
  Rigu,
  Simu,
  Isor,
  Dang,
  Eadp,
  Exyz,
  // Modes without an item of the mode menu: the atom menu's "Center" sets Center for one Apply,
  // and the locating tool sets Locate.
  Center,
  Locate,
};

inline constexpr std::array<MouseMode, 32> allMouseModes = {MouseMode::Name,
                                                            MouseMode::Renumber,
                                                            MouseMode::Delete,
                                                            MouseMode::Distance,
                                                            MouseMode::DistAng,
                                                            MouseMode::MemSelect,
                                                            MouseMode::MemUnselc,
                                                            MouseMode::AlignVec,
                                                            MouseMode::CalcPlane,
                                                            MouseMode::AngV1V2,
                                                            MouseMode::MoveGroupDefine,
                                                            MouseMode::MoveGroupDestination,
                                                            MouseMode::Edit,
                                                            MouseMode::Param,
                                                            MouseMode::Adopt,
                                                            MouseMode::Adjust,
                                                            MouseMode::Anis,
                                                            MouseMode::BeIso,
                                                            MouseMode::Hfix,
                                                            MouseMode::Part,
                                                            MouseMode::Dfix,
                                                            MouseMode::Sadi,
                                                            MouseMode::Flat,
                                                            MouseMode::Same,
                                                            MouseMode::Delu,
                                                            MouseMode::Bind,
                                                            MouseMode::Rigu,
                                                            MouseMode::Simu,
                                                            MouseMode::Isor,
                                                            MouseMode::Dang,
                                                            MouseMode::Eadp,
                                                            MouseMode::Exyz};

/// The caption of the mode's item in the mode menu ("Distances and Angles").
std::string_view menuCaption(MouseMode mode);
/// The caption of the mode label shown instead of "Mouse Rotation" ("Dsitance").
std::string_view modeCaption(MouseMode mode);
/// The objectName of the mode's menu item ("Name1", "DistancesandAngles1").
std::string_view menuItemName(MouseMode mode);

/// The caption of the Rotate item and of the panel shown while Rotate is on.
inline constexpr std::string_view rotateMenuCaption = "Rotate";
inline constexpr std::string_view mouseRotationCaption = "Mouse Rotation";

/// The mode flags, the hidden "Mouse On Graphics" check boxes of the main window: at most one
/// editing mode is in force, and Rotate is on together with the editing mode that was in force
/// before Rotate was entered.
struct ModeFlags {
  std::optional<MouseMode> mode;  // the editing mode's check box (CheckBox5 ... AngV1V2)
  bool rotate = true;             // CheckBox10 "Rotate"

  bool is(MouseMode m) const { return mode == m; }
  bool isAnyOf(std::initializer_list<MouseMode> modes) const {
    return mode && std::find(modes.begin(), modes.end(), *mode) != modes.end();
  }
  /// CheckBox17 "MoveGrp": on with either group item (their own boxes are "Grp" and "Dst").
  bool moveGroup() const {
    return isAnyOf({MouseMode::MoveGroupDefine, MouseMode::MoveGroupDestination});
  }
  friend bool operator==(const ModeFlags&, const ModeFlags&) = default;
};

/// The flags a mode menu item leaves: its mode alone, Rotate off.
inline ModeFlags flagsFor(MouseMode mode) {
  return {mode, false};
}

}  // namespace tavo::editing
