// Reading a large instruction file, beside the time for merely reading its bytes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "model/array_limits.h"
#include "model/dialogs.h"
#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"

namespace {

namespace fs = std::filesystem;

/// An .ins of `atoms` anisotropic carbon atoms in a chain, each with one riding H (AFIX 43).
fs::path writeSyntheticFile(int atoms) {
  const fs::path file =
      fs::temp_directory_path() / ("tavo-bench-" + std::to_string(atoms) + ".ins");
  std::ofstream out(file, std::ios::binary);
  out << "TITL synthetic\nCELL 0.71073 60.0 60.0 60.0 90 90 90\nZERR 4 0.001 0.001 0.001 0 0 0\n"
         "LATT 1\nSFAC C H\nUNIT "
      << 4 * atoms << ' ' << 4 * atoms
      << "\nL.S. 4\nPLAN 20\n"
         "WGHT 0.1\nFVAR 1.0\n";
  char line[200];
  for (int i = 1; i <= atoms; ++i) {
    const double x = (i % 40) * 0.02, y = ((i / 40) % 40) * 0.02, z = (i / 1600) * 0.02;
    std::snprintf(line, sizeof line,
                  "C%-4d 1 %11.6f %11.6f %11.6f 11.00000 0.02000 0.02100 =\n"
                  "    0.02200 0.00100 0.00200 0.00300\n",
                  i, x, y, z);
    out << line;
    std::snprintf(line, sizeof line,
                  "AFIX 43\nH%-4d 2 %11.6f %11.6f %11.6f 11.00000 -1.20000\nAFIX 0\n", i, x + 0.01,
                  y, z);
    out << line;
  }
  out << "HKLF 4\nEND\n";
  return file;
}

void BM_ReadBytes(benchmark::State& state) {
  const fs::path file = writeSyntheticFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    benchmark::DoNotOptimize(bytes.str().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(file)));
}

void BM_LoadFileLines(benchmark::State& state) {
  const fs::path file = writeSyntheticFile(static_cast<int>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(tavo::model::loadFileLines(file).size());
}

/// The synthetic file of `atoms` atoms and a structure whose limits hold it.
struct ReaderSetUp {
  explicit ReaderSetUp(int atoms)
      : file(writeSyntheticFile(atoms)),
        definitions(tavo::model::ElementDefinitions::load(fs::path(TAVO_SOURCE_DIR) / "data")) {
    structure.limits.atmMax = atoms + 10;
    structure.limits.expMax = 2 * atoms + 10;
    structure.allocate();
  }
  bool read() {
    return tavo::model::loadInstructionFile(structure, file, definitions, dialogs, "no TITL");
  }
  fs::path file;
  tavo::model::ElementDefinitions definitions;
  tavo::model::CollectingDialogs dialogs;
  tavo::model::StructureModel structure;
};

void BM_ReadInstructionFile(benchmark::State& state) {
  const int atoms = static_cast<int>(state.range(0));
  ReaderSetUp r(atoms);
  for (auto _ : state) {
    const bool loaded = r.read();
    if (!loaded || r.structure.nonHCount != atoms) state.SkipWithError("the file was not read");
  }
  state.SetItemsProcessed(state.iterations() * atoms);
}

// The reader and the line split of the same file side by side, alternating within each
// iteration so that both meet the same machine load: the goal is a ratio below 3.
void BM_ReaderAgainstLineSplit(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const int atoms = static_cast<int>(state.range(0));
  ReaderSetUp r(atoms);
  Clock::duration split{}, read{};
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(tavo::model::loadFileLines(r.file).size());
    const auto middle = Clock::now();
    const bool loaded = r.read();
    const auto end = Clock::now();
    if (!loaded || r.structure.nonHCount != atoms) state.SkipWithError("the file was not read");
    split += middle - start;
    read += end - middle;
  }
  const auto ms = [&state](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count() /
           static_cast<double>(state.iterations());
  };
  state.counters["split_ms"] = ms(split);
  state.counters["read_ms"] = ms(read);
  state.counters["read/split"] = ms(read) / ms(split);
}

}  // namespace

BENCHMARK(BM_ReaderAgainstLineSplit)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBytes)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFileLines)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadInstructionFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
