#!/bin/sh
# Times whole tavo-cli processes on the same files: `info`, `fcalc` and `map` (with its peak
# search), best of N runs each, and prints the ratios fcalc/info and map/info against the goals
# (fcalc within 2 times info, map within 3 times). Builds nothing.
#
# usage: bench/process_ratios.sh TAVO_CLI [RUNS]
#
# The data are our density test data (tests/data/density) and, when ../shared/corpus is beside
# the checkout, its structure with reflections; both are copied into a temporary folder first.
set -eu

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 TAVO_CLI [RUNS]" >&2
  exit 2
fi
cli=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
runs=${2:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$root/tests/data/density/paraben_no_o1.res" "$work/paraben_no_o1.res"
cp "$root/tests/data/density/paraben.hkl" "$work/paraben_no_o1.hkl"
sets="paraben_no_o1.res"
corpus="$root/../shared/corpus"
if [ -f "$corpus/shelxl/logbooker_dom1_mC.res" ] && [ -f "$corpus/hkl/logbooker_dom1_mC.hkl" ]; then
  cp "$corpus/shelxl/logbooker_dom1_mC.res" "$work/"
  cp "$corpus/hkl/logbooker_dom1_mC.hkl" "$work/"
  sets="$sets logbooker_dom1_mC.res"
fi

# The best wall time in microseconds of `runs` runs of tavo-cli with the given arguments.
best() {
  best_us=
  i=0
  while [ "$i" -lt "$runs" ]; do
    start=$(date +%s%N)
    "$cli" "$@" --program-folder "$root/data" >/dev/null 2>&1 || {
      echo "tavo-cli $* failed" >&2
      exit 1
    }
    end=$(date +%s%N)
    us=$(((end - start) / 1000))
    if [ -z "$best_us" ] || [ "$us" -lt "$best_us" ]; then best_us=$us; fi
    i=$((i + 1))
  done
  echo "$best_us"
}

cd "$work"
verdict=0
printf '%-24s %11s %11s %11s %13s %11s\n' file "info ms" "fcalc ms" "map ms" "fcalc/info" "map/info"
for file in $sets; do
  reflections=$("$cli" fcalc "$file" --json --program-folder "$root/data" 2>/dev/null |
    sed -n 's/.*"reflections": *\([0-9]*\).*/\1/p')
  info=$(best info "$file")
  fcalc=$(best fcalc "$file")
  map=$(best map "$file")
  line=$(awk -v f="$file" -v i="$info" -v c="$fcalc" -v m="$map" -v n="$reflections" 'BEGIN {
    rc = c / i; rm = m / i
    printf "%-24s %11.1f %11.1f %11.1f %8.2f %-4s %6.2f %-4s (%s reflections)",
      f, i / 1000, c / 1000, m / 1000, rc, (rc <= 2 ? "ok" : "MISS"), rm, (rm <= 3 ? "ok" : "MISS"), n
  }')
  echo "$line"
  case "$line" in *MISS*) verdict=1 ;; esac
done
if [ "$verdict" -eq 0 ]; then
  echo "The goals hold: fcalc within 2 times info, map within 3 times info (best of $runs)."
else
  echo "A goal is missed: fcalc must stay within 2 times info, map within 3 times (best of $runs)."
fi
exit "$verdict"
