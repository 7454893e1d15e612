# Sourced by the wine scripts: chooses the loader and the private, quiet
# prefix for one architecture. Expects $top (the source tree) and $arch
# (win32 or win64); never touches $HOME.
#   win64: /usr/lib/wine/wine64 in build/wine64
#   win32: /usr/lib/wine/wine (Debian's wine32:i386) in a 32-bit prefix,
#          build/wine32, so that nothing 64-bit is involved in its runs.
# ZUBO_WINE_DIR moves both prefixes elsewhere; ZUBO_WINE_LOADER replaces
# the loader (tools/check-skip-path.sh makes it one that fails).
case "$arch" in
  win32) ZUBO_WINE=${ZUBO_WINE_LOADER:-/usr/lib/wine/wine};   export WINEARCH=win32 ;;
  win64) ZUBO_WINE=${ZUBO_WINE_LOADER:-/usr/lib/wine/wine64}; export WINEARCH=win64 ;;
  *) echo "wine: unknown architecture '$arch' (win32 or win64)" >&2; exit 2 ;;
esac
export WINEPREFIX="${ZUBO_WINE_DIR:-$top/build}/wine-$arch"
export WINEDEBUG=-all
# No Mono or Gecko installers, no desktop integration.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe,winedbg.exe="
