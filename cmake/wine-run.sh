#!/bin/sh
# ctest's emulator for Windows programs: wine-run.sh <program.exe> [args...]
# Runs the program under 32-bit Wine in a prefix of its own, build/wine/<program>/, a
# hard-link copy of build/wine/template, on $DISPLAY or on a private Xvfb, and returns
# the program's exit code. With KORA_WINE_ARCH=win64 the prefix is 64-bit, a copy of
# build/wine/template-win64 named build/wine/<program>-win64/. Never touches ~/.wine.
set -u

[ $# -ge 1 ] || { echo "usage: wine-run.sh <program.exe> [args...]" >&2; exit 2; }
exe=$1
shift

here=$(cd "$(dirname "$0")" && pwd)
src=$(dirname "$here")
root="$src/build/wine"
name=$(basename "$exe" .exe)

. "$here/wine-env.sh"
kora_require_wine || exit 1
template="$root/template$KORA_PREFIX_SUFFIX"
prefix="$root/$name$KORA_PREFIX_SUFFIX"
export KORA_SCREENSHOT_DIR="$src/build/screenshots"
mkdir -p "$KORA_SCREENSHOT_DIR" "$root"

# A previous or interrupted run may have left a server and a used prefix behind.
if [ -d "$prefix" ]; then
  WINEPREFIX="$prefix" "$WINESERVER" -k 2>/dev/null
  rm -rf "$prefix"
fi

# Hard links keep the copy cheap; the files Wine rewrites in place (the registry hives,
# the spooler's driver folders) are copied for real so the template never changes.
# The shared lock keeps wine-prefix.sh from replacing the template meanwhile.
copy_template() {
  flock -s 9
  [ -f "$template/system.reg" ] || return 1
  rm -rf "$prefix"
  cp -al "$template" "$prefix" || return 1
  for hive in "$template"/*.reg; do
    rm -f "$prefix/$(basename "$hive")"
    cp -p "$hive" "$prefix/" || return 1
  done
  spool=drive_c/windows/system32/spool
  if [ -d "$template/$spool" ]; then
    rm -rf "$prefix/$spool"
    cp -a "$template/$spool" "$prefix/$spool" || return 1
  fi
} 9>"$root/.template$KORA_PREFIX_SUFFIX.lock"

# Without a template (a test run on its own, outside ctest's fixture) make one first.
if ! copy_template; then
  sh "$here/wine-prefix.sh" && copy_template || { echo "wine-run.sh: no Wine prefix template" >&2; exit 1; }
fi
export WINEPREFIX="$prefix"

xvfb_pid=
workdir=$(mktemp -d)
stop() {
  "$WINESERVER" -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$workdir"
}
trap 'stop; exit 130' INT TERM HUP

if [ -z "${DISPLAY:-}" ]; then
  # -displayfd lets the server pick a free display itself, so parallel runs never race.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$workdir/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  tries=0
  while [ ! -s "$workdir/display" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
      echo "wine-run.sh: Xvfb did not start" >&2
      stop
      exit 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 "$workdir/display")"
fi

"$WINE" "$exe" "$@" </dev/null
status=$?
stop
exit $status
