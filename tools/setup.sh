#!/bin/sh
# Installs, with apt-get, every package the build, the tests, the benchmarks
# and the demo need, and only those that are missing. Safe to run repeatedly.
set -eu

PACKAGES="
cmake make python3 python3-fonttools
g++ clang libclang-rt-14-dev
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
wine64 xvfb xauth
libgtest-dev libbenchmark-dev libvterm-dev
fonts-vlgothic fonts-dejavu-core zip libz-mingw-w64-dev
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

echo "setup: installing:$missing"
if [ "$(id -u)" != 0 ]; then
  echo "setup: these packages are missing and installing them needs root:$missing" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing
