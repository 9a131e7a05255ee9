// The plane window (TForm37) declared: its controls bound to the plane commands.
#include <string>

#include "workbench/geometry_commands.h"

namespace tavo::workbench {

WindowDeclaration declarePlaneWindow(GeometryCommands& g) {
  WindowDeclaration w =
      declaredWindow("TForm37", "Plane Calculation Control Window (since 2023)",
                     "\"Show Plane Calc Window\" or Apply in the Plane Calculation mode shows it",
                     [&g] { return g.window().visible; });
  w.placement = Placement::BesidePicture;
  w.controls = {
      numberField("PlaneNum", [&g](int plane) { g.setPlaneNumber(plane); }),
      press("AddPlane", [&g] { g.addPlane(); }, {"Add Plane"}),
      press("DecreasePln", [&g] { g.decreasePlane(); }, {"Decrease Plane"}),
      press("DefinePlane", [&g] { g.definePlane(); }, {"Calculate Using Selected Atoms"}),
      press("Save1", [&g] { g.save(); }, {"Save"}),
      press("Close", [&g] { g.hideWindow(); }),
  };
  w.print = [&g] {
    const PlaneWindow& shown = g.window();
    std::vector<std::string> lines{"PlaneNum " + std::to_string(shown.planeNumber),
                                   "TotalPlane " + std::to_string(shown.totalPlanes),
                                   "UPValue " + shown.previousU,
                                   "UValue " + shown.u,
                                   "RValue " + shown.rValue,
                                   "RMS " + shown.rms};
    const std::pair<const char*, const text::TextGrid*> grids[] = {
        {"StringGrid1", &shown.atoms},
        {"StringGrid2", &shown.results},
        {"StringGrid3", &shown.dihedrals}};
    for (const auto& [name, grid] : grids) {
      lines.emplace_back(name);
      for (std::string& line : gridPrintLines(*grid))
        lines.push_back(std::move(line));
    }
    return lines;
  };
  return w;
}

}  // namespace tavo::workbench
