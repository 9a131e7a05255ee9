// Reading and creating array_max.inf.
#include "model/array_limits.h"

#include <fstream>
#include <string>

#include "model/dialogs.h"
#include "model/file_replace.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

// Tables are allocated in full at every load; a typing slip must not ask for gigabytes.
constexpr int maximumLimit = 5'000'000;

constexpr const char* limitNames[] = {"exp_max", "atm_max", "elem_max", "sym_max",
                                      "con_max", "cmd_max", "frg_max"};

constexpr const char* noteLine =
    "Note!: the value given in the end of each line should start, at least, after 71st letter "
    "of the line. The example starts at 76th character.";

constexpr const char* defaultLines[] = {
    "Maximum number of all atoms including expanded atoms (exp_max):           10000",
    "Maximum number of non-H atoms = Maximum number of H atoms (atm_max):      1000",
    "Maximum number of elements to be handled (elem_max):                       30",
    "Maximum number of symmetry operations (sym_max):                           200",
    "Maximum number of bond connections to be handled (con_max):               30000",
    "Maximum number of command lines in ins/res files (cmd_max):                500",
    "Maximum number of atoms for the locating fragments (frg_max):              300",
    "",
    noteLine,
};

void createDefaultFile(const std::filesystem::path& file) {
  std::string bytes;
  for (const char* line : defaultLines) {
    bytes += line;
    bytes += "\r\n";
  }
  replaceFileContents(file, bytes);
}

}  // namespace

void readArrayLimits(const std::filesystem::path& programFolder, ArrayLimits& limits,
                     Dialogs& dialogs, const ReadOptions& options) {
  const std::filesystem::path file = programFolder / arrayLimitsFileName;
  if (!std::filesystem::exists(file)) {
    if (!options.writeFiles) {
      limits = ArrayLimits{};
      return;
    }
    dialogs.message(std::string(newArrayLimitsFileMessage) + file.string());
    createDefaultFile(file);
    limits = ArrayLimits{};
    return;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read");
  std::string raw;
  for (int lineNumber = 0; lineNumber < 7 && std::getline(in, raw); ++lineNumber) {
    const std::string line = text::trimLine(raw);
    const std::string value = line.size() >= 71 ? line.substr(70) : std::string();
    const int number = text::parseInt(value);
    // frg_max indexes 16-bit fragment lists: a larger value would wrap, not raise the limit.
    const int largest = lineNumber == 6 ? largestFragmentLimit : maximumLimit;
    if (number < 2 || number > largest) {
      throw UserError(file.string() + ", line " + std::to_string(lineNumber + 1) + ": the limit " +
                      limitNames[lineNumber] + " = " + std::to_string(number) +
                      " must lie between 2 and " + std::to_string(largest) + ".");
    }
    switch (lineNumber) {
      case 0:
        limits.expMax = number;
        break;
      case 1:
        limits.atmMax = number;
        break;
      case 2:
        limits.elemMax = number;
        break;
      case 3:
        limits.symMax = number;
        break;
      case 4:
        limits.conMax = number;
        break;
      case 5:
        limits.cmdMax = number;
        break;
      default:
        limits.frgMax = static_cast<std::uint16_t>(number);
        break;
    }
  }
}

}  // namespace tavo::model
