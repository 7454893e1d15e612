#!/bin/sh
# Installs, with apt-get, every package the build, the tests, the benchmarks
# and the demo need, and only those that are missing. Safe to run repeatedly.
# Where the machine can execute 32-bit programs it also adds the i386
# architecture and Debian's wine32, which runs the 32-bit DLL's tests;
# where it cannot, that step is skipped and those tests report as skipped.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)

PACKAGES="
cmake make python3 python3-fonttools binutils
g++ clang clang-tools-14 libclang-rt-14-dev llvm lld
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
wine64 xvfb xauth valgrind
libgtest-dev libbenchmark-dev libvterm-dev
fonts-vlgothic fonts-dejavu-core zip libz-mingw-w64-dev
"

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

need_root() {
  if [ "$(id -u)" != 0 ]; then
    echo "setup: these packages are missing and installing them needs root:$1" >&2
    exit 1
  fi
}

missing=""
for p in $PACKAGES; do
  installed "$p" || missing="$missing $p"
done

export DEBIAN_FRONTEND=noninteractive
if [ -n "$missing" ]; then
  echo "setup: installing:$missing"
  need_root "$missing"
  apt-get update -q
  # shellcheck disable=SC2086
  apt-get install -y -q --no-install-recommends $missing
fi

# The 32-bit wine loader, only where 32-bit programs can run at all.
if ! installed wine32:i386 && sh "$top/tools/can-run-i386.sh"; then
  echo "setup: installing: wine32:i386"
  need_root " wine32:i386"
  dpkg --add-architecture i386
  apt-get update -q
  apt-get install -y -q --no-install-recommends wine32:i386
fi
exit 0
