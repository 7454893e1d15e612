#!/bin/sh
# What `make test` gives on a machine that cannot execute 32-bit programs,
# proved on any machine: a second configure of the 32-bit tree whose probe
# is made to fail, its library built, and its tests run with a wine loader
# that fails as such a kernel would. Every test must pass or report as
# skipped; the ones that pass must be those labelled no_wine (the table
# and README checks), which run no Windows program.
#   check-skip-path.sh BUILD_DIR
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
out=$1
mkdir -p "$out"
log="$out/check-skip-path.log"
cmake -S "$top" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DZUBO_PROBE_LOADER=/bin/false >"$log" 2>&1
cmake --build "$out" --target ZUBO zubo_msvc_lib -j 2 >>"$log" 2>&1
set +e
ZUBO_WINE_LOADER=/bin/false ZUBO_WINE_DIR="$out/wine" \
  ctest --test-dir "$out" -j 2 >"$out/ctest.log" 2>&1
rc=$?
set -e
cat "$out/ctest.log"
passed=$(grep ' Passed ' "$out/ctest.log" | sed 's/.*: \([^ ]*\) .*/\1/' | sort)
skipped=$(grep -c 'Skipped ' "$out/ctest.log" || true)
total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$out/ctest.log")
no_wine=$(ctest --test-dir "$out" -N -L no_wine | sed -n 's/.*Test *#[0-9]*: \(.*\)/\1/p' | sort)
npassed=$(printf '%s\n' "$passed" | grep -c . || true)
echo "skip path: $npassed passed, $skipped skipped, of ${total:-?}; ctest status $rc"
if [ "$rc" != 0 ] || [ -z "$total" ] || [ $((npassed + skipped)) != "$total" ] ||
   [ -z "$no_wine" ] || [ "$passed" != "$no_wine" ]; then
  echo "skip path: FAILED (every test must pass or be skipped; exactly the no_wine ones may pass)"
  echo "passed: $passed"
  echo "no_wine: $no_wine"
  exit 1
fi
echo "skip path: ok"
