#!/usr/bin/env python3
"""check_resources.py <program.exe>: the resources a user and Windows see in KORA.exe.

Every resource is Chinese (PRC); the icon holds a 32x32 and a 16x16 image in 16 colours;
the string table holds the About entry; the version resource says 4.0.0.0 for Chinese with
code page 1200; the five templates are there, extended where the pages need it, and the
settings page has its initialisation data. On the system page every radio button lies in the
group that the group box starts (an automatic radio button unmarks only the others of its
group), and the third row's buttons come last, where the template puts them."""
import struct
import sys

from pe_image import Image

RT_ICON, RT_STRING, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_DLGINIT = 3, 6, 5, 14, 16, 240
CHINESE_PRC = 0x0804
IDR_MAINFRAME, IDS_ABOUTBOX = 128, 101
TEMPLATES = {100: None, 102: True, 129: False, 138: False, 139: True}  # id: extended?
IDD_SYSTEM_SELECT = 129
WS_VISIBLE, WS_GROUP, DS_SETFONT = 0x10000000, 0x00020000, 0x40
BUTTON_CLASS, BS_TYPEMASK, BS_GROUPBOX, BS_AUTORADIOBUTTON = 0x80, 0xF, 7, 9
NO_ID = 0xFFFF
# The system page's controls in template order: the group box, the radio buttons of the
# first two rows (four of them hidden), the track bar, the three push buttons, two more
# radio buttons of the second row, then the third row.
SYSTEM_PAGE_IDS = [NO_ID, 1020, 1000, 1001, 1002, 1003, 1004, 1011, 1007, 1008, 1009, 1010, 1005, 1006,
                   1021, 1022, 1023]
SYSTEM_PAGE_RADIOS = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1011, 1020, 1021, 1022, 1023}
THIRD_ROW = {  # id: (x, y, cx, cy), text
    1021: ((15, 80, 62, 10), "Windows 8"),
    1022: ((87, 80, 55, 10), "Windows 10"),
    1023: ((157, 80, 64, 10), "Windows 11"),
}


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


def text_or_ordinal(data, at):
    """(text or ordinal, offset after it) of a template's sz_Or_Ord field."""
    first = struct.unpack_from("<H", data, at)[0]
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, at + 2)[0], at + 4
    end = at
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def plain_template_controls(data):
    """The controls of a DLGTEMPLATE as dicts, in template order."""
    style, _, count = struct.unpack_from("<IIH", data, 0)
    at = 18
    for _ in range(3):  # menu, class, caption
        _, at = text_or_ordinal(data, at)
    if style & DS_SETFONT:
        _, at = text_or_ordinal(data, at + 2)
    controls = []
    for _ in range(count):
        at = (at + 3) & ~3
        style, _, x, y, cx, cy, ident = struct.unpack_from("<IIhhhhH", data, at)
        kind, at = text_or_ordinal(data, at + 18)
        text, at = text_or_ordinal(data, at)
        extra = struct.unpack_from("<H", data, at)[0]
        at += 2 + extra
        controls.append({"id": ident, "style": style, "class": kind, "rect": (x, y, cx, cy), "text": text})
    return controls


def is_button(control):
    """The predefined class, stored as its ordinal or (by windres, for CONTROL) by name."""
    kind = control["class"]
    return kind == BUTTON_CLASS or (isinstance(kind, str) and kind.lower() == "button")


def system_page_problems(data):
    found = []
    controls = plain_template_controls(data)
    ids = [c["id"] for c in controls]
    if ids != SYSTEM_PAGE_IDS:
        return ["the system page's controls are %s, not %s" % (ids, SYSTEM_PAGE_IDS)]
    box = controls[0]
    if not is_button(box) or box["style"] & BS_TYPEMASK != BS_GROUPBOX or not box["style"] & WS_GROUP:
        found.append("the system page's first control is not a group box that starts a group")
    group_end = next((i for i, c in enumerate(controls) if i > 0 and c["style"] & WS_GROUP), len(controls))
    group = {c["id"] for c in controls[:group_end]}
    for control in controls:
        if control["id"] not in SYSTEM_PAGE_RADIOS:
            continue
        if not is_button(control) or control["style"] & BS_TYPEMASK != BS_AUTORADIOBUTTON:
            found.append("system page control %d is not an automatic radio button" % control["id"])
        if control["id"] not in group:
            found.append("radio button %d is outside the group box's group" % control["id"])
        if control["id"] in THIRD_ROW:
            rect, text = THIRD_ROW[control["id"]]
            if (control["rect"], control["text"]) != (rect, text) or not control["style"] & WS_VISIBLE:
                found.append("radio button %d is %r at %s (shown: %s), not a shown %r at %s" % (
                    control["id"], control["text"], control["rect"], bool(control["style"] & WS_VISIBLE),
                    text, rect))
    return found


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
    if (RT_DIALOG, IDD_SYSTEM_SELECT) in by_key:
        found.extend(system_page_problems(by_key[(RT_DIALOG, IDD_SYSTEM_SELECT)]))
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
