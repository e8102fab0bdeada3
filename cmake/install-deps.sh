#!/usr/bin/env bash
# install-deps.sh [SET...]: installs on Debian 12 what the named sets need, skipping what is
# already there. Without a set, all of them.
#   build       cross-compiling KORA.exe and the driver package (./build.sh)
#   host        the native unit tests and checks (ctest --preset host)
#   wine        32- and 64-bit Wine on Xvfb with a Chinese font and locale, for ./run.sh and
#               the Windows-side tests; on a kernel without 32-bit code also the emulator
#   screenshot  run.sh's screenshot without a display of your own (xwininfo, ImageMagick)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
sets=("$@")
[ ${#sets[@]} -gt 0 ] || sets=(build host wine screenshot)

packages=()
want_wine=0
for set in "${sets[@]}"; do
  case $set in
    # lld: lld-link links the ARM64 resource library, for which MinGW has no target.
    build) packages+=(cmake make python3 mingw-w64 lld googletest) ;;
    # clang-format: the layout check of the sources runs with the host tests.
    host) packages+=(cmake make g++ python3 googletest clang-format) ;;
    # locales for localedef: Wine runs in code page 936 under LC_ALL=zh_CN.UTF-8.
    wine) packages+=(xvfb xauth fonts-wqy-zenhei locales); want_wine=1 ;;
    screenshot) packages+=(x11-utils imagemagick) ;;
    *) echo "install-deps.sh: unknown set '$set' (build, host, wine or screenshot)" >&2; exit 2 ;;
  esac
done

have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${packages[@]}"; do
  have "$p" || [[ " ${missing[*]} " == *" $p "* ]] || missing+=("$p")
done
need_wine=0
# wine64 too: the 64-bit prefix of the Windows x64 cases needs it, and so does the emulator.
if [ $want_wine -eq 1 ]; then
  have wine32:i386 || need_wine=1
  have wine64 || need_wine=1
fi
# Without that locale on the Linux side Wine cannot create files with Chinese names. grep reads
# all of the list: with pipefail, one that stopped early could fail the pipeline.
need_locale() { [ $want_wine -eq 1 ] && ! locale -a 2>/dev/null | grep -ix 'zh_CN.utf8' >/dev/null; }

to_install=("${missing[@]}")
[ $need_wine -eq 0 ] || to_install+=(wine32:i386 wine64)
to_make=("${to_install[@]}")
! need_locale || to_make+=("the locale zh_CN.UTF-8")

sudo=
if [ ${#to_make[@]} -gt 0 ] && [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps.sh: this machine lacks ${to_make[*]}; installing needs root, and there is no" \
      "sudo: run '$here/install-deps.sh ${sets[*]}' as root once, then your command again." >&2
    exit 1
  fi
  sudo=sudo
fi

# Debian 12's security suite now and then serves an i386 index whose size does not match its
# release file ("File has unexpected size"): apt-get update exits 100 while every other index
# is current, and the packages install as usual. That case is named and passed over. Any other
# failure is shown as it is and the installation goes on from the lists already on this
# machine, so that one unreachable source of the machine's own does not stop it; apt-get
# install then fails, naming the package, if a list that matters is missing.
only_security_i386_failed() {
  local failed
  failed=$(grep -E '^[EW]: Failed to fetch' "$1") || return 1
  ! grep -vqE 'security.*/binary-i386/' <<<"$failed" || return 1
  local errors
  errors=$(grep -E '^E: ' "$1" | grep -vE '^E: (Failed to fetch|Some index files failed to download)' || true)
  [ -z "$errors" ]
}

apt_update() {
  local log status
  log=$(mktemp)
  { status=0; $sudo apt-get update 2>&1 || status=$?; echo "$status" >"$log.status"; } | tee "$log"
  status=$(cat "$log.status")
  if [ "$status" -ne 0 ]; then
    if only_security_i386_failed "$log"; then
      echo "install-deps.sh: apt-get update exited $status, for the i386 index of the security" \
        "suite only (a known mirror fault); the other indexes are current, going on." >&2
    else
      echo "install-deps.sh: apt-get update FAILED (exit $status), see its output above; going on" \
        "with the package lists already on this machine." >&2
    fi
  fi
  rm -f "$log" "$log.status"
}

make_locale() { need_locale || return 0; $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8; }
# Where the kernel cannot execute 32-bit code, Wine runs through an emulator. A failure to
# set it up is not fatal here: the native build and tests need none of it, and the scripts
# that start Wine say why they cannot (wine-env.sh's kora_require_wine).
emulate() {
  [ $want_wine -eq 1 ] || return 0
  "$here/setup-i386-emulator.sh" \
    || echo "install-deps.sh: Wine cannot run on this machine; the Windows-side tests will not run." >&2
}

if [ ${#to_install[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  echo "Installing: ${to_install[*]}"
  [ $need_wine -eq 0 ] || $sudo dpkg --add-architecture i386
  apt_update
  if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
  if [ $need_wine -eq 1 ]; then
    # -t bookworm lines the i386 libraries up with their amd64 twins, and keeps wine32 and
    # wine64 of the same version side by side.
    $sudo apt-get install -y -t bookworm --no-install-recommends wine32:i386 wine64 libgstreamer-plugins-base1.0-0:i386
  fi
fi
make_locale
emulate
