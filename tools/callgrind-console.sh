#!/bin/sh
# Instructions per byte and per line of text of the console's output and of
# its peers, counted with callgrind: console_bench --feed=NAME runs one
# feed once (console_bench.cpp names the feeds), and only the feeding
# function is counted, so making the input is left out.
#
#   tools/callgrind-console.sh [BENCH_BUILD_DIR]   (default build/bench)
#
# The inputs are ZUBO_BENCH_MIB MiB (4 unless set). Ratios are printed for
# the console against the naive cell loop and against the same loop called
# once per byte, and for the console against libvterm per line of text.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
bench="${1:-$top/build/bench}/bench/console_bench"
[ -x "$bench" ] || { echo "no $bench: run make bench first" >&2; exit 1; }
export ZUBO_BENCH_MIB="${ZUBO_BENCH_MIB:-4}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# count FEED FUNCTION-PATTERN: prints "FEED Ir bytes lines"
count() {
  out=$(valgrind --tool=callgrind --callgrind-out-file="$work/$1.out" \
        --toggle-collect="$2" "$bench" --feed="$1" 2>"$work/$1.err") || {
    cat "$work/$1.err" >&2
    exit 1
  }
  ir=$(sed -n 's/^summary: *\([0-9]*\).*/\1/p' "$work/$1.out")
  bytes=$(echo "$out" | sed -n 's/.*bytes=\([0-9]*\).*/\1/p')
  lines=$(echo "$out" | sed -n 's/.*lines=\([0-9]*\).*/\1/p')
  echo "$1 $ir $bytes $lines"
}

{
  for f in console_a console_p console_b console_c; do count "$f" '*FeedConsole*'; done
  for f in naive_a naive_p; do count "$f" '*NaiveRing::Feed*'; done
  for f in per_call_a per_call_p; do count "$f" '*FeedNaivePerCall*'; done
  for f in vterm_a_cells vterm_a_text vterm_a_none vterm_c_cells vterm_c_text vterm_c_none; do
    count "$f" '*FeedVterm*'
  done
} > "$work/counts"

awk '
  { ir[$1] = $2; bytes[$1] = $3; lines[$1] = $4
    printf "%-16s %8.2f Ir/byte %9.1f Ir/line\n", $1, $2 / $3, $2 / $4 }
  END {
    printf "console_a / naive_a       %6.2f\n", ir["console_a"] / ir["naive_a"]
    printf "console_a / per_call_a    %6.2f\n", ir["console_a"] / ir["per_call_a"]
    printf "console_p / naive_p       %6.2f\n", ir["console_p"] / ir["naive_p"]
    printf "console_p / per_call_p    %6.2f\n", ir["console_p"] / ir["per_call_p"]
    printf "per line: console_a / vterm_a_cells  %6.3f\n",
           (ir["console_a"] / lines["console_a"]) / (ir["vterm_a_cells"] / lines["vterm_a_cells"])
    printf "per line: console_c / vterm_c_cells  %6.3f\n",
           (ir["console_c"] / lines["console_c"]) / (ir["vterm_c_cells"] / lines["vterm_c_cells"])
    printf "per line: console_c / vterm_c_text   %6.3f\n",
           (ir["console_c"] / lines["console_c"]) / (ir["vterm_c_text"] / lines["vterm_c_text"])
  }' "$work/counts"
