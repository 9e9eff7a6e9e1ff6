#!/usr/bin/env python3
"""Plants single faults in the portable core and the tools, and reports those the native tests miss.

    scripts/mutation-test.py [--sample N] [--seed S] [--files GLOB...] [--list] [--matrix FILE]

Each mutant is one small change to one file of the core (Source/ files that
are neither _win32 nor _posix) or of the tools' own logic (tools/ files but
the entry points *_main.cpp and the build helper embed_bytes.cpp): a flipped comparison, a bound shifted by one, a
deleted statement, a swapped logical operator or boolean, or one byte of a
text changed. For each, the script rebuilds the native tests in
build/mutation, with the sanitizers as in the test run, runs the core tests
and, when they pass, the tool, service and network tests too; a mutant that
no test run fails survives. Mutants that do not compile are not counted.
The file is always restored, also on Ctrl+C or a kill.

Survivors are printed with file, line and change; look at each: either a
test is missing, or the mutant is equivalent (no behaviour changes). An
equivalent mutant goes into scripts/equivalent-mutants.txt, one per line as
"file: change at column in `line` -- reason", the line being the mutated
line's code without its indentation (so that an entry outlives edits
elsewhere in the file, and lapses when its own line changes); those are
listed but neither run nor counted. --list-stale prints the entries that no
longer name a mutant of the code.

With --matrix FILE every test program runs whole for each mutant, and a
line of JSON a mutant is appended to FILE: the mutant and, for each failing
assertion, its test and its file and line (a test program that crashes or
hangs names the test it was running). A test whose assertions catch only
mutants that others catch too is a candidate to go.
"""
import argparse
import fnmatch
import hashlib
import json
import pathlib
import re
import signal
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "mutation"
# The test programs, cheapest first; the proxy tests need the real proxy that
# only CTest's fixture starts, so they are left out here.
TEST_BINARIES = [["tests/quorvel_core_tests"], ["tests/quorvel_tool_tests"],
                 ["tests/quorvel_service_tests"],
                 ["tests/quorvel_network_tests", "--gtest_filter=-RealProxy.*"]]
TEST_TIMEOUT = 60  # the native tests take seconds; a hung mutant counts as caught
EQUIVALENT = ROOT / "scripts" / "equivalent-mutants.txt"

COMPARISONS = [("==", "!="), ("!=", "=="), ("<=", "<"), (">=", ">"), ("<", "<="), (">", ">="),
               ("&&", "||"), ("||", "&&")]
WORDS = [("true", "false"), ("false", "true")]


def mutated_files(globs):
    """The core's files, then the tools' own logic."""
    files = []
    core = [p for p in sorted((ROOT / "Source").rglob("*.cpp"))
            if not p.name.endswith(("_win32.cpp", "_posix.cpp"))]
    tools = [p for p in sorted((ROOT / "tools").rglob("*.cpp"))
             if not p.name.endswith("_main.cpp") and p.name != "embed_bytes.cpp"]
    for path in core + tools:
        rel = str(path.relative_to(ROOT))
        if globs and not any(fnmatch.fnmatch(rel, g) for g in globs):
            continue
        files.append(path)
    return files


def code_part(line):
    """The line without a trailing // comment (string contents kept)."""
    in_string = None
    i = 0
    while i < len(line):
        c = line[i]
        if in_string:
            if c == "\\":
                i += 2
                continue
            if c == in_string:
                in_string = None
        elif c in "\"'":
            in_string = c
        elif line.startswith("//", i):
            return line[:i]
        i += 1
    return line


def string_spans(line):
    return [m.span(1) for m in re.finditer(r'"((?:[^"\\]|\\.)*)"', line)]


def inside(spans, pos):
    return any(a <= pos < b for a, b in spans)


def mutants_of_line(line, help_text=False):
    """(description, new line) for every mutant of one source line; no text
    byte is changed in a line of a tool's help text (help_text)."""
    stripped = line.strip()
    if not stripped or stripped.startswith(("#", "//", "*", "/*")):
        return
    code = code_part(line)
    spans = string_spans(code)
    # clang-format puts one space on each side of a binary operator, which
    # tells a comparison from a template's brackets, a shift or an arrow.
    for old, new in COMPARISONS:
        for m in re.finditer(re.escape(f" {old} "), code):
            a, b = m.start() + 1, m.end() - 1
            if not inside(spans, a):
                yield f"'{old}' -> '{new}' at {a + 1}", line[:a] + new + line[b:]
    for old, new in WORDS:
        for m in re.finditer(rf"\b{old}\b", code):
            if not inside(spans, m.start()):
                yield f"{old} -> {new} at {m.start() + 1}", line[:m.start()] + new + line[m.end():]
    for m in re.finditer(r"(?<![\w.\\])(\d+)(?![\w.])", code):
        if inside(spans, m.start()):
            continue
        value = int(m.group(1))
        yield f"{value} -> {value + 1} at {m.start() + 1}", line[:m.start()] + str(value + 1) + line[m.end():]
        if value > 0:
            yield f"{value} -> {value - 1} at {m.start() + 1}", line[:m.start()] + str(value - 1) + line[m.end():]
    for a, b in spans if not help_text else []:
        if b > a and line[a] != "\\":
            c = line[a]
            swapped = chr(ord(c) + 1) if c not in "\"\\~" else "x"
            yield f"text byte {c!r} -> {swapped!r} at {a + 1}", line[:a] + swapped + line[a + 1:]
    if stripped.endswith(";") and not re.match(
            r"(return|break|continue|case|default|using|namespace|struct|class|enum|typedef|"
            r"const |constexpr|static|[\w:<>,\s]+\s+[\w]+\s*[=({;])", stripped):
        yield "statement deleted", line[:len(line) - len(line.lstrip())] + ";"


def all_mutants(files):
    result = []
    for path in files:
        lines = path.read_text(encoding="latin-1").split("\n")
        in_tools = path.is_relative_to(ROOT / "tools")
        for number, line in enumerate(lines, 1):
            # A tool's help text, written for people to read and read by them
            # (its lines are string literals alone); its options are checked
            # against the manual page.
            help_text = in_tools and re.fullmatch(r'\s*"(?:[^"\\]|\\.)*";?\s*', line) is not None
            for description, new in mutants_of_line(line, help_text):
                result.append((path, number, description, new))
    return result


def equivalence_key(path, number, description):
    """How an equivalent mutant is listed: by its line's code, not its number."""
    line = path.read_text(encoding="latin-1").split("\n")[number - 1].strip()
    return f"{path.relative_to(ROOT)}: {description} in `{line}`"


def equivalent_mutants():
    """The mutants known to change no behaviour: equivalence_key -> reason."""
    known = {}
    if EQUIVALENT.exists():
        for line in EQUIVALENT.read_text(encoding="latin-1").splitlines():
            if line.strip() and not line.startswith("#"):
                where, _, reason = line.rpartition("` -- ")
                known[where.strip() + "`"] = reason.strip()
    return known


def run(cmd, timeout=None):
    return subprocess.run(cmd, cwd=BUILD, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=timeout).returncode


def configure():
    BUILD.mkdir(parents=True, exist_ok=True)
    subprocess.run(["cmake", "-S", str(ROOT), "-B", str(BUILD), "-DCMAKE_BUILD_TYPE=Debug",
                    "-DQUORVEL_SANITIZE=ON"], check=True, stdout=subprocess.DEVNULL)


def build():
    targets = [pathlib.Path(t[0]).name for t in TEST_BINARIES]
    cmd = ["cmake", "--build", str(BUILD), "-j2"]
    for t in targets:
        cmd += ["--target", t]
    return run(cmd) == 0


def tests_fail():
    for binary, *options in TEST_BINARIES:
        try:
            if run([str(BUILD / binary), "--gtest_brief=1", *options], timeout=TEST_TIMEOUT) != 0:
                return True
        except subprocess.TimeoutExpired:
            return True
    return False


def failing_assertions():
    """What each test program reports failing, run whole: for --matrix."""
    failures = []
    report = BUILD / "matrix-report.json"
    for binary, *options in TEST_BINARIES:
        report.unlink(missing_ok=True)
        try:
            done = subprocess.run([str(BUILD / binary), *options, f"--gtest_output=json:{report}"],
                                  cwd=BUILD / "tests", capture_output=True, timeout=TEST_TIMEOUT)
            passed, output = done.returncode == 0, done.stdout
        except subprocess.TimeoutExpired as hung:
            passed, output = False, hung.stdout
        if passed:
            continue
        if not report.exists():  # crashed or hung: the last test it started
            started = [line for line in (output or b"").decode("latin-1").splitlines()
                       if line.startswith("[ RUN      ]")]
            failures.append({"test": started[-1][13:] if started else binary, "site": "none"})
            continue
        for suite in json.loads(report.read_text(encoding="latin-1"))["testsuites"]:
            for test in suite["testsuite"]:
                for failure in test.get("failures", []):
                    site = failure["failure"].split("\n")[0].replace(f"{ROOT}/tests/", "")
                    failures.append({"test": f"{suite['name']}.{test['name']}", "site": site})
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--sample", type=int, default=0, help="test N random mutants (0: all)")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--files", nargs="*", default=[], help="globs of core files to mutate")
    parser.add_argument("--list", action="store_true", help="list the mutants, build nothing")
    parser.add_argument("--skip", type=int, default=0,
                        help="resume a run cut short: skip the first N mutants it tried")
    parser.add_argument("--matrix", type=pathlib.Path,
                        help="run every test program whole and append what fails to this file")
    parser.add_argument("--list-stale", action="store_true",
                        help="list the equivalent-mutant entries that name no mutant of the code")
    args = parser.parse_args()

    mutants = all_mutants(mutated_files(args.files))
    known = equivalent_mutants()
    if args.list_stale:
        current = {equivalence_key(*m[:3]) for m in all_mutants(mutated_files([]))}
        stale = [where for where in known if where not in current]
        for where in stale:
            print(f"stale: {where}")
        return 1 if stale else 0
    if args.sample:
        # Ranked by a hash of the seed and each mutant's line code and change,
        # not its place in the list: edits elsewhere leave a sample as it was,
        # so runs before and after a change of the tests try the same mutants.
        def rank(m):
            return hashlib.sha256(f"{args.seed}:{equivalence_key(*m[:3])}".encode("latin-1")).digest()
        mutants = sorted(sorted(mutants, key=rank)[:args.sample], key=lambda m: (str(m[0]), m[1]))
    equivalent = [m for m in mutants if equivalence_key(*m[:3]) in known]
    mutants = [m for m in mutants if m not in equivalent]
    for path, number, description, _ in equivalent:
        where = equivalence_key(path, number, description)
        print(f"equivalent, not run: {path.relative_to(ROOT)}:{number}: {description} -- "
              f"{known[where]}")
    if args.list:
        for path, number, description, _ in mutants:
            print(f"{path.relative_to(ROOT)}:{number}: {description}")
        print(f"{len(mutants)} mutants")
        return 0

    # A kill ends the run like Ctrl+C, through the restoring finally below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    configure()
    if not build() or tests_fail():
        print("the unchanged tree does not build or its tests fail", file=sys.stderr)
        return 2
    killed = survived = uncompiled = 0
    for index, (path, number, description, new) in enumerate(mutants, 1):
        if index <= args.skip:
            continue
        original = path.read_bytes()
        lines = original.decode("latin-1").split("\n")
        lines[number - 1] = new
        where = f"{path.relative_to(ROOT)}:{number}: {description}"
        try:
            path.write_bytes("\n".join(lines).encode("latin-1"))
            if not build():
                uncompiled += 1
                outcome = "does not compile"
            elif failures := (failing_assertions() if args.matrix else tests_fail()):
                killed += 1
                outcome = "caught"
                if args.matrix:
                    with args.matrix.open("a", encoding="latin-1") as matrix:
                        matrix.write(json.dumps({"mutant": where, "failures": failures}) + "\n")
            else:
                survived += 1
                outcome = "SURVIVED"
        finally:
            path.write_bytes(original)
        print(f"[{index}/{len(mutants)}] {outcome}: {where}", flush=True)
    build()
    counted = killed + survived
    score = 100.0 * killed / counted if counted else 0.0
    print(f"{killed} caught, {survived} survived, {uncompiled} did not compile, "
          f"{len(equivalent)} equivalent: {score:.1f}% of compiling mutants caught")
    return 0


if __name__ == "__main__":
    sys.exit(main())
