// Backup numbering, the TAVO title stamp and file replacement through a temporary file.
#include "model/backups.h"

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

// Renames `from` to the backup name `to`, which must not exist: rename() would replace it.
void moveToBackup(const fs::path& from, const fs::path& to, const fs::path& temporary) {
  if (fileExists(to)) {
    removeQuietly(temporary);
    throw FileError(to, "already exists and is not overwritten");
  }
  std::error_code error;
  fs::rename(from, to, error);
  if (error) {
    removeQuietly(temporary);
    throw FileError(from, "cannot be renamed to " + to.string() + ": " + error.message());
  }
}

void moveBack(const fs::path& backup, const fs::path& original) {
  std::error_code ignored;
  fs::rename(backup, original, ignored);
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

void writeWithBackup(const BackupPlan& plan, const std::vector<std::string>& lines) {
  const fs::path temporary = writeTemporaryBeside(plan.target, joinLines(lines));
  const bool moving = !plan.moveAside.empty();
  const bool movingInput = !plan.previousInput.empty();
  if (moving) moveToBackup(plan.moveAside, plan.backup, temporary);
  if (movingInput) {
    try {
      moveToBackup(plan.previousInput, plan.previousInputBackup, temporary);
    } catch (const FileError&) {
      if (moving) moveBack(plan.backup, plan.moveAside);
      throw;
    }
  }
  try {
    placeTemporary(temporary, plan.target);
  } catch (const FileError&) {
    if (movingInput) moveBack(plan.previousInputBackup, plan.previousInput);
    if (moving) moveBack(plan.backup, plan.moveAside);
    throw;
  }
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
