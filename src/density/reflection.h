// Reflections as the refinement program reads and writes them: indices, observed intensity and
// its standard uncertainty, and the HKLF card that says how the reflection file is to be read.
#pragma once

#include <array>
#include <compare>
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

/// The HKLF card: "HKLF n [s r11 r12 r13 r21 r22 r23 r31 r32 r33 [sm m]]". The data are read
/// with Fo² and σ multiplied by `scale` and the indices transformed by `matrix` (row by row,
/// h' = matrix · h).
struct HklfCard {
  int type = 4;
  double scale = 1;
  std::array<double, 9> matrix{1, 0, 0, 0, 1, 0, 0, 0, 1};
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

struct FcfData {
  int list = 4;  // 4: h k l Fc² Fo² σ status; 6: h k l Fo² σ Fc φ
  std::vector<FcfRow> rows;
};

}  // namespace tavo::density
