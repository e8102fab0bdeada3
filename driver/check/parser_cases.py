#!/usr/bin/env python3
"""The cases on which gpdcheck.py is measured against Microsoft's GPD parser.

Each case is one small change to the shipped QZ-A50X GPD (its two source files, QZA50X.GPD
and the shared QZ58COM.GPD it includes), with the verdict Microsoft's parser gave it
recorded beside it and what gpdcheck.py must say. test_parser_cases.py runs gpdcheck.py on
every case and compares. To record the verdicts again (see README.md):

    parser_cases.py write DIR      one folder per case, DIR/<case>/QZA50X.GPD and QZ58COM.GPD
    (run gpdcheck.exe -n -x on each DIR/<case>/QZA50X.GPD, in that folder, and write its
     exit status into DIR/<case>/status)
    parser_cases.py compare DIR    reads each DIR/<case>/gpdparse.log and status; prints the
                                   verdicts that differ from the table, exits 1 if any does
"""
import os
import re
import sys
from dataclasses import dataclass

HERE = os.path.dirname(os.path.abspath(__file__))
GPD_DIR = os.path.join(os.path.dirname(HERE), "gpd")
ROOT_FILE, SHARED_FILE = "QZA50X.GPD", "QZ58COM.GPD"
ACCEPTED = "accepted"
REJECTED = "rejected: "
CRASHED = "crashed"  # the parser died on it: so would Unidrv, which is the same code
END = None  # as `old`: append `new` at the end of the file


@dataclass
class Case:
    name: str
    old: str            # text to change (its first occurrence), or END
    new: str            # what it becomes
    microsoft: str      # gpdcheck.exe -x: "accepted", "rejected: " and its messages joined by " | ",
                        # or "crashed"
    ours: str = None    # words of the fault gpdcheck.py reports; None: it reports none
    why: str = None     # where gpdcheck.py is stricter than the parser: the reason
    file: str = SHARED_FILE

    def apply(self, text):
        if self.old is END:
            return text + self.new
        if self.old not in text:
            raise ValueError(f"{self.name}: {self.old!r} is not in {self.file}")
        return text.replace(self.old, self.new, 1)


NOT_CHECKED = "not checked"

CASES = [
    Case("as shipped", "", "",
         "accepted"),
    # Strings and hex runs.
    Case("hex outside quotes", '*Cmd: "<1B 40 1D 50 CB CB>"', "*Cmd: <1B 40 1D 50 CB CB>",
         "rejected: illegal char encountered parsing value: .",
         "hex run outside a string"),
    Case("hex outside quotes, with a parameter", '*Cmd: "<1B 4A>" %c', "*Cmd: <1B 4A> %c",
         "rejected: illegal char encountered parsing value: .",
         "hex run outside a string"),
    Case("hex run with an odd number of digits", '"<1B 40 1D 50 CB CB>"', '"<1B 40 1D 50 CB C>"',
         "rejected: hex string contains odd number of hex digits.",
         "bad hex run <1B 40 1D 50 CB C>: odd number of"),
    Case("hex run with a letter that is no digit", '"<1B 40 1D 50 CB CB>"', '"<1B 4O 1D 50 CB CB>"',
         "rejected: syntax error:  illegal char found within hexsubstring: O",
         "bad hex run <1B 4O 1D 50 CB CB>: 'O' is not a hex"),
    Case("hex run without '>'", '"<1B 40 1D 50 CB CB>"', '"<1B 40 1D 50 CB CB"',
         "rejected: unexpected linebreak or EOF. | Error parsing string segment: \"<1B 40 1D 50 CB CB\".",
         "bad hex run: '<' without '>' on the same line"),
    Case("unterminated string", '*ModelName: "QZ-A50X Series"', '*ModelName: "QZ-A50X Series',
         "rejected: Error parsing string segment: \"QZ-A50X Series. | EsetDefault: a required keyword is missing from the GPD file. *ModelName | BinitGPDdriverInfo: unexpected failure initilizing PGLOBAL data",
         "unterminated string: a string ends on the line it",
         file=ROOT_FILE),
    Case("unterminated command string", '*Cmd: "<0D>"', '*Cmd: "<0D>',
         "rejected: Error parsing string segment: \"<0D>. | CmdCR, CmdLF, and CmdFF are always required.",
         "unterminated string: a string ends on the line it"),
    # Braces and constructs.
    Case("missing closing brace", "        *rcNameID: 111\n    }\n", "        *rcNameID: 111\n",
         "rejected: Too few closing braces.  Fatal syntax error.",
         "unbalanced braces: '{' is never closed"),
    Case("extra closing brace", "        *rcNameID: 111\n    }\n}\n", "        *rcNameID: 111\n    }\n}\n}\n",
         "rejected: Too many closing braces.  Fatal syntax error.",
         "unbalanced braces: '}' without a '{'"),
    Case("missing opening brace", "*Command: CmdCR\n{\n", "*Command: CmdCR\n",
         "rejected: Too many closing braces.  Fatal syntax error.",
         "unbalanced braces: '}' without a '{'"),
    Case("option outside a feature", END, "*Option: EXTRA\n{\n    *rcNameID: 111\n}\n",
         "rejected: the Construct Option is not allowed within the state: STATE_ROOT",
         "*Option belongs inside *Feature, not at the root"),
    Case("default option that does not exist", "*DefaultOption: QZ58X200", "*DefaultOption: QZ58X250",
         "rejected: qualified name references a non-existent Option symbol: QZ58X250",
         "*DefaultOption: QZ58X250 names no option of"),
    Case("feature without a default option", "    *DefaultOption: FORMSOURCE\n", "",
         "accepted",
         "feature InputBin has no *DefaultOption",
         why="every feature of ours names its default itself instead of leaving the choice to Unidrv"),
    Case("included file not found", '*Include: "QZ58COM.GPD"', '*Include: "QZ58CON.GPD"',
         "rejected: unable to open GPD file: QZ58CON.GPD",
         "cannot find included file 'QZ58CON.GPD'", file=ROOT_FILE),
    Case("non-ASCII text in a comment", END, "*% \u7eb8\u5f20\n",
         "accepted",
         "non-ASCII byte",
         why="Unidrv reads the bytes in the code page of the system, so anything beyond ASCII reads "
             "differently from one Windows to another; our names in Chinese live in QZC10.DLL"),
    # Root entries.
    Case("missing *GPDSpecVersion", '*GPDSpecVersion: "1.0"\n', "",
         "rejected: Missing required keyword: *GPDSpecVersion. | EsetDefault: a required keyword is missing from the GPD file. *GPDSpecVersion | BinitGPDdriverInfo: unexpected failure initilizing PGLOBAL data",
         "missing required entry *GPDSpecVersion", file=ROOT_FILE),
    Case("missing *ModelName", '*ModelName: "QZ-A50X Series"\n', "",
         "rejected: EsetDefault: a required keyword is missing from the GPD file. *ModelName | BinitGPDdriverInfo: unexpected failure initilizing PGLOBAL data",
         "missing required entry *ModelName", file=ROOT_FILE),
    Case("missing *MasterUnits", "*MasterUnits: PAIR(203, 203)\n", "",
         "rejected: EsetDefault: a required keyword is missing from the GPD file. *MasterUnits | BinitGPDdriverInfo: unexpected failure initilizing PGLOBAL data",
         "missing required entry *MasterUnits"),
    Case("missing *PrinterType", "*PrinterType: PAGE\n", "",
         "rejected: EsetDefault: a required keyword is missing from the GPD file. *PrinterType | BinitGPDdriverInfo: unexpected failure initilizing PGLOBAL data",
         "missing required entry *PrinterType"),
    Case("missing *ResourceDLL", '*ResourceDLL: "QZC10.DLL"\n', "",
         "accepted",
         "missing required entry *ResourceDLL",
         why="every *rcNameID of ours is a string of QZC10.DLL: without *ResourceDLL no feature or "
             "option has a name (gpdcheck.exe does not open the library)"),
    Case("*GPDSpecVersion not first", '*GPDSpecVersion: "1.0"\n*GPDFileName: "QZA50X.GPD"\n',
         '*GPDFileName: "QZA50X.GPD"\n*GPDSpecVersion: "1.0"\n',
         "accepted",
         "*GPDSpecVersion must be the first entry", file=ROOT_FILE,
         why="a rule of our files: the language version comes before anything that depends on it; the "
             "parser takes it anywhere"),
    # Units.
    Case("master units zero", "*MasterUnits: PAIR(203, 203)", "*MasterUnits: PAIR(0, 0)",
         "rejected: master units cannot be coarser than  X or Y MoveUnit.",
         "*MasterUnits (0, 0) must be above 0 both ways"),
    Case("master units zero one way", "*MasterUnits: PAIR(203, 203)", "*MasterUnits: PAIR(203, 0)",
         "rejected: master units cannot be coarser than  X or Y MoveUnit.",
         "*MasterUnits (203, 0) must be above 0 both ways"),
    Case("master units coarser than the move unit", "*YMoveUnit: 203", "*YMoveUnit: 406",
         "rejected: Must be whole number of master units per y move unit. | master units cannot be coarser than  X or Y MoveUnit.",
         "*YMoveUnit: 406 does not divide *MasterUnits"),
    Case("missing *YMoveUnit", "*YMoveUnit: 203\n", "",
         "rejected: *YMoveUnit must be > 1 if any y-move command exists.",
         "missing *YMoveUnit: CmdYMoveRelDown moves in it"),
    Case("move unit zero", "*YMoveUnit: 203", "*YMoveUnit: 0",
         "crashed",
         "*YMoveUnit: 0 must be above 0"),
    Case("master units not a multiple of the resolution", "*DPI: PAIR(203, 203)", "*DPI: PAIR(200, 200)",
         "rejected: Must be whole number of master units per x res unit. | Must be whole number of master units per y res unit.",
         "*MasterUnits (203, 203) is not a multiple of *DPI"),
    Case("PAIR with one value", "*PageDimensions: PAIR(464, 799)", "*PageDimensions: PAIR(464)",
         "rejected: incorrect number of integers for PAIR. | *PageDimensions is required for non-standard sizes.",
         "*PageDimensions: expected PAIR(x, y), not"),
    Case("PAIR without its comma", "*MasterUnits: PAIR(203, 203)", "*MasterUnits: PAIR(203 203)",
         "rejected: unexpected characters after digits in integer value: 203 203 | syntax error in 0 th integer of PAIR. | 203 | EsetDefault: a required keyword is missing from the GPD file. *MasterUnits | BinitGPDdriverInfo: unexpected failure initilizing PGLOBAL data",
         "*MasterUnits: expected PAIR(x, y), not PAIR(203"),
    # Enumerated values.
    Case("unknown *PrinterType", "*PrinterType: PAGE", "*PrinterType: PAGES",
         "rejected: Error: constant value not a member of enumeration class: CL_PRINTERTYPE | PAGES | EsetDefault: a required keyword is missing from the GPD file. *PrinterType | BinitGPDdriverInfo: unexpected failure initilizing PGLOBAL data",
         "*PrinterType: PAGES is not one of PAGE, SERIAL,"),
    Case("unknown *OutputDataFormat", "*OutputDataFormat: H_BYTE", "*OutputDataFormat: H_BYTES",
         "rejected: Error: constant value not a member of enumeration class: CL_OUTPUTDATAFORMAT | H_BYTES",
         "*OutputDataFormat: H_BYTES is not one of H_BYTE,"),
    Case("unknown *CursorXAfterSendBlockData", "*CursorXAfterSendBlockData: AT_GRXDATA_ORIGIN",
         "*CursorXAfterSendBlockData: AT_GRXDATA_ORIGN",
         "rejected: Error: constant value not a member of enumeration class: CL_CURSORXAFTERSENDBLOCKDATA | AT_GRXDATA_ORIGN",
         "*CursorXAfterSendBlockData: AT_GRXDATA_ORIGN is"),
    Case("unknown *CursorYAfterSendBlockData", "*CursorYAfterSendBlockData: AUTO_INCREMENT",
         "*CursorYAfterSendBlockData: AUTOINCREMENT",
         "rejected: Error: constant value not a member of enumeration class: CL_CURSORYAFTERSENDBLOCKDATA | AUTOINCREMENT",
         "*CursorYAfterSendBlockData: AUTOINCREMENT is not"),
    Case("unknown *CursorXAfterCR", "*CursorXAfterCR: AT_CURSOR_X_ORIGIN", "*CursorXAfterCR: AT_CURSOR_ORIGIN",

         "rejected: Error: constant value not a member of enumeration class: CL_CURSORXAFTERCR | AT_CURSOR_ORIGIN",
         "*CursorXAfterCR: AT_CURSOR_ORIGIN is not one of"),
    Case("unknown *Order section", "*Order: JOB_SETUP.1", "*Order: JOBSETUP.1",
         "rejected: Error: constant value not a member of enumeration class: CL_SEQSECTION | JOBSETUP | A valid orderdep SECTION name was not supplied: JOBSETUP | BaddSequencedCmdToList: Invalid or non-existent *Order value specified.",
         "bad *Order: JOBSETUP.1: expected SECTION.n,"),
    Case("*Order without its number", "*Order: JOB_SETUP.1", "*Order: JOB_SETUP",
         "rejected: required delimiter '.' missing in order dependency value. | BaddSequencedCmdToList: Invalid or non-existent *Order value specified.",
         "bad *Order: JOB_SETUP: expected SECTION.n,"),
    Case("boolean *OptimizeLeftBound? YES", "*OptimizeLeftBound?: FALSE", "*OptimizeLeftBound?: YES",
         "rejected: Error: constant value not a member of enumeration class: CL_BOOLEANTYPE | YES",
         "*OptimizeLeftBound?: expected TRUE or FALSE, not"),
    Case("boolean *SendMultipleRows? YES", "*SendMultipleRows?: TRUE", "*SendMultipleRows?: YES",
         "rejected: Error: constant value not a member of enumeration class: CL_BOOLEANTYPE | YES",
         "*SendMultipleRows?: expected TRUE or FALSE, not"),
    Case("boolean *EjectPageWithFF? YES", "*EjectPageWithFF?: TRUE", "*EjectPageWithFF?: YES",
         "rejected: Error: constant value not a member of enumeration class: CL_BOOLEANTYPE | YES",
         "*EjectPageWithFF?: expected TRUE or FALSE, not YES"),
    Case("boolean *Color? NO", "*Color?: FALSE", "*Color?: NO",
         "rejected: Error: constant value not a member of enumeration class: CL_BOOLEANTYPE | NO",
         "*Color?: expected TRUE or FALSE, not NO"),
    Case("*YMoveThreshold not a number", "*YMoveThreshold: 0", "*YMoveThreshold: NONE",
         "rejected: error parsing integer value: NONE",
         "*YMoveThreshold: expected an integer or *, not"),
    Case("unknown Orientation option", "*Option: LANDSCAPE_CC270", "*Option: LANDSCAPE_CC180",
         "rejected: Error: user defined Option names not permitted for enumeration class CL_CONS_ORIENTATION | LANDSCAPE_CC180 | EsetDefault: a required keyword is missing from the GPD file. *dwRotationAngle - synth | BinitOptionFields: Failed to extract value for attribute *dwRotationAngle - synth in Fea: 1, Opt: 1",
         "feature Orientation has no standard option"),
    Case("unknown InputBin option", "*DefaultOption: FORMSOURCE\n    *Option: FORMSOURCE",
         "*DefaultOption: FORMSOURSE\n    *Option: FORMSOURSE",
         "accepted",
         "feature InputBin has no standard option FORMSOURSE",
         why="InputBin also takes bins of the printer's own, each with an *OptionID; ours has one bin, the "
             "standard FORMSOURCE, so a name near a standard one without an *OptionID is a misspelling"),
    # Command parameters.
    Case("unknown standard variable", "%l{RasterDataWidthInBytes}", "%l{RasterDataWidthInByte}",
         "rejected: Error: constant value not a member of enumeration class: CL_STANDARD_VARS | RasterDataWidthInByte | *CmdSendBlockData must exist if *PrinterType is not TTY.",
         "unknown variable RasterDataWidthInByte"),
    Case("unknown variable in a custom size", "%d{PhysPaperLength}", "%d{PhysPaperLenght}",
         "rejected: Error: constant value not a member of enumeration class: CL_STANDARD_VARS | PhysPaperLenght",
         "unknown variable PhysPaperLenght"),
    Case("wrong format letter", "%c[0,255]{max_repeat(DestYRel)}", "%z[0,255]{max_repeat(DestYRel)}",
         "rejected: Command parameter: Unexpected chars found preceeding format specifier: 'z[0,255]{'.",
         "unknown format letter %z"),
    Case("reversed parameter range", "%c[0,255]{max_repeat(DestYRel)}", "%c[255,0]{max_repeat(DestYRel)}",

         "accepted"),
    Case("max_repeat without a range", "%c[0,255]{max_repeat(DestYRel)}", "%c{max_repeat(DestYRel)}",
         "accepted",
         "max_repeat() needs a range with a maximum,",
         why="the documentation allows max_repeat only in an argument with a range: the maximum is the "
             "step the move is split into (ESC J takes one byte)"),
    Case("parameter in parentheses", "%l{RasterDataHeightInPixels}", "%l(RasterDataHeightInPixels)",
         "rejected: unexpected linebreak or EOF. | Expected closing '}'. | *CmdSendBlockData must exist if *PrinterType is not TTY.",
         "bad command parameter: expected %x{...} or"),
    Case("unbalanced parenthesis in a parameter", "{max_repeat(DestYRel)}", "{max_repeat((DestYRel)}",
         "rejected: Command parameter: syntax error in value construct - unmatched  OP_OPENPAR.",
         "bad expression {max_repeat((DestYRel)}: expected"),
    # Keywords.
    Case("misspelt keyword", "*PrintableOrigin: PAIR(40, 0)", "*PrintableOrign: PAIR(40, 0)",
         "rejected: Warning, unrecognized keyword: PrintableOrign | *PrintableOrigin is required and cannot be negative.",
         "unknown keyword *PrintableOrign"),
    Case("misspelt boolean keyword", "*Color?: FALSE", "*Colour?: FALSE",
         "rejected: Warning, unrecognized keyword: Colour?",
         "unknown keyword *Colour?"),
    Case("boolean keyword without its ?", "*EjectPageWithFF?: TRUE", "*EjectPageWithFF: TRUE",
         "rejected: Warning, unrecognized keyword: EjectPageWithFF",
         "unknown keyword *EjectPageWithFF: the name of a"),
    Case("keyword at the wrong level", END, "*PageDimensions: PAIR(464, 799)\n",
         "rejected: Warning, unrecognized keyword: PageDimensions",
         "*PageDimensions belongs inside a PaperSize"),
    Case("keyword without its colon", "*YMoveUnit: 203", "*YMoveUnit 203",
         "rejected: Colon expected after keyword: *YMoveUnit. | *YMoveUnit must be > 1 if any y-move command exists.",
         "unexpected text '*YMoveUnit 203'"),
    # Features, options and paper sizes.
    Case("missing feature InputBin", "*Feature: InputBin", "*Feature: InputBins",
         "accepted",
         "missing required feature InputBin",
         why="the documentation lists InputBin among the standard features every GPD must have"),
    Case("resolution without *SpotDiameter", "        *SpotDiameter: 100\n", "",
         "rejected: EsetDefault: a required keyword is missing from the GPD file. *SpotDiameter | BinitOptionFields: Failed to extract value for attribute in Fea: 3, Opt: 0",
         "option DPI203 has no *SpotDiameter"),
    Case("paper size without *PageDimensions", "        *PageDimensions: PAIR(464, 799)\n", "",
         "rejected: *PageDimensions is required for non-standard sizes.",
         "option QZ58X100 has no *PageDimensions"),
    Case("printable area wider than the page", "*PrintableOrigin: PAIR(40, 0)", "*PrintableOrigin: PAIR(100, 0)",

         "rejected: *PrintableArea must be contained within *PageDimensions.",
         "paper size QZ58X100: printable area width 384"),
    Case("custom size *MinSize above *MaxSize", "*MinSize: PAIR(463, 199)", "*MinSize: PAIR(463, 30000)",
         "accepted",
         "paper size CUSTOMSIZE: *MinSize (463, 30000) is",
         why="no size lies between the two: the custom size would take none"),
    Case("custom size printable width above *MaxSize", "*MaxPrintableWidth: 384", "*MaxPrintableWidth: 500",

         "accepted",
         "paper size CUSTOMSIZE: *MaxPrintableWidth 500 is",
         why="the head cannot print wider than the widest paper"),
    Case("custom size without *CustPrintableSizeY", "        *CustPrintableSizeY: %d{PhysPaperLength}\n", "",

         "accepted",
         "option CUSTOMSIZE has no *CustPrintableSizeY",
         why="the documentation lists it among the entries of a custom size given relative to the "
             "printer's largest paper, the kind ours is"),
    Case("paper size without CmdSelect", '        *Command: CmdSelect\n        {\n            *Order: DOC_SETUP.5\n'
         '            *Cmd: "<1D 4C 00 00 1D 57 80 01>"\n        }\n', "",
         "accepted",
         "paper size QZ58X100 has no CmdSelect",
         why="the documentation lists *Command among the attributes a paper size option must have; "
             "ours puts the print area on the head"),
    Case("*rcNameID 0", "*rcNameID: 121", "*rcNameID: 0",
         "accepted",
         "*rcNameID: 0 must be a non-zero id of the",
         why="no string has id 0: the option would show without a name"),
    Case("*rcNameID missing from the string table", "*rcNameID: 121", "*rcNameID: 129",
         "accepted",
         "resource id 129 is missing from the string table",
         why="gpdcheck.exe does not open QZC10.DLL; Windows would show the option without a name"),
    # Commands.
    Case("missing CmdFF", '*Command: CmdFF\n{\n    *Cmd: "<1D 56 42 00>"\n}\n', "",
         "rejected: CmdCR, CmdLF, and CmdFF are always required.",
         "missing required command CmdFF", file=ROOT_FILE),
    Case("missing CmdSendBlockData",
         '        *Command: CmdSendBlockData\n        {\n            *Cmd: "<1D 76 30 00>" %l{RasterDataWidthInBytes}'
         ' %l{RasterDataHeightInPixels}\n        }\n', "",
         "rejected: *CmdSendBlockData must exist if *PrinterType is not TTY.",
         "missing required command CmdSendBlockData"),
    Case("unknown command name", "*Command: CmdYMoveRelDown", "*Command: CmdYMoveRelDwn",
         "rejected: Error: constant value not a member of enumeration class: CL_COMMAND_NAMES | CmdYMoveRelDwn | unrecognized Unidrv command name: *\"<1B 4A>\" %c[0,255]{max_repeat(DestYRel)}.",
         "unknown command CmdYMoveRelDwn"),
    Case("command without *Cmd", '    *Cmd: "<0D>"\n', "",
         "rejected: CmdCR, CmdLF, and CmdFF are always required.",
         "command CmdCR has no *Cmd"),
    Case("CmdSelect without *Order", "            *Order: DOC_SETUP.5\n", "",
         "accepted",
         "command CmdSelect has no *Order",
         why="the documentation requires *Order for CmdSelect: Unidrv sends a selection command only "
             "at the place it names"),
    Case("CmdStartJob without *Order", "    *Order: JOB_SETUP.1\n", "",
         "rejected: BaddSequencedCmdToList: Invalid or non-existent *Order value specified.",
         "command CmdStartJob has no *Order"),
    Case("CmdSelect outside an option", END, '*Command: CmdSelect\n{\n    *Order: DOC_SETUP.6\n    *Cmd: "<1B 40>"\n}\n',

         "rejected: syntax err: the CmdSelect specifier can only be used inside an Option construct.",
         "CmdSelect selects an option: it belongs inside"),
    Case("one *Order for two commands", "*Order: JOB_SETUP.1", "*Order: DOC_SETUP.5",
         "accepted",
         "*Order: DOC_SETUP.5 is already used by CmdSelect",
         why="two commands at one place go out in an order nobody chose, and ESC @ would clear the "
             "print area if it came second"),
    Case("*MaxCopies without CmdCopies", "*PrinterType: PAGE\n", "*PrinterType: PAGE\n*MaxCopies: 99\n",
         "accepted",
         "*MaxCopies: 99 without CmdCopies: applications",
         why="applications would leave the copies to a printer that cannot make them, and one copy "
             "would print"),
    Case("*EjectPageWithFF? FALSE", "*EjectPageWithFF?: TRUE", "*EjectPageWithFF?: FALSE",
         "accepted",
         "*EjectPageWithFF? must be TRUE: otherwise every",
         why="Unidrv would feed the blank rest of every page before CmdFF"),
    # Constructs gpdcheck.py does not model.
    Case("*Ifdef block", END, "*Ifdef: WINNT_40\n*YMoveThreshold: 0\n*Endif: WINNT_40\n",
         "accepted",
         "*Ifdef is not used in these files and not checked"),
    Case("*Switch on a feature", END,
         "*Switch: Orientation\n{\n    *Case: PORTRAIT\n    {\n        *YMoveThreshold: 0\n    }\n}\n",
         "accepted",
         "*Switch is not used in these files and not checked"),
]


def texts(case):
    """The two source files of a case: {file name: text}."""
    out = {}
    for name in (ROOT_FILE, SHARED_FILE):
        with open(os.path.join(GPD_DIR, name), encoding="utf-8", newline="") as f:
            text = f.read()
        out[name] = case.apply(text) if name == case.file else text
    return out


def folder_name(case):
    return re.sub(r"[^A-Za-z0-9]+", "_", case.name).strip("_")


def write(case, folder):
    os.makedirs(folder, exist_ok=True)
    for name, text in texts(case).items():
        with open(os.path.join(folder, name), "w", encoding="utf-8", newline="") as f:
            f.write(text)


LOG_MESSAGE = re.compile(r"^ERR \S+ \(\d+\):\s*(.*?)\s*$")
WINDOWS_FOLDER = re.compile(r"[A-Za-z]:\\(?:[^\\\s]+\\)*")  # where the case was recorded


def verdict_of_log(text, status=0):
    """The verdict in a gpdparse.log and the exit status: "accepted" when the parser ended
    normally and the log holds nothing but Note: lines."""
    messages = []
    for line in text.splitlines():
        m = LOG_MESSAGE.match(line)
        if not m or not m.group(1) or m.group(1) == "Line ignored." or "Note:" in m.group(1):
            continue
        message = WINDOWS_FOLDER.sub("", m.group(1))
        if message not in messages:
            messages.append(message)
    if status:
        return CRASHED + (": " + " | ".join(messages) if messages else "")
    return REJECTED + " | ".join(messages) if messages else ACCEPTED


def main(argv):
    if len(argv) != 2 or argv[0] not in ("write", "compare"):
        print(__doc__, file=sys.stderr)
        return 2
    command, top = argv
    differ = 0
    for case in CASES:
        folder = os.path.join(top, folder_name(case))
        if command == "write":
            write(case, folder)
            continue
        with open(os.path.join(folder, "status")) as f:
            status = int(f.read().strip())
        with open(os.path.join(folder, "gpdparse.log"), encoding="latin-1") as f:
            got = verdict_of_log(f.read(), status)
        if got != case.microsoft:
            differ += 1
            print(f"{case.name}\n    recorded: {case.microsoft}\n    now:      {got}")
    if command == "compare":
        print(f"{len(CASES)} case(s), {differ} verdict(s) differ")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
