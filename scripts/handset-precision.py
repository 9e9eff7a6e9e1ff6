#!/usr/bin/env python3
"""How often quorvel-cli names the right maker for the TACs of each list.

    scripts/handset-precision.py [--cli PATH] [--data DIR]

Makes one IMEI of every eight-digit TAC of data/tacdb.csv and of
data/samsung-tacs.csv (the TAC, six zeros and the check digit), runs
`quorvel-cli --csv` over them with an empty user file, and prints, for each
list, the share of its TACs whose manufacturer is right (a maker the list
names for the TAC; "Samsung" for the Samsung list), wrong (another maker)
and unknown ("unknown"), and how many of each answer each kind of match
gave (tac8, prefix6, user-file, none). Makers are compared without case,
accents, spaces or punctuation.

The CLI defaults to build/native/tools/quorvel-cli; the data to data/.
Not a test: it prints figures, it checks nothing.
"""
import argparse
import collections
import csv
import pathlib
import subprocess
import sys
import tempfile
import unicodedata

ROOT = pathlib.Path(__file__).resolve().parent.parent

# The records builder spells these letters out; the rest lose their accents.
SPELLED = str.maketrans({"ä": "ae", "ö": "oe", "ü": "ue", "Ä": "Ae", "Ö": "Oe",
                         "Ü": "Ue", "ß": "ss"})


def maker_key(name):
    ascii_name = unicodedata.normalize("NFKD", name.translate(SPELLED))
    return "".join(c for c in ascii_name.lower() if c.isascii() and c.isalnum())


def is_tac(text):
    return len(text) == 8 and text.isdigit()


def tacdb_makers(path):
    """TAC -> the makers its rows name."""
    makers = collections.defaultdict(set)
    with open(path, encoding="utf-8", newline="") as f:
        rows = csv.reader(f)
        next(rows)  # the licence notice
        header = next(rows)
        tac_column, maker_column = header.index("tac"), header.index("name")
        for row in rows:
            if len(row) > maker_column and is_tac(row[tac_column].strip()):
                makers[row[tac_column].strip()].add(maker_key(row[maker_column]))
    return makers


def samsung_makers(path):
    makers = {}
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = csv.reader(f)
        next(rows)
        for row in rows:
            if row and is_tac(row[0]):
                makers[row[0]] = {maker_key("Samsung")}
    return makers


def check_digit(digits):
    total = 0
    for i, c in enumerate(reversed(digits), start=1):
        d = int(c) * (2 if i % 2 == 1 else 1)
        total += d - 9 if d > 9 else d
    return str((10 - total % 10) % 10)


def answers(cli, tacs):
    """TAC -> (manufacturer, matched_by) as quorvel-cli --csv gives them."""
    imeis = "".join(tac + "000000" + check_digit(tac + "000000") + "\n" for tac in tacs)
    with tempfile.NamedTemporaryFile(suffix=".dat") as empty_user_file:
        run = subprocess.run([cli, "--csv", "--user-db", empty_user_file.name], input=imeis,
                             capture_output=True, text=True, encoding="utf-8", check=False)
    if run.returncode not in (0, 1):
        sys.exit(f"{cli} failed: {run.stderr}")
    result = {}
    for row in csv.DictReader(run.stdout.splitlines()):
        result[row["imei"][:8]] = (row["manufacturer"], row["matched_by"])
    return result


def report(title, makers, cli):
    counts = collections.Counter()
    by_match = collections.Counter()
    for tac, (manufacturer, matched_by) in answers(cli, sorted(makers)).items():
        if manufacturer == "unknown":
            verdict = "unknown"
        elif maker_key(manufacturer) in makers[tac]:
            verdict = "right"
        else:
            verdict = "wrong"
        counts[verdict] += 1
        by_match[verdict, matched_by] += 1
    total = sum(counts.values())
    print(f"{title}: {total} TACs")
    for verdict in ("right", "wrong", "unknown"):
        matches = ", ".join(f"{m} {n}" for (v, m), n in sorted(by_match.items()) if v == verdict)
        print(f"  {verdict:8} {counts[verdict]:6}  {100 * counts[verdict] / total:5.1f}%"
              + (f"  ({matches})" if matches else ""))
    answered = counts["right"] + counts["wrong"]
    if answered:
        print(f"  wrong among the answered: {100 * counts['wrong'] / answered:.2f}%")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", default=str(ROOT / "build/native/tools/quorvel-cli"))
    parser.add_argument("--data", default=str(ROOT / "data"))
    options = parser.parse_args()
    data = pathlib.Path(options.data)
    report("data/tacdb.csv", tacdb_makers(data / "tacdb.csv"), options.cli)
    report("data/samsung-tacs.csv", samsung_makers(data / "samsung-tacs.csv"), options.cli)


if __name__ == "__main__":
    main()
