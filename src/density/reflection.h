// Reflections as the refinement program reads and writes them: indices, observed intensity and
// its standard uncertainty, and the HKLF card that says how the reflection file is to be read.
#pragma once

#include <array>
#include <compare>
#include <optional>
#include <string>
#include <vector>

namespace tavo::density {

struct Miller {
  int h = 0, k = 0, l = 0;
  friend bool operator==(const Miller&, const Miller&) = default;
  friend auto operator<=>(const Miller&, const Miller&) = default;
};

/// One row of a reflection file: Fo² and σ(Fo²) on the file's scale, the batch number (0 when
/// the file has no batch column).
struct Reflection {
  Miller hkl;
  double fo2 = 0;
  double sigma = 0;
  int batch = 0;
  friend bool operator==(const Reflection&, const Reflection&) = default;
};

/// The HKLF card: "HKLF n [s r11 r12 r13 r21 r22 r23 r31 r32 r33 [wt m]]". The data are read
/// with Fo² and σ multiplied by `scale` and the indices transformed by `matrix` (row by row,
/// h' = matrix · h).
struct HklfCard {
  int type = 4;
  double scale = 1;
  std::array<double, 9> matrix{1, 0, 0, 0, 1, 0, 0, 0, 1};
  double weight = 1;  // wt: multiplies SHELXL's 1/σ² weights; kept as read, not applied here
  int offset = 0;     // m: the index offset of condensed (HKLF 1) data; kept as read
  friend bool operator==(const HklfCard&, const HklfCard&) = default;
};

/// One row of a .fcf file. LIST 4 rows fill fc2, fo2, sigma and status; LIST 6 rows fill fo2,
/// sigma, fc and phaseDeg.
struct FcfRow {
  Miller hkl;
  double fo2 = 0;
  double sigma = 0;
  double fc2 = 0;
  double fc = 0;
  double phaseDeg = 0;
  char status = 'o';
  friend bool operator==(const FcfRow&, const FcfRow&) = default;
};

/// The CIF items in front of the reflection loop of a .fcf file that the program uses.
struct FcfHeader {
  std::string blockName;                        // after "data_"
  std::string title;                            // _shelx_title; omitted when empty
  double fCalcMaximum = 0;                      // _shelx_F_calc_maximum
  double f000 = 0;                              // _exptl_crystal_F_000
  double resolutionHighA = 0;                   // _reflns_d_resolution_high
  std::optional<std::array<double, 6>> cell;    // a, b, c (Å), alpha, beta, gamma (degrees)
  std::vector<std::string> symmetryOperations;  // _space_group_symop_operation_xyz, as written
  friend bool operator==(const FcfHeader&, const FcfHeader&) = default;
};

struct FcfData {
  int list = 4;  // 4: h k l Fc² Fo² σ status; 6: h k l Fo² σ Fc φ
  FcfHeader header;
  std::vector<FcfRow> rows;
};

}  // namespace tavo::density
