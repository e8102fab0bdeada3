#!/usr/bin/env python3
"""Tests of gpdcheck: each broken fixture is caught with its own message, and the shipped GPDs pass."""
import contextlib
import io
import os
import re
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
DRIVER = os.path.dirname(HERE)
FIXTURES = os.path.join(HERE, "fixtures")
sys.path.insert(0, HERE)
import gpdcheck  # noqa: E402

# fixture, --standalone, the faults expected: (line, words of the message); line 0 = no line.
BROKEN = [
    ("brace_never_closed.gpd", False, [(8, "'{' is never closed")]),
    ("brace_extra_close.gpd", False, [(7, "'}' without a '{'")]),
    ("unterminated_string.gpd", False, [(10, "unterminated string")]),
    ("hex_odd.gpd", False, [(10, "bad hex run <1B 4>: odd number of digits")]),
    ("hex_char.gpd", False, [(10, "bad hex run <1B 4G>: 'G' is not a hex digit")]),
    ("root_only_nested.gpd", False, [(10, "*MaxCopies belongs at the root")]),
    ("default_option.gpd", False, [(10, "*DefaultOption: LANDSCAPE_CC270 names no option of feature Orientation")]),
    ("missing_entry.gpd", False, [(0, "missing required entry *MasterUnits")]),
    ("missing_feature.gpd", False, [(0, "missing required feature PaperSize")]),
    ("missing_command.gpd", False, [(0, "missing required command CmdFF")]),
    ("printable_area.gpd", False, [(10, "printable area width 384 from origin 100 is larger than the page (464)")]),
    ("missing_resource.gpd", False, [(9, "resource id 8 is missing")]),
    ("duplicate_order.gpd", False, [(9, "*Order: JOB_SETUP.1 is already used by CmdStartJob")]),
    ("missing_include.gpd", False, [(7, "cannot find included file 'part_nowhere.gpd'")]),
    ("non_ascii.gpd", False, [(7, "non-ASCII byte")]),
    ("good.gpd", True, [(line, "*Include in a file that must load alone") for line in range(2, 7)]),
]

MODELS = ["QZA10", "QZA20", "QZA30", "QZA40", "QZA50", "QZA50X",
          "QZB10", "QZB20", "QZB20M", "QZHB20", "QZC10"]
WITH_CUTTER = {"QZA40", "QZA50", "QZA50X", "QZB20", "QZB20M", "QZC10"}
CUT = "1D564200"  # GS V 66 0


def fixture(name):
    return os.path.join(FIXTURES, name)


def hex_bytes(cmd_value):
    return "".join("".join(run.split()) for run in re.findall(r"<([^>]*)>", cmd_value)).upper()


class BrokenFixtures(unittest.TestCase):
    def test_good_fixture_has_no_fault(self):
        self.assertEqual(gpdcheck.check(fixture("good.gpd"), fixture("fixture.rc")), [])

    def test_each_fault_is_caught_alone_with_its_message(self):
        for name, standalone, expected in BROKEN:
            with self.subTest(fixture=name):
                faults = gpdcheck.check(fixture(name), fixture("fixture.rc"), standalone)
                self.assertEqual(len(faults), len(expected), f"{name}: {[str(f) for f in faults]}")
                for (line, words), fault in zip(expected, faults):
                    self.assertEqual((os.path.basename(fault.path), fault.line), (name, line), f"{name}: {fault}")
                    self.assertIn(words, fault.message, name)

    def test_command_line_exit_status(self):
        rc = fixture("fixture.rc")
        cases = [(["good.gpd"], 0), (["good.gpd", "hex_odd.gpd"], 1)]
        for files, status in cases:
            with self.subTest(files=files):
                with contextlib.redirect_stdout(io.StringIO()):
                    got = gpdcheck.main(["--rc", rc] + [fixture(f) for f in files])
                self.assertEqual(got, status, files)


class ShippedPackage(unittest.TestCase):
    def gpd(self, stem):
        return os.path.join(DRIVER, "gpd", stem + ".GPD")

    def test_every_model_gpd_passes(self):
        for stem in MODELS:
            with self.subTest(model=stem):
                faults = gpdcheck.check(self.gpd(stem), os.path.join(DRIVER, "QZC10.rc"))
                self.assertEqual([str(f) for f in faults], [], stem)

    def test_page_ends_in_a_cut_only_on_models_with_a_cutter(self):
        for stem in MODELS:
            with self.subTest(model=stem):
                tree = gpdcheck.Reader([], False).read(self.gpd(stem))
                ff = [e for e, _ in gpdcheck.walk(tree) if e.keyword == "Command" and e.value == "CmdFF"]
                cmd = hex_bytes(gpdcheck.first(ff[-1].children, "Cmd").value)
                self.assertTrue(cmd.startswith("1B4A"), f"{stem}: {cmd} does not start with a feed")
                self.assertEqual(cmd.endswith(CUT), stem in WITH_CUTTER, f"{stem}: CmdFF is {cmd}")
                self.assertEqual(cmd.count("1D56"), 1 if stem in WITH_CUTTER else 0, f"{stem}: {cmd}")


if __name__ == "__main__":
    unittest.main()
