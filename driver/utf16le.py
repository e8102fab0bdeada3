#!/usr/bin/env python3
"""utf16le.py IN OUT: writes a UTF-8 text as UTF-16LE with a byte order mark and CRLF
line ends, the form in which Windows reads an INF with non-ASCII strings."""
import sys

with open(sys.argv[1], encoding="utf-8") as source:
    text = source.read().replace("\r\n", "\n").replace("\n", "\r\n")
with open(sys.argv[2], "wb") as target:
    target.write(b"\xff\xfe" + text.encode("utf-16-le"))
