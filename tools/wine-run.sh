#!/bin/sh
# Runs a Windows program under wine in the project's private, quiet prefix:
#   wine-run.sh [--win32|--win64] PROGRAM [ARGS...]   (default --win64)
# Used by ctest (CMAKE_CROSSCOMPILING_EMULATOR) and by the make targets.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
arch=win64
case "${1:-}" in --win32|--win64) arch=${1#--}; shift ;; esac
. "$top/tools/wine-env.sh"
if [ ! -f "$WINEPREFIX/.zubo-ready" ]; then
  "$top/tools/wine-prefix.sh" "--$arch"
fi
exec "$ZUBO_WINE" "$@"
