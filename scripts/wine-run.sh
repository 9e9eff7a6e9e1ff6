#!/bin/sh
# Runs a Windows program under Wine in the given private prefix:
#   wine-run.sh BITS PREFIX PROGRAM.exe [ARGS...]
bits=$1
prefix=$2
shift 2
exec "$(dirname "$0")/wine-env.sh" "$bits" "$prefix" wine "$@"
