// The symmetry views: the expansion search of a 1000-atom asymmetric unit under the 48
// operators of m-3m (the cell list against the plain loops), and a packing view of 3 x 3 x 3
// cells of a 200-atom P21/c structure through the Workbench with its bond detection and redraw.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "geometry/expansion.h"
#include "geometry/symmetry_operators.h"
#include "model/dialogs.h"
#include "text/text.h"
#include "view/canvas.h"
#include "workbench/workbench.h"

namespace {

using namespace tavo;
namespace fs = std::filesystem;

class SilentDialogs final : public model::Dialogs {
 public:
  int messages = 0;
  void message(std::string_view) override { ++messages; }
  bool confirm(std::string_view) override { return false; }
  std::optional<fs::path> chooseFileToOpen(const fs::path&, std::string_view) override {
    return {};
  }
  std::optional<fs::path> chooseFileToSave(const fs::path&, std::string_view,
                                           std::string_view) override {
    return {};
  }
};

class NullCanvas final : public view::Canvas {
 public:
  void rectangle(int, int, int, int) override {}
  void ellipse(int, int, int, int) override {}
  void line(int, int, int, int) override {}
  void text(int, int, std::string_view) override {}
};

class QuietClock final : public model::Clock {
 public:
  std::string dateTimeText() override { return "10/12/2026 12:00:00"; }
  void pause(int) override {}
};

// The 48 operators of m-3m: every signed permutation of the axes, the identity first.
std::vector<geometry::SeitzOperator> cubicOperators() {
  std::vector<geometry::SeitzOperator> ops;
  int permutation[3] = {0, 1, 2};
  do {
    for (int signs = 0; signs < 8; ++signs) {
      geometry::SeitzOperator op;
      op.r.fill(0);
      for (int row = 0; row < 3; ++row)
        op.r[static_cast<size_t>(3 * row + permutation[row])] = (signs >> row & 1) ? -1 : 1;
      ops.push_back(op);
    }
  } while (std::next_permutation(permutation, permutation + 3));
  return ops;
}

// `atoms` C, N and O atoms at crystal density (one per 18 Å³) in a ball, in a cubic cell 48
// times the ball's volume under Pm-3m; the ball lies near the origin, across the mirror planes,
// so that some copies touch it.
model::StructureModel cubicAsymmetricUnit(int atoms) {
  model::StructureModel s;
  s.limits.expMax = atoms + 1;
  s.limits.atmMax = atoms + 1;
  s.allocate();
  s.elements[1] = {"C", 0, 12.011, 0.77, 0};
  s.elements[2] = {"N", 0, 14.007, 0.70, 0};
  s.elements[3] = {"O", 0, 15.999, 0.66, 0};
  s.elementCount = 3;
  const double volume = 18.0 * atoms;
  const double edge = std::cbrt(48 * volume);
  s.cell.a = s.cell.b = s.cell.c = edge;
  s.cell.alpha = s.cell.beta = s.cell.gamma = 90;
  model::orthogonalise(s.cell);
  geometry::fillSymmetryOps(s.symmetry, cubicOperators());
  const double radius = std::cbrt(3 * volume / (4 * M_PI));
  const double centre[3] = {0.3 * edge, 0.2 * edge, 0.1 * edge};
  std::mt19937 random(11);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> element(1, 3);
  for (int i = 1; i <= atoms; ++i) {
    double p[3];
    do {
      for (double& c : p)
        c = unit(random);
    } while (p[0] * p[0] + p[1] * p[1] + p[2] * p[2] > 1);
    model::Atom& a = s.atoms[i];
    a.label = "C" + std::to_string(i);
    a.sfac = element(random);
    a.x = (centre[0] + radius * p[0]) / edge;
    a.y = (centre[1] + radius * p[1]) / edge;
    a.z = (centre[2] + radius * p[2]) / edge;
  }
  s.nonHCount = s.workingAtomCount = atoms;
  return s;
}

void BM_ExpansionSearchGrid(benchmark::State& state) {
  const model::StructureModel s = cubicAsymmetricUnit(static_cast<int>(state.range(0)));
  geometry::ExpansionWorkspace workspace;
  size_t units = 0;
  for (auto _ : state) {
    units = geometry::expansionUnits(s, 11, workspace).size();
    benchmark::DoNotOptimize(units);
  }
  state.counters["operators"] = s.symmetry.opCount;
  state.counters["units"] = static_cast<double>(units);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExpansionSearchGrid)
    ->Arg(250)
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_ExpansionSearchPlain(benchmark::State& state) {
  const model::StructureModel s = cubicAsymmetricUnit(static_cast<int>(state.range(0)));
  size_t units = 0;
  for (auto _ : state) {
    units = geometry::expansionUnitsPlain(s, 11).size();
    benchmark::DoNotOptimize(units);
  }
  state.counters["units"] = static_cast<double>(units);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExpansionSearchPlain)
    ->Arg(100)
    ->Arg(250)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Complexity(benchmark::oNSquared);

// A 200-atom P21/c file at crystal density, written into `folder`.
fs::path writeP21cFile(const fs::path& folder, int atoms) {
  const double edge = std::cbrt(4 * 18.0 * atoms);
  std::ofstream out(folder / "packing.ins", std::ios::binary);
  const std::string e = text::formatFixed(edge, 4);
  out << "TITL packing benchmark\nCELL 0.71073 " << e << ' ' << e << ' ' << e
      << " 90 95 90\nZERR 4 0.001 0.001 0.001 0 0.01 0\nLATT 1\nSYMM -X, 0.5+Y, 0.5-Z\n"
      << "SFAC C N O\nUNIT " << atoms * 2 << ' ' << atoms << ' ' << atoms
      << "\nL.S. 4\nFMAP 2\nPLAN 5\nFVAR 1.0\n";
  std::mt19937 random(5);
  std::uniform_real_distribution<double> fraction(0, 1);
  std::uniform_int_distribution<int> element(1, 3);
  for (int i = 1; i <= atoms; ++i) {
    out << "A" << i << ' ' << element(random) << ' ' << text::formatFixed(fraction(random), 5)
        << ' ' << text::formatFixed(fraction(random), 5) << ' '
        << text::formatFixed(fraction(random), 5) << " 11.0 0.05\n";
  }
  out << "HKLF 4\nEND\n";
  return folder / "packing.ins";
}

void BM_PackingThreeCellsWithBondsAndRedraw(benchmark::State& state) {
  const int atoms = static_cast<int>(state.range(0));
  const fs::path root = fs::temp_directory_path() / "tavo_packing_bench";
  fs::remove_all(root);
  fs::create_directories(root / "program");
  fs::copy(fs::path(TAVO_SOURCE_DIR) / "data", root / "program", fs::copy_options::recursive);
  {
    // Room for 108 copies of the structure and their bonds.
    std::ofstream limits(root / "program" / "array_max.inf", std::ios::binary);
    const auto line = [&](const char* name, int value) {
      limits << text::padRight(name, 75) << value << '\n';
    };
    line("Maximum number of all atoms including expanded atoms (exp_max):", 200000);
    line("Maximum number of non-H atoms = Maximum number of H atoms (atm_max):", 1000);
    line("Maximum number of elements to be handled (elem_max):", 30);
    line("Maximum number of symmetry operations (sym_max):", 256);
    line("Maximum number of bond connections to be handled (con_max):", 200000);
    line("Maximum number of command lines in ins/res files (cmd_max):", 500);
    line("Maximum number of atoms for the locating fragments (frg_max):", 300);
  }
  const fs::path file = writeP21cFile(root, atoms);
  SilentDialogs dialogs;
  NullCanvas canvas;
  QuietClock clock;
  workbench::Workbench bench(dialogs, canvas, clock, root / "program");
  bench.run([&] { bench.viewCommands().resizePane(1000, 800); });
  bench.run([&] { bench.fileCommands().open(file, workbench::OpenedFrom::Batch); });
  if (!bench.hasStructure()) {
    state.SkipWithError("the benchmark structure did not open");
    return;
  }
  workbench::ExpansionCommands& views = bench.expansionCommands();
  for (int field = 1; field <= 6; ++field)
    views.setPackingBoundText(field, field % 2 == 1 ? "0" : "3");
  for (auto _ : state) {
    bench.run([&] { bench.viewCommands().setDisplayFlag(workbench::DisplayFlag::Packing, true); });
  }
  state.counters["units"] = static_cast<double>(views.units().size());
  state.counters["atomsShown"] = bench.structure().workingAtomCount;
  state.counters["bonds"] = bench.structure().bonds.count(1);
  state.counters["messages"] = dialogs.messages;
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(root);
}
BENCHMARK(BM_PackingThreeCellsWithBondsAndRedraw)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
