#!/usr/bin/env python3
"""Writes the Windows package: make_zip.py ZIP NAME=FILE...

Each entry NAME is the content of FILE, in the order given. Entries named
*.txt are texts for Windows: FILE is read as UTF-8 and stored in
Windows-1252 with CR LF line ends. The zip holds nothing that depends on
when or where it is made (fixed time stamps and attributes, no extra
fields), so the same files always give the same bytes.
"""
import os
import sys
import zipfile

# The earliest time a zip entry can hold.
FIXED_TIME = (1980, 1, 1, 0, 0, 0)


def entry_bytes(name, path):
    with open(path, "rb") as f:
        data = f.read()
    if not name.endswith(".txt"):
        return data
    text = data.decode("utf-8").replace("\r\n", "\n")
    return text.replace("\n", "\r\n").encode("cp1252")


def main(zip_path, entries):
    partial = zip_path + ".partial"
    with zipfile.ZipFile(partial, "w") as package:
        for entry in entries:
            name, path = entry.split("=", 1)
            info = zipfile.ZipInfo(name, FIXED_TIME)
            info.create_system = 0  # MS-DOS: no Unix owner or mode bits
            info.external_attr = 0
            info.compress_type = zipfile.ZIP_DEFLATED
            package.writestr(info, entry_bytes(name, path), compresslevel=9)
    os.replace(partial, zip_path)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
