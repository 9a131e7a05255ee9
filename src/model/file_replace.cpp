// Replacing a file through a temporary file in its folder.
#include "model/file_replace.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <limits>
#include <system_error>

#include "text/errors.h"

namespace tavo::model {

namespace fs = std::filesystem;

namespace {

// Enough attempts to step over temporary files that an earlier crash may have left.
constexpr int temporaryAttempts = 100;

std::string reasonOf(int error) {
  return std::generic_category().message(error);
}

fs::path folderOf(const fs::path& file) {
  return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

void removeQuietly(const fs::path& file) {
  std::error_code ignored;
  fs::remove(file, ignored);
}

// A temporary file older than this is left over whatever its process: no write takes a day, and
// the number of a process that was killed may have been given to another one since.
constexpr auto staleAge = std::chrono::hours(24);

// The hook of the tests; empty in the program.
ReplaceStepHook& stepHook() {
  static ReplaceStepHook hook;
  return hook;
}

bool processRuns(long pid) {
  if (pid == static_cast<long>(::getpid())) return true;
  if (pid <= 0 || pid > static_cast<long>(std::numeric_limits<pid_t>::max())) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Removes the temporary files of `file` that a write killed before its end left behind: those of
// a process that no longer runs, and any older than a day.
void removeStaleTemporaries(const fs::path& file) {
  std::error_code error;
  fs::directory_iterator entries(folderOf(file), error);
  if (error) return;
  const auto now = fs::file_time_type::clock::now();
  for (const fs::directory_entry& entry : entries) {
    const std::optional<long> pid = temporaryFileProcess(entry.path().filename().string(), file);
    if (!pid) continue;
    std::error_code ignored;
    const auto written = fs::last_write_time(entry.path(), ignored);
    if (!processRuns(*pid) || (!ignored && now - written > staleAge)) removeQuietly(entry.path());
  }
}

// Opens a new file beside `file` that no one else has; returns its descriptor and path.
int createTemporary(const fs::path& file, fs::path& temporary) {
  const std::string stem =
      "." + file.filename().string() + ".tavo-tmp-" + std::to_string(::getpid());
  for (int attempt = 0; attempt < temporaryAttempts; ++attempt) {
    temporary = folderOf(file) / (stem + "-" + std::to_string(attempt));
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) {
      const int error = errno;
      throw FileError(
          file, "cannot create the temporary file " + temporary.string() + ": " + reasonOf(error));
    }
  }
  throw FileError(
      file, "cannot create a temporary file in " + folderOf(file).string() + ": too many exist");
}

// Writes every byte, retrying short writes and interrupted calls; the error number or 0.
int writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// The permissions of an existing file carry over to its replacement.
int keepPermissions(int fd, const fs::path& file) {
  struct stat existing {};
  if (::stat(file.c_str(), &existing) != 0) return 0;
  return ::fchmod(fd, existing.st_mode & 07777) == 0 ? 0 : errno;
}

// Makes the rename itself durable; a folder that cannot be synced is not an error of the save.
void syncFolder(const fs::path& file) {
  const int fd = ::open(folderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void setReplaceStepHookForTesting(ReplaceStepHook hook) {
  stepHook() = std::move(hook);
}

void replaceStepReached(ReplaceStep step) {
  if (stepHook()) stepHook()(step);
}

bool isReadOnlyFile(const fs::path& file) {
  struct stat existing {};
  if (::stat(file.c_str(), &existing) != 0 || !S_ISREG(existing.st_mode)) return false;
  return (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::optional<long> temporaryFileProcess(const std::string& name, const fs::path& file) {
  const std::string prefix = "." + file.filename().string() + ".tavo-";
  if (!name.starts_with(prefix)) return std::nullopt;
  std::string_view rest = std::string_view(name).substr(prefix.size());
  if (rest.starts_with("tmp-")) rest.remove_prefix(4);
  long pid = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
  if (error != std::errc() || end == rest.data()) return std::nullopt;
  const std::string_view attempt(end, static_cast<std::size_t>(rest.data() + rest.size() - end));
  if (attempt.size() < 2 || attempt[0] != '-' ||
      attempt.find_first_not_of("0123456789", 1) != std::string_view::npos)
    return std::nullopt;
  return pid;
}

fs::path writeTemporaryBeside(const fs::path& file, std::string_view bytes) {
  if (isReadOnlyFile(file)) throw FileError(file, std::string(readOnlyReason));
  removeStaleTemporaries(file);
  fs::path temporary;
  const int fd = createTemporary(file, temporary);
  int error = writeAll(fd, bytes);
  if (error == 0) error = keepPermissions(fd, file);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    removeQuietly(temporary);
    throw FileError(file, "cannot be written: " + reasonOf(error));
  }
  return temporary;
}

namespace {

// Runs the step hook; a failure injected there is a failure of the step, `temporary` removed.
void reached(ReplaceStep step, const fs::path& temporary, const fs::path& file) {
  try {
    replaceStepReached(step);
  } catch (const FileError&) {
    removeQuietly(temporary);
    throw;
  } catch (const std::exception& e) {
    removeQuietly(temporary);
    throw FileError(file, std::string("cannot be written: ") + e.what());
  }
}

}  // namespace

void placeTemporary(const fs::path& temporary, const fs::path& file) {
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    const int error = errno;
    removeQuietly(temporary);
    throw FileError(file, "cannot be replaced: " + reasonOf(error));
  }
  syncFolder(file);
}

void replaceFileContents(const fs::path& file, std::string_view bytes) {
  const fs::path temporary = writeTemporaryBeside(file, bytes);
  reached(ReplaceStep::TemporaryWritten, temporary, file);
  placeTemporary(temporary, file);
  replaceStepReached(ReplaceStep::Placed);
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines)
    size += line.size() + 1;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += '\n';
  }
  return bytes;
}

void replaceFileLines(const fs::path& file, const std::vector<std::string>& lines) {
  replaceFileContents(file, joinLines(lines));
}

}  // namespace tavo::model
