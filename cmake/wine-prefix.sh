#!/bin/sh
# (Re)creates build/wine/template, the 32-bit Wine prefix that wine-run.sh copies for
# every Windows-side test program (build/wine/template-win64, a 64-bit one, with
# KORA_WINE_ARCH=win64). Never touches ~/.wine.
set -eu

src=$(cd "$(dirname "$0")/.." && pwd)
root="$src/build/wine"

. "$src/cmake/wine-env.sh"
kora_require_wine
template="$root/template$KORA_PREFIX_SUFFIX"
export WINEPREFIX="$template"

mkdir -p "$root"
# Copiers (wine-run.sh) hold this lock shared while they copy the template.
exec 9>"$root/.template$KORA_PREFIX_SUFFIX.lock"
flock 9

# A server left over from an interrupted run would keep the old prefix's files open.
if [ -d "$template" ]; then
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$template"
fi

# wineboot needs a display, and the server it starts must end before anyone copies the
# prefix, so both run under the same display.
boot='"$0" wineboot.exe -i </dev/null >/dev/null 2>&1; "$1" -w'
if [ -n "${DISPLAY:-}" ]; then
  sh -c "$boot" "$WINE" "$WINESERVER"
else
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh -c "$boot" "$WINE" "$WINESERVER"
fi

[ -f "$template/system.reg" ] || { echo "wine-prefix.sh: wineboot made no prefix in $template" >&2; exit 1; }
echo "Wine prefix ready: $template"
