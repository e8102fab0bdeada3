#!/usr/bin/env python3
"""Tests of gpdcheck: each broken fixture is caught with its own message, and the shipped GPDs pass."""
import contextlib
import io
import math
import os
import re
import shutil
import sys
import tempfile
import unittest
from fractions import Fraction

HERE = os.path.dirname(os.path.abspath(__file__))
DRIVER = os.path.dirname(HERE)
FIXTURES = os.path.join(HERE, "fixtures")
sys.path.insert(0, HERE)
import gpdcheck  # noqa: E402

# fixture, --standalone, the faults expected: (file, line, words of the message); line 0 = an
# absence, with no line to point at. One fixture for each kind of mistake.
BROKEN = [
    # Syntax.
    ("brace_never_closed.gpd", False, [("brace_never_closed.gpd", 8, "'{' is never closed")]),
    ("brace_extra_close.gpd", False, [("brace_extra_close.gpd", 7, "'}' without a '{'")]),
    ("unterminated_string.gpd", False, [("unterminated_string.gpd", 10, "unterminated string")]),
    ("hex_odd.gpd", False, [("hex_odd.gpd", 10, "bad hex run <1B 4>: odd number of digits")]),
    ("hex_char.gpd", False, [("hex_char.gpd", 10, "bad hex run <1B 4G>: 'G' is not a hex digit")]),
    ("hex_outside_string.gpd", False, [("hex_outside_string.gpd", 10, "hex run outside a string")]),
    ("non_ascii.gpd", False, [("non_ascii.gpd", 7, "non-ASCII byte")]),
    ("missing_include.gpd", False, [("missing_include.gpd", 7, "cannot find included file 'part_nowhere.gpd'")]),
    ("good.gpd", True, [("good.gpd", line, "*Include in a file that must load alone") for line in range(2, 7)]),
    # Keywords: known names, their levels and the types of their values.
    ("unknown_keyword.gpd", False, [("unknown_keyword.gpd", 15, "unknown keyword *PrintableOrign (did you mean *PrintableOrigin?)"),
                                    ("unknown_keyword.gpd", 10, "option P58X297 has no *PrintableOrigin")]),
    ("included_fault.gpd", False, [("part_bin_typo.gpd", 8, "unknown keyword *OptionId (did you mean *OptionID?)")]),
    ("boolean_without_question.gpd", False, [
        ("boolean_without_question.gpd", 8, "unknown keyword *EjectPageWithFF: the name of a TRUE/FALSE entry ends in ?"),
        ("boolean_without_question.gpd", 0, "missing *EjectPageWithFF?: TRUE")]),
    ("root_only_nested.gpd", False, [("root_only_nested.gpd", 10, "*MaxCopies belongs at the root, not inside *Feature: Orientation")]),
    ("wrong_level.gpd", False, [("wrong_level.gpd", 17, "*DPI belongs inside a Resolution *Option, not inside *Option: P58X297")]),
    ("enum_cursor_y.gpd", False, [("enum_cursor_y.gpd", 7, "*CursorYAfterSendBlockData: AUTOINCREMENT is not one of "
                                                          "AUTO_INCREMENT, NO_MOVE (did you mean AUTO_INCREMENT?)")]),
    ("enum_output_format.gpd", False, [("enum_output_format.gpd", 7, "*OutputDataFormat: H_BYTES is not one of H_BYTE, V_BYTE")]),
    ("boolean_yes.gpd", False, [("boolean_yes.gpd", 7, "*OptimizeLeftBound?: expected TRUE or FALSE, not YES")]),
    ("value_not_pair.gpd", False, [("value_not_pair.gpd", 16, "*CursorOrigin: expected PAIR(x, y), not (40, 0)")]),
    # Command parameters.
    ("variable_misspelled.gpd", False, [("variable_misspelled.gpd", 18, "unknown variable RasterDataWidthInByte "
                                                                        "(did you mean RasterDataWidthInBytes?)")]),
    ("format_letter.gpd", False, [("format_letter.gpd", 9, "unknown format letter %z")]),
    ("max_repeat_no_range.gpd", False, [("max_repeat_no_range.gpd", 9, "max_repeat() needs a range with a maximum")]),
    ("expression_syntax.gpd", False, [("expression_syntax.gpd", 9, "bad expression {max_repeat((DestYRel)}: expected ')'")]),
    # Features and options.
    ("missing_feature.gpd", False, [("missing_feature.gpd", 0, "missing required feature PaperSize")]),
    ("missing_input_bin.gpd", False, [("missing_input_bin.gpd", 0, "missing required feature InputBin")]),
    ("default_option.gpd", False, [("default_option.gpd", 10, "*DefaultOption: LANDSCAPE_CC270 names no option of feature Orientation")]),
    ("orientation_option.gpd", False, [("orientation_option.gpd", 15, "feature Orientation has no standard option LANDSCAPE_CC180")]),
    ("input_bin_option.gpd", False, [("input_bin_option.gpd", 10, "feature InputBin has no standard option FORMSOURSE "
                                                                  "(did you mean FORMSOURCE?)")]),
    ("printable_area.gpd", False, [("printable_area.gpd", 10, "printable area width 384 from origin 100 is larger than the page (464)")]),
    ("custom_size_range.gpd", False, [("custom_size_range.gpd", 13, "paper size CUSTOMSIZE: *MinSize (464, 30000) is larger than *MaxSize")]),
    ("custom_size_incomplete.gpd", False, [("custom_size_incomplete.gpd", 10, "option CUSTOMSIZE has no *CustPrintableSizeY")]),
    ("missing_entry.gpd", False, [("missing_entry.gpd", 0, "missing required entry *MasterUnits")]),
    ("missing_resource.gpd", False, [("missing_resource.gpd", 9, "resource id 8 is missing")]),
    # Commands.
    ("missing_command.gpd", False, [("missing_command.gpd", 0, "missing required command CmdFF")]),
    ("unknown_command.gpd", False, [("unknown_command.gpd", 7, "unknown command CmdYMoveRelDwn (did you mean CmdYMoveRelDown?)")]),
    ("select_without_order.gpd", False, [("select_without_order.gpd", 17, "command CmdSelect has no *Order")]),
    ("select_at_root.gpd", False, [("select_at_root.gpd", 7, "CmdSelect selects an option: it belongs inside *Option")]),
    ("duplicate_order.gpd", False, [("duplicate_order.gpd", 9, "*Order: JOB_SETUP.1 is already used by CmdStartJob")]),
    ("copies_without_command.gpd", False, [("copies_without_command.gpd", 7, "*MaxCopies: 99 without CmdCopies")]),
]

# One-line mistakes in the shared part of the shipped GPDs, as a reviewer would make them:
# (text in QZ58COM.GPD, what it becomes, whether the fault points at that line, words).
REVIEW_MISTAKES = [
    ("*CursorYAfterSendBlockData: AUTO_INCREMENT", "*CursorYAfterSendBlockData: AUTOINCREMENT", True, "is not one of"),
    ("*OutputDataFormat: H_BYTE", "*OutputDataFormat: H_BYTES", True, "is not one of"),
    ("*OptimizeLeftBound?: FALSE", "*OptimizeLeftBound?: YES", True, "expected TRUE or FALSE"),
    ("*PrinterType: PAGE", "*PrinterType: PAGES", True, "is not one of"),
    ("%l{RasterDataWidthInBytes}", "%l{RasterDataWidthInByte}", True, "unknown variable RasterDataWidthInByte"),
    ("%c[0,255]{max_repeat(DestYRel)}", "%z[0,255]{max_repeat(DestYRel)}", True, "unknown format letter %z"),
    ("%c[0,255]{max_repeat(DestYRel)}", "%c{max_repeat(DestYRel)}", True, "max_repeat() needs a range"),
    ("%l{RasterDataHeightInPixels}", "%l(RasterDataHeightInPixels)", True, "bad command parameter"),
    ("*Option: LANDSCAPE_CC270", "*Option: LANDSCAPE_CC180", True, "no standard option LANDSCAPE_CC180"),
    ("*EjectPageWithFF?: TRUE", "*EjectPageWithFF: TRUE", True, "ends in ?"),
    ("*Order: DOC_SETUP.5", "*% no order", False, "command CmdSelect has no *Order"),
    ("*Order: JOB_SETUP.1", "*Order: JOB_SETUP", True, "bad *Order"),
    ("*Feature: InputBin", "*Feature: InputBins", False, "missing required feature InputBin"),
    ("*MasterUnits: PAIR(203, 203)", "*MasterUnits: PAIR(203 203)", True, "expected PAIR(x, y)"),
    ("*DPI: PAIR(203, 203)", "*DPI: PAIR(200, 200)", False, "is not a multiple of *DPI"),
    ("*PrintableOrigin: PAIR(40, 0)", "*PrintableOrigin: PAIR(100, 0)", False, "is larger than the page"),
    ("*rcNameID: 121", "*rcNameID: 129", True, "resource id 129 is missing"),
    ("*DefaultOption: QZ58X200", "*DefaultOption: QZ58X250", True, "names no option of feature PaperSize"),
    ('*Cmd: "<1B 40', '*Cmd: "<1B 4O', True, "is not a hex digit"),
    ("*Command: CmdYMoveRelDown", "*Command: CmdYMoveRelDwn", True, "unknown command CmdYMoveRelDwn"),
    ("%d{PhysPaperLength}", "%d{PhysPaperLenght}", True, "unknown variable PhysPaperLenght"),
    ("*Color?: FALSE", "*Colour?: FALSE", True, "unknown keyword *Colour?"),
    ("*MinSize: PAIR(463, 199)", "*MinSize: PAIR(463, 30000)", True, "is larger than *MaxSize"),
    ("*YMoveUnit: 203", "*YMoveUnit 203", True, "unexpected text"),
    ("*PrinterType: PAGE", "*PrinterType: PAGE\n*MaxCopies: 99", False, "without CmdCopies"),
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
                for (file, line, words), fault in zip(expected, faults):
                    self.assertEqual((os.path.basename(fault.path), fault.line), (file, line), f"{name}: {fault}")
                    self.assertIn(words, fault.message, name)

    def test_every_fixture_is_in_the_table(self):
        listed = {name for name, _, _ in BROKEN}
        on_disk = {f for f in os.listdir(FIXTURES) if f.endswith(".gpd") and not f.startswith("part_")}
        self.assertEqual(on_disk - listed, set())

    def test_command_line_exit_status(self):
        rc = fixture("fixture.rc")
        cases = [(["good.gpd"], 0), (["good.gpd", "hex_odd.gpd"], 1)]
        for files, status in cases:
            with self.subTest(files=files):
                with contextlib.redirect_stdout(io.StringIO()):
                    got = gpdcheck.main(["--rc", rc] + [fixture(f) for f in files])
                self.assertEqual(got, status, files)


class ReviewMistakes(unittest.TestCase):
    def test_each_one_line_mistake_in_the_shared_part_is_caught(self):
        source = os.path.join(DRIVER, "gpd")
        with open(os.path.join(source, "QZ58COM.GPD"), newline="") as f:
            common = f.read()
        for old, new, at_line, words in REVIEW_MISTAKES:
            with self.subTest(mistake=new), tempfile.TemporaryDirectory() as folder:
                self.assertIn(old, common, old)
                broken = common.replace(old, new, 1)
                with open(os.path.join(folder, "QZ58COM.GPD"), "w", newline="") as f:
                    f.write(broken)
                shutil.copy(os.path.join(source, "QZA40.GPD"), folder)
                faults = gpdcheck.check(os.path.join(folder, "QZA40.GPD"), os.path.join(DRIVER, "QZC10.rc"))
                line = common[:common.index(old)].count("\n") + 1
                hits = [f for f in faults if words in f.message]
                self.assertTrue(hits, f"{new!r} not caught: {[str(f) for f in faults]}")
                if at_line:
                    self.assertEqual([(os.path.basename(f.path), f.line) for f in hits][0], ("QZ58COM.GPD", line), new)


class ShippedPackage(unittest.TestCase):
    def gpd(self, stem):
        return os.path.join(DRIVER, "gpd", stem + ".GPD")

    def test_every_model_gpd_passes(self):
        for stem in MODELS:
            with self.subTest(model=stem):
                faults = gpdcheck.check(self.gpd(stem), os.path.join(DRIVER, "QZC10.rc"))
                self.assertEqual([str(f) for f in faults], [], stem)

    def test_page_ends_in_a_cut_alone_or_a_feed_alone(self):
        # GS V 66 0 feeds the last line to the cutter itself: a feed before it only wastes paper.
        for stem in MODELS:
            with self.subTest(model=stem):
                tree = gpdcheck.Reader([], False).read(self.gpd(stem))
                ff = [e for e, _ in gpdcheck.walk(tree) if e.keyword == "Command" and e.value == "CmdFF"]
                cmd = hex_bytes(gpdcheck.first(ff[-1].children, "Cmd").value)
                if stem in WITH_CUTTER:
                    self.assertEqual(cmd, CUT, stem)
                else:
                    self.assertRegex(cmd, r"^1B4A[0-9A-F]{2}$", f"{stem}: CmdFF is {cmd}, not one ESC J feed")

    def test_paper_sizes_offer_receipt_lengths_and_a_custom_one(self):
        # option: length in mm, None for the custom size; 58 mm and 1 mm are 203 / 25.4 dots
        expected = {"QZ58X100": 100, "QZ58X200": 200, "QZ58X297": 297, "QZ58ROLL": 3000, "CUSTOMSIZE": None}
        dots = lambda mm: round(mm * 203 / 25.4)  # noqa: E731
        tree = gpdcheck.Reader([], False).read(self.gpd("QZA10"))
        paper = next(e for e in tree if e.keyword == "Feature" and e.value == "PaperSize")
        options = {o.value: o for o in gpdcheck.children(paper, "Option")}
        self.assertEqual(set(options), set(expected))
        self.assertEqual(gpdcheck.first(paper.children, "DefaultOption").value, "QZ58X200")
        for name, length in expected.items():
            with self.subTest(option=name):
                pair = lambda keyword: tuple(map(int, gpdcheck.PAIR.match(  # noqa: E731
                    gpdcheck.first(options[name].children, keyword).value).groups()))
                if length is not None:
                    self.assertEqual(pair("PageDimensions"), (dots(58), dots(length)))

    def test_custom_size_takes_every_58_mm_width_and_length_windows_keeps(self):
        # Windows keeps a typed size in tenths of a millimetre, between two dots: 58.0 mm is
        # 463.5 dots. Each width that reads 58 mm to a tenth (58.0, 58.1) and each length from
        # 25.0 to 3000.0 mm must lie within *MinSize..*MaxSize, exactly and rounded either way.
        tree = gpdcheck.Reader([], False).read(self.gpd("QZA10"))
        paper = next(e for e in tree if e.keyword == "Feature" and e.value == "PaperSize")
        custom = next(o for o in gpdcheck.children(paper, "Option") if o.value == "CUSTOMSIZE")
        entry = lambda keyword: gpdcheck.first(custom.children, keyword).value  # noqa: E731
        low, high = (tuple(map(int, gpdcheck.PAIR.match(entry(k)).groups())) for k in ("MinSize", "MaxSize"))
        for axis, tenths in ((0, range(580, 582)), (1, range(250, 30001))):
            for t in tenths:
                exact = Fraction(t * 203, 254)
                for value in (exact, math.floor(exact), round(exact)):
                    if not low[axis] <= value <= high[axis]:
                        self.fail(f"{t / 10} mm is {float(exact):.2f} dots, {float(value):.2f} outside "
                                  f"{low[axis]}..{high[axis]} ({'width' if axis == 0 else 'length'})")
        # Not a dot more than the rounding needs, and the head's 384 dots from dot 40 on the
        # narrowest paper.
        self.assertEqual((low[0], high[0]), (463, 465))
        self.assertEqual(entry("MaxPrintableWidth"), "384")
        self.assertEqual((entry("CustPrintableSizeX"), entry("CustPrintableOriginX")), ("%d{384}", "%d{40}"))
        self.assertLessEqual(40 + 384, low[0])

if __name__ == "__main__":
    unittest.main()
