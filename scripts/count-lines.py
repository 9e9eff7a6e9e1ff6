#!/usr/bin/env python3
"""Counts the non-blank, non-comment lines of the tests against the code.

    scripts/count-lines.py [--per-file] [--check] [ROOT]

Counts C++, Python, shell and CMake files of tests/ on one side and of
Source/ and tools/ on the other, and prints both, their ratio, and the
limit the project keeps (tests at most 0.35 of the size of the code).
With --check it fails when the tests are above that limit.
"""
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
    args = sys.argv[1:]
    per_file = "--per-file" in args
    check = "--check" in args
    args = [a for a in args if a not in ("--per-file", "--check")]
    root = pathlib.Path(args[0] if args else pathlib.Path(__file__).parent.parent)
    test_files = count_files(root, ["tests"])
    if per_file:
        for lines, path in sorted(test_files, reverse=True):
            print(f"{lines:6} {path}")
    tests = sum(lines for lines, _ in test_files)
    code = sum(lines for lines, _ in count_files(root, ["Source", "tools"]))
    ratio = tests / code if code else float("inf")
    print(f"tests/: {tests} lines")
    print(f"Source/ + tools/: {code} lines")
    print(f"tests / code: {ratio:.2f} (limit {LIMIT:.2f})")
    if check and ratio > LIMIT:
        print(f"the tests are more than {LIMIT:.2f} of the code: cut them", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
