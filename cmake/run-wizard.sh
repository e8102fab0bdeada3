#!/usr/bin/env bash
# Runs dist/KORA/KORA.exe under Wine in build/wine/run. With --screenshot (no display of
# your own) it saves build/screenshots/run.png after a few seconds and stops the wizard.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
. "$src/cmake/wine-env.sh"
kora_require_wine
export WINEPREFIX="$src/build/wine/run"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$WINE" wineboot.exe -i </dev/null >/dev/null 2>&1
  "$WINESERVER" -w
fi
# Windows has the key of the default printer; a fresh Wine prefix does not.
"$WINE" reg add 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' /f </dev/null >/dev/null 2>&1 || true

cd "$src/dist/KORA"
if [ "${1:-}" = --screenshot ]; then
  mkdir -p "$src/build/screenshots"
  "$WINE" KORA.exe </dev/null >/dev/null 2>&1 &
  # Wait for the first page itself (its caption), not a guess: under the emulator Wine
  # starts about twice as slowly. One more second lets it paint.
  shown=0
  for _ in $(seq 1 120); do
    if xwininfo -root -tree 2>/dev/null | grep -q '选择操作系统'; then shown=1; break; fi
    sleep 0.5
  done
  [ $shown -eq 1 ] && sleep 1
  import -window root "$src/build/screenshots/run.png" || true
  "$WINESERVER" -k
  if [ $shown -eq 0 ]; then
    echo "The wizard did not show its first page within 60 s; see build/screenshots/run.png" >&2
    exit 1
  fi
  echo "No display of your own: the wizard ran on Xvfb; see build/screenshots/run.png"
  exit 0
fi

"$WINE" KORA.exe </dev/null
echo "Printers in Wine's spooler now:"
"$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Print\Printers' </dev/null 2>/dev/null \
  | tr -d '\r' | sed -n 's/.*\\Printers\\/  /p'
"$WINESERVER" -w
