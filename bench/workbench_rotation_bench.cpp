// One mouse-move rotation step through the Workbench, redraw included, on synthetic structures
// of zigzag carbon chains (anisotropic C, each with a riding H) drawn by the QPainter canvas
// into a 1600 x 1000 picture, as the main window draws while the hand drags.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// The core headers come before Qt's: ViewFrame has a member named like Qt's "slots" macro.
#include "model/dialogs.h"
#include "workbench/workbench.h"

#include <QGuiApplication>

#include "canvas/qpainter_canvas.h"
#include "qt_benchmark_main.h"
#include "synthetic_chains.h"

namespace {

using namespace tavo;
namespace fs = std::filesystem;

class SilentDialogs final : public model::Dialogs {
 public:
  void message(std::string_view text) override {
    std::fprintf(stderr, "%.*s\n", int(text.size()), text.data());
  }
  bool confirm(std::string_view) override { return false; }
  std::optional<fs::path> chooseFileToOpen(const fs::path&, std::string_view) override {
    return std::nullopt;
  }
  std::optional<fs::path> chooseFileToSave(const fs::path&, std::string_view,
                                           std::string_view) override {
    return std::nullopt;
  }
};

/// The pause after a step is the window's throttle, not drawing time: it is left out.
class NoPauseClock final : public model::Clock {
 public:
  std::string dateTimeText() override { return "01/01/2025 00:00:00"; }
  void pause(int milliseconds) override { lastPause = milliseconds; }
  int lastPause = 0;
};

/// A program folder (data/ with raised limits) holding big.ins with `carbons` chain carbons.
fs::path makeProgramFolder(int carbons) {
  const fs::path folder =
      fs::temp_directory_path() / ("tavo_rotation_bench_" + std::to_string(carbons));
  bench::writeProgramFolder(folder, carbons);
  bench::writeChainStructure(folder / "big.ins", carbons);
  return folder;
}

// Arguments: carbons (each with a riding H), labels shown (0/1).
void BM_MouseRotationStep(benchmark::State& state) {
  const int carbons = static_cast<int>(state.range(0));
  const fs::path folder = makeProgramFolder(carbons);
  const fs::path startFolder = fs::current_path();
  SilentDialogs dialogs;
  NoPauseClock clock;
  canvas::QPainterCanvas canvas(1600, 1000);
  {
    workbench::Workbench bench(dialogs, canvas, clock, folder);
    bench.run([&] { bench.viewCommands().resizePane(1600, 1000); });
    bench.run(
        [&] { bench.fileCommands().open(folder / "big.ins", workbench::OpenedFrom::CommandLine); });
    if (!bench.hasStructure()) {
      state.SkipWithError("big.ins was not read");
      return;
    }
    if (state.range(1) == 0)
      bench.run(
          [&] { bench.viewCommands().setDisplayFlag(workbench::DisplayFlag::Labels, false); });
    const editing::ScreenPoint centre{800, 500};
    bench.run([&] { bench.modeCommands().mouseDown({centre, editing::Button::Left, {}}); });
    int step = 0;
    for (auto _ : state) {
      // A hand moving a few pixels per event, back and forth so the picture stays in view.
      const int dx = (step / 20) % 2 == 0 ? 3 : -3;
      ++step;
      bench.run([&] {
        bench.modeCommands().mouseMove(
            {{centre.x + dx * (step % 20), centre.y + 1}, editing::Button::Left, {}});
      });
      benchmark::DoNotOptimize(canvas.image().constBits());
    }
    bench.run([&] { bench.modeCommands().mouseUp({centre, editing::Button::Left, {}}); });
    state.counters["entries"] =
        bench.structure().workingAtomCount + bench.structure().workingHCount;
    state.counters["pause_ms"] = clock.lastPause;
  }
  fs::current_path(startFolder);
  fs::remove_all(folder);
  state.SetComplexityN(carbons);
}
BENCHMARK(BM_MouseRotationStep)
    ->ArgsProduct({{1000, 10000}, {1, 0}})
    ->ArgNames({"carbons", "labels"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tavo::bench::runBenchmarksWithQtGui(argc, argv);
}
