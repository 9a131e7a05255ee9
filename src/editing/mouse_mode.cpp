// Captions, menu item names and flags of the mouse modes.
#include "editing/mouse_mode.h"

namespace tavo::editing {

namespace {

struct ModeText {
  std::string_view menu;
  std::string_view caption;
  std::string_view itemName;
};

ModeText textOf(MouseMode mode) {
  switch (mode) {
    case MouseMode::Name:
      return {"Name", "Name", "Name1"};
    case MouseMode::Renumber:
      return {"Renumber", "Renumber", "Renumber1"};
    case MouseMode::Delete:
      return {"Delete", "Delete", "Delete2"};
    case MouseMode::Distance:
      return {"Distance", "Dsitance", "Distance1"};
    case MouseMode::DistAng:
      return {"Distances and Angles", "Distance/Angles", "DistancesandAngles1"};
    case MouseMode::MemSelect:
      return {"Remember Selected", "MemSelect", "MemoSelection1"};
    case MouseMode::MemUnselc:
      return {"Remember Unselected", "MemUnSel", "MemoUnselect1"};
    case MouseMode::AlignVec:
      return {"Align Vector", "AlgnVctr", "AlignVector1"};
    case MouseMode::CalcPlane:
      return {"Plane Calculation", "Calc Plane", "PlaneCalculation1"};
    case MouseMode::AngV1V2:
      return {"Angle Vctr1 vs Vctr2", "AngleV1-V2", "AngleVec1vsVec2"};
    case MouseMode::MoveGroupDefine:
      return {"Move Group (define group)", "Define Group", "MoveGroupdefinegroup1"};
    case MouseMode::MoveGroupDestination:
      return {"Move Group (define destination)", "Define Dstntn.", "MoveGroupdefinedestination1"};
    case MouseMode::Edit:
      return {"Edit", "Edit", "Edit11"};
    case MouseMode::Param:
      return {"PARAM", "PARAM", "PARAM1"};
    case MouseMode::Adopt:
      return {"Adopt", "Adopt", "Adopt2"};
    case MouseMode::Adjust:
      return {"Adjust", "Adjust", "Adjust1"};
    case MouseMode::Anis:
      return {"ANIS", "ANIS", "ANIS1"};
    case MouseMode::BeIso:
      return {"BeISO", "BeISO", "BeISO1"};
    case MouseMode::Hfix:
      return {"HFIX", "HFIX", "HFIX1"};
    case MouseMode::Part:
      return {"PART", "PART", "PART1"};
    case MouseMode::Dfix:
      return {"DFIX", "DFIX", "DFIX1"};
    case MouseMode::Sadi:
      return {"SADI", "SADI", "SADI1"};
    case MouseMode::Flat:
      return {"FLAT", "FLAT", "FLAT1"};
    case MouseMode::Same:
      return {"SAME", "SAME", "SAME1"};
    case MouseMode::Delu:
      return {"DELU", "DELU", "DELU1"};
    case MouseMode::Bind:
      return {"BIND", "BIND", "BIND1"};
  }
  return {};
}

}  // namespace

std::string_view menuCaption(MouseMode mode) {
  return textOf(mode).menu;
}
std::string_view modeCaption(MouseMode mode) {
  return textOf(mode).caption;
}
std::string_view menuItemName(MouseMode mode) {
  return textOf(mode).itemName;
}

ModeFlags flagsFor(MouseMode mode) {
  ModeFlags f;
  f.rotate = false;
  switch (mode) {
    case MouseMode::Name:
      f.name = true;
      break;
    case MouseMode::Renumber:
      f.renumber = true;
      break;
    case MouseMode::Delete:
      f.remove = true;
      break;
    case MouseMode::Distance:
      f.distance = true;
      break;
    case MouseMode::DistAng:
      f.distAng = true;
      break;
    case MouseMode::MemSelect:
      f.memSelect = true;
      break;
    case MouseMode::MemUnselc:
      f.memUnselect = true;
      break;
    case MouseMode::AlignVec:
      f.alignVector = true;
      break;
    case MouseMode::CalcPlane:
      f.calcPlane = true;
      break;
    case MouseMode::AngV1V2:
      f.angleVectors = true;
      break;
    case MouseMode::MoveGroupDefine:
      f.moveGroup = f.group = true;
      break;
    case MouseMode::MoveGroupDestination:
      f.moveGroup = f.destination = true;
      break;
    case MouseMode::Edit:
      f.edit = true;
      break;
    case MouseMode::Param:
      f.param = true;
      break;
    case MouseMode::Adopt:
      f.adopt = true;
      break;
    case MouseMode::Adjust:
      f.adjust = true;
      break;
    case MouseMode::Anis:
      f.anis = true;
      break;
    case MouseMode::BeIso:
      f.beIso = true;
      break;
    case MouseMode::Hfix:
      f.hfix = true;
      break;
    case MouseMode::Part:
      f.part = true;
      break;
    case MouseMode::Dfix:
      f.dfix = true;
      break;
    case MouseMode::Sadi:
      f.sadi = true;
      break;
    case MouseMode::Flat:
      f.flat = true;
      break;
    case MouseMode::Same:
      f.same = true;
      break;
    case MouseMode::Delu:
      f.delu = true;
      break;
    case MouseMode::Bind:
      f.bind = true;
      break;
  }
  return f;
}

bool& flagOf(ModeFlags& f, MouseMode mode) {
  switch (mode) {
    case MouseMode::Name:
      return f.name;
    case MouseMode::Renumber:
      return f.renumber;
    case MouseMode::Delete:
      return f.remove;
    case MouseMode::Distance:
      return f.distance;
    case MouseMode::DistAng:
      return f.distAng;
    case MouseMode::MemSelect:
      return f.memSelect;
    case MouseMode::MemUnselc:
      return f.memUnselect;
    case MouseMode::AlignVec:
      return f.alignVector;
    case MouseMode::CalcPlane:
      return f.calcPlane;
    case MouseMode::AngV1V2:
      return f.angleVectors;
    case MouseMode::MoveGroupDefine:
      return f.group;
    case MouseMode::MoveGroupDestination:
      return f.destination;
    case MouseMode::Edit:
      return f.edit;
    case MouseMode::Param:
      return f.param;
    case MouseMode::Adopt:
      return f.adopt;
    case MouseMode::Adjust:
      return f.adjust;
    case MouseMode::Anis:
      return f.anis;
    case MouseMode::BeIso:
      return f.beIso;
    case MouseMode::Hfix:
      return f.hfix;
    case MouseMode::Part:
      return f.part;
    case MouseMode::Dfix:
      return f.dfix;
    case MouseMode::Sadi:
      return f.sadi;
    case MouseMode::Flat:
      return f.flat;
    case MouseMode::Same:
      return f.same;
    case MouseMode::Delu:
      return f.delu;
    case MouseMode::Bind:
      return f.bind;
  }
  return f.name;
}

bool isModeOn(const ModeFlags& flags, MouseMode mode) {
  ModeFlags copy = flags;
  const bool own = flagOf(copy, mode);
  if (mode == MouseMode::MoveGroupDefine || mode == MouseMode::MoveGroupDestination) {
    return flags.moveGroup && own;
  }
  return own;
}

void turnAllOff(ModeFlags& flags) {
  flags = ModeFlags{};
  flags.rotate = false;
}

bool anyEditingFlag(const ModeFlags& flags) {
  ModeFlags rest = flags;
  rest.rotate = true;
  rest.group = rest.destination = false;
  return !(rest == ModeFlags{});
}

std::optional<MouseMode> activeMode(const ModeFlags& flags) {
  ModeFlags editing = flags;
  editing.rotate = false;
  for (MouseMode mode : allMouseModes) {
    if (flagsFor(mode) == editing) return mode;
  }
  return std::nullopt;
}

}  // namespace tavo::editing
