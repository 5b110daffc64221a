#!/usr/bin/env python3
"""Writes a resource script whose string literals windres reads right: every literal with
characters outside ASCII becomes a wide literal of \\x escapes (see gen_strings.rc_units).
windres reads the bytes of a UTF-8 script one by one, whatever its code page pragma says.

usage: rc_wide.py INPUT.rc OUTPUT.rc
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_strings import rc_units  # noqa: E402

# A narrow literal: "..." with "" for a quote inside, not preceded by L.
LITERAL = re.compile(r'(?<![A-Za-z0-9_])"((?:[^"\n]|"")*)"')


def widen(line):
    if line.lstrip().startswith("//") or all(ord(c) < 0x80 for c in line):
        return line
    return LITERAL.sub(lambda m: 'L"' + rc_units(m.group(1)) + '"'
                       if any(ord(c) >= 0x80 for c in m.group(1)) else m.group(0), line)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as source:
        lines = source.read().split("\n")
    text = "\n".join(widen(line) for line in lines)
    # Comments may keep other characters; they become "?".
    with open(sys.argv[2], "w", encoding="ascii", errors="replace", newline="\n") as target:
        target.write(text)


if __name__ == "__main__":
    main()
