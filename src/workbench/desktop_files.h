// The two small files of the program folder that make the program remember the desktop: the
// files opened last and where the main window stood.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace tavo::workbench {

/// The list of files opened last, one path a line, most recent first.
inline constexpr std::string_view recentFilesFileName = "recent_files.txt";
/// The main window's place: "x y width height maximized" on one line.
inline constexpr std::string_view windowPlacementFileName = "window_place.txt";
/// How many files the list keeps.
inline constexpr std::size_t recentFilesKept = 10;

/// The files of `folder`'s list, most recent first; empty when there is none or it cannot be
/// read. Files that have gone are listed as well (the caller decides what to show).
std::vector<std::filesystem::path> readRecentFiles(const std::filesystem::path& folder);
/// `file` (made absolute) goes to the top of `folder`'s list, an earlier entry of it is dropped
/// and the list is cut to ten. Returns the new list. FileError when it cannot be written.
std::vector<std::filesystem::path> addRecentFile(const std::filesystem::path& folder,
                                                 const std::filesystem::path& file);

/// Where the main window stands on the screen, pixels.
struct WindowPlacement {
  int x = 0, y = 0, width = 0, height = 0;
  bool maximized = false;
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};
/// The placement kept in `folder`; empty when there is none or it is not five numbers with a
/// positive size.
std::optional<WindowPlacement> readWindowPlacement(const std::filesystem::path& folder);
/// Keeps `placement` in `folder`. FileError when it cannot be written.
void writeWindowPlacement(const std::filesystem::path& folder, const WindowPlacement& placement);

}  // namespace tavo::workbench
