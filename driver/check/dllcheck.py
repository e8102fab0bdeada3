#!/usr/bin/env python3
"""dllcheck.py [--machine i386|amd64|arm64] QZC10.DLL QZC10.rc: the built resource library is
what its script says, built for the processor asked for (the x86 library and those in
win2k\\x64 and win2k\\arm64 come from the same script).

A resource-only DLL: no entry point, no imports, movable to any base (not marked
"relocations stripped", which would make a module load fail wherever its preferred
base is taken, while DYNAMIC_BASE asks for just that); its string table holds exactly the
script's id/text pairs as correct UTF-16 (a script compiled without the UTF-8 code
page would not), in Chinese (PRC); its version is 4.0.0.0 and carries the script's
version strings. ARM64 Windows loads only images that may be moved (DYNAMIC_BASE): the
ARM64 library must say so.
"""
import re
import struct
import sys

RT_STRING, RT_VERSION = 6, 16
IMAGE_FILE_RELOCS_STRIPPED, IMAGE_FILE_DLL = 0x0001, 0x2000
DYNAMIC_BASE = 0x0040
LANG_CHINESE_PRC = 0x0804
FIXED_FILE_INFO = struct.pack("<I", 0xFEEF04BD)
MACHINES = {"i386": (0x14C, 0x10B), "amd64": (0x8664, 0x20B), "arm64": (0xAA64, 0x20B)}  # machine, optional magic
MUST_BE_MOVABLE = {"arm64"}  # ASLR cannot be switched off there


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.entry_point = struct.unpack_from("<I", data, optional + 16)[0]
        self.dll_characteristics = struct.unpack_from("<H", data, optional + 70)[0]
        directories = optional + (112 if self.magic == 0x20B else 96)  # PE32+ has 64-bit fields before them
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(sections):
            _, vsize, rva, raw_size, raw = struct.unpack_from("<8sIIII", data, optional + optional_size + 40 * i)
            self.sections.append((rva, max(vsize, raw_size), raw))

    def at(self, rva, size):
        for start, length, raw in self.sections:
            if start <= rva < start + length:
                return self.data[raw + rva - start: raw + rva - start + size]
        raise ValueError(f"RVA {rva:#x} is in no section")

    def resources(self):
        """(type, name, language) -> bytes, from the three-level resource directory."""
        base_rva = self.directories[2][0]
        found = {}

        def walk(offset, path):
            header = self.at(base_rva + offset, 16)
            count = sum(struct.unpack_from("<HH", header, 12))
            for i in range(count):
                ident, target = struct.unpack("<II", self.at(base_rva + offset + 16 + 8 * i, 8))
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, path + (ident,))
                else:
                    rva, size = struct.unpack("<II", self.at(base_rva + target, 8))
                    found[path + (ident,)] = self.at(rva, size)
        walk(0, ())
        return found


def string_table(resources):
    """id -> text; block n holds the ids 16(n-1) to 16(n-1)+15 as counted UTF-16 strings."""
    table = {}
    for (kind, block, _), data in resources.items():
        if kind != RT_STRING:
            continue
        pos = 0
        for i in range(16):
            length = struct.unpack_from("<H", data, pos)[0]
            if length:
                table[(block - 1) * 16 + i] = data[pos + 2:pos + 2 + 2 * length].decode("utf-16-le")
            pos += 2 + 2 * length
    return table


def script(rc_path):
    """The script's string table (id -> text) and its VALUE strings."""
    with open(rc_path, encoding="utf-8") as f:
        text = f.read()
    table = {}
    for block in re.findall(r"^STRINGTABLE\s*\nBEGIN\n(.*?)^END", text, re.S | re.M):
        table.update({int(i): s for i, s in re.findall(r"^\s*(\d+)\s*,?\s*\"([^\"]*)\"", block, re.M)})
    values = re.findall(r"VALUE\s+\"[^\"]*\",\s*\"([^\"]*)\"", text)
    return table, values


def faults(dll_path, rc_path, machine=None):
    with open(dll_path, "rb") as f:
        image = Image(f.read())
    found = []
    if machine and (image.machine, image.magic) != MACHINES[machine]:
        found.append(f"machine {image.machine:#x} with optional header {image.magic:#x}: not built for {machine}")
    if image.entry_point:
        found.append(f"entry point at {image.entry_point:#x}: a resource library has no code")
    if image.directories[1] != (0, 0):
        found.append("an import directory: a resource library imports nothing")
    if not image.characteristics & IMAGE_FILE_DLL:
        found.append("not marked as a DLL")
    if machine in MUST_BE_MOVABLE and not image.dll_characteristics & DYNAMIC_BASE:
        found.append(f"not marked DYNAMIC_BASE: {machine} Windows refuses an image it may not move")
    if image.characteristics & IMAGE_FILE_RELOCS_STRIPPED:
        moved = " while DYNAMIC_BASE asks to move it" if image.dll_characteristics & DYNAMIC_BASE else ""
        found.append(f"marked relocations stripped{moved}: a module load fails where its base is taken")
    resources = image.resources()
    languages = {language for (_, _, language) in resources}
    if languages != {LANG_CHINESE_PRC}:
        found.append(f"resource languages {sorted(hex(x) for x in languages)}, expected only 0x804")
    table, values = script(rc_path)
    built = string_table(resources)
    for ident in sorted(set(table) | set(built)):
        if table.get(ident) != built.get(ident):
            found.append(f"string {ident}: script {table.get(ident)!r}, DLL {built.get(ident)!r}")
    found += version_faults(resources, values)
    return found


def version_faults(resources, values):
    version = [data for (kind, _, _), data in resources.items() if kind == RT_VERSION]
    if len(version) != 1:
        return [f"{len(version)} version resources, expected 1"]
    data = version[0]
    fixed = data.find(FIXED_FILE_INFO)
    file_ms, file_ls = struct.unpack_from("<II", data, fixed + 8) if fixed >= 0 else (None, None)
    found = [] if (file_ms, file_ls) == (0x00040000, 0) else ["file version is not 4.0.0.0"]
    found += [f"version string {v!r} missing or not UTF-16" for v in values if v.encode("utf-16-le") not in data]
    return found


def main(argv):
    machine = None
    if argv[:1] == ["--machine"]:
        machine, argv = argv[1], argv[2:]
    found = faults(argv[0], argv[1], machine)
    for fault in found:
        print(f"{argv[0]}: {fault}")
    print(f"dllcheck: {len(found)} fault(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
