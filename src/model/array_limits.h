// The seven capacities of the structure tables, read from array_max.inf in the program folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "model/read_options.h"

namespace tavo::model {

class Dialogs;

struct ArrayLimits {
  int expMax = 10000;          // exp_max: all atoms including symmetry-generated copies
  int atmMax = 1000;           // atm_max: non-H atoms, and equally H atoms and peaks
  int elemMax = 30;            // elem_max: ElementTable entries (elem_max - 1 usable)
  int symMax = 200;            // sym_max: expansion operations
  int conMax = 30000;          // con_max: bonds of each kind (con_max - 1 usable)
  int cmdMax = 500;            // cmd_max: instruction lines
  std::uint16_t frgMax = 300;  // frg_max: atoms of a locating fragment
  friend bool operator==(const ArrayLimits&, const ArrayLimits&) = default;
};

inline constexpr std::string_view arrayLimitsFileName = "array_max.inf";
/// Shown (followed by the file's path) when array_max.inf is created with the defaults.
inline constexpr std::string_view newArrayLimitsFileMessage =
    "number of maximum numbers of atoms will be set in a newly created file: ";

/// The largest frg_max: the locating tool's fragment lists are indexed by 16-bit numbers.
inline constexpr int largestFragmentLimit = 65535;

/// Reads array_max.inf from `programFolder`, creating it with the defaults (and telling the
/// user) when it is missing; with `options.writeFiles` false a missing file gives the defaults
/// and nothing is written or shown. Throws ConversionError for a limit line that is not a whole
/// number from column 71 on, and UserError naming the limit and array_max.inf for a value out of
/// range (frg_max above 65535); `limits` then keeps the values read before that line.
void readArrayLimits(const std::filesystem::path& programFolder, ArrayLimits& limits,
                     Dialogs& dialogs, const ReadOptions& options = {});

}  // namespace tavo::model
