#!/bin/sh
# The Wine environment of every Windows program the project runs, written
# here only: wine-env.sh PREFIX COMMAND [ARGS...] runs COMMAND with it.
# PREFIX is the private Wine prefix. LANG=C.UTF-8 gives the ANSI code page
# 1252 and lets Wine create file names with non-ASCII bytes; the overrides
# keep Wine from offering Mono and Gecko; WINEDEBUG keeps its log quiet.
export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_ALL=C.UTF-8
shift
exec "$@"
