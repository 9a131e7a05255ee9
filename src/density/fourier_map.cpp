#include "density/fourier_map.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

// One thread, and plain malloc for its buffers: its aligned_alloc path asks for sizes that are
// not multiples of the alignment, which C11 does not allow (and AddressSanitizer refuses).
#define POCKETFFT_NO_MULTITHREADING
#define POCKETFFT_NO_VECTORS
// GCC 12 at -O3 sees buffers of the library as maybe uninitialized where they are written first.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <gemmi/third_party/pocketfft_hdronly.h>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace tavo::density {

namespace {

constexpr double pi = std::numbers::pi;

double amplitudeOf(MapType type, double fo, double fc) {
  switch (type) {
    case MapType::FoMinusFc:
      return fo - fc;
    case MapType::TwoFoMinusFc:
      return 2 * fo - fc;
    case MapType::Fo:
      return fo;
  }
  return fo - fc;
}

/// The smallest n ≥ minimum whose only prime factors are 2, 3 and 5, and even.
int fftSize(int minimum) {
  for (int n = std::max(2, minimum);; ++n) {
    if (n % 2 != 0) continue;
    int m = n;
    for (int p : {2, 3, 5})
      while (m % p == 0)
        m /= p;
    if (m == 1) return n;
  }
}

double cellVolume(const std::array<double, 6>& cell) {
  const double toRad = pi / 180;
  const double ca = std::cos(cell[3] * toRad), cb = std::cos(cell[4] * toRad),
               cg = std::cos(cell[5] * toRad);
  return cell[0] * cell[1] * cell[2] *
         std::sqrt(std::max(0.0, 1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg));
}

}  // namespace

std::vector<MapCoefficient> mapCoefficients(const Agreement& agreement, MapType type) {
  std::vector<MapCoefficient> result;
  result.reserve(agreement.fits.size());
  for (const ReflectionFit& fit : agreement.fits) {
    if (!fit.observed) continue;
    const double fo = std::sqrt(std::max(fit.fo2, 0.0));
    // The calculated amplitude with extinction, so that Fo−Fc is flat where the model fits.
    const double fc = std::sqrt(fit.fc2);
    result.push_back({fit.hkl, amplitudeOf(type, fo, fc), std::arg(fit.fc)});
  }
  return result;
}

std::vector<MapCoefficient> mapCoefficients(const FcfData& list6, MapType type) {
  std::vector<MapCoefficient> result;
  result.reserve(list6.rows.size());
  for (const FcfRow& row : list6.rows) {
    const double fo = std::sqrt(std::max(row.fo2, 0.0));
    result.push_back({row.hkl, amplitudeOf(type, fo, row.fc), row.phaseDeg * pi / 180});
  }
  return result;
}

DensityMap fourierMap(const std::vector<MapCoefficient>& coefficients,
                      const std::vector<geometry::SeitzOperator>& operators,
                      const std::array<double, 6>& cell, MapType type, double spacingA) {
  DensityMap map;
  map.type = type;
  std::array<int, 3> maxIndex{};
  for (const MapCoefficient& c : coefficients)
    for (const geometry::SeitzOperator& op : operators) {
      const auto& r = op.r;
      const int turned[3] = {c.hkl.h * r[0] + c.hkl.k * r[3] + c.hkl.l * r[6],
                             c.hkl.h * r[1] + c.hkl.k * r[4] + c.hkl.l * r[7],
                             c.hkl.h * r[2] + c.hkl.k * r[5] + c.hkl.l * r[8]};
      for (std::size_t i = 0; i < 3; ++i)
        maxIndex[i] = std::max(maxIndex[i], std::abs(turned[i]));
    }
  map.nu = fftSize(std::max(static_cast<int>(std::ceil(cell[0] / spacingA)), 2 * maxIndex[0] + 1));
  map.nv = fftSize(std::max(static_cast<int>(std::ceil(cell[1] / spacingA)), 2 * maxIndex[1] + 1));
  map.nw = fftSize(std::max(static_cast<int>(std::ceil(cell[2] / spacingA)), 2 * maxIndex[2] + 1));
  const std::size_t nu = static_cast<std::size_t>(map.nu), nv = static_cast<std::size_t>(map.nv),
                    nw = static_cast<std::size_t>(map.nw);
  std::vector<std::complex<double>> grid(nu * nv * nw);
  const auto slot = [&](int h, int k, int l) -> std::complex<double>& {
    const auto wrap = [](int i, std::size_t n) {
      const int m = static_cast<int>(n);
      return static_cast<std::size_t>(((i % m) + m) % m);
    };
    return grid[wrap(h, nu) + nu * (wrap(k, nv) + nv * wrap(l, nw))];
  };
  for (const MapCoefficient& c : coefficients) {
    if (c.amplitude == 0) continue;
    for (const geometry::SeitzOperator& op : operators) {
      const auto& r = op.r;
      const int h = c.hkl.h * r[0] + c.hkl.k * r[3] + c.hkl.l * r[6];
      const int k = c.hkl.h * r[1] + c.hkl.k * r[4] + c.hkl.l * r[7];
      const int l = c.hkl.h * r[2] + c.hkl.k * r[5] + c.hkl.l * r[8];
      const double shift =
          2 * pi * (c.hkl.h * op.t[0] + c.hkl.k * op.t[1] + c.hkl.l * op.t[2]) / 12.0;
      const std::complex<double> value = std::polar(c.amplitude, c.phaseRad - shift);
      // conj(F) at h makes the backward transform give Σ F exp(−2πi h·x).
      slot(h, k, l) = std::conj(value);
      slot(-h, -k, -l) = value;
    }
  }
  const pocketfft::shape_t shape{nw, nv, nu};
  const auto item = static_cast<std::ptrdiff_t>(sizeof(std::complex<double>));
  const pocketfft::stride_t stride{item * static_cast<std::ptrdiff_t>(nu * nv),
                                   item * static_cast<std::ptrdiff_t>(nu), item};
  pocketfft::c2c<double>(shape, stride, stride, {0, 1, 2}, pocketfft::BACKWARD, grid.data(),
                         grid.data(), 1.0 / cellVolume(cell));
  map.values.resize(grid.size());
  for (std::size_t i = 0; i < grid.size(); ++i)
    map.values[i] = static_cast<float>(grid[i].real());
  computeStatistics(map);
  return map;
}

}  // namespace tavo::density
