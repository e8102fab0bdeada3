#!/usr/bin/env python3
"""Tests of unidrvcheck (the Unidrv files taken from KORA_UNIDRV_DIR are real) and of
release_zip (only real files make the release archive; anything else the test archive)."""
import os
import struct
import sys
import tempfile
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.dirname(HERE))
import release_zip  # noqa: E402
import unidrvcheck  # noqa: E402

I386, AMD64 = 0x014C, 0x8664
DLL, EXE = 0x2102, 0x0102


def pe(machine=I386, characteristics=DLL, pe_at=0x40):
    """The smallest image the check reads: an MZ header pointing at a PE signature and file header."""
    mz = bytearray(b"MZ" + bytes(0x3A) + struct.pack("<I", pe_at))
    mz += bytes(pe_at - len(mz))
    return bytes(mz) + b"PE\0\0" + struct.pack("<HHIIIHH", machine, 0, 0, 0, 0, 0, characteristics)


WINHELP = b"\x3f\x5f\x03\x00" + bytes(12)
STANDIN = b"KORA stand-in for uniDRV.DLL: not the Windows file, for testing only.\r\n"

# file name, content, words of the fault (None: no fault).
CASES = [
    ("uniDRV.DLL", pe(), None),
    ("unidrv.dll", pe(), None),
    ("UNIRES.DLL", pe(), None),
    ("uniDRV.DLL", STANDIN, "our text stand-in"),
    ("uniDRVui.DLL", b"This is not a program\r\n", "not a Windows PE file: no MZ header"),
    ("uniDRVui.DLL", b"MZ", "the MZ header is cut short"),
    ("UNIRES.DLL", pe()[:0x40] + b"NE\0\0" + bytes(20), "no PE header where the MZ header points"),
    ("uniDRV.DLL", pe(machine=AMD64), "a PE file for amd64, not for i386"),
    ("uniDRV.DLL", pe(characteristics=EXE), "not a DLL"),
    ("UNIDRV.HLP", WINHELP, None),
    ("UNIDRV.HLP", pe(), "not a WinHelp file"),
    ("TTFSUB.GPD", b"*% TrueType substitution\r\n*GPDSpecVersion: \"1.0\"\r\n\x1a", None),
    ("STDNAMES.GPD", b"\xff\xfe*\x00%\x00", "not text: it holds the control byte 0x00"),
    ("STDNAMES.GPD", b"", "empty"),
    ("TTFSUB.GPD", b"KORA stand-in for TTFSUB.GPD\r\n", "our text stand-in"),
]


def write_files(folder, files):
    for name, content in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(content)


REAL = {"uniDRVui.DLL": pe(), "uniDRV.DLL": pe(), "UNIDRV.HLP": WINHELP, "UNIRES.DLL": pe(),
        "TTFSUB.GPD": b"*% ttfsub\r\n", "STDNAMES.GPD": b"*% stdnames\r\n"}
STANDINS = {name: b"KORA stand-in for " + name.encode() + b"\r\n" for name in REAL}


class UnidrvCheck(unittest.TestCase):
    def test_each_file_is_judged_by_its_name_and_content(self):
        for name, content, words in CASES:
            with self.subTest(name=name, words=words), tempfile.TemporaryDirectory() as folder:
                write_files(folder, {name: content})
                found = unidrvcheck.faults(os.path.join(folder, name))
                if words is None:
                    self.assertEqual(found, [], name)
                else:
                    self.assertEqual(len(found), 1, found)
                    self.assertIn(words, found[0])

    def test_the_64_bit_package_asks_for_amd64(self):
        with tempfile.TemporaryDirectory() as folder:
            write_files(folder, {"uniDRV.DLL": pe(machine=AMD64)})
            self.assertEqual(unidrvcheck.faults(os.path.join(folder, "uniDRV.DLL"), "amd64"), [])

    def test_command_line_fails_on_any_fault(self):
        with tempfile.TemporaryDirectory() as folder:
            write_files(folder, REAL)
            paths = [os.path.join(folder, name) for name in REAL]
            self.assertEqual(unidrvcheck.main(paths), 0)
            write_files(folder, {"UNIRES.DLL": b"text"})
            self.assertEqual(unidrvcheck.main(paths), 1)


class ReleaseZip(unittest.TestCase):
    def dist(self, root, unidrv):
        dist = os.path.join(root, "KORA")
        os.makedirs(os.path.join(dist, "win2k"))
        write_files(dist, {"KORA.exe": pe(characteristics=EXE), "README.txt": b"readme\r\n"})
        write_files(os.path.join(dist, "win2k"), dict(unidrv, **{"QZA10.GPD": b"*% model\r\n"}))
        for machine in ("x64", "arm64"):  # the resource library of each 64-bit driver
            os.makedirs(os.path.join(dist, "win2k", machine))
            write_files(os.path.join(dist, "win2k", machine), {"QZC10.DLL": machine.encode()})
        return dist

    def test_the_archive_is_named_and_marked_by_what_win2k_holds(self):
        one_standin = dict(REAL, **{"UNIRES.DLL": STANDINS["UNIRES.DLL"]})
        # Unidrv files, archive written, files not real named in the warning.
        cases = [
            ("real files", REAL, "KORA-4.0.zip", []),
            ("stand-ins", STANDINS, "KORA-4.0-test.zip", release_zip.UNIDRV_FILES),
            ("one stand-in", one_standin, "KORA-4.0-test.zip", ["UNIRES.DLL"]),
        ]
        for label, unidrv, expected, not_real in cases:
            with self.subTest(label), tempfile.TemporaryDirectory() as root:
                dist = self.dist(root, unidrv)
                for stale in ("KORA-4.0.zip", "KORA-4.0-test.zip"):
                    write_files(root, {stale: b"an earlier build"})
                path, found = release_zip.write(dist, "KORA-4.0")
                self.assertEqual(os.path.basename(path), expected)
                self.assertEqual(sorted(f for f in os.listdir(root) if f.endswith(".zip")), [expected])
                self.assertEqual(found, not_real)
                with zipfile.ZipFile(path) as archive:
                    names = set(archive.namelist())
                    expected_names = {"KORA.exe", "README.txt", "win2k/QZA10.GPD", "win2k/x64/QZC10.DLL",
                                      "win2k/arm64/QZC10.DLL"} | {"win2k/" + n for n in REAL}
                    if not_real:
                        expected_names.add("TEST-ONLY.txt")
                        warning = archive.read("TEST-ONLY.txt").decode("utf-8-sig")
                        self.assertIn("仅供测试", warning)
                        self.assertIn("FOR TESTING ONLY", warning)
                        for name in not_real:
                            self.assertIn(name, warning)
                    self.assertEqual(names, expected_names)
                    self.assertEqual(archive.read("win2k/UNIRES.DLL"), unidrv["UNIRES.DLL"])
                    self.assertEqual(archive.read("win2k/arm64/QZC10.DLL"), b"arm64")


if __name__ == "__main__":
    unittest.main()
