#!/usr/bin/env python3
"""check_resources.py <program.exe>: the resources a user and Windows see in KORA.exe.

Every resource is Chinese (PRC); the icon holds a 32x32 and a 16x16 image in 16 colours;
the string table holds the About entry; the version resource says 4.0.0.0 for Chinese with
code page 1200; the five templates are there, extended where the pages need it, and the
settings page has its initialisation data."""
import struct
import sys

from pe_image import Image

RT_ICON, RT_STRING, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_DLGINIT = 3, 6, 5, 14, 16, 240
CHINESE_PRC = 0x0804
IDR_MAINFRAME, IDS_ABOUTBOX = 128, 101
TEMPLATES = {100: None, 102: True, 129: False, 138: False, 139: True}  # id: extended?


def utf16(text):
    return text.encode("utf-16-le")


def icon_images(group):
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    images = set()
    for i in range(count):
        width, height, colours, _, _, bits = struct.unpack_from("<BBBBHH", group, 6 + 14 * i)
        images.add((width, height, colours, bits))
    return (reserved, kind), images


def string_at(block, index):
    at = 0
    for i in range(16):
        length = struct.unpack_from("<H", block, at)[0]
        text = block[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        if i == index:
            return text
        at += 2 + 2 * length
    return None


def fixed_versions(version):
    at = version.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return None
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", version, at + 8)
    split = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    return split(file_ms, file_ls), split(product_ms, product_ls)


def problems(image):
    found = []
    entries = list(image.entries())
    for type_id, name_id, language, _ in entries:
        if language != CHINESE_PRC:
            found.append("resource type %s id %s is in language %#06x" % (type_id, name_id, language))
    by_key = {(t, n): data for t, n, _, data in entries}

    group = by_key.get((RT_GROUP_ICON, IDR_MAINFRAME))
    if group is None:
        found.append("no icon IDR_MAINFRAME")
    else:
        header, images = icon_images(group)
        if header != (0, 1) or images != {(32, 32, 16, 4), (16, 16, 16, 4)}:
            found.append("icon IDR_MAINFRAME holds %s, not 32x32 and 16x16 in 16 colours" % sorted(images))

    block = by_key.get((RT_STRING, IDS_ABOUTBOX // 16 + 1))
    about = string_at(block, IDS_ABOUTBOX % 16) if block else None
    if about != "关于 KORA(&A)...":
        found.append("string IDS_ABOUTBOX is %r" % about)

    version = by_key.get((RT_VERSION, 1))
    if version is None:
        found.append("no version resource")
    else:
        if fixed_versions(version) != ((4, 0, 0, 0), (4, 0, 0, 0)):
            found.append("file and product versions are %s, not 4.0.0.0" % (fixed_versions(version),))
        for needed in ("080404b0", "4, 0, 0, 0", "Translation"):
            if utf16(needed) not in version:
                found.append("the version resource lacks %r" % needed)
        if struct.pack("<HH", CHINESE_PRC, 1200) not in version:
            found.append("the version resource's translation is not Chinese (PRC), code page 1200")

    for template, extended in TEMPLATES.items():
        data = by_key.get((RT_DIALOG, template))
        if data is None:
            found.append("no dialog template %d" % template)
        elif extended is not None and (data[:4] == b"\x01\x00\xff\xff") != extended:
            found.append("template %d is %s" % (template, "plain" if extended else "extended"))
    if (RT_DLGINIT, 102) not in by_key:
        found.append("the settings page template has no initialisation data")
    return found


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check_resources.py <program.exe>")
    with open(sys.argv[1], "rb") as f:
        found = problems(Image(f.read()))
    for problem in found:
        print("%s: %s" % (sys.argv[1], problem))
    if not found:
        print("%s: resources as the program needs them" % sys.argv[1])
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
