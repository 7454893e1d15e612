#!/bin/sh
# Installs a Windows build tree into a scratch prefix, then builds the
# MSVC-mode host against it through find_package(zubo) as a Visual C++
# project would (clang-cl, lld-link), checks that the link used ZUBO.lib,
# and runs the host beside the installed DLL.
#   test-package.sh BUILD_DIR win32|win64
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build="$1"
arch="$2"
case "$arch" in
  win32) toolchain="$top/cmake/toolchain-clang-msvc-i686.cmake" ;;
  win64) toolchain="$top/cmake/toolchain-clang-msvc-x86_64.cmake" ;;
  *) echo "test-package.sh: unknown architecture $arch" >&2; exit 2 ;;
esac
scratch="$build/msvc-package-test"
rm -rf "$scratch"
cmake --install "$build" --component sdk --prefix "$scratch/prefix" >/dev/null
cmake -S "$here/package-host" -B "$scratch/host" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$scratch/prefix" \
      -DZUBO_MSVC_SYSTEM_LIBS="$build/library/msvc/kernel32.lib;$build/library/msvc/user32.lib" \
      >"$scratch/configure.log"
cmake --build "$scratch/host" --verbose >"$scratch/build.log" 2>&1 || {
  cat "$scratch/build.log"; exit 1; }
if ! grep "lld-link" "$scratch/build.log" | grep -q "$scratch/prefix/lib/ZUBO.lib"; then
  echo "the host was not linked against the installed ZUBO.lib:"
  grep "lld-link" "$scratch/build.log"
  exit 1
fi
echo "linked against $scratch/prefix/lib/ZUBO.lib"
cp "$scratch/prefix/bin/ZUBO.dll" "$scratch/host/"
cd "$scratch/host"
"$top/tools/wine-run.sh" "--$arch" ./msvc_host.exe
