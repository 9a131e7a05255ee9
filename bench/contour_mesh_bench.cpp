// The contour mesh of a map of Gaussian blobs, one per atom of a random structure at crystal
// density (18 Å³ per atom, 0.25 Å grid spacing), over the cell and a margin of a tenth of it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "density/density_map.h"

namespace {

using namespace tavo;

constexpr double spacingA = 0.25;
constexpr double sigmaA = 0.5;

/// Blobs of random sign and height 0.5..1.5 e/Å³ at random positions in a cubic cell.
density::DensityMap blobMap(int atoms, unsigned seed = 7) {
  const double edge = std::cbrt(18.0 * atoms);
  const int n = static_cast<int>(std::ceil(edge / spacingA));
  density::DensityMap map;
  map.nu = map.nv = map.nw = n;
  map.values.assign(static_cast<size_t>(n) * n * n, 0.0f);
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> fraction(0, 1);
  std::uniform_real_distribution<double> height(0.5, 1.5);
  const int reach = static_cast<int>(std::ceil(3 * sigmaA / edge * n));
  const double step = edge / n;
  for (int a = 0; a < atoms; ++a) {
    const double x = fraction(random) * n, y = fraction(random) * n, z = fraction(random) * n;
    const double peak = (a % 2 == 0 ? 1 : -1) * height(random);
    const int cu = static_cast<int>(x), cv = static_cast<int>(y), cw = static_cast<int>(z);
    for (int w = cw - reach; w <= cw + reach; ++w)
      for (int v = cv - reach; v <= cv + reach; ++v)
        for (int u = cu - reach; u <= cu + reach; ++u) {
          const double dx = (u - x) * step, dy = (v - y) * step, dz = (w - z) * step;
          const double r2 = dx * dx + dy * dy + dz * dz;
          const size_t at = static_cast<size_t>((u % n + n) % n) +
                            static_cast<size_t>(n) * (static_cast<size_t>((v % n + n) % n) +
                                                      static_cast<size_t>(n) * ((w % n + n) % n));
          map.values[at] += static_cast<float>(peak * std::exp(-r2 / (2 * sigmaA * sigmaA)));
        }
  }
  density::computeStatistics(map);
  return map;
}

void BM_ContourMesh(benchmark::State& state) {
  const int atoms = static_cast<int>(state.range(0));
  const density::DensityMap map = blobMap(atoms);
  const density::FractionalBox box{{-0.1, -0.1, -0.1}, {1.1, 1.1, 1.1}};
  const double level = 3 * map.rms;
  size_t segments = 0;
  for (auto _ : state) {
    const density::ContourMesh mesh = density::contourMesh(map, box, level);
    segments = mesh.positive.size() + mesh.negative.size();
    benchmark::DoNotOptimize(mesh.positive.data());
  }
  const double points = std::pow(std::ceil(1.2 * map.nu), 3);
  state.counters["gridPoints"] = points;
  state.counters["segments"] = static_cast<double>(segments);
  state.SetComplexityN(atoms);
}
BENCHMARK(BM_ContourMesh)
    ->Arg(25)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1600)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
