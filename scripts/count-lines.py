#!/usr/bin/env python3
"""Counts the non-blank, non-comment lines of the tests against the code.

    scripts/count-lines.py [--per-file] [--check] [ROOT]

Counts C++, Python, shell and CMake files of tests/ on one side and of
Source/ and tools/ on the other, and prints both, their ratio, and the
limit the project keeps (tests at most 0.35 of the size of the code).
With --check it fails when the tests are above that limit.
"""
import argparse
import pathlib
import sys

CPP = {".cpp", ".h", ".hpp", ".c"}
HASH_COMMENTED = {".py", ".sh", ".cmake"}
# Tests are kept to roughly a quarter to a third of the code they test.
LIMIT = 0.35


def kind(path):
    if path.suffix in CPP:
        return "cpp"
    if path.suffix in HASH_COMMENTED or path.name == "CMakeLists.txt":
        return "hash"
    return None


def count_cpp(text):
    lines = 0
    in_block = False
    for raw in text.splitlines():
        line = raw.strip()
        code = ""
        while line:
            if in_block:
                end = line.find("*/")
                if end < 0:
                    line = ""
                    break
                line = line[end + 2 :].strip()
                in_block = False
                continue
            if line.startswith("//"):
                break
            if line.startswith("/*"):
                in_block = True
                line = line[2:]
                continue
            code = line
            break
        if code:
            lines += 1
    return lines


def count_hash(text):
    return sum(1 for raw in text.splitlines() if raw.strip() and not raw.strip().startswith("#"))


def count_files(root, folders):
    """(lines, path) of every counted file under the folders."""
    counts = []
    for folder in folders:
        for path in sorted((root / folder).rglob("*")):
            which = kind(path) if path.is_file() else None
            if which is None:
                continue
            text = path.read_text(encoding="latin-1")
            lines = count_cpp(text) if which == "cpp" else count_hash(text)
            counts.append((lines, path.relative_to(root)))
    return counts


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--per-file", action="store_true", help="list each test file's lines")
    parser.add_argument("--check", action="store_true", help="fail above the limit")
    parser.add_argument("root", nargs="?", default=pathlib.Path(__file__).parent.parent,
                        type=pathlib.Path, help="the checkout (default: this script's)")
    args = parser.parse_args()
    if not all((args.root / folder).is_dir() for folder in ("tests", "Source", "tools")):
        parser.error(f"{args.root} has no tests/, Source/ and tools/ folders")
    test_files = count_files(args.root, ["tests"])
    if args.per_file:
        for lines, path in sorted(test_files, reverse=True):
            print(f"{lines:6} {path}")
    tests = sum(lines for lines, _ in test_files)
    code = sum(lines for lines, _ in count_files(args.root, ["Source", "tools"]))
    ratio = tests / code
    print(f"tests/: {tests} lines")
    print(f"Source/ + tools/: {code} lines")
    # Three places, so that a ratio just above the limit does not print as it.
    print(f"tests / code: {ratio:.3f} (limit {LIMIT:.2f}: at most {int(code * LIMIT)} lines)")
    if args.check and ratio > LIMIT:
        print(f"the tests are more than {LIMIT:.2f} of the code: cut them", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
