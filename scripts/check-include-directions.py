#!/usr/bin/env python3
"""check-include-directions.py SOURCE_DIR: fails when a folder under Source/ includes one
it may not use (README, "Layout": main/ at the top; options/ over ui/ and settings/; ui/ over
settings/ and imei/; imei/, download/ and settings/ over shared/ only)."""
import pathlib
import re
import sys

BELOW = {"main": "options ui settings imei download", "options": "ui settings", "ui": "settings imei",
         "settings": "", "imei": "", "download": "", "shared": ""}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/')

source = pathlib.Path(sys.argv[1])
faults = []
for path in sorted(p for p in source.rglob("*") if p.suffix in (".h", ".cpp")):
    folder = path.relative_to(source).parts[0]
    if folder not in BELOW:
        faults.append(f"{path}: folder {folder}/ has no allowed directions")
        continue
    allowed = {folder, "shared", *BELOW[folder].split()}
    for number, line in enumerate(path.read_text(encoding="latin-1").splitlines(), 1):
        match = INCLUDE.match(line)
        if match and match.group(1) not in allowed:
            faults.append(f"{path}:{number}: {folder}/ may not include {match.group(1)}/")
print("\n".join(faults) or "include directions: all allowed")
sys.exit(1 if faults else 0)
