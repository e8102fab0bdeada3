#!/usr/bin/env python3
"""gpdcheck.py against the verdicts Microsoft's GPD parser gave on the same files (parser_cases.py):
it refuses what the parser refuses, passes what the parser passes unless a row says why it is
stricter, and says "not checked" for what it does not model."""
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import gpdcheck  # noqa: E402
import parser_cases  # noqa: E402
from parser_cases import ACCEPTED, CASES, CRASHED, NOT_CHECKED, REJECTED, ROOT_FILE  # noqa: E402

RC = os.path.join(os.path.dirname(HERE), "QZC10.rc")


def faults_of(case):
    with tempfile.TemporaryDirectory() as folder:
        parser_cases.write(case, folder)
        return [f.message for f in gpdcheck.check(os.path.join(folder, ROOT_FILE), RC)]


class RecordedVerdicts(unittest.TestCase):
    def test_gpdcheck_says_what_each_row_expects(self):
        for case in CASES:
            with self.subTest(case=case.name):
                faults = faults_of(case)
                if case.ours is None:
                    self.assertEqual(faults, [], f"{case.name}: the parser says {case.microsoft}")
                else:
                    self.assertTrue(any(case.ours in m for m in faults),
                                    f"{case.name}: expected {case.ours!r}, got {faults}")

    def test_each_row_agrees_or_says_why_not(self):
        for case in CASES:
            with self.subTest(case=case.name):
                rejected = case.microsoft.startswith((REJECTED, CRASHED))
                self.assertTrue(rejected or case.microsoft == ACCEPTED, case.microsoft)
                if rejected:
                    self.assertIsNotNone(case.ours, "the parser refuses it, so must gpdcheck.py")
                    self.assertIsNone(case.why, "stricter than a parser that refuses it too?")
                elif case.ours is not None and NOT_CHECKED not in case.ours:
                    self.assertTrue(case.why, "gpdcheck.py refuses what the parser accepts: the row must say why")

    def test_what_is_not_modelled_is_reported_as_not_checked_only(self):
        rows = [case for case in CASES if case.ours and NOT_CHECKED in case.ours]
        self.assertTrue(rows)
        for case in rows:
            with self.subTest(case=case.name):
                self.assertEqual([m for m in faults_of(case) if NOT_CHECKED not in m], [])

    def test_every_case_changes_something_and_has_a_folder_of_its_own(self):
        folders = [parser_cases.folder_name(case) for case in CASES]
        self.assertEqual(len(set(folders)), len(folders))
        shipped = parser_cases.texts(parser_cases.Case("as shipped", "", "", ACCEPTED))
        for case in CASES[1:]:
            with self.subTest(case=case.name):
                self.assertNotEqual(parser_cases.texts(case), shipped)


class ReadingTheLog(unittest.TestCase):
    def test_verdict_of_a_log(self):
        header = "Number of files parsed: 1\r\n*** GPD parsing errors for Z:\\cases\\x\\QZA50X.GPD\r\n"
        # log after the header, verdict
        cases = [
            ("\tsnapshot and semantics errors: \r\n", ACCEPTED),
            ("ERR gpd.c (10): Note: the paper size QZ58X100 is not a standard one\r\n", ACCEPTED),
            ("ERR token1.c (1618): \r\nZ:\\cases\\x\\QZA50X.GPD: line: 94 ...\r\n"
             "ERR token1.c (693): illegal char encountered parsing value: .\r\n"
             "ERR token1.c (694):     Line ignored.\r\n"
             "ERR token1.c (693): illegal char encountered parsing value: .\r\n",
             "rejected: illegal char encountered parsing value: ."),
            ("ERR framwrk1.c (52): unable to open GPD file: Z:\\work\\cases\\x\\QZ58CON.GPD\r\n"
             "\tsnapshot and semantics errors: \r\nERR semanchk.c (128): CmdCR, CmdLF, and CmdFF are always required.\r\n",
             "rejected: unable to open GPD file: QZ58CON.GPD | CmdCR, CmdLF, and CmdFF are always required."),
        ]
        for log, verdict in cases:
            with self.subTest(verdict=verdict):
                self.assertEqual(parser_cases.verdict_of_log(header + log), verdict)

    def test_a_parser_that_died_crashed_whatever_its_log_says(self):
        self.assertEqual(parser_cases.verdict_of_log("", 148), CRASHED)
        self.assertEqual(parser_cases.verdict_of_log("ERR x.c (1): bad thing\r\n", 1), CRASHED + ": bad thing")


if __name__ == "__main__":
    unittest.main()
