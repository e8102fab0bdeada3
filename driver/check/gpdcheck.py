#!/usr/bin/env python3
"""Finds, before a GPD reaches Windows, what would make Unidrv refuse to load it.

Unidrv compiles a GPD only when the driver is installed, and a parse error then
shows as an install failure with no hint of the cause; a value Unidrv reads but
does not expect can go unnoticed until a page prints wrongly. This check covers
the faults a hand-edited minidriver GPD of ours can have: broken syntax (braces,
strings, hex runs, hex outside a string), keywords it does not know or finds at
the wrong level or with a value of the wrong type (the KEYWORDS table), command
parameters with unknown format letters, variables or a max_repeat() without a
range, master units that are not a whole multiple of every move unit and
resolution, missing mandatory features and options that are not a standard
feature's, commands without the *Order they need, page geometry, and names the
resource library does not have. Constructs it does not model (*Switch, *Ifdef
...) are reported as not checked. How it compares with Microsoft's own parser,
case by case, is in parser_cases.py.

    gpdcheck.py --rc QZC10.rc [--standalone] MODEL.GPD...

Prints one line per fault, "file:line: message", and exits 1 when there is any.
--standalone also rejects *Include, for files that must load on their own.
"""
import argparse
import difflib
import os
import re
import sys
from dataclasses import dataclass, field

# Where an entry may stand: at the root, or directly inside the block of a construct.
# An option's own entries are often those of one standard feature only.
ROOT, FEATURE, COMMAND = "at the root", "inside *Feature", "inside *Command"
OPTION = "inside *Option"
PAPER, RESOLUTION, COLOR = "inside a PaperSize *Option", "inside a Resolution *Option", "inside a ColorMode *Option"

# Value types; a set of words is an enumeration.
STRING, INTEGER, INTEGER_OR_ANY, ID, PAIR_VALUE = "string", "integer", "integer or *", "id", "PAIR"
BOOLEAN, SYMBOL, ORDER_VALUE, COMMAND_STRING, EXPRESSION = "boolean", "symbol", "order", "command", "expression"

# The keywords these files may use: (levels, value type). Anything else is a typo to Unidrv.
KEYWORDS = {
    "GPDSpecVersion": ({ROOT}, STRING),
    "GPDFileName": ({ROOT}, STRING),
    "GPDFileVersion": ({ROOT}, STRING),
    "ModelName": ({ROOT}, STRING),
    "MasterUnits": ({ROOT}, PAIR_VALUE),
    "ResourceDLL": ({ROOT}, STRING),
    "PrinterType": ({ROOT}, {"PAGE", "SERIAL", "TTY"}),
    "MaxCopies": ({ROOT}, INTEGER),
    "OutputDataFormat": ({ROOT}, {"H_BYTE", "V_BYTE"}),
    "OptimizeLeftBound?": ({ROOT}, BOOLEAN),
    "SendMultipleRows?": ({ROOT}, BOOLEAN),
    "RasterSendAllData?": ({ROOT}, BOOLEAN),
    "CursorXAfterSendBlockData": ({ROOT}, {"AT_GRXDATA_END", "AT_GRXDATA_ORIGIN", "AT_CURSOR_X_ORIGIN"}),
    "CursorYAfterSendBlockData": ({ROOT}, {"NO_MOVE", "AUTO_INCREMENT"}),
    "CursorXAfterCR": ({ROOT}, {"AT_CURSOR_X_ORIGIN", "AT_PRINTABLE_X_ORIGIN"}),
    "XMoveThreshold": ({ROOT}, INTEGER_OR_ANY),
    "YMoveThreshold": ({ROOT}, INTEGER_OR_ANY),
    "XMoveUnit": ({ROOT}, INTEGER),
    "YMoveUnit": ({ROOT}, INTEGER),
    "EjectPageWithFF?": ({ROOT}, BOOLEAN),
    "Feature": ({ROOT}, SYMBOL),
    "Option": ({FEATURE}, SYMBOL),
    "Command": ({ROOT, OPTION}, SYMBOL),
    "rcNameID": ({FEATURE, OPTION}, ID),
    "Name": ({FEATURE, OPTION}, STRING),
    "DefaultOption": ({FEATURE}, SYMBOL),
    "OptionID": ({OPTION}, INTEGER),
    "PageDimensions": ({PAPER}, PAIR_VALUE),
    "PrintableArea": ({PAPER}, PAIR_VALUE),
    "PrintableOrigin": ({PAPER}, PAIR_VALUE),
    "CursorOrigin": ({PAPER}, PAIR_VALUE),
    "MinSize": ({PAPER}, PAIR_VALUE),
    "MaxSize": ({PAPER}, PAIR_VALUE),
    "MaxPrintableWidth": ({PAPER}, INTEGER),
    "MinLeftMargin": ({PAPER}, INTEGER),
    "CenterPrintable?": ({PAPER}, BOOLEAN),
    "CustCursorOriginX": ({PAPER}, EXPRESSION),
    "CustCursorOriginY": ({PAPER}, EXPRESSION),
    "CustPrintableOriginX": ({PAPER}, EXPRESSION),
    "CustPrintableOriginY": ({PAPER}, EXPRESSION),
    "CustPrintableSizeX": ({PAPER}, EXPRESSION),
    "CustPrintableSizeY": ({PAPER}, EXPRESSION),
    "DPI": ({RESOLUTION}, PAIR_VALUE),
    "TextDPI": ({RESOLUTION}, PAIR_VALUE),
    "SpotDiameter": ({RESOLUTION}, INTEGER),
    "Color?": ({COLOR}, BOOLEAN),
    "DevNumOfPlanes": ({COLOR}, INTEGER),
    "DevBPP": ({COLOR}, INTEGER),
    "Cmd": ({COMMAND}, COMMAND_STRING),
    "Order": ({COMMAND}, ORDER_VALUE),
    "CallbackID": ({COMMAND}, INTEGER),
}
CONSTRUCTS = {"Feature", "Option", "Command"}
# Conditionals and the other constructs would need rules of their own; none of our files use them.
# They are reported as not checked, and what their blocks hold is left alone: an entry inside
# *Case may stand where it could not at the root.
UNSUPPORTED = {"Ifdef", "Elseifdef", "Else", "Endif", "Define", "Undefine", "Switch", "Case", "Default",
               "Font", "OEM", "TTFS", "Macros", "BlockMacro", "Params"}
REQUIRED_ENTRIES = ["GPDSpecVersion", "ModelName", "MasterUnits", "ResourceDLL", "PrinterType"]

# Unidrv will not load a GPD without these features.
MANDATORY_FEATURES = ["InputBin", "PaperSize", "Resolution"]
# Standard features whose option names Unidrv knows; names are case-sensitive. An input bin of
# the printer's own may have another name when it carries *OptionID.
STANDARD_OPTIONS = {
    "Orientation": {"PORTRAIT", "LANDSCAPE_CC90", "LANDSCAPE_CC270"},
    "Duplex": {"NONE", "VERTICAL", "HORIZONTAL"},
    "Collate": {"ON", "OFF"},
    "InputBin": {"FORMSOURCE", "UPPER", "ONLYONE", "LOWER", "MIDDLE", "MANUAL", "ENVELOPE",
                 "ENVMANUAL", "AUTO", "TRACTOR", "SMALLFMT", "LARGEFMT", "LARGECAPACITY", "CASSETTE"},
}
OWN_OPTION_NEEDS = {"InputBin": "OptionID"}
# Sizes whose dimensions come from Windows' form list; every other size needs its own.
STANDARD_SIZES = {"LETTER", "LEGAL", "EXECUTIVE", "A3", "A4", "A5", "B4", "B5", "ENV_10", "ENV_DL"}
PAPER_NEEDS = ["PrintableArea", "PrintableOrigin"]
VENDOR_PAPER_NEEDS = ["PageDimensions", "CursorOrigin"]
CUSTOM_SIZE_NEEDS = ["MinSize", "MaxSize", "MaxPrintableWidth", "CustCursorOriginX", "CustCursorOriginY",
                     "CustPrintableOriginX", "CustPrintableOriginY", "CustPrintableSizeX", "CustPrintableSizeY"]
RESOLUTION_NEEDS = ["DPI", "TextDPI", "SpotDiameter"]

# Commands by name: True for those sent once at the place their *Order names (without one
# Unidrv never sends them), False for those sent whenever the output needs them.
COMMANDS = {name: True for name in (
    "CmdStartJob", "CmdStartDoc", "CmdStartPage", "CmdEndPage", "CmdEndDoc", "CmdEndJob",
    "CmdCopies", "CmdSleepTimeOut", "CmdSelect")}
COMMANDS.update({name: False for name in (
    "CmdCR", "CmdLF", "CmdFF", "CmdBackSpace", "CmdUniDirectionOn", "CmdUniDirectionOff",
    "CmdPushCursor", "CmdPopCursor", "CmdSetLineSpacing",
    "CmdXMoveAbsolute", "CmdXMoveRelLeft", "CmdXMoveRelRight",
    "CmdYMoveAbsolute", "CmdYMoveRelUp", "CmdYMoveRelDown",
    "CmdSetSimpleRotation", "CmdSetAnyRotation",
    "CmdBeginRaster", "CmdEndRaster", "CmdSetDestBmpWidth", "CmdSetDestBmpHeight",
    "CmdSetSrcBmpWidth", "CmdSetSrcBmpHeight", "CmdSendBlockData", "CmdEndBlockData",
    "CmdSendRedData", "CmdSendGreenData", "CmdSendBlueData",
    "CmdSendCyanData", "CmdSendMagentaData", "CmdSendYellowData", "CmdSendBlackData",
    "CmdEnableTIFF4", "CmdEnableDRC", "CmdEnableFE_RLE", "CmdEnableOEMComp", "CmdDisableCompression")})
REQUIRED_COMMANDS = ["CmdCR", "CmdLF", "CmdFF", "CmdSendBlockData"]
X_MOVES = {"CmdXMoveAbsolute", "CmdXMoveRelLeft", "CmdXMoveRelRight"}
Y_MOVES = {"CmdYMoveAbsolute", "CmdYMoveRelUp", "CmdYMoveRelDown"}
ORDER_SECTIONS = {"JOB_SETUP", "DOC_SETUP", "PAGE_SETUP", "PAGE_FINISH", "DOC_FINISH", "JOB_FINISH"}

# Command parameters, %<format>[min,max]{expression}: the format letters, and the names an
# expression may use besides integers and + - * / MOD ( ).
# d and D are ASCII decimal (D with a sign), c one byte, l and m two bytes (low or high byte
# first); the others are the formats of other printer families' command sets.
FORMAT_LETTERS = {"d", "D", "c", "C", "f", "l", "m", "q", "g", "n", "N", "v", "V"}
STANDARD_VARIABLES = {
    "NumOfDataBytes", "RasterDataWidthInBytes", "RasterDataHeightInPixels", "NumOfCopies",
    "PrintDirInCCDegrees", "DestX", "DestY", "DestXRel", "DestYRel", "LinefeedSpacing",
    "RectXSize", "RectYSize", "GrayPercentage", "NextFontID", "NextGlyph",
    "PhysPaperLength", "PhysPaperWidth", "FontHeight", "FontWidth", "FontMaxWidth", "FontBold",
    "FontItalic", "FontUnderline", "FontStrikeThru", "CurrentFontID", "TextYRes", "TextXRes",
    "GraphicsYRes", "GraphicsXRes", "Rop3", "RedValue", "GreenValue", "BlueValue",
    "PaletteIndexToProgram", "CurrentPaletteIndex", "PatternBrushType", "PatternBrushID",
    "PatternBrushSize", "CursorOriginX", "CursorOriginY", "PageNumber",
}
FUNCTIONS = {"max_repeat": 1, "min": 2, "max": 2}

KEYWORD = re.compile(r"\*([A-Za-z_][A-Za-z0-9_]*\??)[ \t]*:")
PARAMETER = re.compile(r"%([A-Za-z]?)(\[[^\]\n]*\])?(\{[^{}\n]*\})?")
LIMITS = re.compile(r"\[\s*(-?\d+)\s*,\s*(-?\d+|\*)\s*\]$")
EXPRESSION_TOKEN = re.compile(r"\s*(?:(\d+)|([A-Za-z_][A-Za-z0-9_]*)|([-+*/(),]))")
PAIR = re.compile(r"PAIR\(\s*(-?\d+)\s*,\s*(-?\d+)\s*\)$")
STRING_VALUE = re.compile(r'"[^"]*"(\s*"[^"]*")*$')
SYMBOL_VALUE = re.compile(r"[A-Za-z_][A-Za-z0-9_]*$")
ORDER = re.compile(r"([A-Z_]+)\.(\d+)$")
HEX_DIGITS = set("0123456789abcdefABCDEF")


def suggestion(word, known, prefix=""):
    close = difflib.get_close_matches(word, sorted(known), n=1)
    return f" (did you mean {prefix}{close[0]}?)" if close else ""


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
    unchecked: bool = False  # a construct the checker does not model


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
                self.fault("hex run outside a string: Unidrv drops the whole line as an illegal character; "
                           "hex bytes stand inside quotes, \"<1B 40>\"")
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
        self.i = max(m.end(), self.i + 1)
        for message in parameter_faults(*m.groups()):
            self.fault(message)


def parameter_faults(letter, limits, body):
    """What is wrong with one %<format>[min,max]{expression}."""
    if not letter or body is None:
        return ["bad command parameter: expected %x{...} or %x[min,max]{...}"]
    found = []
    if letter not in FORMAT_LETTERS:
        found.append(f"unknown format letter %{letter}: Unidrv knows %{' %'.join(sorted(FORMAT_LETTERS))}")
    limit = LIMITS.match(limits) if limits else None
    if limits and not limit:
        found.append(f"bad range {limits}: expected [min,max]")
    names, expression_faults = expression_names(body[1:-1])
    found += expression_faults
    if "max_repeat" in names and not (limit and limit.group(2) != "*"):
        found.append("max_repeat() needs a range with a maximum, %x[min,max]{max_repeat(...)}: "
                     "it repeats the command in steps of at most that maximum")
    return found


def expression_names(text):
    """The names an expression uses, and its faults: unknown names, wrong calls, bad syntax."""
    tokens, pos = [], 0
    while pos < len(text.rstrip()):
        m = EXPRESSION_TOKEN.match(text, pos)
        if not m:
            return set(), [f"bad expression {{{text}}}: unexpected {text[pos:].strip()[:10]!r}"]
        tokens.append(m.group(1) or m.group(2) or m.group(3))
        pos = m.end()
    parser = ExpressionParser(tokens)
    try:
        parser.expression()
        if parser.peek() is not None:
            raise SyntaxError(f"unexpected {parser.peek()!r}")
    except SyntaxError as e:
        parser.faults.append(f"bad expression {{{text}}}: {e.msg}")
    return parser.names, parser.faults


class ExpressionParser:
    """expression: term {+|- term}; term: factor {*|/|MOD factor}; factor: number, variable,
    function(expression, ...), (expression) or -factor."""

    def __init__(self, tokens):
        self.tokens, self.at, self.names, self.faults = tokens, 0, set(), []

    def peek(self):
        return self.tokens[self.at] if self.at < len(self.tokens) else None

    def take(self, expected=None):
        token = self.peek()
        if token is None or (expected and token != expected):
            raise SyntaxError(f"expected {expected!r}" if expected else "unexpected end")
        self.at += 1
        return token

    def expression(self):
        self.term()
        while self.peek() in ("+", "-"):
            self.take()
            self.term()

    def term(self):
        self.factor()
        while self.peek() in ("*", "/", "MOD"):
            self.take()
            self.factor()

    def factor(self):
        token = self.take()
        if token == "-":
            self.factor()
        elif token == "(":
            self.expression()
            self.take(")")
        elif token.isdigit():
            pass
        elif token in FUNCTIONS:
            self.call(token)
        elif token[0].isalpha() or token[0] == "_":
            self.names.add(token)
            if token not in STANDARD_VARIABLES:
                self.faults.append(f"unknown variable {token}{suggestion(token, STANDARD_VARIABLES)}")
        else:
            raise SyntaxError(f"unexpected {token!r}")

    def call(self, function):
        self.names.add(function)
        self.take("(")
        count = 1
        self.expression()
        while self.peek() == ",":
            self.take()
            self.expression()
            count += 1
        self.take(")")
        if count != FUNCTIONS[function]:
            self.faults.append(f"{function}() takes {FUNCTIONS[function]} argument(s), not {count}")


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
        if owner is None or not (owner.keyword in CONSTRUCTS or owner.unchecked) or owner.has_block:
            self.faults.append(Fault(path, line, "'{' does not follow *Feature, *Option, *Command or another construct"))
            owner = Entry("?", "", path, line)
            level.append(owner)
        owner.has_block = True
        return owner.children

    def add_entry(self, level, entry, including):
        if entry.keyword in UNSUPPORTED:
            self.faults.append(Fault(entry.path, entry.line, f"*{entry.keyword} is not used in these files and not checked"))
            entry.unchecked = True
            level.append(entry)
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
    """Every entry with its parents, leaving out the constructs not checked and what they hold."""
    for entry in entries:
        if entry.unchecked:
            continue
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


def levels_here(parents):
    """The levels an entry under these parents stands at."""
    if not parents:
        return {ROOT}
    owner = parents[-1]
    if owner.keyword == "Option":
        feature = parents[-2].value if len(parents) > 1 else ""
        return {OPTION, f"inside a {feature} *Option"}
    return {{"Feature": FEATURE, "Command": COMMAND}.get(owner.keyword, "")}


def unknown_keyword(keyword):
    if keyword + "?" in KEYWORDS:
        return f"unknown keyword *{keyword}: the name of a TRUE/FALSE entry ends in ?, *{keyword}?"
    if keyword.endswith("?") and keyword[:-1] in KEYWORDS:
        return f"unknown keyword *{keyword}: *{keyword[:-1]} takes no ?"
    return f"unknown keyword *{keyword}{suggestion(keyword, KEYWORDS, '*')}"


def value_fault(keyword, kind, value):
    """What is wrong with a value of this type, or None. Ids and orders have rules of their own."""
    if isinstance(kind, set):
        if value not in kind:
            return f"*{keyword}: {value} is not one of {', '.join(sorted(kind))}{suggestion(value, kind)}"
        return None
    valid = {
        STRING: lambda v: STRING_VALUE.match(v),
        INTEGER: lambda v: re.fullmatch(r"-?\d+", v),
        INTEGER_OR_ANY: lambda v: re.fullmatch(r"-?\d+|\*", v),
        PAIR_VALUE: lambda v: PAIR.match(v),
        BOOLEAN: lambda v: v in ("TRUE", "FALSE"),
        SYMBOL: lambda v: SYMBOL_VALUE.match(v),
        COMMAND_STRING: lambda v: v,
        EXPRESSION: lambda v: re.fullmatch(r"%d\{[^{}]*\}", v),
    }
    expected = {STRING: "a quoted string", INTEGER: "an integer", INTEGER_OR_ANY: "an integer or *",
                PAIR_VALUE: "PAIR(x, y)", BOOLEAN: "TRUE or FALSE", SYMBOL: "a name",
                COMMAND_STRING: "a command", EXPRESSION: "%d{expression}"}
    if kind in valid and not valid[kind](value):
        return f"*{keyword}: expected {expected[kind]}, not {value or 'nothing'}"
    return None


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
        self.check_keywords()
        self.check_features()
        self.check_commands()
        self.check_page_end()
        self.check_copies()
        self.check_paper_sizes()
        self.check_master_units()
        self.check_move_units()
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

    def check_keywords(self):
        for entry, parents in walk(self.tree):
            known = KEYWORDS.get(entry.keyword)
            if entry.keyword == "?":
                continue  # a stray brace, reported where it was read
            if known is None:
                self.fault(entry, unknown_keyword(entry.keyword))
                continue
            levels, kind = known
            if not levels & levels_here(parents):
                here = f"inside *{parents[-1].keyword}: {parents[-1].value}" if parents else ROOT
                self.fault(entry, f"*{entry.keyword} belongs {' or '.join(sorted(levels))}, not {here}")
            fault = value_fault(entry.keyword, kind, entry.value)
            if fault:
                self.fault(entry, fault)
            if entry.keyword in CONSTRUCTS and not entry.has_block:
                self.fault(entry, f"*{entry.keyword}: {entry.value} needs a {{ }} block")

    def check_features(self):
        names = [f.value for f in self.tree if f.keyword == "Feature"]
        for name in MANDATORY_FEATURES:
            if name not in names:
                self.fault(None, f"missing required feature {name}")
        for feature, _ in walk(self.tree):
            if feature.keyword == "Feature" and feature.has_block:
                self.check_default_option(feature)
                self.check_standard_options(feature)

    def check_default_option(self, feature):
        options = [o.value for o in children(feature, "Option")]
        default = first(feature.children, "DefaultOption")
        if not options:
            self.fault(feature, f"feature {feature.value} has no *Option")
        elif default is None:
            self.fault(feature, f"feature {feature.value} has no *DefaultOption")
        elif default.value not in options:
            self.fault(default, f"*DefaultOption: {default.value} names no option of feature {feature.value}")

    def check_standard_options(self, feature):
        known = STANDARD_OPTIONS.get(feature.value)
        own = OWN_OPTION_NEEDS.get(feature.value)
        for option in children(feature, "Option") if known else []:
            if option.value in known or (own and first(option.children, own)):
                continue
            extra = f"; an option of the printer's own needs *{own}" if own else ""
            self.fault(option, f"feature {feature.value} has no standard option {option.value}"
                               f"{suggestion(option.value, known)}: its options are {', '.join(sorted(known))}{extra}")

    def commands(self):
        return [(c, parents) for c, parents in walk(self.tree) if c.keyword == "Command"]

    def check_commands(self):
        commands = self.commands()
        names = {c.value for c, _ in commands}
        for name in REQUIRED_COMMANDS:
            if name not in names:
                self.fault(None, f"missing required command {name}")
        orders = {}
        for command, parents in commands:
            name = command.value
            if name not in COMMANDS:
                self.fault(command, f"unknown command {name}{suggestion(name, COMMANDS)}")
            if command.has_block and not (first(command.children, "Cmd") or first(command.children, "CallbackID")):
                self.fault(command, f"command {name} has no *Cmd")
            if name == "CmdSelect" and not (parents and parents[-1].keyword == "Option"):
                self.fault(command, "CmdSelect selects an option: it belongs inside *Option")
            if COMMANDS.get(name) and command.has_block and first(command.children, "Order") is None:
                self.fault(command, f"command {name} has no *Order: Unidrv sends it only at the place *Order names")
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

    def check_page_end(self):
        """Without *EjectPageWithFF?: TRUE Unidrv moves down to the end of the page before
        CmdFF, feeding the blank rest of every page."""
        eject = first(self.tree, "EjectPageWithFF?")
        if eject is None:
            self.fault(None, "missing *EjectPageWithFF?: TRUE: without it every page feeds to its end")
        elif eject.value != "TRUE":
            self.fault(eject, "*EjectPageWithFF? must be TRUE: otherwise every page feeds to its end")

    def check_copies(self):
        copies = first(self.tree, "MaxCopies")
        names = {c.value for c, _ in self.commands()}
        if copies and copies.value.isdigit() and int(copies.value) > 1 and "CmdCopies" not in names:
            self.fault(copies, f"*MaxCopies: {copies.value} without CmdCopies: applications leave the copies "
                               "to the printer, which then prints one")

    def pair(self, entry):
        m = PAIR.match(entry.value) if entry else None
        return (int(m.group(1)), int(m.group(2))) if m else None  # a bad value is a keyword fault

    def require(self, option, keywords):
        found = {}
        for keyword in keywords:
            entry = first(option.children, keyword)
            if entry is None:
                self.fault(option, f"option {option.value} has no *{keyword}")
            found[keyword] = entry
        return found

    def root_feature(self, name):
        return first([f for f in self.tree if f.keyword == "Feature" and f.value == name], "Feature")

    def check_paper_sizes(self):
        paper = self.root_feature("PaperSize")
        for option in children(paper, "Option") if paper else []:
            if option.value == "CUSTOMSIZE":
                self.check_custom_size(option, self.require(option, CUSTOM_SIZE_NEEDS))
            else:
                needs = PAPER_NEEDS + ([] if option.value in STANDARD_SIZES else VENDOR_PAPER_NEEDS)
                found = self.require(option, needs)
                self.check_printable_area(option, {k: self.pair(e) for k, e in found.items()})
            if option.value not in STANDARD_SIZES and not self.has_command(option, "CmdSelect"):
                self.fault(option, f"paper size {option.value} has no CmdSelect")

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

    def check_custom_size(self, option, found):
        low, high = self.pair(found["MinSize"]), self.pair(found["MaxSize"])
        width = found["MaxPrintableWidth"]
        if low and high and (low[0] > high[0] or low[1] > high[1]):
            self.fault(found["MinSize"], f"paper size {option.value}: *MinSize {low} is larger than *MaxSize {high}")
        if high and width and width.value.isdigit() and int(width.value) > high[0]:
            self.fault(width, f"paper size {option.value}: *MaxPrintableWidth {width.value} is wider than "
                              f"the widest paper ({high[0]})")

    def check_master_units(self):
        """Master units are the finest unit of the file: every move unit a whole number of them."""
        entry = first(self.tree, "MasterUnits")
        units = self.pair(entry)
        if units is None:
            return
        if units[0] <= 0 or units[1] <= 0:
            self.fault(entry, f"*MasterUnits {units} must be above 0 both ways")
            return
        for axis, keyword in ((0, "XMoveUnit"), (1, "YMoveUnit")):
            move = first(self.tree, keyword)
            if move and move.value.isdigit() and int(move.value) == 0:
                self.fault(move, f"*{keyword}: 0 must be above 0: Unidrv divides by it")
            elif move and move.value.isdigit() and units[axis] % int(move.value):
                self.fault(move, f"*{keyword}: {move.value} does not divide *MasterUnits {units}: a move unit "
                                 "must be a whole number of master units, and none finer")

    def check_move_units(self):
        """A move command counts in its move unit, which has no default."""
        names = {c.value for c, _ in self.commands()}
        for keyword, moves in (("XMoveUnit", X_MOVES), ("YMoveUnit", Y_MOVES)):
            used = sorted(names & moves)
            if used and first(self.tree, keyword) is None:
                self.fault(None, f"missing *{keyword}: {used[0]} moves in it")

    def check_resolutions(self):
        resolution = self.root_feature("Resolution")
        units = self.pair(first(self.tree, "MasterUnits"))
        for option in children(resolution, "Option") if resolution else []:
            found = self.require(option, RESOLUTION_NEEDS)
            dpi = self.pair(found["DPI"])
            if units and min(units) > 0 and dpi and (dpi[0] <= 0 or dpi[1] <= 0 or units[0] % dpi[0] or units[1] % dpi[1]):
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
