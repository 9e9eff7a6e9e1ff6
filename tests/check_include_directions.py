#!/usr/bin/env python3
"""Fails when a file under Source/ includes a folder its own folder may not use.

    check_include_directions.py SOURCE_DIR

The allowed directions (README, "Layout"): main/ at the top; options/ over ui/
and settings/; ui/ over settings/ and imei/; imei/, download/ and settings/
over shared/ only; shared/ includes none of the others.
"""
import pathlib
import re
import sys

ALLOWED = {
    "main": {"main", "options", "ui", "settings", "imei", "download", "shared"},
    "options": {"options", "ui", "settings", "shared"},
    "ui": {"ui", "settings", "imei", "shared"},
    "settings": {"settings", "shared"},
    "imei": {"imei", "shared"},
    "download": {"download", "shared"},
    "shared": {"shared"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/')

source = pathlib.Path(sys.argv[1])
faults = []
for path in sorted(source.rglob("*")):
    if path.suffix not in (".h", ".cpp"):
        continue
    folder = path.relative_to(source).parts[0]
    allowed = ALLOWED.get(folder)
    if allowed is None:
        faults.append(f"{path}: folder {folder}/ has no allowed directions")
        continue
    for number, line in enumerate(path.read_text(encoding="latin-1").splitlines(), 1):
        match = INCLUDE.match(line)
        if match and match.group(1) not in allowed:
            faults.append(f"{path}:{number}: {folder}/ may not include {match.group(1)}/")
print("\n".join(faults) or "include directions: all allowed")
sys.exit(1 if faults else 0)
