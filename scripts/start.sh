#!/usr/bin/env bash
# Builds ULMAR and starts it under Wine. Without a display it runs on a virtual
# one (Xvfb) inside a Wine virtual desktop, so the window has its real frame,
# title, icon and menu, and saves a screenshot once the main window has shown.
# The program keeps its files (CURLOG.DTA, MYLOG.ULM) in its working folder,
# build/home/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh win
root=$PWD
home=$root/build/home
mkdir -p "$home"
xvfb_pid=""
desktop=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 50 99); do [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { export DISPLAY=:$n; break; }; done
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  until [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ]; do
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb could not start on $DISPLAY" >&2; exit 1; }
    sleep 0.05
  done
  desktop=1024x768
fi
# The prefix gets the same fonts as the test rig's, and the virtual desktop
# when there is no display of our own.
wine_env=$(python3 tests/e2e/wineprefix.py "${WINEPREFIX:-$root/build/home-prefix}" $desktop)
eval "$wine_env"
cd "$home"
wine "$root/build/win/ulmar.exe" >/dev/null 2>&1 &
app=$!
status=0
if [ -n "$xvfb_pid" ]; then
  shot=$root/build/ulmar-screenshot.png
  if python3 "$root/tests/e2e/harness.py" wait-shown "ULMAR v1.01"; then
    import -display "$DISPLAY" -window root "$shot"
    echo "ULMAR is running on the virtual display $DISPLAY; a screenshot of it is at $shot"
  else
    echo "ULMAR's main window did not show" >&2
    status=1
  fi
  if [ -t 0 ]; then
    echo "Press Enter to close it."
    read -r _
  fi
  kill "$app" 2>/dev/null || true
  wineserver -k || true
else
  echo "ULMAR is running on $DISPLAY (working folder $home)."
  wait "$app" || true
fi
exit $status
