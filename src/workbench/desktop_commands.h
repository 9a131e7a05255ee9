// The habits of a desktop program: the files opened last (File menu), files dropped onto the
// window, the window's place kept between sessions, and the refinement summary of the status
// line. Each open passes through here to be remembered and summed up.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workbench/command_context.h"
#include "workbench/desktop_files.h"
#include "workbench/file_commands.h"

namespace tavo::workbench {

class ImportExportCommands;
class OrientationCommands;

/// The refusal of a dropped file of another kind; the file name follows.
inline constexpr std::string_view unknownDropMessage =
    "Tavo opens .ins and .res files and imports .cif, .pdb, .xyz and .fdat files; this is none "
    "of them: ";
/// Shown when a file of the recent list has gone since; the path follows.
inline constexpr std::string_view recentFileGoneMessage = "The file no longer exists: ";

/// What a dropped file is to become.
enum class DropKind { Open, ImportCif, ImportPdb, ImportXyz, ImportFdat, None };
/// By the extension, case ignored: .ins/.res are opened, .cif/.pdb/.xyz/.fdat imported.
DropKind dropKindOf(const std::filesystem::path& file);

class DesktopCommands final : public OpenFollower {
 public:
  DesktopCommands(CommandContext context, FileCommands& files, ImportExportCommands& imports,
                  OrientationCommands& orientation);
  DesktopCommands(const DesktopCommands&) = delete;
  DesktopCommands& operator=(const DesktopCommands&) = delete;

  /// The recent files that still exist, most recent first (at most ten); read from the program
  /// folder each time, so that two programs share one list.
  std::vector<std::filesystem::path> recentFiles() const;
  /// Opens `file` of the recent list as the open dialog would; a file that has gone is
  /// refused with a message.
  void openRecent(const std::filesystem::path& file);
  /// Files dropped onto the window: the first one Tavo takes is opened or imported; a drop of
  /// nothing it takes is refused with a message naming the first file.
  void dropFiles(const std::vector<std::filesystem::path>& files);

  /// The main window's place of the last session; empty before the first.
  std::optional<WindowPlacement> savedPlacement() const;
  /// Keeps the main window's place for the next session.
  void keepPlacement(const WindowPlacement& placement);

  /// The status line: the refinement summary of the .res opened last ("" otherwise).
  const std::string& statusText() const { return m_status; }

  void beforeOpen(const std::filesystem::path& file) override;
  void afterOpen(const std::filesystem::path& file, bool imported) override;

 private:
  std::filesystem::path folder() const { return m_context.state.settingsFolder(); }

  CommandContext m_context;
  FileCommands& m_files;
  ImportExportCommands& m_imports;
  OrientationCommands& m_orientation;
  std::string m_status;
};

}  // namespace tavo::workbench
