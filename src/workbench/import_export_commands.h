// The Import menu (CIF, FDAT, XYZ, Cartesian, PDB) and the coordinate exports of the File menu.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "workbench/command_context.h"

namespace tavo::workbench {

class FileCommands;

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

  /// An Import menu item: the open dialog in the working folder, then importFile.
  void importByDialog(ImportFormat format);
  /// Reads `file` in memory and makes it the structure, a new one with fresh instruction lines
  /// (nothing of the previous structure survives); its first save asks for a .ins name. A file
  /// that cannot be read leaves the structure as it was.
  void importFile(const std::filesystem::path& file, ImportFormat format);

 private:
  CommandContext m_context;
  FileCommands* m_files = nullptr;
};

}  // namespace tavo::workbench
