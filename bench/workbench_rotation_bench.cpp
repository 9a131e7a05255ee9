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

#include "app/canvas/qpainter_canvas.h"
#include "qt_benchmark_main.h"

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

std::string suffix(int number) {
  static constexpr char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string text(3, '0');
  for (int i = 2; i >= 0; --i) {
    text[static_cast<size_t>(i)] = digits[number % 36];
    number /= 36;
  }
  return text;
}

/// A program folder (data/ with raised limits) holding big.ins with `carbons` chain carbons at
/// about 18 Å³ each; the same structure as bench/big_structure.py writes.
fs::path makeProgramFolder(int carbons) {
  const fs::path folder =
      fs::temp_directory_path() / ("tavo_rotation_bench_" + std::to_string(carbons));
  fs::create_directories(folder);
  fs::copy(fs::path(TAVO_SOURCE_DIR) / "data", folder,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  {
    std::ofstream limits(folder / "array_max.inf");
    const auto line = [&](const char* text, int value) {
      std::string row = text;
      row.resize(75, ' ');
      limits << row << value << '\n';
    };
    line("Maximum number of all atoms including expanded atoms (exp_max):", 4 * carbons + 1000);
    line("Maximum number of non-H atoms = Maximum number of H atoms (atm_max):", 2 * carbons + 100);
    line("Maximum number of elements to be handled (elem_max):", 30);
    line("Maximum number of symmetry operations (sym_max):", 200);
    line("Maximum number of bond connections to be handled (con_max):", 4 * carbons + 1000);
    line("Maximum number of command lines in ins/res files (cmd_max):", 500);
    line("Maximum number of atoms for the locating fragments (frg_max):", 300);
  }
  constexpr int perChain = 50, columns = 10;
  constexpr double stepX = 1.26, wiggle = 0.44, spacing = 3.8;
  const int chains = (carbons + perChain - 1) / perChain;
  const int rows = (chains + columns - 1) / columns;
  const double a = perChain * stepX, b = columns * spacing, c = rows * spacing;
  std::ofstream ins(folder / "big.ins");
  char buffer[200];
  std::snprintf(buffer, sizeof buffer, "CELL 0.71073 %.4f %.4f %.4f 90 90 90\n", a, b, c);
  ins << "TITL big synthetic chains\n"
      << buffer << "ZERR 1 0.001 0.001 0.001 0 0 0\nLATT -1\n"
      << "SFAC C H\nUNIT " << carbons << ' ' << carbons << "\nL.S. 4\nPLAN 20\nFMAP 2\n"
      << "WGHT 0.1\nFVAR 1.00000\n";
  for (int i = 0; i < carbons; ++i) {
    const int chain = i / perChain, k = i % perChain;
    const double x = (k + 0.25) * stepX;
    const double y = (chain % columns + 0.5) * spacing + (k % 2 ? wiggle : -wiggle);
    const double z = (chain / columns + 0.5) * spacing;
    const double hz = z + (k % 2 ? 0.96 : -0.96);
    const std::string name = suffix(i + 1);
    std::snprintf(buffer, sizeof buffer,
                  "C%s  1  %.5f  %.5f  %.5f  11.00000  0.05000  0.04000 =\n"
                  "    0.06000  0.00200  0.00300  0.00100\nAFIX 43\n",
                  name.c_str(), x / a, y / b, z / c);
    ins << buffer;
    std::snprintf(buffer, sizeof buffer, "H%s  2  %.5f  %.5f  %.5f  11.00000  -1.20000\nAFIX 0\n",
                  name.c_str(), x / a, y / b, hz / c);
    ins << buffer;
  }
  ins << "HKLF 4\nEND\n";
  return folder;
}

// Arguments: carbons (each with a riding H), labels shown (0/1).
void BM_MouseRotationStep(benchmark::State& state) {
  const int carbons = static_cast<int>(state.range(0));
  const fs::path folder = makeProgramFolder(carbons);
  const fs::path startFolder = fs::current_path();
  SilentDialogs dialogs;
  NoPauseClock clock;
  app::QPainterCanvas canvas(1600, 1000);
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
