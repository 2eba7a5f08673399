#!/usr/bin/env bash
# Ends what session-start.sh started: every Wine process of this prefix,
# then the wineserver and Xvfb by their recorded process ids.
set -u
env_file=$1
# shellcheck disable=SC1090
. "$env_file"
dir=$TLQ_WINE_DIR
wineserver -k 2>/dev/null || true
for name in wineserver xvfb; do
  if [ -f "$dir/$name.pid" ]; then
    pid=$(cat "$dir/$name.pid")
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$dir/$name.pid"
  fi
done
rm -f "$dir/display"
exit 0
