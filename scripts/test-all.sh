#!/usr/bin/env bash
# Builds both flavours and runs every test: the portable core natively, the
# Windows programs under Wine + Xvfb. Exits non-zero on any failure.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh" || exit 1

status=0
# Windows first: the native tlqc embeds the cross-built project launcher.
bash "$root/scripts/build.sh" windows || exit 1
bash "$root/scripts/build.sh" native || exit 1
(cd "$root/build/native" && ctest --output-on-failure -j 2) || status=1

env_file="$root/build/windows/wine/wine-env.sh"
# Ends the Wine session even if ctest itself is interrupted.
trap 'bash "$root/tests/wine/session-stop.sh" "$env_file" >/dev/null 2>&1' EXIT
(cd "$root/build/windows" && ctest --output-on-failure) || status=1

if [ $status -eq 0 ]; then echo "all tests passed"; else echo "some tests FAILED"; fi
exit $status
