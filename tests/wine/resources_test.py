#!/usr/bin/python3
"""Reads back from Wizlo.exe what Explorer and the file's properties show: the gears as an icon group
(16, 32 and 48 px at 4, 8 and 32 bits, 256 px as PNG), the version record field by field and in its
order, and that the program needs no DLL but the system's. Usage: resources_test.py Wizlo.exe"""
import struct
import sys
import unittest

import pefile

PROGRAM = sys.argv.pop(1)
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "ole32.dll", "shell32.dll", "winmm.dll",
               "windowscodecs.dll", "msvcrt.dll"}


def resources(pe, kind):
    """{id: bytes} of every resource of one type."""
    found = {}
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id != kind:
            continue
        for named in entry.directory.entries:
            for language in named.directory.entries:
                data = language.data.struct
                key = named.id if named.id is not None else str(named.name)
                found[key] = pe.get_data(data.OffsetToData, data.Size)
    return found


class ProgramFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(PROGRAM)

    def test_the_icon_group_holds_each_size_at_each_depth_and_the_large_one_as_png(self):
        groups = resources(self.pe, pefile.RESOURCE_TYPE["RT_GROUP_ICON"])
        icons = resources(self.pe, pefile.RESOURCE_TYPE["RT_ICON"])
        self.assertEqual(list(groups), ["APPICON"])
        group = groups["APPICON"]
        reserved, kind, count = struct.unpack_from("<HHH", group)
        self.assertEqual((reserved, kind), (0, 1))
        seen = set()
        for i in range(count):
            width, height, colours, _, planes, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            pixels = width or 256
            data = icons[icon_id]
            self.assertEqual(len(data), size)
            seen.add((pixels, bits))
            if pixels == 256:
                self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n")
                self.assertEqual(struct.unpack(">II", data[16:24]), (256, 256))
                continue
            header, dib_width, dib_height, _, dib_bits = struct.unpack_from("<IiiHH", data)
            self.assertEqual((header, dib_width, dib_height, dib_bits), (40, pixels, 2 * pixels, bits))
            self.assertEqual(colours, 16 if bits == 4 else 0)
        self.assertEqual(seen, {(s, b) for s in (16, 32, 48) for b in (4, 8, 32)} | {(256, 32)})

    def test_the_version_record_has_its_numbers_flags_and_strings_in_order(self):
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x00010000, 0))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x00010000, 0))
        # No flags, and none that could be set: mask 0, flags 0; no date.
        self.assertEqual((fixed.FileFlagsMask, fixed.FileFlags), (0, 0))
        self.assertEqual((fixed.FileOS, fixed.FileType, fixed.FileSubtype), (4, 1, 0))
        self.assertEqual((fixed.FileDateMS, fixed.FileDateLS), (0, 0))
        tables = [t for info in self.pe.FileInfo[0] if info.Key == b"StringFileInfo" for t in info.StringTable]
        self.assertEqual([t.LangID.upper() for t in tables], [b"040904B0"])
        self.assertEqual(list(tables[0].entries.items()), [
            (b"CompanyName", b"Example School Software"), (b"ProductName", b"Wizlo"), (b"FileVersion", b"1.00"),
            (b"ProductVersion", b"1.00"), (b"InternalName", b"Wizlo"), (b"OriginalFilename", b"Wizlo.exe")])
        translations = [v.entry for info in self.pe.FileInfo[0] if info.Key == b"VarFileInfo" for v in info.Var]
        self.assertEqual(translations, [{b"Translation": "0x0409 0x04b0"}])

    def test_it_needs_no_dll_but_the_systems(self):
        imported = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertLessEqual(imported, SYSTEM_DLLS)


if __name__ == "__main__":
    unittest.main(verbosity=2)
