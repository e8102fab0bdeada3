#!/usr/bin/env python3
"""escpos2png.py JOB.prn [OUT.png] [--cutter-distance DOTS]: draws the paper a QZ series printer
would put out for a print job, from the job's ESC/POS bytes, without a printer.

Reads what our GPDs send: ESC @ (initialise), GS P (motion units), GS L and GS W (left margin
and print area), GS v 0 (raster block), ESC J (feed n motion units), ESC d and LF (feed lines),
CR, ESC 2 / ESC 3 (line spacing) and GS V (cut). The picture is the 58 mm roll, 464 dots wide at 203 dpi:
white paper, black dots, grey where the 384-dot head cannot reach (40 dots at either side),
a red line where the paper is cut. One line per piece of paper goes to standard output: its
length in dots and millimetres and where its printing starts and ends, which is how paper
length, margins and line gaps are checked.

Motion units: GS P x y makes them 1/x inch across the paper (GS L, GS W) and 1/y inch along
it (ESC J, ESC 3, GS V 65/66 n), 0 meaning the mechanism's default; ESC @ restores the
defaults, which belong to the mechanism (1/203 inch both ways unless given with
--motion-units X Y). A move is cut down to whole dots, as the mechanism does. The
head-to-cutter distance is the mechanism's too (0 unless given): GS V 65/66 feed the print
position on to the cutter, so they cut there; GS V 0/1 cut at the cutter, that far back.
"""
import argparse
import struct
import sys
import zlib

DOTS_PER_MM = 203 / 25.4
PAPER_WIDTH = 464
HEAD_ORIGIN = 40
HEAD_WIDTH = 384
DOTS_PER_INCH = 203
DEFAULT_LINE_SPACING = 34  # ESC 2: 1/6 inch, in dots
WHITE, BLACK, GREY, RED = 0, 1, 2, 3
PALETTE = bytes([255, 255, 255, 0, 0, 0, 200, 200, 200, 220, 0, 0])
ESC, GS = 0x1B, 0x1D


class DecodeError(Exception):
    pass


class Paper:
    """The printed roll: rows of dots from the print position at the start of the job."""

    def __init__(self, cutter_distance=0, default_units=(DOTS_PER_INCH, DOTS_PER_INCH)):
        self.rows = []          # bytearray per dot row, PAPER_WIDTH wide, 1 = black
        self.y = 0              # the row under the head
        self.cuts = []          # (row where the paper is cut, offset of the command)
        self.text_bytes = 0     # characters sent as text, which are not drawn
        self.clipped = 0        # black dots outside the print area, which the printer drops
        self.cutter_distance = cutter_distance
        self.default_units = default_units
        self.reset()

    def reset(self):
        self.left_margin, self.area_width, self.line_spacing = 0, HEAD_WIDTH, DEFAULT_LINE_SPACING
        self.units = self.default_units

    def set_units(self, x, y):
        """GS P x y: 0 keeps that direction's default."""
        self.units = (x or self.default_units[0], y or self.default_units[1])

    def across(self, n):
        """Dots of n horizontal motion units."""
        return n * DOTS_PER_INCH // self.units[0]

    def along(self, n):
        """Dots of n vertical motion units."""
        return n * DOTS_PER_INCH // self.units[1]

    def row(self, y):
        while len(self.rows) <= y:
            self.rows.append(bytearray(PAPER_WIDTH))
        return self.rows[y]

    def dot(self, x, y):
        if HEAD_ORIGIN + self.left_margin <= x < HEAD_ORIGIN + min(self.left_margin + self.area_width, HEAD_WIDTH):
            self.row(y)[x] = 1
        else:
            self.clipped += 1

    def length(self):
        return max(self.y, len(self.rows))

    def pieces(self):
        """(top, bottom, cut offset or None) of each piece of paper."""
        tops = [0] + [y for y, _ in self.cuts]
        bottoms = [(y, offset) for y, offset in self.cuts] + [(self.length(), None)]
        return [(top, bottom, offset) for top, (bottom, offset) in zip(tops, bottoms)]

    def printed_rows(self, top, bottom):
        rows = [y for y in range(top, min(bottom, len(self.rows))) if any(self.rows[y])]
        return (rows[0], rows[-1]) if rows else None


class Decoder:
    def __init__(self, data, paper):
        self.data, self.paper, self.at = data, paper, 0

    def take(self, count, what):
        if self.at + count > len(self.data):
            raise DecodeError(f"{what} at byte {self.start}: the job ends {self.at + count - len(self.data)} byte(s) early")
        chunk = self.data[self.at:self.at + count]
        self.at += count
        return chunk

    def run(self):
        while self.at < len(self.data):
            self.start = self.at
            byte = self.take(1, "byte")[0]
            if byte == ESC:
                self.escape()
            elif byte == GS:
                self.group()
            elif byte == 0x0A:
                self.paper.y += self.paper.line_spacing
            elif byte == 0x0D:
                pass  # CR only ends a line of text, which raster jobs do not have
            elif byte >= 0x20:
                self.paper.text_bytes += 1
            else:
                raise DecodeError(f"control byte {byte:#04x} at byte {self.start} is not one our GPDs send")

    def escape(self):
        command = self.take(1, "ESC command")[0]
        paper = self.paper
        if command == ord("@"):
            paper.reset()
        elif command == ord("J"):
            paper.y += paper.along(self.take(1, "ESC J")[0])
        elif command == ord("d"):
            paper.y += self.take(1, "ESC d")[0] * paper.line_spacing
        elif command == ord("2"):
            paper.line_spacing = DEFAULT_LINE_SPACING
        elif command == ord("3"):
            paper.line_spacing = paper.along(self.take(1, "ESC 3")[0])
        else:
            raise DecodeError(f"unknown command ESC {command:#04x} at byte {self.start}")

    def group(self):
        command = self.take(1, "GS command")[0]
        if command == ord("L"):
            self.paper.left_margin = self.paper.across(struct.unpack("<H", self.take(2, "GS L"))[0])
        elif command == ord("W"):
            self.paper.area_width = self.paper.across(struct.unpack("<H", self.take(2, "GS W"))[0])
        elif command == ord("P"):
            self.paper.set_units(*self.take(2, "GS P"))
        elif command == ord("v"):
            self.raster()
        elif command == ord("V"):
            self.cut()
        else:
            raise DecodeError(f"unknown command GS {command:#04x} at byte {self.start}")

    def raster(self):
        """GS v 0 m xL xH yL yH d...: rows of width bytes, leftmost dot in the top bit."""
        if self.take(1, "GS v")[0] != 0x30:
            raise DecodeError(f"GS v at byte {self.start} is not GS v 0")
        mode, width, height = struct.unpack("<BHH", self.take(5, "GS v 0"))
        if mode not in (0, 1, 2, 3, 48, 49, 50, 51):
            raise DecodeError(f"GS v 0 at byte {self.start}: mode {mode} does not exist")
        x_scale, y_scale = (2 if mode & 1 else 1), (2 if mode & 2 else 1)
        data = self.take(width * height, "GS v 0 data")
        paper, x0 = self.paper, HEAD_ORIGIN + self.paper.left_margin
        for row in range(height):
            line = data[row * width:(row + 1) * width]
            for x in range(width * 8):
                if line[x >> 3] & (0x80 >> (x & 7)):
                    for dx in range(x_scale):
                        for dy in range(y_scale):
                            paper.dot(x0 + x * x_scale + dx, paper.y + row * y_scale + dy)
        paper.y += height * y_scale

    def cut(self):
        mode = self.take(1, "GS V")[0]
        paper = self.paper
        if mode in (0, 1, 48, 49):
            at = max(paper.y - paper.cutter_distance, paper.cuts[-1][0] if paper.cuts else 0)
        elif mode in (65, 66):
            paper.y += paper.along(self.take(1, "GS V")[0])
            at = paper.y
        else:
            raise DecodeError(f"GS V at byte {self.start}: mode {mode} does not exist")
        paper.cuts.append((at, self.start))


def decode(data, cutter_distance=0, default_units=(DOTS_PER_INCH, DOTS_PER_INCH)):
    paper = Paper(cutter_distance, default_units)
    Decoder(data, paper).run()
    return paper


def pixels(paper):
    """The picture's rows of palette indices."""
    cuts = {y for y, _ in paper.cuts}
    height = max([paper.length(), 1] + [y + 1 for y in cuts])  # a cut at the end shows too
    image = []
    for y in range(height):
        if y in cuts:
            image.append(bytes([RED]) * PAPER_WIDTH)
            continue
        dots = paper.rows[y] if y < len(paper.rows) else bytes(PAPER_WIDTH)
        image.append(bytes(BLACK if dots[x] else GREY if not HEAD_ORIGIN <= x < HEAD_ORIGIN + HEAD_WIDTH else WHITE
                           for x in range(PAPER_WIDTH)))
    return image


def png(image):
    """An 8-bit palette PNG of the rows."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    header = struct.pack(">IIBBBBB", len(image[0]), len(image), 8, 3, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in image)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", PALETTE)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def mm(dots):
    return f"{dots / DOTS_PER_MM:.1f} mm"


def summary(paper):
    lines = []
    for number, (top, bottom, offset) in enumerate(paper.pieces(), 1):
        if bottom <= top and offset is None:
            continue  # nothing after the last cut
        printed = paper.printed_rows(top, bottom)
        end = f"cut by the GS V at byte {offset}" if offset is not None else "not cut"
        where = (f"printing from {mm(printed[0] - top)} to {mm(printed[1] + 1 - top)} of it"
                 if printed else "nothing printed")
        lines.append(f"piece {number}: {bottom - top} dots = {mm(bottom - top)} of paper, {where}, {end}")
    if paper.clipped:
        lines.append(f"{paper.clipped} black dot(s) outside the print area, not printed")
    if paper.text_bytes:
        lines.append(f"{paper.text_bytes} byte(s) of text not drawn: our GPDs print raster only")
    return lines


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("job")
    parser.add_argument("png", nargs="?", help="picture to write (default: JOB with .png)")
    parser.add_argument("--cutter-distance", type=int, default=0, metavar="DOTS",
                        help="distance from the head to the cutter, in dots")
    parser.add_argument("--motion-units", type=int, nargs=2, default=[DOTS_PER_INCH, DOTS_PER_INCH],
                        metavar=("X", "Y"), help="the mechanism's GS P defaults, restored by ESC @ (203 203)")
    args = parser.parse_args(argv)
    with open(args.job, "rb") as f:
        data = f.read()
    try:
        if min(args.motion_units) <= 0:
            parser.error("--motion-units takes two numbers above 0")
        paper = decode(data, args.cutter_distance, tuple(args.motion_units))
    except DecodeError as e:
        print(f"{args.job}: {e}", file=sys.stderr)
        return 1
    out = args.png or args.job.rsplit(".", 1)[0] + ".png"
    with open(out, "wb") as f:
        f.write(png(pixels(paper)))
    print("\n".join(summary(paper) + [f"wrote {out}"]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
