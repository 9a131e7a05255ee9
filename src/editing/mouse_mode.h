// The mouse modes of the picture: their flags, menu items and captions, and the switch rules.
#pragma once

#include <array>
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
};

inline constexpr std::array<MouseMode, 26> allMouseModes = {MouseMode::Name,
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
                                                            MouseMode::Bind};

/// The caption of the mode's item in the mode menu ("Distances and Angles").
std::string_view menuCaption(MouseMode mode);
/// The caption of the mode label shown instead of "Mouse Rotation" ("Dsitance").
std::string_view modeCaption(MouseMode mode);
/// The objectName of the mode's menu item ("Name1", "DistancesandAngles1").
std::string_view menuItemName(MouseMode mode);

/// The caption of the Rotate item and of the panel shown while Rotate is on.
inline constexpr std::string_view rotateMenuCaption = "Rotate";
inline constexpr std::string_view mouseRotationCaption = "Mouse Rotation";

/// The mode flags: the hidden "Mouse On Graphics" check boxes of the main window. After any
/// mode switch at most one editing flag is on; rotate is on together with the editing mode
/// that was in force before Rotate was entered.
struct ModeFlags {
  bool name = false;          // CheckBox5 "Name"
  bool renumber = false;      // CheckBox6 "Renumber"
  bool remove = false;        // CheckBox7 "Delete"
  bool distance = false;      // CheckBox8 "Distance"
  bool distAng = false;       // CheckBox9 "Dist/Ang"
  bool rotate = true;         // CheckBox10 "Rotate"
  bool hfix = false;          // CheckBox11 "HFIX"
  bool anis = false;          // CheckBox12 "ANIS"
  bool bind = false;          // CheckBox13 "BIND"
  bool dfix = false;          // CheckBox14 "DFIX"
  bool sadi = false;          // CheckBox15 "SADI"
  bool flat = false;          // CheckBox16 "FLAT"
  bool moveGroup = false;     // CheckBox17 "MoveGrp"
  bool group = false;         // CheckBox18 "Grp"
  bool destination = false;   // CheckBox19 "Dst"
  bool same = false;          // CheckBox20 "SAME"
  bool delu = false;          // CheckBox21 "DELU"
  bool beIso = false;         // CheckBox22 "BeISO"
  bool param = false;         // CheckBox23 "PARAM"
  bool center = false;        // CheckBox24 "Center"
  bool locate = false;        // CheckBox25 "Locate"
  bool adjust = false;        // CheckBox26 "Adjust"
  bool memSelect = false;     // CheckBox27 "MemSelect"
  bool part = false;          // CheckBox28 "PART"
  bool adopt = false;         // CheckBox38 "Adopt"
  bool edit = false;          // CheckBox39 "Edit"
  bool memUnselect = false;   // CheckBox41 "MemUnselc"
  bool alignVector = false;   // CheckBox42 "AlignVec"
  bool calcPlane = false;     // CalcPlane
  bool angleVectors = false;  // AngV1V2
  friend bool operator==(const ModeFlags&, const ModeFlags&) = default;
};

/// The flags a mode menu item turns on (MoveGrp with Grp or with Dst for the two group items).
ModeFlags flagsFor(MouseMode mode);
/// The flag of `mode` (Grp or Dst for the two group items; MoveGrp is handled by the caller).
bool& flagOf(ModeFlags& flags, MouseMode mode);
/// True when the flags of `mode` are on (MoveGrp and Grp, or MoveGrp and Dst, for the group
/// items).
bool isModeOn(const ModeFlags& flags, MouseMode mode);
/// Turns every editing flag and Rotate off.
void turnAllOff(ModeFlags& flags);

/// True when some editing flag (not Rotate, Grp or Dst alone) is on.
bool anyEditingFlag(const ModeFlags& flags);
/// The editing mode whose flag is on, when exactly one menu mode matches the flags.
std::optional<MouseMode> activeMode(const ModeFlags& flags);

}  // namespace tavo::editing
