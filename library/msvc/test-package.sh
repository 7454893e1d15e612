#!/bin/sh
# Installs a Windows build tree into a scratch prefix, then builds the
# MSVC-mode host against it through find_package(zubo) as a Visual C++
# project would (clang-cl, lld-link), checks that the link used ZUBO.lib,
# and runs the host beside the installed DLL. The toolchain file is the
# one the package installs.
#   test-package.sh BUILD_DIR win32|win64 STL_INCLUDE_DIRS
# STL_INCLUDE_DIRS (folders joined with "|"): the C++ standard headers to
# compile with, since no Visual C++ standard library is installed here.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build="$1"
arch="$2"
stl=$(printf '%s' "$3" | tr '|' ';')
case "$arch" in
  win32) cpu=i686 ;;
  win64) cpu=x86_64 ;;
  *) echo "test-package.sh: unknown architecture $arch" >&2; exit 2 ;;
esac
scratch="$build/msvc-package-test"
rm -rf "$scratch"
cmake --install "$build" --component sdk --prefix "$scratch/prefix" >/dev/null
toolchain="$scratch/prefix/lib/cmake/zubo/toolchains/toolchain-clang-msvc-$cpu.cmake"
libs="$build/library/msvc"
cmake -S "$here/package-host" -B "$scratch/host" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$scratch/prefix" \
      -DZUBO_MSVC_SYSTEM_LIBS="$libs/kernel32.lib;$libs/user32.lib;$libs/msvcrt.lib" \
      -DZUBO_MSVC_STL_INCLUDES="$stl" >"$scratch/configure.log"
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
