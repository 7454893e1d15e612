#!/bin/sh
# Runs the demo host's scripted session under wine (the caller provides the
# X display, e.g. xvfb-run) and leaves its screenshots in out/. It runs the
# product, the 32-bit build, where this machine can run 32-bit programs,
# and the 64-bit build elsewhere; ZUBO_DEMO_ARCH=win32|win64 chooses. Any
# locale will do: the Japanese text comes out right under every code page.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
arch="${ZUBO_DEMO_ARCH:-}"
if [ -z "$arch" ]; then
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    arch=win32
  else
    arch=win64
  fi
fi
mkdir -p "$top/out"
cd "$top/build/$arch/bin"
echo "demo: the $arch build"
rc=0
"$top/tools/wine-run.sh" "--$arch" ./zubo-demo.exe --out "$top/out" || rc=$?
# Once more with an ordinary installed fixed-pitch font.
"$top/tools/wine-run.sh" "--$arch" ./zubo-demo.exe --font "DejaVu Sans Mono" \
  --out "$top/out/ordinary-font" || rc=$?
"$top/tools/wine-stop.sh"
[ "$rc" = 0 ] && echo "Screenshots: out/demo-listview.png out/demo-console.png" \
  "out/demo-console-scrolled.png, and the same in out/ordinary-font/"
exit $rc
