#!/bin/sh
# Installs a Windows build tree into a scratch prefix, then builds the
# find_package(zubo) hosts of examples/cmake-host against it with the
# toolchain file the package installs, as a mingw user of the installed
# package would, and runs them.
#   test-install.sh BUILD_DIR win32|win64
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="$1"
arch="$2"
case "$arch" in
  win32) cpu=i686 ;;
  win64) cpu=x86_64 ;;
  *) echo "test-install.sh: unknown architecture $arch" >&2; exit 2 ;;
esac
scratch="$build/install-test"
rm -rf "$scratch"
cmake --install "$build" --component sdk --prefix "$scratch/prefix" >/dev/null
toolchain="$scratch/prefix/lib/cmake/zubo/toolchains/toolchain-mingw-$cpu.cmake"
cmake -S "$top/examples/cmake-host" -B "$scratch/host" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/host" >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log"; exit 1; }
cp "$scratch/prefix/bin/ZUBO.dll" "$scratch/host/"
cd "$scratch/host"
"$top/tools/wine-run.sh" "--$arch" ./host.exe
"$top/tools/wine-run.sh" "--$arch" ./list_and_console.exe
