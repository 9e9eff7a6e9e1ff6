#!/usr/bin/env python3
"""Prints a C++ string literal holding the Windows-1252 bytes of each argument.

Vietnamese texts of the program are quoted as Windows-1252 characters; this
turns such a quotation into escaped bytes, splitting the literal after every
hex escape so that a following hex digit is not swallowed by it."""
import sys


def literal(text: str) -> str:
    out, after_hex = [], False
    for b in text.encode("cp1252"):
        ch = chr(b)
        if b >= 0x80 or b < 0x20:
            out.append(('" "' if after_hex else "") + "\\x%02X" % b)
            after_hex = True
            continue
        if after_hex and ch in "0123456789abcdefABCDEF":
            out.append('" "')
        after_hex = False
        out.append("\\" + ch if ch in '"\\' else ch)
    return '"' + "".join(out) + '"'


for arg in sys.argv[1:]:
    print(literal(arg))
