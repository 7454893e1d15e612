#!/bin/sh
# Creates the private wine prefix (never in $HOME) and waits until wine has
# finished writing it, so that tests running in parallel find it complete.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${ZUBO_WINEPREFIX:-$top/build/wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export WINEARCH=win64
mkdir -p "$WINEPREFIX"
lock="$WINEPREFIX.lock"
# One creator at a time; the others wait and then find the prefix ready.
exec 9>"$lock"
if command -v flock >/dev/null 2>&1; then flock 9; fi
if [ ! -f "$WINEPREFIX/.zubo-ready" ]; then
  /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/.zubo-ready"
fi
