#!/usr/bin/env python3
"""unidrvcheck.py [--machine i386|amd64] FILE...: Unidrv core files are what their names say.

The six files come from a folder the builder names (KORA_UNIDRV_DIR), and a wrong folder, a
truncated copy or one of our own text stand-ins would otherwise go into a release that
cannot print. uniDRV.DLL, uniDRVui.DLL and UNIRES.DLL must be Windows PE images (an MZ
header whose e_lfanew points at "PE\\0\\0") of DLLs for the package's processor, UNIDRV.HLP a
WinHelp file, TTFSUB.GPD and STDNAMES.GPD text. Prints one line per fault, exits 1 if any.
"""
import argparse
import os
import struct
import sys

MACHINES = {"i386": 0x014C, "amd64": 0x8664}
IMAGE_FILE_DLL = 0x2000
WINHELP_MAGIC = b"\x3f\x5f\x03\x00"
KINDS = {"unidrv.dll": "pe", "unidrvui.dll": "pe", "unires.dll": "pe",
         "unidrv.hlp": "winhelp", "ttfsub.gpd": "text", "stdnames.gpd": "text"}
TEXT_CONTROLS = set(b"\t\r\n\x1a")  # Ctrl-Z ends old DOS text files


def pe_fault(data, machine):
    if data[:2] != b"MZ":
        return "not a Windows PE file: no MZ header"
    if len(data) < 0x40:
        return "not a Windows PE file: the MZ header is cut short"
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return "not a Windows PE file: no PE header where the MZ header points"
    found, = struct.unpack_from("<H", data, pe + 4) if len(data) >= pe + 6 else (None,)
    if found != MACHINES[machine]:
        names = {v: k for k, v in MACHINES.items()}
        return f"a PE file for {names.get(found, hex(found or 0))}, not for {machine}"
    characteristics, = struct.unpack_from("<H", data, pe + 22) if len(data) >= pe + 24 else (0,)
    if not characteristics & IMAGE_FILE_DLL:
        return "a PE file, but not a DLL"
    return None


def text_fault(data):
    if not data:
        return "empty, not a GPD text"
    bad = next((b for b in data if b < 0x20 and b not in TEXT_CONTROLS), None)
    return None if bad is None else f"not text: it holds the control byte {bad:#04x}"


def faults(path, machine="i386"):
    """The faults of one file; its kind comes from its name, in any letter case."""
    kind = KINDS.get(os.path.basename(path).lower())
    if kind is None:
        return [f"{path}: not one of the Unidrv core files"]
    with open(path, "rb") as f:
        data = f.read()
    if data.startswith(b"KORA stand-in"):
        fault = "our text stand-in, not the Windows file"
    elif kind == "pe":
        fault = pe_fault(data, machine)
    elif kind == "winhelp":
        fault = None if data[:4] == WINHELP_MAGIC else "not a WinHelp file (no ?_ header)"
    else:
        fault = text_fault(data)
    return [f"{path}: {fault}"] if fault else []


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--machine", choices=sorted(MACHINES), default="i386")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args(argv)
    found = [fault for path in args.files for fault in faults(path, args.machine)]
    for fault in found:
        print(fault)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
