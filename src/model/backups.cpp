// Backup numbering, the TAVO title stamp and file replacement through a temporary file.
#include "model/backups.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

#include "model/file_replace.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t titleKeep = 49;
constexpr std::size_t dateTimeWidth = 19;

bool fileExists(const fs::path& file) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(file, ignored));
}

std::string reasonOf(int error) {
  return std::generic_category().message(error);
}

void removeQuietly(const fs::path& file) {
  std::error_code ignored;
  fs::remove(file, ignored);
}

// Refusals of a link that a copy can stand in for: file systems without hard links.
bool linkRefused(int error) {
  return error == EPERM || error == EXDEV || error == EMLINK || error == ENOTSUP ||
         error == EOPNOTSUPP || error == ENOSYS;
}

// Keeps `from` also under the backup name `to`, which must not exist (an existing backup is
// never replaced): a hard link, else a copy through a temporary file. `from` stays in place.
void keepAsBackup(const fs::path& from, const fs::path& to) {
  if (::link(from.c_str(), to.c_str()) == 0) return;
  const int error = errno;
  if (error == EEXIST) throw FileError(to, "already exists and is not overwritten");
  if (!linkRefused(error))
    throw FileError(from, "cannot be kept as " + to.string() + ": " + reasonOf(error));
  std::ifstream in(from, std::ios::binary);
  if (!in) throw FileError(from, "cannot be read: " + reasonOf(errno));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const fs::path temporary = writeTemporaryBeside(to, bytes.str());
  if (fileExists(to)) {
    removeQuietly(temporary);
    throw FileError(to, "already exists and is not overwritten");
  }
  placeTemporary(temporary, to);
}

// Every later step failed: the backups made so far go again (the originals never moved).
void removeBackups(const std::vector<fs::path>& made) {
  for (const fs::path& backup : made)
    removeQuietly(backup);
}

// writeWithBackup under a lock already held.
void writeWithBackupLocked(const BackupPlan& plan, const std::vector<std::string>& lines) {
  if (isReadOnlyFile(plan.target)) throw FileError(plan.target, std::string(readOnlyReason));
  const fs::path temporary = writeTemporaryBeside(plan.target, joinLines(lines));
  std::vector<fs::path> made;
  const auto step = [&](ReplaceStep done) {
    try {
      replaceStepReached(done);
    } catch (const std::exception& e) {
      removeBackups(made);
      removeQuietly(temporary);
      if (dynamic_cast<const UserError*>(&e)) throw;
      throw FileError(plan.target, std::string("cannot be written: ") + e.what());
    }
  };
  const auto keep = [&](const fs::path& from, const fs::path& to) {
    try {
      keepAsBackup(from, to);
    } catch (const FileError&) {
      removeBackups(made);
      removeQuietly(temporary);
      throw;
    }
    made.push_back(to);
  };
  step(ReplaceStep::TemporaryWritten);
  if (!plan.moveAside.empty()) {
    keep(plan.moveAside, plan.backup);
    step(ReplaceStep::BackupKept);
  }
  if (!plan.previousInput.empty()) {
    keep(plan.previousInput, plan.previousInputBackup);
    step(ReplaceStep::PreviousInputKept);
  }
  try {
    placeTemporary(temporary, plan.target);
  } catch (const FileError&) {
    removeBackups(made);
    throw;
  }
  replaceStepReached(ReplaceStep::Placed);
  // A saved .res is kept as the backup and the .ins takes its place: it goes only now, so that
  // until the new .ins is in place the structure is on disk under its old name.
  if (!plan.moveAside.empty() && plan.moveAside != plan.target) {
    removeQuietly(plan.moveAside);
    replaceStepReached(ReplaceStep::OldFileRemoved);
  }
}

bool isInstructionExtension(std::string_view extension) {
  return extension == "INS" || extension == "ins" || extension == "RES" || extension == "res";
}

}  // namespace

std::string threeDigits(int number) {
  std::string digits = std::to_string(number);
  return digits.size() < 3 ? std::string(3 - digits.size(), '0') + digits : digits;
}

std::string stampTitle(std::string_view title, std::string_view dateTimeText, int number,
                       bool pad) {
  std::string head =
      text::cut(pad ? text::padRight(title, titleKeep) : std::string(title), titleKeep);
  return head + "   " + text::padRight(text::cut(dateTimeText, dateTimeWidth), dateTimeWidth) +
         " " + threeDigits(number) + std::string(tavoMark);
}

std::optional<int> findStampedNumber(std::string_view title) {
  if (!text::endsWith(title, "TAVO") || title.size() < 8) return std::nullopt;
  const std::string_view digits = title.substr(title.size() - 8, 3);
  if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  return text::findInt(digits);
}

std::optional<int> findFreeBackupNumber(const std::string& base, int start) {
  for (int step = 0; step <= lastBackupNumber; ++step) {
    const int number = (start + step) % (lastBackupNumber + 1);
    if (!fileExists(fs::path(base + threeDigits(number)))) return number;
  }
  return std::nullopt;
}

std::string noFreeBackupMessage(const fs::path& file) {
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  return "Cannot save " + file.filename().string() + ": every backup number from 000 to 999 " +
         "is already in use in the folder " + folder.string() +
         ". Move some of the backups elsewhere and save again.";
}

BackupPlan planBackup(const std::string& currentFile, std::string_view title,
                      std::string_view dateTimeText) {
  if (currentFile.size() < 4) throw FileError(currentFile, "is not an instruction file name");
  const std::string extension = currentFile.substr(currentFile.size() - 3);
  const std::string base = currentFile.substr(0, currentFile.size() - 3);  // ends with the point
  BackupPlan plan;
  if (!isInstructionExtension(extension)) {
    // An opened backup: the new file is name.ins, the old name.ins goes to the first number
    // after the unbroken run of backups from 000, and the title carries the last of that run.
    const std::optional<int> free = findFreeBackupNumber(base, 0);
    if (!free) throw UserError(noFreeBackupMessage(currentFile));
    plan.number = *free == 0 ? 0 : *free - 1;
    plan.title = stampTitle(title, dateTimeText, plan.number, *free == 0);
    plan.target = base + "ins";
    plan.backup = base + threeDigits(*free);
    if (fileExists(plan.target)) plan.moveAside = plan.target;
    return plan;
  }
  const std::optional<int> stamped = findStampedNumber(title);
  const int start = stamped ? (*stamped + 1) % (lastBackupNumber + 1) : 0;
  const std::optional<int> free = findFreeBackupNumber(base, start);
  if (!free) throw UserError(noFreeBackupMessage(currentFile));
  plan.number = *free;
  plan.title = stampTitle(title, dateTimeText, plan.number, !stamped);
  plan.backup = base + threeDigits(*free);
  plan.target = text::upper(extension) == "RES"
                    ? currentFile.substr(0, currentFile.size() - 4) + ".ins"
                    : currentFile;
  if (fileExists(currentFile)) plan.moveAside = currentFile;
  if (plan.target != fs::path(currentFile) && fileExists(plan.target)) {
    // The .ins beside an opened .res is the input of the last run: it is kept too.
    const std::optional<int> next =
        findFreeBackupNumber(base, (plan.number + 1) % (lastBackupNumber + 1));
    if (!next || *next == plan.number) throw UserError(noFreeBackupMessage(currentFile));
    plan.previousInput = plan.target;
    plan.previousInputBackup = base + threeDigits(*next);
  }
  return plan;
}

std::string anotherSaveMessage(const fs::path& file) {
  return std::string(anotherSavePrefix) + file.filename().string() + std::string(anotherSaveSuffix);
}

void writeWithBackup(const BackupPlan& plan, const std::vector<std::string>& lines) {
  const SaveLock lock(plan.target);
  writeWithBackupLocked(plan, lines);
}

SaveLock::SaveLock(const fs::path& file) {
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  m_file = folder / ("." + file.stem().string() + ".tavo-lock");
  constexpr int attempts = 10;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    m_fd = ::open(m_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A folder that refuses the lock file refuses the save too, with its own message.
    if (m_fd < 0) return;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(m_fd);
      m_fd = -1;
      if (error == EWOULDBLOCK) throw UserError(anotherSaveMessage(file));
      return;  // a file system without locks: the save goes on unlocked
    }
    // The holder before us removes the file as it lets go: a lock on a removed file is none.
    struct stat locked {
    }, named{};
    if (::fstat(m_fd, &locked) == 0 && ::stat(m_file.c_str(), &named) == 0 &&
        locked.st_ino == named.st_ino && locked.st_dev == named.st_dev)
      return;
    ::close(m_fd);
    m_fd = -1;
  }
  throw UserError(anotherSaveMessage(file));
}

SaveLock::~SaveLock() {
  if (m_fd < 0) return;
  removeQuietly(m_file);
  ::close(m_fd);
}

void writeWithBackup(const BackupPlan& plan, const std::vector<std::string>& lines,
                     const SaveLock& /*held*/) {
  writeWithBackupLocked(plan, lines);
}

std::vector<std::string> readLinesAsWritten(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read: " + reasonOf(errno));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::string content = bytes.str();
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    lines.push_back(content.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace tavo::model
