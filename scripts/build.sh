#!/usr/bin/env bash
# Configures and builds one flavour: native (core + unit tests + tlqc,
# sanitized) or windows (the four programs, tlqc and their Wine tests,
# cross-built). Build windows first: the native tlqc embeds its launcher.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:?usage: build.sh native|windows}
jobs=$(nproc)
case "$flavour" in
  native)
    # tlqc carries the cross-built project launcher: build windows first.
    image="$root/build/windows/project_launcher/launchstub.exe"
    if [ ! -f "$image" ]; then
      echo "note: $image not built yet; tlqc compile will write code files only" >&2
      image=""
    fi
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DTLQ_LAUNCHSTUB_IMAGE="$image" >/dev/null
    cmake --build "$root/build/native" -j "$jobs" ;;
  windows)
    cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$root/build/windows" -j "$jobs" ;;
  *) echo "unknown flavour: $flavour" >&2; exit 2 ;;
esac
