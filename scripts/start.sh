#!/usr/bin/env bash
# Builds ULMAR and starts it under Wine. Without a display it runs on a virtual
# one (Xvfb) and saves a screenshot. The program keeps its files (CURLOG.DTA,
# MYLOG.ULM) in its working folder, build/home/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh win
export WINEPREFIX=${WINEPREFIX:-$PWD/build/home-prefix} WINEDEBUG=-all
home=$PWD/build/home
mkdir -p "$home"
xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 50 99); do [ -e /tmp/.X11-unix/X$n ] || { export DISPLAY=:$n; break; }; done
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X${DISPLAY#:} ] && break; sleep 0.05; done
fi
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
# Wine's own fonts (Courier, MS Sans Serif) as a Windows system has them.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
cd "$home"
wine "$OLDPWD/build/win/ulmar.exe" >/dev/null 2>&1 &
app=$!
if [ -n "$xvfb_pid" ]; then
  sleep 6
  shot=$OLDPWD/build/ulmar-screenshot.png
  import -display "$DISPLAY" -window root "$shot"
  echo "ULMAR is running on the virtual display $DISPLAY; a screenshot of it is at $shot"
  if [ -t 0 ]; then
    echo "Press Enter to close it."
    read -r _
  fi
  kill "$app" 2>/dev/null || true
  wineserver -k || true
  kill "$xvfb_pid" 2>/dev/null || true
else
  echo "ULMAR is running on $DISPLAY (working folder $home)."
  wait "$app" || true
fi
