#!/bin/sh
# Runs a Windows program under wine64 in the project's private, quiet prefix.
# Used by ctest (CMAKE_CROSSCOMPILING_EMULATOR) and by the make targets.
# ZUBO_WINEPREFIX overrides the prefix (default: build/wine at the top).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${ZUBO_WINEPREFIX:-$top/build/wine}"
export WINEDEBUG=-all
# No Mono or Gecko installers, no desktop integration.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export WINEARCH=win64
if [ ! -f "$WINEPREFIX/.zubo-ready" ]; then
  "$top/tools/wine-prefix.sh"
fi
exec /usr/lib/wine/wine64 "$@"
