#!/bin/sh
# Checks that a committed generated file is what its generator makes now:
#   check_generated.sh COMMITTED SCRATCH GENERATOR [ARGS...]
# runs GENERATOR ARGS... SCRATCH and compares SCRATCH with COMMITTED byte for byte.
set -e
committed=$1 scratch=$2
shift 2
rm -f "$scratch"
"$@" "$scratch"
cmp "$committed" "$scratch" || {
  echo "$committed differs from what its generator makes now ($scratch); rebuild and commit it" >&2
  exit 1
}
