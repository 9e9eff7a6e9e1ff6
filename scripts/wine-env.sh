#!/bin/sh
# The Wine environment of every Windows program the project runs, written
# here only: wine-env.sh BITS PREFIX COMMAND [ARGS...] runs COMMAND with it.
# BITS is 32 or 64, the width of the programs it runs; PREFIX is the private
# Wine prefix of that width. LANG=C.UTF-8 gives the ANSI code page 1252 and
# lets Wine create file names with non-ASCII bytes; the overrides keep Wine
# from offering Mono and Gecko; WINEDEBUG keeps its log quiet.
here=$(dirname "$(realpath "$0")")
case "$1" in
  32) export WINEARCH=win32 ;;
  # Debian's `wine` and `wineboot` start the 32-bit loader whenever it is
  # installed, even where the machine cannot run it: the commands of the same
  # names in scripts/wine64 start the 64-bit loader instead.
  64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 PATH="$here/wine64:$PATH" ;;
  *) echo "wine-env.sh: BITS is 32 or 64, not '$1'" >&2; exit 2 ;;
esac
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_ALL=C.UTF-8
shift 2
exec "$@"
