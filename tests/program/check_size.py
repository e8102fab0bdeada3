#!/usr/bin/env python3
"""check_size.py <program.exe> <most bytes>: the installer stays within its size, so that what
a change pulls in (libstdc++'s demangler, iostreams, locales, printf's floating point) cannot
make it grow unnoticed."""
import os
import sys


def main(argv):
    if len(argv) != 3:
        print("usage: check_size.py <program.exe> <most bytes>", file=sys.stderr)
        return 2
    size, most = os.path.getsize(argv[1]), int(argv[2])
    print("%s: %d bytes, at most %d allowed" % (argv[1], size, most))
    if size > most:
        print("%s grew by %d bytes beyond its limit: link with -Wl,-Map and see what pulled in the"
              " largest members of libstdc++, libgcc and libmingwex" % (os.path.basename(argv[1]), size - most))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
