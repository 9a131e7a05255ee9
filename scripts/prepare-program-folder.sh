#!/usr/bin/env bash
# Fills the program folder $1 with the shipped settings files and the example structures.
set -euo pipefail
cd "$(dirname "$0")/.."
folder="$1"
mkdir -p "$folder"
cp -r data/. "$folder/"
cp examples/*.res "$folder/"
