#!/bin/sh
# Runs a command on a private virtual X display (Xvfb), whatever display the
# caller has, so tests never draw on the user's screen.
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
