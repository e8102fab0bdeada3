#!/usr/bin/env python3
"""check_imports.py <objdump> <program.exe>: the installer's import table names only
Windows' known DLLs (anything else, comctl32 and winspool.drv among them, would be looked
for beside the program first, and it runs elevated), no runtime DLL of the compiler, the
GUI subsystem (no console window) and a manifest that asks for administrator rights and
declares Windows Vista to 10, without which Windows 8.1 and later report 6.2."""
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
SUPPORTED_OS = re.compile(rb'<supportedOS\s+Id="(\{[0-9a-fA-F-]+\})"\s*/>')
SUPPORTED_OS_IDS = {
    b"{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Windows Vista",
    b"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    b"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    b"{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    b"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10",
}
COMPATIBILITY = re.compile(rb'<compatibility\s+xmlns="urn:schemas-microsoft-com:compatibility\.v1"\s*>')


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
    else:
        if not ELEVATION.search(manifests[0]):
            found.append("the manifest does not ask for requireAdministrator")
        declared = {guid.lower() for guid in SUPPORTED_OS.findall(manifests[0])}
        for guid, system in SUPPORTED_OS_IDS.items():
            if guid not in declared:
                found.append("the manifest does not declare %s (supportedOS %s)" % (system, guid.decode()))
        if not COMPATIBILITY.search(manifests[0]):
            found.append("the manifest has no compatibility section of namespace compatibility.v1")
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
        print("%s: imports %s; GUI; requireAdministrator; Windows Vista to 10 declared" % (
            program, ", ".join(imported_dlls(text))))
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
