// The main of the benchmarks that draw through Qt: fonts and images need a GUI application,
// and without a display the offscreen platform serves.
#pragma once

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>

namespace tavo::bench {

inline int runBenchmarksWithQtGui(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace tavo::bench
