// Replacing a file through a temporary file in its folder.
#include "model/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// Opens a new file beside `file` that no one else has; returns its descriptor and path.
int createTemporary(const fs::path& file, fs::path& temporary) {
  const std::string stem = "." + file.filename().string() + ".tavo-" + std::to_string(::getpid());
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

fs::path writeTemporaryBeside(const fs::path& file, std::string_view bytes) {
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

void placeTemporary(const fs::path& temporary, const fs::path& file) {
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    const int error = errno;
    removeQuietly(temporary);
    throw FileError(file, "cannot be replaced: " + reasonOf(error));
  }
  syncFolder(file);
}

void replaceFileContents(const fs::path& file, std::string_view bytes) {
  placeTemporary(writeTemporaryBeside(file, bytes), file);
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
