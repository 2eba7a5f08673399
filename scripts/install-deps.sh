#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, when missing.
set -eu
packages=(cmake ninja-build g++ make clang libclang-rt-14-dev googletest libgtest-dev
  libbenchmark-dev libssl-dev g++-mingw-w64-x86-64-posix wine wine64 xvfb
  fonts-wqy-microhei locales x11-utils imagemagick xdotool python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
