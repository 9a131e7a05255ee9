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

echo "== build (Debug, AddressSanitizer, UndefinedBehaviorSanitizer)"
# CI sets TAVO_WARNINGS_AS_ERRORS=ON; by default a warning never stops a build.
werror="-DTAVO_WARNINGS_AS_ERRORS=${TAVO_WARNINGS_AS_ERRORS:-OFF}"
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVO_SANITIZE=ON "$werror" >/dev/null
cmake --build build/ci

echo "== the build of the README's run command, started offscreen, installed, tavo-desktop"
bash scripts/smoke-release.sh

echo "== tests"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
ctest --test-dir build/ci --output-on-failure -j2

echo "== Clang build of the core with the fuzz targets"
cmake -S . -B build/clang -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVO_BUILD_APP=OFF -DTAVO_FUZZ=ON "$werror" >/dev/null
cmake --build build/clang
ctest --test-dir build/clang --output-on-failure -j2 -L 'unit|fuzz'
