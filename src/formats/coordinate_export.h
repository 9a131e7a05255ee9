// Writing the structure for other programs: Cartesian .abc, PDB, XYZ (cell and fractional
// coordinates) and the coordinate block of a Gaussian input.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/vec3.h"

namespace tavo::formats {

/// One atom as written: its label, its element symbol and its position (view coordinates in Å
/// for the Cartesian formats, fractional for XYZ).
struct ExportAtom {
  std::string label;
  std::string symbol;
  model::Vec3 at;
};

/// The .abc lines: the label padded to 8 characters, X, Y, Z as 10.5.
std::vector<std::string> cartesianLines(const std::vector<ExportAtom>& atoms);

/// The crystal frame of view coordinates for a PDB file: the cell, the space-group name and
/// the map X -> fractional (rows of three coefficients and a shift), written as CRYST1 and SCALE.
struct PdbFrame {
  std::array<double, 6> cell{};
  std::string spaceGroup;
  std::array<std::array<double, 4>, 3> scale{};
};

/// A PDB file: HEADER, REMARK, CRYST1 and SCALE1-3 when `frame` is given, HETATM records of the
/// non-H atoms then the H atoms (element in columns 13-14 and 77-78), TER, CONECT records from the
/// atom-atom bonds `atomBonds` and the H-atom bonds `hydrogenBonds` (1-based pairs as the
/// bond list holds them: non-H index, H index), END.
std::vector<std::string> pdbLines(const std::vector<ExportAtom>& atoms,
                                  const std::vector<ExportAtom>& hydrogens,
                                  const std::vector<std::array<int, 2>>& atomBonds,
                                  const std::vector<std::array<int, 2>>& hydrogenBonds,
                                  const std::optional<PdbFrame>& frame);

/// The XYZ file: a, b, c (10.6), alpha, beta, gamma (10.5), the space-group name and "No." with
/// its number; then "label   x y z" (12.6) in fractional coordinates.
std::vector<std::string> xyzLines(const std::array<double, 6>& cell, const std::string& groupName,
                                  int groupNumber, const std::vector<ExportAtom>& atoms);

/// The coordinates of a Gaussian input: the .abc lines of the non-H atoms and then of the H
/// atoms, an atom lying within 0.01 Å of an earlier one of its kind left out.
std::vector<std::string> gaussianCoordinateLines(const std::vector<ExportAtom>& atoms,
                                                 const std::vector<ExportAtom>& hydrogens);

/// The name an export proposes: the instruction file's name without its extension, "_", the
/// smallest n >= 1 for which no such file exists, and `extension` (".abc").
std::filesystem::path proposedExportName(const std::filesystem::path& currentFile,
                                         const std::string& extension);

}  // namespace tavo::formats
