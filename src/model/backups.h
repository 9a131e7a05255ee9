// Numbered backups of instruction files, the TAVO stamp of the title line, and replacing a file
// through a temporary file so that a failed write never damages what was on disk.
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
  int number = 0;                   // the number stamped into the title
  std::string title;                // the stamped title line
};

/// Plans the save of `currentFile` (an .ins, a .res or an opened backup name.nnn) whose title
/// line is `title`. Never chooses an existing backup name. Throws UserError naming the folder
/// when none of the numbers 000..999 is free.
BackupPlan planBackup(const std::string& currentFile, std::string_view title,
                      std::string_view dateTimeText);

/// The message of a folder whose backup numbers are all taken.
std::string noFreeBackupMessage(const std::filesystem::path& file);

/// Writes `lines` (each followed by a line feed) to a temporary file beside `file` and renames
/// it over `file`. Throws FileError naming the path and the reason; `file` is then unchanged.
void writeLinesReplacing(const std::filesystem::path& file, const std::vector<std::string>& lines);

/// Writes `lines` to `plan.target` through a temporary file, keeping the file that was there as
/// the backup: the temporary file is written first, then `plan.moveAside` is renamed to
/// `plan.backup`, then the temporary file is renamed to `plan.target`. When a step fails the
/// earlier steps are undone as far as possible and FileError names the path and the reason.
void writeWithBackup(const BackupPlan& plan, const std::vector<std::string>& lines);

/// The lines of a file as written, split at line feeds (nothing trimmed). Throws FileError.
std::vector<std::string> readLinesAsWritten(const std::filesystem::path& file);

}  // namespace tavo::model
