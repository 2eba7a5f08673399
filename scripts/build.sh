#!/usr/bin/env bash
# Configures and builds one flavour: native (core + unit tests, sanitized)
# or windows (the four programs and their Wine tests, cross-built).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:?usage: build.sh native|windows}
jobs=$(nproc)
case "$flavour" in
  native)
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$root/build/native" -j "$jobs" ;;
  windows)
    cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$root/build/windows" -j "$jobs" ;;
  *) echo "unknown flavour: $flavour" >&2; exit 2 ;;
esac
