// The density commands beside the open they follow: a structure opened as `tavo-cli info` opens
// it, then also compared with its reflections (`fcalc`), then also its difference map and peak
// search (`map`), on the same files, so that the ratios can be read off one run; and a change of
// the contour level with the map shown, picture drawn, for synthetic chain structures whose
// reflections are their own calculated ones.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

// The core headers come before Qt's: ViewFrame has a member named like Qt's "slots" macro.
#include "model/dialogs.h"
#include "view/canvas.h"
#include "workbench/workbench.h"

#include <QGuiApplication>

#include "canvas/qpainter_canvas.h"
#include "qt_benchmark_main.h"
#include "synthetic_chains.h"

namespace {

using namespace tavo;
namespace fs = std::filesystem;

/// Dialogs without a user that drop every message: the notes of each open are not timed output.
class SilentDialogs final : public model::Dialogs {
 public:
  void message(std::string_view) override {}
  bool confirm(std::string_view) override { return false; }
  std::optional<fs::path> chooseFileToOpen(const fs::path&, std::string_view) override {
    return std::nullopt;
  }
  std::optional<fs::path> chooseFileToSave(const fs::path&, std::string_view,
                                           std::string_view) override {
    return std::nullopt;
  }
};

class FixedClock final : public model::Clock {
 public:
  std::string dateTimeText() override { return "01/01/2025 00:00:00"; }
  void pause(int) override {}
};

/// Draws nothing: the time of a command without its picture.
class NullCanvas final : public view::Canvas {
 public:
  void rectangle(int, int, int, int) override {}
  void ellipse(int, int, int, int) override {}
  void line(int, int, int, int) override {}
  void text(int, int, std::string_view) override {}
};

/// A structure with its .hkl beside it in a temporary folder of its own.
struct DataSet {
  fs::path folder;
  fs::path structure;
};

/// Data set 0: our example without O1 against the full example's reflections (tests/data);
/// data set 1: the corpus structure with its .hkl, when the corpus is beside the checkout.
std::optional<DataSet> copyDataSet(int which) {
  const fs::path root(TAVO_SOURCE_DIR);
  fs::path res, hkl;
  if (which == 0) {
    res = root / "tests/data/density/paraben_no_o1.res";
    hkl = root / "tests/data/density/paraben.hkl";
  } else {
    const fs::path corpus = root / "../shared/corpus";
    res = corpus / "shelxl/logbooker_dom1_mC.res";
    hkl = corpus / "hkl/logbooker_dom1_mC.hkl";
  }
  if (!fs::exists(res) || !fs::exists(hkl)) return std::nullopt;
  DataSet set;
  set.folder = fs::temp_directory_path() / ("tavo_density_bench_" + std::to_string(which));
  fs::create_directories(set.folder);
  set.structure = set.folder / res.filename();
  fs::copy_file(res, set.structure, fs::copy_options::overwrite_existing);
  fs::copy_file(hkl, fs::path(set.structure).replace_extension(".hkl"),
                fs::copy_options::overwrite_existing);
  return set;
}

/// What each iteration does after the open.
enum class Step { Open, Agreement, MapAndPeaks };

/// Arguments: data set (0 ours, 1 the corpus file), step (0 open as `info`, 1 and the agreement
/// as `fcalc`, 2 and the Fo−Fc map with its peak search as `map`).
void BM_DensityCommand(benchmark::State& state) {
  const std::optional<DataSet> set = copyDataSet(static_cast<int>(state.range(0)));
  if (!set) {
    state.SkipWithError("the corpus is not beside the checkout");
    return;
  }
  const Step step = static_cast<Step>(state.range(1));
  SilentDialogs dialogs;
  FixedClock clock;
  NullCanvas canvas;
  // As tavo-cli's query commands set it up: no files written, no picture settings.
  workbench::Workbench bench(dialogs, canvas, clock, fs::path(TAVO_SOURCE_DIR) / "data");
  bench.state().readOptions.writeFiles = false;
  bench.state().picturesShown = false;
  bench.run([&] { bench.viewCommands().resizePane(1000, 800); });
  for (auto _ : state) {
    bench.run([&] { bench.fileCommands().open(set->structure, workbench::OpenedFrom::Batch); });
    if (step == Step::Agreement) bench.run([&] { bench.density().computeAgreement(); });
    if (step == Step::MapAndPeaks)
      bench.run([&] { bench.density().computeMap(density::MapType::FoMinusFc); });
  }
  if (!bench.hasStructure()) {
    state.SkipWithError("the structure was not read");
    return;
  }
  const model::StructureModel& s = bench.structure();
  state.counters["atoms"] = s.nonHCount + s.hCount;
  if (const auto& agreement = bench.density().agreement())
    state.counters["reflections"] = agreement->reflections;
  if (const auto& map = bench.density().map()) {
    state.counters["grid"] = static_cast<double>(map->nu) * map->nv * map->nw;
    state.counters["peaks"] = static_cast<double>(bench.density().mapPeaks().size());
  }
  fs::remove_all(set->folder);
}
BENCHMARK(BM_DensityCommand)
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->ArgNames({"data", "step"})
    ->Unit(benchmark::kMillisecond);

constexpr double dMinA = 0.9;

/// Every reflection of the half sphere l >= 0 to dMinA of an orthogonal cell, Fo² = 100.
void writeFlatHkl(const fs::path& file, double a, double b, double c) {
  std::ofstream out(file);
  char row[64];
  const int hMax = static_cast<int>(a / dMinA), kMax = static_cast<int>(b / dMinA),
            lMax = static_cast<int>(c / dMinA);
  for (int h = -hMax; h <= hMax; ++h)
    for (int k = -kMax; k <= kMax; ++k)
      for (int l = 0; l <= lMax; ++l) {
        const double inverseD2 = h * h / (a * a) + k * k / (b * b) + l * l / (c * c);
        if (inverseD2 == 0 || inverseD2 > 1 / (dMinA * dMinA)) continue;
        std::snprintf(row, sizeof row, "%4d%4d%4d%8.2f%8.2f\n", h, k, l, 100.0, 1.0);
        out << row;
      }
  out << "   0   0   0    0.00    0.00\n";
}

/// Rewrites `file` with the model's own |Fc|² as Fo² (scaled into the F8.2 columns), σ 2 %.
void writeOwnHkl(const fs::path& file, const density::Agreement& agreement) {
  double largest = 1;
  for (const density::ReflectionFit& fit : agreement.fits)
    largest = std::max(largest, std::norm(fit.fc));
  const double scale = 50000 / largest;
  std::ofstream out(file);
  char row[64];
  for (const density::ReflectionFit& fit : agreement.fits) {
    const double fo2 = scale * std::norm(fit.fc);
    std::snprintf(row, sizeof row, "%4d%4d%4d%8.2f%8.2f\n", fit.hkl.h, fit.hkl.k, fit.hkl.l, fo2,
                  0.02 * fo2 + 0.5);
    out << row;
  }
  out << "   0   0   0    0.00    0.00\n";
}

/// Arguments: carbons (each with a riding H), canvas (0 draws nothing, 1 QPainter 1600 x 1000).
void BM_ContourLevelChange(benchmark::State& state) {
  const int carbons = static_cast<int>(state.range(0));
  const fs::path folder =
      fs::temp_directory_path() / ("tavo_density_level_bench_" + std::to_string(carbons));
  bench::writeProgramFolder(folder, carbons);
  const fs::path ins = folder / "chains.ins";
  bench::writeChainStructure(ins, carbons);
  SilentDialogs dialogs;
  FixedClock clock;
  NullCanvas nullCanvas;
  std::unique_ptr<canvas::QPainterCanvas> picture;
  if (state.range(1) != 0) picture = std::make_unique<canvas::QPainterCanvas>(1600, 1000);
  view::Canvas& canvas = picture ? static_cast<view::Canvas&>(*picture) : nullCanvas;
  {
    workbench::Workbench bench(dialogs, canvas, clock, folder);
    bench.run([&] { bench.viewCommands().resizePane(1600, 1000); });
    bench.run([&] { bench.fileCommands().open(ins, workbench::OpenedFrom::CommandLine); });
    if (!bench.hasStructure()) {
      state.SkipWithError("chains.ins was not read");
      return;
    }
    const model::StructureModel& s = bench.structure();
    const fs::path hkl = fs::path(ins).replace_extension(".hkl");
    writeFlatHkl(hkl, s.cell.a, s.cell.b, s.cell.c);
    workbench::DensityCommands& density = bench.density();
    bool ready = bench.run([&] { writeOwnHkl(hkl, density.computeAgreement()); });
    // The 2Fo−Fc map of a model against its own data: the atoms' density, contoured around them.
    ready = ready && bench.run([&] {
      density.setReflectionFile(hkl);
      density.setMapType(1);
      density.showMap(true);
    });
    if (!ready || !density.map()) {
      state.SkipWithError("the map was not computed");
      return;
    }
    int step = 0;
    for (auto _ : state) {
      // A user stepping the level up and down between 1 and 2 σ.
      const double level = 1.0 + 0.25 * (step++ % 5);
      bench.run([&] { density.setLevel(level); });
      if (picture) benchmark::DoNotOptimize(picture->image().constBits());
    }
    const density::DensityMap& map = *density.map();
    state.counters["atoms"] = s.nonHCount + s.hCount;
    state.counters["reflections"] = density.agreement()->reflections;
    state.counters["grid"] = static_cast<double>(map.nu) * map.nv * map.nw;
    state.counters["segments"] = static_cast<double>(bench.state().mapOverlay.positive.size() +
                                                     bench.state().mapOverlay.negative.size());
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_ContourLevelChange)
    ->ArgsProduct({{50, 200}, {0, 1}})
    ->ArgNames({"carbons", "canvas"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tavo::bench::runBenchmarksWithQtGui(argc, argv);
}
