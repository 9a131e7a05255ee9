// Bond detection on random structures at crystal density: the cell list against the plain
// double loops.
#include <benchmark/benchmark.h>

#include "geometry/bonds.h"
#include "model/dialogs.h"
#include "random_structure.h"

namespace {

using namespace tavo;

class SilentDialogs final : public model::Dialogs {
 public:
  int messages = 0;
  void message(std::string_view) override { ++messages; }
  bool confirm(std::string_view) override { return false; }
  std::optional<std::filesystem::path> chooseFileToOpen(const std::filesystem::path&,
                                                        std::string_view) override {
    return {};
  }
  std::optional<std::filesystem::path> chooseFileToSave(const std::filesystem::path&,
                                                        std::string_view,
                                                        std::string_view) override {
    return {};
  }
};

void reportBonds(benchmark::State& state, const model::StructureModel& s, int messages) {
  state.counters["atoms"] = s.workingAtomCount;
  state.counters["bonds1"] = s.bonds.count(1);
  state.counters["bonds2"] = s.bonds.count(2);
  state.counters["bonds3"] = s.bonds.count(3);
  state.counters["limitMessages"] = messages;
  state.SetComplexityN(s.workingAtomCount);
}

void BM_DetectConnectionGrid(benchmark::State& state) {
  model::StructureModel s = bench::randomCrystal(static_cast<int>(state.range(0)));
  SilentDialogs dialogs;
  geometry::BondWorkspace workspace;
  const geometry::BondThresholds thresholds;
  for (auto _ : state) {
    geometry::DetectConnection(s, thresholds, dialogs, workspace);
    benchmark::DoNotOptimize(s.bonds.kinds[1].data());
  }
  reportBonds(state, s, dialogs.messages);
}
BENCHMARK(BM_DetectConnectionGrid)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_DetectConnectionPlain(benchmark::State& state) {
  model::StructureModel s = bench::randomCrystal(static_cast<int>(state.range(0)));
  SilentDialogs dialogs;
  const geometry::BondThresholds thresholds;
  for (auto _ : state) {
    geometry::detectConnectionPlain(s, thresholds, dialogs);
    benchmark::DoNotOptimize(s.bonds.kinds[1].data());
  }
  reportBonds(state, s, dialogs.messages);
}
BENCHMARK(BM_DetectConnectionPlain)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
// 100,000 atoms by plain loops take tens of seconds: one iteration only.
BENCHMARK(BM_DetectConnectionPlain)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
