#!/usr/bin/env python3
"""Builds kora.ico (32x32 and 16x16, 16 colours) from the text pixel maps in icon/.

Each map character is a colour of the standard 16-colour palette (0-9, A-F);
'.' is transparent. Usage: make_icon.py OUTPUT.ico
"""
import os
import struct
import sys

PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


def read_map(path, size):
    rows = [line.rstrip("\n") for line in open(path, encoding="ascii")]
    rows = [r for r in rows if r]
    if len(rows) != size or any(len(r) != size for r in rows):
        sys.exit(f"{path}: expected {size} rows of {size} characters")
    return rows


def image(rows):
    """A DIB for an icon entry: header, palette, 4-bit colour rows, 1-bit AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(rows):  # DIBs are stored bottom-up
        nibbles = [0 if c == "." else int(c, 16) for c in row]
        xor = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor_rows.append(xor.ljust((len(xor) + 3) // 4 * 4, b"\0"))
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c == "." else 0)
        mask = bits.to_bytes(size // 8, "big")
        and_rows.append(mask.ljust((len(mask) + 3) // 4 * 4, b"\0"))
    return header + palette + b"".join(xor_rows) + b"".join(and_rows)


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icon")
    images = [(32, image(read_map(os.path.join(here, "printer32.txt"), 32))),
              (16, image(read_map(os.path.join(here, "printer16.txt"), 16)))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
