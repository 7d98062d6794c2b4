"""Reads what the loader sees of a 32-bit Windows executable: its header
flags, the libraries the loader maps before the program's first
instruction and its resources (the manifest). Pure Python, so no toolchain
is needed to test."""
import struct

MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
FILE_RELOCS_STRIPPED = 0x0001
DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100
TERMINAL_SERVER_AWARE = 0x8000
IMPORT_DIRECTORY = 1
RESOURCE_DIRECTORY = 2
RELOCATION_DIRECTORY = 5
RT_MANIFEST = 24
RESOURCE_SUBDIRECTORY = 0x80000000


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = self._u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, sections, _, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = self._u16(optional)
        if self.magic != PE32_MAGIC:
            raise ValueError("not a 32-bit image")
        self.subsystem = self._u16(optional + 68)
        self.dll_characteristics = self._u16(optional + 70)
        directory_count = self._u32(optional + 92)
        self.directories = [struct.unpack_from("<II", data, optional + 96 + 8 * i)
                            for i in range(min(directory_count, 16))]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, virtual_size, address, raw_size, raw_offset = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("latin-1"), address, max(virtual_size, raw_size),
                                  raw_offset, raw_size))

    def _u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def _u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def _offset(self, rva):
        for _, address, size, raw_offset, raw_size in self.sections:
            if address <= rva < address + size and rva - address < raw_size:
                return raw_offset + rva - address
        raise ValueError(f"address {rva:#x} lies in no section")

    def _text(self, rva):
        start = self._offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def _library_names(self, directory, entry_size, name_field):
        rva, size = self.directory(directory)
        names = []
        if not rva:
            return names
        entry = self._offset(rva)
        while entry + entry_size <= len(self.data):
            fields = self.data[entry:entry + entry_size]
            if not any(fields):
                break
            names.append(self._text(struct.unpack_from("<I", fields, name_field)[0]).lower())
            entry += entry_size
        return names

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def imports(self):
        """Libraries the loader maps before the program's first instruction."""
        return self._library_names(IMPORT_DIRECTORY, 20, 12)

    def _resource_entries(self, base, offset):
        named, numbered = struct.unpack_from("<HH", self.data, base + offset + 12)
        return [struct.unpack_from("<II", self.data, base + offset + 16 + 8 * i) for i in range(named + numbered)]

    def resource(self, type_id):
        """The bytes of the first resource of a numbered type (its first
        name, first language), or None."""
        rva, _ = self.directory(RESOURCE_DIRECTORY)
        if not rva:
            return None
        base = self._offset(rva)
        targets = [target for name, target in self._resource_entries(base, 0) if name == type_id]
        while targets and targets[0] & RESOURCE_SUBDIRECTORY:
            targets = [target for _, target in self._resource_entries(base, targets[0] & ~RESOURCE_SUBDIRECTORY)]
        if not targets:
            return None
        data_rva, size = struct.unpack_from("<II", self.data, base + targets[0])
        start = self._offset(data_rva)
        return self.data[start:start + size]

    def has_relocations(self):
        return not self.characteristics & FILE_RELOCS_STRIPPED and self.directory(RELOCATION_DIRECTORY)[1] > 0


def read(path):
    with open(path, "rb") as f:
        return PeImage(f.read())
