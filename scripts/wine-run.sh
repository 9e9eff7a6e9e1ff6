#!/bin/sh
# Runs a Windows program under Wine in the given private prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
prefix=$1
shift
exec "$(dirname "$0")/wine-env.sh" "$prefix" wine "$@"
