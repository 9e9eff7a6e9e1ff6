#!/bin/bash
# Runs a command with one wineserver kept alive for its whole length, so each
# Windows program does not pay Wine's start-up again: wine-session.sh CMD...
# The first Wine program of a session starts Wine's own helper processes,
# which live on and hold their output open; they are started here with output
# going nowhere, so that no test runner waits on a pipe they hold. The
# wineserver and its helpers are ended afterwards.
set -u
wineserver -p
wine cmd.exe /c exit </dev/null >/dev/null 2>&1
"$@"
status=$?
wineserver -k
exit $status
