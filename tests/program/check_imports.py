#!/usr/bin/env python3
"""check_imports.py <objdump> <program.exe>: the installer's import table names only
Windows' known DLLs (anything else, comctl32 and winspool.drv among them, would be looked
for beside the program first, and it runs elevated), no runtime DLL of the compiler, the
GUI subsystem (no console window) and a manifest that asks for administrator rights."""
import re
import subprocess
import sys

from pe_image import Image

# Known DLLs on every Windows from 2000 on: always loaded from the system directory.
KNOWN_DLLS = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ntdll.dll",
    "ole32.dll", "oleaut32.dll", "rpcrt4.dll", "shell32.dll", "shlwapi.dll", "user32.dll",
}
RT_MANIFEST = 24
CREATEPROCESS_MANIFEST_RESOURCE_ID = 1
ELEVATION = re.compile(rb'<requestedExecutionLevel\s[^>]*level="requireAdministrator"')


def imported_dlls(objdump_text):
    return [m.group(1) for m in re.finditer(r"^\s*DLL Name: (\S+)\s*$", objdump_text, re.M)]


def subsystem(objdump_text):
    m = re.search(r"^Subsystem\s+([0-9a-fA-F]+)", objdump_text, re.M)
    return int(m.group(1), 16) if m else None


def problems(objdump_text, image):
    found = []
    dlls = imported_dlls(objdump_text)
    if not dlls:
        found.append("objdump listed no imported DLL at all")
    for dll in dlls:
        if dll.lower() not in KNOWN_DLLS:
            found.append("imports %s, which is not a known DLL" % dll)
    if subsystem(objdump_text) != 2:
        found.append("subsystem is %s, not 2 (Windows GUI)" % subsystem(objdump_text))
    manifests = image.resources(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID)
    if len(manifests) != 1:
        found.append("%d manifest resources with id 1, not one" % len(manifests))
    elif not ELEVATION.search(manifests[0]):
        found.append("the manifest does not ask for requireAdministrator")
    return found


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: check_imports.py <objdump> <program.exe>")
    objdump, program = sys.argv[1:]
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    with open(program, "rb") as f:
        image = Image(f.read())
    found = problems(text, image)
    for problem in found:
        print("%s: %s" % (program, problem))
    if not found:
        print("%s: imports %s; GUI; requireAdministrator" % (program, ", ".join(imported_dlls(text))))
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
