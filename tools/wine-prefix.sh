#!/bin/sh
# Creates the private wine prefix of one architecture and waits until wine
# has finished writing it, so that tests running in parallel find it
# complete:   wine-prefix.sh [--win32|--win64]   (default --win64)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
arch=win64
case "${1:-}" in --win32|--win64) arch=${1#--} ;; esac
. "$top/tools/wine-env.sh"
mkdir -p "$WINEPREFIX"
# One creator at a time; the others wait and then find the prefix ready.
exec 9>"$WINEPREFIX.lock"
if command -v flock >/dev/null 2>&1; then flock 9; fi
if [ ! -f "$WINEPREFIX/.zubo-ready" ]; then
  "$ZUBO_WINE" wineboot --init >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/.zubo-ready"
fi
