#!/bin/sh
# Installs a Windows build tree into a scratch prefix, then builds and runs
# the find_package(zubo) host of examples/cmake-host against it, as a mingw
# user of the installed package would.
#   test-install.sh BUILD_DIR TOOLCHAIN_FILE [win32|win64]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="$1"
toolchain="$2"
arch="${3:-win64}"
scratch="$build/install-test"
rm -rf "$scratch"
cmake --install "$build" --component sdk --prefix "$scratch/prefix" >/dev/null
cmake -S "$top/examples/cmake-host" -B "$scratch/host" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/host" >/dev/null
cp "$scratch/prefix/bin/ZUBO.dll" "$scratch/host/"
cd "$scratch/host"
"$top/tools/wine-run.sh" "--$arch" ./host.exe
