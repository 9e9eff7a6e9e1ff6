#!/bin/sh
# Runs a Windows program under Wine in the given private prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# LANG=C.UTF-8 gives the ANSI code page 1252 and lets Wine create file names
# with non-ASCII bytes; the overrides keep Wine from offering Mono and Gecko.
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_ALL=C.UTF-8
exec wine "$@"
