// Reading PDB, XYZ (cell and fractional coordinates), Cartesian and CSD FDAT files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/imported_structure.h"
#include "geometry/space_group_table.h"

namespace tavo::formats {

// Every importer names `fileName` (the file the user chose), the line and the field in its
// refusal of a number that does not read (ConversionError).

/// Shown when an XYZ file's first line is not a cell.
inline constexpr std::string_view noXyzCellMessage =
    "The first line of an XYZ file must hold the cell: a, b, c, alpha, beta and gamma.";

/// ATOM and HETATM records by their columns (name 13-16, X Y Z 31-54, occupancy 55-60, element
/// 77-78, else for an amino acid or water the name's first letter, else left to the label) up to
/// END or ENDMDL; CRYST1 gives the cell (and SCALE1-3 the fractionalisation, else the usual PDB
/// frame), without it the coordinates in Å get a pseudo-cell (placeInPseudoCell). REMARK,
/// ANISOU, TER and other records are skipped.
ImportedStructure importPdb(const std::vector<std::string>& lines, std::string_view fileName = {});

/// The cell on the first line (its first six words; the space group written by our export,
/// "P21/c  No.14", gives the operators where the table knows it), then
/// "label x y z" in fractional coordinates.
ImportedStructure importXyz(const std::vector<std::string>& lines, std::string_view fileName = {});

/// Whether `lines` are an XMOL file: the first line holds the atom count alone (a comment line
/// and "label X Y Z" in Å follow). Such a file is read by importCartesian, also as a .xyz file.
bool isXmolFile(const std::vector<std::string>& lines);

/// "label X Y Z" in Å on every line (after the count and comment lines of an XMOL file), placed in
/// a pseudo-cell (placeInPseudoCell).
ImportedStructure importCartesian(const std::vector<std::string>& lines,
                                  std::string_view fileName = {});

/// The first entry of a CSD FDAT file: the cell scaled by the file's own decimal counts, the space
/// group by number (the setting whose name the file gives, from the built-in table or
/// `spcgSettings`), the atom records of 26 characters with coordinates times 10^5.
/// `warnings` receives what could not be taken over (an unknown group: P1 is used).
ImportedStructure importFdat(const std::vector<std::string>& lines,
                             const std::vector<geometry::SpaceGroupSetting>& spcgSettings,
                             std::vector<std::string>& warnings, std::string_view fileName = {});

}  // namespace tavo::formats
