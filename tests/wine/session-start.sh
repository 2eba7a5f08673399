#!/usr/bin/env bash
# Starts the build's own Wine session: the zh_CN.UTF-8 locale (code page 936),
# an Xvfb display, the Wine prefix and a persistent wineserver. Process ids
# go into the session folder so session-stop.sh ends exactly these.
set -eu
env_file=$1
# shellcheck disable=SC1090
. "$env_file"
dir=$TLQ_WINE_DIR
mkdir -p "$dir"

if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
  mkdir -p "$LOCPATH"
  localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" 2>/dev/null || [ -d "$LOCPATH/zh_CN.UTF-8" ]
fi

xvfb_alive() { [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; }
if [ -n "${TLQ_USE_DISPLAY:-}" ]; then
  # A person's own display (run-editor.sh): no Xvfb of ours.
  echo "$TLQ_USE_DISPLAY" >"$dir/display"
elif ! xvfb_alive; then
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  echo ":$n" >"$dir/display"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
fi
DISPLAY=$(cat "$dir/display"); export DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  # Without a window manager Wine waits ~2 s for every hidden window.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
fi

if ! { [ -f "$dir/wineserver.pid" ] && kill -0 "$(cat "$dir/wineserver.pid")" 2>/dev/null; }; then
  wineserver -f -p >/dev/null 2>&1 &
  echo $! >"$dir/wineserver.pid"
fi
# Start Wine's background services now, with no pipes of ours: started by
# the first test program instead, they would inherit its output pipe and
# ctest would wait for them forever.
wine wineboot </dev/null >/dev/null 2>&1 || true
echo "wine session: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
