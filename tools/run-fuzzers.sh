#!/bin/sh
# Runs each fuzz target for a bounded time, starting from its committed
# seed corpus; new inputs go to a scratch corpus under the build folder.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
dir="${1:-$top/build/fuzz}"
seconds="${2:-60}"
status=0
for t in "$dir"/fuzz/fuzz_*; do
  [ -x "$t" ] || continue
  name=$(basename "$t")
  work="$dir/corpus/$name"
  # Crashes, leaks and slow inputs land beside the logs, not in the
  # current folder.
  mkdir -p "$work" "$top/fuzz/corpus/$name" "$dir/artifacts"
  # fuzz/NAME.options holds extra libFuzzer flags for one target.
  options=""
  [ -f "$top/fuzz/$name.options" ] && options=$(cat "$top/fuzz/$name.options")
  echo "== $name (${seconds}s)"
  # shellcheck disable=SC2086
  if ! "$t" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$dir/artifacts/$name-" $options "$work" "$top/fuzz/corpus/$name" \
       >"$dir/$name.log" 2>&1; then
    echo "$name FAILED; see $dir/$name.log"
    tail -40 "$dir/$name.log"
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$dir/$name.log" | tail -2
  fi
done
exit $status
