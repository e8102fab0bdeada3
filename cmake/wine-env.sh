# Sourced by every script that starts Wine: the launchers, the prefix settings and, on
# machines whose kernel cannot execute 32-bit code, what the emulator needs (see
# setup-i386-emulator.sh). Sets nothing else and starts nothing.
#
# KORA_WINE_ARCH chooses the prefix: win32 (the default) or win64, a 64-bit Windows for
# the 32-bit program (it runs under WOW64 there). A win64 prefix is made and started by
# wine64, which hands 32-bit programs on to the 32-bit loader; KORA_PREFIX_SUFFIX keeps
# its template and test prefixes apart from the 32-bit ones.
WINESERVER=/usr/lib/wine/wineserver
case ${KORA_WINE_ARCH:-win32} in
  win64) KORA_WINE_ARCH=win64 WINE=/usr/lib/wine/wine64 KORA_PREFIX_SUFFIX=-win64 ;;
  *) KORA_WINE_ARCH=win32 WINE=/usr/lib/wine/wine KORA_PREFIX_SUFFIX= ;;
esac
export WINEARCH=$KORA_WINE_ARCH WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
# The native wineserver reads and writes an emulated program's memory at the program's own
# addresses, which holds only while qemu maps the guest at host address 0. qemu reads this
# variable; a native 32-bit Wine ignores it.
export QEMU_GUEST_BASE=0

KORA_BINFMT_ENTRY=${KORA_BINFMT_DIR:-/proc/sys/fs/binfmt_misc}/kora-i386-exec

# True when a 32-bit program runs at all (natively or through the emulator).
kora_32bit_runs() { /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; }
# True when our emulator entry is what runs them.
kora_i386_emulated() { grep -qx enabled "$KORA_BINFMT_ENTRY" 2>/dev/null && kora_32bit_runs; }
kora_runs_32bit_natively() { ! grep -qx enabled "$KORA_BINFMT_ENTRY" 2>/dev/null && kora_32bit_runs; }

# Stops a script before it starts Wine where Wine cannot run, with the reason and the cure.
kora_require_wine() {
  if [ ! -x "$WINE" ]; then
    echo "Wine ($WINE) is not installed: run ./cmake/install-deps.sh (as root, or with sudo)." >&2
    return 1
  fi
  kora_runs_32bit_natively && return 0
  if kora_32bit_runs; then
    [ -x /usr/lib/wine/wineserver64 ] && return 0
    echo "32-bit Wine runs through the emulator, but wine64 (the native wineserver) is missing:" \
      "run ./cmake/install-deps.sh as root." >&2
  else
    echo "This machine cannot run 32-bit programs (its kernel has 32-bit emulation switched off)" \
      "and the qemu-i386 emulator is not set up: run ./cmake/install-deps.sh as root on a kernel" \
      "with binfmt_misc, or boot with ia32_emulation=on; the Windows-side tests need one of them." >&2
  fi
  return 1
}
