#!/bin/sh
# Stops the wine servers of both private prefixes and waits for them.
top=$(cd "$(dirname "$0")/.." && pwd)
for arch in win32 win64; do
  ( . "$top/tools/wine-env.sh"
    if [ -d "$WINEPREFIX" ]; then
      /usr/lib/wine/wineserver -k 2>/dev/null
      /usr/lib/wine/wineserver -w 2>/dev/null
    fi ) || true
done
exit 0
