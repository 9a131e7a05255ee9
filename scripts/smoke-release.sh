#!/usr/bin/env bash
# The user's build, tried as users start it: the README's run command without its last step
# (tavo on the example in build/program, offscreen, ending after the first frame), then
# `cmake --install` into a scratch prefix and tavo-desktop from there in a scratch home.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-release.sh
export QT_QPA_PLATFORM=offscreen
root="$PWD"
bash scripts/prepare-program-folder.sh build/program
(cd build/program && "$root/build/release/src/app/tavo" --quit-after-first-frame "$root/build/program/paraben.res")
build/release/src/cli/tavo-cli info build/program/paraben.res --program-folder build/program >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install build/release --prefix "$scratch/prefix" >/dev/null
for f in bin/tavo bin/tavo-cli bin/tavo-desktop share/tavo/elems.inf share/tavo/spcg.inf \
         share/tavo/groups share/applications/tavo.desktop; do
  [ -e "$scratch/prefix/$f" ] || { echo "cmake --install did not install $f"; exit 1; }
done
cp examples/paraben.res "$scratch/paraben.res"
HOME="$scratch/home" XDG_DATA_HOME="" "$scratch/prefix/bin/tavo-desktop" --quit-after-first-frame \
  "$scratch/paraben.res"
[ -e "$scratch/home/.local/share/tavo/elems.inf" ] || { echo "tavo-desktop made no program folder"; exit 1; }
echo "release build, program folder, install and tavo-desktop: all start"
