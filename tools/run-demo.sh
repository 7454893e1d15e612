#!/bin/sh
# Runs the demo host under wine64 from the 64-bit build's output folder.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
bin="${1:-$top/build/win64/bin}"
cd "$bin"
rc=0
"$top/tools/wine-run.sh" ./zubo-demo.exe sample.lst || rc=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
exit $rc
