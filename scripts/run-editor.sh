#!/usr/bin/env bash
# Builds everything and starts the editor under Wine with the Chinese code
# page. Uses $DISPLAY when there is one, else its own Xvfb.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" windows
env_file="$root/build/windows/wine/wine-env.sh"
editor="$root/build/windows/editor/tlqedit.exe"
if [ ! -f "$editor" ]; then
  echo "tlqedit.exe has not been built yet."; exit 0
fi
if [ -n "${DISPLAY:-}" ]; then
  TLQ_USE_DISPLAY=$DISPLAY bash "$root/tests/wine/session-start.sh" "$env_file"
else
  bash "$root/tests/wine/session-start.sh" "$env_file"
  echo "no DISPLAY: the editor runs on the virtual display $(cat "$root/build/windows/wine/display")"
fi
trap 'bash "$root/tests/wine/session-stop.sh" "$env_file" >/dev/null 2>&1' EXIT
echo "starting the editor (close its window to end)"
bash "$root/tests/wine/wine-run.sh" "$env_file" "$editor" "$@"
