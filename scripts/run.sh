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
# A structure given on the command line is opened where it is; the default is the example.
if [ $# -gt 0 ]; then
  structure=$(readlink -f "$1")
else
  structure="$PWD/$folder/paraben.res"
fi
cd "$folder"
exec ../release/src/app/tavo "$structure"
