// Least-squares planes through picked atoms: the window "Plane Calculation Control Window
// (since 2023)" (TForm37), its calculation, the CalcPlane Apply section and the plane report file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "geometry/plane_fit.h"
#include "model/atom_ref.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// Shown before the fit when H atoms are among the picked atoms (after their count).
inline constexpr std::string_view planeHydrogenWarning =
    " H atom(s) selected! Remind H atoms are often not adopted in such plane calculations! "
    "Particularly, the use of H atoms located by X-ray diffraction does not make sense!";

/// The caption above the results grid.
inline constexpr std::string_view planeFunctionCaption =
    "Plane Function : a*X + b*Y + c*Z = d  (X, Y, Z in angstrom; (a, b, c) the unit normal)";

/// The window model of TForm37. The atoms grid lists the non-H atoms and then the H atoms of
/// the working tables (symmetry copies included) with their Cartesian coordinates in Å and their
/// signed distance from every plane calculated; the results grid one column per plane; the
/// dihedral grid the angles between planes.
struct PlaneWindow {
  bool visible = false;
  int planeNumber = 1;          // PlaneNum: the column that receives the next result
  int totalPlanes = 1;          // TotalPlane
  std::string previousU = "1";  // UPValue: the U value of the calculation before the last
  std::string u = "1";          // UValue
  std::string rValue = "1";     // RValue
  std::string rms = "1";        // RMS
  text::TextGrid atoms;         // StringGrid1
  text::TextGrid results;       // StringGrid2
  text::TextGrid dihedrals;     // StringGrid3
};

/// The rows of the results grid (StringGrid2): row 0 holds "Plane k"; then these; the labels of
/// the plane's atoms follow from row `planeLabelRow`.
inline constexpr std::string_view planeResultRows[] = {
    "a = ",      "b = ",      "c = ",       "d = ",      "esd(a) = ",    "esd(b) = ",
    "esd(c) = ", "esd(d) = ", "U Value = ", "R.M.S. = ", "R^2 Factor = "};
inline constexpr int planeLabelRow = 12;

/// One plane as calculated: the fit and the labels of its atoms, in picking order.
struct CalculatedPlane {
  geometry::PlaneFit fit;
  std::vector<std::string> labels;
};

class GeometryCommands {
 public:
  explicit GeometryCommands(CommandContext context);
  GeometryCommands(const GeometryCommands&) = delete;
  GeometryCommands& operator=(const GeometryCommands&) = delete;

  const PlaneWindow& window() const { return m_window; }
  /// The plane of column `number` (1-based); empty when it was never calculated.
  const std::optional<CalculatedPlane>& plane(int number) const;

  /// "Show Plane Calc Window": the atom rows from the current structure, then the window.
  void showWindow();
  /// Closes the window.
  void hideWindow();
  /// The CalcPlane section of Apply: fewer than three picked atoms give the message and nothing
  /// else; otherwise the plane is calculated and the window shown.
  void applyCalcPlane();
  /// "Calculate Using Selected Atoms": fits the plane through the picked entries (atoms, H atoms,
  /// peaks, symmetry copies at their own positions) into column PlaneNum, then clears the
  /// Selection. Warns first when H atoms are picked. UserError for fewer than three atoms or
  /// atoms on one line; nothing changes then.
  void definePlane();
  /// "Add Plane": one more plane column; PlaneNum moves to it.
  void addPlane();
  /// "Decrease Plane": drops the last plane column; with one plane its results are emptied.
  void decreasePlane();
  /// PlaneNum, clamped to 1..TotalPlane.
  void setPlaneNumber(int number);
  /// "Save": the three grids as tab-separated text, by default beside the instruction file as
  /// NAME_plane_calc.txt, the name confirmed in a save dialog. False when the user cancelled.
  bool save();
  /// The lines that save writes.
  std::vector<std::string> reportLines() const;

 private:
  void refreshAtomRows();
  void refreshResults();
  void refreshDihedrals();
  void resetWindow();
  std::vector<model::AtomRef> atomRows() const;

  CommandContext m_context;
  PlaneWindow m_window;
  std::vector<std::optional<CalculatedPlane>> m_planes;  // one per column
  std::optional<double> m_lastU;
};

/// The plane window (TForm37), declared.
WindowDeclaration declarePlaneWindow(GeometryCommands& geometry);

}  // namespace tavo::workbench
