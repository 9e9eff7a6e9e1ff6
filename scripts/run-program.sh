#!/bin/bash
# Starts Quorvel.exe under Wine: run-program.sh EXE SCREENSHOT
# On the user's display when there is one; otherwise under Xvfb for a few
# seconds, leaving a screenshot of the screen in SCREENSHOT.
set -u
exe=$(realpath "$1")
shot=$(realpath -m "$2")
if [[ -n "${DISPLAY:-}" ]]; then
  exec wine "$exe"
fi
# Wine runs the program on the virtual display, a screenshot is taken after
# it has painted, then the program is closed.
here=$(dirname "$0")
exec xvfb-run -a -s "-screen 0 800x600x24" "$here/wine-session.sh" bash -c '
  wine "$1" </dev/null >/dev/null 2>&1 &
  sleep "${QUORVEL_RUN_SECONDS:-5}"
  import -window root "$2" && echo "screenshot: $2"
' run-program "$exe" "$shot"
