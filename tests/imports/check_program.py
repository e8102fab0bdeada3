#!/usr/bin/env python3
"""check_program.py <objdump> <program.exe>: the installer's import table names only
Windows' known DLLs (anything else, comctl32 and winspool.drv among them, would be looked
for beside the program first, and it runs elevated), no runtime DLL of the compiler, the
GUI subsystem (no console window) and a manifest that asks for administrator rights."""
import re
import struct
import subprocess
import sys

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


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        if struct.unpack_from("<H", data, optional)[0] != 0x10B:
            raise ValueError("not a 32-bit image")
        self.resource_rva = struct.unpack_from("<I", data, optional + 96 + 2 * 8)[0]
        self.sections = []
        for i in range(sections):
            entry = optional + optional_size + 40 * i
            size, rva, raw_size, raw = struct.unpack_from("<IIII", data, entry + 8)
            self.sections.append((rva, max(size, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address %#x is in no section" % rva)

    def directory(self, rva):
        """(id or None for a named entry, rva, is_directory) of a resource directory."""
        at = self.offset(rva)
        named, numbered = struct.unpack_from("<HH", self.data, at + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
            ident = None if name & 0x80000000 else name
            yield ident, self.resource_rva + (target & 0x7FFFFFFF), bool(target & 0x80000000)

    def resources(self, type_id, name_id):
        if self.resource_rva == 0:
            return []
        found = []
        for ident, rva, is_dir in self.directory(self.resource_rva):
            if ident != type_id or not is_dir:
                continue
            for name, name_rva, name_is_dir in self.directory(rva):
                if name != name_id or not name_is_dir:
                    continue
                for _, leaf, leaf_is_dir in self.directory(name_rva):
                    if leaf_is_dir:
                        continue
                    data_rva, size = struct.unpack_from("<II", self.data, self.offset(leaf))
                    start = self.offset(data_rva)
                    found.append(self.data[start:start + size])
        return found


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
        sys.exit("usage: check_program.py <objdump> <program.exe>")
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
