#!/usr/bin/env python3
"""Finds, before a GPD reaches Windows, what would make Unidrv refuse to load it.

Unidrv compiles a GPD only when the driver is installed, and a parse error then
shows as an install failure with no hint of the cause. This check covers the
faults a hand-edited minidriver GPD of ours can have: broken syntax (braces,
strings, hex runs, command parameters), entries at the wrong level, features
and commands Unidrv requires, page geometry, and names the resource library
does not have.

    gpdcheck.py --rc QZC10.rc [--standalone] MODEL.GPD...

Prints one line per fault, "file:line: message", and exits 1 when there is any.
--standalone also rejects *Include, for files that must load on their own.
"""
import argparse
import os
import re
import sys
from dataclasses import dataclass, field

ROOT_ONLY = {"GPDSpecVersion", "GPDFileName", "GPDFileVersion", "ModelName",
             "MasterUnits", "ResourceDLL", "PrinterType", "MaxCopies"}
REQUIRED_ENTRIES = ["GPDSpecVersion", "ModelName", "MasterUnits", "ResourceDLL", "PrinterType"]
REQUIRED_FEATURES = ["InputBin", "PaperSize", "Resolution"]
REQUIRED_COMMANDS = ["CmdCR", "CmdLF", "CmdFF", "CmdSendBlockData"]
CONSTRUCTS = {"Feature", "Option", "Command", "Switch", "Case", "Default",
              "Font", "OEM", "TTFS", "Macros", "BlockMacro"}
# Conditionals would need the symbols of every configuration; none of our files use them.
UNSUPPORTED = {"Ifdef", "Elseifdef", "Else", "Endif", "Define", "Undefine"}
ORDER_SECTIONS = {"JOB_SETUP", "DOC_SETUP", "PAGE_SETUP", "PAGE_FINISH", "DOC_FINISH", "JOB_FINISH"}
# Sizes whose dimensions come from Windows' form list; every other size needs its own.
STANDARD_SIZES = {"LETTER", "LEGAL", "EXECUTIVE", "A3", "A4", "A5", "B4", "B5", "ENV_10", "ENV_DL"}
PAPER_NEEDS = ["PrintableArea", "PrintableOrigin"]
VENDOR_PAPER_NEEDS = ["PageDimensions", "CursorOrigin"]
RESOLUTION_NEEDS = ["DPI", "TextDPI", "SpotDiameter"]

KEYWORD = re.compile(r"\*([A-Za-z_][A-Za-z0-9_]*\??)[ \t]*:")
PARAMETER = re.compile(r"%[0-9]*[a-zA-Z](\[[^\]\n]*\])?\{[^{}\n]*\}")
PAIR = re.compile(r"PAIR\(\s*(\d+)\s*,\s*(\d+)\s*\)$")
ORDER = re.compile(r"([A-Z_]+)\.(\d+)$")
HEX_DIGITS = set("0123456789abcdefABCDEF")


@dataclass
class Fault:
    path: str
    line: int  # 0 when the fault is an absence, with no line to point at
    message: str

    def __str__(self):
        return f"{self.path}:{self.line}: {self.message}" if self.line else f"{self.path}: {self.message}"


@dataclass
class Entry:
    keyword: str
    value: str
    path: str
    line: int
    children: list = field(default_factory=list)
    has_block: bool = False


class Lexer:
    """Turns one file into entries and braces; the syntax faults are found here."""

    def __init__(self, text, path, faults):
        self.text, self.path, self.faults = text, path, faults
        self.i, self.line = 0, 1

    def fault(self, message, line=None):
        self.faults.append(Fault(self.path, line or self.line, message))

    def tokens(self):
        text = self.text
        while self.i < len(text):
            c = text[self.i]
            if c == "\n":
                self.line += 1
                self.i += 1
            elif c in " \t\r":
                self.i += 1
            elif text.startswith("*%", self.i):
                self.skip_line()
            elif c in "{}":
                yield (c, self.line)
                self.i += 1
            elif c == "*" and KEYWORD.match(text, self.i):
                yield self.entry()
            else:
                self.fault(f"unexpected text {text[self.i:].splitlines()[0][:20]!r}")
                self.skip_line()

    def entry(self):
        m = KEYWORD.match(self.text, self.i)
        line = self.line
        self.i = m.end()
        return ("entry", m.group(1), self.value().strip(), line)

    def skip_line(self):
        end = self.text.find("\n", self.i)
        self.i = len(self.text) if end < 0 else end

    def value(self):
        """The value runs to the end of the line (or a '+' continuation), or to a brace."""
        text, out = self.text, []
        while self.i < len(text):
            c = text[self.i]
            if c == "\n":
                if text.startswith("+", self.i + 1):
                    self.line += 1
                    self.i += 2
                    out.append(" ")
                    continue
                break
            if c in "{}":
                break
            if text.startswith("*%", self.i) and text[self.i - 1] in " \t":
                self.skip_line()
                break
            if c == "*" and text[self.i - 1] in " \t" and KEYWORD.match(text, self.i):
                break
            start = self.i
            if c == '"':
                self.string()
            elif c == "<":
                self.hex_run()
            elif c == "%":
                self.parameter()
            else:
                self.i += 1
            out.append(text[start:self.i])
        return "".join(out)

    def string(self):
        text = self.text
        self.i += 1
        while self.i < len(text) and text[self.i] not in '"\n':
            if text[self.i] == "%":
                self.i += 2
            elif text[self.i] == "<":
                self.hex_run()
            else:
                self.i += 1
        if self.i < len(text) and text[self.i] == '"':
            self.i += 1
        else:
            self.fault("unterminated string: a string ends on the line it starts")

    def hex_run(self):
        end = self.text.find(">", self.i)
        newline = self.text.find("\n", self.i)
        if end < 0 or 0 <= newline < end:
            self.fault("bad hex run: '<' without '>' on the same line")
            self.i = len(self.text) if newline < 0 else newline
            return
        run = self.text[self.i + 1:end]
        digits = "".join(run.split())
        bad = [ch for ch in digits if ch not in HEX_DIGITS]
        if bad:
            self.fault(f"bad hex run <{run}>: {bad[0]!r} is not a hex digit")
        elif len(digits) % 2:
            self.fault(f"bad hex run <{run}>: odd number of digits")
        self.i = end + 1

    def parameter(self):
        m = PARAMETER.match(self.text, self.i)
        if m:
            self.i = m.end()
        else:
            self.fault("bad command parameter: expected %x{...} or %x[min,max]{...}")
            self.i += 1


class Reader:
    """Reads a GPD with its includes into one tree, as Unidrv merges them into one text."""

    def __init__(self, faults, standalone):
        self.faults, self.standalone = faults, standalone

    def read(self, path, including=()):
        with open(path, "rb") as f:
            raw = f.read()
        for number, line in enumerate(raw.split(b"\n"), 1):
            if any(b > 0x7E for b in line):
                self.faults.append(Fault(path, number, "non-ASCII byte: GPD files are ASCII"))
        lexer = Lexer(raw.decode("latin-1"), path, self.faults)
        return self.build(lexer.tokens(), path, including + (os.path.abspath(path),))

    def build(self, tokens, path, including):
        root = []
        levels, opened = [root], []
        for token in tokens:
            if token[0] == "entry":
                self.add_entry(levels[-1], Entry(token[1], token[2], path, token[3]), including)
            elif token[0] == "{":
                levels.append(self.open_block(levels[-1], path, token[1]))
                opened.append(token[1])
            elif len(levels) == 1:
                self.faults.append(Fault(path, token[1], "unbalanced braces: '}' without a '{'"))
            else:
                levels.pop()
                opened.pop()
        for line in opened:
            self.faults.append(Fault(path, line, "unbalanced braces: '{' is never closed"))
        return root

    def open_block(self, level, path, line):
        owner = level[-1] if level else None
        if owner is None or owner.keyword not in CONSTRUCTS or owner.has_block:
            self.faults.append(Fault(path, line, "'{' does not follow *Feature, *Option, *Command or another construct"))
            owner = Entry("?", "", path, line)
            level.append(owner)
        owner.has_block = True
        return owner.children

    def add_entry(self, level, entry, including):
        if entry.keyword in UNSUPPORTED:
            self.faults.append(Fault(entry.path, entry.line, f"*{entry.keyword} is not used in these files and not checked"))
        elif entry.keyword == "Include":
            level.extend(self.include(entry, including))
        else:
            level.append(entry)

    def include(self, entry, including):
        if self.standalone:
            self.faults.append(Fault(entry.path, entry.line,
                                     "*Include in a file that must load alone: the driver directory holds no other GPD of ours"))
        name = unquote(entry.value)
        path = find_beside(entry.path, name)
        if path is None:
            self.faults.append(Fault(entry.path, entry.line, f"cannot find included file {name!r}"))
            return []
        if os.path.abspath(path) in including:
            self.faults.append(Fault(entry.path, entry.line, f"{name!r} includes itself"))
            return []
        return self.read(path, including)


def find_beside(including_path, name):
    """Windows finds an included file in the including file's folder, in any letter case."""
    folder = os.path.dirname(including_path) or "."
    for candidate in os.listdir(folder):
        if candidate.lower() == name.lower():
            return os.path.join(folder, candidate)
    return None


def unquote(value):
    return value[1:-1] if len(value) >= 2 and value[0] == value[-1] == '"' else value


def children(entry, keyword):
    return [c for c in entry.children if c.keyword == keyword]


def first(entries, keyword):
    return next((e for e in entries if e.keyword == keyword), None)


def walk(entries, parents=()):
    for entry in entries:
        yield entry, parents
        yield from walk(entry.children, parents + (entry,))


def read_string_ids(rc_path):
    """The ids of the STRINGTABLE blocks of a resource script (decimal ids)."""
    ids, inside = set(), False
    with open(rc_path, encoding="utf-8") as f:
        for line in f:
            words = line.split()
            if not words:
                continue
            if words[0] == "STRINGTABLE":
                inside = True
            elif words[0] in ("END", "}"):
                inside = False
            elif inside:
                m = re.match(r"\s*(\d+)\s*,?\s*\"", line)
                if m:
                    ids.add(int(m.group(1)))
    return ids


class Checker:
    """The rules on the merged tree of one model GPD."""

    def __init__(self, path, tree, rc_path, faults):
        self.path, self.tree, self.faults = path, tree, faults
        self.rc_path, self.rc_ids = rc_path, read_string_ids(rc_path)

    def fault(self, entry, message):
        self.faults.append(Fault(entry.path, entry.line, message) if entry else Fault(self.path, 0, message))

    def run(self):
        self.check_first_entry()
        self.check_required_entries()
        self.check_levels()
        self.check_features()
        self.check_commands()
        self.check_paper_sizes()
        self.check_resolutions()
        self.check_resource_ids()

    def check_first_entry(self):
        version = first(self.tree, "GPDSpecVersion")
        if version is None:
            return  # reported as a missing entry
        if version is not self.tree[0]:
            self.fault(version, "*GPDSpecVersion must be the first entry")
        if unquote(version.value) != "1.0":
            self.fault(version, f"*GPDSpecVersion must be \"1.0\", not {version.value}")

    def check_required_entries(self):
        for keyword in REQUIRED_ENTRIES:
            if first(self.tree, keyword) is None:
                self.fault(None, f"missing required entry *{keyword}")
        dll = first(self.tree, "ResourceDLL")
        rc_stem = os.path.splitext(os.path.basename(self.rc_path))[0]
        if dll and os.path.splitext(unquote(dll.value))[0].lower() != rc_stem.lower():
            self.fault(dll, f"*ResourceDLL is {dll.value}, but the string table checked is {rc_stem}.rc")

    def check_levels(self):
        for entry, parents in walk(self.tree):
            if entry.keyword in ROOT_ONLY and parents:
                where = parents[-1]
                self.fault(entry, f"*{entry.keyword} belongs at the root, not inside *{where.keyword}: {where.value}")
            if entry.keyword in CONSTRUCTS and not entry.has_block:
                self.fault(entry, f"*{entry.keyword}: {entry.value} needs a {{ }} block")

    def check_features(self):
        names = [f.value for f in self.tree if f.keyword == "Feature"]
        for name in REQUIRED_FEATURES:
            if name not in names:
                self.fault(None, f"missing required feature {name}")
        for feature, _ in walk(self.tree):
            if feature.keyword == "Feature" and feature.has_block:
                self.check_default_option(feature)

    def check_default_option(self, feature):
        options = [o.value for o in children(feature, "Option")]
        default = first(feature.children, "DefaultOption")
        if not options:
            self.fault(feature, f"feature {feature.value} has no *Option")
        elif default is None:
            self.fault(feature, f"feature {feature.value} has no *DefaultOption")
        elif default.value not in options:
            self.fault(default, f"*DefaultOption: {default.value} names no option of feature {feature.value}")

    def check_commands(self):
        commands = [(c, parents) for c, parents in walk(self.tree) if c.keyword == "Command"]
        names = {c.value for c, _ in commands}
        for name in REQUIRED_COMMANDS:
            if name not in names:
                self.fault(None, f"missing required command {name}")
        orders = {}
        for command, parents in commands:
            if command.has_block and not (first(command.children, "Cmd") or first(command.children, "CallbackID")):
                self.fault(command, f"command {command.value} has no *Cmd")
            self.check_order(command, parents, orders)

    def check_order(self, command, parents, orders):
        order = first(command.children, "Order")
        if order is None:
            return
        m = ORDER.match(order.value)
        if not m or m.group(1) not in ORDER_SECTIONS:
            self.fault(order, f"bad *Order: {order.value}: expected SECTION.n, SECTION one of {sorted(ORDER_SECTIONS)}")
            return
        # Commands of different options of one feature are never sent together.
        feature = next((p for p in reversed(parents) if p.keyword == "Feature"), None)
        owner = ("Feature", feature.value) if feature else ("Command", command.value)
        earlier = orders.setdefault(order.value, (owner, command))
        if earlier[0] != owner:
            self.fault(order, f"*Order: {order.value} is already used by {earlier[1].value} "
                              f"({earlier[1].path}:{earlier[1].line})")

    def pair(self, entry):
        m = PAIR.match(entry.value)
        if not m:
            self.fault(entry, f"*{entry.keyword}: expected PAIR(x, y), not {entry.value}")
            return None
        return int(m.group(1)), int(m.group(2))

    def option_pairs(self, option, keywords):
        found = {}
        for keyword in keywords:
            entry = first(option.children, keyword)
            if entry is None:
                self.fault(option, f"option {option.value} has no *{keyword}")
            else:
                found[keyword] = self.pair(entry)
        return found

    def root_feature(self, name):
        return first([f for f in self.tree if f.keyword == "Feature" and f.value == name], "Feature")

    def check_paper_sizes(self):
        paper = self.root_feature("PaperSize")
        for option in children(paper, "Option") if paper else []:
            if option.value == "CUSTOMSIZE":
                continue
            needs = PAPER_NEEDS + ([] if option.value in STANDARD_SIZES else VENDOR_PAPER_NEEDS)
            pairs = self.option_pairs(option, needs)
            if option.value not in STANDARD_SIZES and not self.has_command(option, "CmdSelect"):
                self.fault(option, f"paper size {option.value} has no CmdSelect")
            self.check_printable_area(option, pairs)

    def has_command(self, option, name):
        return any(c.value == name for c in children(option, "Command"))

    def check_printable_area(self, option, pairs):
        page, area = pairs.get("PageDimensions"), pairs.get("PrintableArea")
        origin = pairs.get("PrintableOrigin")
        if not (page and area and origin):
            return
        for axis, label in ((0, "width"), (1, "height")):
            if origin[axis] + area[axis] > page[axis]:
                self.fault(option, f"paper size {option.value}: printable area {label} {area[axis]} "
                                   f"from origin {origin[axis]} is larger than the page ({page[axis]})")

    def check_resolutions(self):
        resolution = self.root_feature("Resolution")
        units_entry = first(self.tree, "MasterUnits")
        units = self.pair(units_entry) if units_entry else None
        for option in children(resolution, "Option") if resolution else []:
            pairs = self.option_pairs(option, ["DPI", "TextDPI"])
            if first(option.children, "SpotDiameter") is None:
                self.fault(option, f"option {option.value} has no *SpotDiameter")
            dpi = pairs.get("DPI")
            if units and dpi and (dpi[0] == 0 or dpi[1] == 0 or units[0] % dpi[0] or units[1] % dpi[1]):
                self.fault(option, f"*MasterUnits {units} is not a multiple of *DPI {dpi}")

    def check_resource_ids(self):
        for entry, _ in walk(self.tree):
            if entry.keyword != "rcNameID":
                continue
            if not entry.value.isdigit() or int(entry.value) == 0:
                self.fault(entry, f"*rcNameID: {entry.value} must be a non-zero id of the resource library")
            elif int(entry.value) not in self.rc_ids:
                self.fault(entry, f"resource id {entry.value} is missing from the string table of "
                                  f"{os.path.basename(self.rc_path)}")


def check(path, rc_path, standalone=False):
    faults = []
    tree = Reader(faults, standalone).read(path)
    Checker(path, tree, rc_path, faults).run()
    return faults


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rc", required=True, help="resource script of the library the GPDs name")
    parser.add_argument("--standalone", action="store_true", help="reject *Include")
    parser.add_argument("gpd", nargs="+")
    args = parser.parse_args(argv)
    faults = [f for path in args.gpd for f in check(path, args.rc, args.standalone)]
    for f in faults:
        print(f)
    print(f"gpdcheck: {len(args.gpd)} file(s), {len(faults)} fault(s)")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
