#!/usr/bin/env bash
# Builds the program as users build it (GCC, Release, no tests) into build/release. CI runs the
# same build with TAVO_WARNINGS_AS_ERRORS=ON in the environment; a user's build never stops at a
# compiler's warning.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVO_BUILD_TESTS=OFF \
  -DTAVO_WARNINGS_AS_ERRORS="${TAVO_WARNINGS_AS_ERRORS:-OFF}" >/dev/null
cmake --build build/release
