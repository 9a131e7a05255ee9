// The Import menu (CIF, FDAT, XYZ, Cartesian, PDB) and the coordinate exports of the File menu.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "workbench/command_context.h"

namespace tavo::workbench {

class FileCommands;
class SymmetryCommands;

enum class ImportFormat { Cif, Fdat, Xyz, Cartesian, Pdb };

/// Told after an import whose elements were taken from labels other than H, C, N and O.
inline constexpr std::string_view inferredElementsMessage =
    "The elements of these atoms were taken from their labels; check them: ";
/// Told after an import that left atoms out.
inline constexpr std::string_view skippedLabelsMessage =
    "These atoms name no element and were not imported: ";

/// Told after an import whose labels SHELXL could not read or that were given twice.
inline constexpr std::string_view renamedLabelsMessage =
    "These labels were renamed to labels SHELXL reads (at most four characters, unique): ";

class ImportExportCommands {
 public:
  explicit ImportExportCommands(CommandContext context) : m_context(context) {}
  void attachFiles(FileCommands& files) { m_files = &files; }
  void attachSymmetry(const SymmetryCommands& symmetry) { m_symmetry = &symmetry; }

  /// An Import menu item: the open dialog in the working folder, then importFile.
  void importByDialog(ImportFormat format);
  /// Reads `file` in memory and makes it the structure, a new one with fresh instruction lines
  /// (nothing of the previous structure survives); its first save asks for a .ins name. A file
  /// that cannot be read leaves the structure as it was.
  void importFile(const std::filesystem::path& file, ImportFormat format);

  /// "Save Cartesian (->DFT etc.)": label and view coordinates in Å of every atom shown.
  void saveCartesian();
  /// "Save PDB": the atoms shown with CONECT records, CRYST1 and SCALE of the crystal frame.
  void savePdb();
  /// "Save XYZ (Label X Y Z)": the cell and the fractional coordinates of the file's atoms.
  void saveXyz();

 private:
  CommandContext m_context;
  /// The save dialog proposing `proposed`; writes `lines` through the one replace function.
  void writeExport(const std::filesystem::path& proposed, std::string_view filter,
                   const std::vector<std::string>& lines);

  FileCommands* m_files = nullptr;
  const SymmetryCommands* m_symmetry = nullptr;
};

}  // namespace tavo::workbench
