#!/usr/bin/env bash
# Builds Tavo and starts it in a prepared program folder on a shipped example structure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build-release.sh
folder="build/program"
bash scripts/prepare-program-folder.sh "$folder"
# A structure given on the command line is opened where it is; the default is the example.
if [ $# -gt 0 ]; then
  structure=$(readlink -f "$1")
else
  structure="$PWD/$folder/paraben.res"
fi
cd "$folder"
exec ../release/src/app/tavo "$structure"
