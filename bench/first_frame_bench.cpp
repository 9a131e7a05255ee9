// The time from start to the first picture of the whole program (`tavo --quit-after-first-frame
// FILE`), for 13, 10,000 and 100,000 chain carbons (each with a riding H) opened with the same
// settings: array_max.inf raised for the biggest. The three are run side by side in every
// iteration, so that the ratios to the small file meet the same machine load. Goals: 10,000
// carbons within 1.5 and 100,000 within 5 times the 13-carbon start.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "synthetic_chains.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int sizes[] = {13, 10000, 100000};

fs::path makeFolder() {
  const fs::path folder = fs::temp_directory_path() / "tavo_first_frame_bench";
  tavo::bench::writeProgramFolder(folder, sizes[2]);
  for (const int carbons : sizes)
    tavo::bench::writeChainStructure(folder / ("chains" + std::to_string(carbons) + ".ins"),
                                     carbons);
  return folder;
}

// Runs the program on `file` in `folder` (the program folder is the current directory) and
// returns the wall time until it has ended; a negative time when it failed.
double firstFrameMs(const fs::path& folder, const std::string& file) {
  const std::string program = TAVO_PROGRAM;
  const std::string flag = "--quit-after-first-frame";
  std::vector<char*> arguments{const_cast<char*>(program.c_str()), const_cast<char*>(flag.c_str()),
                               const_cast<char*>(file.c_str()), nullptr};
  const fs::path start = fs::current_path();
  fs::current_path(folder);
  const auto begin = Clock::now();
  pid_t child = 0;
  const int spawned =
      posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments.data(), environ);
  int status = 0;
  if (spawned == 0) waitpid(child, &status, 0);
  const auto end = Clock::now();
  fs::current_path(start);
  if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::chrono::duration<double, std::milli>(end - begin).count();
}

void BM_FirstFrameSideBySide(benchmark::State& state) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const fs::path folder = makeFolder();
  double total[3] = {0, 0, 0};
  for (auto _ : state) {
    for (int k = 0; k < 3; ++k) {
      const double ms = firstFrameMs(folder, "chains" + std::to_string(sizes[k]) + ".ins");
      if (ms < 0) {
        state.SkipWithError("the program failed");
        return;
      }
      total[k] += ms;
    }
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["ms_13"] = total[0] / n;
  state.counters["ms_10k"] = total[1] / n;
  state.counters["ms_100k"] = total[2] / n;
  state.counters["10k/13"] = total[1] / total[0];
  state.counters["100k/13"] = total[2] / total[0];
  fs::remove_all(folder);
}
BENCHMARK(BM_FirstFrameSideBySide)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
