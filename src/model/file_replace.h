// The one way every file of the program is written: a temporary file beside the target, flushed
// to the disk, then renamed into place, so that the target is either the old or the new file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

/// Replaces (or creates) `file` with exactly `bytes`: writes a temporary file in the same folder,
/// flushes and fsyncs it, and renames it over `file`. An existing file keeps its permissions.
/// Throws FileError naming `file` and the reason; `file` is then unchanged and no temporary file
/// is left behind.
void replaceFileContents(const std::filesystem::path& file, std::string_view bytes);

/// `lines`, each followed by a line feed, as one text.
std::string joinLines(const std::vector<std::string>& lines);

/// replaceFileContents with `lines`, each followed by a line feed.
void replaceFileLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

/// Writes `bytes` to a new temporary file in the folder of `file` and fsyncs it; returns its
/// path. For a caller that must rename other files between writing and placing (a save that
/// keeps a backup). Throws FileError naming `file`; nothing is left behind on failure.
std::filesystem::path writeTemporaryBeside(const std::filesystem::path& file,
                                           std::string_view bytes);

/// Renames the temporary file `temporary` over `file` and fsyncs the folder. Throws FileError
/// naming `file`; the temporary file is removed on failure.
void placeTemporary(const std::filesystem::path& temporary, const std::filesystem::path& file);

}  // namespace tavo::model
