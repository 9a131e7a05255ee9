// Redraw of the standard picture into a 1600 x 1000 image through the QPainter canvas, for
// random structures at crystal density.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

// The core headers come before Qt's: ViewFrame has a member named like Qt's "slots" macro.
#include "geometry/bonds.h"
#include "geometry/view_frame.h"
#include "model/dialogs.h"
#include "random_structure.h"
#include "view/graphics_settings.h"
#include "view/renderer.h"
#include "view/view_state.h"

#include <QGuiApplication>

#include "canvas/qpainter_canvas.h"
#include "qt_benchmark_main.h"

namespace {

using namespace tavo;

view::GraphicsSettings benchSettings() {
  view::GraphicsSettings s;
  s.backgroundColor = 0xFFFFFF;
  s.nonHBondColor = 0x404040;
  s.hStickColor = 0x909090;
  s.peakBondColor = 0x008CE6;
  s.nonHLabelColor = 0;
  s.hLabelColor = 0x006E00;
  s.peakLabelColor = 0x0064C8;
  return s;
}

// Arguments: atoms, labels shown (0/1), antialiased lines (0/1).
void BM_RedrawStandardPicture(benchmark::State& state) {
  const int atoms = static_cast<int>(state.range(0));
  model::StructureModel structure = bench::randomCrystal(atoms);
  structure.elements[1].colorCode = 0x808080;
  structure.elements[2].colorCode = 0xFF3030;
  structure.elements[3].colorCode = 0x2020FF;
  geometry::ViewFrame frame;
  geometry::computeCellOutline(structure, frame);
  view::ViewState view;
  view.InitGraphics(1600, 1000);
  view.DetectMaxMin(structure, frame, true, true, false);
  model::CollectingDialogs dialogs;
  geometry::DetectConnection(structure, geometry::BondThresholds{}, dialogs);
  view::RenderOptions options;
  options.showLabels = state.range(1) != 0;
  const view::GraphicsSettings settings = benchSettings();
  canvas::QPainterCanvas canvas(1600, 1000);
  canvas.setFullQuality(state.range(2) != 0);
  view::Renderer renderer;
  for (auto _ : state) {
    renderer.DrawMolecule(structure, frame, view, options, settings, {&canvas});
    benchmark::DoNotOptimize(canvas.image().constBits());
  }
  state.counters["bonds"] = structure.bonds.count(1) + structure.bonds.count(2);
  state.SetComplexityN(atoms);
}
BENCHMARK(BM_RedrawStandardPicture)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}, {0, 1}})
    ->ArgNames({"atoms", "labels", "antialiased"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tavo::bench::runBenchmarksWithQtGui(argc, argv);
}
