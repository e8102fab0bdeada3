#!/usr/bin/env python3
"""Which subsystem may include which. The installation core knows no page and no resource
id: it asks the pages through install/install_pages.h. The port page does not know the
settings page: it reaches the installation through app/globals.h. The settings page knows
the port page only where its Next handler creates it.

check_includes.py ROOT     checks the tree at ROOT; prints each broken rule, exits 1 on any
check_includes.py --self-test   checks the checker on a tree made to break every rule
"""
import pathlib
import re
import sys
import tempfile

# (folder whose files the rule covers, include prefixes they must not use, files exempt, why)
RULES = [
    ("install/", ("settings/", "ports/", "app/", "res/"), (),
     "the installation core asks the pages through install/install_pages.h"),
    ("ports/", ("settings/",), (),
     "the port page reaches the installation through app/globals.h"),
    ("settings/", ("ports/",), ("settings/settings_dlg.cpp",),
     "only the Next handler, which creates the port page, knows it"),
]

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]')


def Violations(root):
    root = pathlib.Path(root)
    found = []
    for folder, forbidden, exempt, why in RULES:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            name = path.relative_to(root).as_posix()
            if name in exempt:
                continue
            lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if match and match.group(1).startswith(forbidden):
                    found.append(f"{name}:{number}: includes {match.group(1)}: {why}")
    return found


def SelfTest():
    tree = {
        "install/a.cpp": '#include "install/install_run.h"\n#include "settings/model_texts.h"\n',
        "install/b.h": '#pragma once\n#include "res/resource.h"\n',
        "install/c.cpp": '// #include "app/globals.h" in a comment is no include\n# include "app/globals.h"\n',
        "install/d/e.h": '#include <ports/spooler_enum.h>\n',
        "ports/p.cpp": '#include "app/globals.h"\n#include "install/install_pages.h"\n#include "settings/settings_dlg.h"\n',
        "settings/install_printer_driver.cpp": '#include "install/win32_install_system.h"\n#include "ports/port_select_dlg.h"\n',
        "settings/settings_dlg.cpp": '#include "ports/port_select_dlg.h"\n',
        "settings/notes.txt": '#include "ports/port_select_dlg.h"\n',
    }
    expected = [
        "install/a.cpp:2: includes settings/model_texts.h: " + RULES[0][3],
        "install/b.h:2: includes res/resource.h: " + RULES[0][3],
        "install/c.cpp:2: includes app/globals.h: " + RULES[0][3],
        "install/d/e.h:1: includes ports/spooler_enum.h: " + RULES[0][3],
        "ports/p.cpp:3: includes settings/settings_dlg.h: " + RULES[1][3],
        "settings/install_printer_driver.cpp:2: includes ports/port_select_dlg.h: " + RULES[2][3],
    ]
    with tempfile.TemporaryDirectory() as root:
        for name, text in tree.items():
            path = pathlib.Path(root) / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text, encoding="utf-8")
        found = Violations(root)
    if found != expected:
        print("self-test failed; found:", *found, "expected:", *expected, sep="\n  ")
        return 1
    print(f"self-test passed: {len(expected)} broken rules found, nothing else")
    return 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return SelfTest()
    if len(argv) != 2:
        print(__doc__)
        return 2
    found = Violations(argv[1])
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
