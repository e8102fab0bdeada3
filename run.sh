#!/usr/bin/env bash
# Builds dist/KORA/ and starts the wizard under 32-bit Wine in a prefix of its own
# (build/wine/run, never ~/.wine): on your display, or on Xvfb with a screenshot.
set -euo pipefail
cd "$(dirname "$0")"
./build.sh
src=$(pwd)
export WINEPREFIX="$src/build/wine/run" WINEARCH=win32 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
WINE=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver

start() {
  [ -f "$WINEPREFIX/system.reg" ] || { "$WINE" wineboot.exe -i </dev/null >/dev/null 2>&1; "$WINESERVER" -w; }
  # Windows has the key of the default printer; a fresh Wine prefix does not.
  "$WINE" reg add 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' /f </dev/null >/dev/null 2>&1 || true
  cd "$src/dist/KORA"
  "$WINE" KORA.exe </dev/null
}

if [ -n "${DISPLAY:-}" ]; then
  start
  echo "Printers now in Wine's spooler:"
  "$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Print\Printers' </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/.*\\Printers\\/  /p'
else
  mkdir -p build/screenshots
  export -f start
  export src WINE WINESERVER
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    start & sleep 8
    import -window root "$src/build/screenshots/run.png" || true
    "$WINESERVER" -k'
  echo "No display: the wizard ran on Xvfb; screenshot in build/screenshots/run.png"
fi
