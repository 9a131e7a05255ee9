#!/usr/bin/env bash
# Installs the dependencies, checks the formatting, builds with sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

echo "== format check"
files=$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 2>/dev/null || true)
if [ -n "$files" ]; then
  clang-format --dry-run --Werror $files
fi

echo "== no Qt below the app (the QPainter canvas and the CLI's picture command excepted)"
if grep -rln '#include <Q' src --include='*.h' --include='*.cpp' |
    grep -v -e '^src/app/' -e '^src/canvas/' -e '^src/cli/render_command.cpp$'; then
  echo "Qt headers outside src/app, src/canvas and src/cli/render_command.cpp"; exit 1
fi

echo "== no include cycles in src/workbench"
python3 scripts/include_cycles.py src/workbench

# CI sets TAVO_WARNINGS_AS_ERRORS=ON; by default a warning never stops a build.
werror="-DTAVO_WARNINGS_AS_ERRORS=${TAVO_WARNINGS_AS_ERRORS:-OFF}"
phase_start=$SECONDS
phase() { echo "   ($((SECONDS - phase_start)) s)"; phase_start=$SECONDS; echo "== $1"; }

# Two builds: Clang with the sanitizers runs every test and the fuzz targets; GCC builds what the
# README's run command builds and starts it.
phase "build (Clang, Debug, AddressSanitizer, UndefinedBehaviorSanitizer, fuzz targets)"
cmake -S . -B build/ci -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DTAVO_SANITIZE=ON -DTAVO_FUZZ=ON "$werror" >/dev/null
cmake --build build/ci

phase "tests"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
ctest --test-dir build/ci --output-on-failure -j2

phase "the build of the README's run command (GCC, Release), started offscreen, installed, tavo-desktop"
unset QT_QPA_PLATFORM
bash scripts/smoke-release.sh
phase "done"
