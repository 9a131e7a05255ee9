// The one way every file of the program is written: a temporary file beside the target, flushed
// to the disk, then renamed into place, so that the target is either the old or the new file.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

/// The reason given (after the path) when a file to replace is read-only: the program never
/// replaces a file that the user protected.
inline constexpr std::string_view readOnlyReason =
    "is read-only and was not replaced. Make the file writable, or save under another name.";

/// The steps of a replacement (and of a save that keeps backups), in order. Between any two the
/// file being replaced exists, as the old or the new file.
enum class ReplaceStep {
  TemporaryWritten,   // the new contents are in a fsynced temporary file beside the target
  BackupKept,         // the old file is also a numbered backup (a hard link or a copy)
  PreviousInputKept,  // the .ins beside a saved .res is also a numbered backup
  Placed,             // the temporary file was renamed over the target
  OldFileRemoved,     // a saved .res, now kept as a backup, was removed
};

/// A test seam: called after each step; it may throw to inject a failure there (an exception
/// derived from std::exception is handled as a failure of that step, anything else passes
/// through untouched, as a crash would leave the files). An empty hook (the default) does nothing.
using ReplaceStepHook = std::function<void(ReplaceStep)>;
void setReplaceStepHookForTesting(ReplaceStepHook hook);
/// Calls the test hook, if any, for `step`.
void replaceStepReached(ReplaceStep step);

/// Replaces (or creates) `file` with exactly `bytes`: writes a temporary file in the same folder,
/// flushes and fsyncs it, and renames it over `file`. An existing file keeps its permissions.
/// Throws FileError naming `file` and the reason (readOnlyReason for a read-only file); `file` is
/// then unchanged and no temporary file is left behind.
void replaceFileContents(const std::filesystem::path& file, std::string_view bytes);

/// `lines`, each followed by a line feed, as one text.
std::string joinLines(const std::vector<std::string>& lines);

/// replaceFileContents with `lines`, each followed by a line feed.
void replaceFileLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

/// Writes `bytes` to a new temporary file in the folder of `file` and fsyncs it; returns its
/// path. For a caller that must rename other files between writing and placing (a save that
/// keeps a backup). Temporary files are named ".NAME.tavo-tmp-PID-N"; those of `file` that a
/// process no longer running left behind (killed during a write) are removed first. Throws
/// FileError naming `file` (readOnlyReason when `file` is read-only); nothing is left behind on
/// failure.
std::filesystem::path writeTemporaryBeside(const std::filesystem::path& file,
                                           std::string_view bytes);

/// Renames the temporary file `temporary` over `file` and fsyncs the folder. Throws FileError
/// naming `file`; the temporary file is removed on failure.
void placeTemporary(const std::filesystem::path& temporary, const std::filesystem::path& file);

/// True when `file` exists and no one may write it (no write permission bit is set): a check by
/// the mode, so that it holds for every user.
bool isReadOnlyFile(const std::filesystem::path& file);

/// Whether `name` is a temporary file of `file` ("." + file name + ".tavo-tmp-PID-N", or the
/// older ".tavo-PID-N"); its PID when it is.
std::optional<long> temporaryFileProcess(const std::string& name,
                                         const std::filesystem::path& file);

}  // namespace tavo::model
