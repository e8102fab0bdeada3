#!/usr/bin/env python3
"""Tests of escpos2png on hand-made jobs: what lands on the paper, where it is cut, the PNG."""
import contextlib
import io
import os
import re
import struct
import sys
import tempfile
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DRIVER = os.path.dirname(HERE)
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(DRIVER, "check"))
import escpos2png as tool  # noqa: E402
import gpdcheck  # noqa: E402

INIT = b"\x1b\x40"
AREA = b"\x1d\x4c\x00\x00\x1d\x57\x80\x01"  # GS L 0 0, GS W 384: what CmdSelect sends
CUT = b"\x1d\x56\x42\x00"                    # GS V 66 0


def raster(rows, mode=0):
    """GS v 0 of rows given as byte strings of one width."""
    return b"\x1d\x76\x30" + struct.pack("<BHH", mode, len(rows[0]), len(rows)) + b"".join(rows)


def feed(n):
    return b"\x1b\x4a" + bytes([n])


def black(paper, y):
    """The columns of the black dots of row y."""
    return [x for x, dot in enumerate(paper.rows[y]) if dot] if y < len(paper.rows) else []


# Two receipts as Unidrv sends them for our cutter models: a block, blank rows as ESC J,
# another block, the page end; then a second page.
JOB = (INIT + AREA + raster([b"\x80\x01", b"\xff\x00"]) + feed(10) + raster([b"\x00\x80"]) + CUT
       + AREA + raster([b"\x01"]) + CUT)


class Decoding(unittest.TestCase):
    def test_blocks_land_at_the_head_origin_and_feeds_move_the_paper(self):
        paper = tool.decode(JOB)
        origin = tool.HEAD_ORIGIN
        # row: black columns
        expected = {0: [origin, origin + 15], 1: list(range(origin, origin + 8)), 2: [],
                    11: [], 12: [origin + 8], 13: [origin + 7]}
        for y, columns in expected.items():
            with self.subTest(row=y):
                self.assertEqual(black(paper, y), columns)
        self.assertEqual([y for y, _ in paper.cuts], [13, 14])
        self.assertEqual(paper.pieces(), [(0, 13, 35), (13, 14, len(JOB) - 4), (14, 14, None)])

    def test_summary_gives_each_piece_with_its_length_and_printing(self):
        lines = tool.summary(tool.decode(JOB))
        self.assertEqual(lines, [
            "piece 1: 13 dots = 1.6 mm of paper, printing from 0.0 mm to 1.6 mm of it, cut by the GS V at byte 35",
            "piece 2: 1 dots = 0.1 mm of paper, printing from 0.0 mm to 0.1 mm of it, cut by the GS V at byte 56",
        ])

    def test_margin_area_and_scaling_place_and_clip_the_dots(self):
        origin = tool.HEAD_ORIGIN
        # job, the black columns of row 0 and 1, dots clipped
        cases = [
            ("left margin 8", INIT + b"\x1d\x4c\x08\x00" + raster([b"\x80"]), [origin + 8], [], 0),
            ("area of 4 dots", INIT + b"\x1d\x57\x04\x00" + raster([b"\xff"]), list(range(origin, origin + 4)), [], 4),
            ("double width and height", INIT + raster([b"\x40"], mode=3), [origin + 2, origin + 3], [origin + 2, origin + 3], 0),
            ("ESC @ resets the margin", b"\x1d\x4c\x08\x00" + INIT + raster([b"\x80"]), [origin], [], 0),
        ]
        for label, job, row0, row1, clipped in cases:
            with self.subTest(label):
                paper = tool.decode(job)
                self.assertEqual((black(paper, 0), black(paper, 1), paper.clipped), (row0, row1, clipped))

    def test_feeds_and_cuts(self):
        # job, the paper's length, the rows where it is cut
        cases = [
            ("ESC J", feed(200) + feed(55), 255, []),
            ("ESC d after ESC 3", b"\x1b\x33\x18\x1b\x64\x02", 48, []),
            ("LF at the default spacing", b"\x0a", 34, []),
            ("GS V 66 feeds n before the cut", feed(10) + b"\x1d\x56\x42\x05", 15, [15]),
            ("GS V 0 cuts at the cutter", feed(100) + b"\x1d\x56\x00", 100, [70]),
        ]
        for label, job, length, cuts in cases:
            with self.subTest(label):
                paper = tool.decode(job, cutter_distance=30)
                self.assertEqual((paper.length(), [y for y, _ in paper.cuts]), (length, cuts))

    def test_motion_units_scale_feeds_margins_and_areas(self):
        # job, mechanism defaults (x, y), the paper's length, left margin, print area width
        units = b"\x1d\x50"  # GS P
        cases = [
            ("203 dpi defaults: units are dots", feed(100), (203, 203), 100, 0, 384),
            ("other defaults: ESC J counts 1/360 inch", feed(100), (180, 360), 56, 0, 384),
            ("GS P 203 203 overrides them", INIT + units + b"\xcb\xcb" + feed(100), (180, 360), 100, 0, 384),
            ("GS P y = 0 keeps the default", units + b"\xcb\x00" + feed(100), (180, 360), 56, 0, 384),
            ("ESC @ restores the defaults", units + b"\xcb\xcb" + INIT + feed(100), (180, 360), 56, 0, 384),
            ("GS L and GS W count 1/x inch", units + b"\x66\xcb" + b"\x1d\x4c\x08\x00\x1d\x57\x80\x00",
             (203, 203), 0, 15, 254),
            ("ESC 3 counts 1/y inch", units + b"\xcb\x66" + b"\x1b\x33\x0a\x0a", (203, 203), 19, 0, 384),
            ("GS V 66 n counts 1/y inch", units + b"\xcb\x66" + b"\x1d\x56\x42\x0a", (203, 203), 19, 0, 384),
        ]
        for label, job, defaults, length, margin, width in cases:
            with self.subTest(label):
                paper = tool.decode(job, default_units=defaults)
                self.assertEqual((paper.length(), paper.left_margin, paper.area_width), (length, margin, width))

    def test_a_job_it_cannot_read_is_refused_with_the_place(self):
        cases = [
            (raster([b"\x80\x80"])[:-1], "GS v 0 data at byte 0: the job ends 1 byte(s) early"),
            (INIT + b"\x1b\x21\x00", "unknown command ESC 0x21 at byte 2"),
            (b"\x1d\x56\x07", "GS V at byte 0: mode 7 does not exist"),
            (b"\x1d\x76\x31", "GS v at byte 0 is not GS v 0"),
            (b"\x07", "control byte 0x07 at byte 0 is not one our GPDs send"),
            (b"\x1d\x50\xcb", "GS P at byte 0: the job ends 1 byte(s) early"),
        ]
        for job, message in cases:
            with self.subTest(message):
                with self.assertRaises(tool.DecodeError) as raised:
                    tool.decode(job)
                self.assertEqual(str(raised.exception), message)


def gpd_command(stem, name):
    """The bytes of a model GPD's command (its last definition, as Unidrv keeps it)."""
    tree = gpdcheck.Reader([], False).read(os.path.join(DRIVER, "gpd", stem + ".GPD"))
    command = [e for e, _ in gpdcheck.walk(tree) if e.keyword == "Command" and e.value == name][-1]
    value = gpdcheck.first(command.children, "Cmd").value
    self_contained = re.fullmatch(r'"<([0-9A-Fa-f ]*)>"', value)
    assert self_contained, f"{name} of {stem} has parameters: {value}"
    return bytes.fromhex(self_contained.group(1))


class ShippedCommands(unittest.TestCase):
    def test_a_job_feeds_in_dots_whatever_the_mechanism_defaults(self):
        # A page of the tear-bar model as Unidrv sends it: job start, print area, one row, 100
        # blank rows as ESC J, the 160-dot feed to the tear bar. ESC @ brings back defaults that
        # are the mechanism's; the job start's GS P makes every feed count dots all the same.
        start, select, page_end = (gpd_command("QZA10", name) for name in ("CmdStartJob", "CmdSelect", "CmdFF"))
        self.assertTrue(start.startswith(INIT), start.hex())
        body = select + raster([b"\xff"]) + feed(100) + page_end
        for defaults in ((203, 203), (180, 360), (360, 360), (203, 406)):
            with self.subTest(defaults=defaults):
                paper = tool.decode(start + body, default_units=defaults)
                self.assertEqual((paper.length(), paper.left_margin, paper.area_width), (1 + 100 + 160, 0, 384))
        # Without the GS P the same page would come out shorter on a 1/360 inch mechanism.
        self.assertLess(tool.decode(INIT + body, default_units=(180, 360)).length(), 261)


def read_png(data):
    """Width, height, palette and rows of an 8-bit palette PNG with unfiltered rows."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    chunks, at = {}, 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        assert struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0] == zlib.crc32(kind + body), kind
        chunks[kind] = chunks.get(kind, b"") + body
        at += 12 + length
    width, height, depth, colour = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    assert (depth, colour) == (8, 3)
    raw = zlib.decompress(chunks[b"IDAT"])
    rows = [raw[y * (width + 1):(y + 1) * (width + 1)] for y in range(height)]
    assert all(row[0] == 0 for row in rows)
    return width, height, chunks[b"PLTE"], [row[1:] for row in rows], b"IEND" in chunks


class Picture(unittest.TestCase):
    def test_png_shows_paper_dots_unreachable_strips_and_cuts(self):
        with tempfile.TemporaryDirectory() as folder:
            job = os.path.join(folder, "receipt.prn")
            with open(job, "wb") as f:
                f.write(JOB)
            with contextlib.redirect_stdout(io.StringIO()) as out:
                self.assertEqual(tool.main([job]), 0)
            self.assertIn("piece 1: 13 dots", out.getvalue())
            with open(os.path.join(folder, "receipt.png"), "rb") as f:
                width, height, palette, rows, ended = read_png(f.read())
        self.assertEqual((width, height, ended), (tool.PAPER_WIDTH, 15, True))
        self.assertEqual(palette[3 * tool.BLACK:3 * tool.BLACK + 3], b"\0\0\0")
        origin = tool.HEAD_ORIGIN
        row0 = rows[0]
        self.assertEqual((row0[0], row0[origin - 1], row0[origin], row0[origin + 1], row0[origin + 384]),
                         (tool.GREY, tool.GREY, tool.BLACK, tool.WHITE, tool.GREY))
        self.assertEqual(set(rows[13]), {tool.RED}, "the first cut")
        self.assertEqual(set(rows[14]), {tool.RED}, "the last cut, at the end of the paper")
        self.assertEqual(rows[12][origin + 8], tool.BLACK)

    def test_motion_units_option_gives_the_mechanism_defaults(self):
        # args, the summary's first line
        cases = [([], "piece 1: 100 dots"), (["--motion-units", "180", "360"], "piece 1: 56 dots")]
        for args, first_line in cases:
            with self.subTest(args=args), tempfile.TemporaryDirectory() as folder:
                job = os.path.join(folder, "feed.prn")
                with open(job, "wb") as f:
                    f.write(INIT + feed(100))
                with contextlib.redirect_stdout(io.StringIO()) as out:
                    self.assertEqual(tool.main([job] + args), 0)
                self.assertTrue(out.getvalue().startswith(first_line), out.getvalue())

    def test_a_broken_job_writes_no_picture(self):
        with tempfile.TemporaryDirectory() as folder:
            job = os.path.join(folder, "broken.prn")
            with open(job, "wb") as f:
                f.write(b"\x1b\x21\x00")
            with contextlib.redirect_stderr(io.StringIO()) as err:
                self.assertEqual(tool.main([job, os.path.join(folder, "out.png")]), 1)
            self.assertIn("unknown command ESC 0x21 at byte 0", err.getvalue())
            self.assertFalse(os.path.exists(os.path.join(folder, "out.png")))


if __name__ == "__main__":
    unittest.main()
