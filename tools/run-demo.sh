#!/bin/sh
# Runs the demo host's scripted session under wine64 (the caller provides
# the X display, e.g. xvfb-run) and leaves its screenshots in out/.
# LC_ALL=ja_JP.UTF-8 gives wine the Japanese ANSI code page (932).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
bin="${1:-$top/build/win64/bin}"
mkdir -p "$top/out"
cd "$bin"
rc=0
LC_ALL=ja_JP.UTF-8 "$top/tools/wine-run.sh" ./zubo-demo.exe --out "$top/out" || rc=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
[ "$rc" = 0 ] && echo "Screenshots: out/demo-listview.png out/demo-console.png"
exit $rc
