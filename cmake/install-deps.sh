#!/usr/bin/env bash
# Installs what building and testing KORA needs on Debian 12, skipping what is already there.
set -euo pipefail

have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# imagemagick and x11-utils only for run.sh's screenshot on Xvfb; lld (lld-link) links the
# ARM64 resource library, for which MinGW has no target.
packages=(cmake make g++ python3 mingw-w64 lld googletest xvfb xauth x11-utils fonts-wqy-zenhei imagemagick locales)
missing=()
for p in "${packages[@]}"; do have "$p" || missing+=("$p"); done
need_wine=0
# wine64 too: the 64-bit prefix of the Windows x64 cases needs it, and so does the emulator.
have wine32:i386 || need_wine=1
have wine64 || need_wine=1

# Wine runs in code page 936 under LC_ALL=zh_CN.UTF-8; without that locale on the Linux side
# it cannot create files with Chinese names.
need_locale() { ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; }
make_locale() { need_locale || return 0; $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8; }

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
# Where the kernel cannot execute 32-bit code, Wine runs through an emulator. A failure to
# set it up is not fatal here: the native build and tests need none of it, and the scripts
# that start Wine say why they cannot (wine-env.sh's kora_require_wine).
emulate() {
  "$(dirname "$0")/setup-i386-emulator.sh" \
    || echo "install-deps.sh: Wine cannot run on this machine; the Windows-side tests will not run." >&2
}

if [ ${#missing[@]} -eq 0 ] && [ $need_wine -eq 0 ]; then
  make_locale
  emulate
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]} $([ $need_wine -eq 1 ] && echo wine32:i386 wine64)"
[ $need_wine -eq 1 ] && $sudo dpkg --add-architecture i386
# One i386 index of the security suite may fail to download; the others are enough.
$sudo apt-get update || true
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
if [ $need_wine -eq 1 ]; then
  # -t bookworm lines the i386 libraries up with their amd64 twins, and keeps wine32 and
  # wine64 of the same version side by side.
  $sudo apt-get install -y -t bookworm --no-install-recommends wine32:i386 wine64 libgstreamer-plugins-base1.0-0:i386
fi
make_locale
emulate
