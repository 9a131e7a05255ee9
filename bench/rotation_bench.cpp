// One rotation step of the view coordinates of random structures at crystal density.
#include <benchmark/benchmark.h>

#include "geometry/view_frame.h"
#include "random_structure.h"
#include "view/view_state.h"

namespace {

using namespace tavo;

void BM_RotationStep(benchmark::State& state) {
  model::StructureModel s = bench::randomCrystal(static_cast<int>(state.range(0)));
  geometry::ViewFrame frame;
  geometry::computeCellOutline(s, frame);
  geometry::resetViewCoordinates(s, frame, false);
  for (auto _ : state) {
    view::rotateView(s, frame, view::Axis::X, 0.01, false);
    benchmark::DoNotOptimize(&s.view[1][1]);
  }
  state.counters["entries"] = s.workingAtomCount + s.workingHCount + s.workingPeakCount;
  state.SetComplexityN(s.workingAtomCount);
}
BENCHMARK(BM_RotationStep)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity();

void BM_InPlaneRotationStep(benchmark::State& state) {
  model::StructureModel s = bench::randomCrystal(static_cast<int>(state.range(0)));
  geometry::ViewFrame frame;
  geometry::computeCellOutline(s, frame);
  geometry::resetViewCoordinates(s, frame, false);
  for (auto _ : state) {
    view::rotateViewInPlane(s, frame, 0.4, 0.01, false);
    benchmark::DoNotOptimize(&s.view[1][1]);
  }
  state.SetComplexityN(s.workingAtomCount);
}
BENCHMARK(BM_InPlaneRotationStep)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity();

}  // namespace

BENCHMARK_MAIN();
