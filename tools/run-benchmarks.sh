#!/bin/sh
# Runs every native benchmark of a release build, then the Windows-side
# benchmarks (64-bit build, under wine64 and Xvfb) when they exist.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
dir="${1:-$top/build/bench}"
for b in "$dir"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=false
done
win="$top/build/win64/bin"
found=0
for b in "$win"/*_winbench.exe; do
  [ -f "$b" ] || continue
  found=1
done
if [ "$found" = 1 ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    for b in "$1"/*_winbench.exe; do
      echo "== $(basename "$b") (wine64)"
      (cd "$1" && "$2/tools/wine-run.sh" "./$(basename "$b")")
    done
    "$2/tools/wine-stop.sh"' sh "$win" "$top"
fi
