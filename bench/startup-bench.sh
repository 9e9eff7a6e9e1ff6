#!/bin/bash
# Times the start of Quorvel.exe against a bare Win32 window under Wine, in
# the Windows build's own prefix, and where the program's start-up time
# goes: startup-bench.sh BITS [RUNS]. BITS is the width of the Windows build
# (32 or 64, see scripts/wine-bits.sh), which must be built already; RUNS
# (9 unless told) starts of each program, by turns. The target: Quorvel.exe
# shows its window in at most 1.2 times the bare window's time.
set -euo pipefail
cd "$(dirname "$0")/.."
bits=$1
runs=${2:-9}
build=$PWD/build/win$bits
case "$bits" in
  32) objdump=i686-w64-mingw32-objdump ;;
  64) objdump=x86_64-w64-mingw32-objdump ;;
  *) echo "startup-bench.sh: BITS is 32 or 64, not '$bits'" >&2; exit 2 ;;
esac
quorvel=$build/bin/Quorvel.exe
bare=$build/bench/quorvel_bare_window.exe
# The libraries Quorvel.exe imports and the bare window does not.
imports() { "$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort -u; }
mapfile -t libraries < <(comm -23 <(imports "$quorvel") <(imports "$bare"))
echo "Windows build: $bits-bit, Wine prefix $build/wineprefix"
# The programs get Windows paths; winepath needs the prefix's environment.
scripts/wine-env.sh "$bits" "$build/wineprefix" scripts/with-display.sh \
  scripts/wine-session.sh bash -c '
    runs=$1 quorvel=$(winepath -w "$2") bare=$(winepath -w "$3") bench=$4
    shift 4
    wine "$bench" "$runs" "$quorvel" "$bare" "$@"
  ' startup-bench "$runs" "$quorvel" "$bare" "$build/bench/quorvel_startup_bench.exe" \
  "${libraries[@]}"
