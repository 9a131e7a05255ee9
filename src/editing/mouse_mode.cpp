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
    case MouseMode::Rigu:
      return {"RIGU", "RIGU", "RIGU1"};
    case MouseMode::Simu:
      return {"SIMU", "SIMU", "SIMU1"};
    case MouseMode::Isor:
      return {"ISOR", "ISOR", "ISOR1"};
    case MouseMode::Dang:
      return {"DANG", "DANG", "DANG1"};
    case MouseMode::Eadp:
      return {"EADP", "EADP", "EADP1"};
    case MouseMode::Exyz:
      return {"EXYZ", "EXYZ", "EXYZ1"};
    case MouseMode::Center:
      return {"Center", "Center", "Center1"};
    case MouseMode::Locate:
      return {"Locate", "Locate", "Locate1"};
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

}  // namespace tavo::editing
