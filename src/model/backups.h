// Numbered backups of instruction files, the TAVO stamp of the title line, and saving through a
// temporary file so that a failed write never damages what was on disk.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

/// The mark that ends a stamped title line.
inline constexpr std::string_view tavoMark = " TAVO";
/// Highest backup number; backups are name.000 .. name.999.
inline constexpr int lastBackupNumber = 999;

/// `number` as three digits with leading zeros ("007").
std::string threeDigits(int number);

/// The title stamped for a save: the first 49 characters of `title` (padded with blanks to 49
/// first when `pad`), three blanks, `dateTimeText` made exactly 19 characters long, a blank, the
/// backup number in three digits and " TAVO". A padded stamp is exactly 80 characters long.
std::string stampTitle(std::string_view title, std::string_view dateTimeText, int number, bool pad);

/// The backup number of a title that ends with "TAVO": the three characters before the last
/// five. Empty when the title is not stamped or those characters are not a whole number.
std::optional<int> findStampedNumber(std::string_view title);

/// The first number from `start` up to 999, then from 0 up, for which `base` followed by the
/// number in three digits does not exist. `base` ends with the point ("…/name."). Empty when all
/// of 000..999 exist.
std::optional<int> findFreeBackupNumber(const std::string& base, int start);

/// What one save does with the files: where the new file goes, which file is moved aside and
/// under which name, and the title line that carries the backup number.
struct BackupPlan {
  std::filesystem::path target;     // the file to write (name.ins)
  std::filesystem::path moveAside;  // the existing file to keep as a backup; empty when none
  std::filesystem::path backup;     // the name it is kept under (name.007)
  /// When a .res is saved as name.ins and name.ins exists (the input of the last SHELXL run),
  /// that file too is kept, under the next free number after `backup`; both empty otherwise.
  std::filesystem::path previousInput;
  std::filesystem::path previousInputBackup;
  int number = 0;     // the number stamped into the title
  std::string title;  // the stamped title line
};

/// Plans the save of `currentFile` (an .ins, a .res or an opened backup name.nnn) whose title
/// line is `title`. Never chooses an existing backup name and never plans to replace a file that
/// is not kept as a backup. Throws UserError naming the folder when the numbers 000..999 that
/// are free do not suffice.
BackupPlan planBackup(const std::string& currentFile, std::string_view title,
                      std::string_view dateTimeText);

/// The message of a folder whose backup numbers are all taken.
std::string noFreeBackupMessage(const std::filesystem::path& file);

/// The refusal of a save while another save of the same structure runs: the prefix, the file
/// name, the suffix.
inline constexpr std::string_view anotherSavePrefix = "Another save of ";
inline constexpr std::string_view anotherSaveSuffix =
    " is running (in this or another window). Wait until it has finished and save again.";
std::string anotherSaveMessage(const std::filesystem::path& file);

/// One save of a structure at a time, across processes: an exclusive lock on the file
/// ".NAME.tavo-lock" beside `file` (NAME its name without extension, so name.res, name.ins and
/// name.007 share it), held until destruction, which removes the file. Throws UserError
/// (anotherSaveMessage) while another save holds it. Where the folder refuses the lock file or
/// the file system has no locks, nothing is locked (the save then meets the folder's refusal).
class SaveLock {
 public:
  explicit SaveLock(const std::filesystem::path& file);
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;
  ~SaveLock();

 private:
  std::filesystem::path m_file;
  int m_fd = -1;
};

/// Writes `lines` to `plan.target` so that the target exists at every instant, as the old or the
/// new file: the new contents go to a fsynced temporary file; `plan.moveAside` is kept as
/// `plan.backup` and `plan.previousInput` as `plan.previousInputBackup` (hard links, or copies
/// where links are refused; an existing backup is never replaced); then one rename puts the
/// temporary file in place; a moved-aside file of another name (a saved .res) is removed last.
/// Refuses a read-only target (readOnlyReason). When a step fails, the backups made are removed
/// and FileError names the path and the reason. Takes the SaveLock of `plan.target`.
void writeWithBackup(const BackupPlan& plan, const std::vector<std::string>& lines);
/// The same for a caller that holds the structure's SaveLock already (planned under it).
void writeWithBackup(const BackupPlan& plan, const std::vector<std::string>& lines,
                     const SaveLock& held);

/// The lines of a file as written, split at line feeds (nothing trimmed). Throws FileError.
std::vector<std::string> readLinesAsWritten(const std::filesystem::path& file);

}  // namespace tavo::model
