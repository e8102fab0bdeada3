"""The resource section of a 32-bit PE image, read without any Windows tool."""
import struct


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

    def entries(self):
        """Every resource as (type id, name id, language, bytes); None for a named type or name."""
        if self.resource_rva == 0:
            return
        for type_id, rva, is_dir in self.directory(self.resource_rva):
            if not is_dir:
                continue
            for name_id, name_rva, name_is_dir in self.directory(rva):
                if not name_is_dir:
                    continue
                for language, leaf, leaf_is_dir in self.directory(name_rva):
                    if leaf_is_dir:
                        continue
                    data_rva, size = struct.unpack_from("<II", self.data, self.offset(leaf))
                    start = self.offset(data_rva)
                    yield type_id, name_id, language, self.data[start:start + size]

    def resources(self, type_id, name_id):
        return [data for t, n, _, data in self.entries() if t == type_id and n == name_id]
