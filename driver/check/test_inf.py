#!/usr/bin/env python3
"""QZ58.INF gives every model line, in every models section, a hardware ID in the form Windows
gives a printer on a parallel port: LPTENUM\\ + manufacturer and model (20 characters, spaces as
underscores) + the CRC-16 of manufacturer and model in four hex digits. Without one ChkINF
reports the line ("No value for hw-id")."""
import os
import re
import unittest

INF = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "QZ58.INF")


def crc16(data):
    """CRC-16 as the Plug and Play parallel port specification computes the ID's checksum:
    polynomial 0x8005 taken bit-reversed (0xA001), starting from 0."""
    crc = 0
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def parallel_port_id(manufacturer, model):
    name = manufacturer + model
    return "LPTENUM\\" + name.replace(" ", "_")[:20] + f"{crc16(name.encode('ascii')):04X}"


def sections(text):
    """{section name: [lines]} without comments and blank lines."""
    found, current = {}, None
    for line in text.splitlines():
        line = line.split(";", 1)[0].strip() if not line.lstrip().startswith('"') else line.strip()
        if not line:
            continue
        m = re.fullmatch(r"\[([^\]]+)\]", line)
        if m:
            current = found.setdefault(m.group(1), [])
        elif current is not None:
            current.append(line)
    return found


class HardwareIds(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(INF, encoding="utf-8") as f:
            cls.sections = sections(f.read())
        strings = dict(re.fullmatch(r'(\w+)\s*=\s*"(.*)"', line).groups() for line in cls.sections["Strings"])
        cls.manufacturer = strings["Manufacturer"]
        # %Manufacturer%=QZ,NTx86,NTamd64: the undecorated models section and its decorations.
        name, decorations = cls.sections["Manufacturer"][0].split("=")[1].split(",", 1)
        cls.model_sections = [name] + [f"{name}.{d.strip()}" for d in decorations.split(",")]

    def test_crc_is_the_standard_crc16(self):
        self.assertEqual(crc16(b"123456789"), 0xBB3D)  # the check value of CRC-16 (ARC)

    def test_the_id_cuts_the_name_after_20_characters_and_sums_it_whole(self):
        self.assertEqual(parallel_port_id("QZ", "QZ-A10 Series"), "LPTENUM\\QZQZ-A10_SeriesEF88")
        long_name = parallel_port_id("QZ", "QZ-A10 Series with a long name")
        self.assertEqual(long_name[:-4], "LPTENUM\\QZQZ-A10_Series_with")
        self.assertNotEqual(long_name[-4:], "EF88")

    def test_every_model_line_has_its_parallel_port_id(self):
        for section in self.model_sections:
            self.assertIn(section, self.sections)
            self.assertEqual(len(self.sections[section]), 11, section)
            for line in self.sections[section]:
                with self.subTest(section=section, line=line):
                    m = re.fullmatch(r'"([^"]+)"\s*=\s*(\w+)\s*,\s*(\S+)', line)
                    self.assertIsNotNone(m, "expected \"Model\" = install section, hardware ID")
                    self.assertEqual(m.group(3), parallel_port_id(self.manufacturer, m.group(1)))

    def test_ids_differ_between_models_and_agree_between_sections(self):
        ids = {section: [line.rsplit(",", 1)[1].strip() for line in self.sections[section]]
               for section in self.model_sections}
        first = ids[self.model_sections[0]]
        self.assertEqual(len(set(first)), len(first))
        for section in self.model_sections[1:]:
            self.assertEqual(ids[section], first, section)


if __name__ == "__main__":
    unittest.main()
