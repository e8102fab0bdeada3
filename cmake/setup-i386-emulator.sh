#!/usr/bin/env bash
# Lets 32-bit Wine run on a kernel that cannot execute 32-bit code: hands every 32-bit
# ELF program to a static qemu-i386 through binfmt_misc, and installs wine64 so that the
# wineserver is a native program (an emulated server cannot read its clients' memory).
# Does nothing where 32-bit programs already run, unless KORA_EMULATE_I386=1 asks for the
# emulator anyway. Idempotent; needs root and Debian's package registry through apt.
# Exits non-zero with the reason on stderr when the emulator cannot be set up.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
export LC_ALL=C  # apt and dpkg speak English here, whatever Wine is told

state=${KORA_EMULATOR_DIR:-/var/lib/kora-i386}
qemu="$state/qemu-i386"
binfmt=${KORA_BINFMT_DIR:-/proc/sys/fs/binfmt_misc}
# The ELF headers of 32-bit i386 executables (type 2) and shared objects or PIE programs
# (type 3); the mask ignores the OS ABI byte and the low bit of the class-specific bytes.
magic_head='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo

fail() {
  echo "setup-i386-emulator.sh: $*" >&2
  exit 1
}

# The 64-bit wineserver; with only the 32-bit one every Wine process would be emulated,
# the server included.
install_wine64() {
  [ -x /usr/lib/wine/wineserver64 ] && return 0
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -t bookworm --no-install-recommends wine64 \
    >/dev/null || fail "could not install wine64 with apt-get"
}

# Debian 12's own qemu-user (7.2) cannot run Wine ("wine client error: read: Bad address");
# Debian 13's static binaries run on Debian 12 unchanged. Fetched through a private list and
# state folder, so the system's apt sources are never touched.
fetch_qemu() {
  [ -x "$qemu" ] && "$qemu" --version >/dev/null 2>&1 && return 0
  local uri apt
  uri=$(sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\/debian\)$/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
  [ -n "$uri" ] || uri=$(sed -n 's/^deb[[:space:]]\+\([^[:space:]]*\/debian\)[[:space:]].*/\1/p' /etc/apt/sources.list 2>/dev/null | head -n 1)
  [ -n "$uri" ] || fail "no Debian mirror found in /etc/apt/sources.list.d/debian.sources or /etc/apt/sources.list"
  $sudo mkdir -p "$state/apt/lists/partial" "$state/apt/cache/archives/partial" "$state/download"
  echo "deb $uri trixie main" | $sudo tee "$state/apt/sources.list" >/dev/null
  # The mirror's release files can be weeks old: the validity check must be off.
  apt=(-o "Dir::Etc::sourcelist=$state/apt/sources.list" -o Dir::Etc::sourceparts=-
       -o "Dir::State::Lists=$state/apt/lists" -o "Dir::Cache=$state/apt/cache"
       -o APT::Architectures::=amd64 -o Acquire::Check-Valid-Until=false)
  $sudo apt-get "${apt[@]}" update >/dev/null 2>&1 || fail "apt-get update of Debian 13 (trixie) from $uri failed"
  (cd "$state/download" && $sudo apt-get "${apt[@]}" download qemu-user >/dev/null 2>&1) \
    || fail "could not download Debian 13's qemu-user"
  local deb unpacked
  deb=$(ls -t "$state"/download/qemu-user_*.deb | head -n 1)
  unpacked=$(mktemp -d)
  dpkg-deb -x "$deb" "$unpacked" || { rm -rf "$unpacked"; fail "could not unpack $deb"; }
  $sudo install -m 755 "$unpacked/usr/bin/qemu-i386" "$qemu"
  rm -rf "$unpacked" "$state"/download/*.deb
  "$qemu" --version >/dev/null 2>&1 || fail "$qemu does not run"
}

register_one() {
  local name=$1 type=$2
  if [ -e "$binfmt/$name" ]; then
    if grep -qx "interpreter $qemu" "$binfmt/$name"; then
      grep -qx enabled "$binfmt/$name" || echo 1 | $sudo tee "$binfmt/$name" >/dev/null
      return 0
    fi
    echo -1 | $sudo tee "$binfmt/$name" >/dev/null  # an entry of ours pointing elsewhere
  fi
  # F: the kernel opens the interpreter now, so it works in every mount namespace.
  printf ':%s:M::%s%s:%s:%s:F\n' "$name" "$magic_head" "$type" "$mask" "$qemu" \
    | $sudo tee "$binfmt/register" >/dev/null || fail "binfmt_misc refused the entry $name"
}

register_binfmt() {
  if [ ! -e "$binfmt/register" ]; then
    $sudo mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null \
      || fail "binfmt_misc is not available (mount -t binfmt_misc failed; root and a kernel with binfmt_misc are needed)"
  fi
  [ -w "$binfmt/register" ] || [ -n "$sudo" ] || fail "$binfmt/register is not writable"
  register_one kora-i386-exec '\x02\x00\x03\x00'
  register_one kora-i386-dyn '\x03\x00\x03\x00'
  [ "$(cat "$binfmt/status" 2>/dev/null)" = enabled ] || echo 1 | $sudo tee "$binfmt/status" >/dev/null
}

if [ "${KORA_EMULATE_I386:-0}" != 1 ] && kora_runs_32bit_natively; then
  exit 0
fi
install_wine64
fetch_qemu
register_binfmt
kora_i386_emulated || fail "32-bit programs still do not run after registering $qemu"
version=$("$qemu" --version | sed -n '1s/.*version \([0-9][0-9.]*\).*/\1/p')
echo "32-bit programs run through qemu-i386 $version ($qemu, registered in $binfmt)"
