#!/usr/bin/env bash
# Builds Tavo and starts it in a prepared program folder on a shipped example structure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVO_BUILD_TESTS=OFF >/dev/null
cmake --build build/release
folder="build/program"
mkdir -p "$folder"
cp -r data/. "$folder/"
cp examples/*.res "$folder/"
cd "$folder"
if [ -x ../release/src/app/tavo ]; then
  exec ../release/src/app/tavo "$PWD/${1:-paraben.res}"
fi
exec ../release/src/cli/tavo-cli info "$PWD/${1:-paraben.res}"
